// The case table's reading of the selected case: a number beyond the int range counts as
// no case in progress, and the refusal is logged by the one checked reader.
#include "menu/GMCaseTable.h"

#include "container/LString.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

void StoreSelectedCase(float aValue)
{
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_selectedcase"), LString("number"), LString("0"), false);
    *static_cast<float*>(states->GetState(LString("sta_selectedcase"))->GetValue()) = aValue;
}

} // namespace

TEST(CaseTable, TheSelectedCaseIsReadThroughTheCheckedReader)
{
    LStateManager::Get()->RemoveAllStates();
    EXPECT_EQ(0, GMCaseTable::SelectedCase());
    StoreSelectedCase(2.7f);
    EXPECT_EQ(2, GMCaseTable::SelectedCase());
    for (float value : {1e10f, -1e10f, std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(value);
        LLogCapture log;
        StoreSelectedCase(value);
        EXPECT_EQ(0, GMCaseTable::SelectedCase());
        EXPECT_EQ(1, log.Count("Invalid selected case: not a number in the int range."));
    }
    LStateManager::Get()->RemoveAllStates();
}
