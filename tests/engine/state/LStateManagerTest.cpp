#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class LRecordingListener : public LIStateListener
{
public:
    LRecordingListener(std::vector<std::string>* aCalls, std::string aName)
        : mCalls(aCalls), mName(std::move(aName))
    {
    }

    void OnStateChanged(LIState* aState) override
    {
        mCalls->push_back(mName + ":" + ToStd(aState->GetId()));
        if (mAction) {
            mAction(aState);
        }
    }

    std::vector<std::string>* mCalls;
    std::string mName;
    std::function<void(LIState*)> mAction;
};

class States : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mStates = LStateManager::Get();
        ASSERT_NE(nullptr, mStates);
        mStates->RemoveAllStates();
    }

    float NumberOf(const char16_t* aId)
    {
        const LIState* state = mStates->GetState(aId);
        return state && state->GetType() == LIState::TYPE_NUMBER ? *static_cast<float*>(state->GetValue()) : -1.0f;
    }

    LStateManager* mStates = nullptr;
    LLogCapture mLog;
};

std::string SavedBlock(LStateManager* aStates)
{
    LMemoryStream stream(1024, -1);
    EXPECT_EQ(1, aStates->OnSave(&stream));
    return WrittenBytes(stream);
}

int LoadBlock(LStateManager* aStates, const std::string& aBytes)
{
    LMemoryStream stream(16, -1);
    Load(stream, aBytes);
    return aStates->OnLoad(&stream, 0.0f);
}

} // namespace

TEST_F(States, SetByTypeNameCreatesAndNotifiesTwice)
{
    std::vector<std::string> calls;
    LRecordingListener listener(&calls, "a");
    mStates->AddListener(&listener, 0.0f);
    EXPECT_TRUE(mStates->SetState(u"Sta_N", u"NUMBER", u"2.5", true));
    EXPECT_EQ(2.5f, NumberOf(u"sta_n"));
    EXPECT_EQ((std::vector<std::string>{"a:sta_n", "a:sta_n"}), calls);
    calls.clear();
    EXPECT_TRUE(mStates->SetState(u"sta_n", u"number", u"3", true));
    EXPECT_EQ(3.0f, NumberOf(u"STA_N"));
    EXPECT_EQ(1u, calls.size());
    mStates->RemoveListener(&listener);
}

TEST_F(States, TypeNamesAndTextParsing)
{
    mStates->SetState(u"s1", u"colour", u"red", false);
    EXPECT_EQ(LIState::TYPE_STRING, mStates->GetState(u"s1")->GetType());
    mStates->SetState(u"b1", u"boolean", u"True", false);
    mStates->SetState(u"b2", u"boolean", u"1", false);
    mStates->SetState(u"b3", u"boolean", u"yes", false);
    EXPECT_EQ(1, *static_cast<unsigned char*>(mStates->GetState(u"b1")->GetValue()));
    EXPECT_EQ(0, *static_cast<unsigned char*>(mStates->GetState(u"b2")->GetValue()));
    EXPECT_EQ(0, *static_cast<unsigned char*>(mStates->GetState(u"b3")->GetValue()));
    EXPECT_TRUE(mLog.Lines().empty());
}

TEST_F(States, InvalidArgumentsAndMissingIds)
{
    EXPECT_FALSE(mStates->SetState(u"", u"number", u"1", false));
    EXPECT_FALSE(mStates->SetState(u"sta_x", u"number", u"", false));
    EXPECT_EQ(2, mLog.Count("ERROR: .\\state\\LStateManager.cpp, "));
    EXPECT_EQ(2, mLog.Count(": SetState failure. Invalid arg."));
    EXPECT_EQ(0, mStates->GetStateCount());

    EXPECT_FALSE(mStates->SetState(u"sta_missing", u"5", false));
    EXPECT_TRUE(mLog.Contains(": SetState failure. ID not found:sta_missing, value:5"));
    const float five = 5.0f;
    EXPECT_FALSE(mStates->SetState(u"sta_missing", &five, false));
    EXPECT_FALSE(mStates->HasState(u"sta_missing"));
    EXPECT_FALSE(mStates->AddState(nullptr, false, false));
    EXPECT_TRUE(mLog.Contains(": AddState failure. NULL arg."));
}

TEST_F(States, RawValuesAndChangeTime)
{
    mStates->SetState(u"sta_s", u"string", u"abc", false);
    const LString empty;
    EXPECT_TRUE(mStates->SetState(u"sta_s", &empty, false));
    EXPECT_TRUE(static_cast<LString*>(mStates->GetState(u"sta_s")->GetValue())->IsEmpty());
    // A state set from its own value keeps it.
    mStates->SetState(u"sta_s", u"xyz", false);
    LIState* state = mStates->GetState(u"sta_s");
    EXPECT_TRUE(mStates->SetState(u"sta_s", state->GetValue(), false));
    EXPECT_EQ("xyz", ToStd(*static_cast<LString*>(state->GetValue())));
    EXPECT_GE(state->GetTime(), 0.0f);

    // A record added directly keeps its time of 0 until a SetState stamps it.
    LIState* fresh = new LIState();
    const float one = 1.0f;
    ASSERT_TRUE(fresh->Set(u"sta_t", LIState::TYPE_NUMBER, &one));
    ASSERT_TRUE(mStates->AddState(fresh, false, false));
    EXPECT_EQ(0.0f, fresh->GetTime());
}

TEST_F(States, AddStateReplacesOnlyWhenAsked)
{
    std::vector<std::string> calls;
    LRecordingListener listener(&calls, "a");
    mStates->AddListener(&listener, 0.0f);
    mStates->SetState(u"sta_a", u"number", u"1", false);
    mStates->SetState(u"sta_b", u"number", u"2", false);

    LIState* other = new LIState();
    const float nine = 9.0f;
    other->Set(u"STA_A", LIState::TYPE_NUMBER, &nine);
    EXPECT_FALSE(mStates->AddState(other, true, false));
    EXPECT_EQ(1.0f, NumberOf(u"sta_a"));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(mStates->AddState(other, true, true));
    EXPECT_EQ(9.0f, NumberOf(u"sta_a"));
    EXPECT_EQ(std::vector<std::string>{"a:sta_a"}, calls);
    // The new record goes last in the order.
    EXPECT_EQ("sta_a", ToStd(mStates->GetStateAt(1)->GetId()));
    mStates->RemoveListener(&listener);
}

TEST_F(States, ListenersHighestPriorityFirstAndInterrupt)
{
    std::vector<std::string> calls;
    LRecordingListener low(&calls, "low");
    LRecordingListener high(&calls, "high");
    LRecordingListener tie(&calls, "tie");
    mStates->AddListener(&low, 1.0f);
    mStates->AddListener(&high, 5.0f);
    mStates->AddListener(&tie, 1.0f);
    EXPECT_TRUE(mStates->AddListener(&high, -3.0f));
    mStates->SetState(u"x", u"number", u"1", false);
    mStates->SetState(u"x", u"2", true);
    EXPECT_EQ((std::vector<std::string>{"high:x", "low:x", "tie:x"}), calls);

    calls.clear();
    high.mAction = [this](LIState*) { mStates->Interrupt(); };
    mStates->SetState(u"x", u"3", true);
    EXPECT_EQ(std::vector<std::string>{"high:x"}, calls);
    high.mAction = nullptr;

    calls.clear();
    mStates->Interrupt();
    mStates->SetState(u"x", u"4", true);
    EXPECT_TRUE(calls.empty());
    mStates->SetState(u"x", u"5", true);
    EXPECT_EQ(3u, calls.size());

    EXPECT_FALSE(mStates->AddListener(nullptr, 0.0f));
    EXPECT_TRUE(mLog.Contains(": AddListener failure. NULL arg."));
    EXPECT_FALSE(mStates->RemoveListener(nullptr));
    EXPECT_TRUE(mLog.Contains(": RemoveListener failure. NULL arg."));
    for (LRecordingListener* listener : {&low, &high, &tie}) {
        EXPECT_TRUE(mStates->RemoveListener(listener));
    }
    EXPECT_FALSE(mStates->RemoveListener(&low));
}

TEST_F(States, NestedChangeReachesEveryListenerOnce)
{
    std::vector<std::string> calls;
    LRecordingListener first(&calls, "first");
    LRecordingListener second(&calls, "second");
    LRecordingListener third(&calls, "third");
    mStates->AddListener(&first, 0.0f);
    mStates->AddListener(&second, 0.0f);
    mStates->AddListener(&third, 0.0f);
    mStates->SetState(u"outer", u"number", u"0", false);
    mStates->SetState(u"inner", u"number", u"0", false);
    second.mAction = [this](LIState* aState) {
        if (aState->GetId() == LString(u"outer")) {
            mStates->SetState(u"inner", u"1", true);
        }
    };
    mStates->SetState(u"outer", u"1", true);
    EXPECT_EQ((std::vector<std::string>{"first:outer", "second:outer", "first:inner", "second:inner",
                                        "third:inner", "third:outer"}),
              calls);
    for (LRecordingListener* listener : {&first, &second, &third}) {
        mStates->RemoveListener(listener);
    }
}

TEST_F(States, ListenerRemovedDuringAPassIsNotCalled)
{
    std::vector<std::string> calls;
    LRecordingListener first(&calls, "first");
    LRecordingListener second(&calls, "second");
    mStates->AddListener(&first, 0.0f);
    mStates->AddListener(&second, 0.0f);
    first.mAction = [&](LIState*) { mStates->RemoveListener(&second); };
    mStates->SetState(u"x", u"number", u"1", false);
    mStates->SetState(u"x", u"2", true);
    EXPECT_EQ(std::vector<std::string>{"first:x"}, calls);
    mStates->RemoveListener(&first);
}

TEST_F(States, BlockSizesAndRoundTrip)
{
    EXPECT_EQ("00 00 00 00", Hex(SavedBlock(mStates)));
    mStates->SetState(u"sta_b", u"boolean", u"true", false);
    mStates->SetState(u"sta_n", u"number", u"2.5", false);
    EXPECT_EQ(57u, SavedBlock(mStates).size());
    mStates->SetState(u"sta_s", u"string", u"Hello", false);
    const std::string block = SavedBlock(mStates);

    std::vector<std::string> calls;
    LRecordingListener listener(&calls, "a");
    mStates->AddListener(&listener, 0.0f);
    mStates->RemoveAllStates();
    EXPECT_EQ(1, LoadBlock(mStates, block));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(3, mStates->GetStateCount());
    EXPECT_EQ("sta_s", ToStd(mStates->GetStateAt(2)->GetId()));
    EXPECT_EQ(2.5f, NumberOf(u"sta_n"));
    EXPECT_EQ(block, SavedBlock(mStates));
    mStates->RemoveListener(&listener);
}

TEST_F(States, TruncatedAndHugeBlocksFailInBoundedTime)
{
    mStates->SetState(u"sta_b", u"boolean", u"true", false);
    mStates->SetState(u"sta_n", u"number", u"2.5", false);
    mStates->SetState(u"sta_s", u"string", u"Hello", false);
    const std::string block = SavedBlock(mStates);
    for (size_t length = 0; length < block.size(); ++length) {
        EXPECT_EQ(0, LoadBlock(mStates, block.substr(0, length))) << length;
        EXPECT_LT(mStates->GetStateCount(), 3) << length;
    }
    EXPECT_EQ(0, LoadBlock(mStates, std::string("\xff\xff\xff\x7f", 4) + block.substr(4)));
    EXPECT_EQ(0, LoadBlock(mStates, std::string("\xff\xff\xff\xff", 4)));
    // A record of an unknown type stops the load.
    std::string bad = block;
    bad[8] = 9;
    EXPECT_EQ(0, LoadBlock(mStates, bad));
    EXPECT_TRUE(mLog.Contains(": Read failure. Invalid type."));
}

TEST_F(States, DuplicateIdsInABlockKeepTheFirst)
{
    mStates->SetState(u"sta_a", u"number", u"1", false);
    const std::string one = SavedBlock(mStates);
    std::string twice("\x02\0\0\0", 4);
    twice += one.substr(4) + one.substr(4);
    EXPECT_EQ(1, LoadBlock(mStates, twice));
    EXPECT_EQ(1, mStates->GetStateCount());
}

TEST_F(States, RecordStreamFormAndInvalidTypes)
{
    LIState state;
    const float value = 1.0f;
    ASSERT_TRUE(state.Set(u"ABCDE", LIState::TYPE_NUMBER, &value));
    EXPECT_EQ("abcde", ToStd(state.GetId()));
    LMemoryStream stream(1024, -1);
    EXPECT_TRUE(state.Write(&stream));
    EXPECT_EQ(28, stream.GetPosition());

    LIState none;
    LMemoryStream empty(1024, -1);
    EXPECT_FALSE(none.Write(&empty));
    EXPECT_EQ(0, empty.GetPosition());

    LIState odd;
    ASSERT_TRUE(odd.Set(u"odd", 7, &value));
    EXPECT_EQ(nullptr, odd.GetValue());
    EXPECT_FALSE(odd.Write(&empty));
    EXPECT_TRUE(mLog.Contains(": Write failure. Invalid type."));
    EXPECT_FALSE(odd.SetValue(u"1"));
    EXPECT_TRUE(mLog.Contains(": SetValue failure. Invalid type."));

    EXPECT_FALSE(state.Set(u"", LIState::TYPE_NUMBER, &value));
    EXPECT_TRUE(mLog.Contains(": Set failure. Invalid id."));
    EXPECT_FALSE(state.Set(u"x", LIState::TYPE_NUMBER, nullptr));
    EXPECT_TRUE(mLog.Contains(": Set failure. NULL arg."));
    EXPECT_FALSE(state.Set(u"x", u"colour", &value));
}

TEST_F(States, DumpStatesWritesTheTable)
{
    mStates->SetState(u"sta_b", u"boolean", u"true", false);
    mStates->SetState(u"sta_n", u"number", u"2", false);
    mStates->SetState(u"sta_s", u"string", u"hi", false);
    mStates->DumpStates();
    const std::string dashes(40, '-');
    const std::vector<std::string> expected = {dashes, "STATES", dashes, "<boolean>: sta_b: true",
                                               " <number>:sta_n: 2.000000", " <string>:sta_s: hi", dashes};
    EXPECT_EQ(expected, mLog.Lines());
}
