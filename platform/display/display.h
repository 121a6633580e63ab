// The process's display: configured once from the environment, opened on first use.
#pragma once

#include "display/backend.h"
#include "display/input_script.h"

#include <optional>
#include <string>
#include <vector>

namespace w32::display {

struct Config {
    Mode mode = Mode::Headless;
    int width = 1024;
    int height = 768;
    std::string inputScript; // path, empty when none
    std::vector<ScriptCommand> script;
};

// Reads W32_DISPLAY, W32_SCREEN and W32_INPUT. On a value that cannot be used, returns nullopt
// and a one-line message naming the variable in error.
std::optional<Config> ConfigFromEnvironment(std::string* error);

void Configure(const Config& config);
const Config& CurrentConfig();

// The open backend, opening it on first call. Null when it cannot be opened; the reason is
// written to standard error once.
Backend* Get();

// Replaces the display (tests), or closes it when backend is null.
void Install(std::unique_ptr<Backend> backend);
void Shutdown();

} // namespace w32::display
