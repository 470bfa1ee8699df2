// Case control: the closing events of the four cases, in any letter case, and the one
// notice that cases 1 to 3 are all closed.
#include "menu/GMCaseControl.h"

#include "event/LEventManager.h"
#include "menu/GMCaseTable.h"
#include "state/LStateManager.h"
#include "support/GMTestEvents.h"
#include "support/GMTestStateNotices.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

namespace {

class CaseControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        ASSERT_NE(nullptr, GMCaseControl::GetInstance());
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    static void Raise(const char* aId) { LEventManager::Get()->AddEvent(LString(aId), true); }

    LLogCapture mLog;
};

} // namespace

TEST_F(CaseControlTest, ClosingTheThirdCaseRaisesTheAllSolvedEventOnce)
{
    Raise("evt_interview117_complete");
    Raise("evt_interview218_complete");
    EXPECT_TRUE(GMCaseTable::IsClosed(1));
    EXPECT_TRUE(GMCaseTable::IsClosed(2));
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_cases123_solved")));

    GMCaseTable::SetSelectedCase(3);
    GMTestEvents events;
    GMTestStateNotices notices;
    // Another letter case still closes the case.
    Raise("EVT_Interview321_Complete");
    EXPECT_EQ(0, GMCaseTable::SelectedCase());
    EXPECT_EQ(0, notices.mCount);
    EXPECT_TRUE(GMCaseTable::IsClosed(3));
    EXPECT_EQ(1, events.Count("evt_case03_closed"));
    EXPECT_EQ(1, events.Count("evt_cases123_solved"));

    Raise("evt_something_else");
    Raise("evt_interview117_complete_later");
    EXPECT_EQ(1, events.Count("evt_cases123_solved"));
}

TEST_F(CaseControlTest, TheLastCaseClosesOnItsBargainAndOtherEventsCloseNothing)
{
    GMCaseTable::SetSelectedCase(4);
    Raise("evt_interview117");
    Raise("review1");
    EXPECT_EQ(4, GMCaseTable::SelectedCase());
    for (int number = 1; number <= GMCaseTable::kCaseCount; ++number) {
        EXPECT_FALSE(GMCaseTable::IsClosed(number)) << number;
    }
    Raise("bargainingsolved_415_done");
    EXPECT_TRUE(GMCaseTable::IsClosed(4));
    EXPECT_EQ(0, GMCaseTable::SelectedCase());
    // One case of the first three closed: not all solved.
    Raise("evt_interview117_complete");
    EXPECT_FALSE(LEventManager::Get()->IsRaised(LString("evt_cases123_solved")));
}
