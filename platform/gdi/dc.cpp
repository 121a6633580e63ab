// Device contexts: CreateCompatibleDC, DeleteDC, SetBkMode, SetTextColor, and the screen DCs
// the window manager makes for painting.
//
// A screen DC draws into the screen image at its origin, clipped to the region it was made with.
// A memory DC draws into its selected bitmap (a 1 x 1 stock bitmap until one is selected).
// Mapping modes, viewport and window origins are not supported: logical units are pixels.
#include "gdi/dc.h"

#include "gdi/objects.h"
#include "gdi/screen.h"
#include "kernel/last_error.h"

#include <algorithm>

namespace w32::gdi {
namespace {

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
    dc->brush = StockBrush();
    dc->font = StockFont();
    uintptr_t handle = DeviceContexts().Add(std::move(dc));
    return handle ? ToHandle<HDC>(handle) : Fail(ERROR_NOT_ENOUGH_MEMORY, HDC{});
}

} // namespace

HDC CreateScreenDC(POINT origin, const Region& clipInScreen) {
    auto dc = std::make_unique<DeviceContext>();
    display::Pixels screen = ScreenPixels();
    dc->surface = screen;
    dc->origin = origin;
    Region clip = clipInScreen;
    clip.Intersect(RECT{0, 0, screen.width, screen.height});
    dc->SetClip(std::move(clip));
    return AddDC(std::move(dc));
}

void ReleaseScreenDC(HDC dc) {
    if (DeviceContext* context = FindDC(dc); context && context->pixelsSet)
        NoteChanged(context->clipBounds);
    RemoveDC(dc);
}

void NoteSurfaceChanged(const DeviceContext& dc, const RECT& area) {
    if (!dc.memory)
        NoteChanged(area);
}

void FillScreen(const Region& clip, const RECT& area, COLORREF color) {
    display::Pixels screen = ScreenPixels();
    if (!screen.data)
        return;
    Region target(area);
    target.Intersect(clip);
    target.Intersect(RECT{0, 0, screen.width, screen.height});
    uint32_t pixel = ToPixel(color);
    for (const RECT& r : target.Rects())
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(screen.data + static_cast<size_t>(y) * screen.stride + r.left,
                        r.right - r.left, pixel);
    NoteChanged(target.Bounds());
}

} // namespace w32::gdi

using namespace w32;
using namespace w32::gdi;

extern "C" HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !FindDC(hdc))
        return Fail(ERROR_INVALID_HANDLE, HDC{});
    auto dc = std::make_unique<DeviceContext>();
    dc->memory = true;
    HDC handle = AddDC(std::move(dc));
    if (handle)
        SelectObject(handle, ToHandle<HGDIOBJ>(StockBitmap()));
    return handle;
}

extern "C" BOOL WINAPI DeleteDC(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (Bitmap* bitmap = Bitmaps().Find(dc->bitmap))
        --bitmap->selectedInto;
    RemoveDC(hdc);
    return TRUE;
}

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return Fail(ERROR_INVALID_PARAMETER, 0);
    int previous = dc->backMode;
    dc->backMode = mode;
    return previous;
}

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc)
        return Fail(ERROR_INVALID_HANDLE, COLORREF{CLR_INVALID});
    COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}
