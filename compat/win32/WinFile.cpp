#include "WinFile.h"

#include "WinPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local DWORD gLastError = ERROR_SUCCESS;

DWORD ErrorFromErrno(int aErrno)
{
    switch (aErrno) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    default: return ERROR_INVALID_PARAMETER;
    }
}

int ToDescriptor(HANDLE aHandle)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(aHandle)) - 1;
}

HANDLE ToHandle(int aDescriptor)
{
    // Descriptor 0 would be a null handle: offset by one.
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(aDescriptor) + 1);
}

} // namespace

HANDLE CreateFileA(const char* aPath, DWORD aAccess, DWORD, void*, DWORD aCreationDisposition, DWORD, HANDLE)
{
    if (!aPath) {
        gLastError = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    const bool read = (aAccess & GENERIC_READ) != 0;
    const bool write = (aAccess & (GENERIC_WRITE | FILE_APPEND_DATA)) != 0;
    // Opening for reading does not block, so a FIFO without a writer cannot hold the
    // open before it is refused; cleared again for the file that is kept. Writing (the
    // log into a pipe, say) opens as it always did.
    int flags = O_CLOEXEC | (read ? O_NONBLOCK : 0);
    flags |= (read && write) ? O_RDWR : (write ? O_WRONLY : O_RDONLY);
    if ((aAccess & FILE_APPEND_DATA) && !(aAccess & GENERIC_WRITE)) {
        flags |= O_APPEND;
    }
    switch (aCreationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default:
        gLastError = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    int fd = ::open(aPath, flags, 0644);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        // Names written in another case than on disk still open.
        const int original = errno;
        char resolved[WIN_PATH_CAPACITY];
        const BOOL creates = (flags & O_CREAT) != 0;
        if (WinResolvePath(aPath, resolved, sizeof(resolved), creates)) {
            fd = ::open(resolved, flags, 0644);
        } else {
            errno = original;
        }
    }
    if (fd < 0) {
        gLastError = ErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || (read && !S_ISREG(info.st_mode))) {
        const bool directory = S_ISDIR(info.st_mode);
        ::close(fd);
        gLastError = directory ? ERROR_ACCESS_DENIED : ERROR_BAD_FILE_TYPE;
        return INVALID_HANDLE_VALUE;
    }
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        gLastError = ErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    gLastError = ERROR_SUCCESS;
    return ToHandle(fd);
}

BOOL WriteFile(HANDLE aFile, const void* aBuffer, DWORD aCount, DWORD* aWritten, void*)
{
    if (aWritten) {
        *aWritten = 0;
    }
    if (aFile == INVALID_HANDLE_VALUE || aFile == nullptr || (!aBuffer && aCount)) {
        gLastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    const char* p = static_cast<const char*>(aBuffer);
    DWORD done = 0;
    while (done < aCount) {
        ssize_t n = ::write(ToDescriptor(aFile), p + done, aCount - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            gLastError = ErrorFromErrno(errno);
            if (aWritten) {
                *aWritten = done;
            }
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    if (aWritten) {
        *aWritten = done;
    }
    return TRUE;
}

BOOL ReadFile(HANDLE aFile, void* aBuffer, DWORD aCount, DWORD* aRead, void*)
{
    if (aRead) {
        *aRead = 0;
    }
    if (aFile == INVALID_HANDLE_VALUE || aFile == nullptr || (!aBuffer && aCount)) {
        gLastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    char* p = static_cast<char*>(aBuffer);
    DWORD done = 0;
    while (done < aCount) {
        ssize_t n = ::read(ToDescriptor(aFile), p + done, aCount - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            gLastError = ErrorFromErrno(errno);
            if (aRead) {
                *aRead = done;
            }
            return FALSE;
        }
        if (n == 0) {
            break; // end of file: a short read is success, as on Windows
        }
        done += static_cast<DWORD>(n);
    }
    if (aRead) {
        *aRead = done;
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE aHandle)
{
    if (aHandle == INVALID_HANDLE_VALUE || aHandle == nullptr) {
        gLastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (::close(ToDescriptor(aHandle)) != 0) {
        gLastError = ErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

DWORD GetLastError()
{
    return gLastError;
}

void SetLastError(DWORD aError)
{
    gLastError = aError;
}
