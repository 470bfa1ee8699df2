// An axis-aligned 3-D box from min to max; see LBox2 for the empty value.
#pragma once
#include "LVector3.h"

class LBox3
{
public:
    LBox3() = default;
    LBox3(const LVector3& aMin, const LVector3& aMax) : min(aMin), max(aMax) {}

    void SetEmpty();
    bool IsEmpty() const;
    void Grow(const LVector3& aPoint);
    void Grow(const LBox3& aOther);
    // Inclusive.
    bool Contains(const LVector3& aPoint) const;
    void GetClosestPoint(const LVector3& aPoint, LVector3& aOut) const;
    // Touching boxes overlap.
    bool Overlaps(const LBox3& aOther) const;
    float GetMaxExtent() const;
    LVector3 GetCenter() const { return (min + max) * 0.5f; }
    // Whether the segment from aOrigin to aOrigin + aDelta meets the box. aUnused has
    // no effect.
    bool IntersectsSegment(const LVector3& aOrigin, const LVector3& aDelta, float aUnused = 0.0f) const;


    // Stream record: min then max as floats (24 bytes in a binary stream). Every float
    // is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;
    LVector3 min;
    LVector3 max;
};
