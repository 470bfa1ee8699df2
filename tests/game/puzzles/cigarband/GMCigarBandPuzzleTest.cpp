// The cigar band puzzle on the sample's layout: opening over the scene, the voice-over
// once per game, the back button, the pieces' stacking and dragging, the solution test,
// solving, and closing on its state.
#include "puzzles/cigarband/GMCigarBandPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/cigarband/GMCigarBandPiece.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMScreenFader.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kActive = "sta_cigarbandpuzzle_active";
const char* const kLayout = "data/textures/puzzles/cigar_bands/puzzle_cigarband_layout.txt";

// A layout of pieces 20 x 20 pixels from the sample's atlas, at the given places, with the
// given solution lines (indented by one TAB under "solution").
std::string Layout(const std::vector<std::pair<int, int>>& aPlaces, const std::string& aSolution)
{
    std::string text = "groups\n\tg01-background\n\t\tid=cigarband_layout\n"
                       "\tg02-backbutton\n\t\tid=back_btn\n\t\tposition=690|550\n\t\tstates\n\t\t\tn\n"
                       "\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n\t\t\t\tid=back_btn_n\n"
                       "\t\t\t\ttexture=back_btn.tga\n\t\t\t\ttexturecoords=0|0|95|31\n";
    for (size_t i = 0; i < aPlaces.size(); ++i) {
        const std::string id = "piece" + std::to_string(i + 1);
        text += "\tg" + std::to_string(i + 3) + "\n\t\tid=" + id + "\n\t\tx=" + std::to_string(aPlaces[i].first) +
                "\n\t\ty=" + std::to_string(aPlaces[i].second) + "\n\t\tsprite\n\t\t\tid=" + id +
                "_s\n\t\t\ttexture=pieces.tga\n\t\t\ttexturecoords=0|0|19|19\n";
    }
    return text + aSolution;
}

class CigarBandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMCigarBandPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        GMOptions::GetInstance()->mVolume = 0.5f;
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    GMCigarBandPiece* Piece(int aNumber)
    {
        return dynamic_cast<GMCigarBandPiece*>(GMPuzzleHarness::Member(mPuzzle, ("piece" + std::to_string(aNumber)).c_str()));
    }

    // Drags piece aNumber by its middle so that its world position becomes aTarget.
    void DragPiece(int aNumber, const LVector2& aTarget)
    {
        GMCigarBandPiece* piece = Piece(aNumber);
        ASSERT_NE(nullptr, piece);
        const LVector2 grab = piece->GetWorldPosition() + LVector2(10.0f, 10.0f);
        GMPuzzleHarness::Drag(grab, aTarget + LVector2(10.0f, 10.0f));
    }

    std::vector<std::string> PieceOrder() const
    {
        std::vector<std::string> ids;
        for (int i = 0; i < mPuzzle->GetPieces().GetCount(); ++i) {
            ids.push_back(ToStd(static_cast<GMCigarBandPiece*>(mPuzzle->GetPieces().GetAt(i))->GetId()));
        }
        return ids;
    }

    static int Made(const char* aName)
    {
        int count = 0;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            count += ToStd(made.mName) == aName ? 1 : 0;
        }
        return count;
    }

    static std::string SubtitleText()
    {
        LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
        return line != nullptr ? ToStd(line->GetText()) : "";
    }

    GMPuzzleHarness mHarness;
    GMCigarBandPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- Opening -------------------------------------------------------------------------

TEST_F(CigarBandTest, ItsStateSetsTheKeepAudioFlagThenPushesItWithAFadeAndTheShowingHidesTheBar)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMPDAMinimized::GetInstance()->Show();
    GMCursor::GetInstance()->SetCursor(GMCursor::TYPE_CROSSHAIR, LString("hotspot"));
    GMPuzzleHarness::SetState(kActive, true);
    EXPECT_TRUE(mHarness.Scene().GetKeepAudio());
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), screens->GetTop());
    EXPECT_FALSE(mPuzzle->IsShown()); // shown at black
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(mPuzzle->IsShown());
    EXPECT_EQ(1, mHarness.Scene().mHidden);
    EXPECT_TRUE(mHarness.Scene().mKeptAudio); // the scene's hiding found the flag set
    EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("", ToStd(GMCursor::GetInstance()->GetOwner()));
    EXPECT_TRUE(LMouse::Get()->Contains(mPuzzle));

    // Another state opens nothing; its own state again does not push it a second time.
    const int count = screens->GetCount();
    GMPuzzleHarness::SetState("sta_paintingpuzzle_activex", true);
    GMPuzzleHarness::SetState(kActive, true);
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(count, screens->GetCount());
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(mPuzzle->IsShown());
    EXPECT_EQ(1, mHarness.Scene().mHidden);
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- The voice-over ------------------------------------------------------------------

TEST_F(CigarBandTest, TheFirstShowingPlaysTheVoiceForTheSkillWithItsSubtitleAndLaterShowingsNone)
{
    struct Case
    {
        int mSkill;
        const char* mFile;
    };
    const Case cases[] = {{GMOptions::SKILL_MEDIUM, "//sounds/1cn05_rg.ogg"},
                          {GMOptions::SKILL_HARD, "//sounds/1cn05_rg.ogg"},
                          {GMOptions::SKILL_EASY, "//sounds/hi02_rg.ogg"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mFile);
        LEventManager::Get()->RemoveAllEvents();
        LFakeSoundManager::sMade.clear();
        GMOptions::GetInstance()->SetSkill(c.mSkill);
        ASSERT_TRUE(Open());
        EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_cigarbandpuzzle_initvo"));
        ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
        EXPECT_EQ(c.mFile, ToStd(LFakeSoundManager::sMade[0].mFileName));
        LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("hintAudio"));
        ASSERT_NE(nullptr, voice);
        EXPECT_TRUE(voice->mPlaying);
        EXPECT_FLOAT_EQ(0.5f, voice->mVolume);
        // The stream reports to the puzzle's voiced line, which reports to the puzzle.
        EXPECT_EQ(static_cast<LISoundListener*>(mPuzzle->GetVoice()), voice->mListener);
        GMSubtitle* subtitle = GMSubtitle::GetInstance();
        EXPECT_TRUE(subtitle->IsShowing());
        EXPECT_FLOAT_EQ(0.0f, subtitle->GetLocalPosition().x);
        EXPECT_FLOAT_EQ(500.0f, subtitle->GetLocalPosition().y);
        EXPECT_EQ(c.mSkill == GMOptions::SKILL_EASY ? "Drag the torn pieces together until the band is whole again."
                                                   : "Torn cigar bands. If I put them back together, I might learn "
                                                     "where they came from.",
                  SubtitleText());

        // Its end fades the subtitle out and deletes the player.
        ASSERT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
        EXPECT_EQ(nullptr, mPuzzle->GetSound());
        EXPECT_FALSE(subtitle->IsShowing());
        ASSERT_TRUE(mHarness.Back(mPuzzle));
        // Shown again: no voice, no subtitle.
        ASSERT_TRUE(Open());
        EXPECT_EQ(1u, LFakeSoundManager::sMade.size());
        EXPECT_FALSE(subtitle->IsShowing());
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CigarBandTest, AMarkingEventRaisedByALoadedGameKeepsTheVoiceSilent)
{
    LEventManager::Get()->AddEvent(LString("evt_cigarbandpuzzle_initvo"), false);
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
}

TEST_F(CigarBandTest, AMissingSubtitleKeyGivesTheVoiceAlone)
{
    mHarness.Roots().Write("data/scenes/vo_subtitles.txt", "hi02_rg=Easy.\n");
    ASSERT_TRUE(Open());
    LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("hintAudio"));
    ASSERT_NE(nullptr, voice);
    EXPECT_TRUE(voice->mPlaying);
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CigarBandTest, AVoiceFileThatCannotBeOpenedGivesTheAssertionLineAndNothingElse)
{
    LFakeSoundManager::sRefuseUnfound = true; // no sound files under the roots
    ASSERT_TRUE(Open());
    LFakeSoundManager::sRefuseUnfound = false;
    EXPECT_EQ(nullptr, mPuzzle->GetSound());
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_EQ(1, mHarness.Log().Count("ASSERT FAILURE: "));
    EXPECT_EQ(1, mHarness.Log().Count("CreateStream failure: //sounds/1cn05_rg.ogg"));
    EXPECT_EQ(2u, mHarness.Log().Lines().size()) << mHarness.Log().Bytes();
    // The puzzle works on without it.
    EXPECT_TRUE(mHarness.Back(mPuzzle));
}

// --- The back button -----------------------------------------------------------------

TEST_F(CigarBandTest, TheBackButtonPopsWithAFadeAndLeavingDuringTheVoiceDeletesItsPlayer)
{
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(Open());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    const int shown = mHarness.Scene().mShown;
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_EQ(shown + 1, mHarness.Scene().mShown);
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, GMCursor::GetInstance()->GetType());
    GMPuzzleHarness::Frames(20); // no end notice of the deleted player
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CigarBandTest, OnlyAClickOfTheBackButtonIdInAnyCaseLeaves)
{
    ASSERT_TRUE(Open());
    GMScreenManager* screens = GMScreenManager::GetInstance();
    struct Case
    {
        const char* mId;
        int mEvent;
        bool mLeaves;
    };
    const Case cases[] = {{"back_btn", 0, false}, {"back_btn", 3, false}, {"piece1", 4, false}, {"BACK_Btn", 4, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mId) + " " + std::to_string(c.mEvent));
        mPuzzle->OnButton(LString(c.mId), c.mEvent);
        EXPECT_EQ(c.mLeaves, screens->IsBusy());
    }
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
}

TEST_F(CigarBandTest, ASecondShowingRebuildsEveryPieceFromTheLayout)
{
    ASSERT_TRUE(Open());
    GMCigarBandPiece* first = Piece(3);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0u, ToStd(first->Dump()).rfind("[GMCigarBandPiece ", 0)) << ToStd(first->Dump());
    const LVector2 start = first->GetWorldPosition();
    DragPiece(3, start + LVector2(100.0f, 50.0f));
    EXPECT_FLOAT_EQ(start.x + 100.0f, first->GetWorldPosition().x);
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    GMCigarBandPiece* again = Piece(3);
    ASSERT_NE(nullptr, again);
    EXPECT_FLOAT_EQ(start.x, again->GetWorldPosition().x);
    EXPECT_FLOAT_EQ(start.y, again->GetWorldPosition().y);
    EXPECT_EQ((std::vector<std::string> {"piece1", "piece2", "piece3", "piece4", "piece5", "piece6", "piece7"}),
              PieceOrder());
}

// --- Pieces, stacking and dragging ---------------------------------------------------

TEST_F(CigarBandTest, TheEasySkillBuildsFivePiecesStackedFrom500Down)
{
    for (int skill : {GMOptions::SKILL_EASY, GMOptions::SKILL_MEDIUM}) {
        SCOPED_TRACE(skill);
        GMOptions::GetInstance()->SetSkill(skill);
        ASSERT_TRUE(Open());
        const int count = skill == GMOptions::SKILL_EASY ? 5 : 7;
        ASSERT_EQ(count, mPuzzle->GetPieces().GetCount());
        for (int n = 1; n <= 7; ++n) {
            GMCigarBandPiece* piece = Piece(n);
            ASSERT_EQ(n <= count, piece != nullptr) << n;
            if (piece != nullptr) {
                EXPECT_FLOAT_EQ(500.0f - 5.0f * static_cast<float>(n - 1), piece->GetRelativeZ()) << n;
                EXPECT_FLOAT_EQ(60.0f, piece->GetWidth());
                EXPECT_FLOAT_EQ(48.0f, piece->GetHeight());
            }
        }
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
}

TEST_F(CigarBandTest, AnEasyLayoutWithFewerEntriesThanSevenBuildsWhatItHas)
{
    mHarness.Roots().Write(kLayout, Layout({{100, 100}, {200, 100}}, "solution\n\tpiece1=0|0\n"));
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    EXPECT_EQ(2, mPuzzle->GetPieces().GetCount());
    EXPECT_TRUE(mHarness.Back(mPuzzle));
}

TEST_F(CigarBandTest, APressOnOverlappingPiecesPicksThePieceLastPickedAndLiftsItAboveAll)
{
    ASSERT_TRUE(Open());
    GMCigarBandPiece* three = Piece(3);
    GMCigarBandPiece* four = Piece(4);
    ASSERT_TRUE(three && four);
    four->SetPosition(100.0f, 100.0f);
    GMPuzzleHarness::Click(LVector2(110.0f, 110.0f)); // picks piece4 alone
    EXPECT_FLOAT_EQ(505.0f, four->GetRelativeZ());
    three->SetPosition(100.0f, 100.0f);
    // At once on the same spot: the mouse (double clicks on, as the scene wants them)
    // reports the second press of a double click, which picks all the same.
    GMPuzzleHarness::MoveTo(LVector2(110.0f, 110.0f));
    LMouse::Get()->OnButtonDown(1);
    EXPECT_EQ(four, mPuzzle->GetDragged());
    EXPECT_FLOAT_EQ(510.0f, four->GetRelativeZ());
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ(nullptr, mPuzzle->GetDragged());
    EXPECT_EQ("piece4", PieceOrder()[0]);
    // Button 2 picks nothing.
    LMouse::Get()->OnButtonDown(2);
    EXPECT_EQ(nullptr, mPuzzle->GetDragged());
    LMouse::Get()->OnButtonUp(2);
}

TEST_F(CigarBandTest, DraggingAgainstAnEdgeStopsThatAxisOnly)
{
    ASSERT_TRUE(Open());
    GMCigarBandPiece* piece = Piece(1); // 60 x 48
    ASSERT_NE(nullptr, piece);
    struct Case
    {
        LVector2 mTarget;
        LVector2 mResult;
    };
    const Case cases[] = {
        {{300.0f, 200.0f}, {300.0f, 200.0f}}, {{-5.0f, 250.0f}, {300.0f, 250.0f}}, {{0.0f, 260.0f}, {300.0f, 260.0f}},
        {{740.0f, 270.0f}, {300.0f, 270.0f}}, {{739.0f, 280.0f}, {739.0f, 280.0f}}, {{400.0f, 552.0f}, {400.0f, 280.0f}},
        {{410.0f, 551.0f}, {410.0f, 551.0f}}, {{-1.0f, 600.0f}, {410.0f, 551.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mTarget.x) + "," + std::to_string(c.mTarget.y));
        const LVector2 grab = piece->GetWorldPosition() + LVector2(10.0f, 10.0f);
        GMPuzzleHarness::MoveTo(grab);
        LMouse::Get()->OnButtonDown(1);
        ASSERT_EQ(piece, mPuzzle->GetDragged());
        GMPuzzleHarness::MoveTo(c.mTarget + LVector2(10.0f, 10.0f));
        LMouse::Get()->OnButtonUp(1);
        EXPECT_FLOAT_EQ(c.mResult.x, piece->GetWorldPosition().x);
        EXPECT_FLOAT_EQ(c.mResult.y, piece->GetWorldPosition().y);
    }
}

// --- The solution test ---------------------------------------------------------------

TEST_F(CigarBandTest, TheSolutionTestAllowsTwentyPixelsAnAxisAndSkipsPiecesNotBuilt)
{
    struct Case
    {
        const char* mName;
        std::vector<std::pair<int, int>> mPlaces;
        std::string mSolution;
        bool mSolved;
    };
    const std::string band = "solution\n\tpiece1=0|0\n\tpiece2=60|0\n\tpiece3=120|10\n";
    const Case cases[] = {
        {"in place", {{100, 100}, {160, 100}, {220, 110}}, band, true},
        {"20 off in x and y", {{100, 100}, {180, 80}, {200, 130}}, band, true},
        {"21 off in x", {{100, 100}, {181, 100}, {220, 110}}, band, false},
        {"21 off in y", {{100, 100}, {160, 100}, {220, 89}}, band, false},
        {"unbuilt pieces skipped", {{100, 100}, {160, 100}}, band + "\tpiece9=5|5\n", true},
        {"a built piece off", {{100, 100}, {170, 130}}, band + "\tpiece9=5|5\n", false},
        {"empty solution", {{100, 100}, {400, 300}}, "solution\n", true},
        {"no reference: from (-1, -1)", {{99, 49}, {500, 300}}, "solution\n\tpiece7=0|0\n\tpiece1=100|50\n", true},
        {"no reference, off", {{120, 49}, {500, 300}}, "solution\n\tpiece7=0|0\n\tpiece1=100|50\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        mHarness.Roots().Write(kLayout, Layout(c.mPlaces, c.mSolution));
        ASSERT_TRUE(Open());
        EXPECT_EQ(c.mSolved, mPuzzle->TestSolution());
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CigarBandTest, ALayoutWithoutASolutionOrWithABadOffsetCannotBeSolved)
{
    const char* const solutions[] = {"", "solution\n\tpiece1=0|0\n\tpiece2=60\n", "solution\n\tpiece1=x|y|z\n"};
    for (const char* solution : solutions) {
        SCOPED_TRACE(solution);
        mHarness.Log().Clear();
        mHarness.Roots().Write(kLayout, Layout({{100, 100}, {160, 100}}, solution));
        ASSERT_TRUE(Open());
        DragPiece(2, LVector2(170.0f, 100.0f)); // a drop runs the test
        EXPECT_FALSE(mPuzzle->IsSolved());
        EXPECT_TRUE(mHarness.Log().Contains("ERROR: ")) << mHarness.Log().Bytes();
        EXPECT_TRUE(mHarness.Log().Contains("solution"));
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_cigarbands_solved"));
}

// --- Solving -------------------------------------------------------------------------

TEST_F(CigarBandTest, PuttingTheBandTogetherSolvesItOnTheDropAndTheBackButtonStillLeaves)
{
    ASSERT_TRUE(Open());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    const LVector2 origin(150.0f, 200.0f);
    DragPiece(1, origin);
    for (int n = 2; n <= 4; ++n) {
        DragPiece(n, origin + LVector2(60.0f * static_cast<float>(n - 1) + 7.0f, -6.0f));
        EXPECT_FALSE(mPuzzle->IsSolved()) << n;
    }
    DragPiece(5, origin + LVector2(240.0f, 15.0f));
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_cigarbands_solved"));
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("1cn05"));
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(n <= 5, Piece(n)->GetVisible()) << n;
    }
    LFakeSoundPlayer* solved = LFakeSoundPlayer::Find(LString("solvedAudio"));
    ASSERT_NE(nullptr, solved);
    EXPECT_EQ("//sounds/1cn05a_rg.ogg", ToStd(solved->mFileName));
    EXPECT_TRUE(solved->mPlaying);
    EXPECT_EQ("There. The band of a Regal Corona, sold at one shop in town.", SubtitleText());
    EXPECT_TRUE(GMSubtitle::GetInstance()->IsShowing());

    // No more dragging.
    EXPECT_FALSE(LMouse::Get()->Contains(mPuzzle));
    const LVector2 before = Piece(6)->GetWorldPosition();
    DragPiece(6, LVector2(500.0f, 500.0f));
    EXPECT_FLOAT_EQ(before.x, Piece(6)->GetWorldPosition().x);

    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("solvedAudio")));
    // Shown again it starts from the layout, unsolved; solved again, it raises nothing twice.
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_TRUE(Piece(6)->GetVisible());
    for (int n = 1; n <= 5; ++n) {
        DragPiece(n, origin + LVector2(60.0f * static_cast<float>(n - 1), 0.0f));
    }
    EXPECT_TRUE(mPuzzle->IsSolved());
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Closing on the state ------------------------------------------------------------

TEST_F(CigarBandTest, ItsStateTurningFalseWhileShownClosesItThroughTheFaderAndOtherwiseDoesNothing)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    const GMPuzzleFootprint before = mHarness.Footprint();
    // Not shown: the scene stays on top, nothing fades.
    GMPuzzleHarness::SetState(kActive, false);
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(nullptr, GMScreenFader::GetInstance()->GetListener());
    EXPECT_EQ(1, screens->GetCount());

    ASSERT_TRUE(Open());
    const int shown = mHarness.Scene().mShown;
    GMPuzzleHarness::SetState(kActive, false);
    EXPECT_EQ(static_cast<GMIScreenFaderListener*>(mPuzzle), GMScreenFader::GetInstance()->GetListener());
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(-1, screens->IndexOf(mPuzzle));
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
    EXPECT_EQ(shown + 1, mHarness.Scene().mShown);
    EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));

    // Turned false during the opening fade: the close waits for the screen change to end.
    GMPuzzleHarness::SetState(kActive, true);
    for (int i = 0; i < 40 && !mPuzzle->IsShown(); ++i) {
        GMPuzzleHarness::Frames(1); // at black the puzzle is shown; the fade-in runs
    }
    ASSERT_TRUE(mPuzzle->IsShown());
    ASSERT_TRUE(screens->IsBusy());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
    // The screen manager still changes screens afterwards.
    EXPECT_TRUE(Open());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CigarBandTest, AHitPolygonDecidesWhereItsPieceIsTaken)
{
    ASSERT_TRUE(Open());
    GMCigarBandPiece* triangle = Piece(7); // the upper right half of its 60 x 48 picture
    ASSERT_NE(nullptr, triangle);
    ASSERT_NE(nullptr, triangle->GetHitPolygon());
    const LVector2 corner = triangle->GetWorldPosition();
    struct Case
    {
        LVector2 mAt;
        bool mTaken;
    };
    const Case cases[] = {{{5.0f, 40.0f}, false}, {{50.0f, 5.0f}, true}, {{58.0f, 45.0f}, true}, {{70.0f, 5.0f}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mAt.x) + "," + std::to_string(c.mAt.y));
        GMPuzzleHarness::MoveTo(corner + c.mAt);
        LMouse::Get()->OnButtonDown(1);
        EXPECT_EQ(c.mTaken ? triangle : nullptr, mPuzzle->GetDragged());
        if (c.mTaken) {
            EXPECT_FLOAT_EQ(-c.mAt.x, triangle->GetGrabOffset().x);
            EXPECT_FLOAT_EQ(-c.mAt.y, triangle->GetGrabOffset().y);
        }
        LMouse::Get()->OnButtonUp(1);
    }
}

TEST_F(CigarBandTest, APieceWithoutASpriteIsLoggedAndStillStacked)
{
    std::string layout = Layout({{100, 100}}, "solution\n\tpiece1=0|0\n");
    layout.insert(layout.find("solution"), "\tg9\n\t\tid=piece2\n\t\tx=300\n\t\ty=200\n");
    mHarness.Roots().Write(kLayout, layout);
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, mHarness.Log().Count("ERROR: "));
    EXPECT_TRUE(mHarness.Log().Contains("BuildSprite failed"));
    EXPECT_EQ((std::vector<std::string> {"piece1", "piece2"}), PieceOrder());
    ASSERT_NE(nullptr, Piece(2));
    EXPECT_FLOAT_EQ(495.0f, Piece(2)->GetRelativeZ());
    EXPECT_FLOAT_EQ(300.0f, Piece(2)->GetWorldPosition().x);
    EXPECT_TRUE(mHarness.Back(mPuzzle));
}
