#include "Gdi/LRenderer.h"
#include "Gdi/LSBezier.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSRectangle.h"
#include "LRectangle.h"
#include "LVector3.h"
#include "Render/LVertexBuffer.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTexture.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

namespace {
float Coordinate(LVertexBuffer* aBuffer, int aVertex, int aAxis)
{
    return static_cast<const float*>(aBuffer->GetVertex(aVertex))[aAxis];
}
} // namespace

TEST(ShapeRectangle, StrokeAndFillGeometry)
{
    RegisterFakeRender();
    LSRectangle shape;
    shape.SetRect(LRectangle(10.0f, 20.0f, 30.0f, 40.0f));
    ASSERT_TRUE(shape.UpdateShape());
    LVertexBuffer* stroke = shape.GetStrokeVertexBuffer();
    ASSERT_NE(nullptr, stroke);
    EXPECT_EQ(5, stroke->GetVertexCount());
    EXPECT_EQ(4, shape.GetSegmentCount());
    EXPECT_EQ(0, shape.GetTriangleCount());
    EXPECT_FLOAT_EQ(40.0f, Coordinate(stroke, 1, 0));
    EXPECT_FLOAT_EQ(-60.0f, Coordinate(stroke, 2, 1));
    EXPECT_FLOAT_EQ(-20.0f, Coordinate(stroke, 4, 1));
    // Nothing changed: nothing to rebuild.
    EXPECT_FALSE(shape.UpdateShape());
    shape.SetFilled(true);
    shape.InvalidateShape();
    ASSERT_TRUE(shape.UpdateShape());
    EXPECT_EQ(6, shape.GetFillVertexBuffer()->GetVertexCount());
    EXPECT_EQ(2, shape.GetTriangleCount());
}

TEST(ShapeRectangle, DrawsFillThenOutline)
{
    RegisterFakeRender();
    LRenderer* renderer = LRenderer::Get();
    LSRectangle shape;
    shape.SetRect(LRectangle(0.0f, 0.0f, 8.0f, 8.0f));
    shape.SetFilled(true);
    shape.SetFillColor(LColor(0.5f, 1.0f, 0.0f, 0.0f));
    shape.SetBlend(0.5f);
    LFakeRasterizer::Instance()->Reset();
    ASSERT_TRUE(shape.Render(renderer));
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(2u, draws.size());
    EXPECT_EQ(LIRasterizer::kTriangleList, draws[0].mPrimitive);
    EXPECT_EQ(2, draws[0].mPrimitiveCount);
    EXPECT_EQ(shape.GetFillTexture(), draws[0].mTexture);
    EXPECT_EQ(LIRasterizer::kLineStrip, draws[1].mPrimitive);
    EXPECT_EQ(4, draws[1].mPrimitiveCount);
    EXPECT_EQ(shape.GetStrokeTexture(), draws[1].mTexture);
    EXPECT_FLOAT_EQ(0.5f, draws[1].mBlendFactor);
    // The fill colour's pixel: alpha 0.5 becomes 127; bytes blue, green, red, alpha.
    const LFakeTexture* fill = static_cast<const LFakeTexture*>(shape.GetFillTexture());
    ASSERT_EQ(4u, fill->Pixels().size());
    EXPECT_EQ(0, fill->Pixels()[0]);
    EXPECT_EQ(255, fill->Pixels()[2]);
    EXPECT_EQ(127, fill->Pixels()[3]);
}

TEST(ShapePolygon, ClosedPolygonsReturnToTheirFirstPoint)
{
    RegisterFakeRender();
    const LVector2 points[4] = {LVector2(0.0f, 0.0f), LVector2(10.0f, 0.0f), LVector2(10.0f, 10.0f),
                                LVector2(0.0f, 10.0f)};
    LSPolygon shape;
    EXPECT_FALSE(shape.UpdateShape());
    shape.SetPolygon(points, 4, true);
    ASSERT_TRUE(shape.UpdateShape());
    EXPECT_EQ(5, shape.GetStrokeVertexBuffer()->GetVertexCount());
    EXPECT_FLOAT_EQ(-10.0f, Coordinate(shape.GetStrokeVertexBuffer(), 2, 1));
    shape.SetPolygon(points, 4, false);
    shape.SetFilled(true);
    ASSERT_TRUE(shape.UpdateShape());
    EXPECT_EQ(4, shape.GetStrokeVertexBuffer()->GetVertexCount());
    // A polygon has no fill, even when filled is set.
    EXPECT_EQ(nullptr, shape.GetFillVertexBuffer());
}

TEST(ShapeBezier, SegmentsAndSamples)
{
    RegisterFakeRender();
    LLogCapture log;
    LVector2 points[8];
    for (int i = 0; i < 8; ++i) {
        points[i] = LVector2(static_cast<float>(i * 10), static_cast<float>(i % 2 * 5));
    }
    LSBezier joined;
    ASSERT_TRUE(joined.Create(7, points, true));
    EXPECT_EQ(2, joined.GetSplineCount());
    ASSERT_TRUE(joined.UpdateShape());
    EXPECT_EQ(201, joined.GetStrokeVertexBuffer()->GetVertexCount());
    EXPECT_EQ(200, joined.GetSegmentCount());
    EXPECT_NEAR(60.0f, Coordinate(joined.GetStrokeVertexBuffer(), 200, 0), 1e-3f);
    LVector3* control = nullptr;
    int count = 0;
    ASSERT_TRUE(joined.GetControlPoints(&control, &count));
    EXPECT_EQ(7, count);
    EXPECT_FLOAT_EQ(60.0f, control[6].x);
    delete[] control;
    LVector3* path = nullptr;
    ASSERT_TRUE(joined.GetPathPoints(&path, &count));
    EXPECT_EQ(202, count);
    delete[] path;

    LSBezier separate;
    ASSERT_TRUE(separate.Create(8, points, false));
    EXPECT_EQ(2, separate.GetSplineCount());
    EXPECT_FALSE(separate.Create(5, points, false));
    EXPECT_FALSE(separate.Create(5, points, true));
    EXPECT_EQ(2, log.Count("Create failure. Bad point count."));
    EXPECT_EQ(2, separate.GetSplineCount());
}

TEST(ShapeBezier, NoSegmentsDrawNothing)
{
    RegisterFakeRender();
    LRenderer* renderer = LRenderer::Get();
    LSBezier empty;
    // Zero separate points pass the count test and make no segment.
    ASSERT_TRUE(empty.Create(0, static_cast<const LVector2*>(nullptr), false));
    LVector2 one(1.0f, 1.0f);
    ASSERT_TRUE(empty.Create(1, &one, true));
    EXPECT_EQ(0, empty.GetSplineCount());
    EXPECT_TRUE(empty.UpdateShape());
    EXPECT_EQ(nullptr, empty.GetStrokeVertexBuffer());
    LFakeRasterizer::Instance()->Reset();
    EXPECT_FALSE(empty.Render(renderer));
    EXPECT_TRUE(LFakeRasterizer::Instance()->Draws().empty());
}
