#include "Render/LPathFindingWeb.h"
#include "Render/LWayPoint.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// One way-point entry of the file: name, place, links and an optional class.
std::string Entry(const std::string& aName, float aX, float aY, const std::string& aLinks,
                  const std::string& aClass = "")
{
    std::string text = aName + "\n\tcoords=" + std::to_string(aX) + "|" + std::to_string(aY) + "|0\n";
    if (!aClass.empty()) {
        text += "\tclass=" + aClass + "\n";
    }
    return text + "\tlinks=" + aLinks + "\n";
}

// A web read from a scene folder's file under a temporary data root.
class PathFindingWeb : public ::testing::Test
{
protected:
    bool Load(const std::string& aText)
    {
        mDirectory.Write("scenes/hall/waypoints.txt", aText);
        if (!LIFileSystem::Get()->AddMount(LString("//dataroot"), FromStd(mDirectory.Path()))) {
            return false;
        }
        LPropertyList list;
        return list.Load(LString("//dataroot/scenes/hall/waypoints.txt"), true) && mWeb.Create(&list);
    }

    std::vector<int> Path(int aFrom, int aTo, float* aLength = nullptr)
    {
        const LWebPath path = mWeb.GetShortestPath(aFrom, aTo);
        if (aLength) {
            *aLength = path.mLength;
        }
        std::vector<int> indices;
        for (int i = 0; i < path.mWayPoints.GetCount(); ++i) {
            indices.push_back(path.mWayPoints[i]);
        }
        return indices;
    }

    LLogCapture mLog;
    LTestDirectory mDirectory;
    LPathFindingWeb mWeb;
};

using Indices = std::vector<int>;

} // namespace

TEST_F(PathFindingWeb, ReadsPlacesClassesAndOneWayLinks)
{
    EXPECT_EQ(-1, mWeb.FindNearestWayPoint(LVector2(0, 0)));
    ASSERT_TRUE(Load(Entry("Door", 0, 0, "hall", "TOPSTAIR") + Entry("Hall", 3, 4, "", "stairs") +
                     Entry("cellar", 0, 8, "door", "BottomStair")));
    ASSERT_EQ(3, mWeb.GetWayPointCount());
    LWayPoint* door = mWeb.GetWayPoint(LString("DOOR"));
    ASSERT_EQ(mWeb.GetWayPoint(0), door);
    EXPECT_EQ("Door", ToStd(door->mName));
    EXPECT_EQ(LWayPoint::kTopStair, door->mClass);
    EXPECT_EQ(LWayPoint::kOrdinary, mWeb.GetWayPoint(1)->mClass);
    EXPECT_EQ(LWayPoint::kBottomStair, mWeb.GetWayPoint(2)->mClass);
    ASSERT_EQ(1, door->mLinkCount);
    EXPECT_EQ(1, door->mLinks[0]);
    EXPECT_FLOAT_EQ(5.0f, door->mLinkLengths[0]);
    EXPECT_EQ(nullptr, mWeb.GetWayPoint(LString("attic")));

    float length = 0.0f;
    EXPECT_EQ(Indices({0, 1}), Path(0, 1, &length));
    EXPECT_FLOAT_EQ(5.0f, length);
    EXPECT_EQ(Indices(), Path(1, 0, &length));
    EXPECT_EQ(-1.0f, length);
    EXPECT_EQ(Indices({2, 0, 1}), Path(2, 1, &length));
    EXPECT_FLOAT_EQ(13.0f, length);

    int count = 0;
    LWayPoint* array = nullptr;
    ASSERT_TRUE(mWeb.GetWayPoints(count, array));
    EXPECT_EQ(3, count);
    EXPECT_EQ(door, array);
    EXPECT_FALSE(mWeb.GetWayPoints(count, array));
    EXPECT_TRUE(mLog.Contains("GetWayPoints failure. NULL arg."));

    // The nearest counts inactive way-points and takes the first on ties.
    door->mActive = 0;
    EXPECT_EQ(0, mWeb.FindNearestWayPoint(LVector2(-3, 4)));
    EXPECT_EQ(1, mWeb.FindNearestWayPoint(LVector2(3, 5)));
}

TEST_F(PathFindingWeb, ShortestPathsOverActiveWayPointsOnly)
{
    // a-b and b-c of length 1, a-c of length 2 along a detour of 5 units.
    ASSERT_TRUE(Load(Entry("a", 0, 0, "b|c") + Entry("b", 1, 0, "a|c") + Entry("c", 2, 0, "b|a") +
                     Entry("far", 1, 40, "a")));
    mWeb.GetWayPoint(0)->mLinkLengths[1] = 5.0f;
    mWeb.GetWayPoint(2)->mLinkLengths[1] = 5.0f;
    float length = 0.0f;
    EXPECT_EQ(Indices({0, 1, 2}), Path(0, 2, &length));
    EXPECT_FLOAT_EQ(2.0f, length);
    EXPECT_EQ(Indices({0}), Path(0, 0, &length));
    EXPECT_EQ(0.0f, length);
    EXPECT_EQ(Indices({3, 0, 1, 2}), Path(3, 2));
    ASSERT_NE(nullptr, mWeb.GetLastPath());
    EXPECT_EQ(4, mWeb.GetLastPath()->mWayPoints.GetCount());

    EXPECT_EQ(Indices(), Path(0, 4, &length));
    EXPECT_EQ(-1.0f, length);
    EXPECT_TRUE(mLog.Contains("LookUpShortestPath failure. Invalid index."));

    // The table is kept until a reset, which also forgets the last path.
    mWeb.GetWayPoint(1)->mActive = 0;
    EXPECT_EQ(Indices({0, 1, 2}), Path(0, 2));
    EXPECT_TRUE(mWeb.ResetPaths());
    EXPECT_EQ(nullptr, mWeb.GetLastPath());
    EXPECT_EQ(Indices({0, 2}), Path(0, 2, &length));
    EXPECT_FLOAT_EQ(5.0f, length);
    EXPECT_EQ(Indices(), Path(1, 2));
    EXPECT_EQ(Indices(), Path(0, 1));

    mWeb.SetMode(2);
    EXPECT_EQ(Indices(), Path(0, 2));
    EXPECT_TRUE(mLog.Contains("GetShortestPath failure."));
}

TEST_F(PathFindingWeb, AShorterWayFoundLateStillReachesTheWayPointsBehind)
{
    // x is first reached over the far point p; the straight way s, a, b, x is found one
    // wave later and must carry on to y.
    ASSERT_TRUE(Load(Entry("s", 0, 0, "p|a") + Entry("p", 1.5f, 10, "x") + Entry("a", 1, 0, "b") +
                     Entry("b", 2, 0, "x") + Entry("x", 3, 0, "y") + Entry("y", 4, 0, "")));
    float length = 0.0f;
    EXPECT_EQ(Indices({0, 2, 3, 4, 5}), Path(0, 5, &length));
    EXPECT_FLOAT_EQ(4.0f, length);
}

TEST_F(PathFindingWeb, DamagedEntriesAreLoggedAndLeftOutOfPaths)
{
    EXPECT_FALSE(mWeb.Create(nullptr));
    EXPECT_EQ(nullptr, mWeb.GetWayPoint(0));
    EXPECT_TRUE(mLog.Contains("GetWayPoint failure. WayPoints undefined."));

    // No place, a single coordinate, a value instead of a list, a name repeated in other
    // case, a link to nowhere, no links.
    EXPECT_FALSE(Load(Entry("a", 0, 0, "b|ghost|nowhere|c") + "b\n\tlinks=a\n" +
                      "c\n\tcoords=7\n\tlinks=a\n" + "d=1\n" + Entry("A", 9, 9, "a") +
                      "e\n\tcoords=1|1\n"));
    ASSERT_EQ(6, mWeb.GetWayPointCount());
    EXPECT_EQ(2, mLog.Count("Create failure. Unknown way-point: "));
    EXPECT_TRUE(mLog.Contains("Create failure. Invalid coords: c"));
    EXPECT_TRUE(mLog.Contains("Create failure. Duplicate way-point: A"));
    EXPECT_EQ(mWeb.GetWayPoint(0), mWeb.GetWayPoint(LString("A")));
    const LWayPoint* a = mWeb.GetWayPoint(0);
    ASSERT_EQ(2, a->mLinkCount);
    EXPECT_EQ(1, a->mLinks[0]);
    EXPECT_EQ(2, a->mLinks[1]);
    EXPECT_EQ(0, mWeb.GetWayPoint(1)->mActive);
    EXPECT_EQ(0, mWeb.GetWayPoint(3)->mActive);
    EXPECT_EQ(0, mWeb.GetWayPoint(5)->mLinkCount);
    EXPECT_EQ(Indices(), Path(0, 1));
    EXPECT_EQ(Indices({4, 0}), Path(4, 0));
    EXPECT_EQ(nullptr, mWeb.GetWayPoint(6));
    EXPECT_TRUE(mLog.Contains("GetWayPoint failure. Invalid index."));

    std::string many;
    for (int i = 0; i <= LPathFindingWeb::kMaxWayPoints; ++i) {
        many += Entry("w" + std::to_string(i), 0, 0, "");
    }
    EXPECT_FALSE(Load(many));
    EXPECT_EQ(0, mWeb.GetWayPointCount());
    EXPECT_TRUE(mLog.Contains("Create failure. Too many way-points: 1025"));
}

TEST_F(PathFindingWeb, TheTableOfALongChainStaysSmall)
{
    // w0 -> w1 -> ... -> w1023, one unit apart.
    std::string chain;
    for (int i = 0; i < LPathFindingWeb::kMaxWayPoints; ++i) {
        chain += Entry("w" + std::to_string(i), float(i), 0, "w" + std::to_string(i + 1));
    }
    ASSERT_FALSE(Load(chain)); // the last link leads nowhere
    const int last = LPathFindingWeb::kMaxWayPoints - 1;
    const int heap = LMemoryManager::GetCurrentHeapIndex();
    int64_t before = 0, after = 0, peak = 0, allocs = 0;
    ASSERT_EQ(1, LMemoryManager::GetHeapStats(heap, before, peak, allocs));

    float length = 0.0f;
    const Indices path = Path(0, last, &length);
    ASSERT_EQ(size_t(last + 1), path.size());
    EXPECT_EQ(last, path.back());
    EXPECT_FLOAT_EQ(float(last), length);
    ASSERT_EQ(1, LMemoryManager::GetHeapStats(heap, after, peak, allocs));
#if L_TRACK_ALLOC
    // One row of lengths and predecessors, and the last path.
    EXPECT_LT(after - before, 64 << 10);
#endif
    for (int from = 0; from <= last; ++from) {
        ASSERT_EQ(from == last ? 1u : 2u, Path(from, std::min(from + 1, last)).size()) << from;
    }
    EXPECT_EQ(Indices(), Path(last, 0));
    ASSERT_EQ(1, LMemoryManager::GetHeapStats(heap, after, peak, allocs));
#if L_TRACK_ALLOC
    // Every row: N x N lengths and predecessors, under 8 MB (whole paths took 1.5 GB).
    EXPECT_LT(after - before, 8 << 20);
    EXPECT_GT(after - before, 4 << 20);
#endif
}
