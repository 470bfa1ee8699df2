#include "Render/LVertexBuffer.h"

#include "stdlib/LLog.h"

namespace {
constexpr int kFormatSizes[LVertexBuffer::kFormatCount] = {0, 12, 28, 20, 40, 32, 48, 24};
}

LVertexBuffer::LVertexBuffer() = default;

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

int LVertexBuffer::Create(int aFormat, const void* aData, int aCount)
{
    if (aData == nullptr) {
        L_ERROR("Create failure. Invalid arg.");
        return 0;
    }
    return Fill("Create", aFormat, GetFormatSize(aFormat), aData, aCount);
}

int LVertexBuffer::Allocate(int aFormat, int aCount)
{
    return Fill("Allocate", aFormat, GetFormatSize(aFormat), nullptr, aCount);
}

int LVertexBuffer::SetVertexCount(int aCount)
{
    // More vertices than the data holds would make every reader run past it.
    if (aCount < 0 || (mElementSize > 0 && aCount > mByteSize / mElementSize)) {
        L_ERROR("SetVertexCount failure. Invalid arg.");
        return 0;
    }
    mCount = aCount;
    return 1;
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
    return ReadRecord(aStream, &GetFormatSize, true);
}

bool LVertexBuffer::Write(LIStream* aStream)
{
    return WriteRecord(aStream);
}
