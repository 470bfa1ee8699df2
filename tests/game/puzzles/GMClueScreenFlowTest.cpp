// The map, the hotel window and the receipt reached as the game reaches them on the
// sample's riverbank: the sandcastle's clip opening the map for a moment, the photo
// collected and dropped on its spot in the hotel window, and the receipt's pieces laid on
// the lamp, first through its hotspot, then in the puzzle.
#include "GMScreenManager.h"
#include "Gdi/LIDisplayObject.h"
#include "Input/LMouse.h"
#include "multicursor/GMMultiCursorAction.h"
#include "puzzles/hotelwindow/GMHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/GMMapPuzzle.h"
#include "puzzles/receipt/GMReceiptPuzzle.h"
#include "scene/GMScene.h"
#include "support/GMPuzzleFlow.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

// Inside the hotspots of the riverbank's vp02.
const LVector2 kSandcastle(620.0f, 180.0f);
const LVector2 kHotelWindow(180.0f, 280.0f);
const LVector2 kReceipt(290.0f, 280.0f);
const LVector2 kLamp(400.0f, 280.0f);
const LVector2 kPhoto(510.0f, 280.0f);
const LVector2 kPiece1(620.0f, 280.0f);
const LVector2 kPiece2(180.0f, 360.0f);
const LVector2 kPiece3(290.0f, 360.0f);

class ClueScreenFlowTest : public GMPuzzleFlow
{
protected:
    void SetUp() override
    {
        GMPuzzleFlow::SetUp();
        // As the application makes them at start.
        ASSERT_NE(nullptr, GMMapPuzzle::GetInstance());
        ASSERT_NE(nullptr, GMHotelWindowPuzzle::GetInstance());
        ASSERT_NE(nullptr, GMReceiptPuzzle::GetInstance());
    }

    void Collect(const char* aId, const LVector2& aAt)
    {
        Act(aId, aAt, GMMultiCursorAction::COLLECT);
        Frames(20);
    }
};

} // namespace

TEST_F(ClueScreenFlowTest, TheSandcastlesLookOpensTheMapForAboutFourSeconds)
{
    GMMapPuzzle* map = GMMapPuzzle::GetInstance();
    Look("hs_sandcastle", kSandcastle);
    const double start = LFakeTimer::sNow;
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return map->IsShown() && !screens->IsBusy(); }));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_mappuzzle_sandcastle"));
    LIDisplayObject* clue = GMPuzzleHarness::Member(map, "clue_sandcastle");
    ASSERT_NE(nullptr, clue);
    EXPECT_TRUE(clue->GetVisible());
    ASSERT_TRUE(FramesUntil([&] { return !map->IsShown(); }));
    EXPECT_GT(LFakeTimer::sNow, start + 4.0);
    EXPECT_LT(LFakeTimer::sNow, start + 6.0);
    ASSERT_TRUE(BackAtTheLocation(map));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(ClueScreenFlowTest, ThePhotoTakenFromThePDAAndDroppedOnItsSpotSolvesTheHotelWindow)
{
    GMHotelWindowPuzzle* window = GMHotelWindowPuzzle::GetInstance();
    Collect("hs_photo", kPhoto);
    ASSERT_TRUE(GMPuzzleHarness::InventoryHolds("3pm17"));
    OpenBy("hs_hotelwindow", kHotelWindow, window);
    TakeFromPDA("3pm17", "evidence");
    ASSERT_EQ("3pm17", ToStd(GMCursor::GetInstance()->GetItemCursor()));
    GMPuzzleHarness::Click(LVector2(400.0f, 200.0f));
    ASSERT_TRUE(window->IsHolding());
    GMPuzzleHarness::Click(LVector2(297.0f, 353.0f));
    ASSERT_TRUE(window->IsSolved());
    EXPECT_EQ("That's it. The photo was taken from this very room.", Subtitle());
    Frames(20); // the line is longer than the subtitle's fade-in
    ASSERT_TRUE(GMPuzzleHarness::EndStream("vo"));
    ASSERT_TRUE(BackAtTheLocation(window));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_hotelwindowpuzzle_solved"));
    EXPECT_EQ("", mLog.Problems("Remove member failure: case_display"));
}

TEST_F(ClueScreenFlowTest, TheReceiptsPiecesLaidOnTheLampSolveItAndItClosesAfterItsVoice)
{
    GMReceiptPuzzle* receipt = GMReceiptPuzzle::GetInstance();
    Collect("hs_receipt1", kPiece1);
    Collect("hs_receipt2", kPiece2);
    Collect("hs_receipt3", kPiece3);
    TakeFromPDA("3tc07", "evidence");
    GMPuzzleHarness::MoveTo(kLamp);
    Frames(2);
    GMPuzzleHarness::Click(kLamp);
    Frames(20);
    ASSERT_TRUE(GMPuzzleHarness::EventRaised("evt_used_3tc07_hs_lamptarget"));

    OpenBy("hs_receipt", kReceipt, receipt);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_piece1_added"));
    for (const char* piece : {"3tc08", "3tc09"}) {
        TakeFromPDA(piece, "evidence");
        ASSERT_EQ(piece, ToStd(GMCursor::GetInstance()->GetItemCursor()));
        GMPuzzleHarness::MoveTo(LVector2(400.0f, 300.0f));
        GMPuzzleHarness::Click(LVector2(400.0f, 300.0f));
    }
    ASSERT_TRUE(GMPuzzleHarness::EventRaised("evt_receiptpuzzle_solved"));
    EXPECT_EQ("Under the lamp the receipt reads whole: a room at the Harbour Hotel.", Subtitle());
    Frames(20); // the line is longer than the subtitle's fade-in
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    ASSERT_TRUE(BackAtTheLocation(receipt));
    // The PDA's first opening (as on the riverbank without a case display).
    EXPECT_EQ("", mLog.Problems("Remove member failure: case_display"));
}
