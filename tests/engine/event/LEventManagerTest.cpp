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

class LRecordingListener : public LIEventListener
{
public:
    LRecordingListener(std::vector<std::string>* aCalls, std::string aName)
        : mCalls(aCalls), mName(std::move(aName))
    {
    }

    void OnEvent(LEvent* aEvent) override
    {
        mCalls->push_back(mName + ":" + ToStd(aEvent->GetId()));
        if (mAction) {
            mAction(aEvent);
        }
    }

    std::vector<std::string>* mCalls;
    std::string mName;
    std::function<void(LEvent*)> mAction;
};

class Events : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mEvents = LEventManager::Get();
        ASSERT_NE(nullptr, mEvents);
        mEvents->RemoveAllEvents();
    }

    std::string SavedBlock()
    {
        LMemoryStream stream(1024, -1);
        EXPECT_EQ(1, mEvents->OnSave(&stream));
        return WrittenBytes(stream);
    }

    int LoadBlock(const std::string& aBytes)
    {
        LMemoryStream stream(16, -1);
        Load(stream, aBytes);
        return mEvents->OnLoad(&stream, 0.0f);
    }

    LEventManager* mEvents = nullptr;
    LLogCapture mLog;
};

void Fill(LVectorString& aIds, std::initializer_list<const char16_t*> aValues)
{
    for (const char16_t* id : aValues) {
        aIds.Add(LString(id));
    }
}

} // namespace

TEST_F(Events, RaisedOnceUnderTheLowerCaseId)
{
    std::vector<std::string> calls;
    LRecordingListener listener(&calls, "a");
    mEvents->AddListener(&listener, 0.0f);
    LGameClock::Get()->SetCurrentClock(0);
    LGameClock::Get()->ResetTime(0);
    LGameClock::Get()->Advance(4.0f, false);
    EXPECT_TRUE(mEvents->AddEvent(u"EVT_Case01_Closed", true));
    EXPECT_TRUE(mEvents->IsRaised(u"evt_case01_closed"));
    EXPECT_TRUE(mEvents->IsRaised(u"EVT_CASE01_CLOSED"));
    EXPECT_EQ(4.0f, mEvents->GetEvent(u"evt_case01_closed")->GetTime());

    LGameClock::Get()->Advance(1.0f, false);
    EXPECT_FALSE(mEvents->AddEvent(u"evt_case01_closed", true));
    EXPECT_TRUE(mLog.Contains("ERROR: .\\event\\LEventManager.cpp, "));
    EXPECT_TRUE(mLog.Contains(": AddEvent failure. ID duplication: evt_case01_closed"));
    EXPECT_EQ(std::vector<std::string>{"a:evt_case01_closed"}, calls);
    EXPECT_EQ(4.0f, mEvents->GetEvent(u"evt_case01_closed")->GetTime());
    EXPECT_EQ(1, mEvents->GetEventCount());
    mEvents->RemoveListener(&listener);
}

TEST_F(Events, SpecialIdsAnswerTheQueries)
{
    EXPECT_TRUE(mEvents->IsRaised(u"evt_always"));
    EXPECT_TRUE(mEvents->IsRaised(u"EVTALWAYS"));
    EXPECT_FALSE(mEvents->IsRaised(u"EVT_NEVER"));
    EXPECT_FALSE(mEvents->IsRaised(u"evtnever"));
    mEvents->AddEvent(u"evt_never", false);
    mEvents->AddEvent(u"evtnever", false);
    EXPECT_FALSE(mEvents->IsRaised(u"evt_never"));
    EXPECT_FALSE(mEvents->IsRaised(u"evtnever"));
    EXPECT_EQ(2, mEvents->GetEventCount());
}

TEST_F(Events, AllAndAnyRaised)
{
    LVectorString none;
    EXPECT_TRUE(mEvents->AllRaised(none));
    EXPECT_FALSE(mEvents->AnyRaised(none));
    mEvents->AddEvent(u"evt_a", false);
    LVectorString withAlways;
    Fill(withAlways, {u"EVT_A", u"evtalways"});
    EXPECT_TRUE(mEvents->AllRaised(withAlways));
    LVectorString withNever;
    Fill(withNever, {u"evt_a", u"evt_never"});
    EXPECT_FALSE(mEvents->AllRaised(withNever));
    EXPECT_TRUE(mEvents->AnyRaised(withNever));
    LVectorString withMissing;
    Fill(withMissing, {u"evt_a", u"evt_b"});
    EXPECT_FALSE(mEvents->AllRaised(withMissing));
    LVectorString missingAndAlways;
    Fill(missingAndAlways, {u"evt_b", u"evtalways"});
    EXPECT_TRUE(mEvents->AnyRaised(missingAndAlways));
    LVectorString neverAndMissing;
    Fill(neverAndMissing, {u"evt_never", u"evt_b"});
    EXPECT_FALSE(mEvents->AnyRaised(neverAndMissing));
}

TEST_F(Events, GetAndRemove)
{
    EXPECT_EQ(nullptr, mEvents->GetEvent(u"Evt_Missing"));
    EXPECT_TRUE(mLog.Contains(": GetEvent failure: Evt_Missing"));
    EXPECT_TRUE(mEvents->AddEvent(u"evt_a", false));

    LEvent* held = mEvents->GetEvent(u"evt_a");
    EXPECT_FALSE(mEvents->RemoveEvent(u"evt_a", &held));
    EXPECT_TRUE(mLog.Contains(": Invalid argument."));
    EXPECT_TRUE(mEvents->IsRaised(u"evt_a"));
    EXPECT_FALSE(mEvents->RemoveEvent(u"evt_a", nullptr));

    LEvent* out = nullptr;
    EXPECT_TRUE(mEvents->RemoveEvent(u"EVT_A", &out));
    ASSERT_NE(nullptr, out);
    EXPECT_EQ("evt_a", ToStd(out->GetId()));
    EXPECT_FALSE(mEvents->IsRaised(u"evt_a"));
    delete out;
    out = nullptr;
    EXPECT_FALSE(mEvents->RemoveEvent(u"evt_a", &out));
    EXPECT_TRUE(mLog.Contains(": RemoveEvent failure."));
}

TEST_F(Events, PreparedRecordKeepsItsTimeAndTheCallerKeepsARefusedOne)
{
    LEvent* record = new LEvent(u"EVT_P", 12.5f);
    EXPECT_TRUE(mEvents->AddEvent(record, false));
    EXPECT_EQ(12.5f, mEvents->GetEvent(u"evt_p")->GetTime());
    LEvent duplicate(u"evt_p", 1.0f);
    EXPECT_FALSE(mEvents->AddEvent(&duplicate, false));
}

TEST_F(Events, ListenersOrderInterruptAndNesting)
{
    std::vector<std::string> calls;
    LRecordingListener first(&calls, "first");
    LRecordingListener raiser(&calls, "raiser");
    LRecordingListener last(&calls, "last");
    mEvents->AddListener(&last, -1.0f);
    mEvents->AddListener(&first, 2.0f);
    mEvents->AddListener(&raiser, 0.0f);
    EXPECT_TRUE(mEvents->AddListener(&first, 0.0f));
    raiser.mAction = [this](LEvent* aEvent) {
        if (aEvent->GetId() == LString(u"evt_outer")) {
            mEvents->AddEvent(u"evt_inner", true);
        }
    };
    mEvents->AddEvent(u"evt_outer", true);
    // Every listener hears the inner event, and the listener after the raiser still
    // hears the outer one.
    EXPECT_EQ((std::vector<std::string>{"first:evt_outer", "raiser:evt_outer", "first:evt_inner",
                                        "raiser:evt_inner", "last:evt_inner", "last:evt_outer"}),
              calls);

    calls.clear();
    first.mAction = [this](LEvent*) { mEvents->Interrupt(); };
    mEvents->AddEvent(u"evt_x", true);
    EXPECT_EQ(std::vector<std::string>{"first:evt_x"}, calls);

    EXPECT_FALSE(mEvents->AddListener(nullptr, 0.0f));
    EXPECT_TRUE(mLog.Contains(": Add listener failure. apListener == NULL."));
    EXPECT_FALSE(mEvents->RemoveListener(nullptr));
    EXPECT_TRUE(mLog.Contains(": RemoveListener failure. NULL arg."));
    for (LRecordingListener* listener : {&first, &raiser, &last}) {
        EXPECT_TRUE(mEvents->RemoveListener(listener));
    }
    EXPECT_FALSE(mEvents->RemoveListener(&first));
    EXPECT_TRUE(mLog.Contains(": RemoveListener failure."));
}

TEST_F(Events, BlockRoundTripWithoutNotification)
{
    EXPECT_EQ("00 00 00 00", Hex(SavedBlock()));
    mEvents->AddEvent(new LEvent(u"evt_a", 1.0f), false);
    EXPECT_EQ(4u + 4 + 10 + 2 + 4, SavedBlock().size());
    mEvents->AddEvent(new LEvent(u"evt_b", 2.0f), false);
    const std::string block = SavedBlock();

    std::vector<std::string> calls;
    LRecordingListener listener(&calls, "a");
    mEvents->AddListener(&listener, 0.0f);
    mEvents->RemoveAllEvents();
    EXPECT_EQ(1, LoadBlock(block));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ("evt_b", ToStd(mEvents->GetEventAt(1)->GetId()));
    EXPECT_EQ(2.0f, mEvents->GetEventAt(1)->GetTime());
    EXPECT_EQ(block, SavedBlock());

    // Loading over a raised id keeps the earlier record.
    mEvents->RemoveAllEvents();
    mEvents->AddEvent(new LEvent(u"evt_a", 7.0f), false);
    EXPECT_EQ(0, LoadBlock(block));
    EXPECT_TRUE(mLog.Contains("WARNING: .\\event\\LEventManager.cpp, "));
    EXPECT_TRUE(mLog.Contains(": OnLoad warning. Could not add event: evt_a"));
    EXPECT_EQ(7.0f, mEvents->GetEvent(u"evt_a")->GetTime());
    EXPECT_TRUE(mEvents->IsRaised(u"evt_b"));
    mEvents->RemoveListener(&listener);
}

TEST_F(Events, TruncatedAndHugeBlocksFail)
{
    mEvents->AddEvent(new LEvent(u"evt_a", 1.0f), false);
    mEvents->AddEvent(new LEvent(u"evt_b", 2.0f), false);
    const std::string block = SavedBlock();
    for (size_t length = 0; length < block.size(); ++length) {
        mEvents->RemoveAllEvents();
        EXPECT_EQ(0, LoadBlock(block.substr(0, length))) << length;
        EXPECT_LT(mEvents->GetEventCount(), 2) << length;
    }
    mEvents->RemoveAllEvents();
    EXPECT_EQ(0, LoadBlock(std::string("\x00\x00\x00\x40", 4) + block.substr(4)));
    EXPECT_EQ(0, LoadBlock(std::string("\xfe\xff\xff\xff", 4)));
    EXPECT_EQ(0, mEvents->GetEventCount());
}

TEST_F(Events, RecordFormAndDump)
{
    LEvent event(u"ABC", 1.5f);
    LMemoryStream stream(64, -1);
    EXPECT_TRUE(event.Write(&stream));
    EXPECT_EQ("03 00 00 00 61 00 62 00 63 00 00 00 00 00 C0 3F", Hex(WrittenBytes(stream)));
    const std::string dump = ToStd(event.Dump());
    EXPECT_EQ(0u, dump.find("[LEvent <"));
    EXPECT_NE(std::string::npos, dump.find("> id:abc, time:1.500000"));
}
