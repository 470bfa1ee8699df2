#include "container/LVectorUInt.h"

LVectorUInt::LVectorUInt()
    : LVectorNumber<unsigned>(L_FILE)
{
}

LVectorUInt::LVectorUInt(int aCapacity, int aIncrement)
    : LVectorNumber<unsigned>(L_FILE, aCapacity, aIncrement)
{
}

LVectorUInt::LVectorUInt(const LVectorUInt& aOther) = default;

LVectorUInt& LVectorUInt::operator=(const LVectorUInt& aOther) = default;

LVectorUInt::~LVectorUInt() = default;

LString LVectorUInt::Dump() const
{
    return DumpHead("LVectorUInt") + "]";
}
