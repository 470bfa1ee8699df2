#include "LGeometryConstants.h"
#include "LLine2.h"
#include "LLine3.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

LLine2 Segment(float aX0, float aY0, float aX1, float aY1)
{
    return LLine2(LVector2(aX0, aY0), LVector2(aX1, aY1), L_LINE_SEGMENT);
}

} // namespace

TEST(LineIntersect, EndpointsAreWidenedOrExcluded)
{
    LVector2 out;
    EXPECT_TRUE(Segment(0, 0, 2, 2).Intersect(Segment(0, 2, 2, 0), out, true, kGeometryEpsilon));
    EXPECT_EQ(LVector2(1, 1), out);
    const LLine2 first = Segment(0, 0, 1, 0);
    // Touching the end of the first segment.
    EXPECT_TRUE(first.Intersect(Segment(1, -1, 1, 1), out, false, kGeometryEpsilon));
    EXPECT_EQ(LVector2(1, 0), out);
    EXPECT_FALSE(first.Intersect(Segment(1, -1, 1, 1), out, true, kGeometryEpsilon));
    EXPECT_EQ(LVector2(1, 0), out); // computed before the extent tests

    // Just beyond the end: inside the tolerance, outside tolerance 0.
    EXPECT_TRUE(first.Intersect(Segment(1.00001f, -1, 1.00001f, 1), out, false, kGeometryEpsilon));
    EXPECT_FALSE(first.Intersect(Segment(1.00001f, -1, 1.00001f, 1), out, false, 0.0f));
    EXPECT_FALSE(first.Intersect(Segment(1.0001f, -1, 1.0001f, 1), out, false, kGeometryEpsilon));

    // With tolerance 0 an exact end is rejected, except the end of a second-tested
    // segment whose coordinate decreases along its axis.
    EXPECT_FALSE(first.Intersect(Segment(1, -1, 1, 1), out, false, 0.0f));
    EXPECT_TRUE(Segment(2, 0, 1, 0).Intersect(Segment(1, -1, 1, 1), out, false, 0.0f));

    // Excluded: crossings near any of the four end points, even inside both extents.
    EXPECT_FALSE(Segment(0, 0, 2, 0).Intersect(Segment(1, -1, 1, 0.00001f), out, true, kGeometryEpsilon));
    EXPECT_TRUE(Segment(0, 0, 2, 0).Intersect(Segment(1, -1, 1, 0.0001f), out, true, kGeometryEpsilon));
}

TEST(LineIntersect, ParallelAtTheSlopeTolerance)
{
    const LLine2 a(LVector2(0, 0), LVector2(1, 1), L_LINE_INFINITE);
    LVector2 out(7, 7);
    EXPECT_FALSE(a.Intersect(LLine2(LVector2(0, 1), LVector2(1, 2.00005f), L_LINE_INFINITE), out, false, 1.0f));
    EXPECT_EQ(LVector2(7, 7), out);
    EXPECT_TRUE(a.Intersect(LLine2(LVector2(0, 1), LVector2(1, 2.00006f), L_LINE_INFINITE), out, false, 1.0f));
    EXPECT_NE(LVector2(7, 7), out);
    EXPECT_TRUE(a.IsParallel(LLine2(LVector2(5, 5), LVector2(6, 6.00002f), L_LINE_INFINITE)));
    EXPECT_FALSE(a.IsParallel(LLine2(LVector2(5, 5), LVector2(6, 6.00003f), L_LINE_INFINITE)));
}

TEST(LineIntersect, VerticalBeyondTheSlopeLimit)
{
    const LLine2 horizontal = Segment(-1, 18000, 2, 18000);
    LVector2 out;
    // Slope 36000 still counts as sloped: the true crossing.
    EXPECT_TRUE(LLine2(LVector2(0, 0), LVector2(1, 36000), L_LINE_INFINITE).Intersect(horizontal, out, false, 1e-3f));
    EXPECT_FLOAT_EQ(0.5f, out.x);
    EXPECT_FLOAT_EQ(18000.0f, out.y);
    // Slope 36001 is vertical: the crossing takes the start's x.
    EXPECT_TRUE(LLine2(LVector2(0, 0), LVector2(1, 36001), L_LINE_INFINITE).Intersect(horizontal, out, false, 1e-3f));
    EXPECT_EQ(0.0f, out.x);
    EXPECT_EQ(18000.0f, out.y);

    // A vertical and a horizontal segment meet at the one's x and the other's y, in
    // either order.
    EXPECT_TRUE(Segment(2, -5, 2, 5).Intersect(Segment(-1, 3, 4, 3), out, true, kGeometryEpsilon));
    EXPECT_EQ(LVector2(2, 3), out);
    EXPECT_TRUE(Segment(-1, 3, 4, 3).Intersect(Segment(2, 5, 2, -5), out, true, kGeometryEpsilon));
    EXPECT_EQ(LVector2(2, 3), out);
}

TEST(LineIntersect, RayStartsAtItsStart)
{
    const LLine2 ray(LVector2(0, 0), LVector2(1, 0), L_LINE_RAY);
    LVector2 out;
    EXPECT_FALSE(ray.Intersect(Segment(-1, -1, -1, 1), out, false, kGeometryEpsilon));
    EXPECT_EQ(LVector2(-1, 0), out);
    EXPECT_TRUE(ray.Intersect(Segment(100, -1, 100, 1), out, false, kGeometryEpsilon));
    const LLine2 backwards(LVector2(0, 0), LVector2(-1, 0), L_LINE_RAY);
    EXPECT_TRUE(backwards.Intersect(Segment(-1, -1, -1, 1), out, false, kGeometryEpsilon));
    // An infinite second line ends the test early.
    EXPECT_TRUE(Segment(0, 0, 1, 1).Intersect(LLine2(LVector2(0, 1), LVector2(1, 0), L_LINE_INFINITE), out, true,
                                              kGeometryEpsilon));
}

TEST(LineSetters, SlopeAndDirection)
{
    LLine2 line;
    EXPECT_EQ(1, line.SetFromSlope(LVector2(1, 1), 36000.0f, L_LINE_RAY));
    EXPECT_EQ(LVector2(2, 36001), line.GetEnd());
    EXPECT_EQ(L_LINE_RAY, line.GetType());
    line.SetFromSlope(LVector2(1, 1), 36001.0f, L_LINE_RAY);
    EXPECT_EQ(LVector2(1, 2), line.GetEnd());
    line.SetFromSlope(LVector2(1, 1), 1e-5f, L_LINE_RAY);
    EXPECT_EQ(LVector2(2, 1), line.GetEnd());

    EXPECT_EQ(1, line.SetFromDirection(LVector2(1, 1), LVector2(0, 2), L_LINE_SEGMENT));
    EXPECT_EQ(LVector2(1, 3), line.GetEnd());
    EXPECT_EQ(0, line.SetFromDirection(LVector2(1, 1), LVector2(1e-5f, -1e-5f), L_LINE_INFINITE));
    EXPECT_EQ(LVector2(0, 0), line.GetStart());
    EXPECT_EQ(LVector2(0, 0), line.GetEnd());
    EXPECT_EQ(L_LINE_SEGMENT, line.GetType());

    EXPECT_FLOAT_EQ(2.0f / kGeometryEpsilon, Segment(3, 0, 3, 2).GetSlope());
    EXPECT_FLOAT_EQ(2.0f / kGeometryEpsilon, Segment(3, 0, 3.00001f, 2).GetSlope());
}

TEST(LineDirection, UnitVectorTowardsTheEnd)
{
    LVector2 direction;
    Segment(0, 0, -3, -4).GetDirection(direction);
    EXPECT_NEAR(-0.6f, direction.x, 1e-6f);
    EXPECT_NEAR(-0.8f, direction.y, 1e-6f);
    // A nearly vertical line with a tiny step to the left still points to its end.
    Segment(0, 0, -1e-6f, -1).GetDirection(direction);
    EXPECT_EQ(0.0f, direction.x);
    EXPECT_NEAR(-1.0f, direction.y, 1e-6f);
    Segment(0, 0, -1e-6f, 1).GetDirection(direction);
    EXPECT_NEAR(1.0f, direction.y, 1e-6f);
}

TEST(LinePerpendicular, FootAndDistance)
{
    const LLine2 axis = Segment(0, 0, 1, 0);
    LLine2 perpendicular;
    EXPECT_FALSE(axis.GetPerpendicular(LVector2(5, 3), perpendicular));
    EXPECT_NEAR(5.0f - 3.0f / 36000.0f, perpendicular.GetStart().x, 1e-5f);
    EXPECT_EQ(0.0f, perpendicular.GetStart().y);
    EXPECT_EQ(LVector2(5, 3), perpendicular.GetEnd());
    EXPECT_NEAR(3.0f, axis.GetDistance(LVector2(5, 3)), 1e-5f);

    EXPECT_TRUE(Segment(0, 0, 4, 4).GetPerpendicular(LVector2(0, 4), perpendicular));
    EXPECT_NEAR(2.0f, perpendicular.GetStart().x, 1e-5f);
    EXPECT_NEAR(2.0f, perpendicular.GetStart().y, 1e-5f);
    EXPECT_NEAR(std::sqrt(8.0f), Segment(0, 0, 4, 4).GetDistance(LVector2(0, 4)), 1e-5f);
}

TEST(LineExtent, AlongTheLongerAxisInclusive)
{
    EXPECT_TRUE(LLine2(LVector2(0, 0), LVector2(1, 0), L_LINE_INFINITE).IsWithinExtent(LVector2(-5, 0)));
    const LLine2 steep = Segment(0, 0, 1, 4);
    EXPECT_TRUE(steep.IsWithinExtent(LVector2(1, 4)));
    EXPECT_TRUE(steep.IsWithinExtent(LVector2(0, 0)));
    EXPECT_FALSE(steep.IsWithinExtent(LVector2(0.5f, 4.1f)));
    const LLine2 down(LVector2(0, 0), LVector2(-4, 0), L_LINE_RAY);
    EXPECT_TRUE(down.IsWithinExtent(LVector2(-100, 0)));
    EXPECT_FALSE(down.IsWithinExtent(LVector2(0.1f, 0)));
}

TEST(LineOffset, MovesAlongTheNormal)
{
    LLogCapture log;
    const LLine2 axis = Segment(0, 0, 1, 0);
    LLine2 out;
    EXPECT_EQ(1, axis.Offset(1.0f, 1, out));
    EXPECT_EQ(LVector2(1, -1), out.GetEnd());
    EXPECT_EQ(L_LINE_INFINITE, out.GetType());
    axis.Offset(1.0f, -1, out);
    EXPECT_EQ(LVector2(0, 1), out.GetStart());
    EXPECT_EQ(0, axis.Offset(1.0f, 0, out));
    LVector2 point(5, 5);
    EXPECT_EQ(1, axis.Offset(point, 2.0f, 1));
    EXPECT_EQ(LVector2(5, 3), point);
    EXPECT_EQ(0, axis.Offset(point, 2.0f, 2));
    EXPECT_EQ(2, log.Count("Offset failure. Invalid direction."));
}

TEST(Line3, ExtentAndDirection)
{
    LLine3 line;
    EXPECT_EQ(0, line.SetFromDirection(LVector3(1, 2, 3), LVector3(1e-5f, 0, -1e-5f), L_LINE_SEGMENT));
    EXPECT_EQ(LVector3(0, 0, 0), line.GetEnd());
    EXPECT_EQ(1, line.SetFromDirection(LVector3(0, 0, 0), LVector3(2, -2, 0), L_LINE_SEGMENT));
    EXPECT_TRUE(line.IsWithinExtent(LVector3(1, -1, 0)));
    EXPECT_TRUE(line.IsWithinExtent(LVector3(2, -2, 0)));
    EXPECT_FALSE(line.IsWithinExtent(LVector3(3, -3, 0)));
    EXPECT_FALSE(line.IsWithinExtent(LVector3(-1, 1, 0)));
    line.SetType(L_LINE_RAY);
    EXPECT_TRUE(line.IsWithinExtent(LVector3(3, -3, 0)));
    line.SetType(L_LINE_INFINITE);
    EXPECT_TRUE(line.IsWithinExtent(LVector3(-1, 1, 0)));
}

TEST(LineIntersect, ShortVerticalLinesAreVertical)
{
    // A vertical edge shorter than the vertical slope times the epsilon (about 0.97) has
    // a slope below the limit; it is still crossed in its interior.
    const LLine2 across = Segment(0, 0, 2, 0);
    const LLine2 shortEdge = Segment(1, -0.1f, 1, 0.1f);
    LVector2 out;
    EXPECT_TRUE(across.Intersect(shortEdge, out, true, 0.01f));
    EXPECT_EQ(LVector2(1, 0), out);
    EXPECT_TRUE(shortEdge.Intersect(across, out, true, 0.01f));
    EXPECT_FALSE(Segment(0, 0.2f, 2, 0.2f).Intersect(shortEdge, out, false, 0.01f));
    // A nearly vertical one too.
    EXPECT_TRUE(across.Intersect(Segment(1, -0.1f, 1.00001f, 0.1f), out, true, 0.01f));

    // Two vertical lines are parallel, whatever their lengths.
    out.Set(7, 7);
    EXPECT_FALSE(Segment(1, -0.1f, 1, 0.1f).Intersect(Segment(1, -5, 1, 5), out, false, 0.01f));
    EXPECT_FALSE(Segment(1, -0.1f, 1, 0.1f).Crosses(Segment(3, 0, 3, 0.5f)));
    EXPECT_EQ(LVector2(7, 7), out);
    EXPECT_TRUE(across.Crosses(shortEdge));
}
