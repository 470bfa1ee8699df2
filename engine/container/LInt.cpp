#include "container/LInt.h"

#include "container/LString.h"
#include "stdlib/LIStream.h"

#include <cmath>

uint32_t LInt::TruncateLow32(double aValue)
{
    // Beyond the 64-bit range (and for NaN) the conversion has no defined result: 0.
    if (!(aValue > -9223372036854775808.0 && aValue < 9223372036854775808.0)) {
        return 0;
    }
    const long long whole = static_cast<long long>(aValue);
    return static_cast<uint32_t>(static_cast<unsigned long long>(whole));
}

LInt::LInt(unsigned char aValue) : mValue(aValue) {}

LInt::LInt(int aValue) : mValue(aValue) {}

LInt::LInt(float aValue) : mValue(static_cast<int32_t>(TruncateLow32(aValue))) {}

LInt::LInt(double aValue) : mValue(static_cast<int32_t>(TruncateLow32(aValue))) {}

LInt::LInt(const LString& aText)
{
    const char16_t* units = aText.GetBuffer();
    const int length = aText.GetLength();
    bool negative = false;
    uint32_t value = 0;
    for (int i = 0; i < length; ++i) {
        const char16_t c = units[i];
        if (i == 0 && c == u'-') {
            negative = true;
            continue;
        }
        if (c < u'0' || c > u'9') {
            break;
        }
        value = value * 10u + static_cast<uint32_t>(c - u'0');
    }
    if (negative) {
        value = 0u - value;
    }
    mValue = static_cast<int32_t>(value);
}

LInt::~LInt() = default;

LString LInt::Dump() const
{
    return DumpHead("LInt") + " value:" + mValue + "]";
}

bool LInt::Read(LIStream* aStream)
{
    return aStream && aStream->Read(mValue);
}

bool LInt::Write(LIStream* aStream)
{
    return aStream && aStream->Write(mValue);
}
