// CreateFontA and DrawTextA.
//
// DrawTextA handles DT_LEFT, DT_CENTER, DT_RIGHT, DT_TOP, DT_VCENTER and DT_BOTTOM (the last two
// with DT_SINGLELINE), DT_SINGLELINE, DT_WORDBREAK (at blanks and between double-byte
// characters), DT_CALCRECT, DT_NOCLIP and DT_NOPREFIX ('&' underlines the next character, "&&"
// is one '&'). Not supported: tabs (DT_EXPANDTABS), ellipses, DT_EXTERNALLEADING, right-to-left.
// Text arrives in the ANSI code page; glyphs are blended in the text colour.
#include "gdi/dc.h"
#include "gdi/font.h"
#include "gdi/objects.h"
#include "kernel/codepage.h"
#include "kernel/last_error.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace w32::gdi {
namespace {

struct Character {
    char32_t code;
    bool underline;
};

struct Line {
    size_t begin;
    size_t end;
    int width;
};

std::vector<Character> Decode(std::string_view ansi, bool prefixes) {
    std::u16string units = codepage::ToUtf16(ansi);
    std::vector<Character> out;
    bool underlineNext = false;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        if (prefixes && c == u'&' && !underlineNext) {
            underlineNext = true;
            continue;
        }
        out.push_back({c, underlineNext && c != u'&'});
        underlineNext = false;
    }
    return out;
}

bool IsWide(char32_t c) {
    return c >= 0x2E80;
}

// Splits the text into lines: at line breaks unless single-line, and where it would pass
// maxWidth when wrapping. Blanks at a wrap are dropped.
std::vector<Line> Layout(const std::vector<Character>& text, FontFaces& faces, UINT format,
                         int maxWidth) {
    std::vector<Line> lines;
    bool single = format & DT_SINGLELINE;
    bool wrap = (format & DT_WORDBREAK) && !single;
    size_t begin = 0;
    while (begin <= text.size()) {
        int width = 0;
        size_t i = begin;
        size_t lastBreak = std::string::npos; // a line may end before this index
        int widthAtBreak = 0;
        bool hardBreak = false;
        for (; i < text.size(); ++i) {
            char32_t c = text[i].code;
            if (c == U'\r' || c == U'\n') {
                if (single)
                    continue;
                hardBreak = true;
                break;
            }
            if (wrap && i > begin && (c == U' ' || IsWide(c) || IsWide(text[i - 1].code))) {
                lastBreak = i;
                widthAtBreak = width;
            }
            int advance = faces.GlyphFor(c).advance;
            if (wrap && width + advance > maxWidth && lastBreak != std::string::npos && c != U' ') {
                i = lastBreak;
                width = widthAtBreak;
                break;
            }
            width += advance;
        }
        size_t end = i;
        while (wrap && end > begin && text[end - 1].code == U' ') {
            width -= faces.GlyphFor(U' ').advance;
            --end;
        }
        lines.push_back({begin, end, width});
        if (i >= text.size())
            break;
        if (hardBreak) {
            begin =
                i + 1 + (text[i].code == U'\r' && i + 1 < text.size() && text[i + 1].code == U'\n');
        } else {
            begin = i;
            while (begin < text.size() && text[begin].code == U' ')
                ++begin;
            if (begin >= text.size())
                break;
        }
    }
    return lines;
}

uint32_t Blend(uint32_t dst, uint32_t color, unsigned alpha) {
    auto mix = [&](int shift) {
        unsigned d = (dst >> shift) & 0xFF, s = (color >> shift) & 0xFF;
        return ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    };
    return mix(16) | mix(8) | mix(0);
}

void FillClipped(DeviceContext& dc, const Region& clip, RECT area, uint32_t pixel) {
    for (const RECT& c : clip.Rects()) {
        RECT r = {std::max(area.left, c.left), std::max(area.top, c.top),
                  std::min(area.right, c.right), std::min(area.bottom, c.bottom)};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                dc.surface.data[static_cast<size_t>(y) * dc.surface.stride + x] = pixel;
    }
}

// Blends a glyph onto the surface; the clip is tested per pixel only when it is not just bounds.
void DrawGlyph(const Surface& surface, const Region& clip, bool clipIsBounds, const RECT& bounds,
               const Glyph& glyph, int penX, int baseline, uint32_t color) {
    int left = penX + glyph.left, top = baseline - glyph.top;
    RECT area = {std::max<LONG>(left, bounds.left), std::max<LONG>(top, bounds.top),
                 std::min<LONG>(left + glyph.width, bounds.right),
                 std::min<LONG>(top + glyph.rows, bounds.bottom)};
    for (int y = area.top; y < area.bottom; ++y) {
        const uint8_t* alpha = glyph.alpha.data() + static_cast<size_t>(y - top) * glyph.width;
        uint32_t* row = surface.data + static_cast<size_t>(y) * surface.stride;
        for (int x = area.left; x < area.right; ++x) {
            unsigned a = alpha[x - left];
            if (a && (clipIsBounds || clip.Contains(x, y)))
                row[x] = a == 255 ? color : Blend(row[x], color, a);
        }
    }
}

} // namespace
} // namespace w32::gdi

using namespace w32;
using namespace w32::gdi;

extern "C" HFONT WINAPI CreateFontA(int cHeight, int, int, int, int cWeight, DWORD bItalic,
                                    DWORD bUnderline, DWORD, DWORD iCharSet, DWORD, DWORD, DWORD,
                                    DWORD, LPCSTR pszFaceName) {
    auto font = std::make_unique<Font>();
    font->request.height = cHeight;
    font->request.weight = cWeight;
    font->request.italic = bItalic != 0;
    font->request.underline = bUnderline != 0;
    font->request.charset = iCharSet;
    // Face names are at most 31 characters, as in LOGFONT.
    if (pszFaceName)
        font->request.face.assign(pszFaceName, strnlen(pszFaceName, 31));
    uintptr_t handle = Fonts().Add(std::move(font));
    return handle ? ToHandle<HFONT>(handle) : Fail(ERROR_NOT_ENOUGH_MEMORY, HFONT{});
}

extern "C" int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc || !lpchText || !lprc)
        return Fail(ERROR_INVALID_PARAMETER, 0);
    size_t length = cchText < 0 ? std::strlen(lpchText) : static_cast<size_t>(cchText);
    Font& font = SelectedFont(*dc);
    if (!font.faces)
        font.faces = FontFaces::Resolve(font.request);
    if (!font.faces)
        return 0;
    FontFaces& faces = *font.faces;

    std::vector<Character> text =
        Decode(std::string_view(lpchText, length), !(format & DT_NOPREFIX));
    const RECT rect = *lprc;
    std::vector<Line> lines = Layout(text, faces, format, rect.right - rect.left);
    int lineHeight = faces.Height();
    int total = lineHeight * static_cast<int>(lines.size());
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, line.width);

    if (format & DT_CALCRECT) {
        lprc->right = rect.left + widest;
        lprc->bottom = rect.top + total;
        return total;
    }

    int y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect.bottom - lineHeight;
    }
    int result = y - rect.top + total;
    if (!dc->surface.data || lines.empty())
        return result;

    Region clip = dc->clip;
    if (!(format & DT_NOCLIP))
        clip.Intersect(RECT{rect.left + dc->origin.x, rect.top + dc->origin.y,
                            rect.right + dc->origin.x, rect.bottom + dc->origin.y});
    RECT bounds = clip.Bounds();
    bool single = clip.Rects().size() <= 1;
    uint32_t color = ToPixel(dc->textColor);
    RECT changed = {0, 0, 0, 0};
    for (const Line& line : lines) {
        int x = rect.left;
        if (format & DT_CENTER)
            x = rect.left + (rect.right - rect.left - line.width) / 2;
        else if (format & DT_RIGHT)
            x = rect.right - line.width;
        int sx = x + dc->origin.x, sy = y + dc->origin.y;
        if (dc->backMode == OPAQUE)
            FillClipped(*dc, clip, RECT{sx, sy, sx + line.width, sy + lineHeight},
                        ToPixel(dc->backColor));
        int baseline = sy + faces.Ascent();
        for (size_t i = line.begin; i < line.end; ++i) {
            char32_t c = text[i].code;
            if (c == U'\r' || c == U'\n')
                continue;
            const Glyph& glyph = faces.GlyphFor(c);
            DrawGlyph(dc->surface, clip, single, bounds, glyph, sx, baseline, color);
            if (text[i].underline || font.request.underline)
                FillClipped(*dc, clip, RECT{sx, baseline + 1, sx + glyph.advance, baseline + 2},
                            color);
            sx += glyph.advance;
        }
        RECT lineArea = {x + dc->origin.x, y + dc->origin.y, sx, y + dc->origin.y + lineHeight};
        changed = changed.right == 0
                      ? lineArea
                      : RECT{std::min(changed.left, lineArea.left), changed.top,
                             std::max(changed.right, lineArea.right), lineArea.bottom};
        y += lineHeight;
    }
    RECT visible = {std::max(changed.left, bounds.left), std::max(changed.top, bounds.top),
                    std::min(changed.right, bounds.right), std::min(changed.bottom, bounds.bottom)};
    NoteSurfaceChanged(*dc, visible);
    return result;
}
