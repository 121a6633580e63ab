// CreateSolidBrush, SelectObject, DeleteObject, GetObjectA, and the stock objects.
//
// Stock objects (the white brush, the system font, the 1 x 1 bitmap of a new memory DC) live
// for the process; deleting one succeeds and does nothing, as on Windows. A bitmap selected
// into a DC cannot be deleted (FALSE); a brush or font can, and the DC then falls back to the
// stock one. GetObjectA describes bitmaps only; it fails for other objects.
#include "gdi/dc.h"
#include "gdi/objects.h"
#include "kernel/last_error.h"

namespace w32::gdi {

uintptr_t StockBrush() {
    static const uintptr_t handle =
        Brushes().Add(std::make_unique<Brush>(Brush{RGB(255, 255, 255), true}));
    return handle;
}

uintptr_t StockFont() {
    // The system font of a Traditional Chinese desktop: 9 points at 96 DPI.
    static const uintptr_t handle = [] {
        auto font = std::make_unique<Font>();
        font->request.height = -12;
        font->request.face = "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9"; // 新細明體
        font->stock = true;
        return Fonts().Add(std::move(font));
    }();
    return handle;
}

uintptr_t StockBitmap() {
    static const uintptr_t handle = [] {
        auto bitmap = std::make_unique<Bitmap>();
        bitmap->width = bitmap->height = 1;
        bitmap->pixels = std::make_unique<uint32_t[]>(1);
        bitmap->stock = true;
        return Bitmaps().Add(std::move(bitmap));
    }();
    return handle;
}

Font& SelectedFont(DeviceContext& dc) {
    Font* font = Fonts().Find(dc.font);
    return font ? *font : *Fonts().Find(StockFont());
}

void DeviceContext::SetClip(Region region) {
    clip = std::move(region);
    clipBounds = clip.Bounds();
    clipIsBounds = clip.Rects().size() <= 1;
}

size_t LiveObjectCount() {
    size_t count = 0;
    Brushes().ForEach([&](uintptr_t, const Brush& b) { count += !b.stock; });
    Fonts().ForEach([&](uintptr_t, const Font& f) { count += !f.stock; });
    Bitmaps().ForEach([&](uintptr_t, const Bitmap& b) { count += !b.stock; });
    return count + DeviceContexts().Count();
}

} // namespace w32::gdi

using namespace w32;
using namespace w32::gdi;

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<Brush>();
    brush->color = color & 0xFFFFFF;
    uintptr_t handle = Brushes().Add(std::move(brush));
    return handle ? ToHandle<HBRUSH>(handle) : Fail(ERROR_NOT_ENOUGH_MEMORY, HBRUSH{});
}

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = FindDC(hdc);
    uintptr_t handle = FromHandle(h);
    if (!dc)
        return Fail(ERROR_INVALID_HANDLE, HGDIOBJ{});
    switch (static_cast<HandleKind>(KindOfHandle(handle))) {
    case HandleKind::Brush: {
        if (!Brushes().Find(handle))
            break;
        uintptr_t previous = dc->brush;
        dc->brush = handle;
        return ToHandle<HGDIOBJ>(previous);
    }
    case HandleKind::Font: {
        if (!Fonts().Find(handle))
            break;
        uintptr_t previous = dc->font;
        dc->font = handle;
        return ToHandle<HGDIOBJ>(previous);
    }
    case HandleKind::Bitmap: {
        Bitmap* bitmap = Bitmaps().Find(handle);
        // Only a memory DC holds a bitmap, and a bitmap is in one DC at a time.
        if (!bitmap || !dc->memory || (bitmap->selectedInto > 0 && handle != dc->bitmap))
            break;
        uintptr_t previous = dc->bitmap;
        if (Bitmap* old = Bitmaps().Find(previous))
            --old->selectedInto;
        ++bitmap->selectedInto;
        dc->bitmap = handle;
        dc->surface = {bitmap->pixels.get(), bitmap->width, bitmap->height, bitmap->width};
        dc->SetClip(Region(RECT{0, 0, bitmap->width, bitmap->height}));
        return ToHandle<HGDIOBJ>(previous);
    }
    default:
        break;
    }
    return Fail(ERROR_INVALID_HANDLE, HGDIOBJ{});
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    uintptr_t handle = FromHandle(ho);
    switch (static_cast<HandleKind>(KindOfHandle(handle))) {
    case HandleKind::Brush:
        if (Brush* b = Brushes().Find(handle))
            return b->stock || Brushes().Remove(handle) ? TRUE : FALSE;
        break;
    case HandleKind::Font:
        if (Font* f = Fonts().Find(handle))
            return f->stock || Fonts().Remove(handle) ? TRUE : FALSE;
        break;
    case HandleKind::Bitmap:
        if (Bitmap* b = Bitmaps().Find(handle)) {
            if (b->stock)
                return TRUE;
            if (b->selectedInto > 0)
                return FALSE;
            return Bitmaps().Remove(handle) ? TRUE : FALSE;
        }
        break;
    default:
        break;
    }
    return Fail(ERROR_INVALID_HANDLE, FALSE);
}

extern "C" int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    Bitmap* bitmap = Bitmaps().Find(FromHandle(h));
    if (!bitmap)
        return Fail(ERROR_INVALID_HANDLE, 0);
    if (!pv)
        return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP)))
        return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
    BITMAP* out = static_cast<BITMAP*>(pv);
    *out = {};
    out->bmWidth = bitmap->width;
    out->bmHeight = bitmap->height;
    out->bmWidthBytes = bitmap->width * 4;
    out->bmPlanes = 1;
    out->bmBitsPixel = 32;
    return sizeof(BITMAP);
}
