// What the window manager relies on from any display backend; each backend's test program
// instantiates this suite.
#pragma once

#include "display/backend.h"
#include "support/xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

enum class BackendKind { Headless, X11 };

class BackendConformance : public ::testing::TestWithParam<BackendKind> {
  protected:
    void SetUp() override {
        if (GetParam() == BackendKind::X11) {
            server_ = std::make_unique<testing_support::Xvfb>();
            if (!server_->Running())
                GTEST_SKIP() << "Xvfb is not installed";
            setenv("DISPLAY", server_->Display().c_str(), 1);
            std::string error;
            backend_ = w32::display::OpenX11(w32::display::Mode::Window, 320, 200, &error);
            ASSERT_TRUE(backend_) << error;
        } else {
            backend_ = w32::display::OpenHeadless(320, 200);
        }
    }
    void TearDown() override { backend_.reset(); }

    std::unique_ptr<testing_support::Xvfb> server_;
    std::unique_ptr<w32::display::Backend> backend_;
};

TEST_P(BackendConformance, ScreenHasTheAskedSizeAndKeepsWhatIsDrawn) {
    w32::display::Pixels screen = backend_->Screen();
    ASSERT_NE(screen.data, nullptr);
    EXPECT_EQ(screen.width, 320);
    EXPECT_EQ(screen.height, 200);
    EXPECT_GE(screen.stride, 320);
    EXPECT_EQ(screen.data[0], 0u) << "a new screen is black";
    screen.data[10 * screen.stride + 20] = 0x123456;
    backend_->Present(RECT{0, 0, 320, 200});
    backend_->Present(RECT{-50, -50, 1000, 1000}); // outside the image: cut, not a crash
    backend_->Present(RECT{300, 300, 100, 100});
    EXPECT_EQ(backend_->Screen().data[10 * screen.stride + 20], 0x123456u);
}

TEST_P(BackendConformance, IdleDisplayRunsOutOfEventsPromptly) {
    auto start = std::chrono::steady_clock::now();
    while (backend_->NextEvent(false))
        ; // a new X window may report its mapping; nothing else is pending
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(backend_->NextEvent(false));
}
