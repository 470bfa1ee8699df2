// The file-system service. Every file is named by a symbolic path, "//" + mount name +
// "/" + the rest ("//dataroot/game/.options"); the service keeps the table of mounts
// (symbolic name with its "//" -> native directory), turns symbolic paths into native
// ones and declares the file operations that the platform implements. Operations taking
// aSymbolic resolve the path first when it is true and take it as native otherwise.
//
// Native paths use "/"; a name that does not exist as written on disk is found without
// regard to case (data files were named on a case-insensitive system).
#pragma once
#include "container/LString.h"
#include "object/LObject.h"

class LIObjectCreator;
class LTableString;
class LVectorString;

class LIFileSystem : public LObject
{
public:
    // The one service, made on first use by the creator registered under "filesystem"
    // (through the API object manager) and deleted by the cleaner at exit; null when it
    // cannot be made (logged) and after it has been deleted.
    static LIFileSystem* Get();

    LIFileSystem();
    ~LIFileSystem() override;

    int Init(int aParameter) override = 0;

    virtual bool CopyDirectory(const LString& aSource, const LString& aDestination, bool aRecursive,
                               bool aOverwrite, bool aSymbolic) = 0;
    // Creates the last directory of the path only.
    virtual bool CreateDirectory(const LString& aPath, bool aSymbolic) = 0;
    virtual bool PathExists(const LString& aPath, bool aSymbolic) = 0;
    virtual bool CopyFile(const LString& aSource, const LString& aDestination, bool aOverwrite, bool aSymbolic) = 0;
    // Creates an empty file, emptying an existing one.
    virtual bool CreateFile(const LString& aPath, bool aSymbolic) = 0;
    virtual bool DeleteFile(const LString& aPath, bool aSymbolic) = 0;
    virtual bool FileExists(const LString& aPath, bool aSymbolic) = 0;
    // Current root + "/" + current directory.
    virtual bool GetCurrentPath(LString& aOut) = 0;
    virtual bool GetDirectories(const LString& aPath, LVectorString& aOut, bool aSymbolic) = 0;
    virtual bool GetFiles(const LString& aPath, LVectorString& aOut, bool aSymbolic) = 0;
    // The size in bytes; -1 (logged) when the file is missing or 2 GB or larger.
    virtual int GetFileSize(const LString& aPath, bool aSymbolic) = 0;
    // aOut must point at null; receives new LString[count] of the roots (delete[]).
    virtual int GetDrives(LString** aOut) = 0;
    virtual const LString& GetSeparator() const;
    // The process's current directory.
    virtual bool GetCurrentDirectory(LString& aOut) = 0;
    virtual bool SetCurrentDirectory(const LString& aPath, bool aSymbolic) = 0;

    // Symbolic to native: "//name/rest" through the mounts, "./rest", "../rest" and
    // "/rest" against the current root. On failure (logged) aOut is unchanged.
    bool GetNativePath(const LString& aSymbolicPath, LString& aOut) const;
    // Defines or replaces the mount aSymbolicName ("//" + a name without "/").
    bool AddMount(const LString& aSymbolicName, const LString& aNativePath);
    bool RemoveMount(const LString& aSymbolicName);
    // Mounts aNativePath under a generated name ("//1", "//2", ...), given back in aOut.
    bool AddTempMount(const LString& aNativePath, LString& aOut);
    // Makes the symbolic directory the base of "./", "../" and "/" paths.
    bool SetCurrentPath(const LString& aSymbolicDirectory);

    // Resolves aPath when aSymbolic; otherwise copies it.
    bool ToNative(const LString& aPath, bool aSymbolic, LString& aOut) const;

    // Whether a name that a data or saved file gives stays below the folder it is joined
    // to: it does not start with "/" or "\" and has no ".." piece between separators of
    // either kind. The empty name stays.
    static bool IsSafeName(const LString& aName);
    // Whether a symbolic path "//mount/rest" keeps its rest below the mount's directory:
    // false for any other form of path and when the rest is not a safe name.
    static bool IsBelowMount(const LString& aSymbolicPath);

protected:
    LString mSeparator;
    LString mCurrentRoot;
    LString mCurrentDirectory;
    LString mStartPath;
    LTableString* mMounts = nullptr;
    LString mParentDirectory;

private:
    // The creator registered under "filesystem" when the program registered none. The
    // one place that names the implementation.
    static LIObjectCreator* NewDefaultCreator();
};
