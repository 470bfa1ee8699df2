// Every built puzzle (support/GMBuiltPuzzle) through open, back, open again and back on
// the sample's data, leaving nothing registered, the game's exit while a puzzle is shown,
// its state turning false while another screen covers it, and a layout file that is not
// there.
#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "puzzles/GMPuzzle.h"
#include "support/GMBuiltPuzzle.h"
#include "support/GMPuzzleHarness.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>

// The row's name in the test's listing.
void PrintTo(const GMBuiltPuzzle& aRow, std::ostream* aOut)
{
    *aOut << aRow.mName;
}

namespace {

using Row = GMBuiltPuzzle;

// The problems of the log but those the row expects.
std::string Unexpected(const Row& aRow, const std::string& aProblems)
{
    std::istringstream lines(aProblems);
    std::string line;
    std::string left;
    while (std::getline(lines, line)) {
        if (aRow.mExpectedLines == nullptr || line.find(aRow.mExpectedLines) == std::string::npos) {
            left += line + "\n";
        }
    }
    return left;
}

class PuzzleSmoke : public ::testing::TestWithParam<Row>
{
protected:
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
            ASSERT_TRUE(mHarness.Open(row.mActiveState, puzzle)) << round;
            GMPuzzleHarness::Frames(5);
            ASSERT_TRUE(mHarness.Back(puzzle)) << round;
            GMPuzzleHarness::Frames(20);
            EXPECT_EQ("", mHarness.Leftovers(puzzle, before)) << round;
        }
    }
    EXPECT_EQ("", Unexpected(row, mHarness.Log().Problems()));
    // The game ends while the puzzle is shown.
    ASSERT_TRUE(mHarness.Open(row.mActiveState, puzzle));
    delete GMCleaner::GetInstance();
    EXPECT_EQ("", Unexpected(row, mHarness.Log().Problems()));
}

TEST_P(PuzzleSmoke, TheStateTurningFalseUnderAnotherScreenPopsNothing)
{
    ASSERT_TRUE(mHarness.Ready());
    const Row& row = GetParam();
    GMPuzzle* puzzle = row.mGet();
    ASSERT_NE(nullptr, puzzle);
    ASSERT_TRUE(mHarness.Open(row.mActiveState, puzzle));
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMHarnessScene cover;
    ASSERT_TRUE(screens->PushFade(&cover));
    GMPuzzleHarness::Settle();
    ASSERT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    GMPuzzleHarness::SetState(row.mActiveState, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    EXPECT_EQ(3, screens->GetCount());
    screens->Clear();
}

TEST_P(PuzzleSmoke, ALayoutThatDoesNotLoadShowsWhatItCanAndStillLeaves)
{
    ASSERT_TRUE(mHarness.Ready());
    const Row& row = GetParam();
    GMPuzzle* puzzle = row.mGet();
    ASSERT_NE(nullptr, puzzle);
    const std::filesystem::path layout =
        std::filesystem::path(mHarness.Roots().Path()) / GMPuzzleHarness::LayoutFile(puzzle);
    ASSERT_TRUE(std::filesystem::remove(layout)) << layout;
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(mHarness.Open(row.mActiveState, puzzle));
    EXPECT_NE("", mHarness.Log().Problems());
    EXPECT_NE(nullptr, puzzle->GetRoot());
    GMPuzzleHarness::Drag(LVector2(300.0f, 250.0f), LVector2(420.0f, 330.0f));
    GMPuzzleHarness::Frames(5);
    // No back button was built: asked for as its click would ask.
    puzzle->OnButton(LString(GMPuzzle::kBackButtonId), XBTNEVENT_CLICKED);
    GMPuzzleHarness::Settle(200);
    EXPECT_FALSE(puzzle->IsShown());
    EXPECT_LT(GMScreenManager::GetInstance()->IndexOf(puzzle), 0);
    EXPECT_EQ("", mHarness.Leftovers(puzzle, before));
}

INSTANTIATE_TEST_SUITE_P(Built, PuzzleSmoke, ::testing::ValuesIn(GMBuiltPuzzle::All()),
                         [](const ::testing::TestParamInfo<Row>& aInfo) { return std::string(aInfo.param.mName); });
