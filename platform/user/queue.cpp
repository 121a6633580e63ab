// PostMessageA, PostQuitMessage, SendMessageA, PeekMessageA, GetMessageA, TranslateMessage,
// DispatchMessageA.
//
// One queue for the one GUI thread, served in the Win32 order: posted and input messages first,
// then WM_QUIT once asked for and no posted message is left, then WM_PAINT for a visible window
// with an update region. WM_PAINT stays until the window validates; a window procedure that
// leaves it invalid is validated after the dispatch instead of being sent WM_PAINT forever. Not
// supported: timers, hooks, messages of other threads, PM_NOYIELD.
#include "user/queue.h"

#include "display/display.h"
#include "kernel/last_error.h"
#include "user/window.h"

#include <chrono>
#include <deque>

namespace w32::user {
namespace {

struct Entry {
    MSG msg;
    unsigned character; // what a key press types, for TranslateMessage
};

struct Queue {
    std::deque<Entry> messages;
    bool quit = false;
    int quitCode = 0;
    MSG lastKeyDown = {};
    unsigned lastKeyCharacter = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

} // namespace

DWORD Now() {
    using namespace std::chrono;
    return static_cast<DWORD>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {

bool Matches(const MSG& m, HWND filter, UINT low, UINT high) {
    if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd))
        return false;
    return (low == 0 && high == 0) || (m.message >= low && m.message <= high);
}

// Takes whatever input the display has ready, without waiting.
void DrainDisplay() {
    if (!State().desktopPainted)
        return; // nothing is shown yet, so no input can be meant for us
    if (display::Backend* backend = display::Get())
        while (std::optional<display::InputEvent> event = backend->NextEvent(false))
            QueueInput(*event);
}

bool Retrieve(LPMSG out, HWND filter, UINT low, UINT high, bool remove) {
    Queue& q = TheQueue();
    DrainDisplay();
    for (auto it = q.messages.begin(); it != q.messages.end(); ++it) {
        if (!Matches(it->msg, filter, low, high))
            continue;
        *out = it->msg;
        if (remove) {
            if (out->message == WM_KEYDOWN || out->message == WM_SYSKEYDOWN) {
                q.lastKeyDown = *out;
                q.lastKeyCharacter = it->character;
            }
            q.messages.erase(it);
        }
        return true;
    }
    if (q.quit && !filter) {
        *out = {nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, Now(), {0, 0}};
        if (remove)
            q.quit = false;
        return true;
    }
    for (HWND hwnd : AllWindowsFrontToBack()) {
        Window* w = Find(hwnd);
        if (w && !w->update.IsEmpty() && IsVisible(*w) &&
            Matches(MSG{hwnd, WM_PAINT, 0, 0, 0, {}}, filter, low, high)) {
            *out = {hwnd, WM_PAINT, 0, 0, Now(), {0, 0}};
            return true;
        }
    }
    return false;
}

} // namespace

void PostToQueue(const MSG& message, unsigned character) {
    TheQueue().messages.push_back({message, character});
}

void ResetQueueForTesting() {
    TheQueue() = Queue{};
}

} // namespace w32::user

using namespace w32;
using namespace w32::user;

extern "C" BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    for (Window* w = Find(hWnd); w && w->parent; w = Find(w->parent))
        if (w->parent == hWndParent)
            return TRUE;
    return FALSE;
}

extern "C" BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !FindOrFail(hWnd))
        return FALSE;
    PostToQueue({hWnd, Msg, wParam, lParam, Now(), {0, 0}}, 0);
    return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int nExitCode) {
    TheQueue().quit = true;
    TheQueue().quitCode = nExitCode;
}

extern "C" LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!FindOrFail(hWnd))
        return 0;
    return Send(hWnd, Msg, wParam, lParam);
}

extern "C" BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                    UINT wRemoveMsg) {
    if (!lpMsg || (hWnd && !FindOrFail(hWnd)))
        return FALSE;
    return Retrieve(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg & PM_REMOVE) ? TRUE
                                                                                       : FALSE;
}

extern "C" BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg || (hWnd && !FindOrFail(hWnd)))
        return -1;
    while (!Retrieve(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true))
        WaitForInput();
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

extern "C" BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    // The character comes from the key event the message was made from.
    Queue& q = TheQueue();
    if (lpMsg->hwnd != q.lastKeyDown.hwnd || lpMsg->wParam != q.lastKeyDown.wParam ||
        lpMsg->time != q.lastKeyDown.time || q.lastKeyCharacter == 0)
        return FALSE;
    UINT message = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    q.messages.push_front(
        {{lpMsg->hwnd, message, q.lastKeyCharacter, lpMsg->lParam, lpMsg->time, lpMsg->pt}, 0});
    return TRUE;
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg || !lpMsg->hwnd)
        return 0;
    Window* w = FindOrFail(lpMsg->hwnd);
    if (!w)
        return 0;
    LRESULT result = Send(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    // A WM_PAINT that left the window invalid would come back at once, forever.
    if (lpMsg->message == WM_PAINT && (w = Find(lpMsg->hwnd)) && !w->update.IsEmpty())
        w->update.Clear();
    return result;
}
