#include "container/LVectorString.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "event/LIEventListener.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "support/LTestStreams.h"
#include "time/LGameClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

class LRecordingListener : public LIEventListener
{
public:
    explicit LRecordingListener(std::string aName) : mName(std::move(aName)) {}

    void OnEvent(LEvent* aEvent) override
    {
        gCalls.push_back(mName + ":" + ToStd(aEvent->GetId()));
        if (mAction) {
            mAction(aEvent);
        }
    }

    std::string mName;
    std::function<void(LEvent*)> mAction;
};

class Events : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        mEvents = LEventManager::Get();
        ASSERT_NE(nullptr, mEvents);
        mEvents->RemoveAllEvents();
    }

    void TearDown() override
    {
        for (LRecordingListener* listener : {&mA, &mB, &mC}) {
            mEvents->RemoveListener(listener);
        }
    }

    // A block of evt_a at 1 and evt_b at 2.
    std::string TwoEvents()
    {
        mEvents->AddEvent(new LEvent(u"evt_a", 1.0f), false);
        mEvents->AddEvent(new LEvent(u"evt_b", 2.0f), false);
        return SavedBlock(*mEvents);
    }

    LEventManager* mEvents = nullptr;
    LRecordingListener mA{"a"};
    LRecordingListener mB{"b"};
    LRecordingListener mC{"c"};
    LLogCapture mLog;
};

LVectorString Ids(std::initializer_list<const char16_t*> aValues)
{
    LVectorString ids;
    for (const char16_t* id : aValues) {
        ids.Add(LString(id));
    }
    return ids;
}

} // namespace

TEST_F(Events, RaisedOnceUnderTheLowerCaseIdAtTheClockTime)
{
    mEvents->AddListener(&mA, 0.0f);
    LGameClock::Get()->SetCurrentClock(0);
    LGameClock::Get()->ResetTime(0);
    LGameClock::Get()->Advance(4.0f, false);
    EXPECT_TRUE(mEvents->AddEvent(u"EVT_Case01_Closed", true));
    EXPECT_TRUE(mEvents->IsRaised(u"evt_case01_closed"));
    EXPECT_TRUE(mEvents->IsRaised(u"EVT_CASE01_CLOSED"));

    LGameClock::Get()->Advance(1.0f, false);
    EXPECT_FALSE(mEvents->AddEvent(u"evt_case01_closed", true));
    EXPECT_TRUE(mLog.Contains(": AddEvent failure. ID duplication: evt_case01_closed"));
    EXPECT_EQ(std::vector<std::string>{"a:evt_case01_closed"}, gCalls);
    EXPECT_EQ(4.0f, mEvents->GetEvent(u"evt_case01_closed")->GetTime());

    // A prepared record keeps its own time; a refused one stays the caller's.
    EXPECT_TRUE(mEvents->AddEvent(new LEvent(u"EVT_P", 12.5f), false));
    EXPECT_EQ(12.5f, mEvents->GetEvent(u"evt_p")->GetTime());
    LEvent duplicate(u"evt_p", 1.0f);
    EXPECT_FALSE(mEvents->AddEvent(&duplicate, false));
}

TEST_F(Events, SpecialIdsAndListQueries)
{
    EXPECT_TRUE(mEvents->IsRaised(u"evt_always"));
    EXPECT_TRUE(mEvents->IsRaised(u"EVTALWAYS"));
    EXPECT_FALSE(mEvents->IsRaised(u"EVT_NEVER"));
    mEvents->AddEvent(u"evt_never", false);
    mEvents->AddEvent(u"evtnever", false);
    EXPECT_FALSE(mEvents->IsRaised(u"evt_never"));
    EXPECT_FALSE(mEvents->IsRaised(u"evtnever"));

    EXPECT_TRUE(mEvents->AllRaised(Ids({})));
    EXPECT_FALSE(mEvents->AnyRaised(Ids({})));
    mEvents->AddEvent(u"evt_a", false);
    struct Case
    {
        std::initializer_list<const char16_t*> mIds;
        bool mAll;
        bool mAny;
    };
    const Case cases[] = {{{u"EVT_A", u"evtalways"}, true, true},
                          {{u"evt_a", u"evt_never"}, false, true},
                          {{u"evt_a", u"evt_b"}, false, true},
                          {{u"evt_b", u"evtalways"}, false, true},
                          {{u"evt_never", u"evt_b"}, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.mAll, mEvents->AllRaised(Ids(c.mIds))) << ToStd(Ids(c.mIds)[0]);
        EXPECT_EQ(c.mAny, mEvents->AnyRaised(Ids(c.mIds))) << ToStd(Ids(c.mIds)[0]);
    }
}

TEST_F(Events, GetAndRemove)
{
    EXPECT_EQ(nullptr, mEvents->GetEvent(u"Evt_Missing"));
    EXPECT_TRUE(mLog.Contains(": GetEvent failure: Evt_Missing"));
    mEvents->AddEvent(u"evt_a", false);
    LEvent* held = mEvents->GetEvent(u"evt_a");
    EXPECT_FALSE(mEvents->RemoveEvent(u"evt_a", &held));
    EXPECT_FALSE(mEvents->RemoveEvent(u"evt_a", nullptr));
    EXPECT_TRUE(mEvents->IsRaised(u"evt_a"));

    LEvent* out = nullptr;
    EXPECT_TRUE(mEvents->RemoveEvent(u"EVT_A", &out));
    ASSERT_NE(nullptr, out);
    EXPECT_EQ("evt_a", ToStd(out->GetId()));
    EXPECT_FALSE(mEvents->IsRaised(u"evt_a"));
    delete out;
    out = nullptr;
    EXPECT_FALSE(mEvents->RemoveEvent(u"evt_a", &out));
}

TEST_F(Events, ListenersOrderInterruptAndNesting)
{
    mEvents->AddListener(&mC, -1.0f);
    mEvents->AddListener(&mA, 2.0f);
    mEvents->AddListener(&mB, 0.0f);
    EXPECT_TRUE(mEvents->AddListener(&mA, 0.0f)); // already there: unchanged
    mB.mAction = [this](LEvent* aEvent) {
        if (aEvent->GetId() == LString(u"evt_outer")) {
            mEvents->AddEvent(u"evt_inner", true);
        }
    };
    mEvents->AddEvent(u"evt_outer", true);
    // Every listener hears the inner event, and the listener after the raiser still
    // hears the outer one.
    EXPECT_EQ((std::vector<std::string>{"a:evt_outer", "b:evt_outer", "a:evt_inner", "b:evt_inner", "c:evt_inner",
                                        "c:evt_outer"}),
              gCalls);

    gCalls.clear();
    mA.mAction = [this](LEvent*) { mEvents->Interrupt(); };
    mEvents->AddEvent(u"evt_x", true);
    EXPECT_EQ(std::vector<std::string>{"a:evt_x"}, gCalls);
    EXPECT_FALSE(mEvents->AddListener(nullptr, 0.0f));
    EXPECT_TRUE(mEvents->RemoveListener(&mA));
    EXPECT_FALSE(mEvents->RemoveListener(&mA));
}

TEST_F(Events, BlockRoundTripsWithoutNotificationAndKeepsEarlierRecords)
{
    EXPECT_EQ("00 00 00 00", Hex(SavedBlock(*mEvents)));
    const std::string block = TwoEvents();
    EXPECT_EQ(4u + 2 * (4 + 10 + 2 + 4), block.size());
    mEvents->AddListener(&mA, 0.0f);
    mEvents->RemoveAllEvents();
    EXPECT_EQ(1, LoadBlock(*mEvents, block));
    EXPECT_TRUE(gCalls.empty());
    EXPECT_EQ(block, SavedBlock(*mEvents)); // the same ids and times in the same order

    mEvents->RemoveAllEvents();
    mEvents->AddEvent(new LEvent(u"evt_a", 7.0f), false);
    EXPECT_EQ(0, LoadBlock(*mEvents, block));
    EXPECT_TRUE(mLog.Contains(": OnLoad warning. Could not add event: evt_a"));
    EXPECT_EQ(7.0f, mEvents->GetEvent(u"evt_a")->GetTime());
    EXPECT_TRUE(mEvents->IsRaised(u"evt_b"));
}

TEST_F(Events, TruncatedAndHugeBlocksFail)
{
    const std::string block = TwoEvents();
    for (size_t length = 0; length < block.size(); ++length) {
        mEvents->RemoveAllEvents();
        EXPECT_EQ(0, LoadBlock(*mEvents, block.substr(0, length))) << length;
        EXPECT_LT(mEvents->GetEventCount(), 2) << length;
    }
    mEvents->RemoveAllEvents();
    EXPECT_EQ(0, LoadBlock(*mEvents, std::string("\x00\x00\x00\x40", 4) + block.substr(4)));
    EXPECT_EQ(0, LoadBlock(*mEvents, std::string("\xfe\xff\xff\xff", 4)));
    EXPECT_EQ(0, mEvents->GetEventCount());
}

TEST_F(Events, RecordFormAndDump)
{
    LEvent event(u"ABC", 1.5f);
    LMemoryStream stream(64, -1);
    EXPECT_TRUE(event.Write(&stream));
    EXPECT_EQ("03 00 00 00 61 00 62 00 63 00 00 00 00 00 C0 3F", Hex(WrittenBytes(stream)));
    EXPECT_NE(std::string::npos, ToStd(event.Dump()).find("> id:abc, time:1.500000"));
}

TEST_F(Events, DumpEventsWritesTheRaisedIdsInOrderAsATable)
{
    mEvents->AddEvent(u"evt_B", false);
    mEvents->AddEvent(u"evt_a", false);
    mLog.Clear();
    mEvents->DumpEvents();
    const std::string dashes(40, '-');
    EXPECT_EQ((std::vector<std::string>{dashes, "EVENTS", dashes, "evt_b", "evt_a", dashes}), mLog.Lines());
}
