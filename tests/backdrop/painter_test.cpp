#include "backdrop/keyed_bitmap.h"

#include "backdrop_fixture.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

namespace {

// The fixture bitmaps of painter_test.rc.
constexpr int kLogo = 307;
constexpr int kDot = 308;
constexpr int kLogoWidth = 13;
constexpr int kLogoHeight = 11;

bool IsKey(int x, int y) {
    return (x + y) % 3 == 0;
}
COLORREF LogoColor(int x, int y) {
    return RGB(x * 10, y * 20, 100);
}

struct Write {
    int x, y;
    COLORREF color;
};

// Paints with DrawKeyedBitmap from inside a real WM_PAINT and records every pixel written.
class PainterTest : public BackdropFixture, public ::testing::Test {
  protected:
    void SetUp() override {
        OpenScreen(64, 48);
        State.Instance = GetModuleHandleA(nullptr);
        WNDCLASSA cls = {};
        cls.lpfnWndProc = PaintProc;
        cls.hInstance = State.Instance;
        cls.lpszClassName = "PainterTarget";
        RegisterClassA(&cls);
        window_ = CreateWindowExA(0, "PainterTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48,
                                  nullptr, nullptr, State.Instance, nullptr);
        ASSERT_NE(window_, nullptr);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        w32::gdi::ObservePixelWritesForTesting([this](int x, int y, COLORREF color) {
            writes_.push_back({x, y, color});
        });
    }
    void TearDown() override {
        w32::gdi::ObservePixelWritesForTesting(nullptr);
        CloseScreen();
    }

    void Paint(int bitmap, POINT position, int dissolve) {
        current_ = {bitmap, position, dissolve};
        active_ = this;
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
        active_ = nullptr;
    }

    static LRESULT CALLBACK PaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_PAINT || !active_)
            return DefWindowProcA(window, message, wParam, lParam);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        DrawKeyedBitmap(dc, active_->current_.bitmap, &active_->current_.position,
                        active_->current_.dissolve);
        EndPaint(window, &paint);
        return 0;
    }

    struct Request {
        int bitmap;
        POINT position;
        int dissolve;
    } current_{};
    static inline PainterTest* active_ = nullptr;
    HWND window_ = nullptr;
    std::vector<Write> writes_;
};

TEST_F(PainterTest, EveryPixelButTheKeyIsWrittenOnceAtItsPlace) {
    for (int dissolve : {0, 1}) {
        writes_.clear();
        const POINT at = {5, 7};
        Paint(kLogo, at, dissolve);
        std::set<std::pair<int, int>> seen;
        for (const Write& w : writes_) {
            int x = w.x - at.x, y = w.y - at.y;
            ASSERT_TRUE(x >= 0 && x < kLogoWidth && y >= 0 && y < kLogoHeight) << w.x << "," << w.y;
            EXPECT_FALSE(IsKey(x, y)) << "key pixel written at " << x << "," << y;
            EXPECT_EQ(w.color, LogoColor(x, y)) << x << "," << y;
            EXPECT_TRUE(seen.insert({x, y}).second) << "written twice: " << x << "," << y;
        }
        int expected = 0;
        for (int y = 0; y < kLogoHeight; ++y)
            for (int x = 0; x < kLogoWidth; ++x)
                expected += !IsKey(x, y);
        EXPECT_EQ(int(seen.size()), expected) << "dissolve " << dissolve;
        // The pixels really landed on the screen (the window has no frame: client = screen).
        EXPECT_EQ(Pixel(at.x + 1, at.y), 0x0A0064u);
    }
}

TEST_F(PainterTest, DissolveFollowsTheOrderedPattern) {
    const POINT at = {3, 2};
    Paint(kLogo, at, 1);
    int previousStage = -1;
    for (const Write& w : writes_) {
        int x = w.x - at.x, y = w.y - at.y;
        int stage = DissolveOrder[(y % 8) * 8 + x % 8];
        ASSERT_GE(stage, previousStage) << "stages run in order";
        previousStage = stage;
    }
    // Stage 0 writes (1, 1) of each block first; stage 1 follows with (5, 5).
    ASSERT_GE(writes_.size(), 2u);
    EXPECT_EQ(writes_[0].x - at.x, 1);
    EXPECT_EQ(writes_[0].y - at.y, 1);
    EXPECT_EQ(writes_[1].x - at.x, 9);
    EXPECT_EQ(writes_[1].y - at.y, 1);
    auto firstOfStage1 = std::find_if(writes_.begin(), writes_.end(), [&](const Write& w) {
        return DissolveOrder[((w.y - at.y) % 8) * 8 + (w.x - at.x) % 8] == 1;
    });
    ASSERT_NE(firstOfStage1, writes_.end());
    EXPECT_EQ(firstOfStage1->x - at.x, 5);
    EXPECT_EQ(firstOfStage1->y - at.y, 5);
}

TEST_F(PainterTest, OnePixelBitmapIsWrittenInStage44) {
    Paint(kDot, {20, 20}, 1);
    ASSERT_EQ(writes_.size(), 1u);
    EXPECT_EQ(writes_[0].color, RGB(10, 200, 30));
    EXPECT_EQ(DissolveOrder[0], 44);
}

TEST_F(PainterTest, MissingBitmapDrawsNothingAndLeavesNoObject) {
    size_t before = w32::gdi::LiveObjectCount();
    Paint(999, {0, 0}, 1);
    EXPECT_TRUE(writes_.empty());
    EXPECT_EQ(w32::gdi::LiveObjectCount(), before);
    Paint(kLogo, {0, 0}, 0);
    EXPECT_EQ(w32::gdi::LiveObjectCount(), before) << "a drawn bitmap is released too";
}

// The backdrop with a logo in its resources: the dissolve happens on the first paint only.
class BackdropLogoTest : public BackdropFixture, public ::testing::Test {
  protected:
    void SetUp() override {
        OpenScreen(640, 480);
        w32::gdi::ObservePixelWritesForTesting([this](int, int, COLORREF) { ++writes_; });
    }
    void TearDown() override {
        w32::gdi::ObservePixelWritesForTesting(nullptr);
        CloseScreen();
    }
    int writes_ = 0;
};

TEST_F(BackdropLogoTest, LogoIsDrawnAtItsPlaceAndOnlyPaintsThatReachItCallThePainter) {
    ASSERT_EQ(CreateBackdrop(), 1);
    EXPECT_GT(writes_, 0);
    EXPECT_EQ(DissolvePending, 0);
    // Logo pixel (1, 0) at client (21, 420), screen (22, 421) behind the one-pixel border.
    EXPECT_EQ(Pixel(22, 421), 0x0A0064u);

    DissolvePending = 1;
    writes_ = 0;
    RECT top = {0, 0, 200, 100};
    InvalidateRect(State.Backdrop, &top, FALSE);
    UpdateWindow(State.Backdrop);
    EXPECT_EQ(writes_, 0) << "a paint away from the logo does not call the painter";
    EXPECT_EQ(DissolvePending, 0) << "but it still ends the dissolve";

    RECT logo = {20, 420, 40, 430};
    InvalidateRect(State.Backdrop, &logo, FALSE);
    UpdateWindow(State.Backdrop);
    EXPECT_GT(writes_, 0);
    DestroyWindow(State.Backdrop);
}

TEST(DissolveOrderTest, HoldsEveryStageOnceAndPairsOppositePlaces) {
    std::set<int> stages(std::begin(DissolveOrder), std::end(DissolveOrder));
    EXPECT_EQ(stages.size(), 64u);
    EXPECT_EQ(*stages.rbegin(), 63);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(DissolveOrder[(r + 4) * 8 + (c + 4) % 8], DissolveOrder[r * 8 + c] + 1);
}

} // namespace
