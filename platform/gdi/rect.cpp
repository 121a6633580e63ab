// SetRect, IntersectRect.
#include "gdi/region.h"

#include <windows.h>

#include <algorithm>

extern "C" BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc)
        return FALSE;
    *lprc = {xLeft, yTop, xRight, yBottom};
    return TRUE;
}

extern "C" BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (!lprcDst || !lprcSrc1 || !lprcSrc2)
        return FALSE;
    RECT r = {std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
              std::min(lprcSrc1->right, lprcSrc2->right),
              std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
    if (w32::gdi::IsEmptyRect(r)) {
        *lprcDst = {0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}
