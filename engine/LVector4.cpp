#include "LVector4.h"

#include "LFloatRecord.h"
#include "stdlib/LLog.h"

LVector4& LVector4::operator=(const LVector3& aOther)
{
    Set(aOther, 0.0f);
    return *this;
}

LVector4& LVector4::operator=(const LVector2& aOther)
{
    Set(aOther.x, aOther.y, 0.0f, 0.0f);
    return *this;
}

void LVector4::Set(float aX, float aY, float aZ, float aW)
{
    x = aX;
    y = aY;
    z = aZ;
    w = aW;
}

void LVector4::Set(const LVector3& aOther, float aW)
{
    Set(aOther.x, aOther.y, aOther.z, aW);
}

LVector4 LVector4::operator+(const LVector4& aOther) const
{
    return LVector4(x + aOther.x, y + aOther.y, z + aOther.z, w + aOther.w);
}

LVector4 LVector4::operator-(const LVector4& aOther) const
{
    return LVector4(x - aOther.x, y - aOther.y, z - aOther.z, w - aOther.w);
}

LVector4& LVector4::operator+=(const LVector4& aOther)
{
    *this = *this + aOther;
    return *this;
}

LVector4& LVector4::operator-=(const LVector4& aOther)
{
    *this = *this - aOther;
    return *this;
}

float LVector4::operator[](int aIndex) const
{
    switch (aIndex) {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    case 3:
        return w;
    default:
        L_ERROR("Index out of bounds.");
        return 0.0f;
    }
}

float LVector4::Dot(const LVector4& aA, const LVector4& aB)
{
    return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z + aA.w * aB.w;
}

LString LVector4::Dump() const
{
    LString text("[LVector4 <");
    text += static_cast<const void*>(this);
    return text + "> (" + JoinFloats({x, y, z, w}, ", ") + ")]";
}

bool LVector4::Read(LIStream* aStream)
{
    return ReadFloats(aStream, {&x, &y, &z, &w});
}

bool LVector4::Write(LIStream* aStream) const
{
    return WriteFloats(aStream, {x, y, z, w});
}
