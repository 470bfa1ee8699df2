// The game's reading of raised events and boolean states: an empty id is never raised, and
// only a boolean state with a true value holds.
#include "util/GMStateReader.h"

#include "container/LString.h"
#include "event/LEventManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"

#include <gtest/gtest.h>

namespace {

class StateReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LEventManager::Get()->RemoveAllEvents();
        LStateManager::Get()->RemoveAllStates();
    }

    void TearDown() override
    {
        LEventManager::Get()->RemoveAllEvents();
        LStateManager::Get()->RemoveAllStates();
    }
};

} // namespace

TEST_F(StateReaderTest, AnEventIsRaisedOnceAddedWhateverItsCaseAndAnEmptyIdNever)
{
    EXPECT_FALSE(GMStateReader::IsRaised(LString("evt_door_opened")));
    ASSERT_TRUE(LEventManager::Get()->AddEvent(LString("evt_door_opened"), false));
    EXPECT_TRUE(GMStateReader::IsRaised(LString("evt_door_opened")));
    EXPECT_TRUE(GMStateReader::IsRaised(LString("EVT_Door_Opened")));
    EXPECT_FALSE(GMStateReader::IsRaised(LString("evt_door")));
    EXPECT_FALSE(GMStateReader::IsRaised(LString()));
}

TEST_F(StateReaderTest, OnlyABooleanStateThatIsTrueHolds)
{
    LStateManager* states = LStateManager::Get();
    ASSERT_TRUE(states->SetState(LString("sta_on"), LString("boolean"), LString("true"), false));
    ASSERT_TRUE(states->SetState(LString("sta_off"), LString("boolean"), LString("false"), false));
    ASSERT_TRUE(states->SetState(LString("sta_count"), LString("number"), LString("1"), false));
    ASSERT_TRUE(states->SetState(LString("sta_name"), LString("string"), LString("true"), false));

    EXPECT_TRUE(GMStateReader::IsTrue(states->GetState(LString("sta_on"))));
    EXPECT_TRUE(GMStateReader::IsTrue(states, LString("sta_on")));
    EXPECT_FALSE(GMStateReader::IsTrue(states, LString("sta_off")));
    EXPECT_FALSE(GMStateReader::IsTrue(states, LString("sta_count")));
    EXPECT_FALSE(GMStateReader::IsTrue(states, LString("sta_name")));
    EXPECT_FALSE(GMStateReader::IsTrue(states, LString("sta_missing")));
    EXPECT_FALSE(GMStateReader::IsTrue(nullptr, LString("sta_on")));
    EXPECT_FALSE(GMStateReader::IsTrue(static_cast<const LIState*>(nullptr)));
}
