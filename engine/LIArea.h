// A 2-D area: the interface that rectangles and polygons share (hotspot boundaries,
// walkable and obstacle areas, screen regions).
#pragma once
#include "LVector2.h"

class LMatrix4;

class LIArea
{
public:
    // The codes of GetAreaType.
    static constexpr int kRectangle = 0;
    static constexpr int kPolygon = 1;

    virtual ~LIArea();
    // A new copy through the tracked allocator (null when that fails).
    virtual LIArea* Clone() const = 0;
    virtual bool ContainsPoint(const LVector2& aPoint) const = 0;
    virtual int GetAreaType() const = 0;
    virtual void Transform(const LMatrix4& aMatrix) = 0;
    virtual void Translate(const LVector2& aOffset) = 0;
};
