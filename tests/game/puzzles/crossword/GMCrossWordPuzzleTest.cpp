// The crossword on the sample's files: selecting cells and words by clicks, typing with
// the caret's advance, words solved, the skill's words filled in at start, the end
// animation, and files with data outside the grid.
#include "puzzles/crossword/GMCrossWordPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LTextArea.h"
#include "Input/LKeyboard.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

const char* const kActive = GMCrossWordPuzzle::kActiveState;
const char* const kGrid = "data/textures/puzzles/crossword/crossword_puzzle_grid.txt";
const char* const kEntries = "data/textures/puzzles/crossword/crossword_puzzle_entries.txt";

// Scan codes of the keyboard.
const std::map<char, int> kScanCodes = {
    {'A', 0x1E}, {'B', 0x30}, {'C', 0x2E}, {'D', 0x20}, {'E', 0x12}, {'F', 0x21}, {'G', 0x22}, {'H', 0x23},
    {'I', 0x17}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {'M', 0x32}, {'N', 0x31}, {'O', 0x18}, {'P', 0x19},
    {'Q', 0x10}, {'R', 0x13}, {'S', 0x1F}, {'T', 0x14}, {'U', 0x16}, {'V', 0x2F}, {'W', 0x11}, {'X', 0x2D},
    {'Y', 0x15}, {'Z', 0x2C}, {'1', 0x02}, {' ', 0x39}};
constexpr int kBackspace = 0x0E;
constexpr int kShift = 0x2A;
constexpr int kComma = 0x33;

class CrossWordTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_HARD);
        mPuzzle = GMCrossWordPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    // The middle of the cell (row, column), 1-based.
    static LVector2 Cell(int aRow, int aColumn)
    {
        return LVector2(187.0f + 26.0f * static_cast<float>(aColumn - 1) + 13.0f,
                        28.0f + 25.0f * static_cast<float>(aRow - 1) + 12.0f);
    }
    static void ClickCell(int aRow, int aColumn) { GMPuzzleHarness::Click(Cell(aRow, aColumn)); }

    // Types aText by scan codes (lower case; upper case with the shift key held).
    static void TypeText(const std::string& aText, bool aShift = false)
    {
        for (char ch : aText) {
            if (aShift) {
                LKeyboard::Get()->OnKeyDown(kShift);
            }
            GMPuzzleHarness::Type(kScanCodes.at(static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))));
            if (aShift) {
                LKeyboard::Get()->OnKeyUp(kShift);
            }
        }
    }

    std::string Typed(int aRow, int aColumn)
    {
        LTextArea* cell = mPuzzle->GetTypedCell(aRow, aColumn);
        return cell != nullptr ? ToStd(cell->GetText()) : "?";
    }
    bool SolvedShown(int aRow, int aColumn)
    {
        LTextArea* cell = mPuzzle->GetSolvedCell(aRow, aColumn);
        return cell != nullptr && cell->GetVisible() && cell->GetText().GetLength() > 0;
    }

    std::string Read(const char* aPath)
    {
        std::ifstream in(mHarness.Roots().Path() + "/" + aPath);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Raises the events of every word but across 1 (EVIDENCE): those words show filled.
    static void RaiseAllButEvidence()
    {
        for (int n = 2; n <= 58; ++n) {
            LEventManager::Get()->AddEvent(LString("evt_crossword_across_") + n, false);
        }
    }

    GMPuzzleHarness mHarness;
    GMCrossWordPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- Clicks --------------------------------------------------------------------------

TEST_F(CrossWordTest, AClickSelectsTheCellAndItsWordAndPointsOnTheEdgesAreOutside)
{
    ASSERT_TRUE(Open());
    GMPuzzleHarness::Click(LVector2(200.0f, 40.0f));
    EXPECT_EQ(1, mPuzzle->GetSelectedRow());
    EXPECT_EQ(1, mPuzzle->GetSelectedColumn());
    ASSERT_NE(nullptr, mPuzzle->GetHighlight());
    EXPECT_TRUE(mPuzzle->GetHighlight()->GetVisible());
    EXPECT_EQ(8.0f, mPuzzle->GetHighlight()->GetScale().x); // EVIDENCE
    EXPECT_TRUE(mPuzzle->GetCaret()->GetVisible());
    EXPECT_EQ("cursorSprite", ToStd(mPuzzle->GetCaret()->GetId()));
    for (const LVector2& edge : {LVector2(186.0f, 100.0f), LVector2(567.0f, 100.0f), LVector2(300.0f, 27.0f),
                                 LVector2(300.0f, 408.0f)}) {
        ClickCell(1, 1);
        GMPuzzleHarness::Click(edge);
        EXPECT_EQ(-1, mPuzzle->GetSelectedRow()) << edge.x << "," << edge.y;
    }
    // A cell without a grid key (row 1, column 9) changes nothing.
    ClickCell(1, 2);
    ClickCell(1, 9);
    EXPECT_EQ(2, mPuzzle->GetSelectedColumn());
    EXPECT_TRUE(mPuzzle->GetHighlight()->GetVisible());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CrossWordTest, TheSelectedCellClickedAgainTurnsToItsOtherWordOrKeepsItsDirection)
{
    ASSERT_TRUE(Open());
    // Row 3, column 5 lies in an across word and in down word 2.
    ClickCell(3, 5);
    ASSERT_EQ(GMCrossWordPuzzle::ACROSS, mPuzzle->GetDirection());
    ClickCell(3, 5);
    EXPECT_EQ(GMCrossWordPuzzle::DOWN, mPuzzle->GetDirection());
    EXPECT_EQ(7.0f, mPuzzle->GetHighlight()->GetScale().y);
    ClickCell(3, 5);
    EXPECT_EQ(GMCrossWordPuzzle::ACROSS, mPuzzle->GetDirection());
    // Row 1, column 2 has no down word: the direction stays.
    ClickCell(1, 2);
    ClickCell(1, 2);
    EXPECT_EQ(GMCrossWordPuzzle::ACROSS, mPuzzle->GetDirection());
    EXPECT_TRUE(mPuzzle->GetHighlight()->GetVisible());
    // Down, a cell with no down word hides the marks and selects nothing.
    ClickCell(3, 5);
    ClickCell(3, 5);
    ASSERT_EQ(GMCrossWordPuzzle::DOWN, mPuzzle->GetDirection());
    ClickCell(1, 2);
    EXPECT_FALSE(mPuzzle->GetHighlight()->GetVisible());
    EXPECT_FALSE(mPuzzle->GetCaret()->GetVisible());
    EXPECT_EQ(-1, mPuzzle->GetSelectedRow());
}

// --- Typing --------------------------------------------------------------------------

TEST_F(CrossWordTest, LettersGoInUpperCaseTheCaretMovesOnAndBackspaceStepsBack)
{
    ASSERT_TRUE(Open());
    ClickCell(1, 1);
    TypeText("e");
    EXPECT_EQ("E", Typed(1, 1));
    EXPECT_EQ(2, mPuzzle->GetSelectedColumn());
    EXPECT_EQ(mPuzzle->GetTypedCell(1, 2)->GetWorldPosition().x - 3.0f, mPuzzle->GetCaret()->GetWorldPosition().x);
    TypeText("1 ");
    EXPECT_EQ("1", Typed(1, 2));
    EXPECT_EQ(" ", Typed(1, 3));
    EXPECT_EQ(4, mPuzzle->GetSelectedColumn());
    GMPuzzleHarness::Type(kComma); // no letter: nothing
    EXPECT_EQ("", Typed(1, 4));
    EXPECT_EQ(4, mPuzzle->GetSelectedColumn());
    GMPuzzleHarness::Type(kBackspace);
    EXPECT_EQ("", Typed(1, 4));
    EXPECT_EQ(3, mPuzzle->GetSelectedColumn());
    GMPuzzleHarness::Type(kBackspace);
    EXPECT_EQ("", Typed(1, 3));
    EXPECT_EQ(2, mPuzzle->GetSelectedColumn());
    // The last letter keeps the caret on the last cell.
    ClickCell(1, 8);
    TypeText("x");
    EXPECT_EQ(8, mPuzzle->GetSelectedColumn());
    EXPECT_TRUE(mPuzzle->GetCaret()->GetVisible());
}

TEST_F(CrossWordTest, AWordTypedRightInAnyCaseIsSolvedAndShowsFilledAtTheNextShowing)
{
    ASSERT_TRUE(Open());
    ClickCell(1, 1);
    TypeText("EviDEnce", false);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_crossword_across_1"));
    for (int c = 1; c <= 8; ++c) {
        EXPECT_TRUE(SolvedShown(1, c)) << c;
        EXPECT_FALSE(mPuzzle->GetTypedCell(1, c)->GetVisible()) << c;
    }
    EXPECT_FALSE(mPuzzle->GetHighlight()->GetVisible());
    EXPECT_FALSE(mPuzzle->GetCaret()->GetVisible());
    // A solved cell selects nothing.
    ClickCell(1, 3);
    EXPECT_EQ(-1, mPuzzle->GetSelectedRow());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    EXPECT_TRUE(SolvedShown(1, 1));
    EXPECT_EQ("E", ToStd(mPuzzle->GetSolvedCell(1, 1)->GetText()));
    EXPECT_EQ(8, mPuzzle->CountSolved());
}

TEST_F(CrossWordTest, TheSkillDecidesTheWordsFilledInAtStartWithoutEvents)
{
    std::string entries = Read(kEntries);
    // Across word 2 becomes "standard".
    const size_t second = entries.find("\t2\n");
    const size_t level = entries.find("level=novice", second);
    entries.replace(level, 12, "level=standard");
    mHarness.Roots().Write(kEntries, entries);
    struct Case
    {
        int mSkill;
        bool mStandard;
        bool mNovice;
    } cases[] = {{GMOptions::SKILL_HARD, false, false}, {GMOptions::SKILL_MEDIUM, true, false}, {GMOptions::SKILL_EASY, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mSkill);
        GMOptions::GetInstance()->SetSkill(c.mSkill);
        ASSERT_TRUE(Open());
        EXPECT_EQ(c.mStandard, SolvedShown(1, 10)); // across 2 starts at row 1, column 10
        EXPECT_EQ(c.mNovice, SolvedShown(2, 1));
        EXPECT_FALSE(SolvedShown(1, 1)); // EVIDENCE has no level
        EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_crossword_across_2"));
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
}

// --- Solving -------------------------------------------------------------------------

TEST_F(CrossWordTest, TheLastCellSolvesOnceAndTheCirclesAndTheFoldFollowTheirTimes)
{
    RaiseAllButEvidence();
    for (int n = 1; n <= 3; ++n) {
        LEventManager::Get()->AddEvent(LString("evt_crossword_down_") + n, false);
    }
    ASSERT_TRUE(Open());
    ASSERT_EQ(GMCrossWordPuzzle::LETTER_CELLS - 8, mPuzzle->CountSolved());
    ClickCell(1, 1);
    TypeText("EVIDENC");
    EXPECT_EQ(GMCrossWordPuzzle::LETTER_CELLS - 8, mPuzzle->CountSolved());
    EXPECT_FALSE(mPuzzle->IsSolved());
    LFakeSoundManager::sMade.clear();
    TypeText("E");
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_crosswordpuzzle_solved"));
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("solvedAudio")));
    const double start = LFakeTimer::sNow;
    LFakeTimer::FrameAt(start + 1.2);
    EXPECT_FALSE(mPuzzle->GetCircle(3)->GetVisible());
    LFakeTimer::FrameAt(start + 1.21);
    EXPECT_TRUE(mPuzzle->GetCircle(3)->GetVisible());
    LFakeTimer::FrameAt(start + 2.41);
    EXPECT_FALSE(mPuzzle->GetCircle(1)->GetVisible());
    LFakeTimer::FrameAt(start + 2.42);
    EXPECT_TRUE(mPuzzle->GetCircle(1)->GetVisible());
    LFakeTimer::FrameAt(start + 3.83);
    EXPECT_TRUE(mPuzzle->GetCircle(4)->GetVisible());
    LFakeTimer::FrameAt(start + 4.84);
    EXPECT_TRUE(mPuzzle->GetCircle(2)->GetVisible());
    LFakeTimer::FrameAt(start + 8.0);
    EXPECT_FALSE(mPuzzle->GetFold()->GetVisible()); // the voice still plays
    LFakeSoundPlayer::Find(LString("solvedAudio"))->MarkEnded();
    LFakeTimer::FrameAt(start + 8.1);
    const double ended = LFakeTimer::sNow;
    LFakeTimer::FrameAt(ended + 1.0);
    EXPECT_FALSE(mPuzzle->GetFold()->GetVisible());
    LFakeTimer::FrameAt(ended + 1.01);
    EXPECT_TRUE(mPuzzle->GetFold()->GetVisible());
    // The screen stays until the back button.
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), GMScreenManager::GetInstance()->GetTop());
    EXPECT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CrossWordTest, WithoutTheVoiceTheFoldFollowsCircleTwo)
{
    LFakeSoundManager::sRefuseUnfound = true;
    RaiseAllButEvidence();
    for (int n = 1; n <= 3; ++n) {
        LEventManager::Get()->AddEvent(LString("evt_crossword_down_") + n, false);
    }
    ASSERT_TRUE(Open());
    ClickCell(1, 1);
    TypeText("EVIDENCE");
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(mPuzzle->IsAudioDone());
    const double start = LFakeTimer::sNow;
    LFakeTimer::FrameAt(start + 1.21);
    EXPECT_TRUE(mPuzzle->GetCircle(3)->GetVisible());
    LFakeTimer::FrameAt(start + 2.42);
    LFakeTimer::FrameAt(start + 3.83);
    LFakeTimer::FrameAt(start + 4.84);
    EXPECT_TRUE(mPuzzle->GetCircle(2)->GetVisible());
    EXPECT_FALSE(mPuzzle->GetFold()->GetVisible());
    LFakeTimer::FrameAt(start + 4.85);
    EXPECT_TRUE(mPuzzle->GetFold()->GetVisible());
    LFakeSoundManager::sRefuseUnfound = false;
}

// --- Broken files --------------------------------------------------------------------

TEST_F(CrossWordTest, DataOutsideTheGridIsLoggedAndLeftOutAndTheRestBuilds)
{
    std::string grid = Read(kGrid) + "16_1=1|0\n0_3=1|0\n3_99=1|0\n";
    mHarness.Roots().Write(kGrid, grid);
    std::string entries = Read(kEntries);
    entries.replace(entries.find("across\n"), 7,
                    "across\n\t90\n\t\tanswer=TOOLONG\n\t\tcolumn=12\n\t\trow=2\n\t\twidth=7\n"
                    "\t91\n\t\tanswer=AB\n\t\tcolumn=1\n\t\trow=2\n\t\twidth=3\n"
                    "\t92\n\t\tanswer=ABC\n\t\tcolumn=0\n\t\trow=2\n\t\twidth=3\n");
    mHarness.Roots().Write(kEntries, entries);
    std::string layout = Read("data/textures/puzzles/crossword/crossword_layout.txt");
    const size_t x = layout.find("\t\tx=");
    layout.insert(layout.find('\n', x), "|577|603");
    mHarness.Roots().Write("data/textures/puzzles/crossword/crossword_layout.txt", layout);
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    const std::string problems = mHarness.Log().Problems();
    for (const char* expected : {"16_1", "0_3", "3_99", "across.90", "across.91", "across.92", "g04-coords"}) {
        EXPECT_NE(std::string::npos, problems.find(expected)) << expected;
    }
    EXPECT_EQ(nullptr, mPuzzle->GetTypedCell(1, 16));
    // The rest is built and filled.
    EXPECT_TRUE(SolvedShown(2, 1));
    ClickCell(1, 1);
    TypeText("EVIDENCE");
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_crossword_across_1"));
}

TEST_F(CrossWordTest, ItsStateTurningFalseClosesItOnlyWhenItIsOnTop)
{
    class Cover : public GMIScreen
    {
    public:
        void OnLeave() override {}
        void OnHidden() override {}
        void OnShow() override {}
    } cover;
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    ASSERT_TRUE(screens->PushScreen(&cover));
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    EXPECT_EQ(3, screens->GetCount());
    ASSERT_TRUE(screens->RemoveScreen(&cover));
    GMPuzzleHarness::SetState(kActive, true);
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
    EXPECT_FALSE(mPuzzle->IsShown());
}
