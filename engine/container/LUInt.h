// A boxed unsigned 32-bit integer. Parsing takes the leading digits only (no sign),
// accumulated modulo 2^32; text that does not start with a digit gives 0. Not
// serialisable: it keeps numbers such as list indices and handles in keyed containers.
#pragma once
#include "object/LBase.h"

class LString;

class LUInt : public LBase
{
public:
    LUInt() = default;
    explicit LUInt(unsigned char aValue);
    // The same 32 bits: -1 gives 4294967295.
    explicit LUInt(int aValue);
    explicit LUInt(unsigned int aValue);
    // Truncated toward zero through 64 bits, low 32 bits kept (-1.0 gives 4294967295).
    explicit LUInt(float aValue);
    explicit LUInt(double aValue);
    explicit LUInt(const LString& aText);
    LUInt(const LUInt& aOther) = default;
    LUInt& operator=(const LUInt& aOther) = default;
    ~LUInt() override;

    LString Dump() const override;

    unsigned int mValue = 0;
};
