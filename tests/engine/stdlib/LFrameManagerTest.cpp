#include "stdlib/LCleaner.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFrameListener.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

namespace {

std::string gCalls;

class Listener : public LIFrameListener
{
public:
    explicit Listener(char aName) : mName(aName) {}

    void OnFrame() override
    {
        gCalls += mName;
        if (mAction) {
            mAction();
        }
    }

    char mName;
    std::function<void()> mAction;
};

class FrameManagerTest : public testing::Test
{
protected:
    void SetUp() override { gCalls.clear(); }
    LFrameManager mManager;
};

} // namespace

TEST_F(FrameManagerTest, LowestPriorityFirstTiesInOrderOfAdding)
{
    Listener a('A'), b('B'), c('C'), d('D');
    ASSERT_EQ(1, mManager.AddListener(&a, 0.0f));
    ASSERT_EQ(1, mManager.AddListener(&b, -100.0f));
    ASSERT_EQ(1, mManager.AddListener(&c, 0.0f));
    ASSERT_EQ(1, mManager.AddListener(&d, -90.0f));
    EXPECT_EQ(1, mManager.Update());
    EXPECT_EQ("BDAC", gCalls);
}

TEST_F(FrameManagerTest, RefusesNullDuplicateAndUnknownListeners)
{
    LLogCapture log;
    Listener a('A'), b('B');
    EXPECT_EQ(0, mManager.AddListener(nullptr, 0.0f));
    EXPECT_TRUE(log.Contains("ERROR: .\\stdlib\\LFrameManager.cpp"));
    EXPECT_TRUE(log.Contains("Add listener failure. apListener == NULL."));
    Listener n('N');
    mManager.AddListener(&a, 5.0f);
    mManager.AddListener(&n, std::numeric_limits<float>::quiet_NaN()); // appended, passed over
    mManager.AddListener(&b, 1.0f);
    EXPECT_EQ(0, mManager.AddListener(&a, -5.0f));
    EXPECT_TRUE(log.Contains("Add listener failure. Duplicate found."));
    mManager.Update();
    EXPECT_EQ("BAN", gCalls);
    Listener stranger('S');
    EXPECT_EQ(0, mManager.RemoveListener(&stranger));
    EXPECT_TRUE(log.Contains("Remove listener error."));
    EXPECT_EQ(3, mManager.GetListenerCount());
}

TEST_F(FrameManagerTest, ListenersRemovedDuringAPassAreNotCalled)
{
    Listener a('A'), b('B'), c('C');
    a.mAction = [&] { mManager.RemoveListener(&c); };
    b.mAction = [&] { mManager.RemoveListener(&b); };
    mManager.AddListener(&a, 0.0f);
    mManager.AddListener(&b, 0.0f);
    mManager.AddListener(&c, 0.0f);
    mManager.Update();
    EXPECT_EQ("AB", gCalls);
    gCalls.clear();
    mManager.Update();
    EXPECT_EQ("A", gCalls);
}

TEST_F(FrameManagerTest, ListenersAddedDuringAPassStartNextPass)
{
    Listener a('A'), b('B'), late('L');
    a.mAction = [&] {
        if (mManager.GetListenerCount() == 2) {
            mManager.AddListener(&late, -1.0f);
        }
    };
    // Removed and added again in one pass: not called again in that pass.
    bool moved = false;
    b.mAction = [&] {
        if (!moved) {
            moved = true;
            mManager.RemoveListener(&a);
            mManager.AddListener(&a, 10.0f);
        }
    };
    mManager.AddListener(&a, 0.0f);
    mManager.AddListener(&b, 1.0f);
    mManager.Update();
    EXPECT_EQ("AB", gCalls);
    gCalls.clear();
    mManager.Update();
    EXPECT_EQ("LBA", gCalls);
}

TEST_F(FrameManagerTest, InterruptEndsTheRunningPassOrSkipsTheNextOne)
{
    Listener a('A'), b('B'), c('C');
    b.mAction = [&] { mManager.Interrupt(); };
    mManager.AddListener(&a, 0.0f);
    mManager.AddListener(&b, 1.0f);
    mManager.AddListener(&c, 2.0f);
    mManager.Update();
    EXPECT_EQ("AB", gCalls);
    b.mAction = nullptr;
    gCalls.clear();
    mManager.Update();
    EXPECT_EQ("ABC", gCalls);
    gCalls.clear();
    EXPECT_EQ(1, mManager.Interrupt());
    EXPECT_EQ(1, mManager.Update());
    EXPECT_EQ("", gCalls);
    mManager.Update();
    EXPECT_EQ("ABC", gCalls);
}

TEST_F(FrameManagerTest, NestedPassesEachFinishTheirOwnSnapshot)
{
    Listener a('A'), b('B'), c('C');
    bool nested = false;
    a.mAction = [&] {
        if (!nested) {
            nested = true;
            mManager.Update();
        }
    };
    // Removed inside the nested pass: the outer pass must not call it either.
    b.mAction = [&] { mManager.RemoveListener(&c); };
    mManager.AddListener(&a, 0.0f);
    mManager.AddListener(&b, 1.0f);
    mManager.AddListener(&c, 2.0f);
    mManager.Update();
    EXPECT_EQ("AABB", gCalls);
}

TEST(FrameManagerSingleton, GetReturnsNullAfterTheCleanerDeletedIt)
{
    LLogCapture log;
    LFrameManager* manager = LFrameManager::Get();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(manager, LFrameManager::Get());
    delete LCleaner::Get();
    EXPECT_TRUE(log.Contains("~LFrameManager()"));
    EXPECT_EQ(nullptr, LFrameManager::Get());
}

TEST(FrameManagerSingleton, ANestedPassSurvivesTheManagersDeletion)
{
    gCalls.clear();
    LFrameManager* manager = LFrameManager::Get();
    Listener a('A'), b('B');
    a.mAction = [&] { delete LCleaner::Get(); };
    manager->AddListener(&a, 0.0f);
    manager->AddListener(&b, 1.0f);
    EXPECT_EQ(1, manager->Update());
    EXPECT_EQ("A", gCalls);
    EXPECT_EQ(nullptr, LFrameManager::Get());
}
