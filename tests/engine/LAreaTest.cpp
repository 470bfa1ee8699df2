#include "LBox2.h"
#include "LGeometryConstants.h"
#include "LMatrix4.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

LPolygon Polygon(std::initializer_list<LVector2> aPoints, bool aClosed)
{
    return LPolygon(aPoints.begin(), static_cast<int>(aPoints.size()), aClosed);
}

LPolygon UnitSquare()
{
    return Polygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
}

// x, y, width and height.
std::vector<float> Fields(const LRectangle& aRectangle)
{
    return {aRectangle.GetX(), aRectangle.GetY(), aRectangle.GetWidth(), aRectangle.GetHeight()};
}

std::vector<LVector2> Points(const LVector2* aPoints, int aCount)
{
    return aPoints ? std::vector<LVector2>(aPoints, aPoints + aCount) : std::vector<LVector2>();
}

} // namespace

TEST(PolygonContains, UnitSquareEdgesWithToleranceZero)
{
    const LPolygon square = UnitSquare();
    const LIArea& area = square;
    EXPECT_TRUE(area.ContainsPoint(LVector2(0.5f, 0.5f)));
    EXPECT_FALSE(area.ContainsPoint(LVector2(0.5f, 0.0f))); // bottom edge
    EXPECT_TRUE(area.ContainsPoint(LVector2(0.5f, 1.0f)));  // top edge
    EXPECT_TRUE(area.ContainsPoint(LVector2(0.0f, 0.5f)));  // left edge
    EXPECT_FALSE(area.ContainsPoint(LVector2(1.0f, 0.5f))); // right edge
    EXPECT_FALSE(area.ContainsPoint(LVector2(1.5f, 0.5f)));
}

TEST(PolygonContains, ToleranceBandAndExcludedEdge)
{
    const LPolygon square = UnitSquare();
    EXPECT_FALSE(square.Contains(LVector2(0.5f, 0.0005f), false, 0.001f));
    EXPECT_FALSE(square.Contains(LVector2(0.5f, -0.0005f), false, 0.001f));
    EXPECT_TRUE(square.Contains(LVector2(0.5f, 0.0005f), true, 0.001f));
    EXPECT_TRUE(square.Contains(LVector2(0.5f, -0.0005f), true, 0.001f));
    EXPECT_TRUE(square.Contains(LVector2(0.5f, 0.5f), true, 0.001f));
    // The closing edge counts even for an open polygon.
    const LPolygon open = Polygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, false);
    EXPECT_TRUE(open.ContainsPoint(LVector2(0.5f, 0.5f)));
}

TEST(PolygonContains, FewerThanThreePointsContainNothingAndMultiPolysAskEveryPolygon)
{
    EXPECT_FALSE(Polygon({{0, 0}, {2, 2}}, true).Contains(LVector2(1, 1), false, 10.0f));
    EXPECT_FALSE(LPolygon().ContainsPoint(LVector2(0, 0)));
    const LPolygon degenerate = Polygon({{0, 0}, {5, 5}}, true);
    const LPolygon far = Polygon({{10, 10}, {11, 10}, {11, 11}, {10, 11}}, true);
    const LPolygon square = UnitSquare();
    const LPolygon* polygons[] = {&far, &degenerate, &square};
    EXPECT_TRUE(LPolygon::ContainsMultiPolys(LVector2(0.5f, 0.5f), 3, polygons, false, 0.0f));
    EXPECT_TRUE(LPolygon::ContainsMultiPolys(LVector2(10.5f, 10.5f), 3, polygons, false, 0.0f));
    EXPECT_FALSE(LPolygon::ContainsMultiPolys(LVector2(5, 5), 3, polygons, false, 0.0f));
    EXPECT_FALSE(LPolygon::ContainsMultiPolys(LVector2(0.5f, 0.5f), 2, polygons, false, 0.0f));
    EXPECT_FALSE(LPolygon::ContainsMultiPolys(LVector2(0.5f, 0.5f), 3, nullptr, false, 0.0f));
}

TEST(PolygonEdges, IntersectsWalksEdgesInOrder)
{
    const LPolygon closed = Polygon({{0, 0}, {1, 0}, {1, 1}}, true);
    const LPolygon open = Polygon({{0, 0}, {1, 0}, {1, 1}}, false);
    // Crosses only the closing diagonal.
    const LLine2 acrossDiagonal(LVector2(0.2f, 0.6f), LVector2(0.6f, 0.2f), L_LINE_SEGMENT);
    EXPECT_TRUE(closed.Intersects(acrossDiagonal, true, kGeometryEpsilon));
    EXPECT_FALSE(open.Intersects(acrossDiagonal, true, kGeometryEpsilon));
    // The open polygon's last edge is a segment of no length at (1, 1): it meets a line
    // through that point only within the tolerance, never with end points excluded.
    const LLine2 last = open.GetEdge(2);
    EXPECT_EQ(last.GetStart(), last.GetEnd());
    EXPECT_EQ(LVector2(0, 0), closed.GetEdge(2).GetEnd());
    const LLine2 throughLast(LVector2(0, 2), LVector2(2, 0), L_LINE_SEGMENT);
    LVector2 point;
    EXPECT_TRUE(last.Intersect(throughLast, point, false, kGeometryEpsilon));
    EXPECT_EQ(LVector2(1, 1), point);
    EXPECT_FALSE(last.Intersect(throughLast, point, true, kGeometryEpsilon));
    EXPECT_FALSE(last.Intersect(LLine2(LVector2(0, 2.1f), LVector2(2, 0.1f), L_LINE_SEGMENT), point, false,
                                kGeometryEpsilon));

    const LPolygon* polygons[] = {&open, &closed};
    EXPECT_TRUE(LPolygon::IntersectsMultiPolys(acrossDiagonal, 2, polygons, true, kGeometryEpsilon));
    EXPECT_FALSE(LPolygon::IntersectsMultiPolys(acrossDiagonal, 1, polygons, true, kGeometryEpsilon));
}

TEST(PolygonEdges, IntersectionsHandOutExactlyTheCrossings)
{
    LLogCapture log;
    const LPolygon square = Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
    const LLine2 across(LVector2(-1, 2), LVector2(5, 2), L_LINE_SEGMENT);
    int count = -1;
    LVector2* points = nullptr;
    ASSERT_TRUE(square.Intersections(across, count, points, true));
    EXPECT_EQ((std::vector<LVector2> {{4, 2}, {0, 2}}), Points(points, count)); // edge 1 before edge 3

    // The out array must be null on entry, and is not touched otherwise.
    LVector2* held = points;
    EXPECT_FALSE(square.Intersections(across, count, points, true));
    EXPECT_EQ(held, points);
    delete[] points;
    points = nullptr;

    const LLine2 outside(LVector2(10, 10), LVector2(11, 10), L_LINE_SEGMENT);
    EXPECT_FALSE(square.Intersections(outside, count, points, true));
    EXPECT_EQ(0, count);
    EXPECT_EQ(nullptr, points);
    EXPECT_FALSE(LPolygon().Intersections(across, count, points, true));

    const LPolygon small = UnitSquare() + LVector2(1.5f, 1.5f);
    const LPolygon* polygons[] = {&square, &small};
    ASSERT_TRUE(LPolygon::Intersections_MP(across, 2, polygons, count, points, true));
    EXPECT_EQ((std::vector<LVector2> {{4, 2}, {0, 2}, {2.5f, 2}, {1.5f, 2}}), Points(points, count));
    delete[] points;
    points = nullptr;
    const LPolygon empty;
    const LPolygon* withEmpty[] = {&square, &empty};
    EXPECT_FALSE(LPolygon::Intersections_MP(across, 2, withEmpty, count, points, true));
}

TEST(PolygonEdges, PointsInsideOtherAreas)
{
    LLogCapture log;
    const LPolygon square = Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
    const LPolygon probe = Polygon({{1, 1}, {9, 9}, {2, 3}, {-1, 2}}, false);
    int count = 0;
    LVector2* points = nullptr;
    ASSERT_TRUE(probe.PointsInside(square, count, points));
    EXPECT_EQ((std::vector<LVector2> {{1, 1}, {2, 3}}), Points(points, count));
    delete[] points;
    points = nullptr;

    const LPolygon* polygons[] = {&probe, &probe};
    ASSERT_TRUE(square.PointsInsideMultiPolys(2, polygons, count, points));
    EXPECT_EQ((std::vector<LVector2> {{1, 1}, {2, 3}, {1, 1}, {2, 3}}), Points(points, count));
    delete[] points;
    points = nullptr;

    EXPECT_FALSE(LPolygon().PointsInside(square, count, points));
    EXPECT_FALSE(LPolygon().PointsInsideMultiPolys(2, polygons, count, points));
}

TEST(PolygonSides, SideOfLineAndWinding)
{
    LLogCapture log;
    const LPolygon square = UnitSquare();
    EXPECT_EQ(-1, square.SideOfLine(LVector2(-1, -1), LVector2(5, -1)));
    EXPECT_EQ(1, square.SideOfLine(LLine2(LVector2(5, -1), LVector2(-1, -1), L_LINE_INFINITE)));
    EXPECT_EQ(0, square.SideOfLine(LVector2(-1, 0), LVector2(5, 0))); // two points on the line
    EXPECT_EQ(0, square.SideOfLine(LVector2(-1, 0.5f), LVector2(5, 0.5f)));
    EXPECT_EQ(0, LPolygon().SideOfLine(LVector2(0, 0), LVector2(1, 0)));

    EXPECT_TRUE(square.IsPositiveWinding());
    EXPECT_FALSE(Polygon({{0, 0}, {0, 1}, {1, 1}, {1, 0}}, true).IsPositiveWinding());
}

TEST(PolygonEditing, ConstructionAndEditingRules)
{
    LLogCapture log;
    const LVector2 points[] = {{1, 2}, {3, 4}};
    EXPECT_EQ(0, LPolygon(points, -1, true).GetNumPoints());
    EXPECT_EQ(0, LPolygon(nullptr, 2, true).GetNumPoints());
    LPolygon polygon(points, 2, true);
    EXPECT_TRUE(polygon.AddPoint(5, 6));
    EXPECT_TRUE(polygon.AddPoints(points, 2));
    EXPECT_EQ(LVector2(3, 4), polygon.GetPoint(4));
    EXPECT_FALSE(polygon.AddPoints(nullptr, 1));
    EXPECT_FALSE(polygon.SetPoints(nullptr, 1, false));
    EXPECT_EQ(5, polygon.GetNumPoints());
    EXPECT_TRUE(polygon.IsClosed());
    EXPECT_EQ(LVector2(0, 0), polygon.GetPoint(5));
    EXPECT_EQ(LVector2(0, 0), polygon.GetPoint(-1));
    EXPECT_EQ(2, log.Count("Index out of bounds."));

    // Copies are deep; an empty source gives an open polygon; flat lists ignore an odd
    // last value.
    LPolygon copy(polygon);
    polygon.Translate(LVector2(10, 10));
    EXPECT_EQ(LVector2(1, 2), copy.GetPoint(0));
    copy = LPolygon();
    EXPECT_FALSE(copy.IsClosed());
    LPolygon& alias = polygon;
    polygon = alias;
    EXPECT_EQ(5, polygon.GetNumPoints());
    LVectorFloat list;
    for (float value : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f}) {
        list.Add(value);
    }
    EXPECT_TRUE(polygon.SetPoints(list, false));
    ASSERT_EQ(2, polygon.GetNumPoints());
    EXPECT_EQ(LVector2(3, 4), polygon.GetPoint(1));
    LVectorFloat one;
    one.Add(1.0f);
    EXPECT_FALSE(polygon.SetPoints(one, true));
    EXPECT_EQ(0, polygon.GetNumPoints());
}

TEST(PolygonEditing, CopiesDumpAndTransform)
{
    LLogCapture log;
    LPolygon polygon = Polygon({{1, 2}, {3.5f, -4}}, true);
    LVector2* copy = nullptr;
    ASSERT_TRUE(polygon.GetPointsCopy(&copy));
    EXPECT_EQ(LVector2(3.5f, -4), copy[1]);
    EXPECT_FALSE(polygon.GetPointsCopy(&copy)); // the out pointer must be null
    delete[] copy;
    EXPECT_NE(std::string::npos,
              ToStd(polygon.Dump()).find("> numpoints:2, closed:true, points:,(1.000000,2.000000),(3.500000,-4.000000)]"));

    std::unique_ptr<LIArea> clone(polygon.Clone());
    polygon.Clear();
    LMatrix4 move;
    LMatrix4::Translation(&move, 10, 20, 30);
    clone->Transform(move);
    EXPECT_EQ(LVector2(11, 22), static_cast<LPolygon*>(clone.get())->GetPoint(0));
}

TEST(Rectangle, InclusiveContainmentAndUnion)
{
    const LRectangle rectangle(1, 2, 3, 4);
    EXPECT_TRUE(rectangle.ContainsPoint(LVector2(4, 6)));
    EXPECT_TRUE(rectangle.ContainsPoint(LVector2(1, 2)));
    EXPECT_FALSE(rectangle.ContainsPoint(LVector2(4.01f, 6)));

    LRectangle united;
    rectangle.GetUnion(LRectangle(-1, 5, 1, 10), united);
    EXPECT_EQ((std::vector<float> {-1, 2, 5, 13}), Fields(united));

    LRectangle moved = rectangle + LVector2(2, 2);
    LMatrix4 scale;
    LMatrix4::Scaling(&scale, 2, 2, 2);
    moved.Transform(scale);
    EXPECT_EQ((std::vector<float> {6, 8, 3, 4}), Fields(moved));
}

TEST(Rectangle, FromPolygonsAndBack)
{
    const LRectangle bounds(Polygon({{3, -1}, {-2, 4}, {0, 0}}, false));
    EXPECT_EQ((std::vector<float> {-2, -1, 5, 5}), Fields(bounds));
    // A polygon without points has an empty bounding rectangle (and an empty box).
    EXPECT_EQ((std::vector<float> {0, 0, 0, 0}), Fields(LRectangle(LPolygon())));
    EXPECT_TRUE(LBox2(LPolygon()).IsEmpty());

    const LPolygon corners(LRectangle(1, 2, 3, 4));
    EXPECT_TRUE(corners.IsClosed());
    EXPECT_EQ((std::vector<LVector2> {{1, 2}, {4, 2}, {4, 6}, {1, 6}}), Points(corners.GetPoints(), corners.GetNumPoints()));
}
