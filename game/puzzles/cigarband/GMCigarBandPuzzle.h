// The torn cigar bands: pieces lie scattered and the player drags them until the band's
// pieces lie together, each at its offset from the reference piece within 20 pixels a
// side. Solving raises "evt_cigarbands_solved", puts the item "1cn05" in the inventory,
// hides the pieces that are not part of the band and plays the solving voice; the screen
// stays until the back button.
//
// Layout "//textures/puzzles/cigar_bands/puzzle_cigarband_layout.txt": "groups" entries
// from index 2 on are the pieces (GMCigarBandPiece lists; only index 2 to 6 at the easy
// skill level), and "solution" maps piece ids to their "dx|dy" from the first entry,
// the reference piece.
//
// The active state turning false while the puzzle is shown closes it through the screen
// fader; while it is not shown nothing happens.
#pragma once
#include "Input/LIMouseListener.h"
#include "container/LVector.h"
#include "puzzles/GMPuzzle.h"

class GMCigarBandPiece;

class GMCigarBandPuzzle : public GMPuzzle, public LIMouseListener
{
public:
    static constexpr float kTolerance = 20.0f;
    // At the easy skill level the pieces end before this "groups" index.
    static constexpr int kEasyGroupCount = 7;
    static constexpr int kFirstPiece = 2;
    // The pieces hidden on solving, those that exist: "piece6" to "piece19".
    static constexpr int kFirstLoosePiece = 6;
    static constexpr int kLastLoosePiece = 19;

    static GMCigarBandPuzzle* GetInstance();

    GMCigarBandPuzzle();
    ~GMCigarBandPuzzle() override;

    // Input stops (no piece reacts during the fade-out).
    void OnLeave() override;

    // Button 1 picks the piece under the mouse; the second press of a double click picks
    // as any other.
    void OnButtonDown(int aButton) override;
    void OnDoubleClick(int aButton) override { OnButtonDown(aButton); }
    void OnMove(const LVector2& aPosition) override;
    // Any button drops the dragged piece and tests the solution.
    void OnButtonUp(int aButton) override;

    // Whether the pieces lie as "solution" says (pieces not built are skipped; a missing
    // reference piece measures from (-1, -1)). A layout without "solution", or with an
    // offset that is not two numbers, cannot be solved (logged).
    bool TestSolution();

    // The pieces in picking order.
    const LVector& GetPieces() const { return mPieces; }
    GMCigarBandPiece* GetDragged() const { return mDragged; }
    bool IsMouseListening() const { return mMouseListening; }

protected:
    void BuildPieces() override;
    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;
    void OnClosedByState() override;

private:
    void Solve();

    LVector mPieces;
    GMCigarBandPiece* mDragged = nullptr;
    bool mMouseListening = false;
};
