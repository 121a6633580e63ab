// The program's one module: its handle and its file.
#pragma once

#include <windows.h>

#include <string>

namespace w32::kernel {

HMODULE MainModule();
bool IsMainModule(HMODULE module);

// The POSIX path of the executable; tests may pretend it lies elsewhere (empty: the real one).
std::string ModulePosixPath();
void SetModulePathForTesting(std::string posixPath);

} // namespace w32::kernel
