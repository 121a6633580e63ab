// Mouse and keyboard input: display events become messages for the window they reach, and the
// wait for input plays the input script.
//
// Mouse messages go to the capture window, else to the window that took the button press while
// a button is held, else to the deepest visible window under the pointer; disabled windows (and
// everything in a disabled top-level window) take none. A press activates its top-level window.
// Keys go to the focus window, else the active window. Non-client mouse messages are not sent.
#include "display/display.h"
#include "display/png.h"
#include "gdi/screen.h"
#include "kernel/codepage.h"
#include "user/queue.h"
#include "user/window.h"

#include <cstdio>
#include <cstdlib>

namespace w32::user {
namespace {

constexpr int kNoInputExit = 3;
constexpr int kScriptErrorExit = 2;

struct InputState {
    POINT pointer = {0, 0};
    HWND pressed = nullptr; // took the button press; gets the mouse until release
    int buttons = 0;        // MK_LBUTTON | MK_RBUTTON
    bool shift = false;
    size_t nextCommand = 0;
};

InputState& Input() {
    static InputState state;
    return state;
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The deepest visible window under a screen point.
HWND WindowAt(POINT p) {
    auto descend = [&](auto&& self, HWND hwnd) -> HWND {
        Window* w = Find(hwnd);
        for (HWND child : w->children)
            if (Window* c = Find(child); c && (c->style & WS_VISIBLE) && Contains(c->rect, p))
                return self(self, child);
        return hwnd;
    };
    for (HWND top : State().topLevel)
        if (Window* w = Find(top); w && (w->style & WS_VISIBLE) && Contains(w->rect, p))
            return descend(descend, top);
    return nullptr;
}

bool TakesInput(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = Find(w->parent))
        if (w->style & WS_DISABLED)
            return false;
    return hwnd != nullptr;
}

void PostMouse(HWND hwnd, UINT message, POINT screen) {
    Window* w = Find(hwnd);
    if (!w)
        return;
    RECT client = ClientRect(*w);
    WPARAM keys = static_cast<WPARAM>(Input().buttons | (Input().shift ? MK_SHIFT : 0));
    LPARAM where = MAKELPARAM(screen.x - client.left, screen.y - client.top);
    PostToQueue({hwnd, message, keys, where, Now(), screen}, 0);
}

void Mouse(const display::InputEvent& event) {
    InputState& in = Input();
    in.pointer = {event.x, event.y};
    in.shift = event.shift;
    HWND target = State().capture ? State().capture
                  : in.pressed    ? in.pressed
                                  : WindowAt(in.pointer);
    bool left = event.button == 1;
    UINT message = WM_MOUSEMOVE;
    int bit = left ? MK_LBUTTON : event.button == 3 ? MK_RBUTTON : 0;
    if (event.type == display::InputEvent::Type::ButtonDown && bit) {
        message = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        in.buttons |= bit;
    } else if (event.type == display::InputEvent::Type::ButtonUp && bit) {
        message = left ? WM_LBUTTONUP : WM_RBUTTONUP;
        in.buttons &= ~bit;
    } else if (event.type != display::InputEvent::Type::MouseMove) {
        return;
    }
    if (!TakesInput(target)) {
        if (message != WM_MOUSEMOVE && !in.buttons)
            in.pressed = nullptr;
        return;
    }
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        in.pressed = target;
        HWND top = TopLevelOf(target);
        if (top != State().active) {
            if (Window* w = Find(top)) {
                BringToFront(*w);
                InvalidateWhole(*w);
            }
            Activate(top, WA_CLICKACTIVE);
        }
    }
    Window* w = Find(target);
    if (w && Contains(ClientRect(*w), in.pointer))
        PostMouse(target, message, in.pointer);
    else if (w && (State().capture == target || in.pressed == target))
        PostMouse(target, message, in.pointer); // a held button follows the pointer out
    if (!in.buttons)
        in.pressed = nullptr;
}

void Key(const display::InputEvent& event) {
    HWND target = State().focus ? State().focus : State().active;
    if (event.virtualKey == VK_SHIFT)
        Input().shift = event.type == display::InputEvent::Type::KeyDown;
    if (!TakesInput(target))
        return;
    bool down = event.type == display::InputEvent::Type::KeyDown;
    UINT message =
        event.alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    // lParam: repeat count 1; a release also has the previous-state and transition bits.
    LPARAM flags = down ? 1 : static_cast<LPARAM>(0xC0000001u);
    PostToQueue({target, message, event.virtualKey, flags, Now(), Input().pointer},
                down ? event.character : 0);
}

[[noreturn]] void Stop(int status, const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    std::exit(status);
}

HWND WindowWithText(const std::string& utf8) {
    std::string text = codepage::FromUtf8(utf8);
    for (HWND hwnd : AllWindowsFrontToBack())
        if (Window* w = Find(hwnd); w && w->text == text && IsVisible(*w) && TakesInput(hwnd))
            return hwnd;
    return nullptr;
}

void Click(POINT p) {
    using Type = display::InputEvent::Type;
    QueueInput({Type::MouseMove, p.x, p.y});
    QueueInput({Type::ButtonDown, p.x, p.y, 1});
    QueueInput({Type::ButtonUp, p.x, p.y, 1});
}

void Play(const display::ScriptCommand& command) {
    using Kind = display::ScriptCommand::Kind;
    using Type = display::InputEvent::Type;
    switch (command.kind) {
    case Kind::Click:
        Click({command.x, command.y});
        break;
    case Kind::ClickText: {
        HWND hwnd = WindowWithText(command.text);
        if (!hwnd)
            Stop(kScriptErrorExit, "W32_INPUT: line " + std::to_string(command.line) +
                                       ": no visible, enabled window with text '" + command.text +
                                       "'");
        const RECT& r = Find(hwnd)->rect;
        Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        break;
    }
    case Kind::Key: {
        display::InputEvent key{Type::KeyDown};
        key.virtualKey = command.virtualKey;
        key.character = command.character;
        key.shift = command.shift;
        if (command.shift)
            QueueInput({Type::KeyDown, 0, 0, 0, VK_SHIFT});
        QueueInput(key);
        key.type = Type::KeyUp;
        QueueInput(key);
        if (command.shift)
            QueueInput({Type::KeyUp, 0, 0, 0, VK_SHIFT});
        break;
    }
    case Kind::Screenshot: {
        std::string error;
        display::Backend* backend = display::Get();
        if (!backend || !display::WritePng(backend->Screen(), command.text, &error))
            Stop(kScriptErrorExit, "W32_INPUT: line " + std::to_string(command.line) + ": " +
                                       (error.empty() ? "no display" : error));
        break;
    }
    }
}

} // namespace

void QueueInput(const display::InputEvent& event) {
    using Type = display::InputEvent::Type;
    switch (event.type) {
    case Type::MouseMove:
    case Type::ButtonDown:
    case Type::ButtonUp:
        Mouse(event);
        break;
    case Type::KeyDown:
    case Type::KeyUp:
        Key(event);
        break;
    case Type::Quit:
        // The user closed the display's window: every window without an owner is asked to close.
        for (HWND hwnd : std::vector<HWND>(State().topLevel))
            if (Window* w = Find(hwnd); w && !w->owner)
                PostToQueue({hwnd, WM_CLOSE, 0, 0, Now(), Input().pointer}, 0);
        break;
    }
}

void WaitForInput() {
    gdi::PresentChanges();
    const display::Config& config = display::CurrentConfig();
    InputState& in = Input();
    if (in.nextCommand < config.script.size()) {
        Play(config.script[in.nextCommand++]);
        return;
    }
    display::Backend* backend = display::Get();
    if (backend) {
        if (std::optional<display::InputEvent> event = backend->NextEvent(true)) {
            QueueInput(*event);
            return;
        }
    }
    Stop(kNoInputExit, config.script.empty()
                           ? "no input: the program waits for input on a headless display"
                           : "input script ended while the program waits for input");
}

void ResetInputForTesting() {
    Input() = InputState{};
}

} // namespace w32::user
