// Device contexts for windows: the window manager makes one for a paint or a frame, with its
// origin (client or window corner, in screen coordinates) and its clip region (screen
// coordinates): the window's visible region, cut to the update region during a paint.
#pragma once

#include "gdi/region.h"

#include <windows.h>

#include <cstddef>
#include <functional>

namespace w32::gdi {

HDC CreateScreenDC(POINT origin, const Region& clipInScreen);
// Deletes a DC made by CreateScreenDC, putting back whatever the paint left selected.
void ReleaseScreenDC(HDC dc);

// Fills a rectangle (screen coordinates) of the screen image, clipped to the region, and marks it
// changed: for window frames and backgrounds drawn by the window manager itself.
void FillScreen(const Region& clip, const RECT& area, COLORREF color);

// GDI objects (brushes, fonts, bitmaps, DCs) alive now, stock objects not counted.
size_t LiveObjectCount();

// Calls observer with the logical coordinates and colour of every SetPixel call (tests see the
// order of writes through it); null stops.
void ObservePixelWritesForTesting(std::function<void(int x, int y, COLORREF color)> observer);

} // namespace w32::gdi
