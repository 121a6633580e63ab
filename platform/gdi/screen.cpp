#include "gdi/screen.h"

#include "display/display.h"

#include <algorithm>
#include <chrono>

namespace w32::gdi {
namespace {

using Clock = std::chrono::steady_clock;
// About one frame of a 60 Hz display between presents during a long paint.
constexpr auto kPresentInterval = std::chrono::milliseconds(16);
Clock::time_point g_lastPresent;

struct ChangedArea {
    RECT bounds = {0, 0, 0, 0};
    bool any = false;
};
ChangedArea g_changed;

} // namespace

display::Pixels ScreenPixels() {
    display::Backend* backend = display::Get();
    return backend ? backend->Screen() : display::Pixels{};
}

void NoteChanged(const RECT& area) {
    if (area.left >= area.right || area.top >= area.bottom)
        return;
    ChangedArea& c = g_changed;
    if (!c.any) {
        c.bounds = area;
        c.any = true;
    } else {
        c.bounds.left = std::min(c.bounds.left, area.left);
        c.bounds.top = std::min(c.bounds.top, area.top);
        c.bounds.right = std::max(c.bounds.right, area.right);
        c.bounds.bottom = std::max(c.bounds.bottom, area.bottom);
    }
}

void PresentChanges() {
    ChangedArea& c = g_changed;
    g_lastPresent = Clock::now();
    if (!c.any)
        return;
    c.any = false;
    if (display::Backend* backend = display::Get())
        backend->Present(c.bounds);
}

bool PaceDue() {
    g_pixelWritesUntilPaceCheck = 4096;
    return Clock::now() - g_lastPresent >= kPresentInterval;
}

} // namespace w32::gdi
