// Device-independent bitmaps as resources hold them: a BITMAPINFOHEADER, a colour table and
// the pixel rows, without the file header of a .bmp file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace w32::gdi {

struct Image {
    int width = 0;
    int height = 0;
    // 0x00RRGGBB, top row first; not zero-filled first, since decoding writes every pixel.
    std::unique_ptr<uint32_t[]> pixels;
};

// Decodes 1, 4, 8, 24 and 32 bits per pixel, uncompressed (BI_RGB, and BI_BITFIELDS for 32
// bits), bottom-up or top-down. nullopt for anything malformed, compressed or larger than
// 16384 pixels on a side.
std::optional<Image> DecodeDib(std::span<const std::byte> dib);

} // namespace w32::gdi
