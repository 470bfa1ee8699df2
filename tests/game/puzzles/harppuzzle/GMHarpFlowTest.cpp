// The harp reached as the game reaches it: the sample's riverbank, the harp looked at
// through the action menu, "start", and for every stage its demonstrated notes ended and
// the melody's first strings plucked, until the seventh stage hands over to the cut scene.
#include "puzzles/harppuzzle/GMHarpPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LFontManager.h"
#include "Render/LTextureManager.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

// Inside the hotspot "harp" of the riverbank's vp02.
const LVector2 kHarp(730.0f, 320.0f);

class HarpFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        ASSERT_TRUE(LSampleRoots::Mount());
        LTextureManager::Get()->SetRoot(LString("//textures")); // as start-up sets it
        LFontManager::Get()->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"),
                                         LString("//dataroot/textures/fonts/"));
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMHarpPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
        mScene = GMSceneManager::GetInstance()->GetScene();
        ASSERT_NE(nullptr, mScene);
        ASSERT_TRUE(mScene->SetViewpoint(LString("vp02")));
        Frames(2);
        mLog.Clear();
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    LLogCapture mLog;
    GMHarpPuzzle* mPuzzle = nullptr;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(HarpFlowTest, TheMelodyPlayedBackStageByStageHandsOverToTheCutScene)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMPuzzleHarness::Click(kHarp);
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return menu->IsOpen(); }));
    LButton* look = menu->GetButton(GMMultiCursorAction::LOOK);
    ASSERT_NE(nullptr, look);
    GMPuzzleHarness::Click(look->GetWorldPosition() + LVector2(25.0f, 25.0f));
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
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    EXPECT_EQ("case02/stokes_upstairs", ToStd(player->GetTargetScene()));
    EXPECT_EQ("vp_bedroom", ToStd(player->GetTargetViewpoint()));
    EXPECT_EQ("Play(Harp_Puzzle.bik)", ToStd(player->GetCalls()[player->GetCalls().GetCount() - 1]));
    EXPECT_EQ("", mLog.Problems());
}
