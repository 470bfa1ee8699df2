// The hotel window on the sample's layout: the cursor over the view, taking the photo by
// the item or the corner, the drop on the spot, solving and its line, and leaving.
#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "pda/GMPDAMinimized.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kActive = GMHotelWindowPuzzle::kActiveState;

class HotelWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMHotelWindowPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }
    bool SceneOnTop() { return GMScreenManager::GetInstance()->GetTop() == static_cast<GMIScreen*>(&mHarness.Scene()); }

    static void PressAt(const LVector2& aAt)
    {
        LFakeTimer::sNow += 1.0;
        GMPuzzleHarness::MoveTo(aAt);
        LMouse::Get()->OnButtonDown(1);
        LMouse::Get()->OnButtonUp(1);
    }

    // The photo taken from the inventory as the cursor, over the view.
    static void TakeWith(const char* aItem)
    {
        GMCursor::GetInstance()->SetItemCursor(LString(aItem));
        PressAt(LVector2(400.0f, 200.0f)); // the move makes it the highlighted item cursor
    }

    static int Made(const char* aName)
    {
        int count = 0;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            count += ToStd(made.mName) == aName ? 1 : 0;
        }
        return count;
    }

    GMPuzzleHarness mHarness;
    GMHotelWindowPuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(HotelWindowTest, TheShowingTakesTheTargetCursorAndAnItemOverTheViewTurnsHighlighted)
{
    GMCursor* cursor = GMCursor::GetInstance();
    ASSERT_TRUE(Open());
    EXPECT_EQ(GMCursor::TYPE_TARGET, cursor->GetType());
    EXPECT_EQ("hotelwindow", ToStd(cursor->GetOwner()));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_FALSE(mPuzzle->GetPolaroid()->GetVisible());
    cursor->SetItemCursor(LString("glove"));
    GMPuzzleHarness::MoveTo(LVector2(200.0f, 200.0f));
    EXPECT_EQ(GMCursor::TYPE_ITEM_HILIGHT, cursor->GetType());
    EXPECT_EQ("hotelwindow", ToStd(cursor->GetOwner()));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(HotelWindowTest, OnlyThePhotoOrAClickBeyondTheCornerTakesIt)
{
    ASSERT_TRUE(Open());
    TakeWith("glove");
    EXPECT_FALSE(mPuzzle->IsHolding());
    GMCursor::GetInstance()->ReleaseCursor(LString());
    GMCursor::GetInstance()->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
    PressAt(LVector2(770.0f, 580.0f));
    EXPECT_FALSE(mPuzzle->IsHolding());
    PressAt(LVector2(780.0f, 570.0f));
    EXPECT_FALSE(mPuzzle->IsHolding());
    PressAt(LVector2(771.0f, 571.0f));
    ASSERT_TRUE(mPuzzle->IsHolding());
    EXPECT_TRUE(mPuzzle->GetPolaroid()->GetVisible());
    EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsShown());
    ASSERT_TRUE(mHarness.Back(mPuzzle));

    ASSERT_TRUE(Open());
    TakeWith("3pm17");
    ASSERT_TRUE(mPuzzle->IsHolding());
    EXPECT_EQ(400.0f, mPuzzle->GetPolaroid()->GetLocalPosition().x);
    GMPuzzleHarness::MoveTo(LVector2(250.0f, 260.0f));
    EXPECT_EQ(250.0f, mPuzzle->GetPolaroid()->GetLocalPosition().x);
    EXPECT_EQ(260.0f, mPuzzle->GetPolaroid()->GetLocalPosition().y);
}

TEST_F(HotelWindowTest, ADropFourPixelsOffSolvesAndFiveOffOnEitherAxisDoesNothing)
{
    ASSERT_TRUE(Open());
    TakeWith("3pm17");
    ASSERT_TRUE(mPuzzle->IsHolding());
    for (const LVector2& miss : {LVector2(302.0f, 353.0f), LVector2(297.0f, 348.0f), LVector2(292.9f, 353.0f)}) {
        PressAt(miss);
        EXPECT_FALSE(mPuzzle->IsSolved());
        EXPECT_TRUE(mPuzzle->IsHolding());
    }
    PressAt(LVector2(301.9f, 349.0f));
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_hotelwindowpuzzle_solved"));
    EXPECT_FALSE(mPuzzle->IsMouseListening());
    EXPECT_FALSE(GMPuzzleHarness::Member(mPuzzle, "back_btn")->GetActive());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("vo")));
    GMPuzzleHarness::Frames(20); // the line is longer than the subtitle's fade-in
    ASSERT_TRUE(GMPuzzleHarness::EndStream("vo"));
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(HotelWindowTest, WithoutTheSolvingLineTheScreenClosesAtOnce)
{
    LFakeSoundManager::sRefuseUnfound = true;
    ASSERT_TRUE(Open());
    TakeWith("3pm17");
    PressAt(LVector2(297.0f, 353.0f));
    ASSERT_TRUE(mPuzzle->IsSolved());
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    LFakeSoundManager::sRefuseUnfound = false;
}

TEST_F(HotelWindowTest, LeavingWhileHoldingShowsTheCursorAndTheBarAgain)
{
    ASSERT_TRUE(Open());
    LCursor* engine = GMCursor::GetInstance()->GetEngineCursor();
    ASSERT_NE(nullptr, engine);
    TakeWith("3pm17");
    ASSERT_TRUE(mPuzzle->IsHolding());
    EXPECT_FALSE(engine->GetVisible());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(SceneOnTop());
    EXPECT_TRUE(engine->GetVisible());
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, GMCursor::GetInstance()->GetDefaultType());
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsHolding());
}

TEST_F(HotelWindowTest, TheHintPlaysOnlyAtTheFirstShowingAtEasy)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_hotelwindowpuzzle_initvo"));
    EXPECT_EQ(0, Made("puzzleVO"));
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    EXPECT_EQ(0, Made("puzzleVO"));
    ASSERT_TRUE(mHarness.Back(mPuzzle));

    LEventManager::Get()->RemoveAllEvents();
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, Made("puzzleVO"));
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, Made("puzzleVO"));
}
