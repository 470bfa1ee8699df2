#include "WinFileSystem.h"

#include "WinPath.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

DWORD ErrorFromErrno(int aErrno)
{
    switch (aErrno) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENOTEMPTY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    default: return ERROR_INVALID_PARAMETER;
    }
}

BOOL Fail(DWORD aError)
{
    SetLastError(aError);
    return FALSE;
}

BOOL FailErrno()
{
    return Fail(ErrorFromErrno(errno));
}

// The on-disk form of an existing path (or of a new leaf in an existing directory).
bool Resolve(const char* aPath, char (&aOut)[WIN_PATH_CAPACITY], bool aNewLeaf)
{
    return WinResolvePath(aPath, aOut, sizeof(aOut), aNewLeaf ? TRUE : FALSE) != FALSE;
}

// The two ends of a copy or a move: an existing source and a new name in an existing
// directory. On failure the last error names the end that failed.
bool ResolveSourceAndDestination(const char* aSource, const char* aDestination,
                                 char (&aSourceOut)[WIN_PATH_CAPACITY],
                                 char (&aDestinationOut)[WIN_PATH_CAPACITY])
{
    if (!aSource || !aDestination || !Resolve(aSource, aSourceOut, false)) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    if (!Resolve(aDestination, aDestinationOut, true)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    return true;
}

int ToDescriptor(HANDLE aHandle)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(aHandle)) - 1;
}

bool ValidHandle(HANDLE aHandle)
{
    return aHandle != INVALID_HANDLE_VALUE && aHandle != nullptr;
}

DWORD AttributesOf(const struct stat& aInfo)
{
    DWORD attributes = S_ISDIR(aInfo.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if ((aInfo.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes;
}

void Fill(WIN32_FIND_DATAA* aData, const char* aName, const struct stat& aInfo)
{
    aData->dwFileAttributes = AttributesOf(aInfo);
    const uint64_t size = S_ISDIR(aInfo.st_mode) ? 0 : static_cast<uint64_t>(aInfo.st_size);
    aData->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    aData->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    std::strncpy(aData->cFileName, aName, MAX_PATH - 1);
    aData->cFileName[MAX_PATH - 1] = 0;
}

struct LSearch
{
    DIR* directory = nullptr; // null for a search that found its single entry
    std::string path;         // the directory searched, with a trailing "/"
    std::string pattern;
};

bool HasWildcard(const char* aText)
{
    return std::strpbrk(aText, "*?") != nullptr;
}

// The next entry of the search that matches its pattern.
bool NextMatch(LSearch* aSearch, WIN32_FIND_DATAA* aData)
{
    while (struct dirent* entry = ::readdir(aSearch->directory)) {
        if (::fnmatch(aSearch->pattern.c_str(), entry->d_name, FNM_CASEFOLD) != 0) {
            continue;
        }
        struct stat info;
        const std::string full = aSearch->path + entry->d_name;
        if (::stat(full.c_str(), &info) != 0 && ::lstat(full.c_str(), &info) != 0) {
            continue; // vanished meanwhile
        }
        Fill(aData, entry->d_name, info);
        return true;
    }
    return false;
}

bool CopyOneFile(const char* aSource, const char* aDestination, bool aFailIfExists)
{
    const int in = ::open(aSource, O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat info;
    if (::fstat(in, &info) != 0 || S_ISDIR(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(in);
        return false;
    }
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (aFailIfExists ? O_EXCL : O_TRUNC);
    const int out = ::open(aDestination, flags, info.st_mode & 0777);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        errno = error;
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) {
                continue;
            }
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) {
            break;
        }
    }
    const int error = errno;
    ::close(in);
    if (::close(out) != 0) {
        ok = false;
    }
    errno = error;
    return ok;
}

namespace fs = std::filesystem;

// A name beside aTarget that does not exist yet: "<stem> (N)<extension>".
fs::path FreeName(const fs::path& aTarget)
{
    std::error_code error;
    for (int n = 2;; ++n) {
        fs::path candidate = aTarget.parent_path() /
                             (aTarget.stem().string() + " (" + std::to_string(n) + ")" + aTarget.extension().string());
        if (!fs::exists(candidate, error)) {
            return candidate;
        }
    }
}

bool CopyTree(const fs::path& aSource, const fs::path& aDestination, bool aRecursive, bool aRename)
{
    std::error_code error;
    if (!fs::is_directory(aDestination, error) && !fs::create_directories(aDestination, error)) {
        return false;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(aSource, error)) {
        fs::path target = aDestination / entry.path().filename();
        const bool directory = entry.is_directory(error);
        if (directory && !aRecursive) {
            continue;
        }
        if (aRename && fs::exists(target, error)) {
            target = FreeName(target);
        }
        if (directory) {
            if (!CopyTree(entry.path(), target, aRecursive, aRename)) {
                return false;
            }
        } else if (!fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, error)) {
            return false;
        }
    }
    return !error;
}

} // namespace

HANDLE FindFirstFileA(const char* aPattern, WIN32_FIND_DATAA* aData)
{
    if (!aPattern || !aData || !aPattern[0]) {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const char* slash = std::strrchr(aPattern, '/');
    const char* leaf = slash ? slash + 1 : aPattern;
    if (!HasWildcard(leaf)) {
        char resolved[WIN_PATH_CAPACITY];
        struct stat info;
        if (!Resolve(aPattern, resolved, false)) {
            return INVALID_HANDLE_VALUE; // error set by the lookup
        }
        if (::stat(resolved, &info) != 0) {
            FailErrno();
            return INVALID_HANDLE_VALUE;
        }
        const char* name = std::strrchr(resolved, '/');
        Fill(aData, name && name[1] ? name + 1 : resolved, info);
        LSearch* search = new (std::nothrow) LSearch;
        if (!search) {
            Fail(ERROR_NOT_ENOUGH_MEMORY);
            return INVALID_HANDLE_VALUE;
        }
        SetLastError(ERROR_SUCCESS);
        return search;
    }
    std::string directory = slash ? std::string(aPattern, static_cast<size_t>(slash - aPattern)) : std::string(".");
    if (directory.empty()) {
        directory = "/";
    }
    char resolved[WIN_PATH_CAPACITY];
    if (!Resolve(directory.c_str(), resolved, false)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    DIR* handle = ::opendir(resolved);
    if (!handle) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    LSearch* search = new (std::nothrow) LSearch;
    if (!search) {
        ::closedir(handle);
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    search->directory = handle;
    search->path = resolved;
    if (search->path.back() != '/') {
        search->path += '/';
    }
    search->pattern = leaf;
    if (!NextMatch(search, aData)) {
        ::closedir(handle);
        delete search;
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    return search;
}

BOOL FindNextFileA(HANDLE aSearch, WIN32_FIND_DATAA* aData)
{
    if (!ValidHandle(aSearch) || !aData) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    LSearch* search = static_cast<LSearch*>(aSearch);
    if (!search->directory || !NextMatch(search, aData)) {
        return Fail(ERROR_NO_MORE_FILES);
    }
    return TRUE;
}

BOOL FindClose(HANDLE aSearch)
{
    if (!ValidHandle(aSearch)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    LSearch* search = static_cast<LSearch*>(aSearch);
    if (search->directory) {
        ::closedir(search->directory);
    }
    delete search;
    return TRUE;
}

DWORD GetFileAttributesA(const char* aPath)
{
    char resolved[WIN_PATH_CAPACITY];
    struct stat info;
    if (!aPath || !Resolve(aPath, resolved, false)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    if (::stat(resolved, &info) != 0) {
        FailErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(info);
}

BOOL CreateDirectoryA(const char* aPath, void*)
{
    char resolved[WIN_PATH_CAPACITY];
    if (!aPath || !aPath[0]) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!Resolve(aPath, resolved, true)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (::mkdir(resolved, 0755) != 0) {
        return FailErrno();
    }
    return TRUE;
}

BOOL RemoveDirectoryA(const char* aPath)
{
    char resolved[WIN_PATH_CAPACITY];
    if (!aPath || !Resolve(aPath, resolved, false)) {
        return FALSE;
    }
    if (::rmdir(resolved) != 0) {
        return FailErrno();
    }
    return TRUE;
}

BOOL DeleteFileA(const char* aPath)
{
    char resolved[WIN_PATH_CAPACITY];
    if (!aPath || !Resolve(aPath, resolved, false)) {
        return FALSE;
    }
    struct stat info;
    if (::lstat(resolved, &info) != 0) {
        return FailErrno();
    }
    if (S_ISDIR(info.st_mode) || (!S_ISLNK(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (::unlink(resolved) != 0) {
        return FailErrno();
    }
    return TRUE;
}

BOOL CopyFileA(const char* aSource, const char* aDestination, BOOL aFailIfExists)
{
    char source[WIN_PATH_CAPACITY];
    char destination[WIN_PATH_CAPACITY];
    if (!ResolveSourceAndDestination(aSource, aDestination, source, destination)) {
        return FALSE;
    }
    if (!CopyOneFile(source, destination, aFailIfExists != FALSE)) {
        return FailErrno();
    }
    return TRUE;
}

BOOL MoveFileExA(const char* aSource, const char* aDestination, DWORD aFlags)
{
    char source[WIN_PATH_CAPACITY];
    char destination[WIN_PATH_CAPACITY];
    if (!ResolveSourceAndDestination(aSource, aDestination, source, destination)) {
        return FALSE;
    }
    struct stat info;
    if (!(aFlags & MOVEFILE_REPLACE_EXISTING) && ::lstat(destination, &info) == 0) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (::rename(source, destination) != 0) {
        return FailErrno();
    }
    if (aFlags & MOVEFILE_WRITE_THROUGH) {
        // Make the rename itself durable: sync the directory that holds the new name.
        std::string directory(destination);
        const size_t slash = directory.rfind('/');
        directory = slash == std::string::npos ? "." : (slash == 0 ? "/" : directory.substr(0, slash));
        const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD aCapacity, char* aBuffer)
{
    char path[WIN_PATH_CAPACITY];
    if (!::getcwd(path, sizeof(path))) {
        FailErrno();
        return 0;
    }
    const DWORD length = static_cast<DWORD>(std::strlen(path));
    if (!aBuffer || aCapacity < length + 1) {
        return length + 1;
    }
    std::memcpy(aBuffer, path, length + 1);
    return length;
}

BOOL SetCurrentDirectoryA(const char* aPath)
{
    char resolved[WIN_PATH_CAPACITY];
    if (!aPath || !Resolve(aPath, resolved, false)) {
        return FALSE;
    }
    if (::chdir(resolved) != 0) {
        return FailErrno();
    }
    return TRUE;
}

DWORD SetFilePointer(HANDLE aFile, LONG aDistance, LONG* aDistanceHigh, DWORD aMethod)
{
    if (!ValidHandle(aFile)) {
        Fail(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    int64_t distance = aDistanceHigh ? (static_cast<int64_t>(*aDistanceHigh) << 32) |
                                           static_cast<uint32_t>(aDistance)
                                     : aDistance;
    const int whence = aMethod == FILE_CURRENT ? SEEK_CUR : (aMethod == FILE_END ? SEEK_END : SEEK_SET);
    const off_t at = ::lseek(ToDescriptor(aFile), static_cast<off_t>(distance), whence);
    if (at < 0) {
        FailErrno();
        return INVALID_SET_FILE_POINTER;
    }
    if (aDistanceHigh) {
        *aDistanceHigh = static_cast<LONG>(static_cast<uint64_t>(at) >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(static_cast<uint64_t>(at) & 0xFFFFFFFFu);
}

DWORD GetFileSize(HANDLE aFile, DWORD* aSizeHigh)
{
    struct stat info;
    if (!ValidHandle(aFile) || ::fstat(ToDescriptor(aFile), &info) != 0) {
        Fail(ERROR_INVALID_HANDLE);
        return 0xFFFFFFFFu;
    }
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    if (aSizeHigh) {
        *aSizeHigh = static_cast<DWORD>(size >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL FlushFileBuffers(HANDLE aFile)
{
    if (!ValidHandle(aFile)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (::fsync(ToDescriptor(aFile)) != 0 && errno != EINVAL) {
        return FailErrno();
    }
    return TRUE;
}

DWORD GetLogicalDriveStringsA(DWORD aCapacity, char* aBuffer)
{
    static const char kRoots[] = "/\0"; // "/", then the empty string that ends the list
    if (!aBuffer || aCapacity < sizeof(kRoots)) {
        return sizeof(kRoots);
    }
    std::memcpy(aBuffer, kRoots, sizeof(kRoots));
    return sizeof(kRoots) - 1;
}

BOOL GetVolumeInformationA(const char* aRoot, DWORD* aSerialNumber)
{
    struct statvfs info;
    if (!aRoot || ::statvfs(aRoot, &info) != 0) {
        return FailErrno();
    }
    if (aSerialNumber) {
        const DWORD serial = static_cast<DWORD>(info.f_fsid ^ (info.f_fsid >> 32));
        *aSerialNumber = serial ? serial : 1u;
    }
    return TRUE;
}

int SHFileOperationA(SHFILEOPSTRUCTA* aOperation)
{
    if (!aOperation || aOperation->wFunc != FO_COPY || !aOperation->pFrom || !aOperation->pTo) {
        return static_cast<int>(ERROR_INVALID_PARAMETER);
    }
    char source[WIN_PATH_CAPACITY];
    char destination[WIN_PATH_CAPACITY];
    if (!Resolve(aOperation->pFrom, source, false)) {
        return static_cast<int>(ERROR_FILE_NOT_FOUND);
    }
    if (!Resolve(aOperation->pTo, destination, true)) {
        return static_cast<int>(ERROR_PATH_NOT_FOUND);
    }
    std::error_code error;
    if (!fs::is_directory(source, error)) {
        return static_cast<int>(ERROR_PATH_NOT_FOUND);
    }
    const bool recursive = (aOperation->fFlags & FOF_NORECURSION) == 0;
    const bool rename = (aOperation->fFlags & FOF_RENAMEONCOLLISION) != 0;
    return CopyTree(source, destination, recursive, rename) ? 0 : static_cast<int>(ERROR_ACCESS_DENIED);
}
