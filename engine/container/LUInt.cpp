#include "container/LUInt.h"

#include "container/LInt.h"
#include "container/LString.h"

LUInt::LUInt(unsigned char aValue) : mValue(aValue) {}

LUInt::LUInt(int aValue) : mValue(static_cast<unsigned int>(aValue)) {}

LUInt::LUInt(unsigned int aValue) : mValue(aValue) {}

LUInt::LUInt(float aValue) : mValue(LInt::TruncateLow32(aValue)) {}

LUInt::LUInt(double aValue) : mValue(LInt::TruncateLow32(aValue)) {}

LUInt::LUInt(const LString& aText)
{
    const char16_t* units = aText.GetBuffer();
    const int length = aText.GetLength();
    for (int i = 0; i < length && units[i] >= u'0' && units[i] <= u'9'; ++i) {
        mValue = mValue * 10u + static_cast<unsigned int>(units[i] - u'0');
    }
}

LUInt::~LUInt() = default;

LString LUInt::Dump() const
{
    return DumpHead("LUInt") + " value:" + mValue + "]";
}
