// The launcher's start up to its painted backdrop, then a message loop as the welcome page's
// will be: the program the first-frame probe starts. Its WinMain replaces the launcher's, which
// ends at once after the paint and so never waits for the display to show anything.
#include "backdrop/backdrop.h"
#include "launch/setup_inf.h"
#include "launch/setup_state.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    State.Instance = hInstance;
    State.ScreenWidth = (short)GetSystemMetrics(SM_CXSCREEN);
    State.ScreenHeight = (short)GetSystemMetrics(SM_CYSCREEN);
    ReadSetupInf();
    if (!CreateBackdrop())
        return 0;
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
