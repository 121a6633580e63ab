// The screen image that every window draws into, and the record of what changed on it.
//
// Drawing marks the area it changed; the area goes to the display when the program waits for
// input (PresentChanges) and, during a long paint, at a steady pace from NoteChanged itself, so
// a drawing made pixel by pixel is seen as it happens. Painting never waits for the display.
#pragma once

#include "display/backend.h"

#include <windows.h>

namespace w32::gdi {

// The image of the current display, opening it when needed; empty (null data) when there is none.
display::Pixels ScreenPixels();

void NoteChanged(const RECT& screenArea);
void PresentChanges();

} // namespace w32::gdi
