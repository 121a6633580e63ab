// lstrcpynA, lstrcatA, lstrlenA.
//
// A null pointer fails the call (NULL or 0) instead of faulting. Deliberately unlike Windows,
// lstrcpynA never cuts inside a double-byte character: a cut keeps whole characters only.
#include "kernel/codepage.h"

#include <windows.h>

#include <cstring>
#include <string_view>

extern "C" LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2 || iMaxLength <= 0)
        return nullptr;
    size_t room = static_cast<size_t>(iMaxLength) - 1;
    size_t length = strnlen(lpString2, room + 1);
    if (length > room)
        length = w32::codepage::CutLength(std::string_view(lpString2, length), room);
    std::memmove(lpString1, lpString2, length);
    lpString1[length] = '\0';
    return lpString1;
}

extern "C" LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2)
        return nullptr;
    std::memmove(lpString1 + std::strlen(lpString1), lpString2, std::strlen(lpString2) + 1);
    return lpString1;
}

extern "C" int WINAPI lstrlenA(LPCSTR lpString) {
    return lpString ? static_cast<int>(std::strlen(lpString)) : 0;
}
