// Hotspots in the sample's riverbank, loaded as the game loads it, with the mouse driven
// as the application forwards it: hover and clicks, walks to the object of interest, the
// real action menu, the look voice-over and its subtitle, collect and analyze, doors,
// targets, witnesses and bargaining, and the scene's input afterwards.
#include "scene/GMHotspot.h"

#include "GMHotspotEntries.h"

#include "GMScreenManager.h"
#include "Gdi/LFader.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LFrame.h"
#include "Render/LMesh.h"
#include "Render/LNavigationTDO.h"
#include "Render/LSteeringTDO.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspotInterview.h"
#include "scene/GMHotspotNavigate.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LRandom.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/GMTestScene.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace GMSceneFlow;

// Screen points inside the sample's vp01 hotspots.
const LVector2 kObject(300.0f, 350.0f);
const LVector2 kTarget(620.0f, 395.0f);
const LVector2 kWitness(275.0f, 240.0f);
const LVector2 kDoor(760.0f, 300.0f);
const LVector2 kNowhere(20.0f, 20.0f);

std::unique_ptr<GMHotspot> Make(const std::string& aText)
{
    return MakeHotspot(aText);
}

// A hotspot at (100, 100)-(160, 160) with aData in "data" and aTypeData in its kind.
std::string Entry(const std::string& aType, const std::string& aId, const std::string& aData,
                  const std::string& aTypeData = "")
{
    return HotspotEntry(aType, aId, "boundary\n\ttype=rectangle\n\tcoords=0|0|60|60\n\tposition=100|100\n", aData, aTypeData);
}

class HotspotSceneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMSceneFlow::PrepareGame());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LRandom::Seed(7);
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
        mScene = GMSceneManager::GetInstance()->GetScene();
        mLog.Clear();
        ASSERT_NE(nullptr, mScene);
        Frames(2);
        ASSERT_TRUE(mScene->IsInputEnabled());
        mMenu = GMMultiCursor::GetInstance();
        ASSERT_NE(nullptr, mMenu);
        Move(kNowhere);
    }





    GMHotspot* Find(const char* aId) const { return mScene->FindHotspot(LString(aId)); }

    // Puts the player (and its navigation) at ground point aAt.
    static void PlacePlayer(const LVector2& aAt)
    {
        GMNavigation::GetInstance()->GetNavigation()->SetPosition(LVector3(aAt.x, aAt.y, 0.0f));
    }

    // The menu's press on an action: the button's centre, pressed and released.
    void Press(int aAction)
    {
        ASSERT_TRUE(FramesUntil([&] { return mMenu->IsOpen(); }));
        LButton* button = mMenu->GetButton(aAction);
        ASSERT_NE(nullptr, button);
        const LVector2 at = button->GetWorldPosition();
        Click(LVector2(at.x + 25.0f, at.y + 25.0f));
    }

    static LFakeSoundPlayer* Voice(const char* aName = "hotspotSound") { return LFakeSoundPlayer::Find(LString(aName)); }

    // Ends the voice-over that plays (after its subtitle had the 0.3 s to fade in) and
    // lets its end notice arrive.
    void EndVoice(const char* aName = "hotspotSound")
    {
        Frames(8);
        LFakeSoundPlayer* voice = Voice(aName);
        ASSERT_NE(nullptr, voice);
        voice->MarkEnded();
        Frames(2);
        EXPECT_EQ(nullptr, Voice(aName));
    }

    static bool Holds(const char* aItem)
    {
        GMInventoryPanel* inventory = GMPDA::GetInstance()->GetInventoryPanel();
        for (int panel = 0; panel < GMInventoryPanel::SUBPANEL_COUNT; ++panel) {
            for (int i = 0; i < GMInventoryPanel::CELL_COUNT; ++i) {
                if (inventory->GetItem(panel, i) == LString(aItem)) {
                    return true;
                }
            }
        }
        return false;
    }

    // An interview index without the sample's interview: a talk finds nothing to start
    // (the manager logs two lines on the missing entry, then the hotspot its failure).
    void WithoutInterviews()
    {
        mIndex.Write("interviews.txt", "other\n\tdata=other.txt\n");
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//interviews"), FromStd(mIndex.Path())));
        GMInterviewManager::GetInstance()->ClearInterviews();
        GMInterviewManager::GetInstance()->LoadData();
        mLog.Clear();
    }

    // The scene takes clicks on its ground and its hotspots again.
    void ExpectClickable(GMHotspot* aHotspot)
    {
        EXPECT_TRUE(mScene->IsInputEnabled());
        EXPECT_FALSE(mScene->HasMouseLock());
        EXPECT_TRUE(aHotspot->IsInputEnabled());
        EXPECT_TRUE(LMouse::Get()->Contains(aHotspot));
    }

    LLogCapture mLog;
    LTestDirectory mIndex;
    GMScene* mScene = nullptr;
    GMMultiCursor* mMenu = nullptr;
};

} // namespace

TEST_F(HotspotSceneTest, TheViewpointsHotspotsAreMadeByKindAndTakeTheMouse)
{
    struct Case
    {
        const char* mId;
        int mKind;
    };
    const Case cases[] = {{"hs_to_vp02", 1}, {"sample_witness", 2}, {"sample_target", 3}, {"sample_object", 4}};
    for (const Case& c : cases) {
        GMHotspot* hotspot = Find(c.mId);
        ASSERT_NE(nullptr, hotspot) << c.mId;
        EXPECT_EQ(c.mKind, hotspot->GetKind());
        EXPECT_TRUE(hotspot->IsActive() && hotspot->IsInputEnabled());
        EXPECT_TRUE(LMouse::Get()->Contains(hotspot)) << c.mId;
    }
    // Hover: the roll-over cursor belongs to the hotspot under the mouse.
    Move(kObject);
    EXPECT_TRUE(Find("sample_object")->IsHover());
    EXPECT_EQ(GMCursor::TYPE_ROLLOVER, GMCursor::GetInstance()->GetType());
    Move(kNowhere);
    Move(kDoor);
    EXPECT_FALSE(Find("sample_object")->IsHover());
    EXPECT_EQ(GMCursor::FindType(LString("go_right")), GMCursor::GetInstance()->GetType());
    Move(kNowhere);
    EXPECT_EQ(GMCursor::TYPE_DEFAULT, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotSceneTest, LookOnTheSampleObjectWalksOpensTheMenuAndSpeaksItsLineInTheStrip)
{
    GMHotspot* object = Find("sample_object");
    Click(kObject);
    // The player is farther than the radius: it walks first, the menu waits.
    EXPECT_EQ(object, GMNavigation::GetInstance()->GetListener());
    EXPECT_EQ(1, GMNavigation::GetInstance()->GetSteering()->GetMoveIndex());
    EXPECT_EQ(nullptr, mMenu->GetListener());
    ASSERT_TRUE(FramesUntil([&] { return mMenu->GetListener() == object; }));
    EXPECT_EQ(nullptr, GMNavigation::GetInstance()->GetListener());
    EXPECT_FALSE(object->IsInputEnabled()); // the scene's hotspots are off while it is open
    EXPECT_TRUE(mMenu->IsActionEnabled(GMMultiCursorAction::LOOK));
    EXPECT_FALSE(mMenu->IsActionEnabled(GMMultiCursorAction::TALK));

    Press(GMMultiCursorAction::LOOK);
    EXPECT_EQ(nullptr, mMenu->GetListener());
    EXPECT_TRUE(mMenu->IsFading());
    EXPECT_TRUE(Raised("evt_sample_looked"));
    EXPECT_TRUE(Raised("evt_sample_object_sample_look_played"));
    LFakeSoundPlayer* voice = Voice();
    ASSERT_NE(nullptr, voice);
    EXPECT_EQ("//sounds/sample_look.ogg", ToStd(voice->mFileName));
    EXPECT_TRUE(object->IsVoicePlaying());
    EXPECT_FALSE(mScene->IsInputEnabled());

    GMSubtitle* strip = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, strip->GetMainLine());
    EXPECT_EQ("A glove, dropped in the mud. Not long ago, either.", ToStd(strip->GetMainLine()->GetText()));
    ASSERT_TRUE(FramesUntil([&] { return strip->IsShown(); }));
    EXPECT_TRUE(strip->IsVisible());
    ASSERT_TRUE(FramesUntil([&] { return !mMenu->IsFading(); }));
    EXPECT_EQ(510.0f, strip->GetMainLine()->GetWorldPosition().y); // in the strip at the bottom
    EXPECT_FALSE(mMenu->IsFading() || mMenu->IsOpen());

    // Clicks during the voice-over are ignored.
    Click(kTarget);
    object->OnButtonDown(1);
    EXPECT_FALSE(Raised("evt_used__sample_target"));
    EXPECT_EQ(nullptr, mMenu->GetListener());

    EndVoice();
    EXPECT_FALSE(object->IsVoicePlaying());
    ExpectClickable(object);
    EXPECT_EQ("", mLog.Problems());

    // The look line is offered once.
    PlacePlayer(LVector2(-60.0f, -50.0f));
    Click(kObject);
    ASSERT_EQ(object, mMenu->GetListener());
    EXPECT_FALSE(mMenu->IsActionEnabled(GMMultiCursorAction::LOOK));
    EXPECT_TRUE(mMenu->IsActionEnabled(GMMultiCursorAction::COLLECT));
}

TEST_F(HotspotSceneTest, ADoubleClickRunsAndANearClickOpensTheMenuAtOnce)
{
    GMHotspot* object = Find("sample_object");
    Move(kObject);
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ(2, GMNavigation::GetInstance()->GetSteering()->GetMoveIndex());
    EXPECT_EQ(nullptr, mMenu->GetListener());
    ASSERT_TRUE(FramesUntil([&] { return mMenu->GetListener() == object; }));
    mMenu->Hide(false);
    object->OnAction(GMMultiCursorAction::NONE);
    Frames(30);

    PlacePlayer(LVector2(-60.0f, -50.0f)); // within the radius of 40
    Click(kObject);
    EXPECT_EQ(object, mMenu->GetListener());
    EXPECT_EQ(nullptr, GMNavigation::GetInstance()->GetListener());
}

// A hotspot clicked while the menu faded out after a click beside it used to switch every
// hotspot of the viewpoint off, though the menu never opened: nothing answered any more.
TEST_F(HotspotSceneTest, AHotspotClickedWhileTheMenuFadesOutChangesNothingAndALaterClickOpensIt)
{
    GMHotspot* object = Find("sample_object");
    PlacePlayer(LVector2(-60.0f, -50.0f)); // near: no walk, the menu opens at once
    Click(kObject);
    ASSERT_TRUE(FramesUntil([&] { return mMenu->IsOpen(); }));
    ASSERT_EQ(object, mMenu->GetListener());
    Click(kNowhere);
    Frames(1);
    ASSERT_TRUE(mMenu->IsFading() && mMenu->GetVisible());
    ExpectClickable(object);

    Click(kObject);
    EXPECT_EQ(nullptr, mMenu->GetListener());
    EXPECT_FALSE(mMenu->IsOpen());
    ExpectClickable(object);
    EXPECT_TRUE(Find("sample_witness")->IsInputEnabled());
    ASSERT_TRUE(FramesUntil([&] { return !mMenu->IsFading(); }));
    EXPECT_FALSE(mMenu->GetVisible());

    Click(kObject);
    ASSERT_TRUE(FramesUntil([&] { return mMenu->IsOpen(); }));
    EXPECT_EQ(object, mMenu->GetListener());
    EXPECT_FALSE(object->IsInputEnabled());
    EXPECT_EQ("", mLog.Problems());
}

// Switched off, a hotspot hears no move: the hover it had then made the first click
// after it was switched on again, wherever the mouse had gone, a click on it.
TEST_F(HotspotSceneTest, AClickAfterTheHotspotsAreOnAgainCountsWhereTheMouseIsNow)
{
    GMHotspot* object = Find("sample_object");
    PlacePlayer(LVector2(-60.0f, -50.0f));
    Click(kObject);
    Press(GMMultiCursorAction::LOOK);
    Move(LVector2(200.0f, 420.0f)); // onto the ground, while the line plays
    EndVoice();
    ExpectClickable(object);
    ASSERT_TRUE(FramesUntil([&] { return !mMenu->IsFading(); }));
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
    Frames(30);
    EXPECT_EQ(nullptr, mMenu->GetListener());
    EXPECT_FALSE(mMenu->GetVisible());
    ExpectClickable(object);

    // A mouse that came to rest on the hotspot while it was off: a click there counts.
    object->SetInputEnabled(false);
    Move(kObject);
    object->SetInputEnabled(true);
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
    ASSERT_TRUE(FramesUntil([&] { return mMenu->GetListener() == object; }));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotSceneTest, AtSkillZeroTheThirdEntryPlaysAndLookStaysOffered)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    auto hotspot = Make(Entry("general", "hs_easy", "\tvoiceovers\n\t\tlook=other_look|vedrin|sample_look\n\tlook\n\t\tdoneevents=evt_easy\n"));
    hotspot->SetInputEnabled(true);
    hotspot->ShowMultiCursor();
    hotspot->OnAction(GMMultiCursorAction::LOOK);
    EXPECT_TRUE(Raised("evt_hs_easy_sample_look_played"));
    EXPECT_FALSE(Raised("evt_hs_easy_other_look_played"));
    EXPECT_EQ("//sounds/sample_look.ogg", ToStd(Voice()->mFileName));
    EndVoice();
    EXPECT_TRUE(hotspot->ShowMultiCursor());
    EXPECT_TRUE(mMenu->IsActionEnabled(GMMultiCursorAction::LOOK));
    // Played again: the events raised before are left alone, without an error.
    hotspot->OnAction(GMMultiCursorAction::LOOK);
    EndVoice();
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotSceneTest, AVoiceOverWithoutGesturesPlaysARandomFallbackGestureOnThePlayer)
{
    const char* const fallbacks[] = {"/SS_M/SS_X1_AL.lia1", "/SS_M/SS_Y1_AR.lia1", "/SS_M/SS_A1_AB.lia1"};
    for (unsigned int seed : {1u, 2u, 3u, 4u}) {
        LRandom::Seed(seed);
        const char* expected = fallbacks[LRandom::Next() % 3];
        LRandom::Seed(seed);
        // A line named with its sound file's ending has no gesture file.
        auto hotspot = Make(Entry("general", "hs_quiet", "\tvoiceovers\n\t\tlook=sample_look.ogg\n"));
        ASSERT_TRUE(hotspot->PlayVoiceOver(GMHotspot::SITUATION_LOOK));
        EXPECT_EQ(nullptr, hotspot->GetGesturePlayer());
        LAnimation* gesture = LGestureAnimManager::Get()->GetAnimation(LString(expected));
        ASSERT_NE(nullptr, gesture) << expected;
        EXPECT_NE(nullptr, mScene->GetPlayer()->GetAnimationCtrl()->FindTrack(gesture)) << expected;
        EndVoice();
    }
    EXPECT_EQ("", mLog.Problems()); // neither gestures nor lip sync: nothing to complain of
    // With a gesture file the gestures are its own, bound to the speaker.
    auto object = Find("sample_object");
    ASSERT_TRUE(object->PlayVoiceOver(GMHotspot::SITUATION_LOOK));
    EXPECT_NE(nullptr, object->GetGesturePlayer());
    EXPECT_EQ(mScene->GetPlayer(), object->GetSpeaker());
    EndVoice();
}

TEST_F(HotspotSceneTest, CollectWithATableAnimationTakesTheItemAtItsTakingPoint)
{
    auto hotspot = Make(Entry("general", "hs_cup", "\toperatingid=notebook\n\tcollectanim=table\n\tcollect\n\t\tdoneevents=evt_cup_taken\n"));
    hotspot->SetInputEnabled(true);
    GMCharacter* player = mScene->GetPlayer();
    hotspot->ShowMultiCursor();
    hotspot->OnAction(GMMultiCursorAction::COLLECT);
    EXPECT_EQ(GM_ACTION_PICK_TABLE, player->GetAction());
    EXPECT_FALSE(Holds("notebook"));
    EXPECT_FALSE(Raised("evt_cup_taken"));
    EXPECT_FALSE(Find("sample_object")->IsInputEnabled());
    ASSERT_TRUE(FramesUntil([] { return Holds("notebook"); }));
    EXPECT_TRUE(Raised("evt_cup_taken"));
    // The collect is over: the other hotspots take clicks again, this one does not.
    EXPECT_TRUE(LMouse::Get()->Contains(Find("sample_object")));
    EXPECT_FALSE(LMouse::Get()->Contains(hotspot.get()));
}

TEST_F(HotspotSceneTest, AHotspotDeletedDuringItsCollectIsNotCalledBack)
{
    auto hotspot = Make(Entry("general", "hs_cup", "\toperatingid=notebook\n\tcollectanim=table\n"));
    hotspot->ShowMultiCursor();
    hotspot->OnAction(GMMultiCursorAction::COLLECT);
    hotspot.reset();
    Frames(60); // the animation's taking point passes without a listener
    EXPECT_FALSE(Holds("notebook"));
}

TEST_F(HotspotSceneTest, CollectWithoutAnAnimationTakesTheItemAtOnce)
{
    GMHotspot* object = Find("sample_object");
    PlacePlayer(LVector2(-60.0f, -50.0f));
    Click(kObject);
    // Within the object's radius: the player turns towards it, then the menu opens.
    ASSERT_TRUE(FramesUntil([&] { return mMenu->GetListener() == object; }));
    Press(GMMultiCursorAction::COLLECT);
    EXPECT_TRUE(Holds("glove"));
    EXPECT_FALSE(Raised("glove_CL_S"));
    ExpectClickable(object);
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotSceneTest, AnalyzeSendsTheItemToTheLab)
{
    GMHotspot* object = Find("sample_object");
    PlacePlayer(LVector2(-60.0f, -50.0f));
    Click(kObject);
    object->OnAction(GMMultiCursorAction::ANALYZE);
    EXPECT_TRUE(Holds("glove"));
    EXPECT_TRUE(Raised("glove_CL_S") && Raised("glove_RE_S"));
    LGameClock::Get()->Advance(16.0f, true);
    EXPECT_TRUE(Raised("glove_CL_R") && Raised("glove_RE_R"));
    ExpectClickable(object);
}

TEST_F(HotspotSceneTest, TheDoorWalksToItsTargetAdvancesTheClockAndEndsInTheOtherViewpoint)
{
    const float before = LGameClock::Get()->GetTime();
    Click(kDoor);
    GMHotspot* door = Find("hs_to_vp02");
    EXPECT_EQ(door, GMNavigation::GetInstance()->GetListener());
    EXPECT_TRUE(GMNavigation::GetInstance()->IsWatching());
    ASSERT_TRUE(FramesUntil([&] { return LGameClock::Get()->GetTime() > before; }));
    EXPECT_FLOAT_EQ(before + 2.0f, LGameClock::Get()->GetTime());
    LVector3 at;
    GMNavigation::GetInstance()->GetSteering()->GetPosition(at);
    EXPECT_LT(std::hypot(at.x - 100.0f, at.y - 40.0f), 40.0f);
    ASSERT_TRUE(FramesUntil([&] { return mScene->GetViewpoint() == LString("vp02") && !mScene->IsFading(); }));
    const LIState* viewpoint = LStateManager::Get()->GetState(LString("sta_currentviewpoint"));
    ASSERT_NE(nullptr, viewpoint);
    EXPECT_EQ("vp02", ToStd(*static_cast<const LString*>(viewpoint->GetValue())));
    EXPECT_NE(nullptr, mScene->FindHotspot(LString("hs_to_vp01")));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotSceneTest, ADoorReachedDuringAChangeOfScreenWaitsForItsEndBeforeAnythingOfTheArrival)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    const float before = LGameClock::Get()->GetTime();
    Click(kDoor);
    // A change of screen starts while the player walks, and holds the fader.
    screens->OnFade(LFader::kStarted);
    ASSERT_TRUE(screens->IsBusy());
    ASSERT_TRUE(FramesUntil([] { return GMNavigation::GetInstance()->GetListener() == nullptr; }));
    Frames(5);
    EXPECT_FLOAT_EQ(before, LGameClock::Get()->GetTime());
    EXPECT_EQ(1, screens->GetWaitingCount());
    EXPECT_EQ("vp01", ToStd(mScene->GetViewpoint()));

    screens->OnFade(LFader::kStopped);
    ASSERT_TRUE(FramesUntil([&] { return mScene->GetViewpoint() == LString("vp02") && !mScene->IsFading(); }));
    EXPECT_FLOAT_EQ(before + 2.0f, LGameClock::Get()->GetTime());
    EXPECT_EQ(0, screens->GetWaitingCount());
}

TEST_F(HotspotSceneTest, ADoorIntoAnotherSceneStartsThePlayerAtItsViewpointsWayPointWhenThatExists)
{
    struct Case
    {
        const char* mStart; // the precinct viewpoint's start way-point
        bool mPending;
    };
    for (const Case& c : {Case {"desk", true}, Case {"closet", false}}) {
        LTestDirectory copy;
        std::string precinct = GMTestScene::SampleFile("scene.txt", "precinct");
        const std::string line = "\t\tstartwaypoint=desk\n";
        precinct.replace(precinct.find(line), line.size(), std::string("\t\tstartwaypoint=") + c.mStart + "\n");
        ASSERT_TRUE(GMTestScene::MountChangedCopy(copy, {}));
        ASSERT_TRUE(GMTestScene::MountChangedCopy(copy, {{"scene.txt", precinct}}, "precinct"));
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
        mScene = GMSceneManager::GetInstance()->GetScene();
        Frames(2);
        auto door = Make(Entry("navigate", "hs_out", "", "\t\tsceneid=precinct\n\t\tviewpointid=vp01\n\t\ttargetpos=-120|-130\n\t\tcursordirection=left\n"));
        door->SetInputEnabled(true);
        // The door is the riverbank's own: it goes with the riverbank while it changes
        // the location.
        ASSERT_TRUE(mScene->AddHotspot(door.release()));
        Move(kNowhere);
        Click(LVector2(130.0f, 130.0f));
        GMSceneManager* scenes = GMSceneManager::GetInstance();
        ASSERT_TRUE(FramesUntil([&] { return scenes->GetScene() != nullptr && scenes->GetScene()->GetId() == LString("precinct"); }))
            << c.mStart;
        EXPECT_EQ(c.mPending, scenes->GetPendingPosition() != nullptr) << c.mStart;
        // Either way the player stands on the viewpoint's own start, the desk.
        LVector3 at;
        GMNavigation::GetInstance()->GetSteering()->GetPosition(at);
        EXPECT_FLOAT_EQ(-60.0f, at.x) << c.mStart;
        EXPECT_FLOAT_EQ(-40.0f, at.y) << c.mStart;
        EXPECT_EQ(scenes->GetScene(), GMScreenManager::GetInstance()->GetTop());
    }
}

TEST_F(HotspotSceneTest, ADeniedDoorSpeaksOnEveryClickAndNeverWalks)
{
    auto door = Make(Entry("navigate", "hs_locked", "",
                           "\t\tviewpointid=vp02\n\t\ttargetpos=100|40\n\t\tcursordirection=right\n"
                           "\t\tconditional\n\t\t\tcondition=script[e[evt_key]]\n\t\t\tunsatisfied=sample_look\n"));
    door->SetInputEnabled(true);
    for (int i = 0; i < 2; ++i) {
        Click(LVector2(130.0f, 130.0f));
        LFakeSoundPlayer* line = Voice("deniedNav");
        ASSERT_NE(nullptr, line) << i;
        EXPECT_EQ(nullptr, GMNavigation::GetInstance()->GetListener());
        EXPECT_EQ(0, GMNavigation::GetInstance()->GetSteering()->GetMoveIndex());
        EndVoice("deniedNav");
        EXPECT_TRUE(mScene->IsInputEnabled());
    }
    EXPECT_EQ(LString("vp01"), mScene->GetViewpoint());
}

TEST_F(HotspotSceneTest, ATargetHeardWithTheWrongItemRaisesItsUseEventAndSpeaksTheUnsatisfiedLine)
{
    GMCursor* cursor = GMCursor::GetInstance();
    ASSERT_TRUE(cursor->SetItemCursor(LString("badge")));
    Move(kTarget);
    EXPECT_EQ(GMCursor::TYPE_ITEM_HILIGHT, cursor->GetType());
    Click(kTarget);
    EXPECT_TRUE(Raised("evt_used_badge_sample_target"));
    EXPECT_FALSE(Raised("evt_sample_target_done"));
    ASSERT_NE(nullptr, Voice());
    EXPECT_EQ("//sounds/target_wrong_item.ogg", ToStd(Voice()->mFileName));
    EndVoice();

    ASSERT_TRUE(cursor->SetItemCursor(LString("glove")));
    Click(kTarget);
    EXPECT_TRUE(Raised("evt_used_glove_sample_target"));
    EXPECT_TRUE(Raised("evt_sample_target_done"));
    EXPECT_EQ("//sounds/target_glove_fits.ogg", ToStd(Voice()->mFileName));
    EndVoice();
    ExpectClickable(Find("sample_target"));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotSceneTest, ATalkWhoseInterviewCannotStartLeavesTheSceneClickable)
{
    WithoutInterviews();
    GMHotspot* witness = Find("sample_witness");
    PlacePlayer(LVector2(-100.0f, 0.0f));
    Click(kWitness);
    ASSERT_EQ(witness, mMenu->GetListener());
    EXPECT_TRUE(mMenu->IsActionEnabled(GMMultiCursorAction::TALK));
    witness->OnAction(GMMultiCursorAction::TALK);
    // The witness turns to her look-at point first; the talk goes on when she faces it.
    EXPECT_TRUE(witness->IsTalkPending());
    ASSERT_TRUE(FramesUntil([&] { return mLog.Count("Start interview failure.") > 0; }));
    EXPECT_EQ(1, mLog.Count("Start interview failure."));
    EXPECT_EQ(3, mLog.Count("ASSERT FAILURE: ")) << mLog.Bytes();
    ExpectClickable(witness);
}

TEST_F(HotspotSceneTest, BargainingStartsTheInterviewWithAnyItemAndOnlyTheRightOneSolvesIt)
{
    // The interview cannot start: the hotspot's part ends in the logged failure.
    WithoutInterviews();
    LStateManager::Get()->SetState(LString("bargaining_sample_interview_active"), LString("boolean"), LString("true"), true);
    auto witness = Make(Entry("interview", "hs_barter", "",
                              "\t\tinterviewid=sample_interview\n\t\tbargaining\n\t\t\titem=glove\n"
                              "\t\t\tsolvedevent=evt_barter_solved\n\t\t\tnoitem=sample_look\n"));
    witness->SetInputEnabled(true);
    GMCursor* cursor = GMCursor::GetInstance();

    Click(LVector2(130.0f, 130.0f)); // nothing in hand: the no-item line
    ASSERT_NE(nullptr, Voice("bargainVO"));
    EndVoice("bargainVO");

    for (const char* item : {"badge", "glove"}) {
        mLog.Clear();
        ASSERT_TRUE(cursor->SetItemCursor(LString(item)));
        Move(kNowhere);
        Click(LVector2(130.0f, 130.0f));
        EXPECT_EQ(1, mLog.Count("Start interview failure.")) << item;
        EXPECT_EQ(std::string(item) == "glove", Raised("evt_barter_solved")) << item;
        EXPECT_EQ(GMCursor::TYPE_DEFAULT, cursor->GetType());
        EXPECT_TRUE(mScene->IsInputEnabled());
    }
}

TEST_F(HotspotSceneTest, TwoItemBargainingWithTooLittleDataPlaysNothingAndGoesOn)
{
    // The interview cannot start: the hotspot's part ends in the logged failure.
    WithoutInterviews();
    LStateManager::Get()->SetState(LString("bargaining_sample_interview_active"), LString("boolean"), LString("true"), true);
    auto witness = Make(Entry("interview", "hs_barter", "",
                              "\t\tinterviewid=sample_interview\n\t\tbargaining\n\t\t\titem=glove|badge\n"
                              "\t\t\tsolvedevent=evt_barter_solved\n\t\t\tevents=evt_got_glove\n\t\t\tvoiceovers=sample_look\n"));
    witness->SetInputEnabled(true);
    ASSERT_TRUE(GMCursor::GetInstance()->SetItemCursor(LString("glove")));
    Click(LVector2(130.0f, 130.0f));
    EXPECT_EQ(nullptr, Voice("bargainVO"));
    EXPECT_FALSE(Raised("evt_got_glove"));
    EXPECT_TRUE(mLog.Contains("Start interview failure."));
}

TEST_F(HotspotSceneTest, AStateChangeShowsOrHidesTheHotspotsMeshFrameAtOnce)
{
    LDrawElement* model = mScene->GetDepthMesh();
    ASSERT_NE(nullptr, model);
    LFrame* frame = nullptr;
    for (int i = 0; i < model->GetFrameCount() && frame == nullptr; ++i) {
        if (model->GetFrameAt(i)->GetMesh() != nullptr) {
            frame = model->GetFrameAt(i);
        }
    }
    ASSERT_NE(nullptr, frame);
    LStateManager::Get()->SetState(LString("sta_mesh_on"), LString("boolean"), LString("false"), false);
    auto hotspot = Make("type=general\nid=hs_mesh\nenabled=script[true]\nmesh\n\tid=" + ToStd(frame->GetName()) +
                        std::string("\n\tactive=script[s[sta_mesh_on]]\nboundary\n\ttype=rectangle\n\tcoords=0|0|1|1\n\tposition=0|0\n"
                                    "data\n\tmulticursor\n\t\tposition=0|0\ntypedata\n\tgeneral\n\t\tenabled=script[true]\n"));
    EXPECT_EQ(ToStd(frame->GetName()), ToStd(hotspot->GetMeshFrame()));
    EXPECT_EQ(0u, frame->GetMesh()->GetFlags() & LMesh::kShown);
    LStateManager::Get()->SetState(LString("sta_mesh_on"), LString("true"), true);
    EXPECT_NE(0u, frame->GetMesh()->GetFlags() & LMesh::kShown);
    LStateManager::Get()->SetState(LString("sta_mesh_on"), LString("false"), true);
    EXPECT_EQ(0u, frame->GetMesh()->GetFlags() & LMesh::kShown);
}

TEST_F(HotspotSceneTest, TheDisplayMemberIsShownWhileItsScriptHoldsAndAMissingOneIsLogged)
{
    auto* sign = new LSprite();
    sign->SetId(LString("sign"));
    ASSERT_TRUE(mScene->GetDisplayGroup()->AddMember(sign, true));
    LStateManager::Get()->SetState(LString("sta_sign"), LString("boolean"), LString("false"), false);
    const std::string display = "display\n\tmemberid=sign\n\tvisible=script[s[sta_sign]]\n";
    auto hotspot = Make(Entry("general", "hs_sign", "") + display);
    ASSERT_EQ(sign, hotspot->GetDisplayMember());
    EXPECT_FALSE(sign->GetActive());
    EXPECT_TRUE(hotspot->RenderDisplayMember()); // nothing to draw
    LStateManager::Get()->SetState(LString("sta_sign"), LString("true"), true);
    EXPECT_TRUE(sign->GetActive());
    EXPECT_EQ("", mLog.Problems());

    auto lost = Make(Entry("general", "hs_lost", "") + "display\n\tmemberid=nothing\n\tvisible=script[true]\n");
    EXPECT_EQ(nullptr, lost->GetDisplayMember());
    EXPECT_EQ(1, mLog.Count("Scene display member not found: nothing"));
    EXPECT_TRUE(lost->RenderDisplayMember());
}

TEST_F(HotspotSceneTest, AVoiceOverOutlivesItsSpeakerAndGoesWithItsHotspot)
{
    auto hotspot = Make(Entry("general", "hs_easy", "\tvoiceovers\n\t\tlook=sample_look\n"));
    ASSERT_TRUE(hotspot->PlayVoiceOver(GMHotspot::SITUATION_LOOK));
    ASSERT_NE(nullptr, hotspot->GetGesturePlayer());
    ASSERT_EQ(mScene->GetPlayer(), hotspot->GetSpeaker());
    Frames(4);
    // The location, and the speaker with it, goes while the line plays: the line and its
    // gestures go on without a speaker and end touching none.
    GMSceneManager::GetInstance()->UnloadScene();
    mScene = nullptr;
    EXPECT_EQ(nullptr, hotspot->GetSpeaker());
    Frames(4);
    EndVoice();
    EXPECT_EQ(nullptr, hotspot->GetGesturePlayer());

    // A hotspot deleted while its line plays takes the line with it.
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
    mScene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, mScene);
    Frames(2);
    ASSERT_TRUE(hotspot->PlayVoiceOver(GMHotspot::SITUATION_LOOK));
    Frames(4);
    ASSERT_NE(nullptr, Voice());
    hotspot.reset();
    EXPECT_EQ(nullptr, Voice());
    Frames(4);
    // (Unloading and loading again on one restore manager logs restorables it lost.)
    EXPECT_EQ("", mLog.Problems("RemoveRestorable failure. Not found.")) << mLog.Bytes();
}
