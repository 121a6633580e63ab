// GetFileAttributesA.
//
// Reports FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_READONLY (no write bit for the owner: the
// bits, not access(), since root may write anything) and otherwise FILE_ATTRIBUTE_NORMAL.
// Hidden, system and archive bits have no POSIX counterpart and are never set.
#include "kernel/last_error.h"
#include "kernel/paths.h"

#include <windows.h>

#include <sys/stat.h>

#include <cerrno>

extern "C" DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    if (!lpFileName)
        return w32::Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
    std::optional<std::string> path = w32::paths::ToPosix(lpFileName);
    if (!path)
        return w32::Fail(ERROR_PATH_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
    struct stat st;
    if (stat(path->c_str(), &st) != 0) {
        // ENOTDIR: a trailing separator after a file, or a file used as a directory.
        if (errno == ENOTDIR)
            return w32::Fail(ERROR_INVALID_NAME, INVALID_FILE_ATTRIBUTES);
        std::string parent = path->substr(0, path->find_last_of('/', path->size() - 2));
        bool parentExists = parent.empty() || stat(parent.c_str(), &st) == 0;
        return w32::Fail(parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND,
                         INVALID_FILE_ATTRIBUTES);
    }
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    SetLastError(ERROR_SUCCESS);
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}
