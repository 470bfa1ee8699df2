// The harp reached as the game reaches it: the sample's riverbank, the harp looked at
// through the action menu, "start", and for every stage its demonstrated notes ended and
// the melody's first strings plucked, until the seventh stage hands over to the cut scene.
#include "puzzles/harppuzzle/GMHarpPuzzle.h"

#include "GMScreenManager.h"
#include "multicursor/GMMultiCursor.h"
#include "scene/GMScene.h"
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

// Inside the hotspot "harp" of the riverbank's vp02.
const LVector2 kHarp(730.0f, 320.0f);

class HarpFlowTest : public GMPuzzleFlowFixture<GMHarpPuzzle>
{
protected:
};

} // namespace

TEST_F(HarpFlowTest, TheMelodyPlayedBackStageByStageHandsOverToTheCutScene)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Look(kHarp));
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return mPuzzle->IsShown() && !screens->IsBusy(); }));
    // The action menu's fade-out ends (until then its buttons still take presses).
    ASSERT_TRUE(FramesUntil([&] { return !menu->IsFading(); }));

    ASSERT_TRUE(mPuzzle->HasMelody());
    GMPuzzleHarness::Click(LVector2(100.0f, 520.0f)); // "start"
    for (int stage = 1; stage <= GMHarpPuzzle::kMelodyLength; ++stage) {
        SCOPED_TRACE(stage);
        for (int note = 0; note < stage; ++note) {
            ASSERT_TRUE(mPuzzle->IsDemonstrating());
            ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
        }
        ASSERT_TRUE(mPuzzle->IsListening());
        for (int note = 0; note < stage; ++note) {
            GMPuzzleHarness::Click(LVector2(140.0f + 26.0f * static_cast<float>(mPuzzle->GetNote(note) - 1), 275.0f));
        }
        ASSERT_TRUE(GMPuzzleHarness::EndStream("harp"));
    }
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_harppuzzle_solved"));
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ("SetTarget(case02/stokes_upstairs|vp_bedroom);SetStateChanges(sta_cu_2sh10_visible|boolean|true);"
              "Play(Harp_Puzzle.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ("", mLog.Problems());
}
