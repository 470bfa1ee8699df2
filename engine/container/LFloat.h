// A boxed 32-bit float. Its main work is parsing data-file text by the engine's narrow
// rules: an optional "-" at the very start, then digits and points; no blanks, no "+",
// no exponent. Whatever follows the number is ignored, and text that does not start as
// a number gives 0.
#pragma once
#include "object/LBase.h"
#include "object/LISerializable.h"

class LString;

class LFloat : public LBase, public LISerializable
{
public:
    LFloat() = default;
    explicit LFloat(unsigned char aValue);
    explicit LFloat(int aValue);
    explicit LFloat(unsigned int aValue);
    explicit LFloat(float aValue);
    explicit LFloat(double aValue);
    explicit LFloat(const LString& aText);
    LFloat(const LFloat& aOther) = default;
    LFloat& operator=(const LFloat& aOther) = default;
    ~LFloat() override;

    LString Dump() const override;
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    float mValue = 0.0f;
};
