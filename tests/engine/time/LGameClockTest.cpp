#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "event/LIEventListener.h"
#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "support/LTestStreams.h"
#include "time/LDelayedTrigger.h"
#include "time/LGameClock.h"
#include "time/LIClockListener.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class LEventLog : public LIEventListener
{
public:
    void OnEvent(LEvent* aEvent) override
    {
        mIds.push_back(ToStd(aEvent->GetId()));
        if (mAction) {
            mAction(aEvent);
        }
    }

    std::vector<std::string> mIds;
    std::function<void(LEvent*)> mAction;
};

class LStateLog : public LIStateListener
{
public:
    void OnStateChanged(LIState* aState) override { mIds.push_back(ToStd(aState->GetId())); }

    std::vector<std::string> mIds;
};

class LClockLog : public LIClockListener
{
public:
    void OnClockAdvanced(int aClock, float aTime) override
    {
        mCalls.push_back(std::to_string(aClock) + "@" + std::to_string(static_cast<int>(aTime)));
    }

    std::vector<std::string> mCalls;
};

class Clocks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mClock = LGameClock::Get();
        mEvents = LEventManager::Get();
        mStates = LStateManager::Get();
        ASSERT_TRUE(mClock && mEvents && mStates);
        mClock->Reset();
        mEvents->RemoveAllEvents();
        mStates->RemoveAllStates();
        mEvents->AddListener(&mEventLog, 0.0f);
    }

    void TearDown() override { mEvents->RemoveListener(&mEventLog); }

    std::string SavedBlock()
    {
        LMemoryStream stream(1024, -1);
        EXPECT_EQ(1, mClock->OnSave(&stream));
        return WrittenBytes(stream);
    }

    int LoadBlock(const std::string& aBytes)
    {
        LMemoryStream stream(16, -1);
        Load(stream, aBytes);
        return mClock->OnLoad(&stream, 0.0f);
    }

    float StateNumber(const char16_t* aId)
    {
        const LIState* state = mStates->GetState(aId);
        return state ? *static_cast<float*>(state->GetValue()) : -1.0f;
    }

    LGameClock* mClock = nullptr;
    LEventManager* mEvents = nullptr;
    LStateManager* mStates = nullptr;
    LEventLog mEventLog;
    LLogCapture mLog;
};

} // namespace

TEST_F(Clocks, TimeLivesInANumberState)
{
    EXPECT_EQ("currenttime_clock_0", ToStd(LGameClock::GetClockStateId(0)));
    EXPECT_EQ("currenttime_clock_12", ToStd(LGameClock::GetClockStateId(12)));
    LStateLog states;
    mStates->AddListener(&states, 0.0f);
    EXPECT_EQ(0.0f, mClock->GetTime());
    EXPECT_TRUE(mStates->HasState(u"currenttime_clock_0"));
    EXPECT_TRUE(states.mIds.empty());
    EXPECT_EQ(0.0f, mClock->GetTime(3));
    EXPECT_FALSE(states.mIds.empty());
    EXPECT_EQ("currenttime_clock_3", states.mIds.back());

    states.mIds.clear();
    EXPECT_TRUE(mClock->Advance(3, 2.5f, false));
    EXPECT_EQ(2.5f, mClock->GetTime(3));
    EXPECT_EQ(std::vector<std::string>{"currenttime_clock_3"}, states.mIds);
    mStates->RemoveListener(&states);
}

TEST_F(Clocks, AdvanceOnAMissingClockCreatesItAndFiresDueTriggers)
{
    EXPECT_TRUE(mClock->ScheduleEvent(u"evt_at3", 3.0f, 2));
    EXPECT_TRUE(mStates->HasState(u"currenttime_clock_2"));
    mStates->RemoveAllStates();
    EXPECT_TRUE(mClock->Advance(2, 3.0f, false));
    EXPECT_EQ(3.0f, StateNumber(u"currenttime_clock_2"));
    EXPECT_EQ(std::vector<std::string>{"evt_at3"}, mEventLog.mIds);
    EXPECT_EQ(0, mClock->GetTriggerCount());
}

TEST_F(Clocks, TriggersFireInTimeOrderOnTheirOwnClock)
{
    mClock->SetCurrentClock(1);
    mClock->ResetTime(1);
    mClock->ResetTime(2);
    mClock->Advance(1, 2.0f, false);
    EXPECT_TRUE(mClock->ScheduleEvent(u"evt_late", 5.0f, -1));
    EXPECT_TRUE(mClock->ScheduleEvent(u"evt_first", 1.0f, 1));
    EXPECT_TRUE(mClock->ScheduleEvent(u"evt_second", 1.0f, 1));
    EXPECT_TRUE(mClock->ScheduleEvent(u"evt_other", 0.5f, 2));
    EXPECT_EQ(4, mClock->GetTriggerCount());

    mClock->Advance(1, 4.9f, false);
    EXPECT_EQ((std::vector<std::string>{"evt_first", "evt_second"}), mEventLog.mIds);
    // 2 + 5 = 7 is not reached at 6.9.
    EXPECT_FALSE(mEvents->IsRaised(u"evt_late"));
    // Clock 2's trigger is due by this time but waits for its own clock.
    EXPECT_FALSE(mEvents->IsRaised(u"evt_other"));
    mClock->Advance(1, 0.1f, false);
    EXPECT_TRUE(mEvents->IsRaised(u"evt_late"));
    mClock->Advance(2, 1.0f, false);
    EXPECT_TRUE(mEvents->IsRaised(u"evt_other"));
    EXPECT_EQ(0, mClock->GetTriggerCount());
}

TEST_F(Clocks, ScheduledEventKeepsItsSchedulingTimeAndIsNotRaisedTwice)
{
    mClock->Advance(10.0f, false);
    mClock->ScheduleEvent(u"EVT_A", 2.0f, -1);
    mClock->ScheduleEvent(u"evt_b", 2.0f, -1);
    mEvents->AddEvent(u"evt_b", false);
    mClock->Advance(5.0f, false);
    EXPECT_EQ(10.0f, mEvents->GetEvent(u"evt_a")->GetTime());
    EXPECT_TRUE(mLog.Contains(": AddEvent failure. ID duplication: evt_b"));
    EXPECT_EQ(std::vector<std::string>{"evt_a"}, mEventLog.mIds);
}

TEST_F(Clocks, DelayedStateNeverOverwritesAnExistingOne)
{
    mClock->ScheduleState(u"sta_new", 5.0f, 1.0f, -1);
    mClock->ScheduleState(u"sta_kept", u"late", 1.0f, -1);
    mClock->ScheduleState(u"sta_flag", true, 1.0f, -1);
    mStates->SetState(u"sta_kept", u"string", u"early", false);
    mClock->Advance(1.0f, false);
    EXPECT_EQ(5.0f, StateNumber(u"sta_new"));
    EXPECT_EQ("early", ToStd(*static_cast<LString*>(mStates->GetState(u"sta_kept")->GetValue())));
    EXPECT_EQ(1, *static_cast<unsigned char*>(mStates->GetState(u"sta_flag")->GetValue()));
}

TEST_F(Clocks, ClockListenersOnlyWhenAsked)
{
    LClockLog clockLog;
    EXPECT_TRUE(mClock->AddListener(&clockLog));
    EXPECT_TRUE(mClock->AddListener(&clockLog));
    mClock->Advance(0, 2.0f, false);
    mClock->Advance(0, 3.0f, true);
    EXPECT_EQ(std::vector<std::string>{"0@5"}, clockLog.mCalls);
    EXPECT_TRUE(mClock->RemoveListener(&clockLog));
    EXPECT_FALSE(mClock->RemoveListener(&clockLog));
    EXPECT_TRUE(mLog.Contains(": RemoveListener failure."));
    EXPECT_FALSE(mClock->AddListener(nullptr));
    EXPECT_TRUE(mLog.Contains(": Add listener failure. apListener == NULL."));
}

TEST_F(Clocks, ResetOrLoadDuringTheWalkIsDeferred)
{
    mClock->ScheduleEvent(u"evt_a", 1.0f, -1);
    mClock->ScheduleEvent(u"evt_b", 1.0f, -1);
    mClock->ScheduleEvent(u"evt_c", 9.0f, -1);
    mEventLog.mAction = [this](LEvent*) { mClock->Reset(); };
    mClock->Advance(1.0f, false);
    // The reset let every trigger go: evt_b never fires, and nothing was freed early.
    EXPECT_EQ(std::vector<std::string>{"evt_a"}, mEventLog.mIds);
    EXPECT_EQ(0, mClock->GetTriggerCount());

    // A load from inside the walk: the loaded triggers stay pending.
    mEventLog.mIds.clear();
    mClock->ScheduleEvent(u"evt_later", 50.0f, -1);
    const std::string block = SavedBlock();
    mClock->Reset();
    mClock->ScheduleEvent(u"evt_d", 1.0f, -1);
    mClock->ScheduleEvent(u"evt_e", 1.0f, -1);
    mEventLog.mAction = [&](LEvent*) { LoadBlock(block); };
    mClock->Advance(1.0f, false);
    EXPECT_EQ(std::vector<std::string>{"evt_d"}, mEventLog.mIds);
    ASSERT_EQ(1, mClock->GetTriggerCount());
    mEventLog.mAction = nullptr;
}

TEST_F(Clocks, ListenersThatScheduleOrAdvanceDuringTheWalk)
{
    // A due trigger scheduled from a listener fires in the same walk; a nested advance
    // does not fire a trigger twice.
    mEventLog.mAction = [this](LEvent* aEvent) {
        if (aEvent->GetId() == LString(u"evt_a")) {
            mClock->ScheduleEvent(u"evt_chain", 0.0f, -1);
            mClock->Advance(1.0f, false);
        }
    };
    mClock->ScheduleEvent(u"evt_a", 1.0f, -1);
    mClock->ScheduleEvent(u"evt_b", 2.0f, -1);
    mClock->Advance(1.0f, false);
    EXPECT_EQ((std::vector<std::string>{"evt_a", "evt_chain", "evt_b"}), mEventLog.mIds);
    EXPECT_EQ(0, mClock->GetTriggerCount());
}

TEST_F(Clocks, BlockSizeAndRoundTrip)
{
    mClock->SetCurrentClock(0);
    mClock->ResetTime(0);
    mClock->ScheduleEvent(u"evt_ninex", 2.0f, -1);
    EXPECT_EQ(48u, SavedBlock().size());
    mClock->ScheduleState(u"sta_s", u"value", 3.0f, 1);
    mClock->SetCurrentClock(2);
    const std::string block = SavedBlock();

    mClock->Reset();
    EXPECT_EQ(0, mClock->GetCurrentClock());
    EXPECT_EQ(1, LoadBlock(block));
    EXPECT_EQ(2, mClock->GetCurrentClock());
    ASSERT_EQ(2, mClock->GetTriggerCount());
    EXPECT_EQ(LDelayedTrigger::KIND_STATE, mClock->GetTriggerAt(1)->GetKind());
    EXPECT_EQ(block, SavedBlock()); // the loaded times and clocks written back unchanged

    // The next block of a saved game reads correctly after this one.
    LMemoryStream stream(16, -1);
    Load(stream, block + std::string("\x2a\0\0\0", 4));
    EXPECT_EQ(1, mClock->OnLoad(&stream, 0.0f));
    int next = 0;
    EXPECT_TRUE(stream.Read(next));
    EXPECT_EQ(42, next);
}

TEST_F(Clocks, TruncatedAndHugeBlocksFail)
{
    mClock->ScheduleEvent(u"evt_a", 2.0f, -1);
    mClock->ScheduleState(u"sta_s", u"value", 3.0f, -1);
    const std::string block = SavedBlock();
    for (size_t length = 0; length < block.size(); ++length) {
        EXPECT_EQ(0, LoadBlock(block.substr(0, length))) << length;
        EXPECT_LT(mClock->GetTriggerCount(), 2) << length;
    }
    EXPECT_EQ(0, LoadBlock(std::string("\0\0\0\0\xff\xff\xff\x7f", 8) + block.substr(8)));
    EXPECT_EQ(0, LoadBlock(std::string("\0\0\0\0\xff\xff\xff\xff", 8)));
}

TEST_F(Clocks, NonNumberClockStateIsReplaced)
{
    mStates->SetState(u"currenttime_clock_0", u"boolean", u"true", false);
    EXPECT_EQ(0.0f, mClock->GetTime());
    EXPECT_TRUE(mLog.Contains(": Clock state is not a number: currenttime_clock_0"));
    mStates->RemoveAllStates();
    mStates->SetState(u"currenttime_clock_0", u"string", u"abc", false);
    EXPECT_TRUE(mClock->Advance(2.0f, false));
    EXPECT_EQ(2.0f, StateNumber(u"currenttime_clock_0"));
}

TEST(DelayedTriggers, InitNeedsAnItemAndFireHandsItOn)
{
    LLogCapture log;
    LDelayedTrigger trigger;
    EXPECT_FALSE(trigger.Init(LDelayedTrigger::KIND_EVENT, 1.0f, 0, nullptr));
    EXPECT_TRUE(log.Contains(": Missing trigger item"));
    EXPECT_FALSE(trigger.Fire());
    LEventManager::Get()->RemoveAllEvents();
    ASSERT_TRUE(trigger.Init(LDelayedTrigger::KIND_EVENT, 1.0f, 0, new LEvent(u"evt_t", 0.0f)));
    EXPECT_TRUE(trigger.Fire());
    EXPECT_EQ(nullptr, trigger.GetItem());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(u"evt_t"));
    EXPECT_FALSE(trigger.Fire());
}
