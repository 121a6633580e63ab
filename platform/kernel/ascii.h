// Names that Windows compares without regard to case: ASCII letters fold, other bytes (the
// bytes of double-byte characters among them) must match exactly.
#pragma once

#include <string_view>

namespace w32 {

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace w32
