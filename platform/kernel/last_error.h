// The one error idiom at the Win32 surface: set the last error and return the failure value.
#pragma once

#include <windows.h>

namespace w32 {

template <class T> T Fail(DWORD error, T failureValue) {
    SetLastError(error);
    return failureValue;
}

} // namespace w32
