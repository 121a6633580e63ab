// The process's display: W32_DISPLAY, W32_SCREEN and W32_INPUT read once at start; the backend
// opened on first use, so a program that never shows a window never connects to X.
#include "display/display.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace w32::display {
namespace {

constexpr int kMaxScreenSide = 16384;

struct State {
    Config config;
    std::unique_ptr<Backend> backend;
    bool failed = false; // opening failed once; said so already
};

State& Current() {
    static State state;
    return state;
}

bool ParseSize(std::string_view text, int* width, int* height) {
    size_t x = text.find('x');
    if (x == std::string_view::npos)
        return false;
    auto parse = [](std::string_view part, int* value) {
        auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), *value);
        return error == std::errc() && end == part.data() + part.size() && *value >= 1 &&
               *value <= kMaxScreenSide;
    };
    return parse(text.substr(0, x), width) && parse(text.substr(x + 1), height);
}

} // namespace

std::optional<Config> ConfigFromEnvironment(std::string* error) {
    Config config;
    const char* display = std::getenv("W32_DISPLAY");
    const char* xDisplay = std::getenv("DISPLAY");
    std::string mode = display && *display     ? display
                       : xDisplay && *xDisplay ? "fullscreen"
                                               : "headless";
    if (mode == "fullscreen") {
        config.mode = Mode::Fullscreen;
    } else if (mode == "window") {
        config.mode = Mode::Window;
    } else if (mode == "headless") {
        config.mode = Mode::Headless;
    } else {
        *error = "W32_DISPLAY: expected fullscreen, window or headless, got '" + mode + "'";
        return std::nullopt;
    }
    if (const char* screen = std::getenv("W32_SCREEN"); screen && *screen) {
        if (!ParseSize(screen, &config.width, &config.height)) {
            *error = std::string("W32_SCREEN: expected WIDTHxHEIGHT (1 to 16384 each), got '") +
                     screen + "'";
            return std::nullopt;
        }
    }
    if (const char* input = std::getenv("W32_INPUT"); input && *input) {
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            *error = std::string("W32_INPUT: cannot read input script '") + input + "'";
            return std::nullopt;
        }
        std::stringstream text;
        text << file.rdbuf();
        std::string problem;
        std::optional<std::vector<ScriptCommand>> script = ParseInputScript(text.str(), &problem);
        if (!script) {
            *error = "W32_INPUT: " + problem;
            return std::nullopt;
        }
        config.inputScript = input;
        config.script = std::move(*script);
    }
    return config;
}

void Configure(const Config& config) {
    Current().config = config;
}

const Config& CurrentConfig() {
    return Current().config;
}

Backend* Get() {
    State& state = Current();
    if (state.backend || state.failed)
        return state.backend.get();
    const Config& config = state.config;
    std::string error;
    if (config.mode == Mode::Headless)
        state.backend = OpenHeadless(config.width, config.height);
    else
        state.backend = OpenX11(config.mode, config.width, config.height, &error);
    if (!state.backend) {
        state.failed = true;
        std::fprintf(stderr, "setup: %s\n",
                     error.empty() ? "cannot open the display" : error.c_str());
    }
    return state.backend.get();
}

void Install(std::unique_ptr<Backend> backend) {
    Current().backend = std::move(backend);
    Current().failed = false;
}

void Shutdown() {
    Current().backend.reset();
}

} // namespace w32::display
