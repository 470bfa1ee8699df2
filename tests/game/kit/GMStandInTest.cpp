// The test kit's stand-in singleton: made once, on the game cleaner, gone with it.
#include "menu/GMIntro.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMStandIn.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

namespace {

// Every puzzle is built now: stand-ins of the test's own, under two puzzles' names from
// the table of states.
class HarpStandIn : public GMStandIn<HarpStandIn>
{
public:
    static constexpr const char* kClassName = "GMHarpPuzzle";
};

class POBoxStandIn : public GMStandIn<POBoxStandIn>
{
public:
    static constexpr const char* kClassName = "GMPOBoxPuzzle";
};

} // namespace

TEST(StandIn, MadeOnceRegisteredWithTheGameCleanerAndGoneWithIt)
{
    LLogCapture log;
    HarpStandIn* harp = HarpStandIn::GetInstance();
    ASSERT_NE(nullptr, harp);
    EXPECT_EQ(harp, HarpStandIn::GetInstance());
    POBoxStandIn* box = POBoxStandIn::GetInstance();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(static_cast<void*>(harp), static_cast<void*>(box));
    GMCleaner* cleaner = GMCleaner::GetInstance();
    ASSERT_EQ(2, cleaner->GetInstanceCount());
    EXPECT_EQ(box, cleaner->GetInstanceAt(0)); // deleted first
    EXPECT_EQ(harp, cleaner->GetInstanceAt(1));
    EXPECT_EQ(0u, ToStd(harp->Dump()).find("[GMHarpPuzzle <"));

    delete cleaner;
    EXPECT_EQ(nullptr, GMCleaner::Peek());
    EXPECT_EQ("", log.Bytes());
    // Once the cleaner has ended, the accessor makes the stand-in again.
    ASSERT_NE(nullptr, HarpStandIn::GetInstance());
    EXPECT_EQ(1, GMCleaner::GetInstance()->GetInstanceCount());
    delete GMCleaner::GetInstance();
}

TEST(StandIn, AStandInAskedForByItsStateSaysSoAndLeavesTheStateAlone)
{
    RegisterFakeTimer();
    LStateManager* states = LStateManager::Get();
    states->RemoveAllStates();
    ASSERT_NE(nullptr, HarpStandIn::GetInstance());
    ASSERT_NE(nullptr, GMIntro::GetInstance()); // asked for by no state
    LLogCapture log;
    states->SetState(LString("sta_harppuzzle_active"), LString("boolean"), LString("false"), true);
    states->SetState(LString("sta_poboxpuzzle_active"), LString("boolean"), LString("true"), true);
    EXPECT_EQ("", log.Bytes()); // false, and a stand-in not made
    states->SetState(LString("sta_harppuzzle_active"), LString("true"), true);
    EXPECT_EQ(1, log.Count("NOTE: ")) << log.Bytes();
    EXPECT_TRUE(log.Contains("GMHarpPuzzle is a stand-in: \"sta_harppuzzle_active\" turned true; what it opens is "
                             "not built yet.")) << log.Bytes();
    LIState* state = states->GetState(LString("sta_harppuzzle_active"));
    ASSERT_NE(nullptr, state);
    EXPECT_EQ(1, *static_cast<unsigned char*>(state->GetValue()));
    // Gone with the game cleaner, it hears no more.
    delete GMCleaner::GetInstance();
    states->SetState(LString("sta_harppuzzle_active"), LString("false"), true);
    states->SetState(LString("sta_harppuzzle_active"), LString("true"), true);
    EXPECT_EQ(1, log.Count("NOTE: "));
    states->RemoveAllStates();
}
