#include "Render/LAnimationChannel.h"

#include "container/LHashKeyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <climits>
#include <utility>

namespace {
constexpr int kVectorBytes = 3 * 4;
constexpr int kQuaternionBytes = 4 * 4;

// True when aCount keys of aKeyBytes each fit in what the stream still holds (and in an
// int of bytes); logs the refusal otherwise.
bool KeysFit(LIStream* aStream, long long aCount, int aKeyBytes)
{
    const long long bytes = aCount * aKeyBytes;
    if (aCount < 0 || bytes > INT_MAX || !aStream->Holds(bytes)) {
        L_ERROR(LString("Read failure. Key count exceeds the data left: ") + aCount);
        return false;
    }
    return true;
}

// A presence byte and, when it is set, aCount keys into a new array handed to aKeys
// (which must hold null). An empty present array is still an array, so it writes back
// as present.
template <typename T>
bool ReadKeys(LIStream* aStream, int aCount, int aKeyBytes, T*& aKeys)
{
    bool present = false;
    if (!::Read(aStream, present)) {
        L_ERROR("Read failure. Truncated channel.");
        return false;
    }
    if (!present) {
        return true;
    }
    if (!KeysFit(aStream, aCount, aKeyBytes)) {
        return false;
    }
    aKeys = L_NEW T[aCount];
    if (aKeys == nullptr) {
        L_ERROR("Read failure. Out of memory.");
        return false;
    }
    for (int i = 0; i < aCount; ++i) {
        if (!aKeys[i].Read(aStream)) {
            L_ERROR("Read failure. Truncated keys.");
            return false;
        }
    }
    return true;
}

template <typename T>
bool WriteKeys(LIStream* aStream, int aCount, const T* aKeys)
{
    bool result = ::Write(aStream, aKeys != nullptr);
    for (int i = 0; aKeys != nullptr && i < aCount; ++i) {
        result = aKeys[i].Write(aStream) && result;
    }
    return result;
}

template <typename T>
void Replace(T*& aKeys, T*& aRead)
{
    if (aRead != nullptr) {
        std::swap(aKeys, aRead);
    }
}
} // namespace

LAnimationChannel::~LAnimationChannel()
{
    delete[] mVectorKeys;
    delete[] mRotationKeys;
    delete[] mTranslationKeys;
}

unsigned int LAnimationChannel::FrameId(const LString& aName)
{
    return LHashKeyList::Hash(aName, 7, false);
}

bool LAnimationChannel::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    // The new arrays are gathered here and only taken over once the whole record has
    // been read; on failure this record frees them.
    LAnimationChannel read;
    if (!::Read(aStream, read.mName) || !::Read(aStream, read.mFrameId) || !::Read(aStream, read.mKeyCount)) {
        L_ERROR("Read failure. Truncated channel.");
        return false;
    }
    if (read.mKeyCount < 0) {
        L_ERROR(LString("Read failure. Invalid key count: ") + read.mKeyCount);
        return false;
    }
    if (!ReadKeys(aStream, read.mKeyCount, kVectorBytes, read.mVectorKeys) ||
        !ReadKeys(aStream, read.mKeyCount, kQuaternionBytes, read.mRotationKeys) ||
        !ReadKeys(aStream, read.mKeyCount, kVectorBytes, read.mTranslationKeys)) {
        return false;
    }
    mName = read.mName;
    mFrameId = read.mFrameId;
    mKeyCount = read.mKeyCount;
    Replace(mVectorKeys, read.mVectorKeys);
    Replace(mRotationKeys, read.mRotationKeys);
    Replace(mTranslationKeys, read.mTranslationKeys);
    return true;
}

bool LAnimationChannel::Write(LIStream* aStream) const
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = ::Write(aStream, mName);
    result = ::Write(aStream, mFrameId) && result;
    result = ::Write(aStream, mKeyCount) && result;
    result = WriteKeys(aStream, mKeyCount, mVectorKeys) && result;
    result = WriteKeys(aStream, mKeyCount, mRotationKeys) && result;
    result = WriteKeys(aStream, mKeyCount, mTranslationKeys) && result;
    return result;
}

bool LAnimationChannel::ReadLia(LIStream* aStream, unsigned int aFrameCount)
{
    if (aStream == nullptr) {
        L_ERROR("ReadLia failure. NULL arg.");
        return false;
    }
    unsigned int length = 0;
    if (!::Read(aStream, length)) {
        L_ERROR("ReadLia failure. Truncated channel.");
        return false;
    }
    if (length == 0 || length > INT_MAX || !aStream->Holds(length)) {
        L_ERROR(LString("ReadLia failure. Invalid name length: ") + length);
        return false;
    }
    // The name ends at its first 0 byte; the reader adds one after the n bytes, so a name
    // that lacks it ends there.
    char* text = nullptr;
    if (!::Read(aStream, static_cast<int>(length), text)) {
        L_ERROR("ReadLia failure. Truncated channel.");
        return false;
    }
    LAnimationChannel read;
    read.mName = LString(text);
    delete[] text;
    if (!::Read(aStream, read.mExtra)) {
        L_ERROR("ReadLia failure. Truncated channel.");
        return false;
    }
    if (!KeysFit(aStream, aFrameCount, kLiaFrameBytes)) {
        return false;
    }
    // Every array holds one key per frame, and the key count says so, so that the
    // channel writes back in the current form with its keys.
    read.mKeyCount = static_cast<int>(aFrameCount);
    read.mVectorKeys = L_NEW LVector3[aFrameCount];
    read.mRotationKeys = L_NEW LQuaternion[aFrameCount];
    read.mTranslationKeys = L_NEW LVector3[aFrameCount];
    if (read.mVectorKeys == nullptr || read.mRotationKeys == nullptr || read.mTranslationKeys == nullptr) {
        L_ERROR("ReadLia failure. Out of memory.");
        return false;
    }
    for (unsigned int i = 0; i < aFrameCount; ++i) {
        if (!read.mVectorKeys[i].Read(aStream) || !read.mRotationKeys[i].Read(aStream) ||
            !read.mTranslationKeys[i].Read(aStream)) {
            L_ERROR("ReadLia failure. Truncated keys.");
            return false;
        }
    }
    mName = read.mName;
    mExtra = read.mExtra;
    mFrameId = FrameId(mName);
    mKeyCount = read.mKeyCount;
    std::swap(mVectorKeys, read.mVectorKeys);
    std::swap(mRotationKeys, read.mRotationKeys);
    std::swap(mTranslationKeys, read.mTranslationKeys);
    return true;
}
