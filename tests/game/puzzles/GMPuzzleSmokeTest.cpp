// Every built puzzle (support/GMBuiltPuzzle) through open, back, open again and back on
// the sample's data, leaving nothing registered, and the game's exit while a puzzle is
// shown.
#include "GMScreenManager.h"
#include "puzzles/GMPuzzle.h"
#include "support/GMBuiltPuzzle.h"
#include "support/GMPuzzleHarness.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <ostream>

// The row's name in the test's listing.
void PrintTo(const GMBuiltPuzzle& aRow, std::ostream* aOut)
{
    *aOut << aRow.mName;
}

namespace {

using Row = GMBuiltPuzzle;

class PuzzleSmoke : public ::testing::TestWithParam<Row>
{
protected:
    // By its state: on top, or shown as an overlay.
    bool Open(const Row& aRow, GMPuzzle* aPuzzle)
    {
        if (!aRow.mOverlay) {
            return mHarness.Open(aRow.mActiveState, aPuzzle);
        }
        GMPuzzleHarness::SetState(aRow.mActiveState, true);
        GMPuzzleHarness::Settle();
        return aPuzzle->IsShown();
    }

    // By the back button, or by the state for a row that leaves so.
    bool Leave(const Row& aRow, GMPuzzle* aPuzzle)
    {
        if (!aRow.mLeavesByState) {
            return mHarness.Back(aPuzzle);
        }
        GMPuzzleHarness::SetState(aRow.mActiveState, false);
        GMPuzzleHarness::Settle();
        return GMScreenManager::GetInstance()->GetTop() == static_cast<GMIScreen*>(&mHarness.Scene());
    }

    GMPuzzleHarness mHarness;
};

} // namespace

TEST_P(PuzzleSmoke, OpensLeavesOpensAgainAndLeavesCleanlyAtEachSkill)
{
    ASSERT_TRUE(mHarness.Ready());
    const Row& row = GetParam();
    GMPuzzle* puzzle = row.mGet();
    ASSERT_NE(nullptr, puzzle);
    const GMPuzzleFootprint before = mHarness.Footprint();
    for (int skill : {GMOptions::SKILL_MEDIUM, GMOptions::SKILL_EASY}) {
        SCOPED_TRACE(skill);
        GMOptions::GetInstance()->SetSkill(skill);
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(Open(row, puzzle)) << round;
            GMPuzzleHarness::Frames(5);
            ASSERT_TRUE(Leave(row, puzzle)) << round;
            GMPuzzleHarness::Frames(20);
            EXPECT_EQ("", mHarness.Leftovers(puzzle, before)) << round;
        }
    }
    EXPECT_EQ("", mHarness.Log().Problems(row.mAllowedProblem));
    // The game ends while the puzzle is shown.
    ASSERT_TRUE(Open(row, puzzle));
    delete GMCleaner::GetInstance();
    EXPECT_EQ("", mHarness.Log().Problems(row.mAllowedProblem));
}

INSTANTIATE_TEST_SUITE_P(Built, PuzzleSmoke, ::testing::ValuesIn(GMBuiltPuzzle::All()),
                         [](const ::testing::TestParamInfo<Row>& aInfo) { return std::string(aInfo.param.mName); });
