// Close-ups over the sample's riverbank, loaded as the game loads it: opened and closed by
// their trigger states and their back button, their voice-over queue, their hotspots, the
// PDA over them and the interview they start after closing.
#include "scene/GMCloseUp.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LButton.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursorAction.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace GMSceneFlow;


// A close-up entry of trigger state "sta_test_cu" and opened event "evt_test_cu_opened"
// with aExtra appended (keys at the entry's level).
std::string Entry(const std::string& aExtra, const std::string& aId = "test_cu")
{
    return "id=" + aId + "\ntriggerstate=sta_" + aId + "\nopenedevent=evt_" + aId + "_opened\n" + aExtra;
}

// A state listener below every close-up: it hears what they let through.
class LaterListener : public LIStateListener
{
public:
    void OnStateChanged(LIState* aState) override
    {
        if (aState != nullptr && aState->GetId() == LString("sta_test_cu")) {
            ++mHeard;
        }
    }
    int mHeard = 0;
};

class CloseUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrepareGame());
        LEventManager::Get()->RemoveAllEvents();
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
        mScene = GMSceneManager::GetInstance()->GetScene();
        ASSERT_NE(nullptr, mScene);
        Frames(2);
        mLog.Clear();
    }

    void TearDown() override
    {
        // Made here, they go while the scene they reach is still there.
        mMade.reset();
    }

    GMCloseUp* Drawer() const { return mScene->GetCloseUpAt(0); }

    GMCloseUp* Make(const std::string& aText)
    {
        mEntry.Parse(FromStd(aText));
        mMade = std::make_unique<GMCloseUp>();
        EXPECT_TRUE(mMade->Create(&mEntry));
        return mMade.get();
    }

    static void SetTrigger(const GMCloseUp* aCloseUp, bool aOn)
    {
        LStateManager::Get()->SetState(aCloseUp->GetTriggerState(), aOn ? "true" : "false", true);
    }

    static GMIScreen* Top() { return GMScreenManager::GetInstance()->GetTop(); }

    // Opened by its state and faded in, with the screen manager free again.
    static bool Opened(GMCloseUp* aCloseUp)
    {
        SetTrigger(aCloseUp, true);
        return FramesUntil([&] { return aCloseUp->IsShown() && !GMScreenManager::GetInstance()->IsBusy(); });
    }

    bool BackToScene()
    {
        return FramesUntil([&] { return Top() == mScene && !GMScreenManager::GetInstance()->IsBusy(); });
    }

    // A click (after a pause) in the middle of the shown close-up's back button.
    static void Back(const GMCloseUp* aCloseUp)
    {
        LDisplayGroup* group = aCloseUp->GetDisplayGroup();
        ASSERT_NE(nullptr, group);
        LIDisplayObject* button = group->GetMember(LString(GMCloseUp::kBackButtonId));
        ASSERT_NE(nullptr, button);
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(button));
    }

    // Ends the voice-over now playing after its subtitle had the time to fade in.
    static void EndVoice()
    {
        Frames(8);
        ASSERT_NE(nullptr, Voice());
        Voice()->MarkEnded();
        Frames(2);
    }

    static LFakeSoundPlayer* Voice() { return LFakeSoundPlayer::Find(LString(GMCloseUp::kSoundName)); }

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

    LLogCapture mLog;
    GMScene* mScene = nullptr;
    LPropertyList mEntry;
    std::unique_ptr<GMCloseUp> mMade;
};

} // namespace

TEST_F(CloseUpTest, TheTriggerStateOpensTheCloseUpOnceAndFalsePopsIt)
{
    ASSERT_EQ(1, mScene->GetCloseUpCount());
    GMCloseUp* drawer = Drawer();
    EXPECT_EQ(LString("sample_drawer_cu"), drawer->GetId());
    EXPECT_FALSE(LStateManager::Get()->GetState(LString("sta_sample_drawer")) == nullptr);
    EXPECT_EQ(0, drawer->GetHotspotCount());
    const int mouseListeners = LMouse::Get()->GetListenerCount();
    const int frameListeners = LFrameManager::Get()->GetListenerCount();

    SetTrigger(drawer, true);
    EXPECT_EQ(drawer, mScene->GetCloseUp()); // recorded before the push
    // A script setting it again while it opens and after: still one push.
    SetTrigger(drawer, true);
    ASSERT_TRUE(Opened(drawer));
    SetTrigger(drawer, true);
    Frames(3);
    EXPECT_EQ(2, GMScreenManager::GetInstance()->GetCount());
    EXPECT_EQ(drawer, Top());
    EXPECT_NE(nullptr, drawer->GetDisplayGroup());
    EXPECT_NE(nullptr, drawer->GetDisplayGroup()->GetMember(LString("back_btn")));
    EXPECT_FALSE(mScene->IsInputEnabled());
    // The location's audio plays on under it.
    EXPECT_NE(nullptr, mScene->GetAudio());

    SetTrigger(drawer, false);
    ASSERT_TRUE(BackToScene());
    EXPECT_FALSE(drawer->IsShown());
    EXPECT_EQ(nullptr, mScene->GetCloseUp());
    EXPECT_EQ(nullptr, drawer->GetDisplayGroup());
    EXPECT_EQ(0, drawer->GetHotspotCount());
    EXPECT_TRUE(mScene->IsInputEnabled());
    // Hidden, it holds nothing but its state listener.
    Frames(10);
    EXPECT_EQ(mouseListeners, LMouse::Get()->GetListenerCount());
    EXPECT_EQ(frameListeners, LFrameManager::Get()->GetListenerCount());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CloseUpTest, WithoutAFadeItOpensAtOnceOverAnyOtherAndKeepsTheChangeToItself)
{
    GMCloseUp* drawer = Drawer();
    ASSERT_TRUE(Opened(drawer));
    GMCloseUp* quick = Make(Entry("fadeonshow=false\n"));
    LaterListener later;
    ASSERT_TRUE(LStateManager::Get()->AddListener(&later, -10.0f));
    SetTrigger(quick, true);
    LStateManager::Get()->RemoveListener(&later);
    // Shown within the call, the drawer taken down first.
    EXPECT_TRUE(quick->IsShown());
    EXPECT_EQ(quick, Top());
    EXPECT_EQ(quick, mScene->GetCloseUp());
    EXPECT_FALSE(drawer->IsShown());
    EXPECT_EQ(nullptr, drawer->GetDisplayGroup());
    EXPECT_EQ(0, later.mHeard);
    // Unload leaves the trigger state as it is.
    quick->Unload();
    EXPECT_EQ(nullptr, mScene->GetCloseUp());
    EXPECT_EQ(nullptr, quick->GetDisplayGroup());
    const auto* value = static_cast<const unsigned char*>(LStateManager::Get()->GetState(LString("sta_test_cu"))->GetValue());
    EXPECT_EQ(1, *value);
}

TEST_F(CloseUpTest, TheVoiceOverPlaysOnTheFirstOpeningOnlyAndRaisesItsEvent)
{
    GMCloseUp* drawer = Drawer();
    ASSERT_TRUE(Opened(drawer));
    LFakeSoundPlayer* voice = Voice();
    ASSERT_NE(nullptr, voice);
    EXPECT_TRUE(GMSubtitle::GetInstance()->IsShown());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_drawer_cu_opened")));
    // Deleted from inside its own end notice.
    EndVoice();
    EXPECT_EQ(nullptr, Voice());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_drawer_vo_sounddone")));

    Back(drawer);
    ASSERT_TRUE(BackToScene());
    ASSERT_TRUE(Opened(drawer));
    EXPECT_EQ(nullptr, Voice());
    // The opened event is not raised twice, so the event manager has nothing to refuse.
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CloseUpTest, TheQueuePlaysInTurnAndTheSkillPicksItsList)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    // No hint list at the easy skill: the plain list.
    GMCloseUp* closeUp = Make(Entry("voiceovers\n\tdefault=other\nvoiceover=first|second.ogg\n"));
    ASSERT_EQ(2, closeUp->GetVoiceOvers().GetCount());
    ASSERT_TRUE(Opened(closeUp));
    ASSERT_NE(nullptr, Voice());
    EXPECT_EQ(LString("//sounds/first.ogg"), Voice()->mFileName);
    EndVoice();
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_first_sounddone")));
    ASSERT_NE(nullptr, Voice());
    EXPECT_EQ(LString("//sounds/second.ogg"), Voice()->mFileName);
    EndVoice();
    EXPECT_EQ(nullptr, Voice());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_second.ogg_sounddone")));

    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    GMCloseUp* other = Make(Entry("voiceovers\n\thint=h1\n\tdefault=d1|d2\n", "other_cu"));
    EXPECT_EQ(2, other->GetVoiceOvers().GetCount());
    EXPECT_EQ(LString("d1"), other->GetVoiceOvers().GetRef(0));
}

TEST_F(CloseUpTest, TheBackButtonCutsTheVoiceOverAndClosesUnlessItIsTheStayingOne)
{
    GMCloseUp* drawer = Drawer();
    ASSERT_TRUE(Opened(drawer));
    ASSERT_NE(nullptr, Voice());
    Back(drawer);
    EXPECT_EQ(nullptr, Voice());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_sample_drawer_vo_sounddone")));
    ASSERT_TRUE(BackToScene());
    EXPECT_FALSE(drawer->IsShown());

    GMCloseUp* staying = Make(Entry("voiceover=1CE09_VD|after\n"));
    ASSERT_TRUE(Opened(staying));
    ASSERT_NE(nullptr, Voice());
    Back(staying);
    Frames(20);
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_1CE09_VD_sounddone")));
    EXPECT_EQ(staying, Top());
    EXPECT_TRUE(staying->IsShown());
    EXPECT_EQ(nullptr, Voice()); // the rest of the queue does not play
    Back(staying);
    ASSERT_TRUE(BackToScene());
}

TEST_F(CloseUpTest, ExitToSceneReturnsToTheSceneWhateverLayBelow)
{
    GMCloseUp* closeUp = Make(Entry("exittoscene=true\n"));
    ASSERT_TRUE(Opened(closeUp));
    Back(closeUp);
    ASSERT_TRUE(BackToScene());
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
    EXPECT_TRUE(mScene->IsInputEnabled());
}

TEST_F(CloseUpTest, HotspotsLiveWhileOpenFindTheirMemberAndCollectAtOnce)
{
    GMCloseUp* drawer = Drawer();
    ASSERT_TRUE(Opened(drawer));
    ASSERT_EQ(1, drawer->GetHotspotCount());
    GMHotspot* ticket = drawer->GetHotspot(0);
    EXPECT_TRUE(ticket->IsInCloseUp());
    EXPECT_NE(nullptr, ticket->GetDisplayMember());
    EXPECT_EQ(drawer->GetDisplayGroup()->GetMember(LString("ticket")), ticket->GetDisplayMember());
    EXPECT_TRUE(ticket->IsActive() && ticket->IsInputEnabled());
    EXPECT_FALSE(mLog.Contains("Scene display member not found"));

    ticket->OnAction(GMMultiCursorAction::COLLECT);
    EXPECT_TRUE(Holds("doc01"));
    // The close-up's refresh at the action's end: the collected ticket is gone.
    EXPECT_FALSE(ticket->IsActive());
    EXPECT_FALSE(LMouse::Get()->Contains(ticket));

    drawer->SetHotspotsEnabled(false);
    EXPECT_FALSE(ticket->IsInputEnabled());
    // The PDA over the close-up switches its hotspots off and on again.
    drawer->SetHotspotsEnabled(true);
    GMPDA::GetInstance()->Open();
    EXPECT_FALSE(ticket->IsInputEnabled());
    GMPDA::GetInstance()->Close();
    EXPECT_TRUE(ticket->IsInputEnabled());

    EXPECT_FALSE(drawer->AddHotspot(nullptr));
    EXPECT_TRUE(mLog.Contains("AddHotspot failure. NULL arg."));
    LPropertyList same;
    same.Parse(FromStd("type=general\nid=sample_drawer_ticket\nenabled=script[true]\n"));
    GMHotspot* duplicate = GMHotspot::Create(&same);
    ASSERT_NE(nullptr, duplicate);
    EXPECT_FALSE(drawer->AddHotspot(duplicate));
    EXPECT_TRUE(mLog.Contains("AddHotspot failure. Duplicate found."));
    delete duplicate;

    Back(drawer);
    ASSERT_TRUE(BackToScene());
    EXPECT_EQ(0, drawer->GetHotspotCount());
}

TEST_F(CloseUpTest, AMovieThatCannotBeOpenedIsLeftOut)
{
    LFakeMovieManager::Reset();
    GMCloseUp* closeUp =
        Make(Entry("anims\n\ta\n\t\tid=gone\n\t\tmovie=missing.bik\n\t\tposition=1|2\n\tb\n\t\tid=door\n\t\tmovie=chaseapt_draweropen.bik\n\t\tposition=100|50\n"));
    ASSERT_TRUE(Opened(closeUp));
    EXPECT_TRUE(mLog.Contains("Close-up movie skipped: missing.bik"));
    EXPECT_EQ(nullptr, closeUp->GetDisplayGroup()->GetMember(LString("gone")));
    LIDisplayObject* door = closeUp->GetDisplayGroup()->GetMember(LString("door"));
    ASSERT_NE(nullptr, door);
    EXPECT_EQ(LString("//dataroot/movies/chaseapt_draweropen.bik"), LFakeMovieManager::sMade.back().mFileName);
}

TEST_F(CloseUpTest, TheInterviewStartsHalfASecondAfterTheHidingThroughTheWitness)
{
    GMCloseUp* closeUp = Make(Entry("triggerinterview=sample_interview|sample_witness\ninterviewpos=30|40\n"));
    ASSERT_TRUE(Opened(closeUp));
    Back(closeUp);
    ASSERT_TRUE(FramesUntil([&] { return closeUp->IsInterviewDue(); }));
    EXPECT_FALSE(closeUp->IsShown());
    EXPECT_EQ(nullptr, closeUp->GetDisplayGroup());
    Frames(1);
    EXPECT_FALSE(mScene->IsInputEnabled());
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_interviewsample_interview_started")));
    ASSERT_TRUE(FramesUntil([&] { return !closeUp->IsInterviewDue(); }, 40));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_interviewsample_interview_started")));
    EXPECT_TRUE(mScene->IsInterviewRunning());
    EXPECT_FALSE(mScene->IsInputEnabled());
    // Once: nothing more is due, and the interview gives the scene back when it ends.
    Frames(20);
    EXPECT_FALSE(closeUp->IsInterviewDue());
    GMInterview* interview = GMInterviewManager::GetInstance()->GetCurrentInterview();
    ASSERT_NE(nullptr, interview);
    interview->End();
    ASSERT_TRUE(FramesUntil([&] { return mScene->IsInputEnabled(); }));
}

TEST_F(CloseUpTest, ASecondPartStartsTheInterviewThroughTheHotspotThatHoldsIt)
{
    // The part after the bar names no hotspot: the hotspot is the one whose interview id
    // equals the first part.
    GMCloseUp* closeUp = Make(Entry("triggerinterview=sample_interview|1\n"));
    ASSERT_TRUE(Opened(closeUp));
    Back(closeUp);
    ASSERT_TRUE(FramesUntil([&] { return closeUp->IsInterviewDue(); }));
    ASSERT_TRUE(FramesUntil([&] { return !closeUp->IsInterviewDue(); }, 40));
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_interviewsample_interview_started")));
    EXPECT_TRUE(mScene->IsInterviewRunning());
    GMInterview* interview = GMInterviewManager::GetInstance()->GetCurrentInterview();
    ASSERT_NE(nullptr, interview);
    EXPECT_EQ(mScene->FindHotspot(LString("sample_witness")), interview->GetTalkHotspot());
    EXPECT_FALSE(mLog.Contains("Close-up interview failure."));
    interview->End();
    ASSERT_TRUE(FramesUntil([&] { return mScene->IsInputEnabled(); }));
}

TEST_F(CloseUpTest, AnInterviewThatCannotStartGivesTheSceneItsClicksBack)
{
    GMCloseUp* closeUp = Make(Entry("triggerinterview=no_such_interview\n"));
    ASSERT_TRUE(Opened(closeUp));
    Back(closeUp);
    ASSERT_TRUE(FramesUntil([&] { return closeUp->IsInterviewDue(); }));
    ASSERT_TRUE(FramesUntil([&] { return !closeUp->IsInterviewDue(); }, 40));
    EXPECT_TRUE(mLog.Contains("Close-up interview failure. Not selected: no_such_interview"));
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_FALSE(mScene->IsInterviewRunning());
}
