// Key states, listener order, focus, interrupts and re-entrant dispatch.
#include "Input/LKeyboard.h"

#include "Input/LIKeyboardListener.h"
#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

class Listener : public LIKeyboardListener
{
public:
    explicit Listener(std::string aName) : mName(std::move(aName)) {}
    void OnKeyDown(int aKey) override
    {
        gCalls.push_back(mName + " down " + std::to_string(aKey));
        if (mOnDown) {
            mOnDown(aKey);
        }
    }
    void OnKeyUp(int aKey) override { gCalls.push_back(mName + " up " + std::to_string(aKey)); }

    std::string mName;
    std::function<void(int)> mOnDown;
};

class LKeyboardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        mKeyboard = LKeyboard::Get();
        ASSERT_NE(nullptr, mKeyboard);
    }
    LLogCapture mLog;
    LKeyboard* mKeyboard = nullptr;
};

TEST_F(LKeyboardTest, LowerPrioritiesFirstAndTiesInRegistrationOrder)
{
    Listener a("a"), b("b"), c("c"), d("d");
    ASSERT_TRUE(mKeyboard->AddListener(&a, 10.0f));
    ASSERT_TRUE(mKeyboard->AddListener(&b, -10000.0f));
    ASSERT_TRUE(mKeyboard->AddListener(&c, 10.0f));
    ASSERT_TRUE(mKeyboard->AddListener(&d, 10.0f));
    EXPECT_TRUE(mKeyboard->OnKeyDown(30));
    EXPECT_EQ((std::vector<std::string>{"b down 30", "a down 30", "c down 30", "d down 30"}), gCalls);
    EXPECT_FALSE(mKeyboard->AddListener(&a, 0.0f));
    EXPECT_TRUE(mLog.Contains("AddListener failure. Duplicate found."));
    EXPECT_FALSE(mKeyboard->AddListener(nullptr, 0.0f));
    EXPECT_TRUE(mLog.Contains("AddListener failure. apListener == NULL."));
}

TEST_F(LKeyboardTest, KeyStatesRefuseBadCodesAndKeyToCharFollowsShift)
{
    EXPECT_TRUE(mKeyboard->OnKeyDown(57)); // no listeners: still recorded
    EXPECT_EQ(1, mKeyboard->IsKeyDown(57));
    EXPECT_TRUE(mKeyboard->OnKeyUp(57));
    EXPECT_EQ(0, mKeyboard->IsKeyDown(57));
    EXPECT_FALSE(mKeyboard->OnKeyDown(256));
    EXPECT_FALSE(mKeyboard->OnKeyDown(-1));
    EXPECT_EQ(2, mLog.Count("aKey out of range: "));
    EXPECT_EQ(0, mKeyboard->IsKeyDown(256));
    EXPECT_EQ(0, mKeyboard->IsKeyDown(-5));

    const struct
    {
        int mKey;
        char mPlain;
        char mShifted;
    } keys[] = {{30, 'a', 'A'}, {2, '1', '1'}, {11, '0', '0'}, {14, '\b', '\b'}, {28, '\r', '\r'},
                {16, 'q', 'Q'}, {50, 'm', 'M'}, {57, ' ', ' '},    {12, 0, 0},      {58, 0, 0},
                {1, 0, 0}};
    for (const auto& key : keys) {
        EXPECT_EQ(key.mPlain, mKeyboard->KeyToChar(key.mKey)) << key.mKey;
    }
    mKeyboard->OnKeyDown(54);
    EXPECT_TRUE(mKeyboard->IsShiftDown());
    for (const auto& key : keys) {
        EXPECT_EQ(key.mShifted, mKeyboard->KeyToChar(key.mKey)) << key.mKey;
    }
    mKeyboard->OnKeyUp(54);
}

TEST_F(LKeyboardTest, InterruptStopsAfterTheListenerAndBetweenEventsSwallowsTheNext)
{
    Listener a("a"), b("b");
    a.mOnDown = [&](int) { mKeyboard->Interrupt(); };
    mKeyboard->AddListener(&a, 0.0f);
    mKeyboard->AddListener(&b, 1.0f);
    mKeyboard->OnKeyDown(30);
    mKeyboard->OnKeyUp(30);
    EXPECT_EQ((std::vector<std::string>{"a down 30", "a up 30", "b up 30"}), gCalls);
    gCalls.clear();
    mKeyboard->Interrupt();
    mKeyboard->OnKeyUp(31);
    EXPECT_TRUE(gCalls.empty());
    mKeyboard->OnKeyUp(31);
    EXPECT_EQ(2u, gCalls.size());
}

TEST_F(LKeyboardTest, FocusIsServedFirstOnceAndIsClearedWithItsListener)
{
    Listener a("a"), b("b");
    mKeyboard->AddListener(&a, 0.0f);
    mKeyboard->AddListener(&b, 1.0f);
    Listener stranger("s");
    EXPECT_FALSE(mKeyboard->GetFocus(&stranger));
    EXPECT_TRUE(mLog.Contains("GetFocus failure. Listener not in current list."));
    ASSERT_TRUE(mKeyboard->GetFocus(&b));
    ASSERT_TRUE(mKeyboard->LockFocus(this));
    EXPECT_FALSE(mKeyboard->GetFocus(&a));
    mKeyboard->OnKeyDown(20);
    EXPECT_EQ((std::vector<std::string>{"b down 20", "a down 20"}), gCalls);
    // Removing the focus listener takes the focus and its lock with it.
    ASSERT_TRUE(mKeyboard->RemoveListener(&b));
    EXPECT_EQ(nullptr, mKeyboard->GetFocusOwner());
    EXPECT_TRUE(mKeyboard->GetFocus(&a));
    EXPECT_FALSE(mKeyboard->UnlockFocus(this));
    EXPECT_FALSE(mKeyboard->RemoveListener(&b));
    EXPECT_TRUE(mLog.Contains("RemoveListener error."));
}

TEST_F(LKeyboardTest, ADispatchInsideADispatchKeepsBothSnapshotsAndChangesTakeEffectSafely)
{
    Listener a("a"), b("b"), c("c"), late("late");
    bool nested = false;
    a.mOnDown = [&](int aKey) {
        if (!nested) {
            nested = true;
            mKeyboard->OnKeyDown(aKey + 1); // feeds a key from inside a callback
            mKeyboard->RemoveListener(&c);
            mKeyboard->AddListener(&late, 100.0f);
        }
    };
    mKeyboard->AddListener(&a, 0.0f);
    mKeyboard->AddListener(&b, 1.0f);
    mKeyboard->AddListener(&c, 2.0f);
    mKeyboard->OnKeyDown(10);
    EXPECT_EQ((std::vector<std::string>{"a down 10", "a down 11", "b down 11", "c down 11", "b down 10"}), gCalls);
    gCalls.clear();
    mKeyboard->OnKeyUp(10);
    EXPECT_EQ((std::vector<std::string>{"a up 10", "b up 10", "late up 10"}), gCalls);
}

TEST_F(LKeyboardTest, AccessorReturnsNothingAfterTheCleanerRan)
{
    delete LCleaner::Get();
    EXPECT_EQ(nullptr, LKeyboard::Get());
}

} // namespace
