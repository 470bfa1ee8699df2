#include "WinPath.h"

#include "WinFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct LinuxDirent
{
    uint64_t ino;
    int64_t offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

char Fold(char aChar)
{
    return (aChar >= 'A' && aChar <= 'Z') ? static_cast<char>(aChar + 32) : aChar;
}

bool SameNoCase(const char* aLeft, const char* aRight, size_t aRightLength)
{
    size_t i = 0;
    for (; i < aRightLength; ++i) {
        if (aLeft[i] == 0 || Fold(aLeft[i]) != Fold(aRight[i])) {
            return false;
        }
    }
    return aLeft[i] == 0;
}

bool Exists(const char* aPath)
{
    struct stat info;
    return ::lstat(aPath, &info) == 0;
}

// Looks in directory aDirectory ("" for the current one) for an entry named aName
// (aLength bytes) in any case; copies the entry's real name into aOut.
bool FindNoCase(const char* aDirectory, const char* aName, size_t aLength, char* aOut, size_t aCapacity)
{
    const int fd = ::open(aDirectory[0] ? aDirectory : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    alignas(8) char buffer[8192];
    bool found = false;
    for (;;) {
        const long n = ::syscall(SYS_getdents64, fd, buffer, sizeof(buffer));
        if (n <= 0) {
            break;
        }
        for (long at = 0; at < n && !found;) {
            const LinuxDirent* entry = reinterpret_cast<const LinuxDirent*>(buffer + at);
            if (SameNoCase(entry->name, aName, aLength)) {
                const size_t nameLength = std::strlen(entry->name);
                if (nameLength < aCapacity) {
                    std::memcpy(aOut, entry->name, nameLength + 1);
                    found = true;
                }
            }
            at += entry->length;
        }
        if (found) {
            break;
        }
    }
    ::close(fd);
    return found;
}

} // namespace

BOOL WinResolvePath(const char* aPath, char* aOut, DWORD aCapacity, BOOL aAllowNewLeaf)
{
    if (!aPath || !aOut || aCapacity == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const size_t length = std::strlen(aPath);
    if (length + 1 > aCapacity) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::memcpy(aOut, aPath, length + 1);
    if (length == 0 || Exists(aPath)) {
        return TRUE;
    }
    // Component by component. aOut holds the resolved prefix (without trailing "/").
    size_t out = 0;
    size_t at = 0;
    if (aPath[0] == '/') {
        aOut[out++] = '/';
        at = 1;
    }
    aOut[out] = 0;
    while (at < length) {
        size_t end = at;
        while (end < length && aPath[end] != '/') {
            ++end;
        }
        const size_t partLength = end - at;
        if (partLength == 0) {
            at = end + 1;
            continue; // doubled separator
        }
        const size_t prefix = out;
        const bool needSlash = out > 0 && aOut[out - 1] != '/';
        if (prefix + (needSlash ? 1 : 0) + partLength + 1 > aCapacity) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (needSlash) {
            aOut[out++] = '/';
        }
        std::memcpy(aOut + out, aPath + at, partLength);
        aOut[out + partLength] = 0;
        const bool dots = (partLength == 1 && aPath[at] == '.') ||
                          (partLength == 2 && aPath[at] == '.' && aPath[at + 1] == '.');
        if (!dots && !Exists(aOut)) {
            char directory[WIN_PATH_CAPACITY];
            std::memcpy(directory, aOut, prefix); // the resolved prefix is the directory
            directory[prefix] = 0;
            char name[256];
            if (FindNoCase(directory, aPath + at, partLength, name, sizeof(name))) {
                const size_t nameLength = std::strlen(name);
                if (out + nameLength + 1 > aCapacity) {
                    SetLastError(ERROR_INVALID_PARAMETER);
                    return FALSE;
                }
                std::memcpy(aOut + out, name, nameLength + 1);
            } else {
                bool remaining = false;
                for (size_t k = end; k < length; ++k) {
                    if (aPath[k] != '/') {
                        remaining = true;
                        break;
                    }
                }
                if (remaining || !aAllowNewLeaf) {
                    SetLastError(remaining ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
                    std::memcpy(aOut, aPath, length + 1);
                    return FALSE;
                }
            }
        }
        out += std::strlen(aOut + out);
        at = end + 1;
    }
    // Keep a trailing separator as written.
    if (length > 0 && aPath[length - 1] == '/' && out > 0 && aOut[out - 1] != '/' && out + 2 <= aCapacity) {
        aOut[out++] = '/';
        aOut[out] = 0;
    }
    return TRUE;
}
