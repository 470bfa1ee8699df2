// The cigar band puzzle reached as the game reaches it: the sample's riverbank loaded by
// the scene manager, the torn bands looked at through the action menu at its north
// viewpoint, the puzzle with its voice's subtitle, the band put together, and the back
// button to the location.
#include "puzzles/cigarband/GMCigarBandPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "puzzles/cigarband/GMCigarBandPiece.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMPuzzleFlowFixture.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace GMSceneFlow;

// Inside the hotspot "cigarbands" of the riverbank's vp02.
const LVector2 kBands(415.0f, 440.0f);

class CigarBandFlowTest : public GMPuzzleFlowFixture<GMCigarBandPuzzle>
{
protected:
    GMCigarBandPiece* Piece(int aNumber)
    {
        return dynamic_cast<GMCigarBandPiece*>(
            GMPuzzleHarness::Member(mPuzzle, ("piece" + std::to_string(aNumber)).c_str()));
    }
};

} // namespace

TEST_F(CigarBandFlowTest, TheBandsLookOpensThePuzzleWhoseSolvingHidesTheLoosePiecesAndBackReturnsToTheLocation)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_NE(nullptr, mScene->FindHotspot(LString("hs_cigarbands")));
    ASSERT_TRUE(Look(kBands));
    EXPECT_TRUE(GMPuzzleHarness::StateIsTrue("sta_cigarbandpuzzle_active"));

    ASSERT_TRUE(FramesUntil([&] { return mPuzzle->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), screens->GetTop());
    EXPECT_FALSE(mScene->GetKeepAudio()); // found and cleared by the scene's hiding
    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, strip->GetMainLine());
    EXPECT_EQ("Torn cigar bands. If I put them back together, I might learn where they came from.",
              ToStd(strip->GetMainLine()->GetText()));
    EXPECT_TRUE(strip->IsShowing());

    // The band's pieces side by side from piece1's place.
    const LVector2 origin(200.0f, 250.0f);
    for (int n = 1; n <= 5; ++n) {
        GMCigarBandPiece* piece = Piece(n);
        ASSERT_NE(nullptr, piece);
        const LVector2 grab = piece->GetWorldPosition() + LVector2(30.0f, 24.0f);
        GMPuzzleHarness::Drag(grab, origin + LVector2(60.0f * static_cast<float>(n - 1) + 30.0f, 24.0f));
    }
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_cigarbands_solved"));
    EXPECT_FALSE(Piece(6)->GetVisible());
    EXPECT_FALSE(Piece(7)->GetVisible());
    EXPECT_TRUE(Piece(1)->GetVisible());

    LIDisplayObject* back = GMPuzzleHarness::Member(mPuzzle, GMPuzzle::kBackButtonId);
    ASSERT_NE(nullptr, back);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(back));
    ASSERT_TRUE(FramesUntil([&] { return !mPuzzle->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());
    EXPECT_TRUE(mScene->IsActive());
    EXPECT_EQ("vp02", ToStd(mScene->GetViewpoint()));
    EXPECT_EQ("", mLog.Problems());
}
