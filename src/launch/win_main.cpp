// The launch sequence: one fixed order on the one GUI thread, exit code 0 on every path.
#include "backdrop/backdrop.h"
#include "launch/setup_inf.h"
#include "launch/setup_state.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    State.Instance = hInstance;
    State.ProductName[0] = '\0';
    State.ScreenWidth = (short)GetSystemMetrics(SM_CXSCREEN);
    State.ScreenHeight = (short)GetSystemMetrics(SM_CYSCREEN);

    ReadSetupInf();

    if (!CreateBackdrop())
        return 0;

    // FIXME: the welcome page and the hand-off to the Application Manager run here; until they
    // exist the run ends once the backdrop has painted.
    DestroyWindow(State.Backdrop);
    return 0;
}
