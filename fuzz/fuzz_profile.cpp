// The profile reader on arbitrary file bytes: decoding (byte-order marks) and the lookups the
// launcher makes.
#include "kernel/profile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text = w32::profile::Decode(std::string(reinterpret_cast<const char*>(data), size));
    static const char* const lookups[][2] = {
        {"Main", "ProductName"}, {"Main", "ARM"},      {"Main", "MIPS"},
        {"Main", "SH3"},         {"Startup", "Title"},
    };
    for (const auto& lookup : lookups) {
        std::string_view value;
        if (w32::profile::Lookup(text, lookup[0], lookup[1], &value) &&
            (value.data() < text.data() || value.data() + value.size() > text.data() + text.size()))
            __builtin_trap(); // a value must lie inside the text
    }
    return 0;
}
