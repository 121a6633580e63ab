// GetModuleHandleA, GetModuleFileNameA.
//
// There is one module, the executable. GetModuleFileNameA reports it as a Windows path under the
// drive whose mapping is the longest prefix of its real path. A short buffer gets the path cut
// (never inside a double-byte character), terminated, the size as result and
// ERROR_INSUFFICIENT_BUFFER, as on current Windows. Other module names are not found.
#include "kernel/module.h"

#include "kernel/codepage.h"
#include "kernel/handle_table.h"
#include "kernel/last_error.h"
#include "kernel/paths.h"

#include <unistd.h>

#include <cstring>
#include <string_view>

namespace w32::kernel {
namespace {

// Index 0, generation 1 of the module handle space: never reused, never freed.
constexpr uintptr_t kMainModule =
    (uintptr_t{1} << (kHandleIndexBits + kHandleKindBits)) |
    (uintptr_t{static_cast<uint32_t>(HandleKind::Module)} << kHandleIndexBits) | 1;

std::string& ModulePathOverride() {
    static std::string path;
    return path;
}

} // namespace

HMODULE MainModule() {
    return ToHandle<HMODULE>(kMainModule);
}

bool IsMainModule(HMODULE module) {
    return FromHandle(module) == kMainModule;
}

std::string ModulePosixPath() {
    if (!ModulePathOverride().empty())
        return ModulePathOverride();
    char buffer[4096];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

void SetModulePathForTesting(std::string posixPath) {
    ModulePathOverride() = std::move(posixPath);
}

} // namespace w32::kernel

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (lpModuleName)
        return w32::Fail(ERROR_MOD_NOT_FOUND, HMODULE{});
    return w32::kernel::MainModule();
}

extern "C" DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule && !w32::kernel::IsMainModule(hModule))
        return w32::Fail(ERROR_MOD_NOT_FOUND, DWORD{0});
    if (!lpFilename || nSize == 0)
        return w32::Fail(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
    std::optional<std::string> path = w32::paths::ToWindows(w32::kernel::ModulePosixPath());
    if (!path)
        return w32::Fail(ERROR_FILE_NOT_FOUND, DWORD{0});
    if (path->size() < nSize) {
        std::memcpy(lpFilename, path->c_str(), path->size() + 1);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path->size());
    }
    size_t kept = w32::codepage::CutLength(*path, nSize - 1);
    std::memcpy(lpFilename, path->data(), kept);
    lpFilename[kept] = '\0';
    return w32::Fail(ERROR_INSUFFICIENT_BUFFER, nSize);
}
