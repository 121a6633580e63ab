// The full-screen, topmost backdrop behind the wizard: blue gradient, shadowed title, logo.
#pragma once

#include <windows.h>

// Creates the backdrop into State.Backdrop and dispatches every pending message, so it has
// painted once on return. 1 when the window exists, 0 when it could not be created.
int CreateBackdrop(void);

LRESULT CALLBACK BackdropWndProc(HWND Window, UINT Message, WPARAM wParam, LPARAM lParam);

// Top edge of gradient band Band (0..255) on a screen of Height rows; band 255's top is Height.
int BandTop(int Band, int Height);

extern HFONT TitleFont;
extern int DissolvePending;
