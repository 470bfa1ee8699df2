#include "LLine2.h"

#include "LGeometryConstants.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <cmath>

LLine2::~LLine2() = default;

int LLine2::Set(const LVector2& aStart, const LVector2& aEnd, int aType)
{
    mStart = aStart;
    mEnd = aEnd;
    mType = aType;
    return 1;
}

int LLine2::SetFromDirection(const LVector2& aStart, const LVector2& aDirection, int aType)
{
    if (std::fabs(aDirection.x) < kGeometryEpsilon && std::fabs(aDirection.y) < kGeometryEpsilon) {
        mStart.Set(0.0f, 0.0f);
        mEnd.Set(0.0f, 0.0f);
        return 0;
    }
    return Set(aStart, aStart + aDirection, aType);
}

int LLine2::SetFromSlope(const LVector2& aStart, float aSlope, int aType)
{
    LVector2 step(0.0f, 1.0f);
    if (std::fabs(aSlope) < kGeometryEpsilon) {
        step.Set(1.0f, 0.0f);
    } else if (std::fabs(aSlope) <= kVerticalSlope) {
        step.Set(1.0f, aSlope);
    }
    return Set(aStart, aStart + step, aType);
}

float LLine2::GetSlope() const
{
    float dx = mEnd.x - mStart.x;
    if (std::fabs(dx) < kGeometryEpsilon) {
        dx = kGeometryEpsilon;
    }
    return (mEnd.y - mStart.y) / dx;
}

float LLine2::Length() const
{
    return std::sqrt(LengthSquared());
}

float LLine2::LengthSquared() const
{
    return mStart.DistanceSquared(mEnd);
}

LVector2 LLine2::GetMidpoint() const
{
    return mStart + (mEnd - mStart) * 0.5f;
}

void LLine2::GetDirection(LVector2& aOut) const
{
    const float slope = GetSlope();
    const float scale = 1.0f / std::sqrt(slope * slope + 1.0f);
    aOut.Set(scale, slope * scale);
    if (std::fabs(mStart.x - mEnd.x) < kGeometryEpsilon) {
        // Vertical: the slope's sign already gives the y direction (the epsilon divisor is
        // positive), so turning the vector round for a tiny negative x step would point
        // it away from the end.
        aOut.x = 0.0f;
    } else if (mEnd.x < mStart.x) {
        aOut.x = -aOut.x;
        aOut.y = -aOut.y;
    }
}

bool LLine2::IsParallel(const LLine2& aOther) const
{
    return std::fabs(GetSlope() - aOther.GetSlope()) < kGeometryEpsilon;
}

int LLine2::GetSide(const LVector2& aPoint) const
{
    return aPoint.GetSideOfLine(mStart, mEnd);
}

namespace {

enum class LExtent
{
    Within,
    BeforeStart,
    BeyondEnd,
};

// Where aPoint lies along one axis of aLine (0 x, 1 y). aSecond: the line is the second
// one tested, whose decreasing end is tested strictly.
LExtent ClassifyAlong(const LLine2& aLine, int aAxis, float aPoint, bool aSecond)
{
    const float s = aLine.GetStart()[aAxis];
    const float e = aLine.GetEnd()[aAxis];
    if (e >= s) {
        if (aPoint <= s) {
            return LExtent::BeforeStart;
        }
        if (aLine.GetType() == L_LINE_SEGMENT && aPoint >= e) {
            return LExtent::BeyondEnd;
        }
    } else {
        if (aPoint >= s) {
            return LExtent::BeforeStart;
        }
        if (aLine.GetType() == L_LINE_SEGMENT && (aSecond ? aPoint < e : aPoint <= e)) {
            return LExtent::BeyondEnd;
        }
    }
    return LExtent::Within;
}

bool PassesExtent(const LLine2& aLine, int aAxis, float aPoint, bool aSecond, bool aExclude, float aTolerance)
{
    switch (ClassifyAlong(aLine, aAxis, aPoint, aSecond)) {
    case LExtent::BeforeStart:
        return !aExclude && std::fabs(aPoint - aLine.GetStart()[aAxis]) < aTolerance;
    case LExtent::BeyondEnd:
        return !aExclude && std::fabs(aPoint - aLine.GetEnd()[aAxis]) < aTolerance;
    case LExtent::Within:
        break;
    }
    return true;
}

bool IsNear(const LVector2& aA, const LVector2& aB, float aTolerance)
{
    return std::fabs(aA.x - aB.x) < aTolerance && std::fabs(aA.y - aB.y) < aTolerance;
}

} // namespace

namespace {

// A line is vertical when its slope is steeper than the limit, and also when it has no
// extent in x at all: a short vertical line (its slope is its y extent over the epsilon)
// would otherwise be tested along x, where it has no extent, and never be crossed.
bool IsVertical(const LLine2& aLine, float aSlope)
{
    return std::fabs(aSlope) > kVerticalSlope || std::fabs(aLine.GetEnd().x - aLine.GetStart().x) < kGeometryEpsilon;
}

} // namespace

bool LLine2::Crosses(const LLine2& aOther) const
{
    const float m0 = GetSlope();
    const float m1 = aOther.GetSlope();
    // Two vertical lines are parallel even when their slope substitutes differ.
    return std::fabs(m0 - m1) >= kParallelSlopeEpsilon && !(IsVertical(*this, m0) && IsVertical(aOther, m1));
}

bool LLine2::Intersect(const LLine2& aOther, LVector2& aOut, bool aExcludeEndpoints, float aTolerance) const
{
    if (!Crosses(aOther)) {
        return false;
    }
    const float m0 = GetSlope();
    const float m1 = aOther.GetSlope();
    const bool vertical0 = IsVertical(*this, m0);
    const bool vertical1 = IsVertical(aOther, m1);

    const LLine2* first = this;
    const LLine2* second = &aOther;
    int firstAxis = 0;
    int secondAxis = 0;
    if (!vertical0 && !vertical1) {
        const float b0 = mStart.y - m0 * mStart.x;
        const float b1 = aOther.mStart.y - m1 * aOther.mStart.x;
        if (std::fabs(m0) < kGeometryEpsilon) {
            aOut.y = mStart.y;
            aOut.x = (aOut.y - b1) / m1;
        } else if (std::fabs(m1) < kGeometryEpsilon) {
            aOut.y = aOther.mStart.y;
            aOut.x = (aOut.y - b0) / m0;
        } else {
            aOut.x = (b1 - b0) / (m0 - m1);
            aOut.y = m1 * aOut.x + b1;
        }
    } else {
        // One line is vertical (V), tested along y; the other (N) is tested along x.
        const bool thisVertical = vertical0;
        const LLine2& vertical = thisVertical ? *this : aOther;
        const LLine2& other = thisVertical ? aOther : *this;
        const float m = thisVertical ? m1 : m0;
        aOut.x = vertical.mStart.x;
        if (std::fabs(m) < kGeometryEpsilon) {
            aOut.y = other.mStart.y;
        } else {
            aOut.y = m * aOut.x + (other.mStart.y - m * other.mStart.x);
        }
        first = &vertical;
        second = &other;
        firstAxis = 1;
    }

    if (first->mType != L_LINE_INFINITE &&
        !PassesExtent(*first, firstAxis, aOut[firstAxis], false, aExcludeEndpoints, aTolerance)) {
        return false;
    }
    if (second->mType == L_LINE_INFINITE) {
        return true;
    }
    if (!PassesExtent(*second, secondAxis, aOut[secondAxis], true, aExcludeEndpoints, aTolerance)) {
        return false;
    }
    if (aExcludeEndpoints) {
        if (IsNear(aOut, mStart, aTolerance) || IsNear(aOut, mEnd, aTolerance) ||
            IsNear(aOut, aOther.mStart, aTolerance) || IsNear(aOut, aOther.mEnd, aTolerance)) {
            return false;
        }
    }
    return true;
}

bool LLine2::GetPerpendicular(const LVector2& aPoint, LLine2& aOut) const
{
    const float slope = GetSlope();
    const float perpendicular = std::fabs(slope) < kGeometryEpsilon ? kVerticalSlope : -1.0f / slope;
    aOut.SetFromSlope(aPoint, perpendicular, L_LINE_INFINITE);
    LVector2 foot(aPoint);
    const bool within = Intersect(aOut, foot, false, kGeometryEpsilon);
    aOut.Set(foot, aPoint, L_LINE_INFINITE);
    return within;
}

float LLine2::GetDistance(const LVector2& aPoint) const
{
    LLine2 perpendicular;
    GetPerpendicular(aPoint, perpendicular);
    return perpendicular.Length();
}

bool LLine2::IsWithinExtent(const LVector2& aPoint) const
{
    if (mType == L_LINE_INFINITE) {
        return true;
    }
    const int axis = std::fabs(mEnd.y - mStart.y) >= std::fabs(mEnd.x - mStart.x) ? 1 : 0;
    const float s = mStart[axis];
    const float e = mEnd[axis];
    const float q = aPoint[axis];
    if (e > s) {
        return q >= s && (mType != L_LINE_SEGMENT || q <= e);
    }
    return q <= s && (mType != L_LINE_SEGMENT || q >= e);
}

namespace {

// The unit normal of aDirection for an offset direction of +1 or -1.
bool OffsetNormal(const LLine2& aLine, int aDirection, LVector2& aNormal)
{
    if (aDirection != 1 && aDirection != -1) {
        return false;
    }
    aLine.GetDirection(aNormal);
    if (aDirection == 1) {
        aNormal.RotateMinus90();
    } else {
        aNormal.RotatePlus90();
    }
    return true;
}

} // namespace

int LLine2::Offset(float aDistance, int aDirection, LLine2& aOut) const
{
    LVector2 normal;
    if (!OffsetNormal(*this, aDirection, normal)) {
        L_ERROR("Offset failure. Invalid direction.");
        return 0;
    }
    const LVector2 shift = normal * aDistance;
    return aOut.Set(mStart + shift, mEnd + shift, L_LINE_INFINITE);
}

int LLine2::Offset(LVector2& aPoint, float aDistance, int aDirection) const
{
    LVector2 normal;
    if (!OffsetNormal(*this, aDirection, normal)) {
        L_ERROR("Offset failure. Invalid direction.");
        return 0;
    }
    aPoint += normal * aDistance;
    return 1;
}

void LLine2::RotatePlus90()
{
    LVector2 direction = mEnd - mStart;
    direction.RotatePlus90();
    mEnd = mStart + direction;
}

void LLine2::RotateMinus90()
{
    LVector2 direction = mEnd - mStart;
    direction.RotateMinus90();
    mEnd = mStart + direction;
}

void LLine2::Reverse()
{
    const LVector2 start = mStart;
    mStart = mEnd;
    mEnd = start;
}

bool LLine2::Read(LIStream* aStream)
{
    unsigned int type = 0;
    bool ok = aStream != nullptr && aStream->Read(type);
    ok = mStart.Read(aStream) && ok;
    ok = mEnd.Read(aStream) && ok;
    if (ok) {
        mType = static_cast<int>(type);
    }
    return ok;
}

bool LLine2::Write(LIStream* aStream)
{
    bool ok = aStream != nullptr && aStream->Write(static_cast<unsigned int>(mType));
    ok = mStart.Write(aStream) && ok;
    ok = mEnd.Write(aStream) && ok;
    return ok;
}
