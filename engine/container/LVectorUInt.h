// A growable array of 32-bit unsigned values; see LVectorNumber.h and LVectorStore.h.
#pragma once
#include "container/LVectorNumber.h"

class LVectorUInt : public LVectorNumber<unsigned>
{
public:
    LVectorUInt();
    LVectorUInt(int aCapacity, int aIncrement);
    // Copies count, increment and every slot of the capacity.
    LVectorUInt(const LVectorUInt& aOther);
    LVectorUInt& operator=(const LVectorUInt& aOther);
    ~LVectorUInt() override;

    LString Dump() const override;
};
