// PNG screenshots with libpng: 8-bit RGB, one row at a time from the screen image.
#include "display/png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace w32::display {

bool WritePng(const Pixels& image, const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error)
            *error = "cannot write screenshot '" + path + "': " + why;
        return false;
    };
    if (!image.data || image.width <= 0 || image.height <= 0)
        return fail("no screen");
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file)
        return fail("cannot open the file");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return fail("out of memory");
    }
    std::vector<png_byte> row(static_cast<size_t>(image.width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return fail("libpng failed");
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = image.data + static_cast<size_t>(y) * image.stride;
        for (int x = 0; x < image.width; ++x) {
            row[3 * x] = static_cast<png_byte>(src[x] >> 16);
            row[3 * x + 1] = static_cast<png_byte>(src[x] >> 8);
            row[3 * x + 2] = static_cast<png_byte>(src[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace w32::display
