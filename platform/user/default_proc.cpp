// DefWindowProcA: WM_CLOSE destroys, WM_ERASEBKGND fills with the class brush, WM_PAINT
// validates, WM_NCPAINT draws the frame, window text, hit-testing, activation on click.
// Everything else returns 0. Not supported: the system menu, moving and sizing with the mouse.
#include "user/window.h"

#include <algorithm>
#include <cstring>

using namespace w32;
using namespace w32::user;

extern "C" LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    switch (Msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_ERASEBKGND: {
        if (!w->cls->background)
            return 0;
        RECT client;
        GetClientRect(hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, w->cls->background);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_NCPAINT:
        PaintFrame(*w);
        return 0;
    case WM_NCACTIVATE:
        PaintFrame(*w);
        return TRUE;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        PaintFrame(*w);
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        size_t n = std::min<size_t>(w->text.size(), wParam - 1);
        n = lstrlenA(
            lstrcpynA(reinterpret_cast<LPSTR>(lParam), w->text.c_str(), static_cast<int>(n + 1)));
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_NCHITTEST: {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client = ClientRect(*w);
        if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom)
            return HTCLIENT;
        if (CaptionHeight(*w) && p.y < client.top && p.y >= w->rect.top + FrameWidth(*w))
            return HTCAPTION;
        return HTBORDER;
    }
    case WM_MOUSEACTIVATE:
        return 1; // MA_ACTIVATE
    default:
        return 0;
    }
}
