#include "stdlib/LFileSystemWin.h"

#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LNativeText.h"
#include "win32/WinFileSystem.h"

#include <string>

namespace {

// A native path as UTF-8 for the platform calls, freed at the end of the scope.
class LNativeBytes
{
public:
    explicit LNativeBytes(const LString& aPath) : mText(NewNativeText(aPath)) {}
    ~LNativeBytes() { delete[] mText; }
    LNativeBytes(const LNativeBytes&) = delete;
    LNativeBytes& operator=(const LNativeBytes&) = delete;

    // "" when the conversion failed, so the platform call fails and reports.
    const char* Get() const { return mText ? mText : ""; }

private:
    char* mText;
};

// The directory entry of a native path; false (GetLastError tells why) when there is none.
bool FindEntry(const LString& aNative, WIN32_FIND_DATAA& aData)
{
    HANDLE search = FindFirstFileA(LNativeBytes(aNative).Get(), &aData);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

bool IsDots(const char* aName)
{
    return (aName[0] == '.' && aName[1] == 0) || (aName[0] == '.' && aName[1] == '.' && aName[2] == 0);
}

} // namespace


LFileSystemWin::LFileSystemWin() = default;

LFileSystemWin::~LFileSystemWin() = default;

LString LFileSystemWin::Dump() const
{
    return DumpHead("LFileSystemWin") + "]";
}

int LFileSystemWin::Init(int)
{
    GetCurrentPath(mStartPath);
    return 1;
}

bool LFileSystemWin::CopyDirectory(const LString& aSource, const LString& aDestination, bool aRecursive,
                                   bool aOverwrite, bool aSymbolic)
{
    LString source;
    LString destination;
    ToNative(aSource, aSymbolic, source);
    ToNative(aDestination, aSymbolic, destination);
    LNativeBytes from(source);
    LNativeBytes to(destination);
    SHFILEOPSTRUCTA operation {};
    operation.wFunc = FO_COPY;
    operation.pFrom = from.Get();
    operation.pTo = to.Get();
    operation.fFlags = static_cast<WORD>(FOF_SILENT | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_NOCOPYSECURITYATTRIBS |
                                         (aRecursive ? 0u : FOF_NORECURSION) |
                                         (aOverwrite ? 0u : FOF_RENAMEONCOLLISION));
    if (SHFileOperationA(&operation) != 0) {
        L_ERROR("Directory copy failure.");
        return false;
    }
    return true;
}

bool LFileSystemWin::CreateDirectory(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    if (!CreateDirectoryA(LNativeBytes(native).Get(), nullptr)) {
        L_ERROR("Could not create directory from path: " + native);
        return false;
    }
    return true;
}

bool LFileSystemWin::PathExists(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    WIN32_FIND_DATAA data;
    return FindEntry(native, data);
}

bool LFileSystemWin::CopyFile(const LString& aSource, const LString& aDestination, bool aOverwrite, bool aSymbolic)
{
    LString source;
    LString destination;
    ToNative(aSource, aSymbolic, source);
    ToNative(aDestination, aSymbolic, destination);
    if (!CopyFileA(LNativeBytes(source).Get(), LNativeBytes(destination).Get(), aOverwrite ? FALSE : TRUE)) {
        L_ERROR("File copy failure. src: " + source + ", dst: " + destination);
        return false;
    }
    return true;
}

bool LFileSystemWin::CreateFile(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    HANDLE file = CreateFileA(LNativeBytes(native).Get(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        L_ERROR("Could not create file:" + aPath + ", error code:" + GetLastError());
        return false;
    }
    CloseHandle(file);
    return true;
}

bool LFileSystemWin::DeleteFile(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    if (!DeleteFileA(LNativeBytes(native).Get())) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED) {
            L_ERROR("Attempt to delete read-only file.");
        } else {
            L_ERROR(LString("File delete failure. Error code: ") + error);
        }
        return false;
    }
    return true;
}

bool LFileSystemWin::FileExists(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    WIN32_FIND_DATAA data;
    if (!FindEntry(native, data)) {
        L_ERROR(LString("FileExists failure. Error:") + GetLastError());
        return false;
    }
    return true;
}

bool LFileSystemWin::GetCurrentPath(LString& aOut)
{
    aOut = mCurrentRoot + "/" + mCurrentDirectory;
    return true;
}

bool LFileSystemWin::List(const LString& aPath, LVectorString& aOut, bool aSymbolic, bool aDirectories)
{
    aOut.RemoveAll();
    LString native;
    ToNative(aPath, aSymbolic, native);
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(LNativeBytes(native + "/*").Get(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        L_ERROR(LString("Invalid file handle. Error: ") + GetLastError());
        return false;
    }
    for (;;) {
        const bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (directory == aDirectories && !IsDots(data.cFileName)) {
            aOut.Add(FromNativeText(data.cFileName));
        }
        if (!FindNextFileA(search, &data)) {
            const DWORD error = GetLastError();
            FindClose(search);
            if (error != ERROR_NO_MORE_FILES) {
                L_ERROR(LString("FindNextFile failure. Error:") + error);
                return false;
            }
            return true;
        }
    }
}

bool LFileSystemWin::GetDirectories(const LString& aPath, LVectorString& aOut, bool aSymbolic)
{
    return List(aPath, aOut, aSymbolic, true);
}

bool LFileSystemWin::GetFiles(const LString& aPath, LVectorString& aOut, bool aSymbolic)
{
    return List(aPath, aOut, aSymbolic, false);
}

int LFileSystemWin::GetFileSize(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    WIN32_FIND_DATAA data;
    if (!FindEntry(native, data)) {
        L_ERROR(LString("GetFileSize failure. Error:") + GetLastError() + " for native path:" + native);
        return -1;
    }
    // The size is a signed 32-bit number: from 2 GB up it cannot be given.
    if (data.nFileSizeHigh != 0 || data.nFileSizeLow > 0x7FFFFFFFu) {
        L_ERROR("File size out of range.");
        return -1;
    }
    return static_cast<int>(data.nFileSizeLow);
}

int LFileSystemWin::GetDrives(LString** aOut)
{
    if (!aOut || *aOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    char roots[256] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof(roots) - 1, roots);
    if (length == 0 || length >= sizeof(roots)) {
        return 0;
    }
    LString kept[32];
    int count = 0;
    for (const char* root = roots; *root && count < 32; root += std::char_traits<char>::length(root) + 1) {
        DWORD serial = 0;
        if (GetVolumeInformationA(root, &serial) && serial != 0) {
            kept[count++] = FromNativeText(root);
        }
    }
    if (count == 0) {
        return 0;
    }
    LString* drives = L_NEW LString[count];
    if (!drives) {
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        drives[i] = kept[i];
    }
    *aOut = drives;
    return count;
}

bool LFileSystemWin::GetCurrentDirectory(LString& aOut)
{
    char path[512];
    const DWORD length = GetCurrentDirectoryA(sizeof(path), path);
    if (length == 0 || length >= sizeof(path)) {
        return false;
    }
    aOut = FromNativeText(path);
    return true;
}

bool LFileSystemWin::SetCurrentDirectory(const LString& aPath, bool aSymbolic)
{
    LString native;
    ToNative(aPath, aSymbolic, native);
    return SetCurrentDirectoryA(LNativeBytes(native).Get()) != FALSE;
}
