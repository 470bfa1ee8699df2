// The player navigation on the small walk location, driven frame by frame through the
// fake timer: set-up from the scene folder and its failures, the ground under the player,
// walking and running speeds, arrival events, the three-leg staircase walk and the
// viewpoint queries.
#include "scene/GMNavigation.h"

#include "LVector2.h"
#include "Render/LDrawElement.h"
#include "Render/LMeshOctree.h"
#include "Render/LMeshQuadTree.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWebPath.h"
#include "container/LPropertyList.h"
#include "scene/GMCharacter.h"
#include "scene/GMINavigationListener.h"
#include "scene/GMScene.h"
#include "support/GMTestRoots.h"
#include "support/GMTestWalkScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class Counter : public GMINavigationListener
{
public:
    void OnNavigationEvent(const LString& aEvent) override
    {
        ++mEvents;
        mEmpty = mEmpty && aEvent.IsEmpty();
    }
    int mEvents = 0;
    bool mEmpty = true;
};

class NavigationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoots.Mounted());
        // Every set-up makes the navigation overlay, whose shapes take colour textures.
        RegisterFakeRender();
        LFakeTimer::sNow = 0.0;
        mNavigation = GMNavigation::GetInstance();
        ASSERT_NE(nullptr, mNavigation);
        mNavigation->Reset();
    }

    void TearDown() override
    {
        mNavigation->RemoveListener(&mListener);
        mNavigation->Reset();
    }

    bool Setup(const char* aViewpoint)
    {
        return mNavigation->SetSceneData(LString(GMTestWalkScene::kFolder), mDepth.get(), mScene.get(),
                                         LString(aViewpoint));
    }

    LVector2 Position() const
    {
        const LVector3& p = *mNavigation->GetNavigation()->GetPosition();
        return LVector2(p.x, p.y);
    }

    // Frames of aStep seconds until aDone or aSeconds have passed; the move index of the
    // steering at every frame where it changed.
    template <typename F>
    std::vector<int> Run(double aSeconds, F&& aDone, double aStep = 0.02)
    {
        std::vector<int> moves;
        for (double t = 0.0; t < aSeconds && !aDone(); t += aStep) {
            LFakeTimer::Frames(1, aStep);
            const int move = mNavigation->GetSteering()->GetMoveIndex();
            if (move != 0 && (moves.empty() || moves.back() != move)) {
                moves.push_back(move);
            }
        }
        return moves;
    }

    LTestCharacters::FakeTimeFirst mTime;
    GMTestRoots mRoots;
    LLogCapture mLog;
    GMNavigation* mNavigation = nullptr;
    std::unique_ptr<LDrawElement> mDepth {GMTestWalkScene::DepthMesh()};
    std::unique_ptr<LPropertyList> mScene {GMTestWalkScene::SceneData()};
    Counter mListener;
};

} // namespace

TEST_F(NavigationTest, SetUpBuildsTheWalkersAndTreesAndPlacesTheStart)
{
    GMTestWalkScene::Write(mRoots);
    ASSERT_TRUE(Setup("vp01"));
    EXPECT_EQ("", mLog.Problems());
    EXPECT_EQ(5, mNavigation->GetPathFindingWeb()->GetWayPointCount());
    EXPECT_EQ("cam01", ToStd(mNavigation->GetNavigation()->GetCamera()));
    EXPECT_EQ(mNavigation->GetNavigation(), mNavigation->GetSteering()->GetNavigation());
    EXPECT_EQ(48.0f, mNavigation->GetSteering()->GetTableMoveSpeed(1));
    ASSERT_EQ(1, mNavigation->GetGroundTree()->GetMeshCount());
    EXPECT_EQ("floor", ToStd(mNavigation->GetGroundTree()->GetIds()[0]));
    EXPECT_EQ(2, mNavigation->GetSceneTree()->GetMeshCount());
    EXPECT_EQ(LVector2(50, 50), Position());

    ASSERT_TRUE(Setup("vp02"));
    EXPECT_EQ("stairs", ToStd(mNavigation->GetGroundTree()->GetIds()[0]));
    EXPECT_EQ(LVector2(450, 50), Position());
}

TEST_F(NavigationTest, GroundMeshesThatAreMissingAreSkippedOrEndTheGroundTree)
{
    GMTestWalkScene::Write(mRoots);
    // cam03: the floor, then a ground that is not in the depth mesh; the start way-point
    // is found under the player's list.
    EXPECT_FALSE(Setup("vp03"));
    EXPECT_EQ(1, mLog.Count("Ground mesh not found."));
    ASSERT_NE(nullptr, mNavigation->GetGroundTree());
    ASSERT_EQ(1, mNavigation->GetGroundTree()->GetMeshCount());
    EXPECT_EQ("floor", ToStd(mNavigation->GetGroundTree()->GetIds()[0]));
    EXPECT_EQ(LVector2(250, 50), Position());
    // cam04: the first ground is missing.
    mLog.Clear();
    EXPECT_FALSE(Setup("vp04"));
    EXPECT_EQ(1, mLog.Count("Ground mesh not found."));
    EXPECT_EQ(nullptr, mNavigation->GetGroundTree());
    // No camera for the viewpoint.
    mLog.Clear();
    EXPECT_FALSE(Setup("vp05"));
    EXPECT_TRUE(mLog.Contains("'camera.id' not found."));
    EXPECT_TRUE(mLog.Contains("No ground meshes found."));
}

TEST_F(NavigationTest, MissingSceneFilesOrDepthMeshFailTheSetUp)
{
    struct Case
    {
        bool mWayPoints;
        bool mNavigation;
        const char* mMessage;
    };
    const Case cases[] = {{false, true, "Could not load //scenes/walk/waypoints.txt"},
                          {true, false, "Could not load //scenes/walk/navigation.txt"}};
    for (const Case& c : cases) {
        // Roots of their own: the files left out are missing.
        GMTestRoots roots;
        ASSERT_TRUE(roots.Mounted());
        GMTestWalkScene::Write(roots, c.mWayPoints, c.mNavigation);
        mLog.Clear();
        EXPECT_FALSE(Setup("vp01")) << c.mMessage;
        EXPECT_TRUE(mLog.Contains(std::string("SetScene failure. ") + c.mMessage)) << c.mMessage;
        // The player still gets a steering to stand with.
        EXPECT_NE(nullptr, mNavigation->GetSteering());
    }
    EXPECT_FALSE(mNavigation->SetSceneData(LString(GMTestWalkScene::kFolder), nullptr, mScene.get(), LString("vp01")));
    EXPECT_TRUE(mLog.Contains("SetScene failure. No depth mesh found."));
    EXPECT_FALSE(mNavigation->SetScene(nullptr));
    EXPECT_TRUE(mLog.Contains("SetScene failure. NULL arg."));
}

TEST_F(NavigationTest, ThePlayerStandsOnTheGroundUnderItOrAtHeightZero)
{
    GMTestWalkScene::Write(mRoots);
    ASSERT_TRUE(Setup("vp02"));
    GMCharacter player;
    mNavigation->UpdatePlayer(&player);
    EXPECT_NEAR(450.0f, player.GetPosition()->x, 1e-4f);
    EXPECT_NEAR(25.0f, player.GetPosition()->y, 1e-3f);
    EXPECT_NEAR(50.0f, player.GetPosition()->z, 1e-4f);
    mNavigation->GetNavigation()->SetPosition(LVector3(600.0f, 20.0f, 0.0f));
    mNavigation->UpdatePlayer(&player);
    EXPECT_EQ(LVector3(600.0f, 0.0f, 20.0f), *player.GetPosition());
}

TEST_F(NavigationTest, AClickWalksAtFortyEightAndADoubleClickRunsAtOneHundredThirtyTwo)
{
    LTestCharacters::Write(mRoots);
    GMTestWalkScene::Write(mRoots);
    const struct
    {
        int mMove;
        float mSpeed;
    } cases[] = {{GMNavigation::kMoveWalk, 48.0f}, {GMNavigation::kMoveRun, 132.0f}};
    for (const auto& c : cases) {
        ASSERT_TRUE(Setup("vp01"));
        GMCharacter player;
        ASSERT_EQ(1, LTestCharacters::Load(player, LTestCharacters::Data("player", "")));
        LSteeringTDO* steering = mNavigation->GetSteering();
        steering->SetCharacter(&player);
        player.SetSteering(steering);
        steering->SetDirection(LVector3(1.0f, 0.0f, 0.0f));
        ASSERT_TRUE(mNavigation->WalkTo(LVector2(290.0f, 50.0f), true, c.mMove, false));
        Run(0.2, [] { return false; });
        const float from = Position().x;
        LFakeTimer::Frames(10, 0.05);
        EXPECT_NEAR(c.mSpeed * 0.5f, Position().x - from, 0.5f) << c.mMove;
        mNavigation->UpdatePlayer(&player);
        EXPECT_FLOAT_EQ(Position().x, player.GetPosition()->x);
        mNavigation->Reset();
    }
}

TEST_F(NavigationTest, TheListenerHearsOneEventPerWalk)
{
    GMTestWalkScene::Write(mRoots);
    ASSERT_TRUE(Setup("vp01"));
    EXPECT_FALSE(mNavigation->SetListener(nullptr));
    EXPECT_TRUE(mLog.Contains("SetListener failure. NULL arg."));
    // Without a listener there is nothing to watch for.
    mNavigation->WatchArrival(GMNavigation::kDoorWatchDistance);
    EXPECT_FALSE(mNavigation->IsWatching());

    ASSERT_TRUE(mNavigation->SetListener(&mListener));
    Counter other;
    EXPECT_FALSE(mNavigation->RemoveListener(&other));
    ASSERT_TRUE(mNavigation->WalkTo(LVector2(80.0f, 50.0f), false, 1, true));
    Run(3.0, [] { return false; });
    EXPECT_EQ(1, mListener.mEvents);
    EXPECT_TRUE(mListener.mEmpty);
    EXPECT_EQ(nullptr, mNavigation->GetListener());
    EXPECT_NEAR(80.0f, Position().x, LSteeringTDO::kStopDistance);
    // A second walk without a new listener is silent.
    ASSERT_TRUE(mNavigation->WalkTo(LVector2(40.0f, 50.0f), false, 1, true));
    Run(3.0, [] { return false; });
    EXPECT_EQ(1, mListener.mEvents);

    // Watching: the event comes as soon as the player is within the distance, while it
    // still walks.
    ASSERT_TRUE(mNavigation->SetListener(&mListener));
    ASSERT_TRUE(mNavigation->WalkTo(LVector2(240.0f, 50.0f), false, 1, false));
    mNavigation->WatchArrival(GMNavigation::kDoorWatchDistance);
    Run(10.0, [this] { return mListener.mEvents == 2; });
    EXPECT_EQ(2, mListener.mEvents);
    EXPECT_NEAR(240.0f - GMNavigation::kDoorWatchDistance, Position().x, 2.0f);
    EXPECT_TRUE(mNavigation->GetSteering()->IsEnabled());
    Run(3.0, [] { return false; });
    EXPECT_EQ(2, mListener.mEvents);
    EXPECT_EQ("", mLog.Problems("SetListener failure. NULL arg."));
}

TEST_F(NavigationTest, AWalkOverTheStairsGoesInThreeLegs)
{
    GMTestWalkScene::Write(mRoots);
    struct Case
    {
        float mFrom;
        float mTo;
        bool mListen;
        std::vector<int> mMoves;
    };
    // From the top the stairs are taken with move 4, from the bottom with move 3; the
    // last leg is always walked.
    const Case cases[] = {{50.0f, 280.0f, true, {1, 4, 1}},
                          {50.0f, 280.0f, false, {1, 4, 1}},
                          {250.0f, 20.0f, true, {1, 3, 1}},
                          {20.0f, 80.0f, true, {1}}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Setup("vp01"));
        mNavigation->GetNavigation()->SetPosition(LVector3(c.mFrom, 50.0f, 0.0f));
        mNavigation->GetSteering()->SetDirection(LVector3(c.mTo - c.mFrom, 0.0f, 0.0f));
        mListener.mEvents = 0;
        if (c.mListen) {
            ASSERT_TRUE(mNavigation->SetListener(&mListener));
        }
        ASSERT_TRUE(mNavigation->WalkTo(LVector2(c.mTo, 50.0f), true, GMNavigation::kMoveWalk, true));
        const std::vector<int> moves = Run(30.0, [this] { return !mNavigation->GetSteering()->IsEnabled(); });
        EXPECT_EQ(c.mMoves, moves) << c.mFrom;
        EXPECT_FALSE(mNavigation->IsStairWalkPending());
        EXPECT_NEAR(c.mTo, Position().x, LSteeringTDO::kStopDistance) << c.mFrom;
        EXPECT_EQ(c.mListen ? 1 : 0, mListener.mEvents) << c.mFrom;
        mNavigation->RemoveListener(&mListener);
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(NavigationTest, ViewpointQueriesUseTheViewpointCamerasAreas)
{
    GMTestWalkScene::Write(mRoots);
    ASSERT_TRUE(Setup("vp01"));
    EXPECT_TRUE(mNavigation->IsInViewpoint(LString("vp01")));
    EXPECT_FALSE(mNavigation->IsInViewpoint(LString("vp02")));
    LWebPath path;
    ASSERT_TRUE(mNavigation->FindPathToViewpoint(LString("vp02"), path));
    // U is nearest; S is the only way-point on the ramp.
    ASSERT_EQ(5, path.mWayPoints.GetCount());
    EXPECT_EQ(0, path.mWayPoints[0]);
    EXPECT_EQ(4, path.mWayPoints[4]);
    EXPECT_FLOAT_EQ(400.0f, path.mLength);
    EXPECT_FALSE(mNavigation->FindPathToViewpoint(LString("vp05"), path));
    EXPECT_FALSE(path.Exists());
    mNavigation->Reset();
    EXPECT_FALSE(mNavigation->IsInViewpoint(LString("vp01")));
    EXPECT_FALSE(mNavigation->FindPathToViewpoint(LString("vp02"), path));
}

TEST_F(NavigationTest, SceneInputIsOffWhileThePlayerTakesTheStairs)
{
    RegisterFakeRender();
    GMTestWalkScene::Write(mRoots);
    auto scene = std::make_unique<GMScene>();
    scene->OnShow();
    // A scene that has loaded nothing has no navigation files: the set-up fails, but the
    // scene is kept for its input.
    EXPECT_FALSE(mNavigation->SetScene(scene.get()));
    EXPECT_EQ(scene.get(), mNavigation->GetScene());
    ASSERT_TRUE(Setup("vp01"));
    scene->SetInputEnabled(true);
    ASSERT_TRUE(mNavigation->WalkTo(LVector2(280.0f, 50.0f), false, GMNavigation::kMoveWalk, true));
    std::vector<std::pair<int, bool>> legs;
    Run(30.0, [&] {
        const std::pair<int, bool> now(mNavigation->GetSteering()->GetMoveIndex(), scene->IsInputEnabled());
        if (now.first != 0 && (legs.empty() || legs.back() != now)) {
            legs.push_back(now);
        }
        return !mNavigation->GetSteering()->IsEnabled();
    });
    const std::vector<std::pair<int, bool>> expected {{1, true}, {4, false}, {1, true}};
    EXPECT_EQ(expected, legs);
    mNavigation->Reset();
    EXPECT_EQ(nullptr, mNavigation->GetScene());
}
