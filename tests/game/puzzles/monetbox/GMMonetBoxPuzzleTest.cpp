// The Monet box on the sample's layout: the shuffle, the tiles' presses, axes, limits and
// drops, the saved arrangement and the boards it refuses, the layout's tile lists, the
// voice at every showing and the solving hand-over.
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "puzzles/monetbox/GMMonetBoxPiece.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using Board = GMMonetBoxPuzzle::Board;

const char* const kActive = "sta_monetboxpuzzle_active";
const char* const kSaved = "sta_monetpuzzle_positions";
const char* const kLayout = "data/textures/puzzles/monetbox/monet_layout.txt";
constexpr float kCell = 64.0f;

Board Ordered(int aTiles = GMMonetBoxPuzzle::kMaxTiles)
{
    Board board = GMMonetBoxPuzzle::EmptyBoard();
    for (int n = 0; n < aTiles; ++n) {
        board[1 + n / 5][1 + n % 5] = n;
    }
    return board;
}

// The ordered field but for the last two tiles, swapped: no drop elsewhere solves it.
Board AlmostOrdered()
{
    Board board = Ordered();
    board[5][4] = 24;
    board[5][5] = 23;
    return board;
}

void Save(const Board& aBoard)
{
    LStateManager::Get()->SetState(LString(kSaved), LString("string"), GMMonetBoxPuzzle::WriteBoard(aBoard), false);
}

std::string SavedText()
{
    LIState* state = LStateManager::Get()->GetState(LString(kSaved));
    if (state == nullptr || state->GetType() != LIState::TYPE_STRING) {
        return "";
    }
    return ToStd(*static_cast<const LString*>(state->GetValue()));
}

int FreeCells(const Board& aBoard)
{
    int count = 0;
    for (const auto& row : aBoard) {
        for (int value : row) {
            count += value == GMMonetBoxPuzzle::kFree ? 1 : 0;
        }
    }
    return count;
}

// A layout of aCount tiles (aNoId lists the entries without "id") over the sample's grid.
std::string TileLayout(int aCount, int aNoId = -1)
{
    std::string text = "groups\n\tg01-background\n\t\tid=bg\n"
                       "\tg02-backbutton\n\t\tid=back_btn\n\t\tposition=690|550\n\t\tstates\n\t\t\tn\n"
                       "\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n\t\t\t\tid=back_btn_n\n"
                       "\t\t\t\ttexture=back_btn.tga\n\t\t\t\ttexturecoords=0|0|95|31\n"
                       "\tg04-easypieces\n";
    for (int n = 0; n < aCount; ++n) {
        text += "\t\tp" + std::to_string(n) + "\n";
        if (n != aNoId) {
            text += "\t\t\tid=t" + std::to_string(n) + "\n";
        }
        text += "\t\t\ttexture=monet_tiles.tga\n\t\t\ttexturecoords=0|0|63|63\n";
    }
    return text + "\tg05-gridcoords\n\t\tcolumns=176|240|304|368|432|496|560\n\t\trows=60|124|188|252|316|380|444\n";
}

class MonetBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMMonetBoxPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LRandom::Seed(7);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    // The middle of the cell (row, column) on the screen.
    LVector2 Middle(int aRow, int aColumn) const
    {
        return mPuzzle->CellPosition(aRow, aColumn) + LVector2(kCell / 2.0f, kCell / 2.0f);
    }

    GMMonetBoxPiece* At(int aRow, int aColumn) const
    {
        return mPuzzle->GetPiece(mPuzzle->GetBoard()[aRow][aColumn]);
    }

    static void Press(const LVector2& aAt)
    {
        LFakeTimer::sNow += 1.0;
        GMPuzzleHarness::MoveTo(aAt);
        LMouse::Get()->OnButtonDown(1);
    }
    static void Release() { LMouse::Get()->OnButtonUp(1); }

    // Presses at aFrom, moves 4 pixels along aDelta to choose the axis, then by aDelta
    // more, and releases: the tile moves by aDelta as far as its limits allow.
    static void Slide(const LVector2& aFrom, const LVector2& aDelta)
    {
        const float length = std::sqrt(aDelta.x * aDelta.x + aDelta.y * aDelta.y);
        const LVector2 choose(aDelta.x * 4.0f / length, aDelta.y * 4.0f / length);
        Press(aFrom);
        GMPuzzleHarness::MoveTo(aFrom + choose);
        GMPuzzleHarness::MoveTo(aFrom + choose + aDelta);
        Release();
    }

    GMPuzzleHarness mHarness;
    GMMonetBoxPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- The start -----------------------------------------------------------------------

TEST_F(MonetBoxTest, EveryShuffleKeepsTheTilesInTheFieldSoTheSideSlotsAreTheOnlyFreeCells)
{
    for (unsigned int seed : {1u, 2u, 99u, 12345u}) {
        SCOPED_TRACE(seed);
        LRandom::Seed(seed);
        ASSERT_TRUE(Open());
        const Board& board = mPuzzle->GetBoard();
        EXPECT_EQ(4, FreeCells(board));
        for (int row = 0; row < GMMonetBoxPuzzle::kSize; ++row) {
            for (int column = 0; column < GMMonetBoxPuzzle::kSize; ++column) {
                const bool field = row > 0 && row < 6 && column > 0 && column < 6;
                if (field) {
                    ASSERT_GE(board[row][column], 0);
                    GMMonetBoxPiece* piece = At(row, column);
                    ASSERT_NE(nullptr, piece);
                    EXPECT_EQ(row, piece->GetRow());
                    EXPECT_EQ(column, piece->GetColumn());
                    EXPECT_EQ(mPuzzle->CellPosition(row, column), piece->GetGroup()->GetWorldPosition());
                } else if (!GMMonetBoxPuzzle::IsBorder(row, column)) {
                    EXPECT_EQ(GMMonetBoxPuzzle::kFree, board[row][column]);
                }
            }
        }
        ASSERT_TRUE(mHarness.Back(mPuzzle));
        LStateManager::Get()->RemoveAllStates();
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(MonetBoxTest, TheRootHoldsTheBackgroundAndTwentyFiveTilesWithTheirSprites)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ("monetboxpuzzle_layout", ToStd(mPuzzle->GetRoot()->GetId()));
    EXPECT_NE(nullptr, GMPuzzleHarness::Member(mPuzzle, "monetbox_background"));
    ASSERT_EQ(25, mPuzzle->GetPieceCount());
    // The medium skill level takes the easy list.
    EXPECT_EQ("easytile00", ToStd(mPuzzle->GetPiece(0)->GetGroup()->GetId()));
    EXPECT_NE(nullptr, mPuzzle->GetPiece(24)->GetSprite());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_HARD);
    ASSERT_TRUE(Open());
    EXPECT_EQ("tile00", ToStd(mPuzzle->GetPiece(0)->GetGroup()->GetId()));
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Pressing and dragging -----------------------------------------------------------

TEST_F(MonetBoxTest, ATileWithNoFreeNeighbourDoesNotMoveButItsPressLocksTheOthersUntilTheRelease)
{
    Save(AlmostOrdered());
    ASSERT_TRUE(Open());
    GMMonetBoxPiece* inner = At(2, 2);
    ASSERT_NE(nullptr, inner);
    Press(Middle(2, 2));
    EXPECT_TRUE(inner->IsPressed());
    for (int i = 0; i < mPuzzle->GetPieceCount(); ++i) {
        EXPECT_EQ(mPuzzle->GetPiece(i) != inner, mPuzzle->GetPiece(i)->IsLocked()) << i;
    }
    for (const LVector2& to : {Middle(2, 2) + LVector2(0.0f, -40.0f), Middle(2, 2) + LVector2(40.0f, 0.0f)}) {
        GMPuzzleHarness::MoveTo(to);
    }
    EXPECT_FALSE(inner->IsAxisChosen());
    Release();
    EXPECT_EQ(mPuzzle->CellPosition(2, 2), inner->GetGroup()->GetWorldPosition());
    EXPECT_TRUE(AlmostOrdered() == mPuzzle->GetBoard());
    for (int i = 0; i < mPuzzle->GetPieceCount(); ++i) {
        EXPECT_FALSE(mPuzzle->GetPiece(i)->IsLocked()) << i;
    }
}

TEST_F(MonetBoxTest, MovingExactlyThreePixelsChoosesNoAxisAndMoreChoosesTheOneTowardTheFreeCell)
{
    Save(AlmostOrdered());
    ASSERT_TRUE(Open());
    GMMonetBoxPiece* piece = At(1, 3);
    const LVector2 start = Middle(1, 3);
    Press(start);
    GMPuzzleHarness::MoveTo(start + LVector2(0.0f, -3.0f));
    EXPECT_FALSE(piece->IsAxisChosen());
    // Sideways there is no free cell: no axis however far.
    GMPuzzleHarness::MoveTo(start + LVector2(-10.0f, 0.0f));
    EXPECT_FALSE(piece->IsAxisChosen());
    // The last position stayed at the press: 3.5 pixels up counts.
    GMPuzzleHarness::MoveTo(start + LVector2(0.0f, -3.5f));
    ASSERT_TRUE(piece->IsAxisChosen());
    EXPECT_TRUE(piece->IsVertical());
    // Up to the side slot, down no further than its own row.
    EXPECT_FLOAT_EQ(mPuzzle->CellPosition(0, 3).y, piece->GetLowLimit());
    EXPECT_FLOAT_EQ(mPuzzle->CellPosition(1, 3).y, piece->GetHighLimit());
    // The choosing move does not move the tile; further moves do, capped at the limit.
    EXPECT_EQ(mPuzzle->CellPosition(1, 3), piece->GetGroup()->GetWorldPosition());
    GMPuzzleHarness::MoveTo(start + LVector2(5.0f, -13.5f));
    EXPECT_EQ(mPuzzle->CellPosition(1, 3) + LVector2(0.0f, -10.0f), piece->GetGroup()->GetWorldPosition());
    GMPuzzleHarness::MoveTo(start + LVector2(0.0f, -200.0f));
    EXPECT_EQ(mPuzzle->CellPosition(0, 3), piece->GetGroup()->GetWorldPosition());
    // Back down: the tile follows only once the pointer is below the grab point again.
    GMPuzzleHarness::MoveTo(start + LVector2(0.0f, -150.0f));
    EXPECT_EQ(mPuzzle->CellPosition(0, 3), piece->GetGroup()->GetWorldPosition());
    Release();
}

TEST_F(MonetBoxTest, ATileReleasedHalfWaySnapsToTheNearestFreeCellOnItsLineOrBackToItsOwn)
{
    Save(AlmostOrdered());
    ASSERT_TRUE(Open());
    GMMonetBoxPiece* top = At(1, 3);
    // 20 pixels up: nearer its own cell.
    Slide(Middle(1, 3), LVector2(0.0f, -20.0f));
    EXPECT_EQ(mPuzzle->CellPosition(1, 3), top->GetGroup()->GetWorldPosition());
    EXPECT_EQ(2, mPuzzle->GetBoard()[1][3]);
    // 40 pixels up: nearer the side slot.
    Slide(Middle(1, 3), LVector2(0.0f, -40.0f));
    EXPECT_EQ(mPuzzle->CellPosition(0, 3), top->GetGroup()->GetWorldPosition());
    EXPECT_EQ(2, mPuzzle->GetBoard()[0][3]);
    EXPECT_EQ(GMMonetBoxPuzzle::kFree, mPuzzle->GetBoard()[1][3]);
    EXPECT_EQ(0, top->GetRow());

    // Along a row: tile 10 at (3, 1) into the left slot; then tile 7 at (2, 3) pushed up
    // by 60 into the cell tile 2 left, as far as it goes.
    Slide(Middle(3, 1), LVector2(-50.0f, 0.0f));
    EXPECT_EQ(10, mPuzzle->GetBoard()[3][0]);
    GMMonetBoxPiece* seven = At(2, 3);
    Slide(Middle(2, 3), LVector2(0.0f, -90.0f));
    EXPECT_EQ(7, mPuzzle->GetBoard()[1][3]);
    EXPECT_EQ(mPuzzle->CellPosition(1, 3), seven->GetGroup()->GetWorldPosition());
    EXPECT_EQ(GMMonetBoxPuzzle::kFree, mPuzzle->GetBoard()[2][3]);
    EXPECT_EQ(4, FreeCells(mPuzzle->GetBoard()));
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Leaving and coming back ---------------------------------------------------------

TEST_F(MonetBoxTest, TheBackButtonSavesTheArrangementWhichTheNextShowingRestoresExactly)
{
    ASSERT_TRUE(Open());
    const Board shuffled = mPuzzle->GetBoard();
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    const std::string text = SavedText();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ('|', text.back());
    EXPECT_EQ(ToStd(GMMonetBoxPuzzle::WriteBoard(shuffled)), text);
    // Another shuffle would differ: the generator moves on.
    LRandom::Seed(31);
    ASSERT_TRUE(Open());
    EXPECT_TRUE(shuffled == mPuzzle->GetBoard());
    for (int n = 0; n < mPuzzle->GetPieceCount(); ++n) {
        GMMonetBoxPiece* piece = mPuzzle->GetPiece(n);
        EXPECT_EQ(n, shuffled[piece->GetRow()][piece->GetColumn()]);
        EXPECT_EQ(mPuzzle->CellPosition(piece->GetRow(), piece->GetColumn()), piece->GetGroup()->GetWorldPosition());
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(MonetBoxTest, LeavingBecauseTheStateTurnedFalseSavesNothing)
{
    ASSERT_TRUE(Open());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(nullptr, LStateManager::Get()->GetState(LString(kSaved)));
}

TEST_F(MonetBoxTest, ASavedBoardThatIsShortDoublesATileOrOpensAWallIsLoggedAndShuffled)
{
    const std::string ordered = ToStd(GMMonetBoxPuzzle::WriteBoard(Ordered()));
    Board wall = Ordered();
    wall[0][0] = GMMonetBoxPuzzle::kFree;
    Board twice = Ordered();
    twice[0][3] = 4;
    Board foreign = Ordered();
    foreign[0][3] = 25;
    const std::string cases[] = {ordered.substr(0, ordered.rfind('|', ordered.size() - 2) + 1), // 48 numbers
                                 ordered + "0|",
                                 ToStd(GMMonetBoxPuzzle::WriteBoard(twice)),
                                 ToStd(GMMonetBoxPuzzle::WriteBoard(wall)),
                                 ToStd(GMMonetBoxPuzzle::WriteBoard(foreign)),
                                 "999|x|" + ordered.substr(8),
                                 ""};
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        Board board = Ordered();
        board[1][1] = 3; // marks that a refused board leaves the output alone
        const Board before = board;
        EXPECT_FALSE(GMMonetBoxPuzzle::ReadBoard(FromStd(text), 25, board));
        EXPECT_TRUE(before == board);
    }
    // Without the last "|" and with fewer tiles the board is still whole.
    Board board {};
    EXPECT_TRUE(GMMonetBoxPuzzle::ReadBoard(FromStd(ordered.substr(0, ordered.size() - 1)), 25, board));
    EXPECT_TRUE(Ordered() == board);
    EXPECT_TRUE(GMMonetBoxPuzzle::ReadBoard(GMMonetBoxPuzzle::WriteBoard(Ordered(7)), 7, board));
    EXPECT_FALSE(GMMonetBoxPuzzle::ReadBoard(GMMonetBoxPuzzle::WriteBoard(Ordered(7)), 8, board));

    // Opened with a board that doubles a tile: the error, and a shuffle of every tile.
    mHarness.Log().Clear();
    LStateManager::Get()->SetState(LString(kSaved), LString("string"), GMMonetBoxPuzzle::WriteBoard(twice), false);
    ASSERT_TRUE(Open());
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("tile 4 twice"));
    EXPECT_EQ(4, FreeCells(mPuzzle->GetBoard()));
    EXPECT_EQ(GMMonetBoxPuzzle::kFree, mPuzzle->GetBoard()[0][3]);
}

// --- The layout's tiles --------------------------------------------------------------

TEST_F(MonetBoxTest, ATileWithoutIdIsSkippedAndTilesBeyondTwentyFiveAreLeftOut)
{
    mHarness.Roots().Write(kLayout, TileLayout(5, 2));
    ASSERT_TRUE(Open());
    ASSERT_EQ(4, mPuzzle->GetPieceCount());
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("tile without id skipped: p2"));
    EXPECT_EQ("t3", ToStd(mPuzzle->GetPiece(2)->GetGroup()->GetId()));
    EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mPuzzle, "t2"));
    // 4 tiles in 29 cells: the rest free.
    EXPECT_EQ(25, FreeCells(mPuzzle->GetBoard()));
    ASSERT_TRUE(mHarness.Back(mPuzzle));

    mHarness.Log().Clear();
    mHarness.Roots().Write(kLayout, TileLayout(27));
    ASSERT_TRUE(Open());
    EXPECT_EQ(25, mPuzzle->GetPieceCount());
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("beyond 25 left out: 2"));
    EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mPuzzle, "t25"));
    EXPECT_EQ(4, FreeCells(mPuzzle->GetBoard()));
}

TEST_F(MonetBoxTest, FewerThanTwentyFiveTilesCannotBeSolved)
{
    mHarness.Roots().Write(kLayout, TileLayout(24));
    Save(Ordered(24));
    ASSERT_TRUE(Open());
    // Tile 23 out to the free last cell and back: the field holds 0 to 23 in order, and
    // its last cell is empty.
    Slide(Middle(5, 4), LVector2(64.0f, 0.0f));
    EXPECT_EQ(23, mPuzzle->GetBoard()[5][5]);
    Slide(Middle(5, 5), LVector2(-64.0f, 0.0f));
    EXPECT_EQ(23, mPuzzle->GetBoard()[5][4]);
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_FALSE(mPuzzle->CheckSolved());
}

// --- The voice -----------------------------------------------------------------------

TEST_F(MonetBoxTest, TheVoicePlaysAtEveryShowingByTheSkillWithoutAMarkingEvent)
{
    for (int skill : {GMOptions::SKILL_EASY, GMOptions::SKILL_MEDIUM, GMOptions::SKILL_HARD}) {
        SCOPED_TRACE(skill);
        GMOptions::GetInstance()->SetSkill(skill);
        const int events = LEventManager::Get()->GetEventCount();
        for (int round = 0; round < 2; ++round) {
            LFakeSoundManager::sMade.clear();
            ASSERT_TRUE(Open());
            ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
            EXPECT_EQ("puzzleVO", ToStd(LFakeSoundManager::sMade[0].mName));
            EXPECT_EQ(skill == GMOptions::SKILL_EASY ? "//sounds/hi10_rg.ogg" : "//sounds/2ls16_rg.ogg",
                      ToStd(LFakeSoundManager::sMade[0].mFileName));
            LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("puzzleVO"));
            ASSERT_NE(nullptr, voice);
            EXPECT_TRUE(voice->mPlaying);
            ASSERT_TRUE(mHarness.Back(mPuzzle));
        }
        EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
    }
}

// --- Solving -------------------------------------------------------------------------

TEST_F(MonetBoxTest, TheOrderedFieldLocksEveryTileAndHandsOverToTheCutScene)
{
    Board board = Ordered();
    board[0][3] = 2;
    board[1][3] = GMMonetBoxPuzzle::kFree;
    Save(board);
    ASSERT_TRUE(Open());
    EXPECT_EQ("", GMPuzzleHarness::CutSceneCalls());
    const int events = LEventManager::Get()->GetEventCount();
    Slide(Middle(0, 3), LVector2(0.0f, 60.0f));
    ASSERT_TRUE(mPuzzle->IsSolved());
    for (int i = 0; i < mPuzzle->GetPieceCount(); ++i) {
        EXPECT_TRUE(mPuzzle->GetPiece(i)->IsLocked()) << i;
    }
    EXPECT_EQ("SetTarget(case02/lisa_apt_upstairs|vp_stairs_bedroom);SetStateChanges(sta_2ls16c_visible|boolean|true);"
              "Play(LisaApt_Monet_Box.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
    // Locked: the tile does not leave again.
    Slide(Middle(1, 3), LVector2(0.0f, -60.0f));
    EXPECT_EQ(2, mPuzzle->GetBoard()[1][3]);
    EXPECT_EQ("", mHarness.Log().Problems());
}
