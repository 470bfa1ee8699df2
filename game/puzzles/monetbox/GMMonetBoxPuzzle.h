// The Monet box: a sliding-tile box whose 25 picture tiles (GMMonetBoxPiece) fill the 5 x 5
// field inside a 7 x 7 board. The board's border is closed but for one free slot in the
// middle of each side; the player drags a tile along its row or column into free cells.
// With the 25 tiles in order the puzzle hands over to the cut scene, which moves the game
// upstairs in the apartment. The arrangement outlives the screen through the string state
// "sta_monetpuzzle_positions", written by the back button: 49 numbers, row by row, each
// followed by "|".
//
// Board cells: kClosed (a border cell), kFree, or the number of the tile standing there
// (its index in the layout's list). Tile n starts at row 1 + n / 5, column 1 + n % 5, then
// the saved arrangement replaces the board, or kShuffleSwaps swaps inside the field
// shuffle it.
//
// Layout "//dataroot/textures/puzzles/monetbox/monet_layout.txt" (texture root
// "//textures/puzzles/monetbox"): kColumnsKey and kRowsKey (7 pixel positions each),
// "groups.g01-background", the tiles under kHardPiecesKey at the hard skill level and
// kEasyPiecesKey below (GMMonetBoxPiece lists, in board order; at most kMaxTiles), and
// "groups.g02-backbutton". The root is a group of its own, "monetboxpuzzle_layout".
//
// The voice "puzzleVO" plays at every showing.
#pragma once
#include "LVector2.h"
#include "container/LVector.h"
#include "puzzles/GMFullScreenPuzzle.h"

#include <array>

class GMMonetBoxPiece;

class GMMonetBoxPuzzle : public GMFullScreenPuzzle
{
public:
    static constexpr int kSize = 7;
    static constexpr int kFieldSize = 5;
    static constexpr int kMaxTiles = kFieldSize * kFieldSize;
    static constexpr int kCells = kSize * kSize;
    static constexpr int kClosed = 999;
    static constexpr int kFree = -1;
    static constexpr int kShuffleSwaps = 1000;
    static constexpr const char* kColumnsKey = "groups.g05-gridcoords.columns";
    static constexpr const char* kRowsKey = "groups.g05-gridcoords.rows";
    static constexpr const char* kHardPiecesKey = "groups.g03-pieces";
    static constexpr const char* kEasyPiecesKey = "groups.g04-easypieces";
    static constexpr const char* kPositionsState = "sta_monetpuzzle_positions";
    static constexpr const char* kVoiceName = "puzzleVO";
    static constexpr const char* kEasyVoice = "hi10_rg";
    static constexpr const char* kVoice = "2ls16_rg";
    static constexpr const char* kTargetScene = "case02/lisa_apt_upstairs";
    static constexpr const char* kTargetViewpoint = "vp_stairs_bedroom";
    static constexpr const char* kOpenedState = "sta_2ls16c_visible";
    static constexpr const char* kMovie = "LisaApt_Monet_Box.bik";

    // board[row][column].
    using Board = std::array<std::array<int, kSize>, kSize>;

    static GMMonetBoxPuzzle* GetInstance();

    // Seeds the random generator from the time.
    GMMonetBoxPuzzle();
    ~GMMonetBoxPuzzle() override;

    // Whether a cell belongs to the closed border (not a side slot).
    static bool IsBorder(int aRow, int aColumn);
    // The board with the border closed, the side slots and the field free.
    static Board EmptyBoard();
    // The saved arrangement aText for aTileCount tiles into aOut, each number logged. Only
    // a board of exactly 49 whole numbers (a last "|" allowed) with kClosed on exactly the
    // closed border cells, and on every other cell kFree or a tile below aTileCount, each
    // tile exactly once, is taken; otherwise false (logged) and aOut is untouched.
    static bool ReadBoard(const LString& aText, int aTileCount, Board& aOut);
    // The board as it is saved: each number followed by "|", row by row.
    static LString WriteBoard(const Board& aBoard);
    // kShuffleSwaps swaps of two field cells, each chosen by four draws (c1, r1, c2, r2),
    // each the generator's number modulo 5, plus 1.
    static void Shuffle(Board& aBoard);

    void OnShow() override;
    // The back button saves the arrangement before the common pop.
    void OnButton(const LString& aId, int aEvent) override;

    // Called by the tiles: a press (the free neighbours, every other tile locked), the
    // axis chosen (the limits along it), a drag step (the group to aWorld) and the drop
    // (on the nearest free cell or its own, every tile unlocked, then the check).
    void OnPiecePressed(GMMonetBoxPiece* aPiece);
    void SetPieceLimits(GMMonetBoxPiece* aPiece, bool aVertical);
    void MovePiece(GMMonetBoxPiece* aPiece, const LVector2& aWorld);
    void OnPieceDropped(GMMonetBoxPiece* aPiece);
    // Whether the field holds the tiles 0 to 24 in order; when it does, every tile is
    // locked and the cut scene is handed the target.
    bool CheckSolved();

    const Board& GetBoard() const { return mBoard; }
    int GetPieceCount() const { return mPieces.GetCount(); }
    GMMonetBoxPiece* GetPiece(int aIndex) const;
    float GetColumnX(int aColumn) const { return mColumnX[aColumn]; }
    float GetRowY(int aRow) const { return mRowY[aRow]; }
    // The world position of a cell (the root's offset added).
    LVector2 CellPosition(int aRow, int aColumn) const;

protected:
    void BuildPieces() override;
    void DeletePieces() override;

private:
    void BuildTiles();
    void ReadGrid();
    void PlaceTiles();
    void LockAll(bool aLocked);
    int NumberOf(const GMMonetBoxPiece* aPiece) const;

    LVector mPieces;
    Board mBoard {};
    std::array<float, kSize> mColumnX {};
    std::array<float, kSize> mRowY {};
};
