// The program's resources: the .res image linked into the executable, looked up by type, name
// and language.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

namespace w32::resources {

// The data of a resource of the module. type and name are MAKEINTRESOURCE values or strings
// (case-insensitive, "#123" meaning ordinal 123). Any other language must match exactly; 0
// (neutral) takes the first of: neutral, the language of the ANSI code page, US English, any
// language. Without a match the last error says which part was not found.
std::optional<std::span<const std::byte>> Find(HMODULE module, LPCSTR type, LPCSTR name,
                                               WORD language = 0);

// Replaces the main module's resources with another .res image (tests); an empty span goes
// back to the linked one.
void SetForTesting(std::span<const std::byte> resFile);

} // namespace w32::resources
