// The phone panel in the PDA, on the sample's phone layout and messages: the refresh at
// every showing, the directory's rows, the messages played one after the other, and the
// calls the directory cannot make.
#include "pda/GMPhonePanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "LRectangle.h"
#include "event/LEventManager.h"
#include "interview/GMSubtitle.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "pda/GMPhone.h"
#include "pda/GMPhoneDirectoryPanel.h"
#include "pda/GMPhoneMessagesPanel.h"
#include "state/LStateManager.h"
#include "support/GMTestPDA.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class PhonePanelTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(mKit.Prepared()); }

    // The PDA over a scene, open on the phone; aLayoutTail is added to the phone layout.
    void Open(const std::string& aLayoutTail = "")
    {
        if (!aLayoutTail.empty()) {
            const std::string layout = "data/textures/pda/phone_layout.txt";
            mKit.Roots().Write(layout, LTestDirectory::ReadFile(mKit.Roots().Path() + "/" + layout) + aLayoutTail);
        }
        ASSERT_TRUE(mKit.Start());
        mPDA = mKit.PDA();
        ASSERT_TRUE(mKit.Open());
        ASSERT_EQ(1, mPDA->SetPanel(LString("phone")));
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.6);
        mPanel = static_cast<GMPhonePanel*>(mPDA->GetPanel(LString("phone")));
        mDirectory = mPanel->GetDirectory();
        mMessages = mPanel->GetMessages();
        ASSERT_NE(nullptr, mDirectory);
        ASSERT_NE(nullptr, mMessages);
        // What the PDA, the cursor and the action menu log on their way up.
        mLog.Clear();
    }

    void Pick(const char* aId) { mPanel->OnButton(LString(aId), XBTNEVENT_CLICKED); }

    LTextArea* Text(const char* aId) const
    {
        LDisplayGroup* content = mDirectory->GetContentGroup();
        return content != nullptr ? dynamic_cast<LTextArea*>(content->GetMember(LString(aId))) : nullptr;
    }

    static std::string CountText(GMPhoneMessagesPanel* aMessages)
    {
        return ToStd(aMessages->GetCountText()->GetText());
    }

    LLogCapture mLog;
    GMTestPDA mKit;
    GMPDA* mPDA = nullptr;
    GMPhonePanel* mPanel = nullptr;
    GMPhoneDirectoryPanel* mDirectory = nullptr;
    GMPhoneMessagesPanel* mMessages = nullptr;
};

// The PDA's group, stepped one frame (0.05 s, past each 0.02 s step) at a time.
void Step()
{
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.05);
}

} // namespace

TEST_F(PhonePanelTest, ShowingThePhoneRefreshesItsMessagesAndShowsNoSubPanelUntilPicked)
{
    ASSERT_NE(nullptr, GMPhone::GetInstance());
    // Raised without telling anyone: only the showing finds the message due.
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_sample_witness_saw_boat"), false));
    EXPECT_EQ(0, GMPhone::GetInstance()->GetPendingCount());
    Open();
    EXPECT_EQ(1, GMPhone::GetInstance()->GetPendingCount());
    ASSERT_TRUE(mPanel->GetPhoneGroup()->IsActive());
    EXPECT_EQ(nullptr, mDirectory->GetGroup()->GetGroup());
    EXPECT_EQ(nullptr, mMessages->GetGroup()->GetGroup());
    EXPECT_EQ(nullptr, mDirectory->GetContentGroup());

    Pick("messages");
    EXPECT_EQ(mPanel->GetPhoneGroup(), mMessages->GetGroup()->GetGroup());
    Pick("directory");
    EXPECT_EQ(nullptr, mMessages->GetGroup()->GetGroup());
    EXPECT_EQ(mPanel->GetPhoneGroup(), mDirectory->GetGroup()->GetGroup());
    // Another panel takes both off.
    ASSERT_EQ(1, mPDA->SetPanel(LString("inventory")));
    EXPECT_EQ(nullptr, mDirectory->GetGroup()->GetGroup());
    EXPECT_EQ(nullptr, mDirectory->GetContentGroup());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PhonePanelTest, TheDirectoryListsTheEnabledContactsInRowsOfTheirOwn)
{
    Open();
    Pick("directory");
    const LRectangle* clip = mDirectory->GetGroup()->GetClip();
    ASSERT_NE(nullptr, clip);
    EXPECT_EQ(169.0f, clip->GetX());
    EXPECT_EQ(100.0f, clip->GetY());
    EXPECT_EQ(248.0f, clip->GetWidth());
    EXPECT_EQ(122.0f, clip->GetHeight());
    LDisplayGroup* content = mDirectory->GetContentGroup();
    ASSERT_NE(nullptr, content);
    EXPECT_EQ(LString("pdaScrollContentGroup"), content->GetGroup()->GetId());
    EXPECT_EQ(255, mPDA->GetScrollBar()->GetContentHeight());
    EXPECT_EQ(mPDA->GetGroup(), mDirectory->GetOverlay()->GetGroup());
    ASSERT_NE(nullptr, content->GetMember(LString("dir_lines_2")));
    EXPECT_EQ(LVector2(0.0f, 136.0f), content->GetMember(LString("dir_lines_2"))->GetLocalPosition());

    // The first contact waits for the witness's answer: its row stays empty.
    EXPECT_EQ(nullptr, Text("name_0"));
    EXPECT_EQ(nullptr, content->GetMember(LString("c01")));
    ASSERT_NE(nullptr, Text("name_1"));
    EXPECT_EQ(LVector2(10.0f, 38.0f), Text("name_1")->GetLocalPosition());
    EXPECT_EQ(LString("Crime lab"), Text("name_1")->GetText());
    EXPECT_EQ(LVector2(140.0f, 38.0f), Text("number_1")->GetLocalPosition());
    EXPECT_FLOAT_EQ(100.0f, Text("number_1")->GetWidth());
    auto* call = dynamic_cast<LButton*>(content->GetMember(LString("c02")));
    ASSERT_NE(nullptr, call);
    EXPECT_EQ(LVector2(220.0f, 39.0f), call->GetPlacement());

    // Shown again once the answer is given: both rows.
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_sample_witness_saw_boat"), true));
    Pick("messages");
    EXPECT_EQ(nullptr, mDirectory->GetContentGroup());
    EXPECT_EQ(nullptr, mDirectory->GetOverlay()->GetGroup());
    Pick("directory");
    ASSERT_NE(nullptr, Text("name_0"));
    EXPECT_EQ(LVector2(10.0f, 18.0f), Text("name_0")->GetLocalPosition());
    EXPECT_NE(nullptr, mDirectory->GetContentGroup()->GetMember(LString("c01")));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PhonePanelTest, MessagesPlayOneAfterAnotherWithTheirSubtitles)
{
    GMOptions::GetInstance()->mVolume = 0.4f;
    Open();
    Pick("messages");
    EXPECT_EQ("You have 0 New Messages", CountText(mMessages));
    EXPECT_FALSE(mMessages->GetPromptText()->GetVisible());
    EXPECT_FALSE(mMessages->GetGroup()->GetMember(LString("listen_yes"))->GetActive());
    EXPECT_FALSE(mMessages->GetGroup()->GetMember(LString("listen_no"))->GetActive());

    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_sample_witness_saw_boat"), true));
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("pen_CL_R"), true));
    ASSERT_EQ(2, GMPhone::GetInstance()->GetPendingCount());
    GMPDAMinimized::GetInstance()->Flash(1, 0.0f, 0.8f);
    Pick("messages");
    EXPECT_EQ("You have 2 New Messages", CountText(mMessages));
    EXPECT_TRUE(mMessages->GetPromptText()->GetVisible());
    EXPECT_EQ(LString("Listen to them now?"), mMessages->GetPromptText()->GetText());
    EXPECT_TRUE(mMessages->GetGroup()->GetMember(LString("listen_yes"))->GetActive());

    mMessages->OnButton(LString("listen_yes"), XBTNEVENT_CLICKED);
    EXPECT_FALSE(mMessages->GetGroup()->GetMember(LString("listen_yes"))->GetActive());
    LFakeSoundPlayer* sound = LFakeSoundPlayer::Find(LString("phone_message"));
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(LString("//dataroot/sounds/pm_harbour.ogg"), sound->mFileName);
    EXPECT_TRUE(sound->mPlaying);
    EXPECT_FLOAT_EQ(0.4f, sound->mVolume);
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_pm_harbour_played")));
    EXPECT_EQ("You have 2 New Messages", CountText(mMessages));
    GMSubtitle* subtitle = GMSubtitle::GetInstance();
    ASSERT_NE(nullptr, subtitle->GetMainLine());
    EXPECT_EQ(LString("Harbour office here. A boat left the river at dawn without lights."),
              subtitle->GetMainLine()->GetText());
    EXPECT_EQ(LVector2(0.0f, 500.0f), subtitle->GetLocalPosition());
    EXPECT_TRUE(subtitle->IsShowing());

    // Space skips to the next one.
    LKeyboard::Get()->OnKeyDown(GMPhoneMessagesPanel::kSpaceKey);
    LKeyboard::Get()->OnKeyUp(GMPhoneMessagesPanel::kSpaceKey);
    sound = LFakeSoundPlayer::Find(LString("phone_message"));
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(LString("//dataroot/sounds/pm_pen_lab.ogg"), sound->mFileName);
    EXPECT_EQ("You have 1 New Messages", CountText(mMessages));
    EXPECT_EQ(1u, LFakeSoundPlayer::Live().size() - (GMPDAMinimized::GetInstance()->IsFlashing() ? 1u : 0u));
    EXPECT_EQ(LString("Crime lab. The pen you sent carries a partial print."), subtitle->GetMainLine()->GetText());

    // Its end plays the next; there is none: the count reads 0 and the flash stops.
    sound->End();
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("phone_message")));
    EXPECT_EQ("You have 0 New Messages", CountText(mMessages));
    EXPECT_FALSE(mMessages->IsPlaying());
    EXPECT_FALSE(subtitle->IsShowing());
    EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsFlashing());
    EXPECT_EQ(0, GMPhone::GetInstance()->GetPendingCount());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PhonePanelTest, HidingWhilePlayingStopsTheMessageWhichIsNotPlayedAgain)
{
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_sample_witness_saw_boat"), true));
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("pen_CL_R"), true));
    Open();
    Pick("messages");
    mMessages->OnButton(LString("listen_yes"), XBTNEVENT_CLICKED);
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("phone_message")));
    ASSERT_EQ(1, mPDA->SetPanel(LString("map")));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("phone_message")));
    EXPECT_FALSE(mMessages->GetGroup()->IsActive());
    // The space key is no longer heard.
    LKeyboard::Get()->OnKeyDown(GMPhoneMessagesPanel::kSpaceKey);
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("phone_message")));

    ASSERT_EQ(1, mPDA->SetPanel(LString("phone")));
    Pick("messages");
    EXPECT_EQ("You have 1 New Messages", CountText(mMessages));
    mMessages->OnButton(LString("listen_yes"), XBTNEVENT_CLICKED);
    LFakeSoundPlayer* sound = LFakeSoundPlayer::Find(LString("phone_message"));
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(LString("//dataroot/sounds/pm_pen_lab.ogg"), sound->mFileName);
    // "listen_no" only takes the prompt away.
    mMessages->OnButton(LString("listen_no"), XBTNEVENT_CLICKED);
    EXPECT_FALSE(mMessages->GetGroup()->GetActive());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PhonePanelTest, ACallWithoutAContactOrAnInterviewIsGivenUpAndTheDirectoryComesBack)
{
    Open("\t\t\tc03\n\t\t\t\tid=c03\n\t\t\t\tname=Nobody\n\t\t\t\tnumber=0\n\t\t\t\tinterview=no_such_interview\n"
         "\t\t\t\tenabled=script[true]\n");
    Pick("directory");
    // No entry: logged, nothing rings, the list is back and the PDA takes input.
    mDirectory->OnButton(LString("c99"), XBTNEVENT_CLICKED);
    EXPECT_TRUE(mLog.Contains("Call failure. Contact not found: c99"));
    EXPECT_EQ(nullptr, mDirectory->GetRing());
    ASSERT_NE(nullptr, mDirectory->GetContentGroup());
    EXPECT_NE(nullptr, mDirectory->GetContentGroup()->GetMember(LString("c03")));
    EXPECT_TRUE(mPDA->GetGroup()->GetEnabled());
    EXPECT_FALSE(mDirectory->IsShrinking());

    // No case: an assertion line, the same.
    LStateManager::Get()->RemoveAllStates();
    mLog.Clear();
    mDirectory->OnButton(LString("c02"), XBTNEVENT_CLICKED);
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE"));
    EXPECT_EQ(nullptr, mDirectory->GetRing());
    EXPECT_NE(nullptr, mDirectory->GetContentGroup());
    GMTestPDA::SelectCase("1");

    // An interview that cannot be selected: the call shrinks the PDA, then grows it back.
    mLog.Clear();
    const LVector2 before = mPDA->GetGroup()->GetWorldPosition();
    mDirectory->OnButton(LString("c03"), XBTNEVENT_CLICKED);
    LFakeSoundPlayer* ring = LFakeSoundPlayer::Find(LString("c03"));
    ASSERT_NE(nullptr, ring);
    ring->End();
    EXPECT_FALSE(mPDA->GetGroup()->GetEnabled());
    for (int i = 0; i < 14; ++i) {
        Step();
    }
    EXPECT_TRUE(mLog.Contains("Call failure. Interview not selected: no_such_interview"));
    EXPECT_TRUE(mDirectory->IsGrowing());
    for (int i = 0; i < 10; ++i) {
        Step();
    }
    EXPECT_FALSE(mDirectory->IsGrowing());
    EXPECT_FLOAT_EQ(1.0f, mPDA->GetGroup()->GetScale().x);
    EXPECT_TRUE(mPDA->GetGroup()->GetEnabled());
    EXPECT_NE(before, mPDA->GetGroup()->GetWorldPosition());
    EXPECT_NE(nullptr, mDirectory->GetContentGroup());
    EXPECT_EQ(nullptr, mDirectory->GetCallGroup());
}

TEST_F(PhonePanelTest, LeavingThePhoneWhileACallRingsHangsItUp)
{
    Open();
    Pick("directory");
    mDirectory->OnButton(LString("c02"), XBTNEVENT_CLICKED);
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("c02")));
    ASSERT_NE(nullptr, mDirectory->GetCallGroup());
    ASSERT_EQ(1, mPDA->SetPanel(LString("map")));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("c02")));
    EXPECT_EQ(nullptr, mDirectory->GetCallGroup());
    for (int i = 0; i < 20; ++i) {
        Step();
    }
    EXPECT_FALSE(mDirectory->IsShrinking());
    EXPECT_TRUE(mPDA->GetGroup()->GetEnabled());
    // The directory calls again when shown again.
    ASSERT_EQ(1, mPDA->SetPanel(LString("phone")));
    Pick("directory");
    mDirectory->OnButton(LString("c02"), XBTNEVENT_CLICKED);
    EXPECT_NE(nullptr, LFakeSoundPlayer::Find(LString("c02")));
    EXPECT_EQ("", mLog.Problems());
}
