#include "gdi_fixture.h"

#include <windows.h>

#include <algorithm>

namespace {

class TextTest : public GdiTest {
  protected:
    void SetUp() override {
        GdiTest::SetUp();
        dc_ = ScreenDC(0, 0, w32::gdi::Region(RECT{0, 0, 64, 48}));
        font_ = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                            FF_ROMAN | VARIABLE_PITCH, "Times New Roman");
        old_ = SelectObject(dc_, font_);
        SetTextColor(dc_, RGB(255, 255, 255));
        SetBkMode(dc_, TRANSPARENT);
    }
    void TearDown() override {
        SelectObject(dc_, old_);
        DeleteObject(font_);
        w32::gdi::ReleaseScreenDC(dc_);
        GdiTest::TearDown();
    }
    // Bounds of the non-black pixels.
    RECT Ink() {
        RECT ink = {64, 48, 0, 0};
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                if (Pixel(x, y)) {
                    ink.left = std::min<LONG>(ink.left, x);
                    ink.top = std::min<LONG>(ink.top, y);
                    ink.right = std::max<LONG>(ink.right, x + 1);
                    ink.bottom = std::max<LONG>(ink.bottom, y + 1);
                }
        return ink;
    }
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST_F(TextTest, CalcRectMeasuresWithoutDrawing) {
    RECT shortText = {0, 0, 1000, 0}, longText = {0, 0, 1000, 0};
    int height = DrawTextA(dc_, "Tavro", -1, &shortText, DT_SINGLELINE | DT_CALCRECT);
    DrawTextA(dc_, "Tavro Viewer", -1, &longText, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GE(height, 16);
    EXPECT_LE(height, 24);
    EXPECT_EQ(shortText.bottom, height);
    EXPECT_GT(shortText.right, 20);
    EXPECT_GT(longText.right, shortText.right);
    EXPECT_EQ(Ink().right, 0) << "nothing drawn";
}

TEST_F(TextTest, TextIsClippedToItsRectangleUnlessAskedNot) {
    RECT box = {10, 10, 30, 40};
    DrawTextA(dc_, "WWWWWW", -1, &box, DT_SINGLELINE);
    RECT ink = Ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 30);
    EXPECT_EQ(ink.right, 30) << "the text reaches the cut";
    DrawTextA(dc_, "WWWWWW", -1, &box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().right, 30);
}

TEST_F(TextTest, VerticalCentreAndTheReturnedHeight) {
    RECT box = {0, 0, 64, 48};
    int result = DrawTextA(dc_, "x", -1, &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    RECT ink = Ink();
    int middle = (ink.top + ink.bottom) / 2;
    EXPECT_NEAR(middle, 24, 6);
    EXPECT_NEAR((ink.left + ink.right) / 2, 32, 4);
    EXPECT_GT(result, 24);
}

TEST_F(TextTest, ChineseTextFallsBackToAChineseFace) {
    RECT box = {0, 0, 64, 48};
    DrawTextA(dc_, "\xA6\xE6\xB0\xCA", -1, &box, DT_SINGLELINE); // 行動
    int inked = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            inked += Pixel(x, y) != 0;
    EXPECT_GT(inked, 40);
}

TEST_F(TextTest, WordBreakWrapsAtBlanksAndBetweenChineseCharacters) {
    struct Case {
        const char* text;
        int width;
        int lines;
    } cases[] = {
        {"aaa bbb ccc", 1000, 1},
        {"aaa bbb ccc", 30, 3},
        {"\xA6\xE6\xB0\xCA\xC3\xE3\xA8\xE5", 40, 2}, // 行動辭典, no blanks
        {"one\r\ntwo", 1000, 2},
    };
    RECT one = {0, 0, 1000, 0};
    int lineHeight = DrawTextA(dc_, "x", -1, &one, DT_CALCRECT | DT_SINGLELINE);
    for (const Case& c : cases) {
        RECT box = {0, 0, c.width, 0};
        int height = DrawTextA(dc_, c.text, -1, &box, DT_WORDBREAK | DT_CALCRECT);
        EXPECT_EQ(height, c.lines * lineHeight) << c.text << " in " << c.width;
    }
}

TEST_F(TextTest, AmpersandUnderlinesTheNextCharacter) {
    RECT plain = {0, 0, 1000, 0}, prefixed = {0, 0, 1000, 0}, literal = {0, 0, 1000, 0};
    DrawTextA(dc_, "Next", -1, &plain, DT_SINGLELINE | DT_CALCRECT);
    DrawTextA(dc_, "&Next", -1, &prefixed, DT_SINGLELINE | DT_CALCRECT);
    DrawTextA(dc_, "&Next", -1, &literal, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(prefixed.right, plain.right);
    EXPECT_GT(literal.right, plain.right);
}

} // namespace
