// Windows-to-POSIX path translation on arbitrary bytes, with a drive mapped to a scratch
// directory: it must not crash, and a result must stay below the drive's root.
#include "kernel/paths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/stat.h>

namespace {

const std::string& Root() {
    static const std::string root = [] {
        char pattern[] = "/tmp/w32fuzz-XXXXXX";
        std::string dir = mkdtemp(pattern) ? pattern : "/tmp";
        std::string sub = dir + "/Sub";
        mkdir(sub.c_str(), 0755);
        w32::paths::LoadDrives(("D=" + dir).c_str(), nullptr);
        return dir;
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& root = Root();
    std::string path = "D:" + std::string(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> posix = w32::paths::ToPosix(path);
    if (posix && posix->compare(0, root.size(), root) != 0)
        __builtin_trap(); // escaped the drive
    if (posix && posix->find("/../") != std::string::npos)
        __builtin_trap();
    w32::paths::ToWindows(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
