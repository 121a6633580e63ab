#include "backdrop/backdrop.h"

#include "backdrop/keyed_bitmap.h"
#include "launch/setup_state.h"
#include "resource.h"

#define BACKDROP_CLASS "SetupMain"
#define BAND_COUNT 255
// The single-precision value nearest to 1/255.
#define BAND_SCALE 0.003921568859368563f

HFONT TitleFont;
int DissolvePending = 1;

// Rows per band in single precision. The product is exact in double precision and rounded
// once to the nearest float; rounding toward zero instead would move some band edges a row.
static float BandScale(int Height) {
    return (float)((double)Height * (double)BAND_SCALE);
}

// Both products are exact in double precision; the edge is truncated toward zero.
static int BandEdge(int Band, float Scale) {
    return (int)((double)Band * (double)Scale);
}

int BandTop(int Band, int Height) {
    return BandEdge(Band, BandScale(Height));
}

static void PaintBands(HDC Dc) {
    float Scale = BandScale(State.ScreenHeight);
    RECT Band;
    for (int i = 0; i < BAND_COUNT; ++i) {
        SetRect(&Band, 0, BandEdge(i, Scale), State.ScreenWidth, BandEdge(i + 1, Scale));
        HBRUSH Brush = CreateSolidBrush(RGB(0, 0, 255 - i));
        FillRect(Dc, &Band, Brush);
        DeleteObject(Brush);
    }
}

static void PaintTitle(HDC Dc) {
    HGDIOBJ OldFont = SelectObject(Dc, TitleFont);
    SetBkMode(Dc, TRANSPARENT);
    RECT Text;
    SetRect(&Text, 30, 20, 500, 60);
    SetTextColor(Dc, RGB(0, 0, 0));
    DrawTextA(Dc, State.ProductName, lstrlenA(State.ProductName), &Text,
              DT_SINGLELINE | DT_VCENTER);
    SetRect(&Text, 25, 15, 500, 60);
    SetTextColor(Dc, RGB(255, 255, 255));
    DrawTextA(Dc, State.ProductName, lstrlenA(State.ProductName), &Text,
              DT_SINGLELINE | DT_VCENTER);
    SelectObject(Dc, OldFont);
}

static void PaintLogo(HDC Dc, const RECT* UpdateRect) {
    RECT Logo, Scratch;
    SetRect(&Logo, 20, State.ScreenHeight - 60, 600, State.ScreenHeight - 10);
    if (IntersectRect(&Scratch, &Logo, UpdateRect)) {
        POINT Position = {20, State.ScreenHeight - 60};
        DrawKeyedBitmap(Dc, IDB_BACKDROP_LOGO, &Position, DissolvePending);
    }
}

static LRESULT OnCreate(HWND Window) {
    SetWindowPos(Window, HWND_TOPMOST, 0, 0, State.ScreenWidth, State.ScreenHeight, SWP_SHOWWINDOW);
    TitleFont = CreateFontA(-36, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | VARIABLE_PITCH,
                            "Times New Roman");
    return 0;
}

static LRESULT OnDestroy(void) {
    DeleteObject(TitleFont);
    return 0;
}

static LRESULT OnPaint(HWND Window) {
    PAINTSTRUCT Paint;
    HDC Dc = BeginPaint(Window, &Paint);
    PaintBands(Dc);
    PaintTitle(Dc);
    PaintLogo(Dc, &Paint.rcPaint);
    DissolvePending = 0;
    EndPaint(Window, &Paint);
    return 0;
}

LRESULT CALLBACK BackdropWndProc(HWND Window, UINT Message, WPARAM wParam, LPARAM lParam) {
    switch (Message) {
    case WM_CREATE:
        return OnCreate(Window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_PAINT:
        return OnPaint(Window);
    }
    return DefWindowProcA(Window, Message, wParam, lParam);
}

int CreateBackdrop(void) {
    WNDCLASSA Class;
    Class.style = CS_HREDRAW | CS_VREDRAW;
    Class.lpfnWndProc = BackdropWndProc;
    Class.cbClsExtra = 0;
    Class.cbWndExtra = 0;
    Class.hInstance = State.Instance;
    Class.hIcon = NULL;
    Class.hCursor = LoadCursorA(NULL, IDC_ARROW);
    Class.hbrBackground = NULL;
    Class.lpszMenuName = NULL;
    Class.lpszClassName = BACKDROP_CLASS;
    RegisterClassA(&Class);

    State.Backdrop = CreateWindowExA(0, BACKDROP_CLASS, "Setup", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     NULL, NULL, State.Instance, NULL);
    if (!State.Backdrop)
        return 0;

    MSG Message;
    while (PeekMessageA(&Message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&Message);
        DispatchMessageA(&Message);
    }
    return 1;
}
