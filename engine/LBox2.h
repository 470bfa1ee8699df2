// An axis-aligned 2-D box from min to max. Empty when min exceeds max on an axis; the
// empty value of SetEmpty takes the first grown-in point or box whole. The default box
// is all zero (not empty).
#pragma once
#include "LVector2.h"

class LIStream;
class LPolygon;
class LRectangle;

class LBox2
{
public:
    LBox2() = default;
    LBox2(const LVector2& aMin, const LVector2& aMax) : min(aMin), max(aMax) {}
    LBox2(float aMinX, float aMinY, float aMaxX, float aMaxY) : min(aMinX, aMinY), max(aMaxX, aMaxY) {}
    // A negative width or height is taken to the other side, so min <= max.
    explicit LBox2(const LRectangle& aRectangle);
    // The bounding box of the points; the empty box for a polygon without points.
    explicit LBox2(const LPolygon& aPolygon);

    void SetEmpty();
    bool IsEmpty() const;
    void Grow(const LVector2& aPoint);
    void Grow(const LBox2& aOther);
    // Inclusive.
    bool Contains(const LVector2& aPoint) const;
    void GetClosestPoint(const LVector2& aPoint, LVector2& aOut) const;
    // Touching boxes overlap.
    bool Overlaps(const LBox2& aOther) const;
    float GetMaxExtent() const;
    LVector2 GetCenter() const { return (min + max) * 0.5f; }
    // Whether the segment from aOrigin to aOrigin + aDelta meets the box. aUnused has
    // no effect.
    bool IntersectsSegment(const LVector2& aOrigin, const LVector2& aDelta, float aUnused = 0.0f) const;


    // Stream record: min then max as floats (16 bytes in a binary stream). Every float
    // is attempted; true only when all succeed.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;
    LVector2 min;
    LVector2 max;
};
