#include "container/LBoolean.h"

#include "container/LString.h"
#include "stdlib/LIStream.h"

LBoolean::LBoolean(bool aValue) : mValue(aValue) {}

LBoolean::LBoolean(const LString& aText) : mValue(aText.EqualsNoCase(u"true")) {}

LBoolean::~LBoolean() = default;

LString LBoolean::Dump() const
{
    return DumpHead("LBoolean") + "]";
}

bool LBoolean::Read(LIStream* aStream)
{
    return aStream && aStream->Read(mValue);
}

bool LBoolean::Write(LIStream* aStream)
{
    return aStream && aStream->Write(mValue);
}
