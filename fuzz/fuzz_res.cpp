// The .res parser on arbitrary bytes, and string lookups over whatever it accepts.
#include "resources/res_file.h"
#include "resources/resources.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    auto entries = w32::resources::ParseResFile(bytes);
    if (!entries)
        return 0;
    for (const auto& entry : *entries)
        if (entry.data.data() < bytes.data() ||
            entry.data.data() + entry.data.size() > bytes.data() + size)
            __builtin_trap();
    w32::resources::SetForTesting(bytes);
    char buffer[256];
    for (UINT id : {0u, 23u, 29u, 61u, 65535u})
        LoadStringA(nullptr, id, buffer, sizeof(buffer));
    w32::resources::SetForTesting({});
    return 0;
}
