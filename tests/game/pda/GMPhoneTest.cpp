// The phone's logic over a catalogue of its own: the labs' generic messages and the
// regular message that answers a lab, the played events, the order of the pending list,
// the bar's flash, a new game's reset and a lab without variants.
#include "pda/GMPhone.h"

#include "Gdi/LIDisplayObject.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "pda/GMPDAMinimized.h"
#include "state/LStateManager.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kCatalogue = R"(regular
	m_first
		trigger=script[e[evt_a]]
		playedevent=evt_first_played
		audio=first.ogg
	m_second
		trigger=script[e[evt_a]]
		playedevent=evt_second_played
		audio=second.ogg
	m_lab
		trigger=script[e[pen_CL_R]]
		playedevent=evt_lab_played
		expert=cl
		audio=lab.ogg
	m_state
		trigger=script[s[sta_x]==1]
		playedevent=evt_state_played
		audio=state.ogg
	m_never
		playedevent=evt_never_played
		audio=never.ogg
expert
	CL
		v01
			audio=cl1.ogg
		v02
			audio=cl2.ogg
	RE
		v01
			audio=re.ogg
			playedevent=evt_re_played
)";

class PhoneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(mRoots.Mounted());
        mRoots.Write("data/textures/pda/phone_messages.txt", kCatalogue);
        LStateManager::Get()->SetState(LString("sta_x"), LString("number"), LString("0"), false);
        mPhone = GMPhone::GetInstance();
        ASSERT_NE(nullptr, mPhone);
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    static void Raise(const char* aId) { ASSERT_TRUE(LEventManager::Get()->AddEvent(LString(aId), true)); }

    std::vector<std::string> Pending() const
    {
        std::vector<std::string> ids;
        for (int i = 0; i < mPhone->GetPendingCount(); ++i) {
            ids.push_back(ToStd(mPhone->GetPendingAt(i)));
        }
        return ids;
    }

    static std::string Audio(LPropertyList* aMessage)
    {
        bool found = false;
        return aMessage != nullptr ? ToStd(aMessage->GetString(LString("audio"), found)) : "(null)";
    }

    LLogCapture mLog;
    GMTestRoots mRoots;
    GMPhone* mPhone = nullptr;
};

using Ids = std::vector<std::string>;

} // namespace

TEST_F(PhoneTest, ALabResultQueuesOneGenericMessageUnlessARegularOneAnswersIt)
{
    Raise("knife_cl_r");
    Raise("glove_CL_R");
    EXPECT_EQ(Ids({"CL"}), Pending());
    EXPECT_TRUE(mPhone->IsLabPending(0));

    const std::string variant = Audio(mPhone->PopMessage());
    EXPECT_TRUE(variant == "cl1.ogg" || variant == "cl2.ogg") << variant;
    EXPECT_FALSE(mPhone->IsLabPending(0));
    EXPECT_EQ(0, mPhone->GetPendingCount());
    Raise("hat_CL_R");
    EXPECT_EQ(Ids({"CL"}), Pending());

    // Other labs have flags of their own; ids of fewer than four characters never match.
    Raise("hat_re_r");
    Raise("L_R");
    Raise("_R");
    EXPECT_EQ(Ids({"CL", "RE"}), Pending());

    // The pen's result is answered by its own regular message, not by a second generic one.
    mPhone->Reset();
    Raise("pen_CL_R");
    EXPECT_EQ(Ids({"m_lab"}), Pending());
    EXPECT_FALSE(mPhone->IsLabPending(0));
    EXPECT_FALSE(mPhone->HasTriggeredRegular(LString("CL")));
    EXPECT_EQ("lab.ogg", Audio(mPhone->PopMessage()));
    // Not played yet: it is due again, and still answers the next result of that lab.
    EXPECT_TRUE(mPhone->HasTriggeredRegular(LString("cL")));
    Raise("spoon_CL_R");
    EXPECT_EQ(Ids({"m_lab"}), Pending());
    EXPECT_FALSE(mPhone->IsLabPending(0));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PhoneTest, PlayedEventsAndTheOrderOfThePendingList)
{
    // Due in one pass: file order.
    Raise("evt_a");
    EXPECT_EQ(Ids({"m_first", "m_second"}), Pending());
    // Played by any means: one already pending stays.
    Raise("evt_second_played");
    EXPECT_EQ(Ids({"m_first", "m_second"}), Pending());
    EXPECT_EQ("first.ogg", Audio(mPhone->PopMessage()));
    EXPECT_EQ("second.ogg", Audio(mPhone->PopMessage()));
    EXPECT_EQ(nullptr, mPhone->PopMessage());

    // A state change re-examines the list: the first (not played) is due again, the second
    // (played) never; a message due later stands after it.
    LStateManager::Get()->SetState(LString("sta_x"), LString("number"), LString("1"), true);
    EXPECT_EQ(Ids({"m_first", "m_state"}), Pending());
    Raise("evt_first_played");
    mPhone->UpdateTriggered();
    EXPECT_EQ(Ids({"m_first", "m_state"}), Pending());
    EXPECT_EQ("first.ogg", Audio(mPhone->PopMessage()));
    mPhone->UpdateTriggered();
    EXPECT_EQ(Ids({"m_state"}), Pending());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(PhoneTest, ResetEmptiesTheListAndTheLabFlags)
{
    Raise("evt_a");
    Raise("x_RE_R");
    ASSERT_EQ(3, mPhone->GetPendingCount());
    mPhone->Reset();
    EXPECT_EQ(0, mPhone->GetPendingCount());
    EXPECT_FALSE(mPhone->IsLabPending(1));
    // The next result queues again; regular messages come back at the next notice.
    Raise("y_RE_R");
    EXPECT_EQ(Ids({"RE", "m_first", "m_second"}), Pending());
}

TEST_F(PhoneTest, ALabWithoutVariantsPopsNullAndLeavesTheList)
{
    Raise("tape_SU_R");
    Raise("x_RE_R");
    ASSERT_EQ(Ids({"SU", "RE"}), Pending());
    EXPECT_EQ(nullptr, mPhone->PopMessage());
    EXPECT_TRUE(mLog.Contains("PopMessage failure. No variant of: SU"));
    EXPECT_FALSE(mPhone->IsLabPending(2));
    LPropertyList* research = mPhone->PopMessage();
    ASSERT_NE(nullptr, research);
    EXPECT_EQ("re.ogg", Audio(research));
    EXPECT_EQ(0, mPhone->GetPendingCount());
}

TEST_F(PhoneTest, TheBarFlashesOnlyWhenTheListGrewWhileItIsShown)
{
    ASSERT_TRUE(mRoots.CopySample("textures/pda/pda_minimized_layout.txt"));
    // No bar yet, then a bar not shown: the list grows silently.
    Raise("x_CL_R");
    GMPDAMinimized* bar = GMPDAMinimized::GetInstance();
    ASSERT_NE(nullptr, bar);
    Raise("x_RE_R");
    EXPECT_EQ(2, mPhone->GetPendingCount());
    EXPECT_FALSE(bar->IsFlashing());
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());

    bar->Show();
    ASSERT_TRUE(bar->IsShown());
    // Heard, but nothing new.
    Raise("x_CL_R2");
    Raise("y_CL_R");
    EXPECT_FALSE(bar->IsFlashing());
    // A new message: the phone icon, 4.0 s, every 0.8 s, with the message sound.
    LFakeTimer::sNow = 10.0;
    Raise("evt_a");
    EXPECT_TRUE(bar->IsFlashing());
    EXPECT_TRUE(bar->GetIcon(1)->GetVisible());
    ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
    LFakeTimer::FrameAt(10.79);
    EXPECT_TRUE(bar->GetIcon(1)->GetVisible());
    LFakeTimer::FrameAt(10.81);
    EXPECT_FALSE(bar->GetIcon(1)->GetVisible());
    LFakeTimer::FrameAt(13.99);
    EXPECT_TRUE(bar->IsFlashing());
    LFakeTimer::FrameAt(14.01);
    EXPECT_FALSE(bar->IsFlashing());
}
