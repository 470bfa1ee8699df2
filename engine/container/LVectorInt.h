// A growable array of 32-bit int values; see LVectorNumber.h and LVectorStore.h.
#pragma once
#include "container/LVectorNumber.h"

class LVectorInt : public LVectorNumber<int>
{
public:
    LVectorInt();
    LVectorInt(int aCapacity, int aIncrement);
    // Copies count, increment and every slot of the capacity.
    LVectorInt(const LVectorInt& aOther);
    LVectorInt& operator=(const LVectorInt& aOther);
    ~LVectorInt() override;

    LString Dump() const override;
};
