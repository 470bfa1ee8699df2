#include "stdlib/LIFileSystem.h"

#include "container/LTableString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LServiceCreation.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LIFileSystem> sFileSystem;

// Temporary mounts are named by a running number below this limit.
constexpr int kTempMountLimit = 65536;
int gNextTempMount = 1;

} // namespace

LIFileSystem* LIFileSystem::Get()
{
    if (LIFileSystem* instance = sFileSystem.Peek()) {
        return instance;
    }
    if (sFileSystem.IsDestroyed()) {
        return nullptr;
    }
    LIFileSystem* created = LCreateService<LIFileSystem>("filesystem", &NewDefaultCreator);
    if (!created) {
        L_ERROR("LIFileSystem creation failure.");
        return nullptr;
    }
    return sFileSystem.Install(created);
}

LIFileSystem::LIFileSystem() : mSeparator("/"), mMounts(L_NEW LTableString(8))
{
}

LIFileSystem::~LIFileSystem()
{
    if (mMounts) {
        void** values = nullptr;
        const int count = mMounts->GetValues(&values) ? mMounts->GetCount() : 0;
        for (int i = 0; i < count; ++i) {
            delete static_cast<LString*>(values[i]);
        }
        delete[] values;
        delete mMounts;
    }
    sFileSystem.Destroyed(this);
}

const LString& LIFileSystem::GetSeparator() const
{
    return mSeparator;
}

bool LIFileSystem::GetNativePath(const LString& aSymbolicPath, LString& aOut) const
{
    const char16_t* path = aSymbolicPath.GetBuffer();
    const int length = aSymbolicPath.GetLength();
    LString result;
    if (length >= 2 && path[0] == u'/' && path[1] == u'/') {
        int slash = aSymbolicPath.Find(u"/", 2);
        if (slash < 0) {
            slash = length; // a bare mount name names the mount's directory
        }
        const LString key = aSymbolicPath.Mid(0, slash, 0);
        void* value = nullptr;
        if (!mMounts || !mMounts->ContainsKey(key) || !mMounts->Get(key, &value) || !value) {
            L_ERROR("Mount undefined: " + key);
            return false;
        }
        result = *static_cast<const LString*>(value);
        if (slash < length) {
            result += aSymbolicPath.Mid(slash, length - slash, 0);
        }
    } else if (length >= 2 && path[0] == u'.' && path[1] == u'/') {
        result = mCurrentRoot + mCurrentDirectory + aSymbolicPath.Mid(1, length - 1, 0);
    } else if (length >= 3 && path[0] == u'.' && path[1] == u'.' && path[2] == u'/') {
        result = mCurrentRoot + mParentDirectory + aSymbolicPath.Mid(2, length - 2, 0);
    } else if (length >= 1 && path[0] == u'/') {
        result = mCurrentRoot + mCurrentDirectory + aSymbolicPath;
    } else {
        L_ERROR("Invalid symbolic path: " + aSymbolicPath);
        return false;
    }
    if (!mSeparator.Equals(u"/", false)) {
        result.Replace(LString("/"), mSeparator, true);
    }
    aOut = result;
    return true;
}

bool LIFileSystem::ToNative(const LString& aPath, bool aSymbolic, LString& aOut) const
{
    if (!aSymbolic) {
        aOut = aPath;
        return true;
    }
    aOut.Clear();
    return GetNativePath(aPath, aOut);
}

bool LIFileSystem::IsSafeName(const LString& aName)
{
    if (aName.IsEmpty()) {
        return true;
    }
    const char16_t first = aName.At(0);
    if (first == u'/' || first == u'\\') {
        return false;
    }
    // Each piece between separators of either kind.
    int start = 0;
    const int length = aName.GetLength();
    for (int i = 0; i <= length; ++i) {
        if (i == length || aName.At(i) == u'/' || aName.At(i) == u'\\') {
            if (i - start == 2 && aName.At(start) == u'.' && aName.At(start + 1) == u'.') {
                return false;
            }
            start = i + 1;
        }
    }
    return true;
}

bool LIFileSystem::IsBelowMount(const LString& aSymbolicPath)
{
    const int length = aSymbolicPath.GetLength();
    if (length < 3 || aSymbolicPath.At(0) != u'/' || aSymbolicPath.At(1) != u'/') {
        return false;
    }
    const int slash = aSymbolicPath.Find(u"/", 2);
    if (slash < 0) {
        return true; // the mount's directory itself
    }
    return slash > 2 && IsSafeName(aSymbolicPath.Mid(slash + 1, length - slash - 1, 0));
}

bool LIFileSystem::AddMount(const LString& aSymbolicName, const LString& aNativePath)
{
    const char16_t* name = aSymbolicName.GetBuffer();
    if (aSymbolicName.GetLength() < 2 || name[0] != u'/' || name[1] != u'/') {
        L_ERROR("Invalid arg. Symbolic name should start with '//'. aSymName:" + aSymbolicName);
        return false;
    }
    if (aSymbolicName.GetLength() == 2 || aSymbolicName.Find(u"/", 2) >= 0) {
        L_ERROR("Invalid arg. aSymName:" + aSymbolicName);
        return false;
    }
    if (!mMounts) {
        L_ASSERT_FAILURE("");
        return false;
    }
    RemoveMount(aSymbolicName);
    LString* native = L_NEW LString(aNativePath);
    if (!native) {
        return false;
    }
    if (!mMounts->Add(aSymbolicName, native)) {
        L_ASSERT_FAILURE("");
        delete native;
        return false;
    }
    return true;
}

bool LIFileSystem::RemoveMount(const LString& aSymbolicName)
{
    if (!mMounts || !mMounts->ContainsKey(aSymbolicName)) {
        return false;
    }
    void* value = nullptr;
    if (!mMounts->Remove(aSymbolicName, &value)) {
        return false;
    }
    delete static_cast<LString*>(value);
    return true;
}

bool LIFileSystem::AddTempMount(const LString& aNativePath, LString& aOut)
{
    while (gNextTempMount < kTempMountLimit) {
        const LString name = LString("//") + gNextTempMount;
        ++gNextTempMount;
        if (mMounts && mMounts->ContainsKey(name)) {
            continue;
        }
        if (!AddMount(name, aNativePath)) {
            return false;
        }
        aOut = name;
        return true;
    }
    L_ERROR("No temp mounts left. Max index reached.");
    return false;
}

bool LIFileSystem::SetCurrentPath(const LString& aSymbolicDirectory)
{
    const char16_t* path = aSymbolicDirectory.GetBuffer();
    if (aSymbolicDirectory.GetLength() < 2 || path[0] != u'/' || path[1] != u'/') {
        L_ERROR("Invalid path. Absolute paths should start with '//': " + aSymbolicDirectory);
        return false;
    }
    LString native;
    if (!GetNativePath(aSymbolicDirectory, native)) {
        return false;
    }
    // The directory becomes the root; "./" and "/" paths are taken below it, "../"
    // paths below its parent.
    while (native.GetLength() > 1 && native.At(native.GetLength() - 1) == u'/') {
        native = native.Mid(0, native.GetLength() - 1, 0);
    }
    mCurrentRoot = native;
    mCurrentDirectory.Clear();
    const int slash = native.ReverseFind(u"/");
    mParentDirectory.Clear();
    if (slash > 0) {
        mParentDirectory = LString("/..");
    }
    return true;
}
