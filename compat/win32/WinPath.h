// Path lookup as a case-insensitive file system does it: data made on such a system names
// its files in any mix of case. The exact name is tried first; a component that does not
// exist as written is matched against its directory's entries without regard to ASCII
// case. Uses no allocation (directories are read into a stack buffer).
#pragma once
#include "WinTypes.h"

// The longest native path the stand-ins handle, terminator included.
#define WIN_PATH_CAPACITY 4096u

// Writes the on-disk form of aPath into aOut. With aAllowNewLeaf a last component that
// does not exist is kept as written once its directory is found (for creating entries).
// FALSE when some component cannot be found (GetLastError gives ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND) or the result does not fit.
BOOL WinResolvePath(const char* aPath, char* aOut, DWORD aCapacity, BOOL aAllowNewLeaf);
