// A boxed truth value. From text it is true exactly for "true" in any case; everything
// else, "1" included, is false.
#pragma once
#include "object/LBase.h"
#include "object/LISerializable.h"

class LString;

class LBoolean : public LBase, public LISerializable
{
public:
    LBoolean() = default;
    explicit LBoolean(bool aValue);
    explicit LBoolean(const LString& aText);
    LBoolean(const LBoolean& aOther) = default;
    LBoolean& operator=(const LBoolean& aOther) = default;
    ~LBoolean() override;

    LString Dump() const override;
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    bool mValue = false;
};
