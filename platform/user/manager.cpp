// The window manager's core: geometry of the classic frames, z-order, visible regions and what
// repaints when something moves away.
#include "user/window.h"

#include "display/display.h"
#include "gdi/dc.h"
#include "gdi/screen.h"
#include "kernel/last_error.h"

#include <algorithm>

namespace w32::user {
namespace {

constexpr COLORREF kDesktop = RGB(58, 110, 165);
constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);
constexpr COLORREF kActiveCaptionLeft = RGB(10, 36, 106);
constexpr COLORREF kActiveCaptionRight = RGB(166, 202, 240);
constexpr COLORREF kInactiveCaptionLeft = RGB(128, 128, 128);
constexpr COLORREF kInactiveCaptionRight = RGB(192, 192, 192);

bool HasDialogFrame(const Window& w) {
    return (w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME);
}

void Edge(const gdi::Region& clip, RECT r, COLORREF topLeft, COLORREF bottomRight) {
    gdi::FillScreen(clip, {r.left, r.top, r.right, r.top + 1}, topLeft);
    gdi::FillScreen(clip, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    gdi::FillScreen(clip, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    gdi::FillScreen(clip, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

RECT Inset(RECT r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// The window's rectangle cut to its ancestors' client areas.
RECT ClippedRect(const Window& w) {
    RECT r = w.rect;
    for (Window* p = Find(w.parent); p; p = Find(p->parent)) {
        RECT c = ClientRect(*p);
        r = {std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right),
             std::min(r.bottom, c.bottom)};
    }
    return r;
}

} // namespace

Manager& State() {
    static Manager manager;
    return manager;
}

Window* Find(HWND hwnd) {
    return State().windows.Find(FromHandle(hwnd));
}

Window* FindOrFail(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

int FrameWidth(const Window& w) {
    if (HasDialogFrame(w))
        return (w.style & WS_BORDER) && !(w.style & WS_DLGFRAME) ? 4 : 3;
    return (w.style & WS_BORDER) ? 1 : 0;
}

int CaptionHeight(const Window& w) {
    return (w.style & WS_CAPTION) == WS_CAPTION ? 19 : 0;
}

RECT ClientRect(const Window& w) {
    int frame = FrameWidth(w);
    RECT r = {w.rect.left + frame, w.rect.top + frame + CaptionHeight(w), w.rect.right - frame,
              w.rect.bottom - frame};
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

bool IsVisible(const Window& w) {
    for (const Window* p = &w; p; p = Find(p->parent))
        if (!(p->style & WS_VISIBLE))
            return false;
    return true;
}

bool IsTopmost(const Window& w) {
    for (const Window* p = &w; p; p = Find(p->owner))
        if (p->exStyle & WS_EX_TOPMOST)
            return true;
    return false;
}

HWND TopLevelOf(HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && w->parent)
        w = Find(w->parent);
    return w ? w->handle : nullptr;
}

std::vector<HWND> AllWindowsFrontToBack() {
    std::vector<HWND> out;
    auto add = [&](auto&& self, HWND hwnd) -> void {
        out.push_back(hwnd);
        if (Window* w = Find(hwnd))
            for (HWND child : w->children)
                self(self, child);
    };
    for (HWND top : State().topLevel)
        add(add, top);
    return out;
}

gdi::Region VisibleRegion(const Window& w) {
    if (!IsVisible(w))
        return {};
    gdi::Region region(ClippedRect(w));
    // Every sibling in front of the window or of one of its ancestors covers it.
    for (const Window* level = &w; level; level = Find(level->parent)) {
        const std::vector<HWND>& siblings =
            level->parent ? Find(level->parent)->children : State().topLevel;
        for (HWND sibling : siblings) {
            if (sibling == level->handle)
                break;
            if (const Window* s = Find(sibling); s && (s->style & WS_VISIBLE))
                region.Subtract(s->rect);
        }
    }
    return region;
}

gdi::Region VisibleClientRegion(const Window& w) {
    gdi::Region region = VisibleRegion(w);
    region.Intersect(ClientRect(w));
    for (HWND child : w.children)
        if (const Window* c = Find(child); c && (c->style & WS_VISIBLE))
            region.Subtract(c->rect);
    return region;
}

void Expose(const gdi::Region& area) {
    if (area.IsEmpty())
        return;
    gdi::Region desktop = area;
    for (HWND hwnd : AllWindowsFrontToBack()) {
        Window* w = Find(hwnd);
        if (!w || !IsVisible(*w))
            continue;
        gdi::Region shown = VisibleRegion(*w);
        shown.Intersect(area);
        if (shown.IsEmpty())
            continue;
        desktop.Subtract(shown);
        gdi::Region client = shown;
        client.Intersect(ClientRect(*w));
        for (HWND child : w->children)
            if (const Window* c = Find(child); c && (c->style & WS_VISIBLE))
                client.Subtract(c->rect);
        if (!client.IsEmpty()) {
            w->update.Union(client);
            w->erasePending = true;
        }
        gdi::Region frame = shown;
        frame.Subtract(ClientRect(*w));
        if (!frame.IsEmpty())
            Send(hwnd, WM_NCPAINT, 1, 0);
    }
    for (const RECT& r : desktop.Rects())
        gdi::FillScreen(desktop, r, kDesktop);
}

void InvalidateWhole(Window& w) {
    if (!IsVisible(w))
        return;
    Send(w.handle, WM_NCPAINT, 1, 0);
    w.update = VisibleClientRegion(w);
    w.erasePending = true;
    for (HWND child : w.children)
        if (Window* c = Find(child))
            InvalidateWhole(*c);
}

void PaintFrame(Window& w) {
    int frame = FrameWidth(w);
    if (!IsVisible(w) || (frame == 0 && CaptionHeight(w) == 0))
        return;
    gdi::Region clip = VisibleRegion(w);
    clip.Subtract(ClientRect(w));
    if (clip.IsEmpty())
        return;
    RECT r = w.rect;
    if (HasDialogFrame(w)) {
        // The raised 3-D frame of classic dialogs: light outer edge, face, dark inner edge.
        Edge(clip, r, kFace, kDarkShadow);
        Edge(clip, Inset(r, 1), kHighlight, kShadow);
        Edge(clip, Inset(r, 2), kFace, kFace);
        if (frame == 4)
            Edge(clip, Inset(r, 3), kFace, kFace);
    } else if (w.style & WS_BORDER) {
        Edge(clip, r, RGB(0, 0, 0), RGB(0, 0, 0));
    }
    int caption = CaptionHeight(w);
    if (caption) {
        RECT bar = {r.left + frame, r.top + frame, r.right - frame, r.top + frame + caption - 1};
        bool active = State().active == w.handle;
        COLORREF left = active ? kActiveCaptionLeft : kInactiveCaptionLeft;
        COLORREF right = active ? kActiveCaptionRight : kInactiveCaptionRight;
        int width = std::max<int>(1, bar.right - bar.left);
        for (int x = bar.left; x < bar.right; ++x) {
            int t = x - bar.left;
            auto mix = [&](int a, int b) { return a + (b - a) * t / width; };
            gdi::FillScreen(clip, {x, bar.top, x + 1, bar.bottom},
                            RGB(mix(GetRValue(left), GetRValue(right)),
                                mix(GetGValue(left), GetGValue(right)),
                                mix(GetBValue(left), GetBValue(right))));
        }
        gdi::FillScreen(clip, {bar.left, bar.bottom, bar.right, bar.bottom + 1}, kFace);
        HDC dc = gdi::CreateScreenDC({0, 0}, clip);
        HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                 "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9"); // 新細明體
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT text = {bar.left + 4, bar.top, bar.right - 4, bar.bottom};
        DrawTextA(dc, w.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteObject(font);
        gdi::ReleaseScreenDC(dc);
    }
}

bool EnsureScreen() {
    display::Backend* backend = display::Get();
    if (!backend)
        return false;
    if (!State().desktopPainted) {
        State().desktopPainted = true;
        display::Pixels screen = backend->Screen();
        RECT all = {0, 0, screen.width, screen.height};
        gdi::FillScreen(gdi::Region(all), all, kDesktop);
    }
    return true;
}

void BringToFront(Window& w) {
    std::vector<HWND>& list = w.parent ? Find(w.parent)->children : State().topLevel;
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    auto at = list.begin();
    if (!w.parent && !IsTopmost(w))
        at = std::find_if(list.begin(), list.end(),
                          [](HWND h) { return Find(h) && !IsTopmost(*Find(h)); });
    list.insert(at, w.handle);
    // Owned windows stay in front of their owner.
    if (!w.parent) {
        std::vector<HWND> owned;
        for (HWND h : State().topLevel)
            if (Window* o = Find(h); o && o->owner == w.handle)
                owned.push_back(h);
        for (auto it = owned.rbegin(); it != owned.rend(); ++it)
            BringToFront(*Find(*it));
    }
}

void Activate(HWND hwnd, WORD how) {
    Manager& m = State();
    HWND top = TopLevelOf(hwnd);
    if (top == m.active)
        return;
    HWND previous = m.active;
    m.active = top;
    if (Find(previous)) {
        Send(previous, WM_NCACTIVATE, FALSE, 0);
        Send(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(top));
    }
    if (top) {
        Send(top, WM_NCACTIVATE, TRUE, 0);
        Send(top, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(previous));
        // Focus moves into the newly active window unless its procedure put it there.
        if (m.active == top && TopLevelOf(m.focus) != top)
            SetFocus(top);
    }
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w || !w->proc)
        return 0;
    return w->proc(hwnd, message, wParam, lParam);
}

} // namespace w32::user
