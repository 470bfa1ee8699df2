// Interview topics: reading the entry, asking in a mode, and what an answer brings about
// when it has ended, in order; a mode the topic lacks; the bargaining answer.
#include "interview/GMInterviewTopic.h"

#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "event/LIEventListener.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewSequence.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "state/LStateManager.h"
#include "support/GMInterviewTestCase.h"
#include "support/GMTestInterview.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "time/LDelayedTrigger.h"
#include "time/LGameClock.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Every raised event and changed state, in order, with the meter-full flag at the time.
class Record : public LIEventListener, public LIStateListener
{
public:
    void OnEvent(LEvent* aEvent) override { Note("e:" + ToStd(aEvent->GetId())); }
    void OnStateChanged(LIState* aState) override { Note("s:" + ToStd(aState->GetId())); }

    // A new state is heard as made and as set: noted once.
    void Note(const std::string& aWhat)
    {
        const std::string note = aWhat + (mInterview != nullptr && mInterview->IsMeterFull() ? "+full" : "") + " ";
        if (mSeen.size() < note.size() || mSeen.compare(mSeen.size() - note.size(), note.size(), note) != 0) {
            mSeen += note;
        }
    }

    GMInterview* mInterview = nullptr;
    std::string mSeen;
};

struct Heard : GMIInterviewListener
{
    void OnInterviewEvent(int aCode) override { mCodes += std::to_string(aCode); }
    std::string mCodes;
};

class TopicTest : public GMInterviewTestCase
{
protected:
    void TearDown() override
    {
        LEventManager::Get()->RemoveListener(&mRecord);
        LStateManager::Get()->RemoveListener(&mRecord);
        mInterview.reset();
        GMInterviewTestCase::TearDown();
    }

    // An interview with the one topic "alibi" of the entry text (lines at depth 0),
    // stepping a meter by 100 for good and 50 for bad answers.
    GMInterviewTopic* Topic(const std::string& aEntry)
    {
        mInterview = GMTestInterview::Make(
            GMTestInterview::Data("topics\n\talibi\n\t\tname=t_alibi\n\t\tlevel=1\n" + GMTestInterview::Indent(aEntry, 2)));
        mInterview->SetMeter(&mMeter, 100.0f, 50.0f);
        mRecord.mInterview = mInterview.get();
        LEventManager::Get()->AddListener(&mRecord, 0.0f);
        LStateManager::Get()->AddListener(&mRecord, 0.0f);
        return mInterview->GetTopic(LString("alibi"));
    }

    static int Triggers() { return LGameClock::Get()->GetTriggerCount(); }

    GMInterviewMeter mMeter;
    std::unique_ptr<GMInterview> mInterview;
    Record mRecord;
};

// A mode entry without sounds: its answer ends on the first frame.
std::string Mode(const char* aName, const std::string& aKeys)
{
    return "\t" + std::string(aName) + "\n" + GMTestInterview::Indent(aKeys + "subtitles\nsubtitletimes=0\nsoundtimes=0\n", 2);
}

} // namespace

TEST_F(TopicTest, CreateReadsTheEntryWithItsDefaults)
{
    GMInterviewTopic* topic = Topic("doneevent=evt_d\nviewedevent=evt_v\ndelayedevent=evt_x|12.5\nbargain=TRUE\n"
                                    "dependencies=script[e[evt_never_raised]]\nmodes\n" +
                                    Mode("stra", "type=good\n"));
    ASSERT_NE(nullptr, topic);
    EXPECT_EQ("test_alibi", ToStd(topic->GetId()));
    EXPECT_EQ("evt_d", ToStd(topic->GetDoneEvent()));
    EXPECT_EQ("evt_v", ToStd(topic->GetViewedEvent()));
    EXPECT_EQ("evt_x", ToStd(topic->GetDelayedEvent()));
    EXPECT_EQ(12.5f, topic->GetDelay());
    EXPECT_TRUE(topic->IsBargain());
    EXPECT_FALSE(topic->GetDependencies().Evaluate());
    ASSERT_NE(nullptr, topic->GetModes());
    EXPECT_EQ(1, topic->GetModes()->GetCount());

    GMInterviewTopic* bare = Topic("modes\n" + Mode("conf", "type=bad\n"));
    EXPECT_TRUE(bare->GetDependencies().Evaluate()); // no "dependencies": always available
    EXPECT_EQ("", ToStd(bare->GetDoneEvent()));
    EXPECT_EQ("", ToStd(bare->GetDelayedEvent()));
    EXPECT_FALSE(bare->IsBargain());
    EXPECT_FALSE(mLog.Contains("Script build failure."));
    EXPECT_FALSE(mLog.Contains("List not found"));
}

TEST_F(TopicTest, AskPlaysTheModesEntryWithItsDoneEvent)
{
    const char* const names[] = {"conf", "decp", "flat", "stra", "empa"};
    std::string modes = "modes\n";
    for (const char* name : names) {
        modes += Mode(name, "type=good\nsounds=line1\n");
    }
    GMInterviewTopic* topic = Topic(modes);
    for (int mode = 0; mode < 5; ++mode) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(names[mode], ToStd(GMInterviewTopic::ModeName(mode)));
        EXPECT_TRUE(topic->Ask(mode, mInterview.get(), GMInterviewTopic::KIND_WITNESS));
        ASSERT_NE(nullptr, topic->GetAnswer());
        EXPECT_EQ("test_alibi_" + std::string(names[mode]), ToStd(topic->GetAnswer()->GetDoneEvent()));
    }
    LFakeTimer::Frames(1, 0.01);
    LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound"));
    ASSERT_NE(nullptr, line);
    line->End();
    EXPECT_EQ(nullptr, topic->GetAnswer());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("test_alibi_empa")));
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("test_alibi_stra"))); // replaced before it ended
}

TEST_F(TopicTest, AnAnswerAppliesItsConsequencesInOrder)
{
    LStateManager::Get()->SetState(LString("sta_old"), LString("number"), LString("4"), false);
    GMInterviewTopic* topic =
        Topic("doneevent=evt_topic_done\nviewedevent=evt_viewed\ndelayedevent=evt_later|12.5\nmodes\n" +
              Mode("stra", "type=GOOD\ndoneevents=evt_a|evt_b\nstatechanges=sta_new|boolean|true|sta_old|string|9\n"
                           "additem=knife\n"));
    LGameClock::Get()->Advance(3.0f, false);
    ASSERT_TRUE(topic->Ask(3, mInterview.get(), GMInterviewTopic::KIND_WITNESS));
    EXPECT_TRUE(topic->IsGood());
    EXPECT_EQ("knife", ToStd(topic->GetItem()));
    LMouse::Get()->Lock(nullptr);
    mRecord.mSeen.clear();
    LFakeTimer::Frames(1, 0.01);
    EXPECT_EQ("e:test_alibi_stra e:evt_a e:evt_b s:sta_new s:sta_old e:evt_viewed e:evt_topic_done+full ",
              mRecord.mSeen);
    LIState* created = LStateManager::Get()->GetState(LString("sta_new"));
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(LIState::TYPE_BOOLEAN, created->GetType());
    LIState* kept = LStateManager::Get()->GetState(LString("sta_old"));
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(LIState::TYPE_NUMBER, kept->GetType());
    EXPECT_EQ(9.0f, *static_cast<float*>(kept->GetValue()));
    ASSERT_EQ(1, Triggers());
    EXPECT_EQ(15.5f, LGameClock::Get()->GetTriggerAt(0)->GetTime());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_EQ(nullptr, topic->GetAnswer());
    GMInventoryPanel* inventory = GMPDA::GetInstance()->GetInventoryPanel();
    ASSERT_NE(nullptr, inventory);
    EXPECT_EQ("knife", ToStd(inventory->GetItem(0, 0)));
}

TEST_F(TopicTest, OnlyGoodInAnyCaseCountsAsGood)
{
    struct Case
    {
        const char* mType;
        bool mGood;
    };
    const Case cases[] = {{"type=good\n", true}, {"type=Good\n", true}, {"type=bad\n", false},
                          {"type=goodish\n", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mType);
        mLog.Clear();
        LEventManager::Get()->RemoveAllEvents();
        GMInterviewTopic* topic = Topic("doneevent=evt_topic_done\nmodes\n" + Mode("flat", c.mType));
        GMInterviewMeter meter;
        mInterview->SetMeter(&meter, 30.0f, 20.0f);
        topic->Ask(2, mInterview.get(), GMInterviewTopic::KIND_WITNESS);
        EXPECT_EQ(c.mGood, topic->IsGood());
        EXPECT_EQ(*c.mType == 0, mLog.Contains("Missing property: 'type'."));
        LFakeTimer::Frames(200, 0.05); // the answer ends, then the meter moves
        EXPECT_EQ(c.mGood ? 30.0f : 0.0f, meter.GetGoodValue());
        EXPECT_EQ(c.mGood ? 0.0f : 20.0f, meter.GetBadValue());
        EXPECT_EQ(c.mGood, LEventManager::Get()->IsRaised(LString("evt_topic_done")));
        LEventManager::Get()->RemoveListener(&mRecord);
        LStateManager::Get()->RemoveListener(&mRecord);
        // The meter goes before the interview: the interview must not keep it.
        mInterview->SetMeter(nullptr, 0.0f, 0.0f);
    }
}

TEST_F(TopicTest, AModeTheTopicLacksReportsDoneAtOnceWithNothingApplied)
{
    GMInterviewTopic* topic = Topic("doneevent=evt_topic_done\nviewedevent=evt_viewed\nmodes\n" +
                                    Mode("stra", "type=good\nadditem=knife\n"));
    for (int mode : {0, 5, -1}) {
        SCOPED_TRACE(mode);
        mLog.Clear();
        LMouse::Get()->Lock(nullptr);
        EXPECT_FALSE(topic->Ask(mode, mInterview.get(), GMInterviewTopic::KIND_WITNESS));
        EXPECT_TRUE(mLog.Contains("Missing mode data."));
        EXPECT_FALSE(LMouse::Get()->IsLocked());
        EXPECT_EQ(nullptr, topic->GetAnswer());
        EXPECT_FALSE(mInterview->IsBusy());
        LFakeTimer::Frames(2, 0.01);
        EXPECT_EQ("", mRecord.mSeen);
        EXPECT_FALSE(mInterview->IsMeterFull());
    }
}

TEST_F(TopicTest, AGoodBargainingAnswerSchedulesAndRaisesOnceAndEndsTheInterview)
{
    GMInterviewTopic* topic = Topic("doneevent=evt_topic_done\ndelayedevent=evt_later|2\nbargain=true\nmodes\n" +
                                    Mode("empa", "type=good\n"));
    Heard heard;
    mInterview->SetListener(&heard);
    topic->Ask(4, mInterview.get(), GMInterviewTopic::KIND_WITNESS);
    LFakeTimer::Frames(1, 0.01);
    EXPECT_EQ(1, Triggers());
    EXPECT_TRUE(LEventManager::Get()->IsRaised(LString("evt_topic_done")));
    EXPECT_FALSE(mLog.Contains("Duplicate"));
    LIState* active = LStateManager::Get()->GetState(LString("bargaining_test_active"));
    ASSERT_NE(nullptr, active);
    EXPECT_EQ(LIState::TYPE_BOOLEAN, active->GetType());
    EXPECT_EQ(1, *static_cast<unsigned char*>(active->GetValue()));
    EXPECT_EQ("1", heard.mCodes);
    EXPECT_TRUE(mInterview->IsMeterFull()); // the good step still counts
}
