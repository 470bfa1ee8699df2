// Clicks on the walk location through the recording rasterizer's 800 x 600 viewport: a
// click on the floor walks or runs the player there, a click that meets no ground (the
// sky, ground too far along the ray, no picking tree, no camera) leaves it standing.
#include "ui/GMPicker.h"

#include "LVector2.h"

#include "LVector3.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LNavigationTDO.h"
#include "Render/LSteeringTDO.h"
#include "container/LPropertyList.h"
#include "scene/GMNavigation.h"
#include "support/GMTestRoots.h"
#include "support/GMTestWalkScene.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class PickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        ASSERT_NE(nullptr, LIRasterizer::Get());
        ASSERT_NE(nullptr, LFakeRasterizer::Instance());
        LFakeRasterizer::Instance()->SetViewport(0, 0, 800, 600, 0.0f, 1.0f);
        ASSERT_TRUE(mRoots.Mounted());
        GMTestWalkScene::Write(mRoots);
        mNavigation = GMNavigation::GetInstance();
        ASSERT_NE(nullptr, mNavigation);
        ASSERT_TRUE(mNavigation->SetSceneData(LString(GMTestWalkScene::kFolder), mDepth.get(), mScene.get(),
                                              LString("vp01")));
        // Level with the floor's middle at eye height 50, looking along +z.
        mCamera = std::make_unique<LCamera>();
        mCamera->SetPosition(150.0f, 50.0f, -50.0f);
        mCamera->SetTarget(150.0f, 50.0f, 50.0f);
    }

    void TearDown() override { mNavigation->Reset(); }

    bool Walking() const { return mNavigation->GetSteering()->IsEnabled(); }
    const LVector3& Target() const { return *mNavigation->GetNavigation()->GetTarget(); }

    LTestCharacters::FakeTimeFirst mTime;
    GMTestRoots mRoots;
    LLogCapture mLog;
    GMNavigation* mNavigation = nullptr;
    std::unique_ptr<LDrawElement> mDepth {GMTestWalkScene::DepthMesh()};
    std::unique_ptr<LPropertyList> mScene {GMTestWalkScene::SceneData()};
    std::unique_ptr<LCamera> mCamera;
};

} // namespace

TEST_F(PickerTest, AClickOnTheFloorWalksThereAndADoubleClickRuns)
{
    GMPicker picker(mCamera.get(), mNavigation);
    EXPECT_EQ(mCamera.get(), picker.GetCamera());
    // The bottom row looks down at 22.5 degrees: the floor 50 below is met about 121 ahead.
    ASSERT_TRUE(picker.Pick(400, 599, false));
    EXPECT_TRUE(Walking());
    EXPECT_EQ(GMNavigation::kMoveWalk, mNavigation->GetSteering()->GetMoveIndex());
    EXPECT_NEAR(150.0f, Target().x, 0.5f);
    EXPECT_NEAR(71.0f, Target().y, 1.0f);
    EXPECT_NEAR(0.0f, GMPicker::GetLastHit().y, 1e-3f);
    EXPECT_EQ(LVector2(Target().x, Target().y), mNavigation->GetWalkTarget());

    ASSERT_TRUE(picker.Pick(400, 599, true));
    EXPECT_EQ(GMNavigation::kMoveRun, mNavigation->GetSteering()->GetMoveIndex());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PickerTest, AClickThatMeetsNoGroundLogsTwiceAndLeavesThePlayerStanding)
{
    struct Case
    {
        const char* mName;
        bool mCamera;
        bool mTree;
        int mY;
    };
    const Case cases[] = {{"above the horizon", true, true, 0},
                          {"no picking tree", true, false, 599},
                          {"no camera", false, true, 599}};
    for (const Case& c : cases) {
        if (!c.mTree) {
            mNavigation->Reset();
        }
        mLog.Clear();
        GMPicker picker(c.mCamera ? mCamera.get() : nullptr, mNavigation);
        EXPECT_FALSE(picker.Pick(400, c.mY, false)) << c.mName;
        EXPECT_EQ(2, mLog.Count("Pick failure.")) << c.mName;
        EXPECT_EQ(c.mCamera ? 0 : 1, mLog.Count("GMPicker: NULL arg.")) << c.mName;
        if (mNavigation->GetSteering() != nullptr) {
            EXPECT_FALSE(Walking()) << c.mName;
        }
    }
}

TEST_F(PickerTest, GroundFartherThanTheLimitAlongTheRayIsAMiss)
{
    for (float height : {9990.0f, 10010.0f}) {
        mCamera->SetUpVector(0.0f, 0.0f, 1.0f);
        mCamera->SetPosition(150.0f, height, 50.0f);
        mCamera->SetTarget(150.0f, 0.0f, 50.0f);
        GMPicker picker(mCamera.get(), mNavigation);
        EXPECT_EQ(height < GMPicker::kMaxDistance, picker.Pick(400, 300, false)) << height;
    }
}

TEST_F(PickerTest, AHitGoesToTheListenerAndAListenerThatHasEndedLeavesEveryPickAMiss)
{
    struct Ground : GMIPickerListener
    {
        explicit Ground(GMNavigation* aNavigation) : mNavigation(aNavigation) {}
        LMeshOctree* GetPickTree() const override { return mNavigation->GetSceneTree(); }
        LNavigationTDODisplay* GetPickDisplay() const override { return nullptr; }
        bool OnGroundPicked(const LVector2& aGround, bool aRun) override
        {
            ++mHits;
            mPoint = aGround;
            mRun = aRun;
            return false;
        }
        GMNavigation* mNavigation;
        int mHits = 0;
        LVector2 mPoint;
        bool mRun = false;
    };
    auto ground = std::make_unique<Ground>(mNavigation);
    GMPicker picker(mCamera.get(), ground.get());
    // The listener's answer is the pick's, and the player is left to it.
    EXPECT_FALSE(picker.Pick(400, 599, true));
    EXPECT_EQ(1, ground->mHits);
    EXPECT_TRUE(ground->mRun);
    EXPECT_NEAR(150.0f, ground->mPoint.x, 0.5f);
    EXPECT_NEAR(71.0f, ground->mPoint.y, 1.0f);
    EXPECT_FALSE(Walking());
    EXPECT_EQ(0, mLog.Count("Pick failure."));

    ground.reset();
    EXPECT_FALSE(picker.Pick(400, 599, false));
    EXPECT_EQ(2, mLog.Count("Pick failure."));
    GMPicker unbound(mCamera.get(), nullptr);
    EXPECT_FALSE(unbound.Pick(400, 599, false));
    EXPECT_EQ(4, mLog.Count("Pick failure."));
    EXPECT_FALSE(Walking());
}
