#include "Render/LVertexBuffer.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <cstring>

namespace {
constexpr int kFormatSizes[LVertexBuffer::kFormatCount] = {0, 12, 28, 20, 40, 32, 48, 24};
}

LVertexBuffer::LVertexBuffer() = default;

LVertexBuffer::~LVertexBuffer()
{
    Free();
}

LString LVertexBuffer::Dump() const
{
    return DumpHead("LVertexBuffer") + "]";
}

int LVertexBuffer::GetFormatSize(int aFormat)
{
    if (aFormat < 1 || aFormat >= kFormatCount) {
        return 0;
    }
    return kFormatSizes[aFormat];
}

void LVertexBuffer::Free()
{
    delete[] mData;
    mData = nullptr;
}

int LVertexBuffer::Create(int aFormat, const void* aData, int aCount)
{
    const int size = GetFormatSize(aFormat);
    if (aData == nullptr || aCount < 1 || size == 0 || aCount > INT32_MAX / size) {
        L_ERROR("Create failure. Invalid arg.");
        return 0;
    }
    const int byteSize = size * aCount;
    uint8_t* data = L_NEW uint8_t[byteSize];
    if (data == nullptr) {
        L_ERROR("Create failure. Out of memory.");
        return 0;
    }
    std::memcpy(data, aData, static_cast<size_t>(byteSize));
    Free();
    mData = data;
    mFormat = aFormat;
    mVertexSize = size;
    mCount = aCount;
    mByteSize = byteSize;
    return 1;
}

int LVertexBuffer::Allocate(int aFormat, int aCount)
{
    const int size = GetFormatSize(aFormat);
    if (aCount < 1 || size == 0 || aCount > INT32_MAX / size) {
        L_ERROR("Allocate failure. Invalid arg.");
        return 0;
    }
    const int byteSize = size * aCount;
    uint8_t* data = L_NEW uint8_t[byteSize];
    if (data == nullptr) {
        L_ERROR("Allocate failure. Out of memory.");
        return 0;
    }
    std::memset(data, 0, static_cast<size_t>(byteSize));
    Free();
    mData = data;
    mFormat = aFormat;
    mVertexSize = size;
    mCount = aCount;
    mByteSize = byteSize;
    return 1;
}

int LVertexBuffer::SetVertexCount(int aCount)
{
    // More vertices than the data holds would make every reader run past it.
    if (aCount < 0 || (mVertexSize > 0 && aCount > mByteSize / mVertexSize)) {
        L_ERROR("SetVertexCount failure. Invalid arg.");
        return 0;
    }
    mCount = aCount;
    return 1;
}

void* LVertexBuffer::GetBuffer() const
{
    if (mData == nullptr) {
        L_ERROR("GetBuffer failure. Empty.");
        return nullptr;
    }
    return mData;
}

void* LVertexBuffer::GetVertex(int aIndex) const
{
    const int size = GetFormatSize(mFormat);
    if (size == 0 || mData == nullptr || aIndex < 0 || aIndex >= mByteSize / size) {
        return nullptr;
    }
    return mData + static_cast<size_t>(aIndex) * static_cast<size_t>(size);
}

bool LVertexBuffer::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    int format = 0;
    int vertexSize = 0;
    int count = 0;
    int byteSize = 0;
    if (!::Read(aStream, format) || !::Read(aStream, vertexSize) || !::Read(aStream, count) ||
        !::Read(aStream, byteSize)) {
        L_ERROR("Read failure. Truncated record.");
        return false;
    }
    // The numbers must describe the bytes that follow: a known format of its own size, or
    // an empty buffer, and no more bytes than the stream still holds.
    const bool empty = format == 0 && vertexSize == 0 && count == 0 && byteSize == 0;
    const int size = GetFormatSize(format);
    const int remaining = aStream->GetRemaining();
    if (!empty && (size == 0 || vertexSize != size || count < 0 || count > INT32_MAX / size ||
                   byteSize != size * count)) {
        L_ERROR("Read failure. Invalid record.");
        return false;
    }
    if (remaining >= 0 && byteSize > remaining) {
        L_ERROR("Read failure. Data past the end.");
        return false;
    }
    uint8_t* data = nullptr;
    if (byteSize > 0) {
        data = L_NEW uint8_t[byteSize];
        if (data == nullptr) {
            L_ERROR("Read failure. Out of memory.");
            return false;
        }
        if (!aStream->ReadBytes(byteSize, data)) {
            delete[] data;
            L_ERROR("Read failure. Truncated data.");
            return false;
        }
    }
    Free();
    mData = data;
    mFormat = format;
    mVertexSize = vertexSize;
    mCount = count;
    mByteSize = byteSize;
    return true;
}

bool LVertexBuffer::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = ::Write(aStream, mFormat);
    result = ::Write(aStream, mVertexSize) && result;
    result = ::Write(aStream, mCount) && result;
    result = ::Write(aStream, mByteSize) && result;
    if (mByteSize > 0 && mData != nullptr) {
        result = aStream->WriteBytes(mByteSize, mData) && result;
    }
    return result;
}
