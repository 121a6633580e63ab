// The input-script parser on arbitrary text: a script or an error with a line number.
#include "display/input_script.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto script = w32::display::ParseInputScript(
        std::string_view(reinterpret_cast<const char*>(data), size), &error);
    if (!script && error.rfind("line ", 0) != 0)
        __builtin_trap();
    if (script)
        for (const auto& command : *script)
            if (command.line <= 0)
                __builtin_trap();
    return 0;
}
