#include "backdrop_fixture.h"

#include <string>
#include <tuple>

namespace {

struct ScreenSize {
    int width;
    int height;
};

class BackdropPixelsTest : public BackdropFixture, public ::testing::TestWithParam<ScreenSize> {
  protected:
    void SetUp() override { OpenScreen(GetParam().width, GetParam().height); }
    void TearDown() override { CloseScreen(); }
};

bool InTitleArea(int x, int y) {
    return x >= 25 && x < 500 && y >= 15 && y < 60;
}

TEST_P(BackdropPixelsTest, GradientBorderAndTitle) {
    const int w = GetParam().width, h = GetParam().height;
    lstrcpynA(State.ProductName, "Tavro Viewer", sizeof(State.ProductName));
    ASSERT_EQ(CreateBackdrop(), 1);
    ASSERT_NE(State.Backdrop, nullptr);

    for (int x = 0; x < w; ++x) {
        ASSERT_EQ(Pixel(x, 0), 0u) << "top border at x " << x;
        ASSERT_EQ(Pixel(x, h - 1), 0u) << "bottom border at x " << x;
    }
    for (int y = 0; y < h; ++y) {
        ASSERT_EQ(Pixel(0, y), 0u) << "left border at y " << y;
        ASSERT_EQ(Pixel(w - 1, y), 0u) << "right border at y " << y;
    }
    // The client area starts one pixel in, but the bands are laid out for the whole screen
    // height: client row r shows the band of screen row r.
    for (int y = 1; y < h - 1; ++y) {
        int band = 0;
        while (BandTop(band + 1, h) <= y - 1)
            ++band;
        for (int x : {1, w / 2, w - 2}) {
            if (InTitleArea(x - 1, y - 1))
                continue;
            uint32_t p = Pixel(x, y);
            ASSERT_EQ(Red(p), 0) << x << "," << y;
            ASSERT_EQ(Green(p), 0) << x << "," << y;
            ASSERT_EQ(Blue(p), 255 - band) << x << "," << y;
        }
    }
    EXPECT_EQ(Blue(Pixel(w / 2, 1)), 255);

    int white = 0, black = 0;
    for (int y = 1; y < h - 1 && y <= 61; ++y) {
        for (int x = 1; x < w - 1; ++x) {
            uint32_t p = Pixel(x, y);
            bool gradient = Red(p) == 0 && Green(p) == 0 && Blue(p) != 0;
            if (gradient)
                continue;
            ASSERT_TRUE(InTitleArea(x - 1, y - 1))
                << "title ink outside its rectangles at " << x << "," << y;
            white += p == 0xFFFFFF;
            black += p == 0;
        }
    }
    EXPECT_GT(white, 100) << "white title pixels";
    EXPECT_GT(black, 20) << "black shadow pixels";
}

INSTANTIATE_TEST_SUITE_P(Screens, BackdropPixelsTest,
                         ::testing::Values(ScreenSize{640, 480}, ScreenSize{1024, 768},
                                           ScreenSize{1920, 1080}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

class BackdropTest : public BackdropFixture, public ::testing::Test {
  protected:
    void SetUp() override { OpenScreen(640, 480); }
    void TearDown() override { CloseScreen(); }

    // Pixels of the title rectangles that are not plain gradient.
    int TitleInk() {
        int ink = 0;
        for (int y = 16; y < 61; ++y)
            for (int x = 26; x < 501; ++x)
                ink += Red(Pixel(x, y)) != 0 || Green(Pixel(x, y)) != 0 || Blue(Pixel(x, y)) == 0;
        return ink;
    }
};

TEST_F(BackdropTest, LowestVisibleBandOf480Rows) {
    ASSERT_EQ(CreateBackdrop(), 1);
    // Band 254 covers screen rows 478 and 479, behind the bottom border and off the client.
    EXPECT_EQ(Blue(Pixel(320, 478)), 255 - 253);
    EXPECT_EQ(Pixel(320, 479), 0u);
}

TEST_F(BackdropTest, EmptyProductNameDrawsNoTitle) {
    ASSERT_EQ(CreateBackdrop(), 1);
    EXPECT_EQ(TitleInk(), 0);
}

TEST_F(BackdropTest, ChineseProductNameRendersItsGlyphs) {
    lstrcpynA(State.ProductName, "\xA6\xE6\xB0\xCA\xC3\xE3\xA8\xE5", sizeof(State.ProductName));
    ASSERT_EQ(CreateBackdrop(), 1);
    EXPECT_GT(TitleInk(), 200);
}

TEST_F(BackdropTest, LongNameIsCutAtX500) {
    lstrcpynA(State.ProductName, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
              sizeof(State.ProductName));
    ASSERT_EQ(CreateBackdrop(), 1);
    for (int y = 16; y < 61; ++y)
        for (int x = 501; x < 639; ++x)
            ASSERT_EQ(Red(Pixel(x, y)), 0) << x << "," << y;
    int inkNearCut = 0;
    for (int y = 16; y < 61; ++y)
        for (int x = 481; x < 501; ++x)
            inkNearCut += Red(Pixel(x, y)) != 0;
    EXPECT_GT(inkNearCut, 0) << "the name reaches the cut";
}

TEST_F(BackdropTest, DestructionPostsNoQuitAndDeletesTheFontOnce) {
    size_t before = w32::gdi::LiveObjectCount();
    ASSERT_EQ(CreateBackdrop(), 1);
    EXPECT_EQ(w32::gdi::LiveObjectCount(), before + 1) << "the title font alone remains";
    HFONT font = TitleFont;
    EXPECT_TRUE(DestroyWindow(State.Backdrop));
    EXPECT_FALSE(HasPendingQuit());
    EXPECT_EQ(w32::gdi::LiveObjectCount(), before);
    EXPECT_FALSE(DeleteObject(font)) << "already deleted";
    EXPECT_FALSE(IsWindow(State.Backdrop));
}

TEST_F(BackdropTest, RepaintsLeaveNoObjectBehind) {
    ASSERT_EQ(CreateBackdrop(), 1);
    size_t afterCreate = w32::gdi::LiveObjectCount();
    InvalidateRect(State.Backdrop, nullptr, FALSE);
    UpdateWindow(State.Backdrop);
    EXPECT_EQ(w32::gdi::LiveObjectCount(), afterCreate);
    DestroyWindow(State.Backdrop);
}

TEST_F(BackdropTest, CloseRequestDestroysTheWindow) {
    ASSERT_EQ(CreateBackdrop(), 1);
    SendMessageA(State.Backdrop, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(State.Backdrop));
    EXPECT_FALSE(HasPendingQuit());
}

} // namespace
