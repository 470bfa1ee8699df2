#include "object/LObject.h"

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
