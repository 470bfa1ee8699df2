#include "LGeometryConstants.h"
#include "LPolygon.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

namespace {

LPolygon Box(float aLeft, float aBottom, float aRight, float aTop)
{
    const LVector2 points[] = {{aLeft, aBottom}, {aRight, aBottom}, {aRight, aTop}, {aLeft, aTop}};
    return LPolygon(points, 4, true);
}

constexpr float kRouteTolerance = 0.01f;

void ExpectNear(const LVector2& aExpected, const LVector2& aActual)
{
    EXPECT_NEAR(aExpected.x, aActual.x, 1e-4f);
    EXPECT_NEAR(aExpected.y, aActual.y, 1e-4f);
}

} // namespace

TEST(VisiblePoint, UnobstructedEndWinsAtOnce)
{
    const LVector2 from(0, 0);
    const LLine2 target(LVector2(0, 4), LVector2(4, 0), L_LINE_SEGMENT);
    LVector2 out;
    EXPECT_TRUE(LPolygon::FindVisiblePoint_MP(from, target, 0, nullptr, out, kRouteTolerance));
    EXPECT_EQ(LVector2(4, 0), out);

    const LPolygon faraway = Box(10, 10, 11, 11);
    out.Set(0, 0);
    EXPECT_TRUE(faraway.FindVisiblePoint(from, target, out, kRouteTolerance));
    EXPECT_EQ(LVector2(4, 0), out);
}

TEST(VisiblePoint, StartWhenNothingFartherIsVisible)
{
    // A wall hides the end; its corners lie on the line from the walker to the start, so
    // the only candidate left is the start itself.
    const LVector2 from(0, 0);
    const LLine2 target(LVector2(0, 4), LVector2(4, 4), L_LINE_SEGMENT);
    const LPolygon wall = Box(0, 1.9f, 10, 2.1f);
    const LPolygon* polygons[] = {&wall};
    LVector2 out;
    EXPECT_TRUE(LPolygon::FindVisiblePoint_MP(from, target, 1, polygons, out, kRouteTolerance));
    EXPECT_EQ(LVector2(0, 4), out);
}

TEST(VisiblePoint, NothingVisibleLeavesOut)
{
    // The walker stands behind a long wall that hides the whole target.
    const LVector2 from(0, 0);
    const LLine2 target(LVector2(-5, 4), LVector2(5, 4), L_LINE_SEGMENT);
    const LPolygon wall = Box(-100, 1.9f, 100, 2.1f);
    const LPolygon* polygons[] = {&wall};
    LVector2 out(7, 7);
    EXPECT_FALSE(LPolygon::FindVisiblePoint_MP(from, target, 1, polygons, out, kRouteTolerance));
    EXPECT_EQ(LVector2(7, 7), out);
}

TEST(VisiblePoint, LastVisibleCandidateIsTheResult)
{
    // A small block hides the end. The start is visible, but so is the point where the
    // sight line over the block's near top corner meets the target: found later, it wins.
    const LVector2 from(0, 0);
    const LLine2 target(LVector2(0, 4), LVector2(4, 0), L_LINE_SEGMENT);
    const LPolygon block = Box(3, -0.5f, 3.4f, 0.3f);
    LVector2 out;
    EXPECT_TRUE(block.FindVisiblePoint(from, target, out, kRouteTolerance));
    ExpectNear(LVector2(4.0f / 1.1f, 0.4f / 1.1f), out);
}

TEST(VisiblePoint, CrossingBeyondTheStartIsIgnored)
{
    // An infinite target: a block around the end, and one that the line meets beyond the
    // start. The crossing on the block's near face is reachable; the one beyond the start
    // (also reachable, and found later) is dropped once a visible point is known.
    const LVector2 from(0, 0);
    const LLine2 target(LVector2(0, 4), LVector2(4, 0), L_LINE_INFINITE);
    const LPolygon aroundEnd = Box(3.6f, -0.5f, 4.6f, 0.5f);
    const LPolygon beyondStart = Box(-3, 5.5f, -1, 6.5f);
    const LPolygon* polygons[] = {&aroundEnd, &beyondStart};
    LVector2 out;
    EXPECT_TRUE(LPolygon::FindVisiblePoint_MP(from, target, 2, polygons, out, kRouteTolerance));
    ExpectNear(LVector2(3.6f, 0.4f), out);
}

TEST(PolygonOffset, GrowsAndShrinksSquares)
{
    const LPolygon unit = Box(0, 0, 1, 1);
    ASSERT_TRUE(unit.IsPositiveWinding());
    LPolygon grown;
    unit.GetOffset(1.0f, grown);
    ASSERT_EQ(4, grown.GetNumPoints());
    EXPECT_TRUE(grown.IsClosed());
    ExpectNear(LVector2(-1, -1), grown.GetPoint(0));
    ExpectNear(LVector2(2, 2), grown.GetPoint(2));

    LPolygon shrunk;
    Box(0, 0, 4, 4).GetOffset(-1.0f, shrunk);
    ASSERT_EQ(4, shrunk.GetNumPoints());
    ExpectNear(LVector2(1, 1), shrunk.GetPoint(0));
    ExpectNear(LVector2(3, 3), shrunk.GetPoint(2));

    // Negative winding: the normals turn with the edges, so a positive distance still
    // grows; the closed flag is kept.
    const LVector2 clockwise[] = {{0, 0}, {0, 4}, {4, 4}, {4, 0}};
    LPolygon outward;
    LPolygon(clockwise, 4, false).GetOffset(1.0f, outward);
    ExpectNear(LVector2(-1, -1), outward.GetPoint(0));
    ExpectNear(LVector2(-1, 5), outward.GetPoint(1));
    EXPECT_FALSE(outward.IsClosed());
}

TEST(PolygonOffset, CollinearPointsAndDegenerateInput)
{
    // The middle point of the bottom edge moves straight out.
    const LVector2 points[] = {{0, 0}, {2, 0}, {4, 0}, {4, 4}, {0, 4}};
    LPolygon grown;
    LPolygon(points, 5, true).GetOffset(1.0f, grown);
    ASSERT_EQ(5, grown.GetNumPoints());
    ExpectNear(LVector2(2, -1), grown.GetPoint(1));
    ExpectNear(LVector2(5, -1), grown.GetPoint(2));

    LPolygon out = Box(0, 0, 1, 1);
    Box(0, 0, 1, 1).GetOffset(0.0f, out);
    EXPECT_EQ(0, out.GetNumPoints());
    out = Box(0, 0, 1, 1);
    LPolygon(points, 2, true).GetOffset(1.0f, out);
    EXPECT_EQ(0, out.GetNumPoints());
}

TEST(CornerBisector, HalvesTheCorner)
{
    const LVector2 points[] = {{0, 1}, {0, 0}, {2, 0}};
    const LPolygon corner(points, 3, false);
    LLine2 out(LVector2(9, 9), LVector2(9, 9), L_LINE_RAY);
    EXPECT_TRUE(corner.GetCornerBisector(1, out));
    EXPECT_EQ(LVector2(0, 0), out.GetStart());
    ExpectNear(LVector2(0.5f, 0.5f), out.GetEnd());
    EXPECT_EQ(L_LINE_RAY, out.GetType());
    EXPECT_FALSE(corner.GetCornerBisector(3, out));
    EXPECT_FALSE(corner.GetCornerBisector(-1, out));
    EXPECT_EQ(LVector2(0, 0), out.GetStart());

    // Repeated points: no division by a zero length.
    const LVector2 repeated[] = {{1, 1}, {1, 1}, {1, 1}};
    EXPECT_TRUE(LPolygon(repeated, 3, true).GetCornerBisector(0, out));
    EXPECT_EQ(LVector2(1, 1), out.GetEnd());
}
