// Font matching and glyph rendering.
//
// fontconfig is set up on first use with the layer's own fonts.conf (linked into the program),
// so the Chinese dialog faces and Times New Roman find installed faces. A negative height asks for
// that character (em) height in pixels, a positive one for that cell height (ascent + descent), 0
// for the system font's 12 pixels. A bold request matched by a regular face is emboldened. Glyphs
// the face lacks come from a face of the code page's language. Not supported: widths, escapement,
// orientation, strike-out.
#include "gdi/font.h"

#include "kernel/codepage.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>

extern "C" const char w32_fonts_conf[];

namespace w32::gdi {

// One FreeType face at one pixel size.
class Face {
  public:
    Face(FT_Face face, bool embolden) : face_(face), embolden_(embolden) {}
    ~Face() { FT_Done_Face(face_); }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    FT_Face Get() const { return face_; }
    bool Embolden() const { return embolden_; }
    bool Has(char32_t c) const { return FT_Get_Char_Index(face_, c) != 0; }

  private:
    FT_Face face_;
    bool embolden_;
};

namespace {

struct Library {
    FT_Library freetype = nullptr;
    FcConfig* config = nullptr;
    bool ready = false;
};

Library& Fonts() {
    static Library library;
    if (!library.ready) {
        library.ready = true;
        if (FT_Init_FreeType(&library.freetype) != 0)
            library.freetype = nullptr;
        // Our own configuration alone: see res/fonts.conf for why not the system's.
        library.config = FcConfigCreate();
        if (!FcConfigParseAndLoadFromMemory(
                library.config, reinterpret_cast<const FcChar8*>(w32_fonts_conf), FcTrue) ||
            !FcConfigBuildFonts(library.config)) {
            std::fprintf(stderr, "setup: the layer's font configuration could not be loaded\n");
            FcConfigDestroy(library.config);
            library.config = nullptr;
        }
    }
    return library;
}

int FontconfigWeight(int weight) {
    return FcWeightFromOpenType(weight <= 0 ? FW_NORMAL : weight);
}

// The pixel size that gives the asked height.
FT_UInt PixelSize(FT_Face face, int height) {
    if (height < 0)
        return static_cast<FT_UInt>(-height);
    if (height == 0)
        return 12;
    int cell = face->ascender - face->descender;
    if (cell <= 0)
        return static_cast<FT_UInt>(height);
    return static_cast<FT_UInt>(std::lround(double(height) * face->units_per_EM / cell));
}

std::shared_ptr<Face> Open(FcPattern* pattern, int height, int weight) {
    Library& lib = Fonts();
    if (!lib.freetype || !lib.config)
        return nullptr;
    FcConfigSubstitute(lib.config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(lib.config, pattern, &result);
    if (!match)
        return nullptr;
    FcChar8* file = nullptr;
    int index = 0, matchedWeight = FC_WEIGHT_REGULAR;
    FcPatternGetString(match, FC_FILE, 0, &file);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
    // Faces are shared by file, index, size and boldness.
    static std::map<std::tuple<std::string, int, int, bool>, std::weak_ptr<Face>> opened;
    bool embolden = weight >= 600 && matchedWeight < FC_WEIGHT_DEMIBOLD;
    std::shared_ptr<Face> face;
    if (file) {
        auto key =
            std::make_tuple(std::string(reinterpret_cast<char*>(file)), index, height, embolden);
        face = opened[key].lock();
        FT_Face ft = nullptr;
        if (!face && FT_New_Face(lib.freetype, reinterpret_cast<char*>(file), index, &ft) == 0) {
            FT_Set_Pixel_Sizes(ft, 0, PixelSize(ft, height));
            face = std::make_shared<Face>(ft, embolden);
            opened[key] = face;
        }
    }
    FcPatternDestroy(match);
    return face;
}

const char* LanguageOfCodePage() {
    switch (codepage::Current()) {
    case 950:
        return "zh-tw";
    case 936:
        return "zh-cn";
    case 932:
        return "ja";
    case 949:
        return "ko";
    default:
        return "en";
    }
}

} // namespace

FontFaces::FontFaces(std::shared_ptr<Face> primary, std::shared_ptr<Face> fallback)
    : primary_(std::move(primary)), fallback_(std::move(fallback)) {
    const FT_Size_Metrics& m = primary_->Get()->size->metrics;
    ascent_ = static_cast<int>((m.ascender + 63) >> 6);
    height_ = ascent_ + static_cast<int>((-m.descender + 63) >> 6);
}

std::shared_ptr<FontFaces> FontFaces::Resolve(const FontRequest& request) {
    static std::map<std::tuple<std::string, int, int, bool>, std::weak_ptr<FontFaces>> resolved;
    auto key = std::make_tuple(request.face, request.height, request.weight, request.italic);
    if (std::shared_ptr<FontFaces> faces = resolved[key].lock())
        return faces;

    auto pattern = [&](bool byLanguage) {
        FcPattern* p = FcPatternCreate();
        if (byLanguage)
            FcPatternAddString(p, FC_LANG, reinterpret_cast<const FcChar8*>(LanguageOfCodePage()));
        else if (!request.face.empty())
            FcPatternAddString(
                p, FC_FAMILY,
                reinterpret_cast<const FcChar8*>(codepage::ToUtf8(request.face).c_str()));
        FcPatternAddInteger(p, FC_WEIGHT, FontconfigWeight(request.weight));
        FcPatternAddInteger(p, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        return p;
    };
    FcPattern* primaryPattern = pattern(false);
    std::shared_ptr<Face> primary = Open(primaryPattern, request.height, request.weight);
    FcPatternDestroy(primaryPattern);
    FcPattern* fallbackPattern = pattern(true);
    std::shared_ptr<Face> fallback = Open(fallbackPattern, request.height, request.weight);
    FcPatternDestroy(fallbackPattern);
    if (!primary)
        primary = fallback;
    if (!primary)
        return nullptr;
    auto faces = std::make_shared<FontFaces>(primary, fallback ? fallback : primary);
    resolved[key] = faces;
    return faces;
}

const Glyph& FontFaces::GlyphFor(char32_t character) {
    auto [it, inserted] = glyphs_.try_emplace(character);
    Glyph& glyph = it->second;
    if (!inserted)
        return glyph;
    const Face& face =
        primary_->Has(character) || !fallback_->Has(character) ? *primary_ : *fallback_;
    FT_Face ft = face.Get();
    if (FT_Load_Char(ft, character, FT_LOAD_DEFAULT) != 0)
        return glyph;
    if (face.Embolden())
        FT_GlyphSlot_Embolden(ft->glyph);
    if (FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    const FT_Bitmap& bitmap = ft->glyph->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = ft->glyph->bitmap_left;
    glyph.top = ft->glyph->bitmap_top;
    glyph.advance = static_cast<int>((ft->glyph->advance.x + 32) >> 6);
    glyph.alpha.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
    // Outlines render to 8-bit coverage; the embedded bitmaps of some CJK faces at small sizes
    // are one bit a pixel. Other modes (colour, LCD) are not asked for and stay blank.
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        uint8_t* out = glyph.alpha.data() + static_cast<size_t>(row) * glyph.width;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
            std::copy(src, src + glyph.width, out);
        else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
            for (int x = 0; x < glyph.width; ++x)
                out[x] = (src[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
    }
    return glyph;
}

} // namespace w32::gdi
