// The call trace: one line per call that matters to an observer, to the file named by
// W32_TRACE ("-" for standard error). Lines begin with the function's name; strings are quoted
// and in UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace w32::trace {

bool Enabled();
void Line(std::string_view text);

// An ANSI string as "..." in UTF-8 (NULL for a null pointer).
std::string Quote(const char* ansi);
// A handle or pointer-sized value as 0x... .
std::string Hex(uintptr_t value);

} // namespace w32::trace
