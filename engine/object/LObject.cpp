#include "object/LObject.h"

#include "stdlib/LIStream.h"

LObject::~LObject() = default;

int LObject::Init(int)
{
    return 1;
}

bool LObject::GetFlag1() const
{
    return mFlag1;
}

int LObject::GetZeroA() const
{
    return 0;
}

bool LObject::GetFlag2() const
{
    return mFlag2;
}

int LObject::GetZeroB() const
{
    return 0;
}

int LObject::GetZeroC() const
{
    return 0;
}

bool LObject::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    const bool first = aStream->Read(mFlag1);
    const bool second = aStream->Read(mFlag2);
    return first && second;
}

bool LObject::Write(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    const bool first = aStream->Write(mFlag1);
    const bool second = aStream->Write(mFlag2);
    return first && second;
}
