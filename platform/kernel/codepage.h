// The ANSI code page: conversions between it, UTF-8 and UTF-16, and its lead bytes.
//
// The code page is W32_CODEPAGE (default 950) and is fixed for the process once first used.
// Conversions go through iconv. Bytes that do not convert become '?', never an error.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace w32::codepage {

UINT Current();

// Selects the code page named by a W32_CODEPAGE value (null or empty: 950). False, with a
// one-line message naming W32_CODEPAGE in error, when iconv does not know it.
bool Configure(const char* value, std::string* error);

// True when b starts a double-byte character in the current code page.
bool IsLeadByte(unsigned char b);

std::string ToUtf8(std::string_view ansi);
std::string FromUtf8(std::string_view utf8);
std::u16string ToUtf16(std::string_view ansi);
std::string FromUtf16(std::u16string_view utf16);

// The longest prefix of text, at most maxBytes long, that does not end inside a double-byte
// character. Used wherever the layer cuts a string to fit a buffer.
size_t CutLength(std::string_view text, size_t maxBytes);

} // namespace w32::codepage
