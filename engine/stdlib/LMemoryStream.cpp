#include "stdlib/LMemoryStream.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFileStream.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"

#include <climits>
#include <cstdint>
#include <cstring>

LMemoryStream::LMemoryStream(int aCapacity, int aGrowBy) : mGrowBy(aGrowBy)
{
    const int capacity = aCapacity < 4 ? 4 : aCapacity;
    mBuffer = L_NEW unsigned char[capacity];
    mCapacity = mBuffer ? capacity : 0;
}

LMemoryStream::~LMemoryStream()
{
    delete[] mBuffer;
}

bool LMemoryStream::Close()
{
    return true;
}

bool LMemoryStream::Flush()
{
    return true;
}

bool LMemoryStream::Open()
{
    return true;
}

void LMemoryStream::Reserved()
{
}

int LMemoryStream::GetPosition()
{
    return mPosition;
}

bool LMemoryStream::SetPosition(int aPosition)
{
    if (aPosition < 0 || aPosition > mCapacity) {
        L_ERROR(LString("Position out of range: ") + aPosition);
        return false;
    }
    mPosition = aPosition;
    return true;
}

bool LMemoryStream::Skip(int aNumBytes)
{
    const long long target = static_cast<long long>(mPosition) + aNumBytes;
    if (target < 0 || target > mCapacity) {
        L_ERROR(LString("Skip out of range: ") + aNumBytes);
        return false;
    }
    mPosition = static_cast<int>(target);
    return true;
}

int LMemoryStream::GetRemaining()
{
    return mCapacity - mPosition;
}

bool LMemoryStream::ReadBytes(int aNumBytes, void* aBuffer)
{
    if (aNumBytes < 0 || (aNumBytes > 0 && !aBuffer)) {
        L_ERROR("Invalid argument.");
        return false;
    }
    if (aNumBytes > mCapacity - mPosition) {
        return false; // the end of the data: a normal condition for readers that probe
    }
    if (aNumBytes > 0) {
        std::memcpy(aBuffer, mBuffer + mPosition, static_cast<size_t>(aNumBytes));
    }
    mPosition += aNumBytes;
    return true;
}

bool LMemoryStream::Grow(long long aNeeded)
{
    if (aNeeded > INT_MAX) {
        L_ERROR(LString("Memory stream too large: ") + aNeeded);
        return false;
    }
    long long capacity = 0;
    switch (mGrowBy) {
    case GROW_QUARTER: capacity = aNeeded + aNeeded / 4; break;
    case GROW_HALF: capacity = aNeeded + aNeeded / 2; break;
    default:
        // Doubling, also for every growth value that would not make room.
        capacity = mGrowBy >= 0 ? aNeeded + mGrowBy : aNeeded * 2;
        break;
    }
    if (capacity > INT_MAX) {
        capacity = INT_MAX;
    }
    unsigned char* fresh = L_NEW unsigned char[static_cast<size_t>(capacity)];
    if (!fresh) {
        L_ERROR(LString("Memory stream growth failure: ") + capacity);
        return false;
    }
    if (mBuffer && mCapacity > 0) {
        std::memcpy(fresh, mBuffer, static_cast<size_t>(mCapacity));
    }
    delete[] mBuffer;
    mBuffer = fresh;
    mCapacity = static_cast<int>(capacity);
    return true;
}

bool LMemoryStream::WriteBytes(int aNumBytes, const void* aBuffer)
{
    if (aNumBytes < 0 || (aNumBytes > 0 && !aBuffer)) {
        L_ERROR("Invalid argument.");
        return false;
    }
    const long long needed = static_cast<long long>(mPosition) + aNumBytes;
    const unsigned char* source = static_cast<const unsigned char*>(aBuffer);
    if (needed > mCapacity) {
        // The source may lie inside this stream's own block, which growth replaces.
        const uintptr_t at = reinterpret_cast<uintptr_t>(source);
        const uintptr_t begin = reinterpret_cast<uintptr_t>(mBuffer);
        const bool inside = mBuffer && at >= begin && at < begin + static_cast<uintptr_t>(mCapacity);
        if (!Grow(needed)) {
            return false;
        }
        if (inside) {
            source = mBuffer + (at - begin);
        }
    }
    if (aNumBytes > 0) {
        std::memmove(mBuffer + mPosition, source, static_cast<size_t>(aNumBytes));
    }
    mPosition += aNumBytes;
    return true;
}

bool LMemoryStream::CreateFromBuffer(int aSize, const unsigned char* aData)
{
    if (!aData || aSize < 0) {
        L_ERROR("CreateFromBuffer failure. Invalid arg.");
        return false;
    }
    unsigned char* fresh = L_NEW unsigned char[aSize > 0 ? aSize : 1];
    if (!fresh) {
        return false;
    }
    if (aSize > 0) {
        std::memcpy(fresh, aData, static_cast<size_t>(aSize));
    }
    delete[] mBuffer;
    mBuffer = fresh;
    mCapacity = aSize;
    mPosition = 0;
    return true;
}

bool LMemoryStream::CreateFromFile(const LString& aPath, bool aSymbolic)
{
    LFileStream file(aPath, aSymbolic);
    if (!file.Open()) {
        L_ASSERT_FAILURE("Failure opening file stream.");
        return false;
    }
    LIFileSystem* fileSystem = LIFileSystem::Get();
    const int size = fileSystem ? fileSystem->GetFileSize(aPath, aSymbolic) : -1;
    if (size < 0) {
        L_ERROR("CreateFromFile failure. Unknown file size: " + aPath);
        return false;
    }
    unsigned char* fresh = L_NEW unsigned char[size > 0 ? size : 1];
    if (!fresh) {
        return false;
    }
    if (!file.ReadBytes(size, fresh)) {
        L_ERROR("CreateFromFile failure. Read failure: " + aPath);
        delete[] fresh;
        return false;
    }
    delete[] mBuffer;
    mBuffer = fresh;
    mCapacity = size;
    mPosition = 0;
    return true;
}
