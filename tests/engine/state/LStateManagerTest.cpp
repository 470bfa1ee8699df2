#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

class LRecordingListener : public LIStateListener
{
public:
    explicit LRecordingListener(std::string aName) : mName(std::move(aName)) {}

    void OnStateChanged(LIState* aState) override
    {
        gCalls.push_back(mName + ":" + ToStd(aState->GetId()));
        if (mAction) {
            mAction(aState);
        }
    }

    std::string mName;
    std::function<void(LIState*)> mAction;
};

class States : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gCalls.clear();
        RegisterFakeTimer();
        mStates = LStateManager::Get();
        ASSERT_NE(nullptr, mStates);
        mStates->RemoveAllStates();
    }

    void TearDown() override
    {
        for (LRecordingListener* listener : {&mA, &mB, &mC}) {
            mStates->RemoveListener(listener);
        }
    }

    float NumberOf(const char16_t* aId)
    {
        const LIState* state = mStates->GetState(aId);
        return state && state->GetType() == LIState::TYPE_NUMBER ? *static_cast<float*>(state->GetValue()) : -1.0f;
    }

    unsigned char FlagOf(const char16_t* aId) { return *static_cast<unsigned char*>(mStates->GetState(aId)->GetValue()); }

    LStateManager* mStates = nullptr;
    LRecordingListener mA{"a"};
    LRecordingListener mB{"b"};
    LRecordingListener mC{"c"};
    LLogCapture mLog;
};

} // namespace

TEST_F(States, SetByTypeNameCreatesLowerCasedAndNotifiesANewStateTwice)
{
    mStates->AddListener(&mA, 0.0f);
    EXPECT_TRUE(mStates->SetState(u"Sta_N", u"NUMBER", u"2.5", true));
    EXPECT_EQ(2.5f, NumberOf(u"sta_n"));
    EXPECT_EQ((std::vector<std::string>{"a:sta_n", "a:sta_n"}), gCalls);
    gCalls.clear();
    EXPECT_TRUE(mStates->SetState(u"sta_n", u"number", u"3", true));
    EXPECT_EQ(3.0f, NumberOf(u"STA_N"));
    EXPECT_EQ(1u, gCalls.size());

    // Unknown type names make strings; booleans are true only for "true" in any case.
    mStates->SetState(u"s1", u"colour", u"red", false);
    EXPECT_EQ(LIState::TYPE_STRING, mStates->GetState(u"s1")->GetType());
    mStates->SetState(u"b1", u"boolean", u"True", false);
    mStates->SetState(u"b2", u"boolean", u"1", false);
    EXPECT_EQ(1, FlagOf(u"b1"));
    EXPECT_EQ(0, FlagOf(u"b2"));
}

TEST_F(States, InvalidArgumentsAndMissingIdsChangeNothing)
{
    EXPECT_FALSE(mStates->SetState(u"", u"number", u"1", false));
    EXPECT_FALSE(mStates->SetState(u"sta_x", u"number", u"", false));
    EXPECT_EQ(2, mLog.Count("ERROR: .\\state\\LStateManager.cpp, "));
    EXPECT_FALSE(mStates->SetState(u"sta_missing", u"5", false));
    EXPECT_TRUE(mLog.Contains(": SetState failure. ID not found:sta_missing, value:5"));
    const float five = 5.0f;
    EXPECT_FALSE(mStates->SetState(u"sta_missing", &five, false));
    EXPECT_FALSE(mStates->AddState(nullptr, false, false));
    EXPECT_EQ(0, mStates->GetStateCount());
}

TEST_F(States, ChangesAreStampedWithTheTimerAndARawValueMayBeTheStatesOwn)
{
    LFakeTimer::sNow = 12.5;
    mStates->SetState(u"sta_s", u"string", u"xyz", false);
    LIState* state = mStates->GetState(u"sta_s");
    EXPECT_EQ(12.5f, state->GetTime());
    LFakeTimer::sNow = 14.0;
    EXPECT_TRUE(mStates->SetState(u"sta_s", state->GetValue(), false));
    EXPECT_EQ("xyz", ToStd(*static_cast<LString*>(state->GetValue())));
    EXPECT_EQ(14.0f, state->GetTime());
    const LString empty;
    EXPECT_TRUE(mStates->SetState(u"sta_s", &empty, false));
    EXPECT_TRUE(static_cast<LString*>(state->GetValue())->IsEmpty());
}

TEST_F(States, AddStateReplacesOnlyWhenAsked)
{
    mStates->AddListener(&mA, 0.0f);
    mStates->SetState(u"sta_a", u"number", u"1", false);
    mStates->SetState(u"sta_b", u"number", u"2", false);
    LIState* other = new LIState();
    const float nine = 9.0f;
    other->Set(u"STA_A", LIState::TYPE_NUMBER, &nine);
    EXPECT_FALSE(mStates->AddState(other, true, false));
    EXPECT_EQ(1.0f, NumberOf(u"sta_a"));
    EXPECT_TRUE(gCalls.empty());
    EXPECT_TRUE(mStates->AddState(other, true, true));
    EXPECT_EQ(9.0f, NumberOf(u"sta_a"));
    EXPECT_EQ(std::vector<std::string>{"a:sta_a"}, gCalls);
    // The new record goes last in the order.
    EXPECT_EQ("sta_a", ToStd(mStates->GetStateAt(1)->GetId()));
}

TEST_F(States, ListenersHighestPriorityFirstTiesInOrderAndInterrupt)
{
    mStates->AddListener(&mA, 1.0f);
    mStates->AddListener(&mB, 5.0f);
    mStates->AddListener(&mC, 1.0f);
    EXPECT_TRUE(mStates->AddListener(&mB, -3.0f)); // already there: unchanged
    mStates->SetState(u"x", u"number", u"1", false);
    mStates->SetState(u"x", u"2", true);
    EXPECT_EQ((std::vector<std::string>{"b:x", "a:x", "c:x"}), gCalls);

    gCalls.clear();
    mB.mAction = [this](LIState*) { mStates->Interrupt(); };
    mStates->SetState(u"x", u"3", true);
    EXPECT_EQ(std::vector<std::string>{"b:x"}, gCalls);

    // Set between changes, the interrupt swallows the next pass whole.
    mB.mAction = nullptr;
    gCalls.clear();
    mStates->Interrupt();
    mStates->SetState(u"x", u"4", true);
    EXPECT_TRUE(gCalls.empty());
    EXPECT_FALSE(mStates->AddListener(nullptr, 0.0f));
    EXPECT_TRUE(mStates->RemoveListener(&mA));
    EXPECT_FALSE(mStates->RemoveListener(&mA));
}

TEST_F(States, NestedChangeReachesEveryListenerOnceAndRemovalTakesEffect)
{
    mStates->AddListener(&mA, 0.0f);
    mStates->AddListener(&mB, 0.0f);
    mStates->AddListener(&mC, 0.0f);
    mStates->SetState(u"outer", u"number", u"0", false);
    mStates->SetState(u"inner", u"number", u"0", false);
    mB.mAction = [this](LIState* aState) {
        if (aState->GetId() == LString(u"outer")) {
            mStates->SetState(u"inner", u"1", true);
        }
    };
    mStates->SetState(u"outer", u"1", true);
    EXPECT_EQ((std::vector<std::string>{"a:outer", "b:outer", "a:inner", "b:inner", "c:inner", "c:outer"}), gCalls);

    gCalls.clear();
    mA.mAction = [this](LIState*) { mStates->RemoveListener(&mB); };
    mB.mAction = nullptr;
    mStates->SetState(u"outer", u"2", true);
    EXPECT_EQ((std::vector<std::string>{"a:outer", "c:outer"}), gCalls);
}

TEST_F(States, BlockOfTwoStatesIs57BytesAndRoundTripsSilently)
{
    EXPECT_EQ("00 00 00 00", Hex(SavedBlock(*mStates)));
    mStates->SetState(u"sta_b", u"boolean", u"true", false);
    mStates->SetState(u"sta_n", u"number", u"2.5", false);
    EXPECT_EQ(57u, SavedBlock(*mStates).size());
    mStates->SetState(u"sta_s", u"string", u"Hello", false);
    const std::string block = SavedBlock(*mStates);

    mStates->AddListener(&mA, 0.0f);
    mStates->RemoveAllStates();
    EXPECT_EQ(1, LoadBlock(*mStates, block));
    EXPECT_TRUE(gCalls.empty());
    EXPECT_EQ(block, SavedBlock(*mStates)); // the same states in the same order

    // A repeated id in a block keeps the first record (the boolean, 25 bytes).
    std::string twice("\x02\0\0\0", 4);
    twice += block.substr(4, 25) + block.substr(4, 25);
    EXPECT_EQ(1, LoadBlock(*mStates, twice));
    EXPECT_EQ(1, mStates->GetStateCount());
}

TEST_F(States, TruncatedHugeAndMistypedBlocksFailInBoundedTime)
{
    mStates->SetState(u"sta_b", u"boolean", u"true", false);
    mStates->SetState(u"sta_n", u"number", u"2.5", false);
    mStates->SetState(u"sta_s", u"string", u"Hello", false);
    const std::string block = SavedBlock(*mStates);
    for (size_t length = 0; length < block.size(); ++length) {
        EXPECT_EQ(0, LoadBlock(*mStates, block.substr(0, length))) << length;
        EXPECT_LT(mStates->GetStateCount(), 3) << length;
    }
    EXPECT_EQ(0, LoadBlock(*mStates, std::string("\xff\xff\xff\x7f", 4) + block.substr(4)));
    EXPECT_EQ(0, LoadBlock(*mStates, std::string("\xff\xff\xff\xff", 4)));
    std::string bad = block;
    bad[8] = 9;
    EXPECT_EQ(0, LoadBlock(*mStates, bad));
    EXPECT_TRUE(mLog.Contains(": Read failure. Invalid type."));
}

TEST_F(States, RecordsOfNoOrAnInvalidTypeWriteNothingUsable)
{
    LIState state;
    const float value = 1.0f;
    LMemoryStream stream(1024, -1);
    EXPECT_FALSE(state.Write(&stream));
    EXPECT_EQ(0, stream.GetPosition());
    ASSERT_TRUE(state.Set(u"ABCDE", LIState::TYPE_NUMBER, &value));
    EXPECT_TRUE(state.Write(&stream));
    EXPECT_EQ(28, stream.GetPosition());

    LIState odd;
    ASSERT_TRUE(odd.Set(u"odd", 7, &value));
    EXPECT_EQ(nullptr, odd.GetValue());
    EXPECT_FALSE(odd.Write(&stream));
    EXPECT_FALSE(odd.SetValue(u"1"));
    EXPECT_TRUE(mLog.Contains(": SetValue failure. Invalid type."));
    EXPECT_FALSE(state.Set(u"", LIState::TYPE_NUMBER, &value));
    EXPECT_FALSE(state.Set(u"x", u"colour", &value));
}

TEST_F(States, DumpStatesWritesTheTable)
{
    mStates->SetState(u"sta_b", u"boolean", u"true", false);
    mStates->SetState(u"sta_n", u"number", u"2", false);
    mStates->SetState(u"sta_s", u"string", u"hi", false);
    mStates->DumpStates();
    const std::string dashes(40, '-');
    EXPECT_EQ((std::vector<std::string>{dashes, "STATES", dashes, "<boolean>: sta_b: true", " <number>:sta_n: 2.000000",
                                        " <string>:sta_s: hi", dashes}),
              mLog.Lines());
}

TEST_F(States, ARepeatedEmptyIdKeepsTheFirstRecordAndRefusesTheOthers)
{
    // Records of time 0: number "" = 3, boolean "" = true, number "sta_x" = 5, number "".
    const auto record = [](int aType, const std::u16string& aId, const std::string& aValue) {
        std::string bytes(4, '\0');
        bytes += std::string(reinterpret_cast<const char*>(&aType), 4);
        const int length = static_cast<int>(aId.size());
        bytes += std::string(reinterpret_cast<const char*>(&length), 4);
        bytes += std::string(reinterpret_cast<const char*>(aId.data()), aId.size() * 2) + std::string(2, '\0');
        return bytes + aValue;
    };
    const auto number = [](float aValue) { return std::string(reinterpret_cast<const char*>(&aValue), 4); };
    const int count = 4;
    const std::string block = std::string(reinterpret_cast<const char*>(&count), 4) +
                              record(LIState::TYPE_NUMBER, u"", number(3.0f)) +
                              record(LIState::TYPE_BOOLEAN, u"", std::string("\x01", 1)) +
                              record(LIState::TYPE_NUMBER, u"sta_x", number(5.0f)) +
                              record(LIState::TYPE_NUMBER, u"", number(4.0f));
    EXPECT_EQ(1, LoadBlock(*mStates, block));
    EXPECT_EQ(2, mStates->GetStateCount());
    EXPECT_FLOAT_EQ(3.0f, NumberOf(u""));
    EXPECT_FLOAT_EQ(5.0f, NumberOf(u"sta_x"));
    EXPECT_EQ(2, mLog.Count("Add failure."));
}
