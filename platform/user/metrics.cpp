// GetSystemMetrics and LoadCursorA.
//
// Metrics are those of the classic look at 96 DPI; the screen size is the display's (or the
// configured size when no display can be opened). Only the system's arrow cursor exists: the
// display shows its own pointer, so the handle is a token for class records.
#include "display/display.h"
#include "kernel/handle_table.h"
#include "kernel/last_error.h"
#include "user/queue.h"
#include "user/testing.h"
#include "user/window.h"

using namespace w32;

extern "C" int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        display::Backend* backend = display::Get();
        display::Pixels screen = backend ? backend->Screen() : display::Pixels{};
        const display::Config& config = display::CurrentConfig();
        if (nIndex == SM_CXSCREEN)
            return backend ? screen.width : config.width;
        return backend ? screen.height : config.height;
    }
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CYCAPTION:
        return 19;
    default:
        return 0;
    }
}

extern "C" HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    // The arrow is the cursor slot 1 of its kind, generation 1: a fixed, valid-looking token.
    constexpr uintptr_t kArrow =
        (uintptr_t{1} << (kHandleIndexBits + kHandleKindBits)) |
        (uintptr_t{static_cast<uint32_t>(HandleKind::Cursor)} << kHandleIndexBits) | 1;
    if (hInstance == nullptr && lpCursorName == IDC_ARROW)
        return ToHandle<HCURSOR>(kArrow);
    return Fail(ERROR_RESOURCE_NAME_NOT_FOUND, HCURSOR{});
}

namespace w32::user {

void ResetForTesting() {
    Manager& m = State();
    std::vector<uintptr_t> handles;
    m.windows.ForEach([&](uintptr_t handle, const Window&) { handles.push_back(handle); });
    for (uintptr_t handle : handles)
        m.windows.Remove(handle);
    m.topLevel.clear();
    m.classes.clear();
    m.active = m.focus = m.capture = nullptr;
    m.desktopPainted = false;
    ResetQueueForTesting();
    ResetInputForTesting();
}

} // namespace w32::user
