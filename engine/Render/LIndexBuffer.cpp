#include "Render/LIndexBuffer.h"

#include "Render/LIDeviceCapabilities.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <cstring>

namespace {
constexpr int kIndexSizes[3] = {0, 2, 4};
}

LIndexBuffer::LIndexBuffer() = default;

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

int LIndexBuffer::Create(int aFormat, const void* aData, int aCount)
{
    if (aData == nullptr) {
        L_ERROR("Create failure. Invalid arg.");
        return 0;
    }
    return Fill("Create", aFormat, GetFormatSize(aFormat), aData, aCount) ? Validate() : 0;
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
        Adopt(data, 1, 2, mCount);
        return 1;
    }
    L_ASSERT_FAILURE(LString("Vertex index format undefined: ") + maxIndex);
    return 0;
}

bool LIndexBuffer::InRange(int aIndex) const
{
    if (mData == nullptr || mElementSize == 0 || aIndex < 0 || aIndex >= mByteSize / mElementSize) {
        L_ERROR("Index out of bounds.");
        return false;
    }
    return true;
}

int LIndexBuffer::GetIndex(int aIndex) const
{
    if (!InRange(aIndex)) {
        return 0;
    }
    if (mFormat == 1) {
        uint16_t value = 0;
        std::memcpy(&value, mData + static_cast<size_t>(aIndex) * 2, 2);
        return value;
    }
    int32_t value = 0;
    std::memcpy(&value, mData + static_cast<size_t>(aIndex) * 4, 4);
    return value;
}

int LIndexBuffer::SetIndex(int aIndex, unsigned int aValue)
{
    if (!InRange(aIndex)) {
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
    return ReadRecord(aStream, &GetFormatSize, false) && Validate() != 0;
}

bool LIndexBuffer::Write(LIStream* aStream)
{
    return WriteRecord(aStream);
}
