// The DIB decoder on arbitrary bytes: it must refuse or decode within bounds, never crash.
#include "gdi/dib.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<w32::gdi::Image> image =
        w32::gdi::DecodeDib(std::span(reinterpret_cast<const std::byte*>(data), size));
    if (image && (image->width <= 0 || image->height <= 0 || !image->pixels))
        __builtin_trap();
    if (image) {
        uint32_t sum = 0;
        for (size_t i = 0; i < size_t(image->width) * image->height; ++i)
            sum |= image->pixels[i]; // every pixel was written
        if (sum > 0xFFFFFF)
            __builtin_trap(); // pixels carry no alpha
    }
    return 0;
}
