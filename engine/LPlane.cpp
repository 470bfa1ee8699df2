#include "LPlane.h"

#include "LGeometryConstants.h"
#include "LPolygon.h"

#include <cmath>

void LPlane::SetFromNormal(const LVector3& aPoint, const LVector3& aNormal)
{
    LVector3 normal(aNormal);
    normal.Normalize(kPlaneNormalTolerance);
    a = normal.x;
    b = normal.y;
    c = normal.z;
    d = -LVector3::Dot(normal, aPoint);
}

void LPlane::SetFromPoints(const LVector3& aP1, const LVector3& aP2, const LVector3& aP3)
{
    LVector3 normal = LVector3::Cross(aP1 - aP2, aP3 - aP2);
    normal.Normalize(kPlaneNormalTolerance);
    a = normal.x;
    b = normal.y;
    c = normal.z;
    d = -LVector3::Dot(normal, aP2);
}

bool LPlane::Intersect(const LLine3& aLine, LVector3& aOut) const
{
    const LVector3& start = aLine.GetStart();
    const LVector3 direction = aLine.GetEnd() - start;
    const float denominator = a * direction.x + b * direction.y + c * direction.z;
    if (denominator == 0.0f) {
        return false;
    }
    const float t = -(a * start.x + b * start.y + c * start.z + d) / denominator;
    aOut = start + direction * t;
    return aLine.IsWithinExtent(aOut);
}

bool IntersectLineTriangle(const LLine3& aLine, const LVector3& aP1, const LVector3& aP2, const LVector3& aP3,
                           LVector3& aOut)
{
    LPlane plane;
    plane.SetFromPoints(aP1, aP2, aP3);
    if (!plane.Intersect(aLine, aOut)) {
        return false;
    }
    // Drop the axis in which the normal is largest and test in the other two.
    int dropped = 0;
    if (std::fabs(plane.b) > std::fabs(plane.a)) {
        dropped = 1;
    }
    if (std::fabs(plane.c) > std::fabs(dropped == 0 ? plane.a : plane.b)) {
        dropped = 2;
    }
    auto project = [dropped](const LVector3& aPoint) {
        switch (dropped) {
        case 0:
            return LVector2(aPoint.y, aPoint.z);
        case 1:
            return LVector2(aPoint.x, aPoint.z);
        default:
            return LVector2(aPoint.x, aPoint.y);
        }
    };
    const LVector2 corners[3] = {project(aP1), project(aP2), project(aP3)};
    const LPolygon triangle(corners, 3, false);
    return triangle.ContainsPoint(project(aOut));
}
