#include "LPlane.h"
#include "LSpline.h"
#include "memory/LMemoryManager.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

TEST(Spline, SamplesOneHundredAndOnePointsOfTheBezierCurve)
{
    const LVector3 p0(0, 0, 0), p1(0, 2, 1), p2(3, 2, -1), p3(3, 0, 0);
    LSpline spline;
    ASSERT_EQ(1, spline.Set(p0, p1, p2, p3));
    EXPECT_EQ(100, spline.GetNumSteps());
    LVector3* points = nullptr;
    ASSERT_EQ(1, spline.GetPoints(&points));
#ifdef L_TRACK_ALLOC
    EXPECT_EQ(static_cast<uint32_t>(101 * sizeof(LVector3)), LMemoryManager::GetSize(points));
#endif
    for (int k : {0, 13, 50, 77, 100}) {
        const float t = k / 100.0f;
        const float u = 1.0f - t;
        const LVector3 expected = p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
        EXPECT_TRUE(expected.Equals(points[k], 1e-4f)) << k;
    }
    delete[] points;
    points = nullptr;

    // A copy keeps the old control points when the original takes new ones.
    LSpline copy(spline);
    spline.Set(p3, p2, p1, p0);
    ASSERT_EQ(1, copy.GetPoints(&points));
    EXPECT_TRUE(points[100].Equals(p3, 1e-4f));
    delete[] points;
}

TEST(Spline, RefusesBadOutAndUnsetSpline)
{
    LLogCapture log;
    LSpline spline;
    LVector3* points = nullptr;
    EXPECT_EQ(0, spline.GetPoints(&points)); // never set
    EXPECT_EQ(nullptr, points);
    spline.Set(LVector3(0, 0, 0), LVector3(1, 1, 1), LVector3(2, 2, 2), LVector3(3, 3, 3));
    LVector3 held;
    points = &held;
    EXPECT_EQ(0, spline.GetPoints(&points));
    EXPECT_EQ(&held, points);
    EXPECT_EQ(0, spline.GetPoints(nullptr));
    spline.Clear();
    points = nullptr;
    EXPECT_EQ(0, spline.GetPoints(&points));
    EXPECT_EQ(nullptr, points);
}

TEST(Plane, FromPointsAndNormal)
{
    LPlane plane;
    plane.SetFromPoints(LVector3(0, 0, 0), LVector3(0, 0, 1), LVector3(1, 0, 0));
    EXPECT_EQ(LVector3(0, -1, 0), plane.GetNormal());
    EXPECT_EQ(0.0f, plane.d);

    plane.SetFromNormal(LVector3(0, 5, 0), LVector3(0, 3, 0));
    EXPECT_EQ(LVector3(0, 1, 0), plane.GetNormal());
    EXPECT_EQ(-5.0f, plane.d);
    // Too short to normalise: straight up.
    plane.SetFromNormal(LVector3(0, 0, 2), LVector3(0.001f, 0, 0));
    EXPECT_EQ(LVector3(0, 1, 0), plane.GetNormal());
    plane.SetFromPoints(LVector3(1, 1, 1), LVector3(1, 1, 1), LVector3(1, 1, 1));
    EXPECT_EQ(LVector3(0, 1, 0), plane.GetNormal());
}

TEST(Plane, IntersectRespectsTheLineType)
{
    LPlane ground;
    ground.SetFromNormal(LVector3(0, 0, 0), LVector3(0, 1, 0));
    LVector3 out;
    EXPECT_TRUE(ground.Intersect(LLine3(LVector3(1, 2, 3), LVector3(1, 1, 3), L_LINE_RAY), out));
    EXPECT_EQ(LVector3(1, 0, 3), out);
    EXPECT_FALSE(ground.Intersect(LLine3(LVector3(1, 2, 3), LVector3(1, 1, 3), L_LINE_SEGMENT), out));
    EXPECT_EQ(LVector3(1, 0, 3), out); // the point on the supporting line all the same
    EXPECT_FALSE(ground.Intersect(LLine3(LVector3(1, 2, 3), LVector3(1, 3, 3), L_LINE_RAY), out));
    EXPECT_TRUE(ground.Intersect(LLine3(LVector3(1, 2, 3), LVector3(1, 3, 3), L_LINE_INFINITE), out));
    out.Set(7, 7, 7);
    EXPECT_FALSE(ground.Intersect(LLine3(LVector3(0, 1, 0), LVector3(5, 1, 5), L_LINE_INFINITE), out));
    EXPECT_EQ(LVector3(7, 7, 7), out);
}

TEST(TriangleIntersect, SegmentsThroughAndShortOfTheTriangle)
{
    const LVector3 a(0, 0, 0), b(0, 0, 1), c(1, 0, 0);
    LVector3 out;
    EXPECT_TRUE(IntersectLineTriangle(LLine3(LVector3(0.2f, 1, 0.2f), LVector3(0.2f, -1, 0.2f), L_LINE_SEGMENT), a,
                                      b, c, out));
    EXPECT_TRUE(out.Equals(LVector3(0.2f, 0, 0.2f), 1e-6f));
    EXPECT_FALSE(IntersectLineTriangle(LLine3(LVector3(0.2f, 1, 0.2f), LVector3(0.2f, 0.5f, 0.2f), L_LINE_SEGMENT),
                                       a, b, c, out));
    // Beside the triangle (beyond its long edge).
    EXPECT_FALSE(IntersectLineTriangle(LLine3(LVector3(0.8f, 1, 0.8f), LVector3(0.8f, -1, 0.8f), L_LINE_SEGMENT), a,
                                       b, c, out));
    // Parallel to the plane, even lying in it.
    EXPECT_FALSE(IntersectLineTriangle(LLine3(LVector3(-1, 0, 0.2f), LVector3(2, 0, 0.2f), L_LINE_INFINITE), a, b, c,
                                       out));
    // A degenerate triangle contains nothing.
    EXPECT_FALSE(IntersectLineTriangle(LLine3(LVector3(0, 1, 0), LVector3(0, -1, 0), L_LINE_INFINITE), a, a, a, out));
}

TEST(TriangleIntersect, DropsTheLargestNormalAxis)
{
    // A triangle upright in the x = 2 plane is tested in (y, z); one facing z in (x, y).
    const LVector3 p1(2, 0, 0), p2(2, 0, 4), p3(2, 4, 0);
    LVector3 out;
    EXPECT_TRUE(
        IntersectLineTriangle(LLine3(LVector3(0, 1, 1), LVector3(1, 1, 1), L_LINE_RAY), p1, p2, p3, out));
    EXPECT_TRUE(out.Equals(LVector3(2, 1, 1), 1e-6f));
    EXPECT_FALSE(
        IntersectLineTriangle(LLine3(LVector3(0, 3, 3), LVector3(1, 3, 3), L_LINE_RAY), p1, p2, p3, out));
    EXPECT_TRUE(IntersectLineTriangle(LLine3(LVector3(0.5f, 0.5f, 9), LVector3(0.5f, 0.5f, 8), L_LINE_RAY),
                                      LVector3(0, 0, 1), LVector3(0, 2, 1), LVector3(2, 0, 1), out));
    EXPECT_TRUE(out.Equals(LVector3(0.5f, 0.5f, 1), 1e-6f));
}
