#include "stdlib/LFileStream.h"

#include "object/LISerializable.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "stdlib/LNativeText.h"
#include "win32/WinFileSystem.h"

namespace {

bool Valid(HANDLE aFile)
{
    return aFile != nullptr && aFile != INVALID_HANDLE_VALUE;
}

} // namespace

LFileStream::LFileStream(const LString& aPath, bool aSymbolic)
{
    if (!aSymbolic) {
        mNativePath = aPath;
        return;
    }
    LIFileSystem* fileSystem = LIFileSystem::Get();
    if (!fileSystem || !fileSystem->GetNativePath(aPath, mNativePath)) {
        mNativePath.Clear();
        L_ERROR("LFileStream creation failure. Could not get native path.");
    }
}

LFileStream::~LFileStream()
{
    if (mOpen) {
        Close();
    }
}

bool LFileStream::SetOpenMode(int aMode)
{
    if (mOpen) {
        L_ERROR("Attempt SetMode on an open stream.");
        return false;
    }
    mOpenMode = aMode;
    return true;
}

bool LFileStream::Open()
{
    if (mOpen) {
        L_WARNING("Attempt to open an already opened stream.");
        return true;
    }
    if (Valid(mFile)) {
        CloseHandle(mFile);
        mFile = nullptr;
    }
    DWORD access = 0;
    DWORD disposition = 0;
    switch (mOpenMode) {
    case OPEN_READ: access = GENERIC_READ; disposition = OPEN_EXISTING; break;
    case OPEN_WRITE: access = GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    case OPEN_READ_WRITE: access = GENERIC_READ | GENERIC_WRITE; disposition = OPEN_EXISTING; break;
    default:
        L_ERROR(LString("Invalid open mode: ") + mOpenMode);
        return false;
    }
    if (mNativePath.IsEmpty()) {
        return false;
    }
    char* path = NewNativeText(mNativePath);
    if (!path) {
        return false;
    }
    HANDLE file = CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    delete[] path;
    if (!Valid(file)) {
        if (GetLastError() == ERROR_BAD_FILE_TYPE) {
            L_ERROR(LString("Not a regular file: ") + mNativePath);
        }
        return false; // callers report the rest
    }
    mFile = file;
    mPosition = 0;
    mOpen = true;
    return true;
}

bool LFileStream::Close()
{
    if (!mOpen) {
        L_WARNING("Attempt to close an unopened stream.");
        return false;
    }
    const bool closed = CloseHandle(mFile) != FALSE;
    mFile = nullptr;
    mOpen = false;
    return closed;
}

bool LFileStream::Flush()
{
    if (!mOpen) {
        L_ERROR("Attempt to flush an unopened stream.");
        return false;
    }
    // Writes go straight to the system; flushing makes them durable.
    return FlushFileBuffers(mFile) != FALSE;
}

int LFileStream::GetPosition()
{
    return mPosition;
}

bool LFileStream::SetPosition(int aPosition)
{
    if (aPosition < 0) {
        L_ERROR(LString("Position out of range: ") + aPosition);
        return false;
    }
    mPosition = aPosition;
    return true;
}

bool LFileStream::Skip(int aNumBytes)
{
    const long long target = static_cast<long long>(mPosition) + aNumBytes;
    if (target < 0 || target > 0x7FFFFFFF) {
        L_ERROR(LString("Skip out of range: ") + aNumBytes);
        return false;
    }
    mPosition = static_cast<int>(target);
    return true;
}

void LFileStream::Reserved()
{
}

int LFileStream::GetRemaining()
{
    if (!mOpen) {
        return -1;
    }
    DWORD high = 0;
    const DWORD low = GetFileSize(mFile, &high);
    const long long size = (static_cast<long long>(high) << 32) | low;
    const long long remaining = size - mPosition;
    if (remaining < 0) {
        return 0;
    }
    return remaining > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(remaining);
}

bool LFileStream::Seek()
{
    return SetFilePointer(mFile, mPosition, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

bool LFileStream::ReadBytes(int aNumBytes, void* aBuffer)
{
    return Transfer(aNumBytes, aBuffer, false);
}

bool LFileStream::WriteBytes(int aNumBytes, const void* aBuffer)
{
    return Transfer(aNumBytes, const_cast<void*>(aBuffer), true);
}

bool LFileStream::Transfer(int aNumBytes, void* aBuffer, bool aWrite)
{
    if (!mOpen) {
        L_ERROR(aWrite ? "Attempt to write to unopened stream." : "Attempt to read from unopened stream.");
        return false;
    }
    if (aNumBytes < 0 || (aNumBytes > 0 && !aBuffer)) {
        L_ERROR("Invalid argument.");
        return false;
    }
    if (aNumBytes == 0) {
        return true;
    }
    if (!Seek()) {
        return false;
    }
    DWORD done = 0;
    if (aWrite) {
        WriteFile(mFile, aBuffer, static_cast<DWORD>(aNumBytes), &done, nullptr);
    } else {
        ReadFile(mFile, aBuffer, static_cast<DWORD>(aNumBytes), &done, nullptr);
    }
    mPosition += static_cast<int>(done);
    return done == static_cast<DWORD>(aNumBytes);
}

bool LFileStream::WriteToFile(LISerializable* aObject, const LString& aPath, bool aSymbolic)
{
    if (!aObject) {
        L_ASSERT_FAILURE("NULL arg.");
        return false;
    }
    // Serialise first: an object that cannot write itself leaves the file alone.
    LMemoryStream memory(1024, LMemoryStream::GROW_DOUBLE);
    if (!aObject->Write(&memory)) {
        L_ASSERT_FAILURE("Write failure.");
        return false;
    }
    return WriteBytesToFile(memory.GetPosition(), memory.GetBuffer(), aPath, aSymbolic);
}

bool LFileStream::WriteBytesToFile(int aNumBytes, const void* aBytes, const LString& aPath, bool aSymbolic)
{
    if (aNumBytes < 0 || (aNumBytes > 0 && !aBytes)) {
        L_ASSERT_FAILURE("Invalid arg.");
        return false;
    }
    LString native;
    if (aSymbolic) {
        LIFileSystem* fileSystem = LIFileSystem::Get();
        if (!fileSystem || !fileSystem->GetNativePath(aPath, native)) {
            L_ASSERT_FAILURE("Could not create file.");
            return false;
        }
    } else {
        native = aPath;
    }
    const LString temporary = native + ".tmp";
    char* temporaryBytes = NewNativeText(temporary);
    char* nativeBytes = NewNativeText(native);
    bool written = false;
    if (temporaryBytes && nativeBytes) {
        LFileStream file(temporary, false);
        file.SetOpenMode(OPEN_WRITE);
        if (!file.Open()) {
            L_ASSERT_FAILURE("Failure opening file stream.");
        } else {
            written = file.WriteBytes(aNumBytes, aBytes) && file.Flush();
            written = file.Close() && written;
            if (!written) {
                L_ASSERT_FAILURE("Write failure.");
            } else if (!MoveFileExA(temporaryBytes, nativeBytes, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                L_ERROR(LString("Could not replace file: ") + native + ", error code:" + GetLastError());
                written = false;
            }
            if (!written) {
                DeleteFileA(temporaryBytes);
            }
        }
    }
    delete[] temporaryBytes;
    delete[] nativeBytes;
    return written;
}
