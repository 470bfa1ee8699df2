// File-system calls of the Windows kernel and shell interfaces that the engine's file
// system service is written against, over POSIX and std::filesystem. Paths are UTF-8
// native paths with "/" separators, looked up case-insensitively where they do not exist
// as written (WinPath.h). Errors are reported through GetLastError (WinFile.h).
#pragma once
#include "WinFile.h"

#define MAX_PATH 260u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu

#define FILE_ATTRIBUTE_READONLY 0x01u
#define FILE_ATTRIBUTE_DIRECTORY 0x10u

#define ERROR_NO_MORE_FILES 18u

#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u

#define MOVEFILE_REPLACE_EXISTING 0x1u
#define MOVEFILE_WRITE_THROUGH 0x8u

struct WIN32_FIND_DATAA
{
    DWORD dwFileAttributes;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[MAX_PATH];
};

// Directory search. The last component of aPattern may hold the wildcards "*" and "?"
// (matched without regard to case); a listing includes "." and "..". Without wildcards
// the search finds the one entry the path names.
HANDLE FindFirstFileA(const char* aPattern, WIN32_FIND_DATAA* aData);
BOOL FindNextFileA(HANDLE aSearch, WIN32_FIND_DATAA* aData);
BOOL FindClose(HANDLE aSearch);

DWORD GetFileAttributesA(const char* aPath);
BOOL CreateDirectoryA(const char* aPath, void* aSecurity);
BOOL RemoveDirectoryA(const char* aPath);
// A file without write permission counts as read-only and is refused (ERROR_ACCESS_DENIED).
BOOL DeleteFileA(const char* aPath);
BOOL CopyFileA(const char* aSource, const char* aDestination, BOOL aFailIfExists);
BOOL MoveFileExA(const char* aSource, const char* aDestination, DWORD aFlags);
// The length written (without terminator), or the size needed when aBuffer is too small;
// 0 on failure.
DWORD GetCurrentDirectoryA(DWORD aCapacity, char* aBuffer);
BOOL SetCurrentDirectoryA(const char* aPath);

// Moves an open file's position; the new low 32 bits, INVALID_SET_FILE_POINTER on failure.
DWORD SetFilePointer(HANDLE aFile, LONG aDistance, LONG* aDistanceHigh, DWORD aMethod);
// The size of an open file: low 32 bits returned, high 32 bits in aSizeHigh.
DWORD GetFileSize(HANDLE aFile, DWORD* aSizeHigh);
BOOL FlushFileBuffers(HANDLE aFile);

// Drive roots: one root, "/", as a list of 0-terminated strings ending in an empty one.
DWORD GetLogicalDriveStringsA(DWORD aCapacity, char* aBuffer);
// Serial number of the file system holding aRoot (never 0 for a mounted one).
BOOL GetVolumeInformationA(const char* aRoot, DWORD* aSerialNumber);

// Shell file operation: copying a directory.
#define FO_COPY 0x2u
#define FOF_SILENT 0x4u
#define FOF_RENAMEONCOLLISION 0x8u
#define FOF_NOCONFIRMMKDIR 0x200u
#define FOF_NOERRORUI 0x400u
#define FOF_NOCOPYSECURITYATTRIBS 0x800u
#define FOF_NORECURSION 0x1000u

struct SHFILEOPSTRUCTA
{
    void* hwnd;
    UINT wFunc;
    const char* pFrom; // each a list of paths ending in two 0 characters; the first is used
    const char* pTo;
    WORD fFlags;
};

// FO_COPY copies the contents of the source directory into the destination (made when
// missing): subdirectories too unless FOF_NORECURSION; an entry that exists at the
// destination is replaced, or with FOF_RENAMEONCOLLISION the copy is named
// "<name> (2)", "<name> (3)"... 0 on success.
int SHFileOperationA(SHFILEOPSTRUCTA* aOperation);
