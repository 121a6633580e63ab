// GDI calls against a headless screen, through a DC the window manager's way would make.
#pragma once

#include "display/display.h"
#include "gdi/dc.h"
#include "gdi/screen.h"

#include <gtest/gtest.h>

class GdiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        w32::display::Install(w32::display::OpenHeadless(64, 48));
        objects_ = w32::gdi::LiveObjectCount();
    }
    void TearDown() override {
        EXPECT_EQ(w32::gdi::LiveObjectCount(), objects_) << "the test left GDI objects behind";
        w32::display::Install(nullptr);
    }
    // A DC with its origin at (ox, oy) on the screen, clipped to clip (screen coordinates).
    HDC ScreenDC(int ox, int oy, const w32::gdi::Region& clip) {
        return w32::gdi::CreateScreenDC({ox, oy}, clip);
    }
    static uint32_t Pixel(int x, int y) {
        w32::display::Pixels s = w32::gdi::ScreenPixels();
        return s.data[y * s.stride + x];
    }
    size_t objects_ = 0;
};
