// The file-system service over the platform's file calls (compat/win32).
#pragma once
#include "stdlib/LIFileSystem.h"

class LFileSystemWin : public LIFileSystem
{
public:
    LFileSystemWin();
    ~LFileSystemWin() override;

    LString Dump() const override;
    // Stores the current path as the start path.
    int Init(int aParameter) override;

    bool CopyDirectory(const LString& aSource, const LString& aDestination, bool aRecursive, bool aOverwrite,
                       bool aSymbolic) override;
    bool CreateDirectory(const LString& aPath, bool aSymbolic) override;
    bool PathExists(const LString& aPath, bool aSymbolic) override;
    bool CopyFile(const LString& aSource, const LString& aDestination, bool aOverwrite, bool aSymbolic) override;
    bool CreateFile(const LString& aPath, bool aSymbolic) override;
    bool DeleteFile(const LString& aPath, bool aSymbolic) override;
    bool FileExists(const LString& aPath, bool aSymbolic) override;
    bool GetCurrentPath(LString& aOut) override;
    bool GetDirectories(const LString& aPath, LVectorString& aOut, bool aSymbolic) override;
    bool GetFiles(const LString& aPath, LVectorString& aOut, bool aSymbolic) override;
    int GetFileSize(const LString& aPath, bool aSymbolic) override;
    int GetDrives(LString** aOut) override;
    bool GetCurrentDirectory(LString& aOut) override;
    bool SetCurrentDirectory(const LString& aPath, bool aSymbolic) override;

private:
    bool List(const LString& aPath, LVectorString& aOut, bool aSymbolic, bool aDirectories);
};
