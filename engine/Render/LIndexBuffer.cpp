#include "Render/LIndexBuffer.h"

#include "Render/LIDeviceCapabilities.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <cstring>

namespace {
constexpr int kIndexSizes[3] = {0, 2, 4};
}

LIndexBuffer::LIndexBuffer() = default;

LIndexBuffer::LIndexBuffer(const LIndexBuffer& aOther) : LObject(aOther)
{
    *this = aOther;
}

LIndexBuffer& LIndexBuffer::operator=(const LIndexBuffer& aOther)
{
    if (this == &aOther) {
        return *this;
    }
    uint8_t* data = nullptr;
    if (aOther.mData != nullptr && aOther.mByteSize > 0) {
        data = L_NEW uint8_t[aOther.mByteSize];
        if (data == nullptr) {
            L_ERROR("Copy failure. Out of memory.");
            return *this;
        }
        std::memcpy(data, aOther.mData, static_cast<size_t>(aOther.mByteSize));
    }
    LObject::operator=(aOther);
    Free();
    mData = data;
    mByteSize = data != nullptr ? aOther.mByteSize : 0;
    mFormat = aOther.mFormat;
    mIndexSize = aOther.mIndexSize;
    mCount = aOther.mCount;
    return *this;
}

LIndexBuffer::~LIndexBuffer()
{
    Free();
}

LString LIndexBuffer::Dump() const
{
    return DumpHead("LIndexBuffer") + "]";
}

int LIndexBuffer::GetFormatSize(int aFormat)
{
    if (aFormat < 1 || aFormat > 2) {
        return 0;
    }
    return kIndexSizes[aFormat];
}

void LIndexBuffer::Free()
{
    delete[] mData;
    mData = nullptr;
}

int LIndexBuffer::Create(int aFormat, const void* aData, int aCount)
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
    mIndexSize = size;
    mCount = aCount;
    mByteSize = byteSize;
    return Validate();
}

int LIndexBuffer::Validate()
{
    if (mFormat == 0 || mData == nullptr || mCount < 1) {
        L_ASSERT_FAILURE("Invalid call.");
        return 0;
    }
    LIDeviceCapabilities* caps = LIDeviceCapabilities::Get();
    if (caps == nullptr) {
        L_ERROR("Validate failure. No device capabilities.");
        return 0;
    }
    const uint32_t maxIndex = caps->GetMaxVertexIndex();
    if (maxIndex >= 0xFFFFFFFEu) {
        return 1;
    }
    if (maxIndex >= 0xFFFEu) {
        if (mFormat == 1) {
            return 1;
        }
        // The device takes 16-bit indices only: keep the low half of each.
        uint8_t* data = L_NEW uint8_t[static_cast<size_t>(mCount) * 2];
        if (data == nullptr) {
            L_ERROR("Validate failure. Out of memory.");
            return 0;
        }
        for (int i = 0; i < mCount; ++i) {
            uint32_t value = 0;
            std::memcpy(&value, mData + static_cast<size_t>(i) * 4, 4);
            const uint16_t low = static_cast<uint16_t>(value & 0xFFFFu);
            std::memcpy(data + static_cast<size_t>(i) * 2, &low, 2);
        }
        Free();
        mData = data;
        mFormat = 1;
        mIndexSize = 2;
        mByteSize = mCount * 2;
        return 1;
    }
    L_ASSERT_FAILURE(LString("Vertex index format undefined: ") + maxIndex);
    return 0;
}

void* LIndexBuffer::GetBuffer() const
{
    if (mData == nullptr) {
        L_ERROR("GetBuffer failure. Empty.");
        return nullptr;
    }
    return mData;
}

int LIndexBuffer::GetIndex(int aIndex) const
{
    if (mData == nullptr || mIndexSize == 0 || aIndex < 0 || aIndex >= mByteSize / mIndexSize) {
        L_ERROR("Index out of bounds.");
        return 0;
    }
    if (mFormat == 1) {
        int16_t value = 0;
        std::memcpy(&value, mData + static_cast<size_t>(aIndex) * 2, 2);
        return value;
    }
    int32_t value = 0;
    std::memcpy(&value, mData + static_cast<size_t>(aIndex) * 4, 4);
    return value;
}

int LIndexBuffer::SetIndex(int aIndex, unsigned int aValue)
{
    if (mData == nullptr || mIndexSize == 0 || aIndex < 0 || aIndex >= mByteSize / mIndexSize) {
        L_ERROR("Index out of bounds.");
        return 0;
    }
    if (mFormat == 1) {
        const uint16_t value = static_cast<uint16_t>(aValue);
        std::memcpy(mData + static_cast<size_t>(aIndex) * 2, &value, 2);
    } else {
        const uint32_t value = aValue;
        std::memcpy(mData + static_cast<size_t>(aIndex) * 4, &value, 4);
    }
    return 1;
}

bool LIndexBuffer::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    int format = 0;
    int indexSize = 0;
    int count = 0;
    int byteSize = 0;
    if (!::Read(aStream, format) || !::Read(aStream, indexSize) || !::Read(aStream, count) ||
        !::Read(aStream, byteSize)) {
        L_ERROR("Read failure. Truncated record.");
        return false;
    }
    const int size = GetFormatSize(format);
    if (size == 0 || indexSize != size || count < 1 || count > INT32_MAX / size ||
        byteSize != size * count) {
        L_ERROR("Read failure. Invalid record.");
        return false;
    }
    const int remaining = aStream->GetRemaining();
    if (remaining >= 0 && byteSize > remaining) {
        L_ERROR("Read failure. Data past the end.");
        return false;
    }
    uint8_t* data = L_NEW uint8_t[byteSize];
    if (data == nullptr) {
        L_ERROR("Read failure. Out of memory.");
        return false;
    }
    if (!aStream->ReadBytes(byteSize, data)) {
        delete[] data;
        L_ERROR("Read failure. Truncated data.");
        return false;
    }
    Free();
    mData = data;
    mFormat = format;
    mIndexSize = indexSize;
    mCount = count;
    mByteSize = byteSize;
    return Validate() != 0;
}

bool LIndexBuffer::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = ::Write(aStream, mFormat);
    result = ::Write(aStream, mIndexSize) && result;
    result = ::Write(aStream, mCount) && result;
    result = ::Write(aStream, mByteSize) && result;
    if (mByteSize > 0 && mData != nullptr) {
        result = aStream->WriteBytes(mByteSize, mData) && result;
    }
    return result;
}
