// The witness interview in process on the sample's case-1 location, case 1 selected, with
// the mouse as the application forwards it: a talk on the witness starts the sample
// interview, its intro plays, a topic and a mode are clicked and the answer plays with its
// subtitle and moves the meter, the exit button plays the exit, and afterwards a hotspot
// answers a click again.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewTopicArea.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "Render/LNavigationTDO.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace GMSceneFlow;

const LVector2 kWitness(275.0f, 240.0f);
const LVector2 kObject(300.0f, 350.0f);
const LVector2 kNowhere(20.0f, 20.0f);

class FlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mScene = StartAtRiverbank(7);
        ASSERT_NE(nullptr, mScene);
        mMenu = GMMultiCursor::GetInstance();
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        delete GMCleaner::GetInstance();
    }





    LButton* PanelButton(const char* aGroup, const char* aId)
    {
        LDisplayGroup *panel = nullptr, *modes = nullptr;
        GMInterviewMeter* meter = nullptr;
        GMInterviewScrollBar* bar = nullptr;
        GMInterviewManager::GetInstance()->GetInterviewDisplay(&panel, &modes, &meter, &bar);
        LDisplayGroup* group = std::string(aGroup) == "modes" ? modes : panel;
        return group != nullptr ? dynamic_cast<LButton*>(group->GetMember(LString(aId))) : nullptr;
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
    GMMultiCursor* mMenu = nullptr;
};

TEST_F(FlowTest, ATalkOnTheWitnessQuestionsHerAndGivesTheSceneBack)
{
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    GMInterview* interview = manager->GetCached(LString("sample_interview"));
    ASSERT_NE(nullptr, interview) << "preloaded with the viewpoint's hotspots";

    // Talk: the action menu on the witness, its talk button.
    GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(-100.0f, 0.0f, 0.0f));
    Click(kWitness);
    ASSERT_TRUE(FramesUntil([&] { return mMenu->IsOpen(); }));
    // (The menu's button in its middle, as the menu finds its buttons.)
    ClickButton(mMenu->GetButton(GMMultiCursorAction::TALK), 25.0f);
    ASSERT_TRUE(FramesUntil([&] { return interview->IsRunning(); }));
    EXPECT_EQ(interview, manager->GetCurrentInterview());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_interviewsample_interview_started")));
    EXPECT_FALSE(mScene->IsInputEnabled());

    // The intro: the detective, then the witness.
    EXPECT_EQ("si_intro_player.ogg;si_intro_witness.ogg;", PlayLines(interview));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_interview_intro_done")));
    ASSERT_FALSE(interview->IsBusy());

    // What she saw, asked straight: the answer with its subtitle, the meter moves.
    // No move first: the action menu stopped its talk click while it held the mouse, and
    // that stop ended with the click.
    ClickButton(interview->GetTopicArea()->GetButton(0));
    EXPECT_EQ("t_saw", ToStd(interview->GetCurrentTopic()));
    EXPECT_TRUE(interview->GetTopicArea()->GetButton(0)->IsHilighted());
    LButton* straight = PanelButton("modes", "mode_stra");
    ASSERT_NE(nullptr, straight);
    EXPECT_TRUE(straight->IsEnabled());
    ClickButton(straight);
    ASSERT_TRUE(interview->IsBusy());
    ASSERT_TRUE(FramesUntil([] { return LFakeSoundPlayer::Find(LString("sequenceSound")) != nullptr; }));
    LTextArea* line = GMSubtitle::GetInstance()->GetMainLine();
    ASSERT_NE(nullptr, line);
    EXPECT_EQ("A man dropped something by the water. Here, he left this pen.", ToStd(line->GetText()));
    EXPECT_EQ("si_saw_stra.ogg;", PlayLines(interview));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_interview_saw_done")));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("sample_interview_t_saw_stra")));
    ASSERT_TRUE(FramesUntil([&] { return interview->GetMeter()->GetGoodValue() >= interview->GetGoodStep(); }));
    EXPECT_GT(interview->GetGoodStep(), 0.0f);
    // The boat is offered now.
    EXPECT_TRUE(interview->GetTopicArea()->GetButton(2)->GetVisible());

    // Leave: the exit line, then the scene is back and a hotspot answers again.
    ClickButton(PanelButton("panel", "btn_exit"));
    EXPECT_EQ("si_exit.ogg;", PlayLines(interview));
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_interview_exit_done")));
    ASSERT_TRUE(FramesUntil([&] { return mScene->IsInputEnabled(); }));
    // A hotspot answers a click again: the player walks to the object, its menu opens.
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    GMHotspot* object = mScene->FindHotspot(LString("sample_object"));
    ASSERT_NE(nullptr, object);
    Move(kNowhere);
    Click(kObject);
    EXPECT_TRUE(FramesUntil([&] { return mMenu->GetListener() == object; }));

    // Nothing went wrong: lines without gesture or lip-sync files play without them.
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(FlowTest, ATalkWhoseInterviewCannotStartGivesTheSceneBack)
{
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    GMInterview* interview = manager->GetCached(LString("sample_interview"));
    ASSERT_NE(nullptr, interview);
    LDisplayGroup *panel = nullptr, *modes = nullptr;
    GMInterviewMeter* meter = nullptr;
    GMInterviewScrollBar* bar = nullptr;
    manager->GetInterviewDisplay(&panel, &modes, &meter, &bar);
    ASSERT_NE(nullptr, panel);
    delete panel;

    GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(-100.0f, 0.0f, 0.0f));
    Click(kWitness);
    ASSERT_TRUE(FramesUntil([&] { return mMenu->IsOpen(); }));
    mLog.Clear();
    ClickButton(mMenu->GetButton(GMMultiCursorAction::TALK), 25.0f);
    ASSERT_TRUE(FramesUntil([&] { return mLog.Contains("Start interview failure."); })) << mLog.Bytes();
    EXPECT_TRUE(mLog.Contains("Start failure. No interview panel.")) << mLog.Bytes();
    EXPECT_FALSE(interview->IsRunning());
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    // The hotspots answer again, once the menu has faded out.
    ASSERT_TRUE(FramesUntil([&] { return !mMenu->IsFading(); }));
    GMHotspot* object = mScene->FindHotspot(LString("sample_object"));
    ASSERT_NE(nullptr, object);
    Move(kNowhere);
    Click(kObject);
    EXPECT_TRUE(FramesUntil([&] { return mMenu->GetListener() == object; })) << mLog.Bytes();
}

} // namespace
