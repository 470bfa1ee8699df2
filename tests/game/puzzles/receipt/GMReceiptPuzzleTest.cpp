// The receipt on the sample's layout: pieces placed by clicks with an item as the cursor
// or earlier on the lamp, the hint at the easy skill level, solving and its voice, closing
// after the voice, and the state turning false after solving.
#include "puzzles/receipt/GMReceiptPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "event/LEventManager.h"
#include "Input/LMouse.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const char* const kActive = GMReceiptPuzzle::kActiveState;
const LVector2 kLamp(400.0f, 300.0f);

class ReceiptTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
        mPuzzle = GMReceiptPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }
    bool SceneOnTop() { return GMScreenManager::GetInstance()->GetTop() == static_cast<GMIScreen*>(&mHarness.Scene()); }

    // Takes aItem as the cursor, as the inventory does, and clicks on the lamp.
    static void Use(const char* aItem)
    {
        GMCursor::GetInstance()->SetItemCursor(LString(aItem));
        GMPuzzleHarness::Click(kLamp);
    }

    static void Raise(const char* aEvent) { LEventManager::Get()->AddEvent(LString(aEvent), true); }

    bool SpriteShown(const char* aId)
    {
        LIDisplayObject* sprite = GMPuzzleHarness::Member(mPuzzle, aId);
        return sprite != nullptr && sprite->GetVisible();
    }

    static int Made(const char* aName)
    {
        int count = 0;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            count += ToStd(made.mName) == aName ? 1 : 0;
        }
        return count;
    }

    static std::string LampState()
    {
        LIState* state = LStateManager::Get()->GetState(LString("sta_hslamp"));
        return state != nullptr && state->GetType() == LIState::TYPE_STRING ? ToStd(*static_cast<LString*>(state->GetValue())) : "";
    }

    GMPuzzleHarness mHarness;
    GMReceiptPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- Opening -------------------------------------------------------------------------

TEST_F(ReceiptTest, TheShowingKeepsTheBarTakesTheTargetCursorAndCountsPiecesUsedOnTheLampBefore)
{
    Raise("evt_used_3tc07_hs_lamptarget");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_piece1_added"));
    EXPECT_TRUE(SpriteShown("1a"));
    EXPECT_TRUE(SpriteShown("1b"));
    EXPECT_FALSE(SpriteShown("2a"));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_TARGET, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("receipt", ToStd(GMCursor::GetInstance()->GetOwner()));
    EXPECT_EQ("receiptpuzzle_layout", ToStd(mPuzzle->GetRoot()->GetId()));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(ReceiptTest, TheHintPlaysAtEasyWithExactlyOnePiecePlacedAndItsEndClosesNothing)
{
    struct Case
    {
        int mSkill;
        int mPieces;
        bool mHint;
    } cases[] = {
        {GMOptions::SKILL_EASY, 0, false}, {GMOptions::SKILL_EASY, 1, true},     {GMOptions::SKILL_EASY, 2, false},
        {GMOptions::SKILL_MEDIUM, 1, false}, {GMOptions::SKILL_HARD, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mSkill) + " skill, pieces " + std::to_string(c.mPieces));
        LEventManager::Get()->RemoveAllEvents();
        GMOptions::GetInstance()->SetSkill(c.mSkill);
        for (int i = 0; i < c.mPieces; ++i) {
            Raise(GMReceiptPuzzle::kPieceEvents[i]);
        }
        LFakeSoundManager::sMade.clear();
        ASSERT_TRUE(Open());
        EXPECT_EQ(c.mHint ? 1 : 0, Made("hint"));
        if (c.mHint) {
            ASSERT_TRUE(GMPuzzleHarness::EndStream("hint"));
            GMPuzzleHarness::Settle();
            EXPECT_TRUE(mPuzzle->IsShown());
        }
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
}

// --- Placing -------------------------------------------------------------------------

TEST_F(ReceiptTest, APieceClickedOnTheLampIsPlacedAndAnyItemLeavesTheCursor)
{
    ASSERT_TRUE(Open());
    GMCursor* cursor = GMCursor::GetInstance();
    cursor->SetItemCursor(LString("3tc08"));
    ASSERT_EQ(GMCursor::TYPE_ITEM, cursor->GetType());
    GMPuzzleHarness::MoveTo(kLamp);
    EXPECT_EQ(GMCursor::TYPE_ITEM_HILIGHT, cursor->GetType());
    LFakeTimer::sNow += 1.0;
    LMouse::Get()->OnButtonDown(1);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_piece2_added"));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_used_3tc08_hs_lamptarget"));
    EXPECT_TRUE(SpriteShown("2a"));
    EXPECT_TRUE(SpriteShown("2b"));
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, cursor->GetDefaultType());
    EXPECT_EQ(GMCursor::TYPE_TARGET, cursor->GetType());

    Use("glove");
    EXPECT_EQ(GMCursor::TYPE_TARGET, cursor->GetType());
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, cursor->GetDefaultType());
    EXPECT_EQ(1, GMReceiptPuzzle::PlacedCount());
    // Without an item a click places nothing.
    GMPuzzleHarness::Click(kLamp);
    EXPECT_EQ(1, GMReceiptPuzzle::PlacedCount());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(ReceiptTest, MovingWhileThePDAIsOpenLeavesItsCursor)
{
    ASSERT_TRUE(Open());
    GMCursor* cursor = GMCursor::GetInstance();
    cursor->SetCursor(GMCursor::TYPE_HAND, LString("pda"));
    GMPDA::GetInstance()->GetGroup()->SetActive(true);
    GMPuzzleHarness::MoveTo(LVector2(100.0f, 100.0f));
    EXPECT_EQ(GMCursor::TYPE_HAND, cursor->GetType());
    GMPDA::GetInstance()->GetGroup()->SetActive(false);
    GMPuzzleHarness::MoveTo(LVector2(110.0f, 100.0f));
    EXPECT_EQ(GMCursor::TYPE_TARGET, cursor->GetType());
}

// --- Solving -------------------------------------------------------------------------

TEST_F(ReceiptTest, TheThirdPieceSolvesPlaysTheVoiceAndItsEndCloses)
{
    Raise("evt_used_3tc07_hs_lamptarget");
    ASSERT_TRUE(Open());
    Use("3tc08");
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_solved"));
    Use("3tc09");
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_solved"));
    EXPECT_EQ("solved", LampState());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("solvedAudio")));
    EXPECT_TRUE(mPuzzle->IsShown());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_FALSE(mPuzzle->IsShown());

    // Opened again: the voice plays again and the screen closes after it.
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, Made("solvedAudio"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());

    // The state false over the scene neither plays the voice nor pops the scene.
    LFakeSoundManager::sMade.clear();
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(0, Made("solvedAudio"));
    EXPECT_TRUE(SceneOnTop());
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(ReceiptTest, AMissingSolvingVoicePopsAtOnceEvenDuringTheOpeningFade)
{
    std::filesystem::remove(mHarness.Roots().Path() + "/data/sounds/3tc08_rg.ogg");
    LFakeSoundManager::sRefuseUnfound = true;
    ASSERT_TRUE(Open());
    Use("3tc07");
    Use("3tc08");
    Use("3tc09");
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_solved"));
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    // Opened again after solving: the close waits for the opening fade.
    GMPuzzleHarness::SetState(kActive, true);
    GMPuzzleHarness::Settle();
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_FALSE(mPuzzle->IsShown());
    LFakeSoundManager::sRefuseUnfound = false;
}

TEST_F(ReceiptTest, TheBackButtonDuringTheSolvingVoiceLetsItEndOverTheSceneClosingNothing)
{
    ASSERT_TRUE(Open());
    Use("3tc07");
    Use("3tc08");
    Use("3tc09");
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("solvedAudio")));
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
}
