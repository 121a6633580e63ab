// Copies a bitmap resource pixel by pixel, leaving out the magenta key colour, optionally in
// 64 stages of an 8 x 8 ordered dissolve.
#pragma once

#include <windows.h>

#define KEY_COLOR RGB(255, 0, 255)

// Stage in which the pixel at (x mod 8, y mod 8) of its block is drawn: index (y % 8) * 8 + x % 8.
extern const BYTE DissolveOrder[64];

void DrawKeyedBitmap(HDC Target, int BitmapId, const POINT* Position, int Dissolve);
