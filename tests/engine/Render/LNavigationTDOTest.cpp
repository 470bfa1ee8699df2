#include "Render/LDrawElement.h"
#include "Render/LINavigationListener.h"
#include "Render/LNavigationTDO.h"
#include "Render/LNegBounds.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LPosBounds.h"
#include "Render/LWayPoint.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFrameListener.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestNavigation.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using T = LTestNavigation;

namespace {

// The hall (camera cam01, on the floor) with a pillar in it, and the annex (cam02, on the
// stairs) further along x.
const std::string kHall = T::Bounds("hall", "cam01", "floor", T::Box(0, 0, 100, 100)) +
                          T::Bounds("annex", "cam02", "stairs", T::Box(200, 0, 300, 100));
const std::string kPillar = T::Bounds("pillar", "", "floor", T::Box(40, 30, 60, 70));

// A ring round the pillar (A to D), E outside the hall linking into it, F in the annex
// linking to E, H outside linked to from C only, G far away.
const std::string kRing = T::WayPoint("A", 20, 20, "B|D") + T::WayPoint("B", 80, 20, "A|C") +
                          T::WayPoint("C", 80, 80, "B|D|H") + T::WayPoint("D", 20, 80, "A|C") +
                          T::WayPoint("E", 150, 50, "B") + T::WayPoint("F", 250, 50, "E") +
                          T::WayPoint("G", 500, 500, "") + T::WayPoint("H", 150, 90, "");

class LStopCounter : public LINavigationListener
{
public:
    void OnNavigationStopped() override { ++mStops; }
    int mStops = 0;
};

// Writes its mark into a shared record of frame calls.
class LMarker : public LIFrameListener
{
public:
    LMarker(std::string& aCalls, char aMark) : mCalls(aCalls), mMark(aMark) {}
    void OnFrame() override { mCalls += mMark; }

private:
    std::string& mCalls;
    char mMark;
};

class LMarkedNavigation : public LNavigationTDO
{
public:
    explicit LMarkedNavigation(std::string& aCalls) : mMarker(aCalls, 'N') {}
    void OnFrame() override
    {
        mMarker.OnFrame();
        LNavigationTDO::OnFrame();
    }

private:
    LMarker mMarker;
};

class NavigationTDO : public ::testing::Test
{
protected:
    void SetUp() override { RegisterFakeTimer(); }

    // Creates the navigation from aData, on the depth mesh, with a web of aWayPoints and
    // aCamera set.
    bool Build(const std::string& aData, const std::string& aWayPoints, const char* aCamera)
    {
        std::unique_ptr<LPropertyList> data(T::List(aData));
        mWeb.reset(T::Web(aWayPoints));
        return mNavigation.Create(data.get()) && mNavigation.SetSceneRoot(mScene.get()) &&
               mNavigation.SetPathFinding(mWeb.get()) && mNavigation.SetCamera(LString(aCamera));
    }

    // One routing step from aFrom towards aTarget.
    LVector3 Route(const LVector2& aFrom, const LVector2& aTarget)
    {
        mNavigation.SetPosition(LVector3(aFrom));
        mNavigation.SetTarget(LVector3(aTarget));
        mNavigation.SetEnabled(true);
        LFakeTimer::FrameAt(++mNow);
        return *mNavigation.GetNextPoint();
    }

    std::vector<int> Active() const
    {
        std::vector<int> active;
        for (int i = 0; i < mWeb->GetWayPointCount(); ++i) {
            if (mWeb->GetWayPoint(i)->mActive) {
                active.push_back(i);
            }
        }
        return active;
    }

    LLogCapture mLog;
    std::unique_ptr<LDrawElement> mScene {T::DepthElement()};
    // Held by the navigation, which does not delete it.
    std::unique_ptr<LPathFindingWeb> mWeb;
    LNavigationTDO mNavigation;
    double mNow = 0.0;
};

struct RoutingCase
{
    const char* mWhat;
    LVector2 mFrom;
    LVector2 mTarget;
    LVector2 mClamped;
    LVector2 mNext;
};

} // namespace

TEST_F(NavigationTDO, RoutesStraightWhenClearElseToAVisibleRoutePoint)
{
    ASSERT_TRUE(Build(T::Data(kHall, kPillar), kRing, "cam01"));
    const RoutingCase cases[] = {
        {"inside, nothing between", {10, 10}, {30, 10}, {30, 10}, {30, 10}},
        {"below the hall: to the edge, then inwards", {10, 10}, {50, -10}, {50, 0.05f}, {50, 0.05f}},
        {"beyond a corner: to the corner, then off both edges", {10, 10}, {-10, -20}, {0.05f, 0.05f}, {0.05f, 0.05f}},
        {"inside the pillar: to its nearest edge, then out", {10, 50}, {45, 50}, {39.95f, 50}, {39.95f, 50}},
        // Route: (10, 50), A, B, target. Nothing of the leg B→target can be seen; of the
        // leg A→B everything up to the sight line past the pillar's corner (40, 30).
        {"behind the pillar: a point of the route", {10, 50}, {80, 50}, {80, 50}, {55, 20}},
    };
    for (const RoutingCase& c : cases) {
        SCOPED_TRACE(c.mWhat);
        const LVector3 next = Route(c.mFrom, c.mTarget);
        const LVector3& target = *mNavigation.GetTarget();
        EXPECT_NEAR(c.mClamped.x, target.x, 1e-3f);
        EXPECT_NEAR(c.mClamped.y, target.y, 1e-3f);
        EXPECT_EQ(0.0f, target.z);
        EXPECT_NEAR(c.mNext.x, next.x, 1e-3f);
        EXPECT_NEAR(c.mNext.y, next.y, 1e-3f);
        EXPECT_EQ(0.0f, next.z);
    }
    EXPECT_FALSE(mLog.Contains("Navigation failure."));
}

// Wound the other way round, the areas still push points inwards and the obstacles
// outwards.
TEST_F(NavigationTDO, ClampingFollowsTheWindingOfEachArea)
{
    const std::string hall = T::Bounds("hall", "cam01", "floor", {0, 0, 0, 100, 100, 100, 100, 0});
    const std::string pillar = T::Bounds("pillar", "", "floor", {40, 30, 40, 70, 60, 70, 60, 30});
    ASSERT_TRUE(Build(T::Data(hall, pillar), kRing, "cam01"));
    const struct
    {
        LVector2 mPoint;
        LVector2 mClamped;
    } cases[] = {{{50, -10}, {50, 0.05f}}, {{100.02f, 50}, {99.95f, 50}}, {{45, 50}, {39.95f, 50}},
                 {{59.99f, 50}, {60.05f, 50}}, {{20, 50}, {20, 50}},
                 // Both sides of the pillar are as near: its first edge wins.
                 {{50, 50.5f}, {39.95f, 50.5f}}};
    for (const auto& c : cases) {
        LVector2 point = c.mPoint;
        EXPECT_TRUE(mNavigation.ClampToBounds(LNavigationTDO::kClampDistance, LNavigationTDO::kClampStep, point));
        EXPECT_NEAR(c.mClamped.x, point.x, 1e-3f);
        EXPECT_NEAR(c.mClamped.y, point.y, 1e-3f);
    }
}

TEST_F(NavigationTDO, WithoutAVisibleWayPointEveryFrameIsLoggedAndAClearLineStillLeadsStraight)
{
    // The only way-point lies below the pillar, the walker above it.
    ASSERT_TRUE(Build(T::Data(kHall, kPillar), T::WayPoint("low", 50, 10, ""), "cam01"));
    for (int frame = 0; frame < 3; ++frame) {
        const LVector3 next = Route({50, 85}, {90, 90});
        EXPECT_EQ(90.0f, next.x);
        EXPECT_EQ(90.0f, next.y);
    }
    EXPECT_EQ(3, mLog.Count("Navigation failure. No closest waypoint to position."));
}

TEST_F(NavigationTDO, AnUnreachedTargetInTheOriginBoxSendsTheWalkerToTheOrigin)
{
    // A crate between the walker and the box; the one way-point is behind the crate too.
    const std::string yard = T::Bounds("yard", "cam09", "floor", T::Box(-300, -300, -200, -100));
    const std::string crate = T::Bounds("crate", "", "floor", T::Box(-270, -250, -230, -230));
    ASSERT_TRUE(Build(T::Data(yard, crate), T::WayPoint("gate", -250, -150, ""), "cam09"));
    struct Case
    {
        LVector2 mTarget;
        LVector2 mNext;
    } const cases[] = {{{-250, -205}, {0, 0}}, {{-245, -209}, {0, 0}}, {{-250, -195}, {-250, -195}},
                       {{-239, -205}, {-239, -205}}};
    for (const Case& c : cases) {
        const LVector3 next = Route({-250, -280}, c.mTarget);
        EXPECT_EQ(c.mNext.x, next.x);
        EXPECT_EQ(c.mNext.y, next.y);
    }
    EXPECT_EQ(4, mLog.Count("Navigation failure.") - mLog.Count("Navigation failure. No closest"));
}

TEST_F(NavigationTDO, SetCameraActivatesTheWayPointsInsideAndOneRingAround)
{
    ASSERT_TRUE(Build(T::Data(kHall, kPillar), kRing, "cam01"));
    // A to D inside, E links to B; F links only to E, H is only linked to.
    EXPECT_EQ((std::vector<int> {0, 1, 2, 3, 4}), Active());
    EXPECT_TRUE(mWeb->GetShortestPath(4, 0).Exists());
    ASSERT_TRUE(mNavigation.SetCamera(LString("CAM02")));
    EXPECT_EQ((std::vector<int> {5}), Active());
    // The paths were computed again for the new flags.
    EXPECT_FALSE(mWeb->GetShortestPath(4, 0).Exists());
    EXPECT_EQ("CAM02", ToStd(mNavigation.GetCamera()));
    ASSERT_EQ(1, mNavigation.GetGroundFrameCount());
    EXPECT_EQ(mScene->GetFrame(LString("stairs"), false), mNavigation.GetGroundFrames()[0]);
}

TEST_F(NavigationTDO, SetCameraFailures)
{
    const std::string areas = kHall + T::Bounds("cellar", "cam03", "basement", T::Box(0, 0, 1, 1)) +
                              T::Bounds("loft", "cam04", "STAIRS", T::Box(0, 0, 1, 1));
    ASSERT_TRUE(Build(T::Data(areas, kPillar), kRing, "cam04")); // ground found without case
    EXPECT_EQ(mScene->GetFrame(LString("stairs"), false), mNavigation.GetGroundFrames()[0]);

    mLog.Clear();
    EXPECT_FALSE(mNavigation.SetCamera(LString("cam99")));
    const std::vector<std::string> lines = mLog.Lines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("GetPosBoundsForCamera failure. ID not found:cam99"));
    EXPECT_NE(std::string::npos, lines[1].find("ASSERT FAILURE: "));
    EXPECT_NE(std::string::npos, lines[2].find("ASSERT FAILURE: "));
    EXPECT_NE(std::string::npos, lines[2].find("SetCamera failure. No ground found."));

    EXPECT_FALSE(mNavigation.SetCamera(LString("cam03")));
    EXPECT_TRUE(mLog.Contains("SetCamera failure. Could not find ground:basement"));

    LNavigationTDO bare;
    EXPECT_FALSE(bare.SetCamera(LString("cam01")));
    EXPECT_TRUE(mLog.Contains("SetCamera failure. No scene root set."));
    EXPECT_FALSE(bare.SetSceneRoot(nullptr));
    EXPECT_TRUE(mLog.Contains("SetSceneRoot failure. NULL arg."));
    ASSERT_TRUE(bare.SetSceneRoot(mScene.get()));
    EXPECT_FALSE(bare.SetCamera(LString("cam01")));
    EXPECT_TRUE(mLog.Contains("SetCamera failure. No pathfinding yet defined."));
}

// A new depth mesh in place of a deleted one: the areas must not keep frames of the old.
TEST_F(NavigationTDO, ANewSceneRootForgetsTheGroundFramesFoundInTheOldOne)
{
    ASSERT_TRUE(Build(T::Data(kHall, kPillar), kRing, "cam01"));
    std::unique_ptr<LDrawElement> next(T::DepthElement());
    ASSERT_TRUE(mNavigation.SetSceneRoot(next.get()));
    mScene.reset();
    EXPECT_EQ(0, mNavigation.GetGroundFrameCount());
    LVector2 out;
    int area = -1;
    EXPECT_FALSE(mNavigation.FindTargetPt({1, 1}, out, area));
    EXPECT_TRUE(mLog.Contains("FindTargetPt failure. Pos bounds or ground data missing."));

    ASSERT_TRUE(mNavigation.SetCamera(LString("cam01")));
    LFrame* floor = next->GetFrame(LString("floor"), false);
    ASSERT_EQ(1, mNavigation.GetGroundFrameCount());
    EXPECT_EQ(floor, mNavigation.GetGroundFrames()[0]);
    const LPosBounds* hall = static_cast<const LPosBounds*>(mNavigation.GetWalkableAreas().GetAt(0));
    EXPECT_EQ(floor, hall->mGroundFrame);
}

TEST_F(NavigationTDO, AreaQueriesByCamera)
{
    const std::string areas = kHall + T::Bounds("upper", "CAM01", "stairs", T::Box(0, 100, 100, 150)) +
                              T::Bounds("nook", "cam01", "floor", T::Box(-20, 0, 0, 20));
    ASSERT_TRUE(Build(T::Data(areas, kPillar), kRing, "cam01"));
    LVectorString grounds;
    grounds.Add(LString("stale"));
    ASSERT_TRUE(mNavigation.GetGroundIDsForCamera(LString("Cam01"), grounds));
    ASSERT_EQ(3, grounds.GetCount());
    EXPECT_EQ("floor", ToStd(grounds[0]));
    EXPECT_EQ("stairs", ToStd(grounds[1]));
    EXPECT_EQ("floor", ToStd(grounds[2]));
    EXPECT_FALSE(mNavigation.GetGroundIDsForCamera(LString("cam7"), grounds));
    EXPECT_TRUE(mLog.Contains("GetGroundIDsForCamera failure. Camera not found:cam7"));

    int count = 0;
    LPosBounds** found = nullptr;
    ASSERT_TRUE(mNavigation.GetPosBoundsForCamera(LString("cam01"), count, found));
    ASSERT_EQ(3, count);
    EXPECT_EQ("hall", ToStd(found[0]->mName));
    EXPECT_EQ("nook", ToStd(found[2]->mName));
    LPosBounds** held = found;
    EXPECT_FALSE(mNavigation.GetPosBoundsForCamera(LString("cam02"), count, found));
    EXPECT_TRUE(mLog.Contains("GetPosBoundsForCamera failure. NULL arg."));
    EXPECT_EQ(held, found);
    EXPECT_EQ(3, count);
    delete[] held;

    LPosBounds** current = nullptr;
    ASSERT_TRUE(mNavigation.GetPosBoundsCurrent(count, current));
    EXPECT_EQ(3, count);
    LPosBounds** again = current;
    EXPECT_FALSE(mNavigation.GetPosBoundsCurrent(count, again));
    EXPECT_TRUE(mLog.Contains("GetPosBoundsCurrent failure. Invalid arg."));
}

TEST_F(NavigationTDO, StoppingTellsTheListenerEachTimeAndRoutingPrecedesTheSteering)
{
    LStopCounter listener;
    ASSERT_TRUE(mNavigation.SetListener(&listener));
    EXPECT_TRUE(mNavigation.SetEnabled(false));
    EXPECT_TRUE(mNavigation.SetEnabled(false));
    EXPECT_EQ(2, listener.mStops);

    std::string calls;
    LMarker steering(calls, 'S');
    LFrameManager* frames = LFrameManager::Get();
    const int before = frames->GetListenerCount();
    frames->AddListener(&steering, -95.0f);
    {
        LMarkedNavigation navigation(calls);
        navigation.SetEnabled(true);
        navigation.SetEnabled(true);
        LFakeTimer::FrameAt(1.0);
        EXPECT_EQ("NS", calls);
        navigation.SetEnabled(false);
        LFakeTimer::FrameAt(2.0);
        EXPECT_EQ("NSS", calls);
        navigation.SetEnabled(true);
    }
    // Deleted while enabled, it left the frame pass.
    EXPECT_EQ(before + 1, frames->GetListenerCount());
    frames->RemoveListener(&steering);
    EXPECT_FALSE(mLog.Contains("ERROR: "));
}

TEST_F(NavigationTDO, CreateReadsWhatIsThereAndSkipsWhatIsNotAList)
{
    const std::string positive = T::Bounds("full", "cam01", "floor", T::Box(0, 0, 1, 1)) + "\tflat=1\n" +
                                 T::Bounds("bare", "-", "-", {});
    const std::string negative = T::Bounds("post", "", "floor", {3, 2, 1, 2, 1, 3}) + "\tloose=2\n";
    std::unique_ptr<LPropertyList> data(T::List(T::Data(positive, negative)));
    ASSERT_TRUE(mNavigation.Create(data.get()));
    EXPECT_TRUE(mLog.Contains("flat"));
    EXPECT_TRUE(mLog.Contains("loose"));
    const LHashKeyList& areas = mNavigation.GetWalkableAreas();
    ASSERT_EQ(2, areas.GetCount());
    const LPosBounds* full = static_cast<const LPosBounds*>(areas.GetAt(0));
    EXPECT_EQ("cam01", ToStd(full->mCamera));
    EXPECT_EQ(4, full->mArea.GetNumPoints());
    EXPECT_TRUE(full->mArea.IsClosed());
    EXPECT_EQ(1, full->mWinding);
    const LPosBounds* bare = static_cast<const LPosBounds*>(areas.GetAt(1));
    EXPECT_EQ("bare", ToStd(bare->mName));
    EXPECT_TRUE(bare->mCamera.IsEmpty() && bare->mGround.IsEmpty());
    EXPECT_EQ(0, bare->mArea.GetNumPoints());
    ASSERT_EQ(1, mNavigation.GetObstacles().GetCount());
    LNegBounds* post = static_cast<LNegBounds*>(mNavigation.GetObstacles().GetAt(0));
    EXPECT_EQ(0, post->GetWinding()); // clockwise

    for (const char* text : {"negative\n", "positive\n"}) {
        LNavigationTDO other;
        std::unique_ptr<LPropertyList> half(T::List(text));
        EXPECT_FALSE(other.Create(half.get()));
    }
    EXPECT_TRUE(mLog.Contains("Create failure. 'positive' not found."));
    EXPECT_TRUE(mLog.Contains("Create failure. 'negative' not found."));
}

TEST_F(NavigationTDO, ObstaclesAreAddedOnceAndRemovedByName)
{
    ASSERT_TRUE(Build(T::Data(kHall, kPillar), kRing, "cam01"));
    EXPECT_FALSE(mNavigation.AddBounds(nullptr));
    EXPECT_TRUE(mLog.Contains("AddBounds failure. NULL arg."));
    LNegBounds* twin = new LNegBounds();
    twin->mName = LString("pillar");
    EXPECT_FALSE(mNavigation.AddBounds(twin));
    EXPECT_TRUE(mLog.Contains("AddBounds failure. Duplicate id found."));
    twin->mName = LString("barrel");
    const LVector2 corners[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    twin->mArea.SetPoints(corners, 4, true);
    ASSERT_TRUE(mNavigation.AddBounds(twin));
    EXPECT_FALSE(mNavigation.IsLineClear({5, 15}, {25, 15}));

    EXPECT_TRUE(mNavigation.RemoveBounds(LString("barrel"), true));
    EXPECT_TRUE(mNavigation.IsLineClear({5, 15}, {25, 15}));
    EXPECT_FALSE(mNavigation.RemoveBounds(LString("barrel"), true));
    EXPECT_EQ(1, mNavigation.GetObstacles().GetCount());
}

TEST_F(NavigationTDO, NearestPointsKeepTheFirstOnTiesAndObstacleEdgesCountInsideTheArea)
{
    const std::string areas = T::Bounds("west", "cam01", "floor", T::Box(0, 0, 100, 100)) +
                              T::Bounds("east", "cam01", "floor", T::Box(200, 0, 300, 100));
    // A wall across the west area's east edge: its far edge lies outside the area.
    const std::string wall = T::Bounds("wall", "", "floor", T::Box(90, 10, 101, 90));
    ASSERT_TRUE(Build(T::Data(areas, wall), kRing, "cam01"));
    LVector2 out;
    int area = -1;
    ASSERT_TRUE(mNavigation.FindTargetPt({150, 50}, out, area));
    EXPECT_EQ(0, area);
    EXPECT_EQ(LVector2(100, 50), out);
    ASSERT_TRUE(mNavigation.FindTargetPt({250, 150}, out, area));
    EXPECT_EQ(1, area);
    EXPECT_NEAR(250.0f, out.x, 1e-2f);
    EXPECT_EQ(100.0f, out.y);

    const LPolygon& west = static_cast<const LPosBounds*>(mNavigation.GetWalkableAreas().GetAt(0))->mArea;
    ASSERT_TRUE(mNavigation.PushOutOfObstacles({99, 50}, out, &west));
    EXPECT_EQ(LVector2(90, 50), out);
    ASSERT_TRUE(mNavigation.PushOutOfObstacles({99, 50}, out, nullptr));
    EXPECT_EQ(LVector2(101, 50), out);
    ASSERT_TRUE(mNavigation.PushOutOfObstacles({50, 50}, out, &west));
    EXPECT_EQ(LVector2(50, 50), out);

    EXPECT_FALSE(mNavigation.IsLineClear({50, 50}, {95, 50}));
    EXPECT_FALSE(mNavigation.IsLineClear({50, 50}, {150, 50}));
    EXPECT_TRUE(mNavigation.IsLineClear({50, 50}, {89, 50}));
}

TEST_F(NavigationTDO, TheClosestWayPointIsActiveInsideAndInSight)
{
    ASSERT_TRUE(Build(T::Data(kHall, kPillar), kRing, "cam01"));
    // A and D are equally near: the first wins.
    EXPECT_EQ(0, mNavigation.FindClosestWayPoint({10, 50}));
    // B is nearer than A but behind the pillar.
    EXPECT_EQ(0, mNavigation.FindClosestWayPoint({35, 35}));
    // E is active but outside the hall: not even taken from its own place.
    EXPECT_EQ(-1, mNavigation.FindClosestWayPoint({150, 50}));
    EXPECT_EQ(1, mNavigation.FindClosestWayPoint({99, 45}));
    mWeb->GetWayPoint(1)->mActive = 0;
    EXPECT_EQ(2, mNavigation.FindClosestWayPoint({99, 45}));
}
