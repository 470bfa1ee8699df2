// A byte stream over a growing block of memory: formats are assembled in one before they
// reach a file, and whole files are loaded into one before they are parsed. It keeps no
// separate length: after writing from position 0 the position is the amount of data.
//
// Reads, seeks and skips stay inside the block (0 <= position <= capacity); a write past
// the capacity grows the block by the growth rule.
#pragma once
#include "stdlib/LIStream.h"

class LString;

class LMemoryStream : public LIStream
{
public:
    // Growth rules; any other negative value doubles. A value of 0 or more adds that
    // many bytes to what a write needs.
    enum { GROW_QUARTER = -4, GROW_HALF = -2, GROW_DOUBLE = -1 };

    LMemoryStream(int aCapacity, int aGrowBy);
    ~LMemoryStream() override;
    LMemoryStream(const LMemoryStream&) = delete;
    LMemoryStream& operator=(const LMemoryStream&) = delete;

    bool Close() override;
    bool Flush() override;
    int GetPosition() override;
    bool Skip(int aNumBytes) override;
    bool Open() override;
    bool ReadBytes(int aNumBytes, void* aBuffer) override;
    void Reserved() override;
    bool SetPosition(int aPosition) override;
    bool WriteBytes(int aNumBytes, const void* aBuffer) override;
    int GetRemaining() override;

    // Valid until the next growth or replacement; owned by the stream.
    unsigned char* GetBuffer() const { return mBuffer; }
    int GetCapacity() const { return mCapacity; }

    // Replaces the contents by a copy of aSize bytes; position 0.
    bool CreateFromBuffer(int aSize, const unsigned char* aData);
    // Replaces the contents by the whole file; position 0. On failure the stream keeps
    // its old contents.
    bool CreateFromFile(const LString& aPath, bool aSymbolic);

private:
    bool Grow(long long aNeeded);

    unsigned char* mBuffer = nullptr;
    int mCapacity = 0;
    int mPosition = 0;
    int mGrowBy = GROW_DOUBLE;
};
