// Reads the input as the Monet box's saved arrangement: the first byte gives the number of
// tiles (0 to 25), the rest is the saved text. A board that is taken has the closed border
// where it belongs and every tile exactly once on the other cells; one that is refused
// leaves the board as it was, which the shuffle then keeps valid. A board taken is written
// back to the same text, read again to the same board.
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"
#include "stdlib/LRandom.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using Board = GMMonetBoxPuzzle::Board;

// Whether aBoard is one the puzzle can play: the border closed, the other cells free or
// holding one of the aTiles tiles, each exactly once.
bool Valid(const Board& aBoard, int aTiles)
{
    int seen[GMMonetBoxPuzzle::kMaxTiles] = {};
    for (int row = 0; row < GMMonetBoxPuzzle::kSize; ++row) {
        for (int column = 0; column < GMMonetBoxPuzzle::kSize; ++column) {
            const int value = aBoard[row][column];
            if (GMMonetBoxPuzzle::IsBorder(row, column)) {
                if (value != GMMonetBoxPuzzle::kClosed) {
                    return false;
                }
            } else if (value != GMMonetBoxPuzzle::kFree) {
                if (value < 0 || value >= aTiles || ++seen[value] > 1) {
                    return false;
                }
            }
        }
    }
    for (int tile = 0; tile < aTiles; ++tile) {
        if (seen[tile] != 1) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 12)) {
        return 0;
    }
    const int tiles = aData[0] % (GMMonetBoxPuzzle::kMaxTiles + 1);
    const std::string text(reinterpret_cast<const char*>(aData) + 1, aSize - 1);
    const LString saved(text.c_str());

    // The board as the build makes it before the saved text is read.
    Board board = GMMonetBoxPuzzle::EmptyBoard();
    for (int n = 0; n < tiles; ++n) {
        board[1 + n / GMMonetBoxPuzzle::kFieldSize][1 + n % GMMonetBoxPuzzle::kFieldSize] = n;
    }
    const Board built = board;
    if (GMMonetBoxPuzzle::ReadBoard(saved, tiles, board)) {
        if (!Valid(board, tiles)) {
            __builtin_trap(); // a board taken that the puzzle cannot play
        }
        Board again = GMMonetBoxPuzzle::EmptyBoard();
        if (!GMMonetBoxPuzzle::ReadBoard(GMMonetBoxPuzzle::WriteBoard(board), tiles, again) || again != board) {
            __builtin_trap(); // a board that does not survive its own saving
        }
        return 0;
    }
    if (board != built) {
        __builtin_trap(); // a refused board that changed the board
    }
    LRandom::Seed(static_cast<unsigned int>(aSize));
    GMMonetBoxPuzzle::Shuffle(board);
    if (!Valid(board, tiles)) {
        __builtin_trap();
    }
    return 0;
}
