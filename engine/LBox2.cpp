#include "LBox2.h"

#include "LFloatRecord.h"
#include "LGeometryConstants.h"
#include "LPolygon.h"
#include "LRectangle.h"

#include <algorithm>
#include <cmath>

LBox2::LBox2(const LRectangle& aRectangle)
{
    const float x0 = aRectangle.GetX();
    const float y0 = aRectangle.GetY();
    const float x1 = x0 + aRectangle.GetWidth();
    const float y1 = y0 + aRectangle.GetHeight();
    min.Set(std::min(x0, x1), std::min(y0, y1));
    max.Set(std::max(x0, x1), std::max(y0, y1));
}

LBox2::LBox2(const LPolygon& aPolygon)
{
    SetEmpty();
    for (int i = 0; i < aPolygon.GetNumPoints(); ++i) {
        Grow(aPolygon.GetPoints()[i]);
    }
}

void LBox2::SetEmpty()
{
    min.Set(kEmptyBoxBound, kEmptyBoxBound);
    max.Set(-kEmptyBoxBound, -kEmptyBoxBound);
}

bool LBox2::IsEmpty() const
{
    return min.x > max.x || min.y > max.y;
}

void LBox2::Grow(const LVector2& aPoint)
{
    if (aPoint.x < min.x) {
        min.x = aPoint.x;
    }
    if (aPoint.x > max.x) {
        max.x = aPoint.x;
    }
    if (aPoint.y < min.y) {
        min.y = aPoint.y;
    }
    if (aPoint.y > max.y) {
        max.y = aPoint.y;
    }
}

void LBox2::Grow(const LBox2& aOther)
{
    min.Set(std::min(min.x, aOther.min.x), std::min(min.y, aOther.min.y));
    max.Set(std::max(max.x, aOther.max.x), std::max(max.y, aOther.max.y));
}

bool LBox2::Contains(const LVector2& aPoint) const
{
    return min.x <= aPoint.x && aPoint.x <= max.x && min.y <= aPoint.y && aPoint.y <= max.y;
}

void LBox2::GetClosestPoint(const LVector2& aPoint, LVector2& aOut) const
{
    aOut.Set(std::clamp(aPoint.x, min.x, std::max(min.x, max.x)), std::clamp(aPoint.y, min.y, std::max(min.y, max.y)));
}

bool LBox2::Overlaps(const LBox2& aOther) const
{
    return std::fabs((min.x + max.x) - (aOther.min.x + aOther.max.x)) <=
               (max.x - min.x) + (aOther.max.x - aOther.min.x) &&
           std::fabs((min.y + max.y) - (aOther.min.y + aOther.max.y)) <=
               (max.y - min.y) + (aOther.max.y - aOther.min.y);
}

float LBox2::GetMaxExtent() const
{
    return std::max(max.x - min.x, max.y - min.y);
}

bool LBox2::IntersectsSegment(const LVector2& aOrigin, const LVector2& aDelta, float aUnused) const
{
    const float origin[2] = {aOrigin.x, aOrigin.y};
    const float delta[2] = {aDelta.x, aDelta.y};
    const float low[2] = {min.x, min.y};
    const float high[2] = {max.x, max.y};
    float t[2];
    bool inside = true;
    for (int axis = 0; axis < 2; ++axis) {
        if (origin[axis] < low[axis]) {
            const float distance = low[axis] - origin[axis];
            if (distance > delta[axis]) {
                return false;
            }
            t[axis] = distance / delta[axis];
            inside = false;
        } else if (origin[axis] > high[axis]) {
            const float distance = high[axis] - origin[axis];
            if (distance < delta[axis]) {
                return false;
            }
            t[axis] = distance / delta[axis];
            inside = false;
        } else {
            t[axis] = -1.0f;
        }
    }
    if (inside) {
        return true;
    }
    const int face = t[1] > t[0] ? 1 : 0;
    const int other = 1 - face;
    const float hit = origin[other] + t[face] * delta[other];
    return hit >= low[other] && hit <= high[other];
}

bool LBox2::Read(LIStream* aStream)
{
    return ReadFloats(aStream, {&min.x, &min.y, &max.x, &max.y});
}

bool LBox2::Write(LIStream* aStream) const
{
    return WriteFloats(aStream, {min.x, min.y, max.x, max.y});
}
