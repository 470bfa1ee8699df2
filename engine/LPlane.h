// A plane a x + b y + c z + d = 0, with the unit normal (a, b, c); the layout of
// LVector4. The default plane is all zero.
#pragma once
#include "LLine3.h"
#include "LVector3.h"

class LPlane
{
public:
    LPlane() = default;

    // The normal is normalised with the plane tolerance; a normal too short for that
    // becomes (0, 1, 0).
    void SetFromNormal(const LVector3& aPoint, const LVector3& aNormal);
    // Normal (p1 - p2) x (p3 - p2), through p2.
    void SetFromPoints(const LVector3& aP1, const LVector3& aP2, const LVector3& aP3);
    LVector3 GetNormal() const { return LVector3(a, b, c); }

    // The point where the line's supporting line meets the plane goes to aOut; the
    // result tells whether it lies within the line's extent. A line parallel to the
    // plane gives false and leaves aOut alone.
    bool Intersect(const LLine3& aLine, LVector3& aOut) const;

    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;
};

// Whether the line, ray or segment meets the triangle (edges included); aOut is the
// point where it meets the triangle's plane.
bool IntersectLineTriangle(const LLine3& aLine, const LVector3& aP1, const LVector3& aP2, const LVector3& aP3,
                           LVector3& aOut);
