#include "gdi/dib.h"

#include <algorithm>

#include <vector>

namespace w32::gdi {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr int64_t kMaxSide = 16384;

uint32_t U32(std::span<const std::byte> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(std::span<const std::byte> b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned>(b[at]) | static_cast<unsigned>(b[at + 1])
                                                                    << 8);
}

// The value of a masked channel scaled to 8 bits.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (!mask)
        return 0;
    int shift = __builtin_ctz(mask);
    uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255 / max;
}

} // namespace

std::optional<Image> DecodeDib(std::span<const std::byte> dib) {
    if (dib.size() < kInfoHeaderSize)
        return std::nullopt;
    uint32_t headerSize = U32(dib, 0);
    int32_t width = static_cast<int32_t>(U32(dib, 4));
    int32_t rawHeight = static_cast<int32_t>(U32(dib, 8));
    uint16_t planes = U16(dib, 12);
    uint16_t bits = U16(dib, 14);
    uint32_t compression = U32(dib, 16);
    uint32_t colorsUsed = U32(dib, 32);
    if (headerSize < kInfoHeaderSize || headerSize > dib.size() || planes != 1)
        return std::nullopt;
    int64_t height = rawHeight < 0 ? -int64_t{rawHeight} : rawHeight;
    bool topDown = rawHeight < 0;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    if (!(compression == kRgb || (compression == kBitFields && bits == 32)))
        return std::nullopt;

    size_t pos = headerSize;
    uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
    if (compression == kBitFields) {
        // The masks follow a 40-byte header; larger headers carry them inside.
        size_t at = headerSize == kInfoHeaderSize ? pos : 40;
        if (at + 12 > dib.size())
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            masks[i] = U32(dib, at + 4 * i);
        if (headerSize == kInfoHeaderSize)
            pos += 12;
    }
    std::vector<uint32_t> palette;
    if (bits <= 8) {
        uint32_t entries = colorsUsed ? colorsUsed : (1u << bits);
        if (entries > (1u << bits) || entries * 4 > dib.size() - pos)
            return std::nullopt;
        for (uint32_t i = 0; i < entries; ++i)
            palette.push_back(U32(dib, pos + 4 * i) & 0xFFFFFF); // RGBQUAD: B, G, R, reserved
        pos += entries * 4;
    }
    size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (stride * height > dib.size() - pos)
        return std::nullopt;

    Image image;
    image.width = width;
    image.height = static_cast<int>(height);
    image.pixels = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width) * height);
    // An index past the colour table is black, as a short table leaves it.
    if (bits <= 8)
        palette.resize(size_t{1} << bits, 0);
    for (int64_t row = 0; row < height; ++row) {
        const std::byte* src = dib.data() + pos + stride * row;
        int64_t y = topDown ? row : height - 1 - row;
        uint32_t* out = image.pixels.get() + y * width;
        if (bits == 32 && compression == kBitFields) {
            for (int32_t x = 0; x < width; ++x) {
                uint32_t v = U32(dib, pos + stride * row + 4 * x);
                out[x] =
                    Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]);
            }
        } else if (bits == 32) {
            for (int32_t x = 0; x < width; ++x)
                out[x] = U32(dib, pos + stride * row + 4 * x) & 0xFFFFFF;
        } else if (bits == 24) {
            for (int32_t x = 0; x < width; ++x)
                out[x] = static_cast<uint32_t>(src[3 * x]) |
                         static_cast<uint32_t>(src[3 * x + 1]) << 8 |
                         static_cast<uint32_t>(src[3 * x + 2]) << 16;
        } else if (bits == 8) {
            for (int32_t x = 0; x < width; ++x)
                out[x] = palette[static_cast<unsigned>(src[x])];
        } else {
            unsigned perByte = 8 / bits, mask = (1u << bits) - 1;
            for (int32_t x = 0; x < width; ++x) {
                unsigned byte = static_cast<unsigned>(src[x / perByte]);
                out[x] = palette[(byte >> ((perByte - 1 - x % perByte) * bits)) & mask];
            }
        }
    }
    return image;
}

} // namespace w32::gdi
