#include "LQuaternion.h"

#include "LFloatRecord.h"

#include <cmath>

LQuaternion LQuaternion::operator*(const LQuaternion& aOther) const
{
    LQuaternion result;
    result.x = w * aOther.x + x * aOther.w + y * aOther.z - z * aOther.y;
    result.y = w * aOther.y - x * aOther.z + y * aOther.w + z * aOther.x;
    result.z = w * aOther.z + x * aOther.y - y * aOther.x + z * aOther.w;
    result.w = w * aOther.w - x * aOther.x - y * aOther.y - z * aOther.z;
    return result;
}

LQuaternion& LQuaternion::operator*=(const LQuaternion& aOther)
{
    *this = *this * aOther;
    return *this;
}

LQuaternion& LQuaternion::Normalize(float aTolerance)
{
    const float lengthSquared = x * x + y * y + z * z + w * w;
    if (std::fabs(lengthSquared) <= aTolerance) {
        x = 0.0f;
        y = 0.0f;
        z = 0.0f;
        w = 1.0f;
        return *this;
    }
    if (std::fabs(lengthSquared - 1.0f) <= aTolerance) {
        return *this;
    }
    const float scale = 1.0f / std::sqrt(lengthSquared);
    x *= scale;
    y *= scale;
    z *= scale;
    w *= scale;
    return *this;
}

LString LQuaternion::ToString() const
{
    return JoinFloats({x, y, z, w}, "|");
}

bool LQuaternion::Read(LIStream* aStream)
{
    return ReadFloats(aStream, {&x, &y, &z, &w});
}

bool LQuaternion::Write(LIStream* aStream) const
{
    return WriteFloats(aStream, {x, y, z, w});
}
