// The baseball bat on the sample's layout: the scattered start, unbounded dragging, the
// check at every release with its tolerance and stacking rule, solving with and without
// its line, the looks of a fragment and the intro.
#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/baseballbat/GMBaseballPiece.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kActive = "sta_baseballbatpuzzle_active";
const LVector2 kOrigin(150.0f, 300.0f);

class BatTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMBaseballBatPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LRandom::Seed(3);
    }

    void TearDown() override { LFakeSoundManager::sRefuseUnfound = false; }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    // Every fragment at its place from kOrigin, each above the one before, with aShift
    // added to fragment aShifted.
    void Lay(int aShifted = 0, const LVector2& aShift = LVector2())
    {
        for (int n = 1; n <= GMBaseballBatPuzzle::kPieceCount; ++n) {
            GMBaseballPiece* piece = mPuzzle->GetPiece(n);
            ASSERT_NE(nullptr, piece);
            piece->SetPosition(kOrigin + LVector2(60.0f * static_cast<float>(n - 1), 0.0f) +
                               (n == aShifted ? aShift : LVector2()));
            piece->SetRelativeZ(600.0f + static_cast<float>(n));
        }
    }

    // A release of a click on an empty corner: no fragment picked.
    static void ClickAside() { GMPuzzleHarness::Click(LVector2(790.0f, 10.0f)); }

    GMPuzzleHarness mHarness;
    GMBaseballBatPuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(BatTest, FragmentsStartInsideTheirRangeAndMayBeDraggedPartlyOffTheScreen)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ("baseballbat_layout", ToStd(mPuzzle->GetRoot()->GetId()));
    ASSERT_EQ(7, mPuzzle->GetPieces().GetCount());
    for (int n = 1; n <= 7; ++n) {
        const LVector2 at = mPuzzle->GetPiece(n)->GetWorldPosition();
        EXPECT_TRUE(at.x >= 50.0f && at.x <= 549.0f && at.y >= 50.0f && at.y <= 449.0f) << n;
        EXPECT_EQ(0, mPuzzle->GetPiece(n)->GetRotation());
    }
    Lay();
    GMBaseballPiece* seven = mPuzzle->GetPiece(7);
    GMPuzzleHarness::Drag(seven->GetWorldPosition() + LVector2(30.0f, 20.0f), LVector2(790.0f, 590.0f), 2);
    EXPECT_EQ(LVector2(760.0f, 570.0f), seven->GetWorldPosition());
    // Only button 1 drags.
    GMPuzzleHarness::MoveTo(LVector2(790.0f, 590.0f));
    LMouse::Get()->OnButtonDown(2);
    EXPECT_EQ(nullptr, mPuzzle->GetSelected());
    LMouse::Get()->OnButtonUp(2);
}

TEST_F(BatTest, AnyReleaseChecksTheBatAllowingTwentyPixelsAndRequiringTheCoveringOrder)
{
    ASSERT_TRUE(Open());
    // Fragment 3 off by 20.5: not whole.
    Lay(3, LVector2(20.5f, 0.0f));
    ClickAside();
    EXPECT_FALSE(mPuzzle->IsSolved());
    // Fragment 5 below fragment 4, which it must cover: not whole though every offset fits.
    Lay(3, LVector2(20.0f, -20.0f));
    mPuzzle->GetPiece(5)->SetRelativeZ(mPuzzle->GetPiece(4)->GetRelativeZ() - 1.0f);
    ClickAside();
    EXPECT_FALSE(mPuzzle->IsSolved());
    // A fragment turned unlike fragment 1: not whole.
    Lay();
    mPuzzle->GetPiece(6)->RotateNext();
    ClickAside();
    EXPECT_FALSE(mPuzzle->IsSolved());
    for (int r = 1; r < GMBaseballPiece::kRotations; ++r) {
        mPuzzle->GetPiece(6)->RotateNext();
    }
    // Exactly 20 on both axes, in order: a release without a drag solves.
    Lay(3, LVector2(20.0f, -20.0f));
    ClickAside();
    EXPECT_TRUE(mPuzzle->IsSolved());
}

TEST_F(BatTest, SolvedTheBatGoesIntoTheInventoryTheBarShowsInputStopsAndTheLineEndClosesIt)
{
    ASSERT_TRUE(Open());
    EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsShown());
    Lay();
    ClickAside();
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_baseballbatpuzzle_solved"));
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("3wh02"));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_FALSE(LMouse::Get()->Contains(mPuzzle));
    const LVector2 before = mPuzzle->GetPiece(2)->GetWorldPosition();
    GMPuzzleHarness::Drag(before + LVector2(30.0f, 20.0f), before + LVector2(130.0f, 20.0f));
    EXPECT_EQ(before, mPuzzle->GetPiece(2)->GetWorldPosition());
    LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("puzzleVO"));
    ASSERT_NE(nullptr, line);
    EXPECT_EQ("//sounds/3wh02_rg.ogg", ToStd(line->mFileName));
    EXPECT_TRUE(mPuzzle->IsShown());
    GMPuzzleHarness::Frames(20);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleVO"));
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), GMScreenManager::GetInstance()->GetTop());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(BatTest, WithoutItsLineTheSolvedScreenStaysUntilTheBackButton)
{
    LFakeSoundManager::sRefuseUnfound = true;
    ASSERT_TRUE(Open());
    Lay();
    ClickAside();
    ASSERT_TRUE(mPuzzle->IsSolved());
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(mPuzzle->IsShown());
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), GMScreenManager::GetInstance()->GetTop());
    EXPECT_TRUE(mHarness.Back(mPuzzle));
}

TEST_F(BatTest, RotateNextCyclesTheFourLooksShowingOneAtATime)
{
    ASSERT_TRUE(Open());
    GMBaseballPiece* piece = mPuzzle->GetPiece(4);
    for (int step = 1; step <= 5; ++step) {
        piece->RotateNext();
        const int expected = step % GMBaseballPiece::kRotations;
        EXPECT_EQ(expected, piece->GetRotation());
        for (int r = 0; r < GMBaseballPiece::kRotations; ++r) {
            EXPECT_EQ(r == expected, piece->GetLook(r)->GetVisible()) << step << " " << r;
        }
    }
    // Fragment 5's looks must lie over fragment 4; fragment 4's over none.
    EXPECT_EQ(4, mPuzzle->GetPiece(5)->GetOverPiece());
    EXPECT_EQ(GMBaseballPiece::kNoPiece, piece->GetOverPiece());
}

TEST_F(BatTest, TheFirstShowingMarksTheIntroAtAnySkillAndPlaysItAtEasyOnly)
{
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_baseballbatpuzzle_initvo"));
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    LEventManager::Get()->RemoveAllEvents();
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
    EXPECT_EQ("puzzleVO", ToStd(LFakeSoundManager::sMade[0].mName));
    EXPECT_EQ("//sounds/hi13_rg.ogg", ToStd(LFakeSoundManager::sMade[0].mFileName));
    // Its end pops nothing: the bat is not solved.
    GMPuzzleHarness::Frames(20);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleVO"));
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(mPuzzle->IsShown());
}
