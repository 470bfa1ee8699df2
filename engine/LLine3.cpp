#include "LLine3.h"

#include "LGeometryConstants.h"
#include "stdlib/LLog.h"

#include <cmath>

LLine3::~LLine3() = default;

int LLine3::Set(const LVector3& aStart, const LVector3& aEnd, int aType)
{
    mStart = aStart;
    mEnd = aEnd;
    mType = aType;
    return 1;
}

int LLine3::SetFromDirection(const LVector3& aStart, const LVector3& aDirection, int aType)
{
    if (std::fabs(aDirection.x) < kGeometryEpsilon && std::fabs(aDirection.y) < kGeometryEpsilon &&
        std::fabs(aDirection.z) < kGeometryEpsilon) {
        mStart.Set(0.0f, 0.0f, 0.0f);
        mEnd.Set(0.0f, 0.0f, 0.0f);
        return 0;
    }
    return Set(aStart, aStart + aDirection, aType);
}

bool LLine3::IsWithinExtent(const LVector3& aPoint) const
{
    if (mType == L_LINE_INFINITE) {
        return true;
    }
    const LVector3 d = mEnd - mStart;
    const LVector3 q = aPoint - mStart;
    if (!q.IsSameSigns(d)) {
        return false;
    }
    if (mType == L_LINE_RAY) {
        return true;
    }
    return std::fabs(d.x) >= std::fabs(q.x) && std::fabs(d.y) >= std::fabs(q.y) && std::fabs(d.z) >= std::fabs(q.z);
}

bool LLine3::Read(LIStream* aStream)
{
    L_ASSERT_FAILURE("NYI.");
    return false;
}

bool LLine3::Write(LIStream* aStream)
{
    L_ASSERT_FAILURE("NYI.");
    return false;
}
