// RegisterClassA, CreateWindowExA, DestroyWindow, ShowWindow, SetWindowPos and the window's
// simple properties.
//
// Supported: class styles CS_HREDRAW/CS_VREDRAW (a resized window repaints whole, as every
// change of a window here does), popup, child and overlapped windows, owners, WS_EX_TOPMOST and
// the HWND_TOP/BOTTOM/TOPMOST/NOTOPMOST orders, CW_USEDEFAULT as documented. Not supported:
// class and window extra bytes, menus, minimised and maximised states, window regions.
#include "user/window.h"

#include "display/display.h"
#include "kernel/last_error.h"
#include "kernel/trace.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace w32::user {
namespace {

std::shared_ptr<WindowClass> FindClass(LPCSTR name) {
    if (!name || IS_INTRESOURCE(name))
        return nullptr;
    for (const auto& cls : State().classes)
        if (strcasecmp(cls->name.c_str(), name) == 0)
            return cls;
    return nullptr;
}

void MoveBy(Window& w, int dx, int dy) {
    w.rect = {w.rect.left + dx, w.rect.top + dy, w.rect.right + dx, w.rect.bottom + dy};
    w.update.Offset(dx, dy);
    for (HWND child : w.children)
        if (Window* c = Find(child))
            MoveBy(*c, dx, dy);
}

void Show(Window& w, bool activate) {
    if (w.style & WS_VISIBLE)
        return;
    w.style |= WS_VISIBLE;
    Send(w.handle, WM_SHOWWINDOW, TRUE, 0);
    if (!w.parent && activate) {
        BringToFront(w);
        Activate(w.handle, WA_ACTIVE);
    }
    InvalidateWhole(w);
}

void Hide(Window& w) {
    if (!(w.style & WS_VISIBLE))
        return;
    gdi::Region was = VisibleRegion(w);
    Send(w.handle, WM_SHOWWINDOW, FALSE, 0);
    w.style &= ~WS_VISIBLE;
    Expose(was);
    Manager& m = State();
    if (m.active == w.handle) {
        // The next visible top-level window becomes active, as when a window closes.
        HWND next = nullptr;
        for (HWND h : m.topLevel)
            if (Window* o = Find(h);
                o && h != w.handle && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) {
                next = h;
                break;
            }
        m.active = nullptr;
        if (next)
            Activate(next, WA_ACTIVE);
    }
}

void Unlink(Window& w) {
    Manager& m = State();
    std::vector<HWND>& list = w.parent ? Find(w.parent)->children : m.topLevel;
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    if (m.focus == w.handle)
        m.focus = nullptr;
    if (m.capture == w.handle)
        m.capture = nullptr;
    if (m.active == w.handle)
        m.active = nullptr;
}

// Destroys children (WM_DESTROY after their parent's, as on Windows) and the window itself.
void DestroyTree(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w)
        return;
    Send(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children = w->children;
    for (HWND child : children)
        DestroyTree(child);
    Send(hwnd, WM_NCDESTROY, 0, 0);
    if ((w = Find(hwnd))) {
        Unlink(*w);
        State().windows.Remove(FromHandle(hwnd));
    }
}

} // namespace
} // namespace w32::user

using namespace w32;
using namespace w32::user;

extern "C" ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpfnWndProc || !lpWndClass->lpszClassName ||
        IS_INTRESOURCE(lpWndClass->lpszClassName) || !*lpWndClass->lpszClassName)
        return Fail(ERROR_INVALID_PARAMETER, ATOM{0});
    if (FindClass(lpWndClass->lpszClassName))
        return Fail(ERROR_CLASS_ALREADY_EXISTS, ATOM{0});
    auto cls = std::make_shared<WindowClass>();
    cls->name = lpWndClass->lpszClassName;
    cls->style = lpWndClass->style;
    cls->proc = lpWndClass->lpfnWndProc;
    cls->background = lpWndClass->hbrBackground;
    State().classes.push_back(cls);
    // Atoms of registered classes lie in 0xC000..0xFFFF.
    return static_cast<ATOM>(0xC000 + State().classes.size());
}

extern "C" HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                                       DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                       HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                       LPVOID lpParam) {
    std::shared_ptr<WindowClass> cls = FindClass(lpClassName);
    HWND result = nullptr;
    auto trace = [&] {
        if (trace::Enabled())
            trace::Line("CreateWindowExA " +
                        trace::Quote(IS_INTRESOURCE(lpClassName) ? nullptr : lpClassName) + " " +
                        trace::Quote(lpWindowName) + " style=" + trace::Hex(dwStyle) +
                        " exstyle=" + trace::Hex(dwExStyle) + " -> " +
                        (result ? trace::Hex(FromHandle(result)) : "NULL"));
    };
    if (!cls) {
        trace();
        return Fail(ERROR_CANNOT_FIND_WND_CLASS, HWND{});
    }
    bool child = dwStyle & WS_CHILD;
    Window* parent = hWndParent ? Find(hWndParent) : nullptr;
    if ((hWndParent && !parent) || (child && !parent)) {
        trace();
        return Fail(ERROR_INVALID_WINDOW_HANDLE, HWND{});
    }
    if (!child && !EnsureScreen()) {
        trace();
        return Fail(ERROR_INVALID_HANDLE, HWND{});
    }

    auto window = std::make_unique<Window>();
    window->cls = cls;
    window->proc = cls->proc;
    window->style = dwStyle & ~WS_VISIBLE; // shown after WM_CREATE, unless shown during it
    window->exStyle = dwExStyle;
    window->text = lpWindowName ? lpWindowName : "";
    if (child) {
        window->parent = hWndParent;
    } else if (parent) {
        window->owner = TopLevelOf(hWndParent);
    }
    // CW_USEDEFAULT: popups and children start empty at the origin; overlapped windows cascade.
    bool overlapped = !child && !(dwStyle & WS_POPUP);
    if (X == CW_USEDEFAULT)
        X = Y = overlapped ? 26 * static_cast<int>(State().topLevel.size() % 8) : 0;
    if (nWidth == CW_USEDEFAULT) {
        nWidth = overlapped ? GetSystemMetrics(SM_CXSCREEN) * 3 / 4 : 0;
        nHeight = overlapped ? GetSystemMetrics(SM_CYSCREEN) * 3 / 4 : 0;
    }
    POINT origin = {0, 0};
    if (child) {
        RECT client = ClientRect(*parent);
        origin = {client.left, client.top};
    }
    window->rect = {origin.x + X, origin.y + Y, origin.x + X + std::max(0, nWidth),
                    origin.y + Y + std::max(0, nHeight)};

    uintptr_t handle = State().windows.Add(std::move(window));
    if (!handle) {
        trace();
        return Fail(ERROR_NOT_ENOUGH_MEMORY, HWND{});
    }
    HWND hwnd = ToHandle<HWND>(handle);
    Window* w = Find(hwnd);
    w->handle = hwnd;
    if (child)
        parent->children.insert(parent->children.begin(), hwnd);
    else
        BringToFront(*w);

    CREATESTRUCTA create = {lpParam,
                            hInstance,
                            hMenu,
                            hWndParent,
                            nHeight,
                            nWidth,
                            Y,
                            X,
                            static_cast<LONG>(dwStyle),
                            lpWindowName,
                            IS_INTRESOURCE(lpClassName) ? nullptr : lpClassName,
                            dwExStyle};
    LPARAM createParam = reinterpret_cast<LPARAM>(&create);
    if (!Send(hwnd, WM_NCCREATE, 0, createParam) || Send(hwnd, WM_CREATE, 0, createParam) == -1) {
        if (Find(hwnd))
            DestroyWindow(hwnd);
        trace();
        return Fail(ERROR_INVALID_WINDOW_HANDLE, HWND{});
    }
    if ((w = Find(hwnd)) && (dwStyle & WS_VISIBLE))
        Show(*w, !child);
    result = hwnd;
    trace();
    return hwnd;
}

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w)
        return FALSE;
    if (w->destroying)
        return TRUE;
    if (trace::Enabled())
        trace::Line("DestroyWindow " + trace::Hex(FromHandle(hWnd)));
    w->destroying = true;
    Hide(*w);
    // Owned windows go first, entirely.
    std::vector<HWND> owned;
    for (HWND h : State().topLevel)
        if (Window* o = Find(h); o && o->owner == hWnd)
            owned.push_back(h);
    for (HWND h : owned)
        DestroyWindow(h);
    DestroyTree(hWnd);
    return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hWnd) {
    return Find(hWnd) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && IsVisible(*w) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* w = FindOrFail(hWnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (bEnable == wasDisabled) {
        if (bEnable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
        if (!bEnable && (State().focus == hWnd || TopLevelOf(State().focus) == hWnd))
            SetFocus(nullptr);
        Send(hWnd, WM_ENABLE, bEnable, 0);
        InvalidateWhole(*w);
    }
    return wasDisabled;
}

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = FindOrFail(hWnd);
    if (!w)
        return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    if (nCmdShow == SW_HIDE)
        Hide(*w);
    else
        Show(*w, !w->parent);
    return wasVisible;
}

extern "C" BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                                    UINT uFlags) {
    Window* w = FindOrFail(hWnd);
    if (!w)
        return FALSE;
    gdi::Region before = VisibleRegion(*w);
    RECT old = w->rect;
    if (!(uFlags & SWP_NOMOVE)) {
        POINT origin = {0, 0};
        if (Window* p = Find(w->parent)) {
            RECT client = ClientRect(*p);
            origin = {client.left, client.top};
        }
        MoveBy(*w, origin.x + X - w->rect.left, origin.y + Y - w->rect.top);
    }
    if (!(uFlags & SWP_NOSIZE)) {
        w->rect.right = w->rect.left + std::max(0, cx);
        w->rect.bottom = w->rect.top + std::max(0, cy);
    }
    if (!(uFlags & SWP_NOZORDER)) {
        if (hWndInsertAfter == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (hWndInsertAfter == HWND_NOTOPMOST)
            w->exStyle &= ~WS_EX_TOPMOST;
        std::vector<HWND>& list = w->parent ? Find(w->parent)->children : State().topLevel;
        if (hWndInsertAfter == HWND_BOTTOM) {
            list.erase(std::remove(list.begin(), list.end(), hWnd), list.end());
            list.push_back(hWnd);
        } else if (Find(hWndInsertAfter) && hWndInsertAfter != hWnd) {
            list.erase(std::remove(list.begin(), list.end(), hWnd), list.end());
            auto at = std::find(list.begin(), list.end(), hWndInsertAfter);
            list.insert(at == list.end() ? at : at + 1, hWnd);
        } else {
            BringToFront(*w);
        }
    }
    if (uFlags & SWP_HIDEWINDOW)
        Hide(*w);
    if (uFlags & SWP_SHOWWINDOW)
        Show(*w, false);
    if (!(uFlags & SWP_NOACTIVATE) && !w->parent && (w->style & WS_VISIBLE))
        Activate(hWnd, WA_ACTIVE);

    gdi::Region exposed = before;
    exposed.Subtract(VisibleRegion(*w));
    Expose(exposed);
    if (!(uFlags & SWP_NOREDRAW))
        InvalidateWhole(*w);
    Send(hWnd, WM_WINDOWPOSCHANGED, 0, 0);
    if (old.left != w->rect.left || old.top != w->rect.top)
        Send(hWnd, WM_MOVE, 0, 0);
    if (old.right - old.left != w->rect.right - w->rect.left ||
        old.bottom - old.top != w->rect.bottom - w->rect.top) {
        RECT client = ClientRect(*w);
        Send(hWnd, WM_SIZE, 0, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
    return TRUE;
}

extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpRect)
        return FALSE;
    *lpRect = w->rect;
    return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpRect)
        return FALSE;
    RECT c = ClientRect(*w);
    *lpRect = {0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

extern "C" HWND WINAPI SetFocus(HWND hWnd) {
    Manager& m = State();
    HWND previous = m.focus;
    if (hWnd) {
        Window* w = FindOrFail(hWnd);
        if (!w || (w->style & WS_DISABLED))
            return nullptr;
        if (TopLevelOf(hWnd) != m.active)
            Activate(hWnd, WA_ACTIVE);
    }
    if (previous == hWnd)
        return previous;
    m.focus = hWnd;
    if (Find(previous))
        Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (hWnd && m.focus == hWnd)
        Send(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

extern "C" HWND WINAPI GetFocus(void) {
    return State().focus;
}

extern "C" HWND WINAPI GetActiveWindow(void) {
    return State().active;
}

extern "C" HWND WINAPI SetCapture(HWND hWnd) {
    HWND previous = State().capture;
    if (Find(hWnd))
        State().capture = hWnd;
    return previous;
}

extern "C" BOOL WINAPI ReleaseCapture(void) {
    HWND previous = State().capture;
    State().capture = nullptr;
    if (Find(previous))
        Send(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

extern "C" HWND WINAPI GetCapture(void) {
    return State().capture;
}
