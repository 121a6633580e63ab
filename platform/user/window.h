// The window manager's state: classes, windows and their z-order, focus and activation.
#pragma once

#include "gdi/region.h"
#include "kernel/handle_table.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace w32::user {

struct WindowClass {
    std::string name; // as registered; compared without regard to ASCII case
    UINT style = 0;
    WNDPROC proc = nullptr;
    HBRUSH background = nullptr;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;      // child windows only
    HWND owner = nullptr;       // top-level windows only
    std::vector<HWND> children; // front first
    std::string text;           // ANSI code page
    RECT rect = {0, 0, 0, 0};   // window rectangle, screen coordinates
    gdi::Region update;         // screen coordinates
    bool erasePending = false;
    bool destroying = false;
};

struct Manager {
    HandleTable<Window> windows{HandleKind::Window};
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::vector<HWND> topLevel; // front first: topmost band, then the rest
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    bool desktopPainted = false;
};

Manager& State();
Window* Find(HWND hwnd);
// Sets ERROR_INVALID_WINDOW_HANDLE when hwnd is not a live window.
Window* FindOrFail(HWND hwnd);

// Frame widths of the classic look, from the style.
int FrameWidth(const Window& w);
int CaptionHeight(const Window& w);
RECT ClientRect(const Window& w); // screen coordinates

bool IsVisible(const Window& w); // it and every ancestor shown
bool IsTopmost(const Window& w); // in the topmost band (itself or through its owner)
HWND TopLevelOf(HWND hwnd);
// Every window from front to back: each top-level window, then its children front first.
std::vector<HWND> AllWindowsFrontToBack();

// The part of the screen where the window shows (its rectangle less what covers it).
gdi::Region VisibleRegion(const Window& w);
// The client part of VisibleRegion, less the window's children.
gdi::Region VisibleClientRegion(const Window& w);

// Something left this screen area: windows that now show there repaint, the desktop too.
void Expose(const gdi::Region& area);
// Marks the whole window (and its children) for repainting and draws its frame.
void InvalidateWhole(Window& w);
void PaintFrame(Window& w);

// Opens the display if needed and paints the desktop once; false when there is none.
bool EnsureScreen();

void Activate(HWND hwnd, WORD how);
void BringToFront(Window& w);

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace w32::user
