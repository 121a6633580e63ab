// PNG screenshots of the screen image.
#pragma once

#include "display/backend.h"

#include <string>

namespace w32::display {

// Writes the image as an 8-bit RGB PNG; false with a one-line reason in error on failure.
bool WritePng(const Pixels& image, const std::string& path, std::string* error);

} // namespace w32::display
