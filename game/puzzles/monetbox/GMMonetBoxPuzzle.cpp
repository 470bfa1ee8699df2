#include "puzzles/monetbox/GMMonetBoxPuzzle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "puzzles/monetbox/GMMonetBoxPiece.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "util/GMOptions.h"

#include <cstdlib>

namespace {

GMPuzzleSlot<GMMonetBoxPuzzle> sPuzzle;

// The free slot in the middle of each side, as (row, column).
constexpr int kSideSlots[4][2] = {{0, 3}, {3, 0}, {3, 6}, {6, 3}};

GMPuzzleSetup Setup()
{
    GMPuzzleSetup setup;
    setup.mClassName = "GMMonetBoxPuzzle";
    setup.mActiveState = "sta_monetboxpuzzle_active";
    setup.mLayoutFile = "//dataroot/textures/puzzles/monetbox/monet_layout.txt";
    setup.mTextureRoot = "//textures/puzzles/monetbox";
    setup.mRootGroup = "monetboxpuzzle_layout";
    // The voice plays at every showing, through OnShow; the hiding lets it play on.
    setup.mFadeSubtitleOnHide = false;
    setup.mDeleteSoundOnHide = false;
    return setup;
}

// A whole decimal number (an optional minus sign and 1 to 9 digits, nothing else).
bool ParseWhole(const LString& aText, int& aOut)
{
    const int length = aText.GetLength();
    int at = 0;
    bool negative = false;
    if (length > 0 && aText.At(0) == u'-') {
        negative = true;
        at = 1;
    }
    if (at >= length || length - at > 9) {
        return false;
    }
    int value = 0;
    for (; at < length; ++at) {
        const char16_t c = aText.At(at);
        if (c < u'0' || c > u'9') {
            return false;
        }
        value = value * 10 + static_cast<int>(c - u'0');
    }
    aOut = negative ? -value : value;
    return true;
}

float Axis(const LVector2& aVector, bool aVertical)
{
    return aVertical ? aVector.y : aVector.x;
}

} // namespace

GMMonetBoxPuzzle* GMMonetBoxPuzzle::GetInstance()
{
    return sPuzzle.Get(L_FILE, __LINE__);
}

GMMonetBoxPuzzle::GMMonetBoxPuzzle() : GMFullScreenPuzzle(Setup())
{
    LRandom::SeedFromTime();
    mBoard = EmptyBoard();
}

GMMonetBoxPuzzle::~GMMonetBoxPuzzle()
{
    sPuzzle.Destroyed(this);
    Shutdown();
    DeletePieces();
}

// --- The board -----------------------------------------------------------------------

bool GMMonetBoxPuzzle::IsBorder(int aRow, int aColumn)
{
    if (aRow > 0 && aRow < kSize - 1 && aColumn > 0 && aColumn < kSize - 1) {
        return false;
    }
    for (const auto& slot : kSideSlots) {
        if (slot[0] == aRow && slot[1] == aColumn) {
            return false;
        }
    }
    return true;
}

GMMonetBoxPuzzle::Board GMMonetBoxPuzzle::EmptyBoard()
{
    Board board {};
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            board[row][column] = IsBorder(row, column) ? kClosed : kFree;
        }
    }
    return board;
}

bool GMMonetBoxPuzzle::ReadBoard(const LString& aText, int aTileCount, Board& aOut)
{
    LVectorString parts;
    aText.Split(LString("|"), &parts);
    int count = parts.GetCount();
    // Every number is followed by "|": the text ends with an empty part.
    if (count > 0 && parts[count - 1].IsEmpty()) {
        --count;
    }
    if (count != kCells) {
        L_ERROR("Saved Monet board malformed: " + LString("") + count + " values, not 49.");
        return false;
    }
    Board board {};
    std::array<int, kMaxTiles> seen {};
    for (int i = 0; i < kCells; ++i) {
        const int row = i / kSize;
        const int column = i % kSize;
        int value = 0;
        if (!ParseWhole(parts[i], value)) {
            L_ERROR("Saved Monet board malformed: value " + LString("") + i + " is not a whole number.");
            return false;
        }
        L_NOTE("Saved Monet board value: " + LString("") + value);
        const bool border = IsBorder(row, column);
        const bool tile = value >= 0 && value < aTileCount && value < kMaxTiles;
        if (border != (value == kClosed) || (!border && value != kFree && !tile)) {
            L_ERROR("Saved Monet board malformed: value " + LString("") + value + " at row " + row + ", column " +
                    column + ".");
            return false;
        }
        if (tile && ++seen[value] > 1) {
            L_ERROR("Saved Monet board malformed: tile " + LString("") + value + " twice.");
            return false;
        }
        board[row][column] = value;
    }
    for (int tile = 0; tile < aTileCount && tile < kMaxTiles; ++tile) {
        if (seen[tile] != 1) {
            L_ERROR("Saved Monet board malformed: tile " + LString("") + tile + " missing.");
            return false;
        }
    }
    aOut = board;
    return true;
}

LString GMMonetBoxPuzzle::WriteBoard(const Board& aBoard)
{
    LString text;
    for (const auto& row : aBoard) {
        for (int value : row) {
            text += value;
            text += "|";
        }
    }
    return text;
}

void GMMonetBoxPuzzle::Shuffle(Board& aBoard)
{
    for (int i = 0; i < kShuffleSwaps; ++i) {
        const int c1 = LRandom::Next() % kFieldSize + 1;
        const int r1 = LRandom::Next() % kFieldSize + 1;
        const int c2 = LRandom::Next() % kFieldSize + 1;
        const int r2 = LRandom::Next() % kFieldSize + 1;
        const int kept = aBoard[r1][c1];
        aBoard[r1][c1] = aBoard[r2][c2];
        aBoard[r2][c2] = kept;
    }
}

// --- Building ------------------------------------------------------------------------

void GMMonetBoxPuzzle::BuildPieces()
{
    mBoard = EmptyBoard();
    ReadGrid();
    BuildTiles();
    LStateManager* states = LStateManager::Get();
    LIState* saved = states != nullptr ? states->GetState(LString(kPositionsState)) : nullptr;
    bool restored = false;
    if (saved != nullptr) {
        const auto* text = saved->GetType() == LIState::TYPE_STRING ? static_cast<const LString*>(saved->GetValue())
                                                                      : nullptr;
        restored = text != nullptr && ReadBoard(*text, mPieces.GetCount(), mBoard);
        if (!restored) {
            L_ERROR(LString("Saved Monet board not used; the tiles are shuffled: ") + kPositionsState);
        }
    }
    if (!restored) {
        Shuffle(mBoard);
    }
    PlaceTiles();
}

void GMMonetBoxPuzzle::ReadGrid()
{
    LVectorFloat columns;
    LVectorFloat rows;
    const bool haveColumns = ReadNumbers(nullptr, LString(kColumnsKey), kSize, columns);
    const bool haveRows = ReadNumbers(nullptr, LString(kRowsKey), kSize, rows);
    for (int i = 0; i < kSize; ++i) {
        mColumnX[i] = haveColumns ? columns[i] : 0.0f;
        mRowY[i] = haveRows ? rows[i] : 0.0f;
    }
}

void GMMonetBoxPuzzle::BuildTiles()
{
    GMOptions* options = GMOptions::GetInstance();
    const bool hard = options != nullptr && options->GetSkill() == GMOptions::SKILL_HARD;
    LPropertyList* list = GetLayout() != nullptr ? GetLayout()->GetList(LString(hard ? kHardPiecesKey : kEasyPiecesKey))
                                                 : nullptr;
    if (list == nullptr) {
        L_ERROR(LString("Layout value missing or malformed: ") + (hard ? kHardPiecesKey : kEasyPiecesKey));
        return;
    }
    for (int i = 0; i < list->GetCount(); ++i) {
        const int number = mPieces.GetCount();
        if (number >= kMaxTiles) {
            L_ERROR("Monet box tiles beyond " + LString("") + kMaxTiles + " left out: " + (list->GetCount() - i));
            break;
        }
        LPropertyList* entry = list->GetListAt(i);
        auto* piece = L_NEW GMMonetBoxPiece();
        if (piece == nullptr) {
            L_ASSERT_FAILURE(LString());
            continue;
        }
        if (!piece->Create(entry, this)) {
            L_ERROR("Monet box tile without id skipped: " + list->GetKeyAt(i));
            delete piece;
            continue;
        }
        if (!GetRoot()->AddMember(piece->GetGroup(), true)) {
            L_ASSERT_FAILURE(LString());
            delete piece->GetGroup();
            delete piece;
            continue;
        }
        mPieces.Append(piece);
        mBoard[1 + number / kFieldSize][1 + number % kFieldSize] = number;
    }
}

void GMMonetBoxPuzzle::PlaceTiles()
{
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            const int number = mBoard[row][column];
            if (number >= 0 && number < mPieces.GetCount()) {
                GMMonetBoxPiece* piece = GetPiece(number);
                piece->SetCell(column, row);
                piece->GetGroup()->SetPosition(mColumnX[column], mRowY[row]);
            }
        }
    }
}

void GMMonetBoxPuzzle::DeletePieces()
{
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        delete GetPiece(i);
    }
    mPieces.RemoveAll();
}

GMMonetBoxPiece* GMMonetBoxPuzzle::GetPiece(int aIndex) const
{
    return aIndex >= 0 && aIndex < mPieces.GetCount() ? static_cast<GMMonetBoxPiece*>(mPieces.GetAt(aIndex)) : nullptr;
}

int GMMonetBoxPuzzle::NumberOf(const GMMonetBoxPiece* aPiece) const
{
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        if (mPieces.GetAt(i) == aPiece) {
            return i;
        }
    }
    return -1;
}

LVector2 GMMonetBoxPuzzle::CellPosition(int aRow, int aColumn) const
{
    const LVector2 origin = GetRoot() != nullptr ? GetRoot()->GetWorldPosition() : LVector2();
    return origin + LVector2(mColumnX[aColumn], mRowY[aRow]);
}

// --- Showing and leaving -------------------------------------------------------------

void GMMonetBoxPuzzle::OnShow()
{
    if (ShowWithoutMenu()) {
        PlaySkillVoice(kVoiceName, kEasyVoice, kVoice);
    }
}

void GMMonetBoxPuzzle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent == XBTNEVENT_CLICKED && aId.EqualsNoCase(LString(kBackButtonId)) && IsTopScreen()) {
        auto* state = L_NEW LIState();
        const LString text = WriteBoard(mBoard);
        LStateManager* states = LStateManager::Get();
        if (state == nullptr || states == nullptr || !state->Set(LString(kPositionsState), LIState::TYPE_STRING, &text) ||
            !states->AddState(state, false, true)) {
            L_ERROR(LString("Monet board not saved: ") + kPositionsState);
            delete state;
        }
    }
    GMPuzzle::OnButton(aId, aEvent);
}

// --- The tiles -----------------------------------------------------------------------

void GMMonetBoxPuzzle::LockAll(bool aLocked)
{
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        GetPiece(i)->SetLocked(aLocked);
    }
}

void GMMonetBoxPuzzle::OnPiecePressed(GMMonetBoxPiece* aPiece)
{
    const int row = aPiece->GetRow();
    const int column = aPiece->GetColumn();
    aPiece->SetFree(row > 0 && mBoard[row - 1][column] == kFree, row < kSize - 1 && mBoard[row + 1][column] == kFree,
                    column > 0 && mBoard[row][column - 1] == kFree,
                    column < kSize - 1 && mBoard[row][column + 1] == kFree);
    for (int i = 0; i < mPieces.GetCount(); ++i) {
        if (GetPiece(i) != aPiece) {
            GetPiece(i)->SetLocked(true);
        }
    }
}

void GMMonetBoxPuzzle::SetPieceLimits(GMMonetBoxPiece* aPiece, bool aVertical)
{
    const int row = aPiece->GetRow();
    const int column = aPiece->GetColumn();
    const int dRow = aVertical ? 1 : 0;
    const int dColumn = aVertical ? 0 : 1;
    // The farthest free cell reached from the tile's own cell going back, then forward.
    int low = 0;
    while (true) {
        const int r = row - dRow * (low + 1);
        const int c = column - dColumn * (low + 1);
        if (r < 0 || c < 0 || mBoard[r][c] != kFree) {
            break;
        }
        ++low;
    }
    int high = 0;
    while (true) {
        const int r = row + dRow * (high + 1);
        const int c = column + dColumn * (high + 1);
        if (r >= kSize || c >= kSize || mBoard[r][c] != kFree) {
            break;
        }
        ++high;
    }
    const LVector2 lowCell = CellPosition(row - dRow * low, column - dColumn * low);
    const LVector2 highCell = CellPosition(row + dRow * high, column + dColumn * high);
    aPiece->SetLimits(Axis(lowCell, aVertical), Axis(highCell, aVertical));
}

void GMMonetBoxPuzzle::MovePiece(GMMonetBoxPiece* aPiece, const LVector2& aWorld)
{
    const LVector2 origin = GetRoot() != nullptr ? GetRoot()->GetWorldPosition() : LVector2();
    aPiece->GetGroup()->SetPosition(aWorld - origin);
}

void GMMonetBoxPuzzle::OnPieceDropped(GMMonetBoxPiece* aPiece)
{
    const int number = NumberOf(aPiece);
    if (number < 0) {
        return;
    }
    const LVector2 world = aPiece->GetGroup()->GetWorldPosition();
    const int x = static_cast<int>(world.x);
    const int y = static_cast<int>(world.y);
    int bestRow = aPiece->GetRow();
    int bestColumn = aPiece->GetColumn();
    auto distances = [&](int aRow, int aColumn, int& aDx, int& aDy) {
        const LVector2 cell = CellPosition(aRow, aColumn);
        aDx = std::abs(x - static_cast<int>(cell.x));
        aDy = std::abs(y - static_cast<int>(cell.y));
    };
    int bestDx = 0;
    int bestDy = 0;
    distances(bestRow, bestColumn, bestDx, bestDy);
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            if (mBoard[row][column] != kFree && mBoard[row][column] != number) {
                continue;
            }
            int dx = 0;
            int dy = 0;
            distances(row, column, dx, dy);
            if (dx <= bestDx && dy <= bestDy) {
                bestRow = row;
                bestColumn = column;
                bestDx = dx;
                bestDy = dy;
            }
        }
    }
    mBoard[aPiece->GetRow()][aPiece->GetColumn()] = kFree;
    mBoard[bestRow][bestColumn] = number;
    aPiece->SetCell(bestColumn, bestRow);
    aPiece->GetGroup()->SetPosition(mColumnX[bestColumn], mRowY[bestRow]);
    LockAll(false);
    CheckSolved();
}

bool GMMonetBoxPuzzle::CheckSolved()
{
    for (int n = 0; n < kMaxTiles; ++n) {
        if (mBoard[1 + n / kFieldSize][1 + n % kFieldSize] != n) {
            return false;
        }
    }
    mSolved = true;
    LockAll(true);
    LVectorString changes;
    changes.Append(LString(kOpenedState));
    changes.Append(LString("boolean"));
    changes.Append(LString("true"));
    HandOver(LString(kTargetScene), LString(kTargetViewpoint), changes, LString(kMovie));
    return true;
}
