#include "user_fixture.h"

#include <cstdio>
#include <fstream>

namespace {

TEST_F(UserTest, PaintComesOnlyWhenNothingElseIsQueued) {
    HWND w = Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    PostMessageA(w, WM_USER + 1, 0, 0);
    PostMessageA(w, WM_USER + 2, 0, 0);
    PostQuitMessage(7);
    MSG m;
    std::vector<UINT> order;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        order.push_back(m.message);
        DispatchMessageA(&m);
    }
    EXPECT_EQ(m.wParam, 7u);
    // Posted messages first, then the quit (asked for before the paint could come).
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, UINT(WM_PAINT));
    EXPECT_EQ(m.hwnd, w);
}

TEST_F(UserTest, PeekDrainsEverythingAndPaintStaysUntilValidated) {
    HWND w = Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    PostMessageA(w, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, UINT(WM_USER));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, UINT(WM_USER));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, UINT(WM_PAINT));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "WM_PAINT stays until validated";
    DispatchMessageA(&m); // DefWindowProcA validates
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&m, reinterpret_cast<HWND>(0x999), 0, 0, PM_REMOVE));
}

TEST_F(UserTest, HiddenWindowsGetNoPaint) {
    HWND w = Create(WS_POPUP, 0, 0, 50, 50);
    InvalidateRect(w, nullptr, TRUE);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    ShowWindow(w, SW_SHOW);
    EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

// Runs the queue with an input script until the window asks to quit.
class ScriptTest : public UserTest {
  protected:
    void Play(const std::string& script) {
        std::string error;
        auto commands = w32::display::ParseInputScript(script, &error);
        ASSERT_TRUE(commands) << error;
        w32::display::Config config;
        config.script = *commands;
        w32::display::Configure(config);
    }
    void RunUntilQuit() {
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
};

TEST_F(ScriptTest, ClicksReachTheWindowUnderThePointerInClientCoordinates) {
    HWND back = Create(WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 200, 150, nullptr, 0, "Back");
    HWND front = Create(WS_POPUP | WS_VISIBLE, 50, 40, 60, 30, back, 0, "Front");
    HWND disabled = Create(WS_POPUP | WS_VISIBLE | WS_DISABLED, 150, 100, 30, 30, back);
    Play("click 60 45\nclick 5 5\nclick 160 110\nclick-text Front\n");
    log_.clear();
    MSG m;
    int clicks = 0;
    while (clicks < 4 && GetMessageA(&m, nullptr, 0, 0)) {
        DispatchMessageA(&m);
        clicks += m.message == WM_LBUTTONUP || (m.message == WM_MOUSEMOVE && m.hwnd == nullptr);
        if (m.message == WM_LBUTTONUP && m.hwnd == front && clicks == 3)
            break;
    }
    std::vector<Received> downs;
    for (const Received& r : log_)
        if (r.message == WM_LBUTTONDOWN)
            downs.push_back(r);
    ASSERT_EQ(downs.size(), 3u) << "the disabled window took no click";
    EXPECT_EQ(downs[0].hwnd, front);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 5);
    EXPECT_EQ(downs[1].hwnd, back);
    EXPECT_EQ(GET_X_LPARAM(downs[1].lParam), 4) << "client coordinates start inside the border";
    EXPECT_EQ(downs[2].hwnd, front) << "click-text clicks the centre of the window";
    EXPECT_EQ(GET_X_LPARAM(downs[2].lParam), 30);
    (void)disabled;
}

TEST_F(ScriptTest, KeysReachTheFocusWindowAndTranslateToCharacters) {
    HWND w = Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    ASSERT_EQ(GetFocus(), w);
    Play("key a\nkey Return\n");
    log_.clear();
    MSG m;
    int ups = 0;
    while (ups < 2 && GetMessageA(&m, nullptr, 0, 0)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
        ups += m.message == WM_KEYUP;
    }
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const Received& r : log_)
        if (r.message == WM_KEYDOWN || r.message == WM_CHAR || r.message == WM_KEYUP)
            keys.push_back({r.message, r.wParam});
    std::vector<std::pair<UINT, WPARAM>> expected = {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'},
                                                     {WM_KEYUP, 'A'},   {WM_KEYDOWN, VK_RETURN},
                                                     {WM_CHAR, '\r'},   {WM_KEYUP, VK_RETURN}};
    EXPECT_EQ(keys, expected);
}

TEST_F(ScriptTest, ScreenshotIsTakenWhenTheProgramWaits) {
    std::string path = ::testing::TempDir() + "w32-user-shot.png";
    std::remove(path.c_str());
    Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    Play("screenshot " + path + "\n");
    EXPECT_EXIT(RunUntilQuit(), ::testing::ExitedWithCode(3), "input script ended");
    std::ifstream shot(path, std::ios::binary);
    char signature[4] = {};
    shot.read(signature, 4);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    std::remove(path.c_str());
}

TEST_F(ScriptTest, UsedUpScriptEndsTheRunWithStatus3) {
    Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    Play("click 1 1\n");
    EXPECT_EXIT(RunUntilQuit(), ::testing::ExitedWithCode(3),
                "^input script ended while the program waits for input\n$");
}

TEST_F(ScriptTest, HeadlessWithoutScriptEndsInsteadOfHanging) {
    Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    EXPECT_EXIT(RunUntilQuit(), ::testing::ExitedWithCode(3),
                "no input: the program waits for input on a headless display");
}

TEST_F(ScriptTest, ClickOnAMissingTextStopsWithTheLine) {
    Create(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, 0, "Here");
    Play("\nclick-text Elsewhere\n");
    EXPECT_EXIT(RunUntilQuit(), ::testing::ExitedWithCode(2),
                "W32_INPUT: line 2: no visible, enabled window with text 'Elsewhere'");
}

} // namespace
