#include "LVector3.h"

#include "LFloatRecord.h"
#include "stdlib/LLog.h"

#include <cmath>

LVector3& LVector3::operator=(const LVector2& aOther)
{
    Set(aOther.x, aOther.y, 0.0f);
    return *this;
}

LVector3& LVector3::operator+=(const LVector3& aOther)
{
    x += aOther.x;
    y += aOther.y;
    z += aOther.z;
    return *this;
}

LVector3& LVector3::operator-=(const LVector3& aOther)
{
    x -= aOther.x;
    y -= aOther.y;
    z -= aOther.z;
    return *this;
}

LVector3& LVector3::operator+=(float aValue)
{
    x += aValue;
    y += aValue;
    z += aValue;
    return *this;
}

LVector3& LVector3::operator-=(float aValue)
{
    x -= aValue;
    y -= aValue;
    z -= aValue;
    return *this;
}

LVector3& LVector3::operator*=(float aValue)
{
    x *= aValue;
    y *= aValue;
    z *= aValue;
    return *this;
}

bool LVector3::Equals(const LVector3& aOther, float aTolerance) const
{
    return std::fabs(x - aOther.x) <= aTolerance && std::fabs(y - aOther.y) <= aTolerance &&
           std::fabs(z - aOther.z) <= aTolerance;
}

float LVector3::operator[](int aIndex) const
{
    switch (aIndex) {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    default:
        L_ERROR("Index out of bounds.");
        return 0.0f;
    }
}

float LVector3::Dot(const LVector3& aA, const LVector3& aB)
{
    return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z;
}

LVector3 LVector3::Cross(const LVector3& aA, const LVector3& aB)
{
    return LVector3(aA.y * aB.z - aA.z * aB.y, aA.z * aB.x - aA.x * aB.z, aA.x * aB.y - aA.y * aB.x);
}

float LVector3::Length() const
{
    return std::sqrt(LengthSquared());
}

LVector3 LVector3::Normalize(float aTolerance) const
{
    LVector3 result;
    Normalize(result, aTolerance);
    return result;
}

LVector3& LVector3::Normalize(LVector3& aOut, float aTolerance) const
{
    const float lengthSquared = LengthSquared();
    if (std::fabs(lengthSquared) <= aTolerance) {
        L_ASSERT_FAILURE("Normalize failure.");
        aOut.Set(0.0f, 1.0f, 0.0f);
        return aOut;
    }
    if (std::fabs(lengthSquared - 1.0f) <= aTolerance) {
        aOut = *this;
        return aOut;
    }
    const float scale = 1.0f / std::sqrt(lengthSquared);
    aOut.Set(x * scale, y * scale, z * scale);
    return aOut;
}

LVector3& LVector3::Normalize(float aTolerance)
{
    const float lengthSquared = LengthSquared();
    if (lengthSquared == 0.0f || lengthSquared < aTolerance) {
        Set(0.0f, 1.0f, 0.0f);
        return *this;
    }
    if (std::fabs(lengthSquared - 1.0f) <= aTolerance) {
        return *this;
    }
    *this *= 1.0f / std::sqrt(lengthSquared);
    return *this;
}

bool LVector3::IsSameSigns(const LVector3& aOther) const
{
    auto passes = [](float aMine, float aTheirs) { return aMine < 0.0f ? aTheirs < 0.0f : aTheirs >= 0.0f; };
    return passes(x, aOther.x) && passes(y, aOther.y) && passes(z, aOther.z);
}

LString LVector3::ToString() const
{
    return JoinFloats({x, y, z}, "|");
}

bool LVector3::Read(LIStream* aStream)
{
    return ReadFloats(aStream, {&x, &y, &z});
}

bool LVector3::Write(LIStream* aStream) const
{
    return WriteFloats(aStream, {x, y, z});
}
