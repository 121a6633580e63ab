// The process entry: reads the layer's configuration, calls the program's WinMain with its
// module handle, tears the layer down and returns WinMain's result as the exit status.
//
// A configuration value that cannot be used stops the run before any window, with one line on
// standard error naming the variable and exit status 2.
#include "display/display.h"
#include "kernel/codepage.h"
#include "kernel/paths.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kConfigurationError = 2;

int ConfigurationError(const std::string& message) {
    std::fprintf(stderr, "setup: %s\n", message.c_str());
    return kConfigurationError;
}

} // namespace

int main() {
    std::string error;
    if (!w32::codepage::Configure(std::getenv("W32_CODEPAGE"), &error))
        return ConfigurationError(error);
    if (!w32::paths::LoadDrives(std::getenv("W32_DRIVES"), &error))
        return ConfigurationError(error);
    std::optional<w32::display::Config> display = w32::display::ConfigFromEnvironment(&error);
    if (!display)
        return ConfigurationError(error);
    w32::display::Configure(*display);

    char commandTail[] = "";
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, commandTail, SW_SHOWNORMAL);

    w32::display::Shutdown();
    return result;
}
