// The surveillance tapes on the sample's layout: the drag area, the frame controls'
// options, snapping by skill, aligned tapes, stepping through the tapes, solving with and
// without the solved voice, and the entries the layout may lack.
#include "puzzles/surveillance_tapes/GMSurveillanceTapePuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/surveillance_tapes/GMSurveillanceTapeControl.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const kActive = "sta_surveillancetapepuzzle_active";
const char* const kLayout = "data/textures/puzzles/surveillance_tapes/layout.txt";
// The middle of the viewing area: drags of up to 200 pixels start inside it.
const LVector2 kInView(456.0f, 257.0f);

class TapeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMSurveillanceTapePuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LRandom::Seed(5);
    }

    void TearDown() override { LFakeSoundManager::sRefuseUnfound = false; }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    LVector2 Layer(int aLayer) const { return mPuzzle->GetLayer(mPuzzle->GetCurrentTape(), aLayer)->GetWorldPosition(); }

    // Clicks option aOption of the current tape's control.
    void Choose(int aOption)
    {
        GMSurveillanceTapeControl* control = mPuzzle->GetControl(mPuzzle->GetCurrentTape());
        ASSERT_NE(nullptr, control);
        GMPuzzleHarness::Click(control->GetOn(aOption)->GetWorldPosition() + LVector2(100.0f, 9.0f));
    }

    // A drag by aDelta from the middle of the viewing area.
    static void DragBy(const LVector2& aDelta) { GMPuzzleHarness::Drag(kInView, kInView + aDelta); }

    // Layer aLayer (alone) dragged so that it lies aOffset from its reference layer.
    void Drop(int aLayer, int aReference, const LVector2& aOffset)
    {
        Choose(aLayer);
        ASSERT_EQ(aLayer, mPuzzle->GetControl(mPuzzle->GetCurrentTape())->GetSelected());
        DragBy(Layer(aReference) + aOffset - Layer(aLayer));
    }

    // The current tape aligned: layer 0 onto 1, then layer 2 onto 1.
    void Align()
    {
        Drop(0, 1, LVector2(1.0f, 1.0f));
        Drop(2, 1, LVector2(-1.0f, 0.0f));
    }

    void ClickArrow(const char* aId) { GMPuzzleHarness::Click(GMPuzzleHarness::Middle(GMPuzzleHarness::Member(mPuzzle, aId))); }

    GMPuzzleHarness mHarness;
    GMSurveillanceTapePuzzle* mPuzzle = nullptr;
};

} // namespace

// --- Building ------------------------------------------------------------------------

TEST_F(TapeTest, TheShowingScattersEveryLayerAndShowsTapeZeroWithItsControlLeavingCursorAndBarAlone)
{
    GMCursor::GetInstance()->SetCursor(GMCursor::TYPE_CROSSHAIR, LString("hotspot"));
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_EQ("surveillance_tapes", ToStd(mPuzzle->GetRoot()->GetId()));
    EXPECT_FLOAT_EQ(200.0f, GMPuzzleHarness::Member(mPuzzle, "back_btn")->GetRelativeZ());
    for (int t = 0; t < GMSurveillanceTapePuzzle::kTapes; ++t) {
        for (int k = 0; k < GMSurveillanceTapePuzzle::kLayers; ++k) {
            LSprite* layer = mPuzzle->GetLayer(t, k);
            ASSERT_NE(nullptr, layer);
            const LVector2 at = layer->GetWorldPosition();
            EXPECT_TRUE(at.x >= 100.0f && at.x <= 299.0f && at.y >= 0.0f && at.y <= 199.0f) << t << " " << k;
            EXPECT_EQ(t == 0, layer->GetVisible());
        }
        EXPECT_EQ(t == 0, mPuzzle->GetControl(t)->GetGroup()->GetVisible());
        EXPECT_EQ(t == 0, LMouse::Get()->Contains(mPuzzle->GetControl(t)));
        EXPECT_FALSE(mPuzzle->IsAligned(t));
    }
    EXPECT_FALSE(mPuzzle->GetTrackingDialog()->GetVisible());
    EXPECT_TRUE(LMouse::Get()->Contains(mPuzzle));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_CROSSHAIR, GMCursor::GetInstance()->GetType());
    EXPECT_TRUE(LFakeSoundManager::sMade.empty()); // no introductory voice
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_EQ(GMCursor::TYPE_CROSSHAIR, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("hotspot", ToStd(GMCursor::GetInstance()->GetOwner()));
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Dragging and snapping -----------------------------------------------------------

TEST_F(TapeTest, ADragStartingOutsideTheViewingAreaMovesNothingAndOneOnItsEdgeMovesAllThree)
{
    ASSERT_TRUE(Open());
    const LVector2 before[3] = {Layer(0), Layer(1), Layer(2)};
    for (const LVector2& from : {LVector2(123.0f, 200.0f), LVector2(400.0f, 44.0f), LVector2(790.0f, 200.0f),
                                 LVector2(400.0f, 471.0f)}) {
        GMPuzzleHarness::Drag(from, from + LVector2(30.0f, 20.0f));
        EXPECT_FALSE(mPuzzle->IsDragging());
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(before[k], Layer(k)) << k;
    }
    // The corner itself is inside.
    GMPuzzleHarness::Drag(LVector2(124.0f, 45.0f), LVector2(154.0f, 65.0f));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(before[k] + LVector2(30.0f, 20.0f), Layer(k)) << k;
    }
    EXPECT_FALSE(mPuzzle->IsAligned(0));
}

TEST_F(TapeTest, ALayerDroppedWithinTheToleranceOnBothAxesLandsOnItsReferenceAndOnePixelBeyondStays)
{
    const float tolerances[] = {20.0f, 10.0f, 5.0f};
    for (int skill : {GMOptions::SKILL_EASY, GMOptions::SKILL_MEDIUM, GMOptions::SKILL_HARD}) {
        SCOPED_TRACE(skill);
        GMOptions::GetInstance()->SetSkill(skill);
        ASSERT_TRUE(Open());
        const float tolerance = tolerances[skill];
        EXPECT_FLOAT_EQ(tolerance, mPuzzle->GetTolerance());
        // One pixel beyond on either axis: left where dropped.
        for (const LVector2& offset : {LVector2(tolerance + 1.0f, 0.0f), LVector2(0.0f, -tolerance - 1.0f)}) {
            Drop(0, 1, offset);
            EXPECT_EQ(Layer(1) + offset, Layer(0));
            Choose(0); // cleared again
        }
        // Within on both axes: exactly on the reference; layer 1 goes against 2, 2 against 1.
        Drop(0, 1, LVector2(tolerance, -tolerance));
        EXPECT_EQ(Layer(1), Layer(0));
        Choose(0);
        const LVector2 two = Layer(2);
        Drop(1, 2, LVector2(-tolerance, tolerance));
        EXPECT_EQ(two, Layer(1));
        EXPECT_NE(Layer(1), Layer(0)); // layer 0 stayed where it was
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(TapeTest, MovingAllThreeLayersNeverSnapsAndClickingTheChosenOptionAgainMovesAllThree)
{
    ASSERT_TRUE(Open());
    // Layers 0 and 1 within a pixel of each other, then all three moved: no snap.
    Drop(0, 1, LVector2(15.0f, 0.0f));
    Choose(0);
    EXPECT_EQ(-1, mPuzzle->GetControl(0)->GetSelected());
    EXPECT_FALSE(mPuzzle->GetControl(0)->GetOn(0)->GetVisible());
    EXPECT_TRUE(mPuzzle->GetControl(0)->GetOff(0)->GetVisible());
    const LVector2 before[3] = {Layer(0), Layer(1), Layer(2)};
    DragBy(LVector2(-14.0f, 3.0f));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(before[k] + LVector2(-14.0f, 3.0f), Layer(k)) << k;
    }
    EXPECT_FALSE(mPuzzle->IsAligned(0));
    // Choosing another option moves the choice.
    Choose(1);
    Choose(2);
    EXPECT_EQ(2, mPuzzle->GetControl(0)->GetSelected());
    EXPECT_FALSE(mPuzzle->GetControl(0)->GetOn(1)->GetVisible());
    EXPECT_TRUE(mPuzzle->GetControl(0)->GetOn(2)->GetVisible());
}

// --- Aligned tapes, stepping and solving ---------------------------------------------

TEST_F(TapeTest, AnAlignedTapeLocksItsControlShowsTheTrackingDialogAndStaysAlignedWhenDragged)
{
    ASSERT_TRUE(Open());
    Drop(0, 1, LVector2(2.0f, 2.0f));
    EXPECT_FALSE(mPuzzle->IsAligned(0));
    EXPECT_FALSE(mPuzzle->GetTrackingDialog()->GetVisible());
    Drop(2, 1, LVector2(-3.0f, 0.0f));
    ASSERT_TRUE(mPuzzle->IsAligned(0));
    EXPECT_TRUE(mPuzzle->GetTrackingDialog()->GetVisible());
    GMSurveillanceTapeControl* control = mPuzzle->GetControl(0);
    EXPECT_TRUE(control->IsLocked());
    EXPECT_EQ(-1, control->GetSelected());
    Choose(1);
    EXPECT_EQ(-1, control->GetSelected());
    EXPECT_FALSE(control->GetOn(1)->GetVisible());
    DragBy(LVector2(40.0f, -25.0f));
    EXPECT_EQ(Layer(0), Layer(1));
    EXPECT_EQ(Layer(1), Layer(2));
    EXPECT_TRUE(mPuzzle->IsAligned(0));
    EXPECT_FALSE(mPuzzle->IsSolved());
}

TEST_F(TapeTest, TheArrowsWrapRoundTheSixTapesWithTheIndicatorAndTheTrackingDialogFollowing)
{
    ASSERT_TRUE(Open());
    Align();
    ASSERT_TRUE(mPuzzle->IsAligned(0));
    ClickArrow("select_left");
    EXPECT_EQ(5, mPuzzle->GetCurrentTape());
    EXPECT_EQ(LVector2(752.0f, 477.0f), mPuzzle->GetIndicator()->GetWorldPosition());
    EXPECT_FALSE(mPuzzle->GetTrackingDialog()->GetVisible());
    EXPECT_TRUE(mPuzzle->GetLayer(5, 1)->GetVisible());
    EXPECT_FALSE(mPuzzle->GetLayer(0, 1)->GetVisible());
    EXPECT_TRUE(LMouse::Get()->Contains(mPuzzle->GetControl(5)));
    EXPECT_FALSE(LMouse::Get()->Contains(mPuzzle->GetControl(0)));
    ClickArrow("select_right");
    EXPECT_EQ(0, mPuzzle->GetCurrentTape());
    EXPECT_EQ(LVector2(279.0f, 477.0f), mPuzzle->GetIndicator()->GetWorldPosition());
    EXPECT_TRUE(mPuzzle->GetTrackingDialog()->GetVisible());
    EXPECT_TRUE(mPuzzle->GetControl(0)->IsLocked());
    ClickArrow("select_right");
    EXPECT_EQ(1, mPuzzle->GetCurrentTape());
    EXPECT_EQ(LVector2(373.0f, 477.0f), mPuzzle->GetIndicator()->GetWorldPosition());
    EXPECT_FALSE(mPuzzle->GetTrackingDialog()->GetVisible());
}

TEST_F(TapeTest, TapesZeroToFourDoNotSolveTheSixthAloneDoesAndItsVoiceEndClosesThePuzzle)
{
    ASSERT_TRUE(Open());
    for (int tape = 0; tape < 5; ++tape) {
        ASSERT_EQ(tape, mPuzzle->GetCurrentTape());
        Align();
        ASSERT_TRUE(mPuzzle->IsAligned(tape));
        EXPECT_FALSE(mPuzzle->IsSolved());
        ClickArrow("select_right");
    }
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_surveillancetapespuzzle_solved"));
    ASSERT_TRUE(mHarness.Back(mPuzzle));

    // A new showing: nothing aligned; the sixth tape alone solves.
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsAligned(0));
    ClickArrow("select_left");
    Align();
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_surveillancetapespuzzle_solved"));
    EXPECT_FALSE(LMouse::Get()->Contains(mPuzzle));
    ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
    EXPECT_EQ("//sounds/4re31_le.ogg", ToStd(LFakeSoundManager::sMade[0].mFileName));
    LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
    ASSERT_NE(nullptr, line);
    EXPECT_EQ("There he is, on the sixth camera. Same coat, same hour.", ToStd(line->GetText()));
    // Solved: the arrows and the drag area do nothing.
    const LVector2 before = Layer(0);
    ClickArrow("select_right");
    EXPECT_EQ(5, mPuzzle->GetCurrentTape());
    DragBy(LVector2(20.0f, 20.0f));
    EXPECT_EQ(before, Layer(0));
    EXPECT_TRUE(mPuzzle->IsShown());
    GMPuzzleHarness::Frames(20); // the line is longer than the subtitle's fade-in
    ASSERT_TRUE(GMPuzzleHarness::EndStream("solvedAudio"));
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), GMScreenManager::GetInstance()->GetTop());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(TapeTest, WithoutItsSolvedVoiceThePuzzleClosesAtOnce)
{
    LFakeSoundManager::sRefuseUnfound = true;
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(Open());
    ClickArrow("select_left");
    Align();
    EXPECT_TRUE(mPuzzle->IsSolved());
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), GMScreenManager::GetInstance()->GetTop());
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("ASSERT FAILURE"));
}

// --- The layout's entries ------------------------------------------------------------

TEST_F(TapeTest, MissingControlsAndLayersAreLoggedAndLeftOutAndATapeMissingALayerCannotAlign)
{
    std::ifstream in(mHarness.Roots().Path() + "/" + kLayout);
    std::stringstream text;
    text << in.rdbuf();
    std::string layout = text.str();
    // The sixth control and tape 5's layer 2 go.
    const size_t control = layout.find("\tc5\n");
    layout.erase(control, layout.find("layers\n") - control);
    const size_t layer = layout.find("\t\tl2\n\t\t\tid=tape5_layer2");
    layout.erase(layer, layout.find("backbutton\n") - layer);
    mHarness.Roots().Write(kLayout, layout);
    ASSERT_TRUE(Open());
    const std::string problems = mHarness.Log().Problems();
    EXPECT_NE(std::string::npos, problems.find("framecontrols holds 5 entries"));
    EXPECT_NE(std::string::npos, problems.find("Tape layer missing: tape 5, layer 2"));
    EXPECT_EQ(nullptr, mPuzzle->GetControl(5));
    EXPECT_EQ(nullptr, mPuzzle->GetLayer(5, 2));
    ClickArrow("select_left");
    EXPECT_EQ(5, mPuzzle->GetCurrentTape());
    // Without a control the drag moves both layers there are; nothing aligns.
    const LVector2 one = Layer(1);
    DragBy(LVector2(10.0f, 10.0f));
    EXPECT_EQ(one + LVector2(10.0f, 10.0f), Layer(1));
    EXPECT_FALSE(mPuzzle->CheckTape());
    EXPECT_FALSE(mPuzzle->IsSolved());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
}
