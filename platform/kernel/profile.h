// The profile (INI) file form, read the way GetPrivateProfileStringA reads it.
#pragma once

#include <string>
#include <string_view>

namespace w32::profile {

// Finds key in section of the text. Section and key names match without regard to ASCII case;
// blanks around names and values are ignored; one pair of matching quotes around a value is
// removed; lines starting with ';' are comments; the first matching section and key win. One
// pass over the text, nothing allocated.
bool Lookup(std::string_view text, std::string_view section, std::string_view key,
            std::string_view* value);

// The text of a profile file in the ANSI code page: a UTF-8 or UTF-16LE byte-order mark makes
// the rest convert; bytes without one are taken as they are.
std::string Decode(std::string bytes);

} // namespace w32::profile
