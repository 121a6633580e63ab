// Windows on a headless screen, with a window procedure that records what it receives.
#pragma once

#include "display/display.h"
#include "gdi/screen.h"
#include "user/testing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class UserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        w32::user::ResetForTesting();
        w32::display::Configure(w32::display::Config{});
        w32::display::Install(w32::display::OpenHeadless(200, 150));
        log_.clear();
        onPaint_ = nullptr;
        WNDCLASSA cls = {};
        cls.lpfnWndProc = Record;
        cls.lpszClassName = "Recorder";
        ASSERT_TRUE(RegisterClassA(&cls));
    }
    void TearDown() override {
        w32::user::ResetForTesting();
        w32::display::Install(nullptr);
    }
    HWND Create(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, DWORD ex = 0,
                const char* text = "") {
        return CreateWindowExA(ex, "Recorder", text, style, x, y, w, h, parent, nullptr, nullptr,
                               nullptr);
    }
    void Drain() {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    std::vector<UINT> MessagesOf(HWND hwnd) const {
        std::vector<UINT> out;
        for (const Received& r : log_)
            if (r.hwnd == hwnd)
                out.push_back(r.message);
        return out;
    }
    static uint32_t Pixel(int x, int y) {
        w32::display::Pixels s = w32::gdi::ScreenPixels();
        return s.data[y * s.stride + x];
    }

    static LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        log_.push_back({hwnd, message, wParam, lParam});
        if (message == WM_PAINT && onPaint_) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            onPaint_(hwnd, dc, ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    static inline std::vector<Received> log_;
    static inline std::function<void(HWND, HDC, const PAINTSTRUCT&)> onPaint_;
};
