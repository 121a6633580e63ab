// GetPrivateProfileStringA, with a reader of our own.
//
// Supports lookups of one key in one section (see profile.h for the rules), the default for a
// missing file, section or key, and results cut to the buffer without splitting a double-byte
// character. Not supported: a null section or key name (the name lists of Windows) fails with
// ERROR_INVALID_PARAMETER and an empty result; files are never written.
#include "kernel/profile.h"

#include "kernel/ascii.h"
#include "kernel/codepage.h"
#include "kernel/last_error.h"
#include "kernel/paths.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace w32::profile {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Position of the first c in s outside double-byte characters (whose second byte may be c).
size_t FindChar(std::string_view s, char c) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == c)
            return i;
        if (codepage::IsLeadByte(static_cast<unsigned char>(s[i])))
            ++i;
    }
    return std::string_view::npos;
}

// End of the line that starts at pos: the first CR or LF, found with memchr, which is several
// times faster than a byte loop on long files. nextLf remembers the next LF, so a file with CR
// line ends alone is not searched to its end for every line.
size_t LineEnd(std::string_view text, size_t pos, size_t* nextLf) {
    if (*nextLf < pos || *nextLf == std::string_view::npos) {
        const void* lf = std::memchr(text.data() + pos, '\n', text.size() - pos);
        *nextLf =
            lf ? static_cast<size_t>(static_cast<const char*>(lf) - text.data()) : text.size();
    }
    const void* cr = std::memchr(text.data() + pos, '\r', *nextLf - pos);
    return cr ? static_cast<size_t>(static_cast<const char*>(cr) - text.data()) : *nextLf;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

bool Lookup(std::string_view text, std::string_view section, std::string_view key,
            std::string_view* value) {
    section = Trim(section);
    key = Trim(key);
    bool inSection = false;
    bool seenSection = false;
    size_t pos = 0;
    size_t nextLf = std::string_view::npos;
    while (pos < text.size()) {
        size_t end = LineEnd(text, pos, &nextLf);
        std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (seenSection)
                return false; // the first section of that name is the one that counts
            size_t close = FindChar(line, ']');
            std::string_view name =
                line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
            inSection = EqualsIgnoringAsciiCase(Trim(name), section);
            seenSection = inSection;
            continue;
        }
        if (!inSection)
            continue;
        size_t equals = FindChar(line, '=');
        if (equals == std::string_view::npos ||
            !EqualsIgnoringAsciiCase(Trim(line.substr(0, equals)), key))
            continue;
        *value = Unquote(Trim(line.substr(equals + 1)));
        return true;
    }
    return false;
}

std::string Decode(std::string bytes) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return codepage::FromUtf8(std::string_view(bytes).substr(3));
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        std::u16string units((bytes.size() - 2) / 2, u'\0');
        for (size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                             static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return codepage::FromUtf16(units);
    }
    return bytes;
}

} // namespace w32::profile

namespace {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (size_t got = std::fread(buffer, 1, sizeof(buffer), file.get()))
        bytes.append(buffer, got);
    if (std::ferror(file.get()))
        return std::nullopt;
    return bytes;
}

DWORD CopyResult(std::string_view text, LPSTR out, DWORD size) {
    size_t length = w32::codepage::CutLength(text, size - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
    return static_cast<DWORD>(length);
}

} // namespace

extern "C" DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName,
                                                 LPCSTR lpDefault, LPSTR lpReturnedString,
                                                 DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || nSize == 0)
        return w32::Fail(ERROR_INVALID_PARAMETER, DWORD{0});
    if (!lpAppName || !lpKeyName || !lpFileName) {
        lpReturnedString[0] = '\0';
        return w32::Fail(ERROR_INVALID_PARAMETER, DWORD{0});
    }
    // Windows drops blanks at the end of the default.
    std::string_view fallback = lpDefault ? lpDefault : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);

    std::optional<std::string> path = w32::paths::ToPosix(lpFileName);
    std::optional<std::string> bytes = path ? ReadFile(*path) : std::nullopt;
    if (!bytes) {
        DWORD copied = CopyResult(fallback, lpReturnedString, nSize);
        return w32::Fail(ERROR_FILE_NOT_FOUND, copied);
    }
    std::string text = w32::profile::Decode(std::move(*bytes));
    std::string_view value;
    bool found = w32::profile::Lookup(text, lpAppName, lpKeyName, &value);
    SetLastError(found ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    return CopyResult(found ? value : fallback, lpReturnedString, nSize);
}
