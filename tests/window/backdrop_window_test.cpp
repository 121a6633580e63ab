// The backdrop in a real X11 window under Xvfb, checked by reading the X screen back.
#include "backdrop/backdrop.h"
#include "display/display.h"
#include "gdi/screen.h"
#include "launch/setup_state.h"
#include "support/xvfb.h"
#include "user/testing.h"

#include <gtest/gtest.h>
// Xlib's macros (None, Bool) would break gtest's headers, so it comes after them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <memory>

namespace {

struct XImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

TEST(BackdropWindowTest, GradientAndTitleReachTheXScreen) {
    testing_support::Xvfb server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb is not installed";
    setenv("DISPLAY", server.Display().c_str(), 1);

    w32::display::Config config;
    config.mode = w32::display::Mode::Window;
    config.width = 800;
    config.height = 600;
    w32::user::ResetForTesting();
    w32::display::Install(nullptr);
    w32::display::Configure(config);

    State = SetupState{};
    State.Instance = GetModuleHandleA(nullptr);
    State.ScreenWidth = (short)GetSystemMetrics(SM_CXSCREEN);
    State.ScreenHeight = (short)GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(State.ScreenWidth, 800);
    lstrcpynA(State.ProductName, "Tavro Viewer", sizeof(State.ProductName));
    ASSERT_EQ(CreateBackdrop(), 1);
    w32::gdi::PresentChanges();

    Display* x = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(x, nullptr);
    XSync(x, False);
    std::unique_ptr<XImage, XImageDeleter> shot;
    // The window is mapped asynchronously; give the server a moment to show the first frame.
    for (int attempt = 0; attempt < 100; ++attempt) {
        shot.reset(XGetImage(x, DefaultRootWindow(x), 0, 0, 800, 600, AllPlanes, ZPixmap));
        if (shot && XGetPixel(shot.get(), 400, 1) == 0x0000FF)
            break;
        usleep(20000);
    }
    ASSERT_TRUE(shot);
    EXPECT_EQ(XGetPixel(shot.get(), 0, 0), 0u) << "border";
    EXPECT_EQ(XGetPixel(shot.get(), 400, 1), 0x0000FFu) << "first client row";
    EXPECT_EQ(XGetPixel(shot.get(), 400, 598) & 0xFFFF00, 0u);
    int white = 0;
    for (int y = 16; y < 61; ++y)
        for (int px = 26; px < 501; ++px)
            white += XGetPixel(shot.get(), px, y) == 0xFFFFFF;
    EXPECT_GT(white, 100) << "title";
    XCloseDisplay(x);

    DestroyWindow(State.Backdrop);
    w32::user::ResetForTesting();
    w32::display::Install(nullptr);
}

} // namespace
