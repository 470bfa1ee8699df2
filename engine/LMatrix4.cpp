#include "LMatrix4.h"

#include "LFloatRecord.h"
#include "Math/LMatrixUtilDX9.h"

#include <new>

namespace {

// The utility that keeps the math working when the process-wide one cannot be had:
// built in static storage on first need and never destroyed, so it outlives the
// cleaner and every static destructor.
LIMatrixUtil* Fallback()
{
    alignas(LMatrixUtilDX9) static unsigned char sStorage[sizeof(LMatrixUtilDX9)];
    static LIMatrixUtil* sFallback = new (sStorage) LMatrixUtilDX9();
    return sFallback;
}

} // namespace

bool LMatrix4::operator==(const LMatrix4& aOther) const
{
    for (int i = 0; i < 16; ++i) {
        if (m[i] != aOther.m[i]) {
            return false;
        }
    }
    return true;
}

LIMatrixUtil* LMatrix4::GetUtil()
{
    // After a failed creation, and once the cleaner has deleted the process-wide utility
    // at exit, the built-in one does the work.
    LIMatrixUtil* util = LIMatrixUtil::Get();
    return util ? util : Fallback();
}

LMatrix4* LMatrix4::Identity(LMatrix4* aOut)
{
    return GetUtil()->Identity(aOut);
}

LMatrix4* LMatrix4::Inverse(LMatrix4* aOut, const LMatrix4* aM)
{
    return GetUtil()->Inverse(aOut, aM);
}

LMatrix4* LMatrix4::LookAt(LMatrix4* aOut, const LVector3* aEye, const LVector3* aAt, const LVector3* aUp)
{
    return GetUtil()->LookAt(aOut, aEye, aAt, aUp);
}

LVector3* LMatrix4::TransformCoord(LVector3* aOut, const LMatrix4* aM, const LVector3* aV)
{
    return GetUtil()->TransformCoord(aOut, aM, aV);
}

LMatrix4* LMatrix4::Multiply(LMatrix4* aOut, const LMatrix4* aA, const LMatrix4* aB)
{
    return GetUtil()->Multiply(aOut, aA, aB);
}

LVector3* LMatrix4::TransformNormal(LVector3* aOut, const LMatrix4* aM, const LVector3* aV)
{
    return GetUtil()->TransformNormal(aOut, aM, aV);
}

LMatrix4* LMatrix4::Ortho(LMatrix4* aOut, float aWidth, float aHeight, float aNear, float aFar)
{
    return GetUtil()->Ortho(aOut, aWidth, aHeight, aNear, aFar);
}

LMatrix4* LMatrix4::PerspectiveFov(LMatrix4* aOut, float aFovY, float aAspect, float aNear, float aFar)
{
    return GetUtil()->PerspectiveFov(aOut, aFovY, aAspect, aNear, aFar);
}

LMatrix4* LMatrix4::RotationX(LMatrix4* aOut, float aRadians)
{
    return GetUtil()->RotationX(aOut, aRadians);
}

LMatrix4* LMatrix4::RotationY(LMatrix4* aOut, float aRadians)
{
    return GetUtil()->RotationY(aOut, aRadians);
}

LMatrix4* LMatrix4::RotationZ(LMatrix4* aOut, float aRadians)
{
    return GetUtil()->RotationZ(aOut, aRadians);
}

LMatrix4* LMatrix4::RotationQuaternion(LMatrix4* aOut, const LQuaternion* aQ)
{
    return GetUtil()->RotationQuaternion(aOut, aQ);
}

LQuaternion* LMatrix4::QuaternionSlerp(LQuaternion* aOut, const LQuaternion* aQ1, const LQuaternion* aQ2, float aT)
{
    return GetUtil()->QuaternionSlerp(aOut, aQ1, aQ2, aT);
}

LQuaternion* LMatrix4::QuaternionFromMatrix(LQuaternion* aOut, const LMatrix4* aM)
{
    return GetUtil()->QuaternionFromMatrix(aOut, aM);
}

LMatrix4* LMatrix4::FromQuaternion(LMatrix4* aOut, const LQuaternion* aQ)
{
    return GetUtil()->FromQuaternion(aOut, aQ);
}

LMatrix4* LMatrix4::Scaling(LMatrix4* aOut, float aX, float aY, float aZ)
{
    return GetUtil()->Scaling(aOut, aX, aY, aZ);
}

LMatrix4* LMatrix4::Translation(LMatrix4* aOut, float aX, float aY, float aZ)
{
    return GetUtil()->Translation(aOut, aX, aY, aZ);
}

bool LMatrix4::Read(LIStream* aStream)
{
    bool ok = aStream != nullptr;
    for (float& element : m) {
        ok = ReadFloats(aStream, {&element}) && ok;
    }
    return ok;
}

bool LMatrix4::Write(LIStream* aStream) const
{
    bool ok = aStream != nullptr;
    for (float element : m) {
        ok = WriteFloats(aStream, {element}) && ok;
    }
    return ok;
}
