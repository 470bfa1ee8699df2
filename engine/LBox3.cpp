#include "LBox3.h"

#include "LFloatRecord.h"
#include "LGeometryConstants.h"

#include <algorithm>
#include <cmath>

void LBox3::SetEmpty()
{
    min.Set(kEmptyBoxBound, kEmptyBoxBound, kEmptyBoxBound);
    max.Set(-kEmptyBoxBound, -kEmptyBoxBound, -kEmptyBoxBound);
}

bool LBox3::IsEmpty() const
{
    return min.x > max.x || min.y > max.y || min.z > max.z;
}

void LBox3::Grow(const LVector3& aPoint)
{
    float* low[3] = {&min.x, &min.y, &min.z};
    float* high[3] = {&max.x, &max.y, &max.z};
    for (int axis = 0; axis < 3; ++axis) {
        const float p = aPoint[axis];
        if (p < *low[axis]) {
            *low[axis] = p;
        }
        if (p > *high[axis]) {
            *high[axis] = p;
        }
    }
}

void LBox3::Grow(const LBox3& aOther)
{
    min.Set(std::min(min.x, aOther.min.x), std::min(min.y, aOther.min.y), std::min(min.z, aOther.min.z));
    max.Set(std::max(max.x, aOther.max.x), std::max(max.y, aOther.max.y), std::max(max.z, aOther.max.z));
}

bool LBox3::Contains(const LVector3& aPoint) const
{
    return min.x <= aPoint.x && aPoint.x <= max.x && min.y <= aPoint.y && aPoint.y <= max.y && min.z <= aPoint.z &&
           aPoint.z <= max.z;
}

void LBox3::GetClosestPoint(const LVector3& aPoint, LVector3& aOut) const
{
    aOut.Set(std::clamp(aPoint.x, min.x, std::max(min.x, max.x)), std::clamp(aPoint.y, min.y, std::max(min.y, max.y)),
             std::clamp(aPoint.z, min.z, std::max(min.z, max.z)));
}

bool LBox3::Overlaps(const LBox3& aOther) const
{
    for (int axis = 0; axis < 3; ++axis) {
        const float centres = std::fabs((min[axis] + max[axis]) - (aOther.min[axis] + aOther.max[axis]));
        const float extents = (max[axis] - min[axis]) + (aOther.max[axis] - aOther.min[axis]);
        if (centres > extents) {
            return false;
        }
    }
    return true;
}

float LBox3::GetMaxExtent() const
{
    return std::max({max.x - min.x, max.y - min.y, max.z - min.z});
}

bool LBox3::IntersectsSegment(const LVector3& aOrigin, const LVector3& aDelta, float aUnused) const
{
    float t[3];
    bool inside = true;
    for (int axis = 0; axis < 3; ++axis) {
        const float origin = aOrigin[axis];
        const float delta = aDelta[axis];
        if (origin < min[axis]) {
            const float distance = min[axis] - origin;
            if (distance > delta) {
                return false;
            }
            t[axis] = distance / delta;
            inside = false;
        } else if (origin > max[axis]) {
            const float distance = max[axis] - origin;
            if (distance < delta) {
                return false;
            }
            t[axis] = distance / delta;
            inside = false;
        } else {
            t[axis] = -1.0f;
        }
    }
    if (inside) {
        return true;
    }
    int face = 0;
    for (int axis = 1; axis < 3; ++axis) {
        if (t[axis] > t[face]) {
            face = axis;
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (axis == face) {
            continue;
        }
        const float hit = aOrigin[axis] + t[face] * aDelta[axis];
        if (hit < min[axis] || hit > max[axis]) {
            return false;
        }
    }
    return true;
}

bool LBox3::Read(LIStream* aStream)
{
    return ReadFloats(aStream, {&min.x, &min.y, &min.z, &max.x, &max.y, &max.z});
}

bool LBox3::Write(LIStream* aStream) const
{
    return WriteFloats(aStream, {min.x, min.y, min.z, max.x, max.y, max.z});
}
