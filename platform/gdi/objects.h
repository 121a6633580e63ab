// GDI objects behind their handles: brushes, fonts, bitmaps and device contexts.
#pragma once

#include "display/backend.h"
#include "gdi/region.h"
#include "kernel/handle_table.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace w32::gdi {

class FontFaces; // resolved faces of a font, made on first use (font.h)

struct Brush {
    COLORREF color = 0;
    bool stock = false;
};

struct FontRequest {
    int height = 0; // < 0: character height, > 0: cell height, 0: default
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    DWORD charset = DEFAULT_CHARSET;
    std::string face; // ANSI code page
};

struct Font {
    FontRequest request;
    std::shared_ptr<FontFaces> faces;
    bool stock = false;
};

struct Bitmap {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint32_t[]> pixels; // 0x00RRGGBB, top-down
    int selectedInto = 0;               // memory DCs holding it
    bool stock = false;
};

// What a device context draws on: the screen image or a bitmap's pixels, in the screen's form.
using Surface = display::Pixels;

struct DeviceContext {
    bool memory = false;
    POINT origin = {0, 0}; // added to logical coordinates to reach surface coordinates
    Region clip;           // surface coordinates
    RECT clipBounds = {0, 0, 0, 0};
    bool clipIsBounds = true; // the clip is exactly clipBounds
    Surface surface;
    uintptr_t brush = 0;
    uintptr_t font = 0;
    uintptr_t bitmap = 0; // memory DCs only
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backColor = RGB(255, 255, 255);
    int backMode = OPAQUE;
    bool pixelsSet = false; // SetPixel wrote to the screen; the clip area counts as changed

    void SetClip(Region region);
    bool ClipContains(int x, int y) const {
        if (x < clipBounds.left || x >= clipBounds.right || y < clipBounds.top ||
            y >= clipBounds.bottom)
            return false;
        return clipIsBounds || clip.Contains(x, y);
    }
};

// Constant-initialised, so the pixel calls reach them without a guard or a call.
inline constinit HandleTable<Brush> g_brushes{HandleKind::Brush};
inline constinit HandleTable<Font> g_fonts{HandleKind::Font};
inline constinit HandleTable<Bitmap> g_bitmaps{HandleKind::Bitmap};
inline constinit HandleTable<DeviceContext> g_deviceContexts{HandleKind::DeviceContext};

inline HandleTable<Brush>& Brushes() {
    return g_brushes;
}
inline HandleTable<Font>& Fonts() {
    return g_fonts;
}
inline HandleTable<Bitmap>& Bitmaps() {
    return g_bitmaps;
}
inline HandleTable<DeviceContext>& DeviceContexts() {
    return g_deviceContexts;
}

// Pixel copies alternate between two DCs (GetPixel from one, SetPixel to the other) for long
// runs: the two DCs found last are remembered, and forgotten whenever any DC is deleted.
struct FoundDC {
    uintptr_t handle = 0;
    DeviceContext* dc = nullptr;
};
inline constinit FoundDC g_foundDcs[2] = {};

inline DeviceContext* FindDC(HDC dc) {
    uintptr_t handle = FromHandle(dc);
    if (handle == g_foundDcs[0].handle && handle != 0)
        return g_foundDcs[0].dc;
    if (handle == g_foundDcs[1].handle && handle != 0)
        return g_foundDcs[1].dc;
    DeviceContext* found = g_deviceContexts.Find(handle);
    if (found) {
        g_foundDcs[1] = g_foundDcs[0];
        g_foundDcs[0] = {handle, found};
    }
    return found;
}

inline void RemoveDC(HDC dc) {
    g_foundDcs[0] = g_foundDcs[1] = {};
    g_deviceContexts.Remove(FromHandle(dc));
}
// The DC's font, or the stock system font when its own is gone.
Font& SelectedFont(DeviceContext& dc);
uintptr_t StockFont();
uintptr_t StockBitmap();
uintptr_t StockBrush();

// 0x00BBGGRR to 0x00RRGGBB and back: a byte swap and a shift.
inline uint32_t ToPixel(COLORREF c) {
    return __builtin_bswap32(c) >> 8;
}
inline COLORREF ToColor(uint32_t p) {
    return __builtin_bswap32(p) >> 8;
}

// Marks a surface area changed when the surface is the screen.
void NoteSurfaceChanged(const DeviceContext& dc, const RECT& area);

} // namespace w32::gdi
