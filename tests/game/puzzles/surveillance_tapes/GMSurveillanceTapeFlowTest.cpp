// The surveillance tapes reached as the game reaches them: the witness on the sample's
// riverbank questioned, her answer on the boat brings out the tapes in the middle of the
// interview, the sixth tape's layers dragged onto each other (their starts read from the
// display) solve it with its voice, the puzzle closes and the interview takes its panel
// and mouse back and goes on to its exit.
#include "puzzles/surveillance_tapes/GMSurveillanceTapePuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewTopicArea.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "puzzles/surveillance_tapes/GMSurveillanceTapeControl.h"
#include "Render/LNavigationTDO.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace GMSceneFlow;

const LVector2 kWitness(275.0f, 240.0f);
const LVector2 kNowhere(20.0f, 20.0f);
// The middle of the tapes' viewing area.
const LVector2 kInView(456.0f, 257.0f);

class TapeFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mScene = StartAtRiverbank(7);
        ASSERT_NE(nullptr, mScene);
        mPuzzle = GMSurveillanceTapePuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        GMPuzzleHarness::EndGame();
    }

    static LDisplayGroup* Panel(LDisplayGroup** aModes = nullptr)
    {
        LDisplayGroup *panel = nullptr, *modes = nullptr;
        GMInterviewMeter* meter = nullptr;
        GMInterviewScrollBar* bar = nullptr;
        GMInterviewManager::GetInstance()->GetInterviewDisplay(&panel, &modes, &meter, &bar);
        if (aModes != nullptr) {
            *aModes = modes;
        }
        return panel;
    }

    static LButton* ModeButton(const char* aId)
    {
        LDisplayGroup* modes = nullptr;
        Panel(&modes);
        return modes != nullptr ? dynamic_cast<LButton*>(modes->GetMember(LString(aId))) : nullptr;
    }

    LVector2 Layer(int aLayer) const { return mPuzzle->GetLayer(mPuzzle->GetCurrentTape(), aLayer)->GetWorldPosition(); }

    // Layer aLayer alone dragged onto aReference, by way of its control's option.
    void DragOnto(int aLayer, int aReference)
    {
        GMSurveillanceTapeControl* control = mPuzzle->GetControl(mPuzzle->GetCurrentTape());
        ASSERT_NE(nullptr, control);
        Move(kNowhere);
        Click(control->GetOn(aLayer)->GetWorldPosition() + LVector2(100.0f, 9.0f));
        ASSERT_EQ(aLayer, control->GetSelected());
        const LVector2 delta = Layer(aReference) - Layer(aLayer) + LVector2(3.0f, -2.0f);
        GMPuzzleHarness::Drag(kInView, kInView + delta, 8);
    }

    LLogCapture mLog;
    GMSurveillanceTapePuzzle* mPuzzle = nullptr;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(TapeFlowTest, TheWitnessAnswerOpensTheTapesWhoseSixthSolvedClosesThemBackIntoTheInterview)
{
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    GMInterview* interview = manager->GetCached(LString("sample_interview"));
    ASSERT_NE(nullptr, interview);
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(-100.0f, 0.0f, 0.0f));
    Click(kWitness);
    ASSERT_TRUE(FramesUntil([&] { return menu->IsOpen(); }));
    ClickButton(menu->GetButton(GMMultiCursorAction::TALK), 25.0f);
    ASSERT_TRUE(FramesUntil([&] { return interview->IsRunning(); }));
    PlayLines(interview);

    // What she saw, then the boat, which she then speaks of.
    Move(kNowhere);
    ClickButton(interview->GetTopicArea()->GetButton(0));
    ClickButton(ModeButton("mode_stra"));
    PlayLines(interview);
    ASSERT_TRUE(FramesUntil([&] { return !interview->IsBusy(); }));
    Move(kNowhere);
    ClickButton(interview->GetTopicArea()->GetButton(2));
    ASSERT_EQ("t_boat", ToStd(interview->GetCurrentTopic()));
    ClickButton(ModeButton("mode_decp"));
    PlayLines(interview);

    // The answer's end brings out the tapes over the interview.
    EXPECT_TRUE(GMPuzzleHarness::StateIsTrue("sta_surveillancetapepuzzle_active"));
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return mPuzzle->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), screens->GetTop());
    EXPECT_TRUE(interview->IsRunning());
    ASSERT_TRUE(mPuzzle->HasInterview());
    EXPECT_FALSE(Panel()->GetActive());
    EXPECT_FALSE(LMouse::Get()->Contains(interview));

    // The sixth tape, its layers read from the display and dragged onto each other.
    Move(kNowhere);
    Click(GMPuzzleHarness::Middle(GMPuzzleHarness::Member(mPuzzle, "select_left")));
    ASSERT_EQ(5, mPuzzle->GetCurrentTape());
    DragOnto(0, 1);
    EXPECT_FALSE(mPuzzle->IsAligned(5));
    DragOnto(2, 1);
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_surveillancetapespuzzle_solved"));
    LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
    ASSERT_NE(nullptr, line);
    EXPECT_EQ("There he is, on the sixth camera. Same coat, same hour.", ToStd(line->GetText()));
    Frames(20);
    LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("solvedAudio"));
    ASSERT_NE(nullptr, voice);
    voice->MarkEnded();
    ASSERT_TRUE(FramesUntil([&] { return !mPuzzle->IsShown() && !screens->IsBusy(); }));

    // The interview has its panel and mouse again, and goes on to its exit.
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());
    EXPECT_FALSE(mPuzzle->HasInterview());
    EXPECT_TRUE(Panel()->GetActive());
    EXPECT_TRUE(LMouse::Get()->Contains(interview));
    ASSERT_TRUE(interview->IsRunning());
    Move(kNowhere);
    ClickButton(dynamic_cast<LButton*>(Panel()->GetMember(LString("btn_exit"))));
    PlayLines(interview);
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_sample_interview_exit_done"));

    // Nothing went wrong but the gesture and lip-sync files the sample leaves out.
    std::istringstream lines(mLog.Problems());
    std::string problem;
    while (std::getline(lines, problem)) {
        const bool leftOut = problem.find("/gestures/si_") != std::string::npos ||
                             problem.find("/lipsync/si_") != std::string::npos;
        EXPECT_TRUE(leftOut) << problem;
    }
}
