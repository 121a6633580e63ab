// The standard 32-bit .res file: a sequence of resource entries, as the resource compiler
// writes them and the build links them into the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace w32::resources {

// A resource type or name: an ordinal, or a string (upper-cased, as Windows compares them).
struct ResName {
    uint16_t ordinal = 0;
    std::u16string text; // empty for an ordinal

    bool IsOrdinal() const { return text.empty(); }
    friend bool operator==(const ResName&, const ResName&) = default;
};

struct ResEntry {
    ResName type;
    ResName name;
    uint16_t language = 0;
    std::span<const std::byte> data;
};

// Every entry of a .res image, or nullopt when the image is malformed anywhere. The entries
// point into bytes, which must outlive them.
std::optional<std::vector<ResEntry>> ParseResFile(std::span<const std::byte> bytes);

} // namespace w32::resources
