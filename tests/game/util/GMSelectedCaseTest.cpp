// The selected case read from its number state: whole numbers and truncated ones are
// read, a missing state is told apart, and NaN, the infinities and values beyond the int
// range are refused and logged before any conversion.
#include "util/GMSelectedCase.h"

#include "container/LString.h"
#include "menu/GMCaseTable.h"
#include "pda/GMPDAScrollContent.h"
#include "profiler/GMProfilingComputer.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

void SetSelectedCase(float aValue)
{
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_selectedcase"), LString("number"), LString("0"), false);
    *static_cast<float*>(states->GetState(LString("sta_selectedcase"))->GetValue()) = aValue;
}

} // namespace

TEST(SelectedCase, NumbersInTheIntRangeAreReadAndOthersRefused)
{
    LStateManager::Get()->RemoveAllStates();
    int selected = 42;
    EXPECT_EQ(GMSelectedCase::RESULT_MISSING, GMSelectedCase::Read(selected));
    EXPECT_EQ(42, selected);
    EXPECT_EQ(-1, GMSelectedCase::Get());

    struct Row
    {
        float mValue;
        int mCase;
    };
    // The largest floats on either side of the int range's ends are still ints.
    const Row read[] = {{1.0f, 1}, {2.7f, 2}, {-0.5f, 0}, {2147483520.0f, 2147483520}, {-2147483648.0f, -2147483647 - 1}};
    for (const Row& row : read) {
        SCOPED_TRACE(row.mValue);
        LLogCapture log;
        SetSelectedCase(row.mValue);
        EXPECT_EQ(GMSelectedCase::RESULT_READ, GMSelectedCase::Read(selected));
        EXPECT_EQ(row.mCase, selected);
        EXPECT_EQ("", log.Problems());
    }
    const float refused[] = {std::numeric_limits<float>::quiet_NaN(), 1e10f, -1e10f, 2147483648.0f, -2147483904.0f,
                             std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    for (float value : refused) {
        SCOPED_TRACE(value);
        LLogCapture log;
        SetSelectedCase(value);
        selected = 42;
        EXPECT_EQ(GMSelectedCase::RESULT_INVALID, GMSelectedCase::Read(selected));
        EXPECT_EQ(42, selected);
        EXPECT_EQ(-1, GMSelectedCase::Get());
        EXPECT_EQ(2, log.Count("Invalid selected case: not a number in the int range."));
    }
    LStateManager::Get()->RemoveAllStates();
}

// The case table, the PDA's panels and the profiling computer read the case through the
// checked reader: a number it refuses is refused by each of them, logged, and never
// converted.
TEST(SelectedCase, EveryReaderOfTheCaseRefusesWhatTheCheckedReaderRefuses)
{
    const float refused[] = {std::numeric_limits<float>::quiet_NaN(), 1e10f, -std::numeric_limits<float>::infinity()};
    for (float value : refused) {
        SCOPED_TRACE(value);
        SetSelectedCase(value);
        LLogCapture log;
        int selected = 42;
        EXPECT_FALSE(GMPDAScrollContent::GetSelectedCase(selected));
        EXPECT_EQ(0, GMProfilingComputer::SelectedCase());
        EXPECT_EQ(0, GMCaseTable::SelectedCase());
        EXPECT_EQ(3, log.Count("Invalid selected case: not a number in the int range."));
    }
    SetSelectedCase(3.0f);
    int selected = 0;
    EXPECT_TRUE(GMPDAScrollContent::GetSelectedCase(selected));
    EXPECT_EQ(3, selected);
    EXPECT_EQ(3, GMProfilingComputer::SelectedCase());
    EXPECT_EQ(3, GMCaseTable::SelectedCase());
    LStateManager::Get()->RemoveAllStates();
}
