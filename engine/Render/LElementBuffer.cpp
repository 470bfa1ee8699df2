#include "Render/LElementBuffer.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <cstring>

LElementBuffer::LElementBuffer(const LElementBuffer& aOther) : LObject(aOther)
{
    *this = aOther;
}

LElementBuffer& LElementBuffer::operator=(const LElementBuffer& aOther)
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
    Adopt(data, aOther.mFormat, aOther.mElementSize, aOther.mCount);
    mByteSize = data != nullptr ? aOther.mByteSize : 0;
    return *this;
}

LElementBuffer::~LElementBuffer()
{
    delete[] mData;
}

void LElementBuffer::Adopt(uint8_t* aData, int aFormat, int aSize, int aCount)
{
    delete[] mData;
    mData = aData;
    mFormat = aFormat;
    mElementSize = aSize;
    mCount = aCount;
    mByteSize = aSize * aCount;
}

void* LElementBuffer::GetBuffer() const
{
    if (mData == nullptr) {
        L_ERROR("GetBuffer failure. Empty.");
        return nullptr;
    }
    return mData;
}

int LElementBuffer::Fill(const char* aWhat, int aFormat, int aSize, const void* aData, int aCount)
{
    if (aCount < 1 || aSize == 0 || aCount > INT32_MAX / aSize) {
        L_ERROR(LString(aWhat) + " failure. Invalid arg.");
        return 0;
    }
    const int byteSize = aSize * aCount;
    uint8_t* data = L_NEW uint8_t[byteSize];
    if (data == nullptr) {
        L_ERROR(LString(aWhat) + " failure. Out of memory.");
        return 0;
    }
    if (aData != nullptr) {
        std::memcpy(data, aData, static_cast<size_t>(byteSize));
    } else {
        std::memset(data, 0, static_cast<size_t>(byteSize));
    }
    Adopt(data, aFormat, aSize, aCount);
    return 1;
}

bool LElementBuffer::ReadRecord(LIStream* aStream, int (*aFormatSize)(int), bool aEmptyAllowed)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    int format = 0;
    int elementSize = 0;
    int count = 0;
    int byteSize = 0;
    if (!::Read(aStream, format) || !::Read(aStream, elementSize) || !::Read(aStream, count) ||
        !::Read(aStream, byteSize)) {
        L_ERROR("Read failure. Truncated record.");
        return false;
    }
    // The numbers must describe the bytes that follow: a known format of its own size (or,
    // where allowed, no elements at all), and no more bytes than the stream still holds.
    const bool empty = aEmptyAllowed && format == 0 && elementSize == 0 && count == 0 && byteSize == 0;
    const int size = aFormatSize(format);
    if (!empty && (size == 0 || elementSize != size || count < (aEmptyAllowed ? 0 : 1) ||
                   count > INT32_MAX / size || byteSize != size * count)) {
        L_ERROR("Read failure. Invalid record.");
        return false;
    }
    const int remaining = aStream->GetRemaining();
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
    Adopt(data, format, elementSize, count);
    return true;
}

bool LElementBuffer::WriteRecord(LIStream* aStream) const
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool result = ::Write(aStream, mFormat);
    result = ::Write(aStream, mElementSize) && result;
    result = ::Write(aStream, mCount) && result;
    result = ::Write(aStream, mByteSize) && result;
    if (mByteSize > 0 && mData != nullptr) {
        result = aStream->WriteBytes(mByteSize, mData) && result;
    }
    return result;
}
