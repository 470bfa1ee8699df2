#include "container/LVectorFloat.h"

LVectorFloat::LVectorFloat()
    : LVectorNumber<float>(L_FILE)
{
}

LVectorFloat::LVectorFloat(int aCapacity, int aIncrement)
    : LVectorNumber<float>(L_FILE, aCapacity, aIncrement)
{
}

LVectorFloat::LVectorFloat(const LVectorFloat& aOther) = default;

LVectorFloat& LVectorFloat::operator=(const LVectorFloat& aOther) = default;

LVectorFloat::~LVectorFloat() = default;

LString LVectorFloat::Dump() const
{
    return DumpHead("LVectorFloat") + "]";
}

int LVectorFloat::AddArray(const float* apArray, int aCount)
{
    return LVectorStore<float>::AddArray(apArray, aCount);
}
