// The screen image that every window draws into, and the record of what changed on it.
//
// Drawing marks the area it changed; the area goes to the display when the program waits for
// input (PresentChanges) and, during a long paint, at a steady pace from the notes themselves,
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

namespace detail {
struct ChangedArea {
    RECT bounds = {0, 0, 0, 0};
    bool any = false;
    uint32_t notesSinceClockCheck = 0;
};
inline ChangedArea g_changed;
void CheckPace();
} // namespace detail

// NoteChanged for one pixel, cheap enough for every SetPixel.
inline void NotePixelChanged(int x, int y) {
    detail::ChangedArea& c = detail::g_changed;
    if (!c.any) {
        c.bounds = {x, y, x + 1, y + 1};
        c.any = true;
    } else {
        if (x < c.bounds.left)
            c.bounds.left = x;
        if (x >= c.bounds.right)
            c.bounds.right = x + 1;
        if (y < c.bounds.top)
            c.bounds.top = y;
        if (y >= c.bounds.bottom)
            c.bounds.bottom = y + 1;
    }
    if (++c.notesSinceClockCheck >= 4096)
        detail::CheckPace();
}

} // namespace w32::gdi
