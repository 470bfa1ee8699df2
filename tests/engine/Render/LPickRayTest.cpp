#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMesh.h"
#include "Render/LPickRay.h"
#include "Render/LShadowVolume.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestModels.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

void ExpectVector(const LVector3& aExpected, const LVector3& aActual)
{
    EXPECT_NEAR(aExpected.x, aActual.x, 1e-4f);
    EXPECT_NEAR(aExpected.y, aActual.y, 1e-4f);
    EXPECT_NEAR(aExpected.z, aActual.z, 1e-4f);
}

// A square of edge 2 about the z axis at depth aZ, facing the origin.
LMesh* Square(float aZ)
{
    return LTestModels::StaticMesh({-1, -1, aZ, 1, -1, aZ, 1, 1, aZ, -1, 1, aZ}, {0, 1, 2, 0, 2, 3});
}

LMatrix4 Moved(float aX, float aY, float aZ)
{
    return LMatrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, aX, aY, aZ, 1);
}

class PickRayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        ASSERT_NE(nullptr, LIRasterizer::Get());
        mFake = LFakeRasterizer::Instance();
        ASSERT_NE(nullptr, mFake);
        mFake->SetViewport(0, 0, 800, 600, 0.0f, 1.0f);
        // Made after the fakes: the camera takes the rasterizer when it is made.
        mCamera = std::make_unique<LCamera>();
    }

    LFakeRasterizer* mFake = nullptr;
    std::unique_ptr<LCamera> mCamera;
};

} // namespace

TEST_F(PickRayTest, ScreenPointsGiveViewSpaceDirectionsThroughTheProjection)
{
    const LMatrix4& projection = *mCamera->GetProjectionMatrix();
    const float x = 1.0f / projection[0];
    const float y = 1.0f / projection[5];
    const struct
    {
        int mX;
        int mY;
        LVector3 mDirection;
    } cases[] = {
        {400, 300, {0.0f, 0.0f, 1.0f}}, {0, 300, {-x, 0.0f, 1.0f}}, {800, 300, {x, 0.0f, 1.0f}},
        {400, 0, {0.0f, y, 1.0f}},      {400, 600, {0.0f, -y, 1.0f}}, {0, 0, {-x, y, 1.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mX << "," << c.mY);
        LPickRay ray(mCamera.get(), c.mX, c.mY);
        EXPECT_EQ(LPickRay::kViewSpace, ray.GetSpace());
        ExpectVector(LVector3(0, 0, 0), ray.GetOrigin());
        ExpectVector(c.mDirection, ray.GetDirection());
    }
    // The viewport's corner is not subtracted: pixels count from it.
    mFake->SetViewport(100, 50, 800, 600, 0.0f, 1.0f);
    LPickRay centre(mCamera.get(), 400, 300);
    ExpectVector(LVector3(0, 0, 1), centre.GetDirection());
}

TEST_F(PickRayTest, TransformMovesTheRayIntoWorldSpaceWithAUnitDirection)
{
    mCamera->SetPosition(10.0f, 0.0f, 0.0f);
    LPickRay ray(mCamera.get(), 0, 300);
    const LVector3 view = ray.GetDirection();
    LPickRay world(nullptr);
    ASSERT_TRUE(ray.Transform(world));
    EXPECT_EQ(LPickRay::kWorldSpace, world.GetSpace());
    EXPECT_EQ(mCamera.get(), world.GetCamera());
    ExpectVector(LVector3(10, 0, 0), world.GetOrigin());
    // Looking down −x: view x runs along world +z, view z along world −x.
    const float length = view.Length();
    ExpectVector(LVector3(-1.0f / length, 0.0f, view.x / length), world.GetDirection());
    EXPECT_NEAR(1.0f, world.GetDirection().Length(), 1e-5f);

    // A world-space ray is copied as it stands.
    LPickRay again(nullptr);
    ASSERT_TRUE(world.Transform(again));
    EXPECT_EQ(world.GetOrigin(), again.GetOrigin());
    EXPECT_EQ(world.GetDirection(), again.GetDirection());
    EXPECT_EQ(LPickRay::kWorldSpace, again.GetSpace());
}

TEST_F(PickRayTest, WithoutACameraOrAViewportNothingIsCalculated)
{
    LLogCapture log;
    LPickRay orphan(nullptr, 400, 300);
    EXPECT_TRUE(log.Contains("LPickRay(): NULL arg."));
    EXPECT_FALSE(orphan.CalculateRay(10, 10));
    ExpectVector(LVector3(0, 0, 0), orphan.GetDirection());
    LPickRay world(mCamera.get(), 400, 300);
    ASSERT_TRUE(world.Transform(world));
    EXPECT_FALSE(orphan.Transform(world));
    EXPECT_EQ(mCamera.get(), world.GetCamera());
    EXPECT_FALSE(log.Contains("CalculateRay failure."));

    // A failed or empty viewport is a logged failure and leaves the ray alone.
    LPickRay ray(mCamera.get(), 0, 0);
    const LVector3 before = ray.GetDirection();
    mFake->SetResult(0);
    EXPECT_FALSE(ray.CalculateRay(400, 300));
    mFake->SetResult(1);
    mFake->SetViewport(0, 0, 0, 600, 0.0f, 1.0f);
    EXPECT_FALSE(ray.CalculateRay(400, 300));
    EXPECT_EQ(2, log.Count("CalculateRay failure."));
    EXPECT_EQ(before, ray.GetDirection());
}

TEST_F(PickRayTest, PickFindsTheNearestTriangleOfTheElementInFrameWorlds)
{
    LLogCapture log;
    LPickRay ray(mCamera.get(), 400, 300);
    LPickRay world(nullptr);
    ASSERT_TRUE(ray.Transform(world));
    LVector3 hit(7, 7, 7);
    EXPECT_FALSE(world.Pick(nullptr, hit));
    EXPECT_TRUE(log.Contains("Pick failure. NULL arg."));

    // Frame order: a far square, a near one moved into place by its world matrix and one
    // behind the eye, which a ray bounded at its origin does not reach.
    LFrame* root = LTestModels::Frame("far", LMatrix4(), Square(20.0f));
    LFrame* near = LTestModels::Frame("near", LMatrix4(), Square(0.0f), Moved(0.0f, 0.0f, 5.0f));
    LFrame* behind = LTestModels::Frame("behind", LMatrix4(), Square(-12.0f));
    root->SetFirstChild(near);
    near->SetNextSibling(behind);
    LDrawElement element;
    ASSERT_TRUE(element.SetRoot(root));
    ASSERT_TRUE(world.Pick(&element, hit));
    ExpectVector(LVector3(0, 0, 5), hit);

    // Off to the side nothing is hit and the point is left alone.
    LPickRay side(mCamera.get(), 0, 0);
    LPickRay sideWorld(nullptr);
    side.Transform(sideWorld);
    hit = LVector3(7, 7, 7);
    EXPECT_FALSE(sideWorld.Pick(&element, hit));
    EXPECT_EQ(LVector3(7, 7, 7), hit);
}

TEST_F(PickRayTest, SixteenBitMeshesArePickedDrawnAndShadowedAtVerticesPast32767)
{
    // One triangle of vertices 0, 1 and 40,000 in front of the eye; the others lie behind it.
    std::vector<float> positions(40001 * 3, -50.0f);
    const float corners[3][3] = {{-1, -1, 10}, {1, -1, 10}, {0, 2, 10}};
    std::copy(corners[0], corners[0] + 6, positions.begin());
    std::copy(corners[2], corners[2] + 3, positions.end() - 3);
    LFakeDeviceCaps::sMaxVertexIndex = 0xFFFF;
    LDrawElement built;
    LMesh* big = LTestModels::StaticMesh(positions, {0, 1, 40000});
    ASSERT_TRUE(built.SetRoot(LTestModels::Frame("big", LMatrix4(), big)));
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, LTestModels::TreeBytes(built));
    LLogCapture log;
    LDrawElement element;
    ASSERT_TRUE(element.Read(&in));
    LMesh* mesh = element.GetMesh(0);
    ASSERT_NE(nullptr, mesh);
    ASSERT_EQ(1, mesh->GetIndexBuffer()->GetIndexFormat());

    LPickRay ray(mCamera.get(), 400, 300);
    LPickRay world(nullptr);
    ASSERT_TRUE(ray.Transform(world));
    LVector3 hit;
    ASSERT_TRUE(world.Pick(&element, hit));
    ExpectVector(LVector3(0, 0, 10), hit);

    mFake->Reset();
    ASSERT_EQ(1, mesh->Render());
    ASSERT_EQ(1u, mFake->Draws().size());
    EXPECT_EQ((std::vector<int> {0, 1, 40000}), mFake->Draws()[0].mIndices);

    LShadowVolume volume;
    ASSERT_TRUE(volume.Create(LString("big"), mesh));
    EXPECT_EQ(1, volume.GetFaceCount());
    EXPECT_FALSE(log.Contains("not drawn"));
}
