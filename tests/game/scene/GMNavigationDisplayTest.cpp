// The navigation overlay as every scene load makes it, on the sample's riverbank: the
// view fitted to the current camera's walkable areas, its content (areas, way-point links,
// ground triangles), the route, markers and arrow as walks go, a click on the activated
// overlay, and an overlay that stays inactive in the game.
#include "Render/LNavigationTDODisplay.h"

#include "Gdi/LDisplayManager.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSRectangle.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "LVector3.h"
#include "Render/LFrame.h"
#include "Render/LMesh.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LPosBounds.h"
#include "container/LHashKeyList.h"
#include "Render/LSteeringTDO.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "ui/GMPicker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

namespace {

using namespace GMSceneFlow;

// Counts what reaches a mouse listener after the overlay.
class MouseCounter : public LIMouseListener
{
public:
    void OnButtonDown(int) override { ++mDowns; }
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    int mDowns = 0;
};

class NavigationDisplayTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrepareGame());
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(GMTestScene::kRiverbank), true, true));
        mScene = GMSceneManager::GetInstance()->GetScene();
        ASSERT_NE(nullptr, mScene);
        mNavigation = GMNavigation::GetInstance();
        mDisplay = mNavigation->GetDisplay();
        ASSERT_NE(nullptr, mDisplay);
        mLog.Clear();
    }

    void TearDown() override
    {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(&mCounter);
        }
    }

    // The overlay switched on the way a developer tool would.
    void Activate()
    {
        mDisplay->SetActive(true);
        LMouse::Get()->AddMember(mDisplay, -1000.0f);
        LMouse::Get()->AddMember(&mCounter, 1000.0f);
    }

    LSPolygon* Member(const char* aPath) const { return dynamic_cast<LSPolygon*>(mDisplay->GetMember(LString(aPath))); }

    // Where a ground point lands on the screen.
    static LVector2 ScreenOf(LIDisplayObject* aMarker, const LVector2& aGround)
    {
        aMarker->SetPosition(aGround);
        return aMarker->GetWorldPosition();
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
    GMNavigation* mNavigation = nullptr;
    LNavigationTDODisplay* mDisplay = nullptr;
    MouseCounter mCounter;
};

TEST_F(NavigationDisplayTest, EverySceneGetsAnInactiveOverlayAndThePlayerStillStartsAtItsWayPoint)
{
    EXPECT_EQ(mDisplay, LDisplayManager::Get()->GetRoot()->GetMember(LString("navdisplay")));
    EXPECT_FALSE(mDisplay->GetActive());
    // The display parked the navigation; the start way-point "south" placed it afterwards.
    const LVector3& position = *mNavigation->GetNavigation()->GetPosition();
    EXPECT_NEAR(-120.0f, position.x, 0.01f);
    EXPECT_NEAR(-140.0f, position.y, 0.01f);
    EXPECT_EQ(LString("cam01"), mDisplay->GetViewName());

    // An inactive overlay takes no click, draws nothing and says nothing for keys.
    EXPECT_FALSE(LMouse::Get()->Contains(mDisplay));
    EXPECT_FALSE(mDisplay->HitTest(LVector2(500.0f, 300.0f)));
    mDisplay->OnKeyDown(30);
    EXPECT_FALSE(mLog.Contains("aKey:"));

    // A scene loaded again makes a new overlay in place of the old one.
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(GMTestScene::kRiverbank), true, true));
    LNavigationTDODisplay* second = mNavigation->GetDisplay();
    ASSERT_NE(nullptr, second);
    int overlays = 0;
    LDisplayGroup* root = LDisplayManager::Get()->GetRoot();
    for (int i = 0; i < root->GetMemberCount(); ++i) {
        overlays += root->GetMemberAt(i)->GetId() == LString("navdisplay") ? 1 : 0;
    }
    EXPECT_EQ(1, overlays);
}

TEST_F(NavigationDisplayTest, ViewsFitTheCamerasWalkableAreasWithYUp)
{
    // cam01's half of the floor: x -180..180, z -180..60, so the larger side is 360.
    EXPECT_NEAR(510.0f / 360.0f, mDisplay->GetScaleFactor(), 1e-4f);
    LSPolygon* pick = dynamic_cast<LSPolygon*>(mDisplay->GetMember(LString("contentgroup.visibletarget")));
    ASSERT_NE(nullptr, pick);

    // A 10 x 10 view: scale 51, the corner of least x and greatest y at (25, 25).
    const LRectangle square(0.0f, 0.0f, 10.0f, 10.0f);
    ASSERT_TRUE(mDisplay->FitContentRect(&square));
    EXPECT_NEAR(51.0f, mDisplay->GetScaleFactor(), 1e-4f);
    LVector2 corner = ScreenOf(pick, LVector2(0.0f, 10.0f));
    EXPECT_NEAR(LNavigationTDODisplay::kLeft + 25.0f, corner.x, 0.01f);
    EXPECT_NEAR(LNavigationTDODisplay::kTop + 25.0f, corner.y, 0.01f);
    LVector2 opposite = ScreenOf(pick, LVector2(10.0f, 0.0f));
    EXPECT_NEAR(LNavigationTDODisplay::kLeft + 535.0f, opposite.x, 0.01f);
    EXPECT_NEAR(LNavigationTDODisplay::kTop + 535.0f, opposite.y, 0.01f);
    // And back through the inverse, as a click does.
    LVector2 ground;
    ASSERT_TRUE(mDisplay->ScreenToGround(corner, ground));
    EXPECT_NEAR(0.0f, ground.x, 0.01f);
    EXPECT_NEAR(10.0f, ground.y, 0.01f);

    // A view without extent, or none at all, is refused and the old view stays.
    const LRectangle point(5.0f, 5.0f, 0.0f, 0.0f);
    EXPECT_FALSE(mDisplay->FitContentRect(&point));
    EXPECT_FALSE(mDisplay->FitContentRect(nullptr));
    EXPECT_TRUE(mLog.Contains("FitContentRect failure. NULL arg."));
    EXPECT_NEAR(51.0f, mDisplay->GetScaleFactor(), 1e-4f);
    EXPECT_TRUE(std::isfinite(mDisplay->GetContentGroup()->GetLocalPosition().x));

    // ResetView goes back to the camera's areas; an unknown camera keeps them.
    ASSERT_TRUE(mDisplay->ResetView());
    EXPECT_NEAR(510.0f / 360.0f, mDisplay->GetScaleFactor(), 1e-4f);
    EXPECT_FALSE(mDisplay->SetView(LString("nocamera")));
    EXPECT_EQ(LString("cam01"), mDisplay->GetViewName());
    EXPECT_NEAR(510.0f / 360.0f, mDisplay->GetScaleFactor(), 1e-4f);
}

TEST_F(NavigationDisplayTest, TheCurrentCamerasAreasAreWhiteAndTheOthersKeepTheirLook)
{
    LDisplayGroup* areas = dynamic_cast<LDisplayGroup*>(mDisplay->GetMember(LString("contentgroup.positive")));
    ASSERT_NE(nullptr, areas);
    ASSERT_EQ(2, areas->GetMemberCount());
    const LHashKeyList& bounds = mNavigation->GetNavigation()->GetWalkableAreas();
    auto alphaOf = [&](const char* aCamera) {
        for (int i = 0; i < bounds.GetCount(); ++i) {
            const auto* area = static_cast<const LPosBounds*>(bounds.GetAt(i));
            if (area->mCamera == LString(aCamera)) {
                LString key;
                bounds.GetKeyAt(i, key);
                auto* shape = dynamic_cast<LSPolygon*>(areas->GetMember(key));
                return shape != nullptr ? shape->GetStrokeColor().a : -1.0f;
            }
        }
        return -1.0f;
    };
    EXPECT_NEAR(1.0f, alphaOf("cam01"), 0.01f);
    EXPECT_NEAR(0.2f, alphaOf("cam02"), 0.01f);
    ASSERT_TRUE(mDisplay->SetView(LString("cam02")));
    EXPECT_NEAR(0.2f, alphaOf("cam01"), 0.01f);
    EXPECT_NEAR(1.0f, alphaOf("cam02"), 0.01f);
    // The crate is the one obstacle.
    LDisplayGroup* obstacles = dynamic_cast<LDisplayGroup*>(mDisplay->GetMember(LString("contentgroup.negative")));
    ASSERT_NE(nullptr, obstacles);
    EXPECT_EQ(1, obstacles->GetMemberCount());
}

TEST_F(NavigationDisplayTest, WayPointsLinksAndGroundTrianglesAreDrawnOnce)
{
    LDisplayGroup* group = dynamic_cast<LDisplayGroup*>(mDisplay->GetMember(LString("contentgroup.waypointgroup")));
    ASSERT_NE(nullptr, group);
    int count = 0;
    LWayPoint* wayPoints = nullptr;
    ASSERT_TRUE(static_cast<LPathFindingWeb*>(mNavigation->GetNavigation()->GetPathFinding())->GetWayPoints(count, wayPoints));
    // Links are one-way records; a pair linked both ways is one line.
    std::set<std::pair<int, int>> pairs;
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < wayPoints[i].mLinkCount; ++k) {
            const int j = wayPoints[i].mLinks[k];
            pairs.insert({std::min(i, j), std::max(i, j)});
        }
    }
    int markers = 0, links = 0, labels = 0;
    for (int i = 0; i < group->GetMemberCount(); ++i) {
        const LString& id = group->GetMemberAt(i)->GetId();
        const std::string text = ToStd(id);
        markers += text.rfind("wp_", 0) == 0 ? 1 : 0;
        links += text.rfind("wplink_", 0) == 0 ? 1 : 0;
        labels += text.rfind("wplabel_", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(4, markers);
    EXPECT_EQ(4, labels);
    EXPECT_EQ(static_cast<int>(pairs.size()), links);
    EXPECT_EQ(4, links); // south-middle, middle-north, middle-west, north-west

    // One outlined triangle per triangle of the camera's ground meshes, in x and z.
    int triangles = 0;
    LFrame* const* frames = mNavigation->GetNavigation()->GetGroundFrames();
    const int frameCount = mNavigation->GetNavigation()->GetGroundFrameCount();
    ASSERT_GT(frameCount, 0);
    LVector2 first;
    for (int f = 0; f < frameCount; ++f) {
        if (frames[f] != nullptr && frames[f]->GetMesh() != nullptr) {
            frames[f]->GetMesh()->ForEachTriangle(frames[f]->GetWorldMatrix(), [&](const LVector3* aCorners) {
                if (triangles == 0) {
                    first = LVector2(aCorners[0].x, aCorners[0].z);
                }
                ++triangles;
            });
        }
    }
    LDisplayGroup* meshes = dynamic_cast<LDisplayGroup*>(mDisplay->GetMember(LString("contentgroup.groundmeshes")));
    ASSERT_NE(nullptr, meshes);
    ASSERT_GT(triangles, 0);
    EXPECT_EQ(triangles, meshes->GetMemberCount());
    auto* shape = dynamic_cast<LSPolygon*>(meshes->GetMemberAt(0));
    ASSERT_NE(nullptr, shape);
    ASSERT_EQ(3, shape->GetPolygon()->GetNumPoints());
    EXPECT_NEAR(first.x, shape->GetPolygon()->GetPoint(0).x, 0.01f);
    EXPECT_NEAR(first.y, shape->GetPolygon()->GetPoint(0).y, 0.01f);
}

TEST_F(NavigationDisplayTest, AnActivatedOverlayFollowsTheWalkAndLogsKeys)
{
    Activate();
    // Before anyone walks there is no path to draw, and nothing is logged.
    Frames(3);
    LSPolygon* route = Member("contentgroup.pathgroup.path");
    ASSERT_NE(nullptr, route);
    EXPECT_EQ(0, route->GetPolygon()->GetNumPoints());
    EXPECT_EQ("", mLog.Problems());
    // The arrow stands on the player once frames run.
    LSPolygon* arrow = Member("contentgroup.player");
    ASSERT_NE(nullptr, arrow);
    EXPECT_NEAR(-120.0f, arrow->GetLocalPosition().x, 0.01f);
    EXPECT_NEAR(-140.0f, arrow->GetLocalPosition().y, 0.01f);

    // Behind the crate: the straight line is blocked, so the walk follows the web.
    const LVector2 goal(140.0f, -60.0f);
    ASSERT_TRUE(mNavigation->WalkTo(goal, false, GMNavigation::kMoveWalk, false));
    Frames(1);
    LWebPath* path = static_cast<LPathFindingWeb*>(mNavigation->GetNavigation()->GetPathFinding())->GetLastPath();
    ASSERT_NE(nullptr, path);
    ASSERT_TRUE(path->Exists());
    const LPolygon* drawn = route->GetPolygon();
    ASSERT_EQ(path->mWayPoints.GetCount() + 2, drawn->GetNumPoints());
    const LVector3& position = *mNavigation->GetNavigation()->GetPosition();
    EXPECT_NEAR(position.x, drawn->GetPoint(0).x, 0.01f);
    EXPECT_NEAR(position.y, drawn->GetPoint(0).y, 0.01f);
    for (int i = 0; i < path->mWayPoints.GetCount(); ++i) {
        const LWayPoint* wayPoint = static_cast<LPathFindingWeb*>(mNavigation->GetNavigation()->GetPathFinding())->GetWayPoint(path->mWayPoints[i]);
        EXPECT_NEAR(wayPoint->mPoint.x, drawn->GetPoint(i + 1).x, 0.01f);
        EXPECT_NEAR(wayPoint->mPoint.y, drawn->GetPoint(i + 1).y, 0.01f);
    }
    EXPECT_NEAR(goal.x, drawn->GetPoint(drawn->GetNumPoints() - 1).x, 0.5f);
    EXPECT_NEAR(goal.y, drawn->GetPoint(drawn->GetNumPoints() - 1).y, 0.5f);
    EXPECT_FALSE(drawn->IsClosed());
    // "visibletarget" on the next point, "target" on the target.
    const LVector3& next = *mNavigation->GetNavigation()->GetNextPoint();
    EXPECT_NEAR(next.x, Member("contentgroup.visibletarget")->GetLocalPosition().x, 0.01f);
    EXPECT_NEAR(next.y, Member("contentgroup.visibletarget")->GetLocalPosition().y, 0.01f);

    // The arrow turns with the steering: the angle from (0, 1), negative for x < 0.
    Frames(5);
    const LVector3* direction = mNavigation->GetSteering()->GetDirection();
    ASSERT_NE(nullptr, direction);
    const float length = std::sqrt(direction->x * direction->x + direction->y * direction->y);
    ASSERT_GT(length, 0.0f);
    float expected = std::acos(direction->y / length) * 57.29578f;
    if (direction->x < 0.0f) {
        expected = -expected;
    }
    EXPECT_NEAR(expected, arrow->GetRotation(), 0.05f);

    mLog.Clear();
    mDisplay->OnKeyDown(30);
    EXPECT_EQ(1, mLog.Count("aKey:30"));
}

TEST_F(NavigationDisplayTest, AClickOnTheActivatedOverlayWalksThereAndGoesNoFurther)
{
    Activate();
    Frames(1);
    auto* marker = dynamic_cast<LSRectangle*>(mDisplay->GetMember(LString("contentgroup.target")));
    ASSERT_NE(nullptr, marker);
    // A point of open floor near the middle of the bank.
    const LVector2 goal(-20.0f, -40.0f);
    const LVector2 screen = ScreenOf(marker, goal);
    Click(screen);
    EXPECT_EQ(0, mCounter.mDowns);
    const LVector3& target = *mNavigation->GetNavigation()->GetTarget();
    EXPECT_NEAR(goal.x, target.x, 0.6f);
    EXPECT_NEAR(goal.y, target.y, 0.6f);
    EXPECT_TRUE(mNavigation->GetNavigation()->IsNavigating());
    EXPECT_EQ(1, mNavigation->GetSteering()->GetMoveIndex());
    LIDisplayObject* pick = mDisplay->GetMember(LString("contentgroup.pick"));
    ASSERT_NE(nullptr, pick);
    EXPECT_NEAR(goal.x, pick->GetLocalPosition().x, 0.05f);
    EXPECT_NEAR(goal.y, pick->GetLocalPosition().y, 0.05f);
    // The walk gets there.
    ASSERT_TRUE(FramesUntil([&] { return !mNavigation->GetNavigation()->IsNavigating(); }, 400));

    // A click outside the overlay goes on to the listeners after it.
    Click(LVector2(180.0f, 450.0f));
    EXPECT_EQ(1, mCounter.mDowns);
}

TEST_F(NavigationDisplayTest, ThePickerMovesThePickMarkerAndAMissSendsItToTheOrigin)
{
    LIDisplayObject* pick = mDisplay->GetMember(LString("contentgroup.pick"));
    ASSERT_NE(nullptr, pick);
    // A click on the floor of vp01 walks the player (the scene's picker).
    Click(LVector2(400.0f, 450.0f));
    Frames(1);
    const LVector2 moved = pick->GetLocalPosition();
    EXPECT_FALSE(std::fabs(moved.x) < 0.01f && std::fabs(moved.y) < 0.01f);
    // (After the player's turn into the walk.)
    EXPECT_TRUE(FramesUntil([&] { return mNavigation->GetNavigation()->IsNavigating(); }));
    // A ray that meets no ground (a picker made without a camera) sends it to the origin.
    GMPicker blind(nullptr, mNavigation);
    mLog.Clear();
    EXPECT_FALSE(blind.Pick(400, 450, false));
    EXPECT_EQ(2, mLog.Count("Pick failure."));
    EXPECT_NEAR(0.0f, pick->GetLocalPosition().x, 0.01f);
    EXPECT_NEAR(0.0f, pick->GetLocalPosition().y, 0.01f);
}

TEST_F(NavigationDisplayTest, TheDisplayTreeDeletingTheOverlayFirstLeavesTheNavigationUnbound)
{
    delete mDisplay;
    EXPECT_EQ(nullptr, mNavigation->GetDisplay());
    // Walking and picking go on without it.
    Click(LVector2(400.0f, 450.0f));
    Frames(2);
    mNavigation->Reset();
}

} // namespace
