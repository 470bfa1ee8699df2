// The crossword and the word entry reached as the game reaches them on the sample's
// riverbank: the newspaper looked at at the easy skill level, the first word clicked and
// typed by scan codes, the circles and the fold after the solving voice, and the back
// button to the location; the laptop looked at, the word typed into its overlay, which
// closes after the solving voice with the research result in the inventory.
#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "puzzles/crossword/GMCrossWordPuzzle.h"
#include "puzzles/quintarn/GMQuintarnPuzzle.h"
#include "support/GMPuzzleFlow.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

const LVector2 kNewspaper(400.0f, 360.0f);
const LVector2 kLaptop(510.0f, 360.0f);

class TypedPuzzleFlowTest : public GMPuzzleFlow
{
};

} // namespace

TEST_F(TypedPuzzleFlowTest, TheCrosswordSolvedAtEasyByItsFirstWordShowsTheFoldAndLeavesByItsBackButton)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    GMCrossWordPuzzle* crossword = GMCrossWordPuzzle::GetInstance();
    ASSERT_NE(nullptr, crossword);
    OpenBy("hs_crossword", kNewspaper, crossword);
    EXPECT_EQ(GMCrossWordPuzzle::LETTER_CELLS - 8, crossword->CountSolved());
    GMPuzzleHarness::Click(LVector2(200.0f, 40.0f));
    // E V I D E N C E by their scan codes.
    for (int key : {0x12, 0x2F, 0x17, 0x20, 0x12, 0x31, 0x2E, 0x12}) {
        GMPuzzleHarness::Type(key);
    }
    ASSERT_TRUE(crossword->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_crosswordpuzzle_solved"));
    EXPECT_EQ("The circled words spell it out. Someone left a message in this puzzle.", Subtitle());
    ASSERT_TRUE(FramesUntil([&] { return crossword->GetAnimationStep() == 4; }));
    EXPECT_FALSE(crossword->GetFold()->GetVisible());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    ASSERT_TRUE(FramesUntil([&] { return crossword->GetFold()->GetVisible(); }));
    ClickMember(crossword, "back_btn");
    ASSERT_TRUE(BackAtTheLocation(crossword));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(TypedPuzzleFlowTest, TheWordTypedIntoTheLaptopsOverlayClosesItAfterTheVoiceWithTheResearchResult)
{
    GMQuintarnPuzzle* entry = GMQuintarnPuzzle::GetInstance();
    ASSERT_NE(nullptr, entry);
    Look("hs_quintarn", kLaptop);
    ASSERT_TRUE(FramesUntil([&] { return entry->IsShown(); }));
    EXPECT_EQ("Eight letters. The name he kept repeating, maybe.", Subtitle());
    ClickMember(entry, "0");
    ASSERT_EQ(0, entry->GetSelected());
    // Q U I N T A R N by their scan codes.
    for (int key : {0x10, 0x16, 0x17, 0x31, 0x14, 0x1E, 0x13, 0x31}) {
        GMPuzzleHarness::Type(key);
    }
    ASSERT_TRUE(entry->IsSolved());
    Frames(20);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    EXPECT_FALSE(entry->IsShown());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("2ls08_re"));
    EXPECT_EQ("", mLog.Problems("SetHeight not yet implemented."));
}
