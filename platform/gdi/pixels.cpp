// FillRect, SetPixel, GetPixel: the pixel paths, kept short because the backdrop fills the
// screen on every paint and its logo goes through the single-pixel calls.
//
// FillRect takes a brush handle or a system colour index + 1, as on Windows. SetPixel returns
// the colour set, or -1 when the point lies outside the clip; GetPixel returns CLR_INVALID there.
#include "gdi/dc.h"
#include "gdi/objects.h"
#include "gdi/screen.h"
#include "kernel/last_error.h"

#include <algorithm>

namespace w32::gdi {
namespace {

std::function<void(int, int, COLORREF)>& Observer() {
    static std::function<void(int, int, COLORREF)> observer;
    return observer;
}
// Read on every SetPixel; a plain flag keeps that path free of the function object.
constinit bool g_observing = false;

// The classic system colours the layer paints with (COLOR_* indexes).
COLORREF SystemColor(uintptr_t index) {
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(212, 208, 200);
    default:
        return RGB(212, 208, 200);
    }
}

} // namespace

void ObservePixelWritesForTesting(std::function<void(int, int, COLORREF)> observer) {
    g_observing = observer != nullptr;
    Observer() = std::move(observer);
}

} // namespace w32::gdi

using namespace w32;
using namespace w32::gdi;

extern "C" int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = FindDC(hDC);
    if (!dc || !lprc)
        return Fail(ERROR_INVALID_PARAMETER, 0);
    uintptr_t handle = FromHandle(hbr);
    COLORREF color;
    if (handle > 0 && handle <= 31) {
        color = SystemColor(handle - 1);
    } else if (Brush* brush = Brushes().Find(handle)) {
        color = brush->color;
    } else {
        return Fail(ERROR_INVALID_HANDLE, 0);
    }
    if (!dc->surface.data)
        return 1;
    RECT area = {lprc->left + dc->origin.x, lprc->top + dc->origin.y, lprc->right + dc->origin.x,
                 lprc->bottom + dc->origin.y};
    uint32_t pixel = ToPixel(color);
    RECT changed = {0, 0, 0, 0};
    for (const RECT& clip : dc->clip.Rects()) {
        RECT r = {std::max(area.left, clip.left), std::max(area.top, clip.top),
                  std::min(area.right, clip.right), std::min(area.bottom, clip.bottom)};
        if (IsEmptyRect(r))
            continue;
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(dc->surface.data + static_cast<size_t>(y) * dc->surface.stride + r.left,
                        r.right - r.left, pixel);
        changed = IsEmptyRect(changed)
                      ? r
                      : RECT{std::min(changed.left, r.left), std::min(changed.top, r.top),
                             std::max(changed.right, r.right), std::max(changed.bottom, r.bottom)};
    }
    NoteSurfaceChanged(*dc, changed);
    return 1;
}

extern "C" COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return Fail(ERROR_INVALID_HANDLE, COLORREF(-1));
    if (g_observing) [[unlikely]]
        Observer()(x, y, color);
    int sx = x + dc->origin.x, sy = y + dc->origin.y;
    if (!dc->ClipContains(sx, sy) || !dc->surface.data)
        return COLORREF(-1);
    dc->surface.data[static_cast<size_t>(sy) * dc->surface.stride + sx] = ToPixel(color);
    if (!dc->memory) {
        // The DC's clip area is noted as changed once, when it is released or presented.
        dc->pixelsSet = true;
        if (--g_pixelWritesUntilPaceCheck == 0 && PaceDue()) {
            NoteChanged(dc->clipBounds);
            PresentChanges();
        }
    }
    return color & 0xFFFFFF;
}

extern "C" COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return Fail(ERROR_INVALID_HANDLE, COLORREF{CLR_INVALID});
    int sx = x + dc->origin.x, sy = y + dc->origin.y;
    if (!dc->ClipContains(sx, sy) || !dc->surface.data)
        return CLR_INVALID;
    return ToColor(dc->surface.data[static_cast<size_t>(sy) * dc->surface.stride + sx]);
}
