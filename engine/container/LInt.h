// A boxed signed 32-bit integer. Parsing takes an optional "-" at the very start and the
// digits after it, accumulated with 32-bit wrap-around (data files rely on the exact
// results); anything else ends the number, and text that does not start as one gives 0.
#pragma once
#include "object/LBase.h"
#include "object/LISerializable.h"

#include <cstdint>

class LString;

class LInt : public LBase, public LISerializable
{
public:
    LInt() = default;
    explicit LInt(unsigned char aValue);
    explicit LInt(int aValue);
    // Truncated toward zero; values outside the 64-bit range, and NaN, give 0.
    explicit LInt(float aValue);
    explicit LInt(double aValue);
    explicit LInt(const LString& aText);
    LInt(const LInt& aOther) = default;
    LInt& operator=(const LInt& aOther) = default;
    ~LInt() override;

    LString Dump() const override;
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // The low 32 bits of a number truncated toward zero through 64 bits.
    static uint32_t TruncateLow32(double aValue);

    int mValue = 0;
};
