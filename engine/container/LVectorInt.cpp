#include "container/LVectorInt.h"

LVectorInt::LVectorInt()
    : LVectorNumber<int>(L_FILE)
{
}

LVectorInt::LVectorInt(int aCapacity, int aIncrement)
    : LVectorNumber<int>(L_FILE, aCapacity, aIncrement)
{
}

LVectorInt::LVectorInt(const LVectorInt& aOther) = default;

LVectorInt& LVectorInt::operator=(const LVectorInt& aOther) = default;

LVectorInt::~LVectorInt() = default;

LString LVectorInt::Dump() const
{
    return DumpHead("LVectorInt") + "]";
}
