// The intro: the logo movie as the first screen, the space bar from half a second on, the
// mouse kept to the intro, the two ends of the movie and a movie that cannot be made.
#include "menu/GMIntro.h"

#include "GMScreenManager.h"
#include "Input/LIMouseListener.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "menu/GMMainMenu.h"
#include "menu/GMMenuButton.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

struct Counting : LIMouseListener
{
    void OnDoubleClick(int) override { ++mEvents; }
    void OnButtonDown(int) override { ++mEvents; }
    void OnMove(const LVector2&) override { ++mEvents; }
    void OnButtonUp(int) override { ++mEvents; }
    int mEvents = 0;
};

class IntroTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMSceneFlow::PrepareGame());
        LFakeMovieManager::Reset();
        mScreens = GMScreenManager::GetInstance();
        mIntro = GMIntro::GetInstance();
        ASSERT_NE(nullptr, mIntro);
        mFrameListeners = LFrameManager::Get()->GetListenerCount();
        mKeyListeners = LKeyboard::Get()->GetListenerCount();
    }

    void TearDown() override
    {
        delete GMCleaner::GetInstance();
        LFakeMovieManager::Reset();
    }

    // The intro pushed as the first screen; the start time is 1.0.
    void Start()
    {
        ASSERT_TRUE(mScreens->PushFade(mIntro));
        mMovie = LFakeMoviePlayer::Find(LString("Vesmar_Logo.bik"));
        ASSERT_NE(nullptr, mMovie);
    }

    // Checked once the menu's fade-in is over.
    void ExpectMainMenuAlone()
    {
        GMSceneFlow::Frames(10);
        EXPECT_EQ(1, mScreens->GetCount());
        EXPECT_EQ(static_cast<GMIScreen*>(GMMainMenu::Peek()), mScreens->GetTop());
        EXPECT_EQ(nullptr, mIntro->GetMovie());
        EXPECT_TRUE(LFakeMoviePlayer::Live().empty());
        EXPECT_FALSE(LMouse::Get()->IsLocked());
        EXPECT_FALSE(LKeyboard::Get()->Contains(mIntro));
        // The frame listeners now are the menu's seven buttons: none of the intro's is left.
        EXPECT_EQ(mFrameListeners + 7, LFrameManager::Get()->GetListenerCount());
        EXPECT_EQ(mKeyListeners + 1, LKeyboard::Get()->GetListenerCount());
        GMMenuButton* resume = GMMainMenu::Peek()->GetButton(LString("resume_game"));
        ASSERT_NE(nullptr, resume);
        EXPECT_EQ(GMMenuButton::STATE_DISABLED, resume->GetState());
    }

    static void Space()
    {
        LKeyboard::Get()->OnKeyDown(GMIntro::kSpaceKey);
        LKeyboard::Get()->OnKeyUp(GMIntro::kSpaceKey);
    }

    LLogCapture mLog;
    GMScreenManager* mScreens = nullptr;
    GMIntro* mIntro = nullptr;
    LFakeMoviePlayer* mMovie = nullptr;
    int mFrameListeners = 0;
    int mKeyListeners = 0;
};

} // namespace

TEST_F(IntroTest, TheLogoPlaysFullScreenOverEverythingWithoutACursor)
{
    GMOptions::GetInstance()->mVolume = 0.25f;
    Start();
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    EXPECT_EQ("intro", ToStd(LFakeMovieManager::sMade[0].mId));
    EXPECT_EQ("//dataroot/movies/Vesmar_Logo.bik", ToStd(LFakeMovieManager::sMade[0].mFileName));
    EXPECT_TRUE(LFakeMovieManager::sMade[0].mFullScreen);
    EXPECT_TRUE(mMovie->mPlaying);
    EXPECT_FLOAT_EQ(0.25f, mMovie->GetVolume());
    EXPECT_FLOAT_EQ(GMIntro::kMovieZ, mMovie->GetRelativeZ());
    EXPECT_EQ(GMCursor::TYPE_EMPTY, GMCursor::GetInstance()->GetType());
    EXPECT_EQ(static_cast<LIMovieListener*>(mIntro), mMovie->GetListener());
    EXPECT_TRUE(LMouse::Get()->IsLocked());
}

TEST_F(IntroTest, SpaceInTheFirstHalfSecondDoesNothingAndAfterwardsSkipsOnTheNextFrame)
{
    Start();
    GMSceneFlow::Frames(2);
    EXPECT_FALSE(mIntro->IsSkippable());
    Space();
    GMSceneFlow::Frames(2);
    EXPECT_EQ(static_cast<GMIScreen*>(mIntro), mScreens->GetTop());
    EXPECT_EQ(0, mMovie->mPauses);

    ASSERT_TRUE(GMSceneFlow::FramesUntil([this] { return mIntro->IsSkippable(); }, 20));
    Space();
    // Paused at once; the screens change on the next frame.
    EXPECT_EQ(1, mMovie->mPauses);
    EXPECT_EQ(static_cast<GMIScreen*>(mIntro), mScreens->GetTop());
    GMSceneFlow::Frames(1);
    EXPECT_EQ(static_cast<GMIScreen*>(GMMainMenu::Peek()), mScreens->GetTop());
    ExpectMainMenuAlone();
}

TEST_F(IntroTest, ClicksNeverSkipAndMovesReachOnlyTheCursor)
{
    Counting other;
    ASSERT_TRUE(LMouse::Get()->AddMember(&other, -100.0f));
    Start();
    GMSceneFlow::Frames(20);
    GMSceneFlow::Click(LVector2(400.0f, 300.0f));
    LMouse::Get()->OnButtonDown(2);
    LMouse::Get()->OnButtonUp(2);
    GMSceneFlow::Frames(2);
    EXPECT_EQ(0, other.mEvents);
    EXPECT_EQ(static_cast<GMIScreen*>(mIntro), mScreens->GetTop());
    EXPECT_EQ(mMovie, LFakeMoviePlayer::Newest());
    EXPECT_EQ(0, mMovie->mPauses);

    // After the intro the mouse is the listeners' again, from its very first event.
    mMovie->End();
    GMSceneFlow::Click(LVector2(600.0f, 100.0f));
    EXPECT_EQ(3, other.mEvents);
    LMouse::Get()->RemoveListener(&other);
}

TEST_F(IntroTest, TheMoviesEndNoticeLeadsToTheMainMenuAlone)
{
    Start();
    GMSceneFlow::Frames(12);
    ASSERT_TRUE(mIntro->IsSkippable());
    // The frame loop tells the end and the intro deletes the player inside the notice.
    mMovie->MarkEnded();
    GMSceneFlow::Frames(1);
    EXPECT_EQ(static_cast<GMIScreen*>(GMMainMenu::Peek()), mScreens->GetTop());
    ExpectMainMenuAlone();
    EXPECT_FALSE(LKeyboard::Get()->Contains(mIntro));
    // A late space bar changes nothing.
    Space();
    GMSceneFlow::Frames(2);
    EXPECT_EQ(1, mScreens->GetCount());
}

TEST_F(IntroTest, AMovieThatCannotBeMadeGoesStraightToTheMainMenu)
{
    LFakeMovieManager::sRefuseAll = true;
    ASSERT_TRUE(mScreens->PushFade(mIntro));
    ExpectMainMenuAlone();
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    GMSceneFlow::Frames(2);
    EXPECT_EQ(1, mScreens->GetCount());
}
