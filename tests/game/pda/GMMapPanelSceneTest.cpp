// The map and the log on the sample's riverbank, driven as the player drives them: the
// bar's maximize opens the PDA, the map's tag blinks, a click on it moves the player to
// vp02 at the cost of 7.0 of game time, another moves to the precinct past a close-up,
// a location that fails to load, and the log lists what has happened so far.
#include "pda/GMMapPanel.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "menu/GMMainMenu.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMLogPanel.h"
#include "pda/GMMapTag.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMCloseUp.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCutScenePlayer.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

LVector2 Middle(LIDisplayObject* aObject, float aWidth, float aHeight)
{
    EXPECT_NE(nullptr, aObject);
    return aObject != nullptr ? aObject->GetWorldPosition() + LVector2(aWidth / 2.0f, aHeight / 2.0f)
                              : LVector2(0.0f, 0.0f);
}

std::string ViewpointState()
{
    LIState* state = LStateManager::Get()->GetState(LString("sta_currentviewpoint"));
    return state != nullptr && state->GetValue() != nullptr ? ToStd(*static_cast<LString*>(state->GetValue())) : "";
}

// Opens the PDA with the bar's maximize button and picks a panel of its menu.
void OpenOn(const char* aPanel)
{
    GMPDAMinimized* bar = GMPDAMinimized::GetInstance();
    Click(Middle(bar->GetBar()->GetMember(LString("maximize")), 20.0f, 20.0f));
    ASSERT_TRUE(FramesUntil([] { return GMPDA::GetInstance()->IsOpen() && !GMPDA::GetInstance()->IsBusy(); }));
    GMPDA* pda = GMPDA::GetInstance();
    if (pda->GetCurrentPanel() == nullptr || !(pda->GetCurrentPanel()->GetId() == LString(aPanel))) {
        Click(Middle(pda->GetMainMenu()->GetMember(LString(aPanel)), 120.0f, 30.0f));
    }
    Frames(12);
    ASSERT_NE(nullptr, pda->GetCurrentPanel());
    ASSERT_EQ(LString(aPanel), pda->GetCurrentPanel()->GetId());
}

} // namespace

TEST(MapPanelScene, TagsMoveThePlayerAndTheLogListsWhatHappened)
{
    LLogCapture log;
    ASSERT_TRUE(GMSceneFlow::PrepareGame());
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    // Entered before: its card has been shown, so the map's moves within it load at once.
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("case01/riverbank_placard"), false));
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
    Frames(2);
    ASSERT_EQ("vp01", ViewpointState());
    log.Clear();

    // The pen collected, for the log.
    ASSERT_TRUE(CollectAt(LVector2(440.0f, 445.0f)));
    Frames(20);

    // The map: the riverbank's tag blinks, the precinct's waits for the interview.
    OpenOn("map");
    GMPDA* pda = GMPDA::GetInstance();
    auto* map = static_cast<GMMapPanel*>(pda->GetPanel(LString("map")));
    GMMapTag* riverbank = map->FindTag(LString("riverbank"));
    GMMapTag* precinct = map->FindTag(LString("precinct"));
    ASSERT_NE(nullptr, riverbank);
    ASSERT_NE(nullptr, precinct);
    EXPECT_FALSE(precinct->GetGroup()->GetActive());
    const float before = riverbank->GetGroup()->GetBlend();
    Frames(10);
    EXPECT_NE(before, riverbank->GetGroup()->GetBlend());

    // To vp02: the cut-scene player asked first, the PDA closed, 7.0 of game time.
    const float clock = LGameClock::Get()->GetTime();
    Click(Middle(riverbank->GetButton(), 24.0f, 24.0f));
    // The sample's cut-scene table has no entry for the riverbank: no cut scene takes over.
    EXPECT_FALSE(GMCutScenePlayer::GetInstance()->IsPlaying());
    EXPECT_FALSE(pda->IsOpen());
    EXPECT_FLOAT_EQ(clock + 7.0f, LGameClock::Get()->GetTime());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_maptag_riverbank")));
    ASSERT_TRUE(FramesUntil([] { return ViewpointState() == "vp02"; }));
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(LString("case01/riverbank"), scene->GetId());
    Frames(20);
    EXPECT_EQ("", log.ProblemsBut({"Remove member failure: case_display", "RemoveRestorable failure. Not found."}))
        << log.Bytes();

    // The log: the case's opening, then the pen's two entries in file order.
    OpenOn("log");
    auto* diary = static_cast<GMLogPanel*>(pda->GetPanel(LString("log")));
    ASSERT_EQ(3, diary->GetEntryCount());
    auto text = [diary](int aIndex) {
        auto* area = dynamic_cast<LTextArea*>(diary->GetContentGroup()->GetMember(LString("logentry_") + aIndex));
        return area != nullptr ? ToStd(area->GetText()) : std::string();
    };
    EXPECT_EQ("Case 1 opened: a man was seen by the river at dawn.", text(0));
    EXPECT_EQ("Found a pen by the water.", text(1));

    // To the precinct, once the witness has been talked to, past an open close-up.
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_interviewsample_interview_started"), true));
    Click(Middle(pda->GetMainMenu()->GetMember(LString("map")), 120.0f, 30.0f));
    Frames(12);
    ASSERT_TRUE(precinct->GetGroup()->GetActive());
    GMCloseUp closeUp;
    scene = GMSceneManager::GetInstance()->GetScene();
    scene->SetCloseUp(&closeUp);
    const float clock2 = LGameClock::Get()->GetTime();
    Click(Middle(precinct->GetButton(), 24.0f, 24.0f));
    // The close-up was taken down before the move (and the location left with it).
    EXPECT_FALSE(closeUp.IsShown());
    EXPECT_FALSE(pda->IsOpen());
    EXPECT_FLOAT_EQ(clock2 + 7.0f, LGameClock::Get()->GetTime());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_map_precinct_used")));
    scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(LString("precinct"), scene->GetId());
    EXPECT_EQ(nullptr, scene->GetCloseUp());
    Frames(10);

    // A location that does not load: logged, with the PDA closed and the clock advanced,
    // and the main menu in its place.
    OpenOn("map");
    LVectorString nowhere;
    nowhere.Add(LString("gotoscene"));
    nowhere.Add(LString("nowhere"));
    const float clock3 = LGameClock::Get()->GetTime();
    log.Clear();
    precinct->ExecuteLogic(nowhere);
    EXPECT_TRUE(log.Contains("ExecuteLogic failure. Could not load scene: nowhere"));
    EXPECT_FALSE(pda->IsOpen());
    EXPECT_FLOAT_EQ(clock3 + 7.0f, LGameClock::Get()->GetTime());
    EXPECT_EQ(static_cast<GMIScreen*>(GMMainMenu::Peek()), GMScreenManager::GetInstance()->GetTop());
    EXPECT_TRUE(log.Contains("The main menu opens in place of the location that did not load: nowhere"));
}
