#include "backdrop/keyed_bitmap.h"

#include "launch/setup_state.h"

const BYTE DissolveOrder[64] = {
    44, 16, 24, 36, 46, 18, 26, 38, //
    48, 0,  8,  56, 50, 2,  10, 58, //
    28, 32, 40, 20, 30, 34, 42, 22, //
    12, 60, 52, 4,  14, 62, 54, 6,  //
    47, 19, 27, 39, 45, 17, 25, 37, //
    51, 3,  11, 59, 49, 1,  9,  57, //
    31, 35, 43, 23, 29, 33, 41, 21, //
    15, 63, 55, 7,  13, 61, 53, 5,  //
};

static void CopyKeyedPixel(HDC Target, HDC Source, int X, int Y, const POINT* Position) {
    COLORREF Color = GetPixel(Source, X, Y);
    if (Color != KEY_COLOR)
        SetPixel(Target, Position->x + X, Position->y + Y, Color);
}

void DrawKeyedBitmap(HDC Target, int BitmapId, const POINT* Position, int Dissolve) {
    HDC Memory = CreateCompatibleDC(Target);
    HBITMAP Bitmap = LoadBitmapA(State.Instance, MAKEINTRESOURCEA(BitmapId & 0xFFFF));
    if (!Bitmap) {
        DeleteDC(Memory);
        return;
    }
    HGDIOBJ Previous = SelectObject(Memory, Bitmap);
    BITMAP Info = {};
    GetObjectA(Bitmap, sizeof(Info), &Info);
    int Width = Info.bmWidth;
    int Height = Info.bmHeight;

    if (!Dissolve) {
        for (int Y = 0; Y < Height; ++Y)
            for (int X = 0; X < Width; ++X)
                CopyKeyedPixel(Target, Memory, X, Y, Position);
    } else {
        // Each stage takes the one place of every 8 x 8 block that the order gives it, top to
        // bottom and left to right, as a full scan testing each pixel against the order would;
        // a pixel's colour is read only in its own stage. Stepping by 8 from the stage's place
        // skips the 63 of 64 pixels the test would reject.
        BYTE PlaceOfStage[64];
        for (int Place = 0; Place < 64; ++Place)
            PlaceOfStage[DissolveOrder[Place]] = (BYTE)Place;
        for (int Stage = 0; Stage < 64; ++Stage)
            for (int Y = PlaceOfStage[Stage] / 8; Y < Height; Y += 8)
                for (int X = PlaceOfStage[Stage] % 8; X < Width; X += 8)
                    CopyKeyedPixel(Target, Memory, X, Y, Position);
    }

    SelectObject(Memory, Previous);
    DeleteObject(Bitmap);
    DeleteDC(Memory);
}
