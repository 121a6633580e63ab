#include "user_fixture.h"

#include <algorithm>

namespace {

TEST_F(UserTest, CreationSendsNcCreateThenCreateAndShowsAfterwards) {
    HWND w =
        Create(WS_POPUP | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    ASSERT_NE(w, nullptr);
    std::vector<UINT> m = MessagesOf(w);
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m[0], UINT(WM_NCCREATE));
    EXPECT_EQ(m[1], UINT(WM_CREATE));
    EXPECT_EQ(m[2], UINT(WM_SHOWWINDOW));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left | r.top | r.right | r.bottom, 0) << "a default popup is empty at the origin";
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetActiveWindow(), w);
}

TEST_F(UserTest, CreateRefusedByTheWindowFails) {
    WNDCLASSA cls = {};
    cls.lpszClassName = "Refuses";
    cls.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_CREATE ? -1 : DefWindowProcA(h, m, wp, lp);
    };
    RegisterClassA(&cls);
    EXPECT_EQ(
        CreateWindowExA(0, "refuses", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(RegisterClassA(&cls), 0) << "registered twice";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));
}

TEST_F(UserTest, DestroyTakesOwnedWindowsAndChildrenAndPostsNoQuit) {
    HWND owner = Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND owned = Create(WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, owner);
    HWND child = Create(WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, owner);
    log_.clear();
    EXPECT_TRUE(DestroyWindow(owner));
    std::vector<std::pair<HWND, UINT>> destroys;
    for (const Received& r : log_)
        if (r.message == WM_DESTROY || r.message == WM_NCDESTROY)
            destroys.push_back({r.hwnd, r.message});
    std::vector<std::pair<HWND, UINT>> expected = {{owned, WM_DESTROY},   {owned, WM_NCDESTROY},
                                                   {owner, WM_DESTROY},   {child, WM_DESTROY},
                                                   {child, WM_NCDESTROY}, {owner, WM_NCDESTROY}};
    EXPECT_EQ(destroys, expected);
    for (HWND h : {owner, owned, child})
        EXPECT_FALSE(IsWindow(h));
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "no quit message";
    // Every later call on the handles fails cleanly.
    EXPECT_FALSE(DestroyWindow(owner));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(SetWindowPos(owner, HWND_TOP, 0, 0, 1, 1, 0));
    EXPECT_EQ(SendMessageA(owner, WM_USER, 0, 0), 0);
    EXPECT_FALSE(InvalidateRect(owner, nullptr, TRUE));
    EXPECT_EQ(BeginPaint(owner, nullptr), nullptr);
}

TEST_F(UserTest, BorderIsBlackAndTheClientStartsInsideIt) {
    onPaint_ = [](HWND, HDC dc, const PAINTSTRUCT&) {
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        RECT all = {0, 0, 1000, 1000};
        FillRect(dc, &all, white);
        DeleteObject(white);
    };
    HWND w = Create(WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 50, 40);
    Drain();
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 48);
    EXPECT_EQ(client.bottom, 38);
    EXPECT_EQ(Pixel(10, 10), 0u);
    EXPECT_EQ(Pixel(59, 49), 0u);
    EXPECT_EQ(Pixel(11, 11), 0xFFFFFFu) << "client painted";
    EXPECT_EQ(Pixel(58, 48), 0xFFFFFFu);
    EXPECT_EQ(Pixel(60, 20), 0x3A6EA5u) << "the desktop around it";
}

TEST_F(UserTest, TopmostStaysAboveAndUncoveringRepaints) {
    static COLORREF colour;
    onPaint_ = [](HWND, HDC dc, const PAINTSTRUCT&) {
        HBRUSH b = CreateSolidBrush(colour);
        RECT all = {0, 0, 1000, 1000};
        FillRect(dc, &all, b);
        DeleteObject(b);
    };
    colour = RGB(255, 0, 0);
    HWND top = Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, WS_EX_TOPMOST);
    Drain();
    colour = RGB(0, 255, 0);
    HWND normal = Create(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    Drain();
    EXPECT_EQ(Pixel(60, 60), 0xFF0000u) << "the topmost window stays in front";
    EXPECT_EQ(Pixel(120, 120), 0x00FF00u);
    colour = RGB(0, 0, 255);
    DestroyWindow(top);
    Drain();
    EXPECT_EQ(Pixel(60, 60), 0x0000FFu) << "the uncovered part repainted";
    EXPECT_EQ(Pixel(10, 10), 0x3A6EA5u) << "the desktop repainted";
    DestroyWindow(normal);
}

TEST_F(UserTest, OwnedWindowStaysAboveItsOwner) {
    static HWND owner;
    onPaint_ = [](HWND hwnd, HDC dc, const PAINTSTRUCT&) {
        HBRUSH b = CreateSolidBrush(hwnd == owner ? RGB(0, 0, 255) : RGB(255, 255, 255));
        RECT all = {0, 0, 1000, 1000};
        FillRect(dc, &all, b);
        DeleteObject(b);
    };
    owner = Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, WS_EX_TOPMOST);
    HWND page = Create(WS_POPUP | WS_VISIBLE, 20, 20, 50, 50, owner);
    Drain();
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Drain();
    EXPECT_EQ(Pixel(30, 30), 0xFFFFFFu) << "the owned window is in front";
    EXPECT_EQ(Pixel(10, 10), 0x0000FFu);
    // A normal window made later stays behind both: the owner is topmost.
    HWND later = Create(WS_POPUP | WS_VISIBLE, 0, 0, 150, 150);
    Drain();
    EXPECT_EQ(Pixel(30, 30), 0xFFFFFFu);
    EXPECT_EQ(Pixel(10, 10), 0x0000FFu);
    DestroyWindow(later);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(page));
}

TEST_F(UserTest, PaintIsClippedToTheUpdateRegion) {
    bool first = true;
    static bool* firstPaint;
    firstPaint = &first;
    onPaint_ = [](HWND, HDC dc, const PAINTSTRUCT& ps) {
        HBRUSH b = CreateSolidBrush(*firstPaint ? RGB(255, 255, 255) : RGB(255, 0, 0));
        RECT all = {0, 0, 1000, 1000};
        FillRect(dc, &all, b);
        DeleteObject(b);
        if (!*firstPaint) {
            EXPECT_EQ(ps.rcPaint.left, 10);
            EXPECT_EQ(ps.rcPaint.bottom, 20);
        }
        *firstPaint = false;
    };
    HWND w = Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    Drain();
    RECT part = {10, 10, 20, 20};
    InvalidateRect(w, &part, FALSE);
    UpdateWindow(w);
    EXPECT_EQ(Pixel(15, 15), 0xFF0000u);
    EXPECT_EQ(Pixel(25, 15), 0xFFFFFFu) << "outside the update region nothing changed";
    EXPECT_EQ(Pixel(9, 9), 0xFFFFFFu);
}

} // namespace
