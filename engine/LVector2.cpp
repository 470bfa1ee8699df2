#include "LVector2.h"

#include "LFloatRecord.h"
#include "LGeometryConstants.h"
#include "LLine2.h"
#include "stdlib/LLog.h"

#include <algorithm>
#include <cmath>

LVector2& LVector2::operator+=(const LVector2& aOther)
{
    x += aOther.x;
    y += aOther.y;
    return *this;
}

LVector2& LVector2::operator-=(const LVector2& aOther)
{
    x -= aOther.x;
    y -= aOther.y;
    return *this;
}

LVector2& LVector2::operator*=(float aValue)
{
    x *= aValue;
    y *= aValue;
    return *this;
}

float LVector2::operator[](int aIndex) const
{
    switch (aIndex) {
    case 0:
        return x;
    case 1:
        return y;
    default:
        L_ERROR("Index out of bounds.");
        return 0.0f;
    }
}

float LVector2::Length() const
{
    return std::sqrt(LengthSquared());
}

float LVector2::Distance(const LVector2& aOther) const
{
    return std::sqrt(DistanceSquared(aOther));
}

float LVector2::DistanceSquared(const LVector2& aOther) const
{
    const float dx = x - aOther.x;
    const float dy = y - aOther.y;
    return dx * dx + dy * dy;
}

LVector2 LVector2::Abs() const
{
    return LVector2(std::fabs(x), std::fabs(y));
}

LVector2& LVector2::MakeAbs()
{
    x = std::fabs(x);
    y = std::fabs(y);
    return *this;
}

LVector2 LVector2::Normalize(float aTolerance) const
{
    LVector2 copy(*this);
    copy.Normalize(aTolerance);
    return copy;
}

LVector2& LVector2::Normalize(float aTolerance)
{
    const float lengthSquared = LengthSquared();
    if (std::fabs(lengthSquared) <= aTolerance) {
        Set(0.0f, 1.0f);
        return *this;
    }
    if (std::fabs(lengthSquared - 1.0f) <= aTolerance) {
        return *this;
    }
    const float scale = 1.0f / std::sqrt(lengthSquared);
    x *= scale;
    y *= scale;
    return *this;
}

void LVector2::RotatePlus90()
{
    const float oldX = x;
    x = -y;
    y = oldX;
}

void LVector2::RotateMinus90()
{
    const float oldX = x;
    x = y;
    y = -oldX;
}

void LVector2::Rotate(float aRadians)
{
    const float c = std::cos(aRadians);
    const float s = std::sin(aRadians);
    const float oldX = x;
    x = c * oldX - s * y;
    y = c * y + s * oldX;
}

float LVector2::GetSlope(const LVector2& aOther) const
{
    float dx = x - aOther.x;
    if (dx == 0.0f) {
        dx = kGeometryEpsilon;
    }
    return (y - aOther.y) / dx;
}

namespace {

// acos of a cosine that rounding may have pushed just past -1 or 1.
float ClampedArcCosine(double aCosine)
{
    return static_cast<float>(std::acos(std::clamp(aCosine, -1.0, 1.0)));
}

} // namespace

float LVector2::GetAngle(const LVector2& aOther) const
{
    // A vector without length has no direction: its angle to anything is 0 (dividing by
    // its length would give NaN).
    const double ax = x, ay = y, bx = aOther.x, by = aOther.y;
    const double lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengths == 0.0) {
        return 0.0f;
    }
    return ClampedArcCosine((ax * bx + ay * by) / lengths);
}

float LVector2::GetAngleAt(const LVector2& aB, const LVector2& aC) const
{
    // Law of cosines, with dbc the side opposite this corner.
    const double dc = (aC - *this).Length();
    const double db = (*this - aB).Length();
    const double dbc = (aB - aC).Length();
    if (dc == 0.0 || db == 0.0) {
        return 0.0f;
    }
    return ClampedArcCosine((dc * dc + db * db - dbc * dbc) / (2.0 * dc * db));
}

int LVector2::GetSideOfLine(const LLine2& aLine) const
{
    return GetSideOfLine(aLine.GetStart(), aLine.GetEnd());
}

int LVector2::GetSideOfLine(const LVector2& aStart, const LVector2& aEnd) const
{
    const float v = (aStart.x - aEnd.x) * (y - aEnd.y) - (x - aEnd.x) * (aStart.y - aEnd.y);
    if (v > 0.0f) {
        return 1;
    }
    if (v < 0.0f) {
        return -1;
    }
    return 0;
}

bool LVector2::IsSameQuadrant(const LVector2& aOther) const
{
    auto passes = [](float aMine, float aTheirs) {
        if (aMine < 0.0f) {
            return aTheirs <= 0.0f;
        }
        if (aMine > 0.0f) {
            return aTheirs >= 0.0f;
        }
        return true;
    };
    return passes(x, aOther.x) && passes(y, aOther.y);
}

LString LVector2::Dump() const
{
    LString text("[LVector2 <");
    text += static_cast<const void*>(this);
    return text + "> (" + JoinFloats({x, y}, ", ") + ")]";
}

bool LVector2::Read(LIStream* aStream)
{
    return ReadFloats(aStream, {&x, &y});
}

bool LVector2::Write(LIStream* aStream) const
{
    return WriteFloats(aStream, {x, y});
}
