// The screen image that every window draws into, and the record of what changed on it.
//
// Drawing marks the area it changed; the area goes to the display when the program waits for
// input (PresentChanges) and, during a long run of single-pixel writes, at a steady pace,
// so a drawing made pixel by pixel is seen as it happens. Painting never waits for the display.
#pragma once

#include "display/backend.h"

#include <windows.h>

#include <cstdint>

namespace w32::gdi {

// The image of the current display, opening it when needed; empty (null data) when there is none.
display::Pixels ScreenPixels();

void NoteChanged(const RECT& screenArea);
void PresentChanges();

// Counts single-pixel writes to the screen, so that a long run of them is presented at a
// steady pace without reading the clock for every pixel.
inline constinit uint32_t g_pixelWritesUntilPaceCheck = 4096;
// Starts the next count; true when the last present is a frame's time ago.
bool PaceDue();

} // namespace w32::gdi
