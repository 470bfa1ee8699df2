// The screen stack: changes through black in the order the screens must hear them, a
// change refused while one runs, the fader kept from other listeners meanwhile, the
// operations without a fade, and the singletons.
#include "GMIScreen.h"
#include "GMScreenManager.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Heard = std::vector<std::string>;

class RecordingScreen : public GMIScreen
{
public:
    RecordingScreen(const char* aName, Heard& aLog) : mName(aName), mLog(aLog) {}
    void OnLeave() override { mLog.push_back(mName + ":leave"); }
    void OnHidden() override { mLog.push_back(mName + ":hidden"); }
    void OnShow() override { mLog.push_back(mName + ":show"); }

    std::string mName;
    Heard& mLog;
};

class ScreenManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        LFakeTimer::sNow = 10.0;
        mFader = new GMScreenFader();
        ASSERT_TRUE(mFader->Init());
        mManager = new GMScreenManager(mFader);
    }

    void TearDown() override
    {
        delete mManager;
        delete mFader;
    }

    float Blend() const { return mFader->GetGroup()->GetBlend(); }

    // A's first fade-in run to its end.
    void ShowA()
    {
        ASSERT_TRUE(mManager->PushFade(&mA));
        LFakeTimer::FrameAt(10.31);
        LFakeTimer::FrameAt(10.33);
        ASSERT_EQ(nullptr, mFader->GetListener());
        mHeard.clear();
        LFakeTimer::sNow = 20.0;
    }

    LLogCapture mLog;
    Heard mHeard;
    RecordingScreen mA {"A", mHeard};
    RecordingScreen mB {"B", mHeard};
    GMScreenFader* mFader = nullptr;
    GMScreenManager* mManager = nullptr;
};

} // namespace

TEST_F(ScreenManagerTest, FirstScreenShowsAtOnceUnderBlackThatClears)
{
    ASSERT_TRUE(mManager->PushFade(&mA));
    EXPECT_EQ((Heard {"A:show"}), mHeard);
    EXPECT_EQ(&mA, mManager->GetTop());
    EXPECT_FLOAT_EQ(1.0f, Blend());
    // The fade-in's start went to nobody: a change may come at once.
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_EQ(mManager, mFader->GetListener());
    LFakeTimer::FrameAt(10.15);
    EXPECT_FLOAT_EQ(0.5f, Blend());
    LFakeTimer::FrameAt(10.31);
    LFakeTimer::FrameAt(10.33);
    EXPECT_FLOAT_EQ(0.0f, Blend());
    EXPECT_EQ(nullptr, mFader->GetListener());
    EXPECT_EQ((Heard {"A:show"}), mHeard);
}

TEST_F(ScreenManagerTest, PushThenPopFadeThroughBlackAndRefuseChangesMeanwhile)
{
    ShowA();
    ASSERT_TRUE(mManager->PushFade(&mB));
    EXPECT_EQ((Heard {"A:leave"}), mHeard);
    EXPECT_TRUE(mManager->IsBusy());
    EXPECT_EQ(&mB, mManager->GetTop());

    RecordingScreen c("C", mHeard);
    GMIScreen* popped = nullptr;
    EXPECT_FALSE(mManager->PushFade(&c));
    EXPECT_FALSE(mManager->PopFade(&popped));
    EXPECT_EQ(nullptr, popped);
    EXPECT_EQ(2, mManager->GetCount());
    EXPECT_EQ("", mLog.Bytes()); // refused silently

    LFakeTimer::FrameAt(20.15);
    EXPECT_FLOAT_EQ(0.5f, Blend());
    LFakeTimer::FrameAt(20.31);
    EXPECT_EQ((Heard {"A:leave"}), mHeard); // black is drawn once before the swap
    LFakeTimer::FrameAt(20.33);
    EXPECT_EQ((Heard {"A:leave", "A:hidden", "B:show"}), mHeard);
    EXPECT_TRUE(mManager->IsBusy());
    EXPECT_FLOAT_EQ(1.0f, Blend());
    LFakeTimer::FrameAt(20.48);
    EXPECT_FLOAT_EQ(0.5f, Blend());
    LFakeTimer::FrameAt(20.64);
    LFakeTimer::FrameAt(20.66);
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_EQ(nullptr, mFader->GetListener());

    mHeard.clear();
    ASSERT_TRUE(mManager->PopFade(&popped));
    EXPECT_EQ(&mB, popped);
    EXPECT_EQ(&mA, mManager->GetTop());
    for (double t : {20.8, 20.97, 20.99, 21.15, 21.30, 21.32}) {
        LFakeTimer::FrameAt(t);
    }
    EXPECT_EQ((Heard {"B:leave", "B:hidden", "A:show"}), mHeard);
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_FLOAT_EQ(0.0f, Blend());
}

TEST_F(ScreenManagerTest, ChangeOnABlackPictureSwapsWithoutWaiting)
{
    ShowA();
    ASSERT_TRUE(mFader->FadeOut()); // someone else darkened the picture
    LFakeTimer::FrameAt(20.31);
    LFakeTimer::FrameAt(20.33);
    ASSERT_TRUE(mManager->PushFade(&mB));
    EXPECT_EQ((Heard {"A:leave", "A:hidden", "B:show"}), mHeard);
    EXPECT_TRUE(mManager->IsBusy()); // fading in
    LFakeTimer::FrameAt(20.64);
    LFakeTimer::FrameAt(20.66);
    EXPECT_FALSE(mManager->IsBusy());
}

TEST_F(ScreenManagerTest, PopFadeRefusals)
{
    RecordingScreen c("C", mHeard);
    GMIScreen* filled = &c;
    EXPECT_FALSE(mManager->PopFade(nullptr));
    EXPECT_FALSE(mManager->PopFade(&filled));
    EXPECT_EQ(2, mLog.Count("ASSERT FAILURE: .\\GMScreenManager.cpp"));
    EXPECT_EQ(2, mLog.Count("Invalid arg."));

    mLog.Clear();
    GMIScreen* popped = nullptr;
    EXPECT_FALSE(mManager->PopFade(&popped));
    EXPECT_TRUE(mLog.Contains("PopFade failure. NULL arg."));
    EXPECT_EQ(nullptr, popped);

    // The last screen stays shown and on the stack, and is told nothing.
    ShowA();
    mLog.Clear();
    EXPECT_FALSE(mManager->PopFade(&popped));
    EXPECT_EQ(nullptr, popped);
    EXPECT_EQ(1, mManager->GetCount());
    EXPECT_EQ(&mA, mManager->GetTop());
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: .\\GMScreenManager.cpp"));
    EXPECT_EQ(1, mLog.Count("PopFade failure."));
    EXPECT_TRUE(mHeard.empty());
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_EQ(nullptr, mFader->GetListener());
}

TEST_F(ScreenManagerTest, AFadeStoppedBeforeItsEndLetsTheNextChangeIn)
{
    ShowA();
    ASSERT_TRUE(mManager->PushFade(&mB));
    ASSERT_TRUE(mManager->IsBusy());
    LFakeTimer::FrameAt(20.15);
    mFader->OnFaderEvent(LString("gmscreenfader"), LFader::kStopped);
    EXPECT_FALSE(mManager->IsBusy());
    GMIScreen* popped = nullptr;
    EXPECT_TRUE(mManager->PopFade(&popped));
    EXPECT_EQ(&mB, popped);
}

TEST_F(ScreenManagerTest, AFadeOfAnotherPartLeavesTheManagerFreeToChangeScreens)
{
    struct Viewpoint : GMIScreenFaderListener
    {
        explicit Viewpoint(GMScreenFader* aFader) : mFader(aFader) {}
        void OnFade(int aEvent) override
        {
            if (aEvent == LFader::kFinished && !mFader->IsFadedIn()) {
                mFader->FadeIn(); // black: rebuild, then show again
            } else if (aEvent == LFader::kFinished) {
                mFader->RemoveListener(this);
            }
        }
        GMScreenFader* mFader;
    } viewpoint(mFader);
    ShowA();
    ASSERT_TRUE(mFader->SetListener(&viewpoint));
    ASSERT_TRUE(mFader->FadeOut());
    for (double t : {20.2, 20.31, 20.33, 20.5, 20.64, 20.66}) {
        LFakeTimer::FrameAt(t);
    }
    EXPECT_EQ(nullptr, mFader->GetListener());
    EXPECT_FALSE(mManager->IsBusy());
    ASSERT_TRUE(mManager->PushFade(&mB));
    for (double t : {20.8, 20.97, 20.99, 21.15, 21.30, 21.32}) {
        LFakeTimer::FrameAt(t);
    }
    EXPECT_EQ((Heard {"A:leave", "A:hidden", "B:show"}), mHeard);
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_FLOAT_EQ(0.0f, Blend());
}

TEST_F(ScreenManagerTest, AChangeKeepsTheFaderFromOtherListenersUntilItEnds)
{
    struct Other : GMIScreenFaderListener
    {
        void OnFade(int aEvent) override { mHeard.push_back(aEvent); }
        std::vector<int> mHeard;
    } other;
    ShowA();
    ASSERT_TRUE(mManager->PushFade(&mB));
    // Taken in the fade-out or in the fade-in, the change would never end.
    EXPECT_FALSE(mFader->SetListener(&other));
    EXPECT_EQ(1, mLog.Count("ERROR: ") + mLog.Count("ASSERT FAILURE: "));
    EXPECT_TRUE(mLog.Contains("A change of screen holds the fader."));
    LFakeTimer::FrameAt(20.31);
    LFakeTimer::FrameAt(20.33);
    EXPECT_EQ((Heard {"A:leave", "A:hidden", "B:show"}), mHeard);
    EXPECT_FALSE(mFader->SetListener(&other));
    LFakeTimer::FrameAt(20.64);
    LFakeTimer::FrameAt(20.66);
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_TRUE(other.mHeard.empty());

    // Free again once the change has ended, and once a change was stopped.
    ASSERT_TRUE(mFader->SetListener(&other));
    ASSERT_TRUE(mFader->RemoveListener(&other));
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(mManager->PopFade(&popped));
    mFader->OnFaderEvent(LString("gmscreenfader"), LFader::kStopped);
    EXPECT_TRUE(mFader->SetListener(&other));
}

TEST_F(ScreenManagerTest, AFirstScreenThatReplacesItselfWhileShowingLeavesTheOtherAlone)
{
    // An intro without its movie: shown, it clears the stack and pushes the menu.
    struct Intro : RecordingScreen
    {
        Intro(Heard& aLog, GMScreenManager* aManager, GMIScreen* aNext) : RecordingScreen("I", aLog), mManager(aManager), mNext(aNext) {}
        void OnShow() override
        {
            RecordingScreen::OnShow();
            mManager->Clear();
            mPushed = mManager->PushFade(mNext);
        }
        GMScreenManager* mManager;
        GMIScreen* mNext;
        bool mPushed = false;
    } intro(mHeard, mManager, &mB);
    EXPECT_TRUE(mManager->PushFade(&intro));
    EXPECT_TRUE(intro.mPushed);
    for (double t : {10.15, 10.31, 10.33, 10.5}) {
        LFakeTimer::FrameAt(t);
    }
    EXPECT_EQ(1, mManager->GetCount());
    EXPECT_EQ(&mB, mManager->GetTop());
    EXPECT_EQ((Heard {"I:show", "B:show"}), mHeard);
    EXPECT_FALSE(mManager->IsBusy());
    EXPECT_EQ(nullptr, mFader->GetListener());
    EXPECT_FLOAT_EQ(0.0f, Blend());
    GMIScreen* popped = nullptr;
    EXPECT_FALSE(mManager->PopFade(&popped)); // the menu is the last screen
    EXPECT_TRUE(mManager->PushFade(&mA));
}

TEST_F(ScreenManagerTest, StepsAskedDuringAChangeRunAfterItInOrderUnlessTheirOwnerHasGone)
{
    ShowA();
    std::vector<int> ran;
    // Nothing runs: at once.
    EXPECT_TRUE(mManager->WhenIdle(nullptr, [&] { ran.push_back(0); }));
    EXPECT_EQ((std::vector<int> {0}), ran);

    ASSERT_TRUE(mManager->PushFade(&mB));
    auto* gone = new RecordingScreen("G", mHeard);
    EXPECT_TRUE(mManager->WhenIdle(&mB, [&] { ran.push_back(1); }));
    EXPECT_TRUE(mManager->WhenIdle(gone, [&] { ran.push_back(2); }));
    // B closes itself: that close starts a change of its own, which the last step waits for.
    EXPECT_TRUE(mManager->PopFadeWhenIdle(&mB));
    EXPECT_TRUE(mManager->WhenIdle(nullptr, [&] { ran.push_back(mManager->IsBusy() ? -3 : 3); }));
    delete gone;
    EXPECT_EQ(4, mManager->GetWaitingCount());
    double t = 20.0;
    while (mManager->IsBusy() && t < 22.0) {
        t += 0.05;
        LFakeTimer::FrameAt(t);
        EXPECT_EQ((std::vector<int> {0}), ran);
    }
    EXPECT_FALSE(mManager->IsBusy());

    // The next frame pass: B's own step, then B's close; the last step waits for that.
    LFakeTimer::FrameAt(t + 0.05);
    EXPECT_EQ((std::vector<int> {0, 1}), ran);
    EXPECT_TRUE(mManager->IsBusy());
    EXPECT_EQ(&mA, mManager->GetTop());
    EXPECT_EQ(1, mManager->GetWaitingCount());
    for (int i = 0; i < 40 && mManager->GetWaitingCount() > 0; ++i) {
        LFakeTimer::FrameAt(t += 0.05);
    }
    EXPECT_EQ((std::vector<int> {0, 1, 3}), ran);
    EXPECT_EQ(0, mManager->GetWaitingCount());
    EXPECT_FALSE(mManager->IsBusy());
    // A close for a screen that is not on top leaves the stack alone.
    EXPECT_FALSE(mManager->PopFadeWhenIdle(&mB));
    EXPECT_EQ(&mA, mManager->GetTop());
}

TEST_F(ScreenManagerTest, AManagerEndedWithStepsWaitingRunsNoneOfThem)
{
    ShowA();
    ASSERT_TRUE(mManager->PushFade(&mB));
    bool ran = false;
    EXPECT_TRUE(mManager->WhenIdle(nullptr, [&] { ran = true; }));
    delete mManager;
    mManager = nullptr;
    for (double t = 20.1; t < 21.0; t += 0.1) {
        LFakeTimer::FrameAt(t);
    }
    EXPECT_FALSE(ran);
}

TEST_F(ScreenManagerTest, StackWithoutFades)
{
    RecordingScreen c("C", mHeard);
    EXPECT_EQ(nullptr, mManager->GetTop());
    EXPECT_FALSE(mManager->PushScreen(nullptr));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE: .\\GMScreenManager.cpp"));
    EXPECT_TRUE(mLog.Contains("PushScreen failure. NULL arg."));
    EXPECT_FALSE(mManager->PushFade(nullptr));
    EXPECT_TRUE(mLog.Contains("PushFade failure. NULL arg."));

    for (GMIScreen* screen : {static_cast<GMIScreen*>(&mA), static_cast<GMIScreen*>(&mB),
                              static_cast<GMIScreen*>(&mA), static_cast<GMIScreen*>(&c)}) {
        ASSERT_TRUE(mManager->PushScreen(screen));
    }
    EXPECT_EQ(0, mManager->IndexOf(&mA));
    ASSERT_TRUE(mManager->RemoveScreen(&mA)); // the first one only
    EXPECT_EQ(1, mManager->IndexOf(&mA));
    EXPECT_EQ(-1, mManager->IndexOf(nullptr));
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(mManager->PopScreen(&popped));
    EXPECT_EQ(&c, popped);
    EXPECT_EQ(-1, mManager->IndexOf(&c));
    EXPECT_FALSE(mManager->RemoveScreen(&c));
    EXPECT_EQ(&mA, mManager->GetTop());
    mManager->Clear();
    EXPECT_EQ(nullptr, mManager->GetTop());
    EXPECT_TRUE(mHeard.empty());
}

TEST_F(ScreenManagerTest, StackEmptiedDuringAFadeOutShowsNothingAtBlack)
{
    ShowA();
    ASSERT_TRUE(mManager->PushFade(&mB));
    mManager->Clear();
    LFakeTimer::FrameAt(20.31);
    LFakeTimer::FrameAt(20.33);
    EXPECT_EQ((Heard {"A:leave", "A:hidden"}), mHeard);
}

TEST_F(ScreenManagerTest, ADeletedManagerLeavesTheFader)
{
    ShowA();
    ASSERT_TRUE(mManager->PushFade(&mB));
    ASSERT_EQ(mManager, mFader->GetListener());
    delete mManager;
    mManager = nullptr;
    EXPECT_EQ(nullptr, mFader->GetListener());
    LFakeTimer::FrameAt(20.31);
    LFakeTimer::FrameAt(20.33);
    EXPECT_EQ((Heard {"A:leave"}), mHeard);
}

TEST(ScreenSingletons, ManagerUsesTheFaderSingletonAndTheGameCleanerDeletesBoth)
{
    RegisterFakeRender();
    RegisterFakeTimer();
    LFakeTimer::sNow = 10.0;
    Heard heard;
    RecordingScreen a("A", heard);
    GMScreenManager* manager = GMScreenManager::GetInstance();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(manager, GMScreenManager::GetInstance());
    GMScreenFader* fader = GMScreenFader::GetInstance();
    ASSERT_NE(nullptr, fader);
    LDisplayGroup* root = LDisplayManager::Get()->GetRoot();
    EXPECT_EQ(fader->GetGroup(), root->GetMember(LString("gmscreenfader"))); // set up on creation
    ASSERT_TRUE(manager->PushFade(&a));
    EXPECT_EQ(manager, fader->GetListener());

    delete GMCleaner::GetInstance();
    EXPECT_EQ(nullptr, GMCleaner::Peek());
    EXPECT_EQ(nullptr, root->GetMember(LString("gmscreenfader")));
    LFakeTimer::FrameAt(10.5);
    EXPECT_EQ((Heard {"A:show"}), heard);
}
