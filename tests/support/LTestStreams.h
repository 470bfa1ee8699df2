// Stream helpers for tests: the written bytes of a memory stream, a memory stream loaded
// from bytes, and a stream that takes or gives only a set number of bytes before failing.
#pragma once
#include "stdlib/LIStream.h"
#include "stdlib/LMemoryStream.h"

class LIRestorable;

#include <string>

// The bytes from 0 to the position (what a run of writes from 0 produced).
std::string WrittenBytes(LMemoryStream& aStream);
// Hex text of bytes, "02 00 61": readable failure messages for golden-byte checks.
std::string Hex(const std::string& aBytes);
// Loads aBytes into aStream at position 0.
void Load(LMemoryStream& aStream, const std::string& aBytes);
// The block that aObject's OnSave writes (expected to succeed), and the result of its
// OnLoad over aBytes.
std::string SavedBlock(LIRestorable& aObject);
int LoadBlock(LIRestorable& aObject, const std::string& aBytes);

// Transfers succeed while the budget lasts; a transfer larger than what is left fails
// and delivers nothing.
class LLimitedStream : public LIStream
{
public:
    explicit LLimitedStream(int aBudget) : mBudget(aBudget) {}

    bool Close() override { return true; }
    bool Flush() override { return true; }
    int GetPosition() override { return mPosition; }
    bool Skip(int aNumBytes) override { mPosition += aNumBytes; return true; }
    bool Open() override { return true; }
    bool ReadBytes(int aNumBytes, void* aBuffer) override;
    void Reserved() override {}
    bool SetPosition(int aPosition) override { mPosition = aPosition; return true; }
    bool WriteBytes(int aNumBytes, const void* aBuffer) override;

    int mBudget;
    int mPosition = 0;
};
