// The map reached through the witness on the sample's riverbank: each of her three answers
// that name a place opens the map while her line plays and closes it when the line ends;
// the third answer's showing holds all four clues and raises the solved event.
#include "puzzles/map_puzzle/GMMapPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Render/LNavigationTDO.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewTopicArea.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace GMSceneFlow;

const LVector2 kWitness(275.0f, 240.0f);
const LVector2 kNowhere(20.0f, 20.0f);

class MapInterviewFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mScene = StartAtRiverbank(7);
        ASSERT_NE(nullptr, mScene);
        mMap = GMMapPuzzle::GetInstance();
        ASSERT_NE(nullptr, mMap);
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        GMPuzzleHarness::EndGame();
    }

    // Ends the interview's line now playing after aFrames frames.
    static bool EndLine(int aFrames = 10)
    {
        if (!FramesUntil([] { return LFakeSoundPlayer::Find(LString("sequenceSound")) != nullptr; })) {
            return false;
        }
        Frames(aFrames);
        LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound"));
        if (line == nullptr) {
            return false;
        }
        line->MarkEnded();
        return true;
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
    GMMapPuzzle* mMap = nullptr;
};

} // namespace

TEST_F(MapInterviewFlowTest, TheWitnesssThreePlacesOpenAndCloseTheMapAndTheThirdSolvesIt)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    GMInterview* interview = manager->GetCached(LString("sample_interview"));
    ASSERT_NE(nullptr, interview);
    LEventManager::Get()->AddEvent(LString("evt_mappuzzle_sandcastle"), false);

    GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(-100.0f, 0.0f, 0.0f));
    Click(kWitness);
    GMMultiCursor* menu = GMMultiCursor::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return menu->IsOpen(); }));
    Click(menu->GetButton(GMMultiCursorAction::TALK)->GetWorldPosition() + LVector2(25.0f, 25.0f));
    ASSERT_TRUE(FramesUntil([&] { return interview->IsRunning(); }));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(EndLine()) << "intro line " << i;
    }
    ASSERT_TRUE(FramesUntil([&] { return !interview->IsBusy(); }));

    const char* topics[] = {"t_gate", "t_tomb", "t_houdini"};
    const char* clues[] = {"evt_mappuzzle_gate", "evt_mappuzzle_tombstone", "evt_mappuzzle_houdini"};
    for (int t = 0; t < 3; ++t) {
        SCOPED_TRACE(topics[t]);
        Move(kNowhere);
        LButton* topic = nullptr;
        for (int i = 0; i < 8 && topic == nullptr; ++i) {
            LButton* button = interview->GetTopicArea()->GetButton(i);
            if (button != nullptr && ToStd(interview->GetTopicArea()->GetKey(i)) == topics[t]) {
                topic = button;
            }
        }
        ASSERT_NE(nullptr, topic);
        Click(topic->GetWorldPosition() + LVector2(12.0f, 12.0f));
        ASSERT_EQ(topics[t], ToStd(interview->GetCurrentTopic()));
        LDisplayGroup *panel = nullptr, *modes = nullptr;
        GMInterviewMeter* meter = nullptr;
        GMInterviewScrollBar* bar = nullptr;
        manager->GetInterviewDisplay(&panel, &modes, &meter, &bar);
        auto* straight = dynamic_cast<LButton*>(modes->GetMember(LString("mode_stra")));
        ASSERT_NE(nullptr, straight);
        Click(straight->GetWorldPosition() + LVector2(12.0f, 12.0f));
        ASSERT_TRUE(FramesUntil([&] { return mMap->IsShown() && !screens->IsBusy(); }));
        EXPECT_TRUE(GMPuzzleHarness::EventRaised(clues[t]));
        EXPECT_EQ(t == 2, GMPuzzleHarness::EventRaised("evt_mappuzzle_solved"));
        if (t == 2) {
            for (const char* clue : {"clue_sandcastle", "clue_gate", "clue_tombstone", "clue_houdini"}) {
                LIDisplayObject* picture = GMPuzzleHarness::Member(mMap, clue);
                ASSERT_NE(nullptr, picture) << clue;
                EXPECT_TRUE(picture->GetVisible()) << clue;
            }
        }
        ASSERT_TRUE(EndLine());
        ASSERT_TRUE(FramesUntil([&] { return !mMap->IsShown() && !screens->IsBusy(); }));
        EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());
        ASSERT_TRUE(FramesUntil([&] { return !interview->IsBusy(); }));
    }
    // Nothing went wrong but the gesture and lip-sync files the sample leaves out.
    std::istringstream lines(mLog.Problems());
    std::string problem;
    while (std::getline(lines, problem)) {
        EXPECT_TRUE(problem.find("/gestures/") != std::string::npos || problem.find("/lipsync/") != std::string::npos)
            << problem;
    }
}
