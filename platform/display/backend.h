// The display boundary: where the screen image lives, how changed areas reach the user, and
// where input comes from. Two backends implement it: x11 (a real window) and headless (memory).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace w32::display {

// The one screen image. Pixels are 0x00RRGGBB; stride is counted in pixels.
struct Pixels {
    uint32_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// One input event in screen coordinates. Keys carry Windows virtual-key codes.
struct InputEvent {
    enum class Type { MouseMove, ButtonDown, ButtonUp, KeyDown, KeyUp, Quit };
    Type type = Type::MouseMove;
    int x = 0;
    int y = 0;
    int button = 0; // 1 left, 2 middle, 3 right
    unsigned virtualKey = 0;
    unsigned character = 0; // the typed character (ASCII) for a key press, or 0
    bool shift = false;
    bool control = false;
    bool alt = false;
};

class Backend {
  public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;
    virtual Pixels Screen() = 0;
    // Shows the given screen area to the user. Never waits for the display to catch up.
    virtual void Present(const RECT& area) = 0;
    // The next input event. With wait false, nullopt means none is pending now; with wait true it
    // means none will ever come (headless without input, or the display went away).
    virtual std::optional<InputEvent> NextEvent(bool wait) = 0;
};

enum class Mode { Fullscreen, Window, Headless };

std::unique_ptr<Backend> OpenHeadless(int width, int height);
// Fullscreen takes the X screen's size; Window uses width x height. On failure returns null and
// sets error to a one-line reason.
std::unique_ptr<Backend> OpenX11(Mode mode, int width, int height, std::string* error);

} // namespace w32::display
