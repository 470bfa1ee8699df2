// A 2-D line through two points: infinite, a ray from the start through the end, or a
// segment. Polygon edges, route segments and outline offsets are made of it; Intersect
// carries the tolerance rules on which the polygon tests and walking rest.
#pragma once
#include "LVector2.h"
#include "object/LBase.h"
#include "object/LISerializable.h"

// The type of a line: 0 infinite, 1 ray (bounded at the start), 2 segment.
enum LLineType
{
    L_LINE_INFINITE = 0,
    L_LINE_RAY = 1,
    L_LINE_SEGMENT = 2,
};

class LLine2 : public LBase, public LISerializable
{
public:
    LLine2() = default;
    LLine2(const LVector2& aStart, const LVector2& aEnd, int aType) : mType(aType), mStart(aStart), mEnd(aEnd) {}
    LLine2(const LLine2&) = default;
    LLine2& operator=(const LLine2&) = default;
    ~LLine2() override;

    const LVector2& GetStart() const { return mStart; }
    const LVector2& GetEnd() const { return mEnd; }
    int GetType() const { return mType; }
    void SetType(int aType) { mType = aType; }

    // Always 1.
    int Set(const LVector2& aStart, const LVector2& aEnd, int aType);
    // end = start + direction; a direction shorter than the epsilon on both axes makes
    // both points (0, 0), keeps the type and gives 0.
    int SetFromDirection(const LVector2& aStart, const LVector2& aDirection, int aType);
    // end = start + (1, 0) for a flat slope, start + (1, slope) up to the vertical
    // slope, start + (0, 1) beyond it. Always 1.
    int SetFromSlope(const LVector2& aStart, float aSlope, int aType);

    // (end.y - start.y) / (end.x - start.x), with the positive epsilon as the divisor
    // when the x difference is smaller than it.
    float GetSlope() const;
    float Length() const;
    float LengthSquared() const;
    LVector2 GetMidpoint() const;
    // Unit vector from start towards end.
    void GetDirection(LVector2& aOut) const;
    bool IsParallel(const LLine2& aOther) const;
    // 1, -1 or 0: the side of aPoint (as LVector2::GetSideOfLine).
    int GetSide(const LVector2& aPoint) const;

    // The crossing of the two supporting lines goes to aOut (unless they are parallel,
    // two vertical lines included, when aOut is left alone and the result is false); a
    // line steeper than the vertical slope or without extent in x counts as vertical and
    // is tested along y, the other along x. The result tells whether the crossing
    // lies within both lines' extents. With aExcludeEndpoints false the extents are
    // widened by aTolerance; with it true they are strict and a crossing within
    // aTolerance of any of the four end points is rejected.
    bool Intersect(const LLine2& aOther, LVector2& aOut, bool aExcludeEndpoints, float aTolerance) const;
    // Whether the supporting lines cross, that is Intersect computes a point.
    bool Crosses(const LLine2& aOther) const;
    // aOut becomes the line from the foot of the perpendicular through aPoint to aPoint;
    // the result tells whether the foot lies within this line's extent.
    bool GetPerpendicular(const LVector2& aPoint, LLine2& aOut) const;
    float GetDistance(const LVector2& aPoint) const;
    // For a point on the line: whether it lies within the ray's or segment's extent
    // (inclusive, along the axis in which the line extends further).
    bool IsWithinExtent(const LVector2& aPoint) const;

    // Moves the line by aDistance along its normal: direction +1 is the direction turned
    // by -90 degrees, -1 turned by +90 degrees. aOut is infinite. 0 for another direction.
    int Offset(float aDistance, int aDirection, LLine2& aOut) const;
    int Offset(LVector2& aPoint, float aDistance, int aDirection) const;

    void RotatePlus90();
    void RotateMinus90();
    void Reverse();

    // Record: type (unsigned 32-bit), start, end.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    int mType = L_LINE_INFINITE;
    LVector2 mStart;
    LVector2 mEnd;
};
