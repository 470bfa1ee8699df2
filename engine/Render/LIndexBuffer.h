// Index data in system memory: format 1 holds 16-bit indices, format 2 32-bit ones.
// After creation and after reading, the buffer is checked against what the device can
// index and narrowed to 16 bits where the device takes only those.
#pragma once
#include "Render/LElementBuffer.h"

class LIndexBuffer : public LElementBuffer
{
public:
    LIndexBuffer();

    LString Dump() const override;

    int Create(int aFormat, const void* aData, int aCount);

    // Index aIndex; 0 with a logged error outside the data. 16-bit indices are unsigned
    // (0 to 65,535); a 32-bit one above the int range comes back negative, naming no vertex.
    int GetIndex(int aIndex) const;
    int SetIndex(int aIndex, unsigned int aValue);
    int GetIndexFormat() const { return mFormat; }
    int GetIndexSize() const { return mElementSize; }
    int GetIndexCount() const { return mCount; }

    // Record: int32 format, index size, index count, byte size, then the bytes.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    static int GetFormatSize(int aFormat);

private:
    int Validate();
    // False, logged, for an index outside the data.
    bool InRange(int aIndex) const;
};
