// The map on the sample's layout: its five openings, the clue pictures by their scripts,
// the solved event at the build that finds all four clues, the timed showing, and the
// closes it asks for, which wait for a running fade and leave other screens alone.
#include "puzzles/map_puzzle/GMMapPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A screen that can cover the map.
class OtherScreen : public GMIScreen
{
public:
    void OnLeave() override {}
    void OnHidden() override {}
    void OnShow() override {}
};

class MapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
        mMap = GMMapPuzzle::GetInstance();
        ASSERT_NE(nullptr, mMap);
    }

    bool Shown()
    {
        return mMap->IsShown() && GMScreenManager::GetInstance()->GetTop() == static_cast<GMIScreen*>(mMap);
    }
    bool SceneOnTop() { return GMScreenManager::GetInstance()->GetTop() == static_cast<GMIScreen*>(&mHarness.Scene()); }

    static void SoundDone()
    {
        LEventManager::Get()->AddEvent(LString("evt_1ce09_rg_sounddone"), true);
    }

    bool ClueShown(const char* aId)
    {
        LIDisplayObject* clue = GMPuzzleHarness::Member(mMap, aId);
        return clue != nullptr && clue->GetVisible();
    }

    GMPuzzleHarness mHarness;
    GMMapPuzzle* mMap = nullptr;
};

} // namespace

// --- Opening -------------------------------------------------------------------------

TEST_F(MapTest, EachOfTheFiveTriggersOpensTheMapWithoutABackButtonOrVoice)
{
    LFakeSoundManager::sMade.clear();
    GMPuzzleHarness::SetState("sta_mappuzzle_active", true);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(Shown());
    EXPECT_EQ("map_puzzle_layout", ToStd(mMap->GetRoot()->GetId()));
    EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mMap, "back_btn"));
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
    // Its own state false does nothing.
    GMPuzzleHarness::SetState("sta_mappuzzle_active", false);
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(Shown());
    GMScreenManager::GetInstance()->Clear();
    GMScreenManager::GetInstance()->PushScreen(&mHarness.Scene());
    mMap->OnHidden();

    // The interview states in any case; the ids are stored lower-cased.
    const char* states[] = {"sta_interview_113_2a2_ch", "STA_INTERVIEW_114_2A2_IL", "sta_interview_115_2A2_FG"};
    const char* clues[] = {"evt_mappuzzle_gate", "evt_mappuzzle_tombstone", "evt_mappuzzle_houdini"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(states[i]);
        EXPECT_TRUE(mHarness.Open(states[i], mMap));
        EXPECT_TRUE(GMPuzzleHarness::EventRaised(clues[i]));
        GMPuzzleHarness::SetState(states[i], false);
        GMPuzzleHarness::Settle();
        EXPECT_TRUE(SceneOnTop());
    }
    SoundDone();
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_mappuzzle_sandcastle"));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(MapTest, TheCluePicturesFollowTheirScriptsAtEveryBuild)
{
    ASSERT_TRUE(mHarness.Open("sta_interview_114_2a2_il", mMap));
    EXPECT_TRUE(ClueShown("clue_tombstone"));
    EXPECT_FALSE(ClueShown("clue_gate"));
    EXPECT_FALSE(ClueShown("clue_sandcastle"));
    GMPuzzleHarness::SetState("sta_interview_114_2a2_il", false);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(mHarness.Open("sta_interview_113_2a2_ch", mMap));
    EXPECT_TRUE(ClueShown("clue_tombstone"));
    EXPECT_TRUE(ClueShown("clue_gate"));
    EXPECT_FALSE(ClueShown("clue_houdini"));
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_mappuzzle_solved"));
}

TEST_F(MapTest, TheFourthClueOpensTheMapWhoseBuildRaisesTheSolvedEventOnce)
{
    LEventManager* events = LEventManager::Get();
    events->AddEvent(LString("evt_mappuzzle_sandcastle"), false);
    events->AddEvent(LString("evt_mappuzzle_gate"), false);
    events->AddEvent(LString("evt_mappuzzle_tombstone"), false);
    ASSERT_TRUE(mHarness.Open("sta_interview_115_2a2_fg", mMap));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_mappuzzle_solved"));
    for (const char* clue : {"clue_sandcastle", "clue_gate", "clue_tombstone", "clue_houdini"}) {
        EXPECT_TRUE(ClueShown(clue)) << clue;
    }
    GMPuzzleHarness::SetState("sta_interview_115_2a2_fg", false);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(mHarness.Open("sta_mappuzzle_active", mMap));
    EXPECT_EQ("", mHarness.Log().Problems()); // no duplicate refused
}

// --- Closing -------------------------------------------------------------------------

TEST_F(MapTest, TheSoundDoneShowingClosesOnTheFirstFrameMoreThanFourSecondsLater)
{
    SoundDone();
    const double start = LFakeTimer::sNow;
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(Shown());
    LFakeTimer::FrameAt(start + 4.0);
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(GMScreenManager::GetInstance()->IsBusy());
    LFakeTimer::FrameAt(start + 4.001);
    EXPECT_TRUE(GMScreenManager::GetInstance()->IsBusy());
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_FALSE(mMap->IsShown());
    // Answered once a game: the event again opens nothing.
    LEvent* removed = nullptr;
    LEventManager::Get()->RemoveEvent(LString("evt_1ce09_rg_sounddone"), &removed);
    delete removed;
    SoundDone();
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
}

TEST_F(MapTest, TheTimedCloseThatMeetsARunningFadeClosesAfterIt)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    OtherScreen other;
    SoundDone();
    const double start = LFakeTimer::sNow;
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(Shown());
    ASSERT_TRUE(screens->PushFade(&other));
    GMPuzzleHarness::Settle();
    while (LFakeTimer::sNow < start + 3.9) {
        GMPuzzleHarness::Frames(1);
    }
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(screens->PopFade(&popped));
    // The fade back to the map runs over the close time.
    GMPuzzleHarness::Frames(4);
    ASSERT_GT(LFakeTimer::sNow, start + 4.0);
    ASSERT_TRUE(screens->IsBusy());
    EXPECT_TRUE(mMap->IsClosePending());
    GMPuzzleHarness::Settle();
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_FALSE(mMap->IsShown());
}

TEST_F(MapTest, AnInterviewStateFalseDuringTheOpeningFadeClosesAfterItAndNothingWhenTheMapIsNotOnTop)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMPuzzleHarness::SetState("sta_interview_113_2a2_ch", true);
    ASSERT_TRUE(screens->IsBusy());
    GMPuzzleHarness::SetState("sta_interview_113_2a2_ch", false);
    GMPuzzleHarness::Settle();
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(SceneOnTop());
    EXPECT_FALSE(mMap->IsShown());

    // Another screen over the map: it stays, and so does the map below it.
    OtherScreen other;
    ASSERT_TRUE(mHarness.Open("sta_interview_114_2a2_il", mMap));
    ASSERT_TRUE(screens->PushFade(&other));
    GMPuzzleHarness::Settle();
    GMPuzzleHarness::SetState("sta_interview_114_2a2_il", false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&other), screens->GetTop());
    EXPECT_EQ(2, screens->IndexOf(&other));
    EXPECT_FALSE(mMap->IsClosePending());
    screens->RemoveScreen(&other);
}

TEST_F(MapTest, InASecondGameTheSoundDoneEventOpensTheMapAgain)
{
    SoundDone();
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(Shown());
    for (int i = 0; i < 200 && !SceneOnTop(); ++i) {
        GMPuzzleHarness::Frames(1);
    }
    ASSERT_TRUE(SceneOnTop());
    GMPuzzleHarness::Settle();
    // A new game: no events.
    LEventManager::Get()->RemoveAllEvents();
    SoundDone();
    GMPuzzleHarness::Settle();
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_mappuzzle_sandcastle"));
}
