// The Monet box reached as the game reaches it: the sample's riverbank loaded by the
// scene manager, the puzzle box looked at through the action menu at its north viewpoint,
// a tile slid out and the box left, opened again with the tile where it was left, and
// the tile slid back, which solves the box and hands over to the cut scene.
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LTextArea.h"
#include "interview/GMSubtitle.h"
#include "puzzles/monetbox/GMMonetBoxPiece.h"
#include "scene/GMScene.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

// Inside the hotspot "monetbox" of the riverbank's vp02.
const LVector2 kBox(590.0f, 325.0f);

class MonetBoxFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMMonetBoxPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        mScene = LoadSampleLocation("case01/riverbank", "vp02");
        ASSERT_NE(nullptr, mScene);
        mLog.Clear();
    }

    void TearDown() override { GMPuzzleHarness::EndGame(); }

    // Opens the box through the hotspot's look action.
    void OpenByLook()
    {
        ASSERT_TRUE(Look(kBox));
        GMScreenManager* screens = GMScreenManager::GetInstance();
        ASSERT_TRUE(FramesUntil([&] { return mPuzzle->IsShown() && !screens->IsBusy(); }));
    }

    // Slides the tile standing at (aRow, aColumn) by aDelta, grabbed at its middle, in
    // small steps as a hand moves.
    void Slide(int aRow, int aColumn, const LVector2& aDelta)
    {
        const LVector2 from = mPuzzle->CellPosition(aRow, aColumn) + LVector2(32.0f, 32.0f);
        GMPuzzleHarness::Drag(from, from + aDelta, 25);
    }

    LLogCapture mLog;
    GMMonetBoxPuzzle* mPuzzle = nullptr;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(MonetBoxFlowTest, TheBoxKeepsASlidTileOverLeavingAndSlidBackItHandsOverToTheCutScene)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    LStateManager::Get()->SetState(LString(GMMonetBoxPuzzle::kPositionsState), LString("string"),
                                   LString("999|999|999|-1|999|999|999|999|0|1|2|3|4|999|999|5|6|7|8|9|999|"
                                           "-1|10|11|12|13|14|-1|999|15|16|17|18|19|999|999|20|21|22|23|24|"
                                           "999|999|999|999|-1|999|999|999|"),
                                   false);
    ASSERT_NE(nullptr, mScene->FindHotspot(LString("hs_monetbox")));
    OpenByLook();
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), screens->GetTop());
    EXPECT_TRUE(GMPuzzleHarness::StateIsTrue("sta_monetboxpuzzle_active"));
    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, strip->GetMainLine());
    EXPECT_EQ("A puzzle box with a painting on its lid. The pieces slide.", ToStd(strip->GetMainLine()->GetText()));

    Slide(1, 3, LVector2(0.0f, -50.0f));
    EXPECT_EQ(2, mPuzzle->GetBoard()[0][3]);
    EXPECT_FALSE(mPuzzle->IsSolved());

    LIDisplayObject* back = GMPuzzleHarness::Member(mPuzzle, GMPuzzle::kBackButtonId);
    ASSERT_NE(nullptr, back);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(back));
    ASSERT_TRUE(FramesUntil([&] { return !mPuzzle->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());

    // The state still reads true: the look sets it again, which opens the box again.
    OpenByLook();
    EXPECT_EQ(2, mPuzzle->GetBoard()[0][3]);
    GMMonetBoxPiece* tile = mPuzzle->GetPiece(2);
    ASSERT_NE(nullptr, tile);
    EXPECT_EQ(mPuzzle->CellPosition(0, 3), tile->GetGroup()->GetWorldPosition());

    Slide(0, 3, LVector2(0.0f, 50.0f));
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_EQ("SetTarget(case02/lisa_apt_upstairs|vp_stairs_bedroom);SetStateChanges(sta_2ls16c_visible|boolean|true);"
              "Play(LisaApt_Monet_Box.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ("", mLog.Problems());
}
