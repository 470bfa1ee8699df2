// The crime lab in process on the sample's case-1 location, case 1 selected, with the
// mouse as the application forwards it: a talk on the lab's van starts "1CL_lab", the
// computer comes up beside the notepad, a topic clicked on the notepad types its profile
// and hands over the lab's report, the exit button closes the computer and plays the
// exit, and afterwards a hotspot answers a click again.
#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "interview/GMExpertComputer.h"
#include "interview/GMExpertInterview.h"
#include "interview/GMExpertTopicArea.h"
#include "interview/GMInterviewManager.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMHotspot.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "Render/LNavigationTDO.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace GMSceneFlow;

const LVector2 kVan(130.0f, 290.0f);
const LVector2 kObject(300.0f, 350.0f);
const LVector2 kNowhere(20.0f, 20.0f);

class ExpertFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mScene = StartAtRiverbank(11);
        ASSERT_NE(nullptr, mScene);
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        delete GMCleaner::GetInstance();
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
};

TEST_F(ExpertFlowTest, ATalkAtTheVanQuestionsTheLabBesideItsComputerAndGivesTheSceneBack)
{
    auto* lab = dynamic_cast<GMExpertInterview*>(GMInterviewManager::GetInstance()->GetCached(LString("1CL_lab")));
    ASSERT_NE(nullptr, lab) << "preloaded with the viewpoint's hotspots";
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(-100.0f, 0.0f, 0.0f));
    Click(kVan);
    ASSERT_TRUE(FramesUntil([&] { return menu->IsOpen(); }));
    ClickButton(menu->GetButton(GMMultiCursorAction::TALK), 25.0f);
    ASSERT_TRUE(FramesUntil([&] { return lab->IsRunning(); }));
    EXPECT_FALSE(mScene->IsInputEnabled());

    // Two topics ready, one waiting: the intro, then the computer beside the notepad.
    EXPECT_EQ("ex_intro.ogg;", PlayLines(lab));
    GMExpertComputer* computer = GMExpertComputer::Peek();
    ASSERT_NE(nullptr, computer);
    ASSERT_TRUE(FramesUntil([&] { return GMScreenManager::GetInstance()->GetTop() == computer && !GMScreenManager::GetInstance()->IsBusy(); }));
    ASSERT_NE(nullptr, computer->GetRoot());
    EXPECT_FLOAT_EQ(-130.0f, lab->GetNotepad()->GetLocalPosition().x);
    EXPECT_TRUE(lab->GetNotepad()->GetActive());
    GMExpertTopicArea* topics = lab->GetExpertTopicArea();
    EXPECT_EQ(2, topics->GetReadyCount());
    EXPECT_EQ(1, topics->GetWaitingCount());

    // The glove, clicked on the notepad: the lab's answer, its profile typed, the report
    // in the inventory.
    Move(kNowhere);
    ClickButton(topics->GetButton(0));
    EXPECT_EQ("glove", ToStd(lab->GetCurrentTopic()));
    EXPECT_EQ("ex_glove.ogg;", PlayLines(lab));
    ASSERT_TRUE(FramesUntil([&] { return !computer->IsTyping(); }));
    EXPECT_EQ("Leather glove, right hand", ToStd(computer->GetField(GMExpertComputer::FIELD_ITEM)->GetText()));
    EXPECT_EQ("Riverbank, by the water", ToStd(computer->GetField(GMExpertComputer::FIELD_LOCATION)->GetText()));
    EXPECT_NE(nullptr, computer->GetIcon());
    GMInventoryPanel* inventory = GMPDA::GetInstance()->GetInventoryPanel();
    bool held = false;
    for (int cell = 0; cell < 56; ++cell) {
        held = held || inventory->GetItem(3, cell) == LString("glove_cl");
    }
    EXPECT_TRUE(held);
    EXPECT_EQ(1, topics->GetViewedCount());

    // Leave: the computer closes, the exit line plays, the scene is back.
    Move(kNowhere);
    ClickButton(dynamic_cast<LButton*>(lab->GetNotepad()->GetMember(LString("btn_exit"))));
    EXPECT_EQ("ex_exit.ogg;", PlayLines(lab, true));
    EXPECT_FALSE(lab->IsRunning());
    EXPECT_EQ(nullptr, computer->GetRoot());
    EXPECT_EQ(mScene, GMScreenManager::GetInstance()->GetTop());
    ASSERT_TRUE(FramesUntil([&] { return mScene->IsInputEnabled(); }));
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    GMHotspot* object = mScene->FindHotspot(LString("sample_object"));
    ASSERT_NE(nullptr, object);
    Move(kNowhere);
    Click(kObject);
    EXPECT_TRUE(FramesUntil([&] { return menu->GetListener() == object; }));

    // Nothing went wrong but the gesture and lip-sync files the sample leaves out.
    std::istringstream problems(mLog.Problems());
    std::string problem;
    while (std::getline(problems, problem)) {
        const bool leftOut = problem.find("/gestures/ex_") != std::string::npos ||
                             problem.find("/lipsync/ex_") != std::string::npos;
        EXPECT_TRUE(leftOut) << problem;
    }
}

} // namespace
