// Elements of one size in system memory, as the vertex and index buffers keep them, with
// the record both write: int32 format, element size, element count, byte size, then the
// bytes. The derived buffers say which formats exist and what an element means.
#pragma once
#include "object/LObject.h"

#include <cstdint>

class LElementBuffer : public LObject
{
public:
    ~LElementBuffer() override;

    void* GetBuffer() const;
    int GetByteSize() const { return mByteSize; }

protected:
    LElementBuffer() = default;
    // Copies hold data of their own.
    LElementBuffer(const LElementBuffer& aOther);
    LElementBuffer& operator=(const LElementBuffer& aOther);

    // Takes aCount elements of aFormat, whose elements are aSize bytes (0: no such format):
    // a copy of aData, or zeros without it. 0 and nothing changed on a bad argument, logged
    // as a failure of aWhat ("Create").
    int Fill(const char* aWhat, int aFormat, int aSize, const void* aData, int aCount);
    // Reads a record of a format that aFormatSize knows, checking the numbers against each
    // other and against what the stream still holds; with aEmptyAllowed also a record
    // without elements. false and nothing changed otherwise.
    bool ReadRecord(LIStream* aStream, int (*aFormatSize)(int), bool aEmptyAllowed);
    bool WriteRecord(LIStream* aStream) const;
    // Takes aData (of aCount elements of aSize bytes) in place of the old data.
    void Adopt(uint8_t* aData, int aFormat, int aSize, int aCount);

    uint8_t* mData = nullptr;
    int mFormat = 0;
    int mElementSize = 0;
    int mCount = 0;
    int mByteSize = 0;
};
