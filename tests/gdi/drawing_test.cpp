#include "gdi_fixture.h"
#include "gdi/dib.h"
#include "resources/resources.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST_F(GdiTest, FillRectUsesOriginAndClip) {
    w32::gdi::Region clip(RECT{10, 10, 30, 30});
    clip.Subtract(RECT{15, 15, 20, 20});
    HDC dc = ScreenDC(10, 10, clip);
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    RECT all = {-100, -100, 100, 100};
    EXPECT_EQ(FillRect(dc, &all, brush), 1);
    EXPECT_EQ(Pixel(10, 10), 0x123456u);
    EXPECT_EQ(Pixel(29, 29), 0x123456u);
    EXPECT_EQ(Pixel(9, 10), 0u) << "outside the clip";
    EXPECT_EQ(Pixel(30, 29), 0u);
    EXPECT_EQ(Pixel(16, 16), 0u) << "in the clip's hole";
    RECT local = {0, 0, 2, 2}; // logical (0,0) is screen (10,10)
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &local, red);
    EXPECT_EQ(Pixel(11, 11), 0xFF0000u);
    EXPECT_EQ(Pixel(12, 12), 0x123456u);
    DeleteObject(brush);
    DeleteObject(red);
    w32::gdi::ReleaseScreenDC(dc);
}

TEST_F(GdiTest, PixelsKeepTheirColourAndTheClip) {
    HDC dc = ScreenDC(4, 4, w32::gdi::Region(RECT{4, 4, 20, 20}));
    EXPECT_EQ(SetPixel(dc, 1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(Pixel(5, 6), 0x010203u) << "COLORREF is 0x00BBGGRR, the screen 0x00RRGGBB";
    EXPECT_EQ(GetPixel(dc, 1, 2), RGB(1, 2, 3));
    EXPECT_EQ(SetPixel(dc, -1, 0, RGB(9, 9, 9)), COLORREF(-1));
    EXPECT_EQ(GetPixel(dc, 16, 0), CLR_INVALID);
    EXPECT_EQ(Pixel(3, 4), 0u);
    w32::gdi::ReleaseScreenDC(dc);
    EXPECT_EQ(SetPixel(dc, 1, 2, 0), COLORREF(-1)) << "a released DC is gone";
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(0x1234), 0, 0), CLR_INVALID);
}

TEST_F(GdiTest, ObjectsAreCountedSelectedAndReleased) {
    HDC memory = CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(w32::gdi::LiveObjectCount(), objects_ + 3);
    HGDIOBJ oldFont = SelectObject(memory, font);
    ASSERT_NE(oldFont, nullptr);
    EXPECT_EQ(SelectObject(memory, oldFont), font);
    HGDIOBJ oldBrush = SelectObject(memory, brush);
    SelectObject(memory, oldBrush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush)) << "deleted twice";
    EXPECT_EQ(SelectObject(memory, brush), nullptr) << "a stale handle selects nothing";
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x7777)));
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(0x7777), oldFont), nullptr);
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_FALSE(DeleteDC(memory));
}

// A packed DIB: header, colour table, rows. Rows are padded to 4 bytes.
std::vector<std::byte> Dib(int width, int height, int bits, std::vector<uint32_t> palette,
                           std::vector<uint8_t> rows, uint32_t compression = 0) {
    std::vector<std::byte> out(40);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = std::byte((v >> (8 * i)) & 0xFF);
    };
    put32(0, 40);
    put32(4, uint32_t(width));
    put32(8, uint32_t(height));
    out[12] = std::byte(1);
    out[14] = std::byte(bits);
    put32(16, compression);
    put32(32, uint32_t(palette.size()));
    for (uint32_t c : palette)
        for (int i = 0; i < 4; ++i)
            out.push_back(std::byte((c >> (8 * i)) & 0xFF));
    for (uint8_t b : rows)
        out.push_back(std::byte(b));
    return out;
}

TEST(DibTest, DecodesEveryDepthAndOrientation) {
    struct Case {
        const char* name;
        std::vector<std::byte> dib;
        std::vector<uint32_t> pixels; // top row first
    } cases[] = {
        // 2 x 2, bottom-up: the first stored row is the bottom one.
        {"1 bit",
         Dib(2, 2, 1, {0x000000, 0xFFFFFF}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}),
         {0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF}},
        {"4 bits",
         Dib(3, 1, 4, {0x111111, 0x222222, 0x333333}, {0x12, 0x00, 0, 0}),
         {0x222222, 0x333333, 0x111111}},
        {"8 bits", Dib(2, 1, 8, {0x0000FF, 0x00FF00}, {1, 0, 0, 0}), {0x00FF00, 0x0000FF}},
        {"24 bits",
         Dib(1, 2, 24, {}, {0x01, 0x02, 0x03, 0, 0x0A, 0x0B, 0x0C, 0}),
         {0x0C0B0A, 0x030201}},
        {"32 bits top-down", Dib(1, -2, 32, {}, {1, 2, 3, 0, 4, 5, 6, 0}), {0x030201, 0x060504}},
    };
    for (const Case& c : cases) {
        std::optional<w32::gdi::Image> image = w32::gdi::DecodeDib(c.dib);
        ASSERT_TRUE(image) << c.name;
        ASSERT_EQ(size_t(image->width * image->height), c.pixels.size()) << c.name;
        for (size_t i = 0; i < c.pixels.size(); ++i)
            EXPECT_EQ(image->pixels[i], c.pixels[i]) << c.name << " pixel " << i;
    }
}

TEST(DibTest, RefusesMalformedBitmaps) {
    std::vector<std::byte> good = Dib(2, 2, 24, {}, std::vector<uint8_t>(16, 0));
    ASSERT_TRUE(w32::gdi::DecodeDib(good));
    auto with = [&](size_t at, uint8_t value) {
        auto d = good;
        d[at] = std::byte(value);
        return d;
    };
    struct Case {
        const char* name;
        std::vector<std::byte> dib;
    } cases[] = {
        {"truncated header", std::vector<std::byte>(good.begin(), good.begin() + 20)},
        {"truncated rows", std::vector<std::byte>(good.begin(), good.end() - 1)},
        {"zero width", with(4, 0)},
        {"huge width", with(7, 0x7F)},
        {"16 bits", with(14, 16)},
        {"compressed", with(16, 1)},
        {"two planes", with(12, 2)},
        {"header size past the end", with(1, 0xFF)},
        {"too many colours", Dib(1, 1, 1, std::vector<uint32_t>(3, 0), {0, 0, 0, 0})},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(w32::gdi::DecodeDib(c.dib)) << c.name;
}

TEST_F(GdiTest, LoadedBitmapIsReadThroughAMemoryDC) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    EXPECT_EQ(GetObjectA(bitmap, sizeof(info), &info), int(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(memory, 2, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(memory, 3, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    SelectObject(memory, old);
    EXPECT_TRUE(DeleteObject(bitmap));
    DeleteDC(memory);
    EXPECT_EQ(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2)), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
}

} // namespace
