// Faces behind a font: fontconfig picks them, FreeType renders them, glyphs are cached.
#pragma once

#include "gdi/objects.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace w32::gdi {

struct Glyph {
    int width = 0;
    int rows = 0;
    int left = 0;    // from the pen position to the bitmap's left edge
    int top = 0;     // from the baseline up to the bitmap's top edge
    int advance = 0; // pen movement in pixels
    std::vector<uint8_t> alpha;
};

class Face;

class FontFaces {
  public:
    // The faces for a request, shared by every font that asks the same; null when no face at
    // all can be found (no fonts installed).
    static std::shared_ptr<FontFaces> Resolve(const FontRequest& request);

    // The glyph of a character, from the fallback face when the chosen face lacks it.
    const Glyph& GlyphFor(char32_t character);
    int Ascent() const { return ascent_; }
    int Height() const { return height_; }

    FontFaces(std::shared_ptr<Face> primary, std::shared_ptr<Face> fallback);

  private:
    std::shared_ptr<Face> primary_;
    std::shared_ptr<Face> fallback_;
    int ascent_ = 0;
    int height_ = 0;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

} // namespace w32::gdi
