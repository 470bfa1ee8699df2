// File calls of the Windows kernel interface, over POSIX. Paths are UTF-8 native paths
// with "/" separators; a name that does not exist as written is looked up without regard
// to case (WinPath.h). None of these functions allocates memory, so the log and the
// allocator's own error path may use them.
#pragma once
#include "WinTypes.h"

// Access rights
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_APPEND_DATA 0x00000004u

// Share modes (accepted, no effect on Linux)
#define FILE_SHARE_READ 0x1u
#define FILE_SHARE_WRITE 0x2u

// Creation dispositions
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u

#define FILE_ATTRIBUTE_NORMAL 0x80u

// Error codes reported by GetLastError
#define ERROR_SUCCESS 0u
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_PATH_NOT_FOUND 3u
#define ERROR_ACCESS_DENIED 5u
#define ERROR_INVALID_HANDLE 6u
#define ERROR_NOT_ENOUGH_MEMORY 8u
#define ERROR_HANDLE_EOF 38u
#define ERROR_FILE_EXISTS 80u
#define ERROR_INVALID_PARAMETER 87u
#define ERROR_ALREADY_EXISTS 183u
#define ERROR_BAD_FILE_TYPE 222u

// Opening for reading takes regular files only: a FIFO, socket or device is refused
// (ERROR_BAD_FILE_TYPE) instead of waiting for a writer or reading without end; a
// directory is refused for any access (ERROR_ACCESS_DENIED). An open for reading never
// blocks.
HANDLE CreateFileA(const char* aPath, DWORD aAccess, DWORD aShareMode, void* aSecurity,
                   DWORD aCreationDisposition, DWORD aFlags, HANDLE aTemplate);
BOOL WriteFile(HANDLE aFile, const void* aBuffer, DWORD aCount, DWORD* aWritten, void* aOverlapped);
BOOL ReadFile(HANDLE aFile, void* aBuffer, DWORD aCount, DWORD* aRead, void* aOverlapped);
BOOL CloseHandle(HANDLE aHandle);
DWORD GetLastError();
void SetLastError(DWORD aError);
