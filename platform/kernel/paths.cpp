// Windows paths on the POSIX file system, through drive letters.
//
// Supports drive-letter paths with '\' or '/' separators, "." and ".." (never above the drive's
// root), a trailing separator, and case-insensitive lookup of components (ASCII letters) that do
// not exist with their exact case. Not supported: relative paths, paths rooted without a drive,
// UNC names and device names; they have no POSIX path here.
#include "kernel/paths.h"

#include "kernel/ascii.h"
#include "kernel/codepage.h"

#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace w32::paths {
namespace {

struct Drives {
    bool loaded = false;
    std::array<std::string, 26> roots; // empty: letter not mapped
};

Drives& Storage() {
    static Drives drives;
    return drives;
}

// The mapping, read from W32_DRIVES on first use unless start-up loaded it already (start-up
// also reports a malformed value; here it just leaves Z: alone).
const Drives& Table() {
    if (!Storage().loaded && !LoadDrives(std::getenv("W32_DRIVES"), nullptr))
        LoadDrives(nullptr, nullptr);
    return Storage();
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The name of the entry of dir that matches name without regard to case, or name itself.
std::string FindEntry(const std::string& dir, const std::string& name) {
    std::unique_ptr<DIR, int (*)(DIR*)> handle(opendir(dir.c_str()), closedir);
    if (!handle)
        return name;
    while (dirent* entry = readdir(handle.get()))
        if (EqualsIgnoringAsciiCase(entry->d_name, name))
            return entry->d_name;
    return name;
}

std::string Join(const std::string& dir, const std::string& name) {
    return dir == "/" ? "/" + name : dir + "/" + name;
}

// Splits the part after "X:" at separators, stepping over double-byte characters whose second
// byte may equal '\'.
std::vector<std::string_view> SplitComponents(std::string_view rest, bool* trailing) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    *trailing = false;
    for (size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && codepage::IsLeadByte(static_cast<unsigned char>(rest[i])) &&
            i + 1 < rest.size()) {
            ++i;
            continue;
        }
        if (i == rest.size() || rest[i] == '\\' || rest[i] == '/') {
            if (i > start)
                parts.push_back(rest.substr(start, i - start));
            if (i < rest.size())
                *trailing = i + 1 == rest.size();
            start = i + 1;
        }
    }
    return parts;
}

} // namespace

bool LoadDrives(const char* spec, std::string* error) {
    Drives drives;
    drives.loaded = true;
    drives.roots['Z' - 'A'].assign(1, '/');
    std::string_view text = spec ? spec : "";
    while (!text.empty()) {
        size_t end = text.find(';');
        std::string_view entry = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (entry.empty())
            continue;
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
        if (entry.size() < 3 || letter < 'A' || letter > 'Z' || entry[1] != '=' ||
            entry[2] != '/') {
            if (error)
                *error =
                    "W32_DRIVES: expected LETTER=/absolute/path, got '" + std::string(entry) + "'";
            return false;
        }
        std::string root(entry.substr(2));
        while (root.size() > 1 && root.back() == '/')
            root.pop_back();
        drives.roots[letter - 'A'] = root;
    }
    Storage() = drives;
    return true;
}

std::optional<std::string> ToPosix(std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':')
        return std::nullopt;
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0])));
    if (letter < 'A' || letter > 'Z' || Table().roots[letter - 'A'].empty())
        return std::nullopt;
    const std::string& root = Table().roots[letter - 'A'];

    bool trailing = false;
    std::vector<std::string_view> parts = SplitComponents(windowsPath.substr(2), &trailing);
    std::vector<std::string> names;
    for (std::string_view part : parts) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        names.push_back(codepage::ToUtf8(part));
    }
    std::string path = root;
    bool resolving = true;
    for (const std::string& name : names) {
        if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
            return std::nullopt;
        std::string exact = Join(path, name);
        if (resolving && !Exists(exact)) {
            exact = Join(path, FindEntry(path, name));
            resolving = Exists(exact);
        }
        path = std::move(exact);
    }
    if (trailing && path != "/")
        path += '/';
    return path;
}

std::optional<std::string> ToWindows(std::string_view posixPath) {
    if (posixPath.empty() || posixPath[0] != '/')
        return std::nullopt;
    int best = -1;
    size_t bestLength = 0;
    for (int i = 0; i < 26; ++i) {
        const std::string& root = Table().roots[i];
        if (root.empty())
            continue;
        bool under =
            root == "/" || (posixPath.substr(0, root.size()) == root &&
                            (posixPath.size() == root.size() || posixPath[root.size()] == '/'));
        if (under && (best < 0 || root.size() > bestLength)) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best < 0)
        return std::nullopt;
    std::string_view rest = posixPath.substr(Table().roots[best] == "/" ? 0 : bestLength);
    std::string windows(1, static_cast<char>('A' + best));
    windows += ':';
    std::string converted = codepage::FromUtf8(rest);
    for (char& c : converted)
        if (c == '/')
            c = '\\';
    windows += converted.empty() ? "\\" : converted;
    return windows;
}

} // namespace w32::paths
