// The baseball bat reached as the game reaches it: the sample's riverbank, the broken bat
// looked at through the action menu, its fragments dragged in turn into a row from where
// the display shows them, the solved line's subtitle, the bat in the inventory and the
// screen closing back to the location at the line's end.
#include "puzzles/baseballbat/GMBaseballBatPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LTextArea.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "puzzles/baseballbat/GMBaseballPiece.h"
#include "scene/GMScene.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleFlowFixture.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

// Inside the hotspot "baseballbat" of the riverbank's vp02.
const LVector2 kBat(500.0f, 220.0f);
constexpr float kWidth = 60.0f;
constexpr float kHeight = 40.0f;

class BaseballBatFlowTest : public GMPuzzleFlowFixture<GMBaseballBatPuzzle>
{
protected:
    void OnPuzzleMade() override { LRandom::Seed(17); }
};

} // namespace

TEST_F(BaseballBatFlowTest, TheFragmentsInARowSolveTheBatWhoseLineEndClosesItBackToTheLocation)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Look(kBat));
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return mPuzzle->IsShown() && !screens->IsBusy(); }));
    // The action menu's fade-out ends (until then its buttons still take presses).
    ASSERT_TRUE(FramesUntil([&] { return !menu->IsFading(); }));

    for (int n = 1; n <= GMBaseballBatPuzzle::kPieceCount; ++n) {
        GMBaseballPiece* piece = mPuzzle->GetPiece(n);
        ASSERT_NE(nullptr, piece);
        const LVector2 grab = GMPuzzleHarness::UncoveredPoint(mPuzzle->GetPieces(), piece, kWidth, kHeight, 4.0f);
        const LVector2 target(200.0f + 60.0f * static_cast<float>(n - 1), 300.0f);
        GMPuzzleHarness::Drag(grab, grab + target - piece->GetWorldPosition());
        ASSERT_EQ(target, piece->GetWorldPosition()) << n;
        EXPECT_EQ(n == GMBaseballBatPuzzle::kPieceCount, mPuzzle->IsSolved()) << n;
    }
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_baseballbatpuzzle_solved"));
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("3wh02"));
    LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
    ASSERT_NE(nullptr, line);
    EXPECT_EQ("The bat, whole again. And that stain on the barrel is not paint.", ToStd(line->GetText()));

    Frames(20);
    LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("puzzleVO"));
    ASSERT_NE(nullptr, voice);
    voice->MarkEnded();
    ASSERT_TRUE(FramesUntil([&] { return !mPuzzle->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());
    EXPECT_TRUE(mScene->IsActive());
    EXPECT_EQ("", mLog.Problems());
}
