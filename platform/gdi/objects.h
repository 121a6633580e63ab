// GDI objects behind their handles: brushes, fonts, bitmaps and device contexts.
#pragma once

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
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top-down
    int selectedInto = 0;         // memory DCs holding it
    bool stock = false;
};

// What a device context draws on: the screen image or a bitmap's pixels.
struct Surface {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

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

    void SetClip(Region region);
    bool ClipContains(int x, int y) const {
        if (x < clipBounds.left || x >= clipBounds.right || y < clipBounds.top ||
            y >= clipBounds.bottom)
            return false;
        return clipIsBounds || clip.Contains(x, y);
    }
};

HandleTable<Brush>& Brushes();
HandleTable<Font>& Fonts();
HandleTable<Bitmap>& Bitmaps();
HandleTable<DeviceContext>& DeviceContexts();

DeviceContext* FindDC(HDC dc);
// The DC's font, or the stock system font when its own is gone.
Font& SelectedFont(DeviceContext& dc);
uintptr_t StockFont();
uintptr_t StockBitmap();
uintptr_t StockBrush();

// 0x00BBGGRR to 0x00RRGGBB and back.
inline uint32_t ToPixel(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ToColor(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// Marks a surface area changed when the surface is the screen.
void NoteSurfaceChanged(const DeviceContext& dc, const RECT& area);

} // namespace w32::gdi
