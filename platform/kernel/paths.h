// Windows paths on a POSIX file system, through drive letters.
//
// Z: is /, further letters come from W32_DRIVES ("D=/media/cdrom;E=/srv/e"). Names are converted
// from the ANSI code page to UTF-8, and a component that does not exist with its exact case is
// looked up case-insensitively in its directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace w32::paths {

// The POSIX path for a Windows path, or nullopt when it has no drive we map (a relative path,
// an unknown letter, a UNC name). A trailing backslash is kept as a trailing slash.
std::optional<std::string> ToPosix(std::string_view windowsPath);

// The Windows path (ANSI code page) for an absolute POSIX path, under the drive whose mapping is
// the longest prefix of it.
std::optional<std::string> ToWindows(std::string_view posixPath);

// Re-reads W32_DRIVES (for tests); false with a message in error when the value is malformed.
bool LoadDrives(const char* spec, std::string* error);

} // namespace w32::paths
