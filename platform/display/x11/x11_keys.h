// X key events to Windows virtual keys.
#pragma once

#include "display/backend.h"

#include <X11/Xlib.h>

namespace w32::display {

// Fills virtualKey, character and the modifier flags from a KeyPress or KeyRelease; false for
// keys the layer does not map.
bool TranslateKey(XKeyEvent* event, InputEvent* out);

} // namespace w32::display
