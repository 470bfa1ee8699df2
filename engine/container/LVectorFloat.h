// A growable array of 32-bit float values; see LVectorNumber.h and LVectorStore.h.
#pragma once
#include "container/LVectorNumber.h"

class LVectorFloat : public LVectorNumber<float>
{
public:
    LVectorFloat();
    LVectorFloat(int aCapacity, int aIncrement);
    // Copies count, increment and every slot of the capacity.
    LVectorFloat(const LVectorFloat& aOther);
    LVectorFloat& operator=(const LVectorFloat& aOther);
    ~LVectorFloat() override;

    LString Dump() const override;

    // Appends aCount values from apArray, growing by exactly the shortfall.
    int AddArray(const float* apArray, int aCount);
};
