#include "Render/LINavigation.h"
#include "Render/LINavigationListener.h"
#include "Render/LPathFindingWeb.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

namespace {
class LTestNavigation : public LINavigation
{
public:
    bool Navigate() override { return true; }
};

class LTestListener : public LINavigationListener
{
public:
    void OnNavigationStopped() override {}
};

// Counts its deletions, so a test sees which web a navigation let go.
class LCountedWeb : public LPathFindingWeb
{
public:
    explicit LCountedWeb(int& aDeleted) : mDeleted(aDeleted) {}
    ~LCountedWeb() override { ++mDeleted; }

private:
    int& mDeleted;
};
} // namespace

TEST(Navigation, ListenerIsRemovedOnlyByItself)
{
    LLogCapture log;
    LTestNavigation navigation;
    LTestListener first;
    LTestListener other;
    EXPECT_FALSE(navigation.RemoveListener(nullptr));
    EXPECT_FALSE(navigation.SetListener(nullptr));
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: "));
    EXPECT_TRUE(log.Contains("SetListener failure. NULL arg."));
    ASSERT_TRUE(navigation.SetListener(&first));
    EXPECT_FALSE(navigation.RemoveListener(&other));
    EXPECT_EQ(&first, navigation.GetListener());
    EXPECT_TRUE(navigation.RemoveListener(&first));
    EXPECT_EQ(nullptr, navigation.GetListener());
}

TEST(Navigation, ReplacingThePathFindingDeletesTheOldOneOnly)
{
    LLogCapture log;
    int deleted = 0;
    LTestNavigation navigation;
    LCountedWeb* first = new LCountedWeb(deleted);
    LCountedWeb* second = new LCountedWeb(deleted);
    EXPECT_FALSE(navigation.SetPathFinding(nullptr));
    EXPECT_TRUE(log.Contains("SetPathFinding failure. NULL arg."));
    ASSERT_TRUE(navigation.SetPathFinding(first));
    // Handing over the held web again keeps it alive.
    ASSERT_TRUE(navigation.SetPathFinding(first));
    EXPECT_EQ(0, deleted);
    EXPECT_EQ(first, navigation.GetPathFinding());
    EXPECT_EQ(-1, first->FindNearestWayPoint(LVector2(0, 0))); // still alive
    ASSERT_TRUE(navigation.SetPathFinding(second));
    EXPECT_EQ(1, deleted);
    EXPECT_EQ(second, navigation.GetPathFinding());
    delete second; // the navigation does not delete what it holds
    EXPECT_EQ(2, deleted);
}
