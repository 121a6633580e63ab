// The X11 backend under Xvfb: the shared conformance suite, what reaches the X screen, and
// input injected with xdotool arriving as Windows keys and buttons.
#include "display/backend_conformance.h"

#include <windows.h>

#include <gtest/gtest.h>
// Xlib's macros (None, Bool) would break gtest's headers, so it comes after them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <string>

namespace {

INSTANTIATE_TEST_SUITE_P(X11, BackendConformance, ::testing::Values(BackendKind::X11),
                         [](const auto&) { return std::string("x11"); });

class X11InputTest : public BackendConformance {};

std::optional<w32::display::InputEvent> NextOfType(w32::display::Backend& backend,
                                                   w32::display::InputEvent::Type type) {
    for (int i = 0; i < 200; ++i) {
        while (std::optional<w32::display::InputEvent> event = backend.NextEvent(false))
            if (event->type == type)
                return event;
        usleep(10000);
    }
    return std::nullopt;
}

TEST_P(X11InputTest, PresentedPixelsAndInjectedInputArrive) {
    if (std::system("command -v xdotool >/dev/null") != 0)
        GTEST_SKIP() << "xdotool is not installed";
    w32::display::Pixels screen = backend_->Screen();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            screen.data[y * screen.stride + x] = 0x3366CC;
    backend_->Present(RECT{0, 0, 320, 200});

    Display* x = XOpenDisplay(server_->Display().c_str());
    ASSERT_NE(x, nullptr);
    unsigned long pixel = 0;
    for (int i = 0; i < 100 && pixel != 0x3366CC; ++i) {
        XImage* shot = XGetImage(x, DefaultRootWindow(x), 100, 100, 1, 1, AllPlanes, ZPixmap);
        pixel = shot ? XGetPixel(shot, 0, 0) : 0;
        if (shot)
            XDestroyImage(shot);
        usleep(10000);
    }
    XCloseDisplay(x);
    EXPECT_EQ(pixel, 0x3366CCu);

    std::string display = server_->Display();
    ASSERT_EQ(std::system(("DISPLAY=" + display + " xdotool mousemove 40 30 click 1").c_str()), 0);
    auto press = NextOfType(*backend_, w32::display::InputEvent::Type::ButtonDown);
    ASSERT_TRUE(press);
    EXPECT_EQ(press->button, 1);
    EXPECT_EQ(press->x, 40);
    EXPECT_EQ(press->y, 30);
    EXPECT_TRUE(NextOfType(*backend_, w32::display::InputEvent::Type::ButtonUp));

    ASSERT_EQ(std::system(("DISPLAY=" + display + " xdotool key Return shift+Tab a").c_str()), 0);
    struct Expected {
        unsigned key;
        unsigned character;
        bool shift;
    } expected[] = {{VK_RETURN, '\r', false}, {VK_TAB, '\t', true}, {'A', 'a', false}};
    for (const Expected& e : expected) {
        std::optional<w32::display::InputEvent> key;
        do
            key = NextOfType(*backend_, w32::display::InputEvent::Type::KeyDown);
        while (key && key->virtualKey == VK_SHIFT);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->virtualKey, e.key);
        EXPECT_EQ(key->character, e.character);
        EXPECT_EQ(key->shift, e.shift);
    }
}

INSTANTIATE_TEST_SUITE_P(X11, X11InputTest, ::testing::Values(BackendKind::X11),
                         [](const auto&) { return std::string("x11"); });

} // namespace
