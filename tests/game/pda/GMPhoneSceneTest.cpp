// The phone on the sample's riverbank, driven as the player drives it: the pen collected
// and sent to the labs from the PDA, the lab delay passing, the bar's phone icon flashing,
// the messages played with their subtitles, and a call to the enabled contact (the ring,
// the PDA shrinking into the corner, the phone interview, the PDA growing back).
#include "pda/GMPhonePanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "pda/GMPhone.h"
#include "pda/GMPhoneDirectoryPanel.h"
#include "pda/GMPhoneMessagesPanel.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "time/LGameClock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace GMSceneFlow;

LVector2 Middle(LIDisplayObject* aObject, float aWidth, float aHeight)
{
    return aObject != nullptr ? aObject->GetWorldPosition() + LVector2(aWidth / 2.0f, aHeight / 2.0f)
                              : LVector2(0.0f, 0.0f);
}

LVector2 Member(LDisplayGroup* aGroup, const char* aId, float aWidth, float aHeight)
{
    LIDisplayObject* member = aGroup != nullptr ? aGroup->GetMember(LString(aId)) : nullptr;
    EXPECT_NE(nullptr, member) << aId;
    return Middle(member, aWidth, aHeight);
}

} // namespace

TEST(PhoneScene, LabResultsReachThePhoneAndACallShrinksThePDAForItsInterview)
{
    LLogCapture log;
    ASSERT_TRUE(GMSceneFlow::PrepareGame());
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    GMPhone* phone = GMPhone::GetInstance();
    ASSERT_NE(nullptr, phone);
    Frames(2);
    log.Clear();

    // The pen collected through its hotspot and sent to the labs from the PDA.
    ASSERT_TRUE(CollectAt(LVector2(440.0f, 445.0f)));
    Frames(20);
    GMPDA* pda = GMPDA::GetInstance();
    ASSERT_EQ(1, GMPDAMinimized::GetInstance()->Maximize(false));
    Frames(12);
    Click(Member(pda->GetMainMenu(), "inventory", 120.0f, 30.0f));
    Frames(12);
    GMInventoryItem* pen =
        pda->GetInventoryPanel()->GetSubpanel(GMInventoryPanel::CATEGORY_EVIDENCE)->GetItem(LString("pen"));
    ASSERT_NE(nullptr, pen);
    pen->OnAction(GMMultiCursorAction::ANALYZE);
    ASSERT_TRUE(LEventManager::Get()->IsRaised(LString("pen_CL_S")));
    ASSERT_EQ(1, pda->Close());
    Frames(4);
    GMPDAMinimized* bar = GMPDAMinimized::GetInstance();
    ASSERT_TRUE(bar->IsShown());
    EXPECT_EQ(0, phone->GetPendingCount());
    EXPECT_FALSE(bar->IsFlashing());

    // The results arrive: the pen's own crime-lab message, research's generic one.
    LGameClock::Get()->Advance(5.0f, true);
    ASSERT_TRUE(LEventManager::Get()->IsRaised(LString("pen_CL_R")));
    EXPECT_EQ(2, phone->GetPendingCount());
    EXPECT_EQ(LString("pm_pen_lab"), phone->GetPendingAt(0));
    EXPECT_EQ(LString("RE"), phone->GetPendingAt(1));
    EXPECT_TRUE(bar->IsFlashing());

    // The messages, played one after the other.
    ASSERT_EQ(1, bar->Maximize(false));
    Frames(12);
    Click(Member(pda->GetMainMenu(), "phone", 120.0f, 30.0f));
    Frames(12);
    auto* panel = static_cast<GMPhonePanel*>(pda->GetPanel(LString("phone")));
    ASSERT_EQ(static_cast<GMIPDAPanel*>(panel), pda->GetCurrentPanel());
    Click(Member(panel->GetMenuGroup(), "messages", 60.0f, 20.0f));
    GMPhoneMessagesPanel* messages = panel->GetMessages();
    EXPECT_EQ(LString("You have 2 New Messages"), messages->GetCountText()->GetText());
    Click(Member(messages->GetGroup(), "listen_yes", 60.0f, 20.0f));
    LFakeSoundPlayer* sound = LFakeSoundPlayer::Find(LString("phone_message"));
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(LString("//dataroot/sounds/pm_pen_lab.ogg"), sound->mFileName);
    EXPECT_EQ(LString("Crime lab. The pen you sent carries a partial print."),
              GMSubtitle::GetInstance()->GetMainLine()->GetText());
    Frames(20);
    EXPECT_TRUE(GMSubtitle::GetInstance()->IsShown());
    sound->MarkEnded();
    Frames(1);
    sound = LFakeSoundPlayer::Find(LString("phone_message"));
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(LString("//dataroot/sounds/pm_lab_re.ogg"), sound->mFileName);
    sound->MarkEnded();
    Frames(1);
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("phone_message")));
    EXPECT_EQ(LString("You have 0 New Messages"), messages->GetCountText()->GetText());
    EXPECT_FALSE(bar->IsFlashing());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_pm_pen_lab_played")));

    EXPECT_EQ("", log.Problems("Remove member failure: case_display")) << log.Bytes();

    // The directory: only the crime lab can be called yet.
    Click(Member(panel->GetMenuGroup(), "directory", 60.0f, 20.0f));
    GMPhoneDirectoryPanel* directory = panel->GetDirectory();
    ASSERT_NE(nullptr, directory->GetContentGroup());
    EXPECT_EQ(nullptr, directory->GetContentGroup()->GetMember(LString("c01")));
    GMCharacter* player = scene->GetPlayer();
    ASSERT_NE(nullptr, player);
    Click(Member(directory->GetContentGroup(), "c02", 24.0f, 14.0f));
    LFakeSoundPlayer* ring = LFakeSoundPlayer::Find(LString("c02"));
    ASSERT_NE(nullptr, ring);
    EXPECT_EQ(LString("//textures/pda/internal_ring2.ogg"), ring->mFileName);
    EXPECT_TRUE(player->IsAmbientSuspended());
    ASSERT_NE(nullptr, directory->GetCallGroup());
    EXPECT_TRUE(directory->GetCallGroup()->GetMember(LString("connecting"))->GetVisible());
    EXPECT_EQ(LString("Name: Crime lab"),
              static_cast<LTextArea*>(directory->GetCallGroup()->GetMember(LString("c02_name")))->GetText());

    // Connected: the phone out, the PDA without input, shrinking toward (50, 50).
    const LVector2 start = pda->GetGroup()->GetWorldPosition();
    ring->MarkEnded();
    Frames(1);
    EXPECT_EQ(9, player->GetAction());
    EXPECT_FALSE(directory->GetCallGroup()->GetMember(LString("connecting"))->GetVisible());
    EXPECT_FALSE(directory->GetCallGroup()->GetMember(LString("c02_name"))->GetVisible());
    EXPECT_EQ(512.0f, directory->GetGroup()->GetClip()->GetWidth());
    EXPECT_FALSE(pda->GetGroup()->GetEnabled());
    ASSERT_TRUE(directory->IsShrinking());
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    int steps = 0;
    while (directory->IsShrinking() && steps < 30) {
        Frames(1);
        ++steps;
        const LVector2 at = pda->GetGroup()->GetWorldPosition();
        EXPECT_EQ(std::floor(at.x), at.x);
        if (steps <= 13) {
            EXPECT_NEAR(1.0f - 0.04f * steps, directory->GetScale(), 1e-4f) << steps;
            EXPECT_EQ(nullptr, directory->GetInterview()) << steps;
        }
    }
    EXPECT_EQ(14, steps);
    const LVector2 small = pda->GetGroup()->GetWorldPosition();
    EXPECT_NEAR(50.0f + (start.x - 50.0f) * 0.04f, small.x, 1.0f);
    EXPECT_NEAR(50.0f + (start.y - 50.0f) * 0.04f, small.y, 1.0f);
    GMInterview* call = interviews->GetCurrentInterview();
    ASSERT_NE(nullptr, call);
    EXPECT_EQ(call, directory->GetInterview());
    EXPECT_EQ(LString("sample_phone"), call->GetId());
    EXPECT_TRUE(call->IsPhoneCall());
    EXPECT_TRUE(call->IsRunning());
    EXPECT_EQ(LVector2(300.0f, 150.0f), call->GetInterviewPosition());
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_interviewsample_phone_started")));

    EXPECT_EQ("", log.Problems("Remove member failure: case_display")) << log.Bytes();

    // The call ends: the PDA grows back for 10 steps, 80 per cent of the way.
    Frames(10);
    call->End();
    EXPECT_EQ(nullptr, directory->GetInterview());
    ASSERT_TRUE(directory->IsGrowing());
    steps = 0;
    while (directory->IsGrowing() && steps < 30) {
        Frames(1);
        ++steps;
    }
    EXPECT_EQ(10, steps);
    EXPECT_FLOAT_EQ(1.0f, pda->GetGroup()->GetScale().x);
    const LVector2 back = pda->GetGroup()->GetWorldPosition();
    EXPECT_NEAR(start.x + (small.x - start.x) * 0.2f, back.x, 1.0f);
    EXPECT_NEAR(start.y + (small.y - start.y) * 0.2f, back.y, 1.0f);
    EXPECT_TRUE(pda->GetGroup()->GetEnabled());
    ASSERT_NE(nullptr, directory->GetContentGroup());
    EXPECT_NE(nullptr, directory->GetContentGroup()->GetMember(LString("c02")));
    EXPECT_EQ(nullptr, directory->GetCallGroup());
    EXPECT_EQ("", log.Problems("Remove member failure: case_display")) << log.Bytes();
}
