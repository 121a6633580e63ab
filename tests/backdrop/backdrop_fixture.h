// Runs the backdrop on a headless screen of a given size through the real layer.
#pragma once

#include "backdrop/backdrop.h"
#include "display/display.h"
#include "gdi/dc.h"
#include "gdi/screen.h"
#include "launch/setup_state.h"
#include "user/testing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

class BackdropFixture {
  protected:
    void OpenScreen(int width, int height) {
        w32::user::ResetForTesting();
        w32::display::Install(w32::display::OpenHeadless(width, height));
        State = SetupState{};
        State.Instance = GetModuleHandleA(nullptr);
        State.ScreenWidth = (short)GetSystemMetrics(SM_CXSCREEN);
        State.ScreenHeight = (short)GetSystemMetrics(SM_CYSCREEN);
        DissolvePending = 1;
    }
    void CloseScreen() {
        w32::user::ResetForTesting();
        w32::display::Install(nullptr);
    }

    static uint32_t Pixel(int x, int y) {
        w32::display::Pixels screen = w32::gdi::ScreenPixels();
        return screen.data[y * screen.stride + x];
    }
    static int Red(uint32_t p) { return (p >> 16) & 0xFF; }
    static int Green(uint32_t p) { return (p >> 8) & 0xFF; }
    static int Blue(uint32_t p) { return p & 0xFF; }

    static bool HasPendingQuit() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_QUIT)
                return true;
        return false;
    }
};
