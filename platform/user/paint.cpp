// InvalidateRect, UpdateWindow, BeginPaint, EndPaint.
//
// Update regions are kept in screen coordinates and always lie within the window's visible
// client area; a paint DC is clipped to that area and cut to the update region. BeginPaint sends
// WM_ERASEBKGND when an erase is pending. Not supported: ValidateRect and update regions as
// HRGN.
#include "user/window.h"

#include "gdi/dc.h"
#include "kernel/last_error.h"

#include <cstring>

using namespace w32;
using namespace w32::user;

extern "C" BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    if (!hWnd) {
        // All windows: what the desktop shows is redrawn from scratch.
        for (HWND h : AllWindowsFrontToBack())
            if (Window* w = Find(h))
                InvalidateWhole(*w);
        return TRUE;
    }
    Window* w = FindOrFail(hWnd);
    if (!w)
        return FALSE;
    gdi::Region area = VisibleClientRegion(*w);
    if (lpRect) {
        RECT client = ClientRect(*w);
        area.Intersect(RECT{client.left + lpRect->left, client.top + lpRect->top,
                            client.left + lpRect->right, client.top + lpRect->bottom});
    }
    if (!area.IsEmpty()) {
        w->update.Union(area);
        w->erasePending = w->erasePending || bErase;
    }
    return TRUE;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w)
        return FALSE;
    if (!w->update.IsEmpty() && IsVisible(*w))
        Send(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* w = FindOrFail(hWnd);
    if (!w || !lpPaint)
        return nullptr;
    std::memset(lpPaint, 0, sizeof(*lpPaint));
    RECT client = ClientRect(*w);
    gdi::Region clip = VisibleClientRegion(*w);
    clip.Intersect(w->update);
    bool erase = w->erasePending;
    w->update.Clear();
    w->erasePending = false;

    HDC dc = gdi::CreateScreenDC({client.left, client.top}, clip);
    if (!dc)
        return nullptr;
    lpPaint->hdc = dc;
    lpPaint->fErase = TRUE;
    if (erase && !clip.IsEmpty())
        lpPaint->fErase = Send(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    RECT bounds = clip.Bounds();
    if (!clip.IsEmpty())
        lpPaint->rcPaint = {bounds.left - client.left, bounds.top - client.top,
                            bounds.right - client.left, bounds.bottom - client.top};
    return dc;
}

extern "C" BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    if (!FindOrFail(hWnd) || !lpPaint)
        return FALSE;
    gdi::ReleaseScreenDC(lpPaint->hdc);
    return TRUE;
}
