// A puzzle's hand-over to the cut scene over the sample's first location: the location's
// audio, kept under the open puzzle, stops before the movie shows, and the cut scene ends
// on its target with the puzzle's state change applied.
#include "puzzles/GMPuzzle.h"

#include "GMScreenManager.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMCutSceneTestCase.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"

#include <gtest/gtest.h>

namespace {

class HandingPuzzle;
GMPuzzleSlot<HandingPuzzle> sSlot;

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "HandingPuzzle";
    setup.mActiveState = "sta_handingpuzzle_active";
    setup.mLayoutFile = "//textures/puzzles/cigar_bands/puzzle_cigarband_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/cigar_bands";
    return setup;
}

class HandingPuzzle : public GMPuzzle
{
public:
    static HandingPuzzle* GetInstance() { return sSlot.Get(L_FILE, __LINE__); }
    HandingPuzzle() : GMPuzzle(Setup()) {}
    ~HandingPuzzle() override
    {
        sSlot.Destroyed(this);
        Shutdown();
    }

    bool Solve()
    {
        LVectorString changes;
        for (const char* part : {"sta_handed", "boolean", "true"}) {
            changes.Add(LString(part));
        }
        return HandOver(LString(GMTestScene::kRiverbank), LString("vp02"), changes, LString("handover.bik"));
    }

protected:
    void BuildPieces() override {}
};

class PuzzleHandOver : public GMCutSceneTestCase
{
};

} // namespace

TEST_F(PuzzleHandOver, TheLocationsAudioStopsBeforeTheMovieShowsAndTheTargetFollows)
{
    GMScene* scene = mScene;
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    ASSERT_NE(nullptr, MakePlayer());
    ASSERT_NE(nullptr, scene->GetAudio());
    HandingPuzzle* puzzle = HandingPuzzle::GetInstance();
    ASSERT_NE(nullptr, puzzle);
    LStateManager::Get()->SetState(LString("sta_handingpuzzle_active"), LString("boolean"), LString("true"), true);
    ASSERT_TRUE(GMTestCutScenes::Settle());
    ASSERT_TRUE(puzzle->IsShown());
    EXPECT_NE(nullptr, scene->GetAudio()); // kept under the puzzle

    ASSERT_TRUE(puzzle->Solve());
    EXPECT_EQ(nullptr, scene->GetAudio());
    EXPECT_TRUE(LFakeMovieManager::sMade.empty());
    ASSERT_TRUE(GMTestCutScenes::Settle());
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    EXPECT_EQ("//dataroot/movies/handover.bik", ToStd(LFakeMovieManager::sMade[0].mFileName));
    EXPECT_FALSE(puzzle->IsShown());

    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_TRUE(GMTestCutScenes::Settle());
    GMScene* target = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, target);
    EXPECT_EQ(target, GMScreenManager::GetInstance()->GetTop());
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
    EXPECT_EQ("vp02", ToStd(target->GetViewpoint()));
    EXPECT_TRUE(target->IsInputEnabled());
    LIState* handed = LStateManager::Get()->GetState(LString("sta_handed"));
    ASSERT_NE(nullptr, handed);
    EXPECT_NE(0, *static_cast<const unsigned char*>(handed->GetValue()));
}
