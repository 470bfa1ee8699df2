// The broken baseball bat: seven fragments (GMBaseballPiece) lie scattered and the left
// button drags them, the one picked last on top. At every release the bat is checked:
// every fragment turned like fragment 1, at its offset from it within 20 pixels a side,
// and none below the fragment it must lie over. Solved: "evt_baseballbatpuzzle_solved",
// the minimised PDA bar shown, the item "3wh02" in the inventory, the mouse let go, and
// the line "3wh02_rg", at whose end the screen closes. Without that line the screen stays
// until the back button.
//
// Layout "//textures/puzzles/baseball_bat/bat_puzzle_layout.txt": "groups.g01-background",
// the fragments under kPiecesKey ("piece1" to "piece7") and "groups.g02-backbutton". The
// root is a group of its own, "baseballbat_layout".
//
// The intro "hi13_rg" ("puzzleVO") plays at the first showing of a game at the easy skill
// level only; the first showing marks it played at any level.
#pragma once
#include "puzzles/GMDragPiecesPuzzle.h"

class GMBaseballPiece;

class GMBaseballBatPuzzle : public GMDragPiecesPuzzle
{
public:
    static constexpr int kPieceCount = 7;
    // Start places: y = kStart + draw % kRangeY, x = kStart + draw % kRangeX.
    static constexpr int kStart = 50;
    static constexpr int kRangeX = 500;
    static constexpr int kRangeY = 400;
    static constexpr const char* kPiecesKey = "groups.g03-pieces";
    static constexpr const char* kVoiceName = "puzzleVO";
    static constexpr const char* kSolvedVoice = "3wh02_rg";
    static constexpr const char* kSolvedEvent = "evt_baseballbatpuzzle_solved";
    static constexpr const char* kItem = "3wh02";

    static GMBaseballBatPuzzle* GetInstance();

    // Seeds the random generator from the time.
    GMBaseballBatPuzzle();
    ~GMBaseballBatPuzzle() override;

    // The mouse goes and the fragments stop answering during the fade-out.
    void OnLeave() override;

    // Button 1 picks the fragment under the mouse.
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    // Any release (even without a drag) ends the drag and checks the bat.
    void OnButtonUp(int aButton) override;

    // Whether the bat is whole; when it is, it is solved as above.
    bool CheckSolved();

    GMBaseballPiece* GetPiece(int aNumber) const;
    GMBaseballPiece* GetSelected() const;

protected:
    void BuildPieces() override;
    // The solved line's real end pops the screen; its absence, told while it is being
    // played, does not.
    void OnVoiceEnded(const LString& aName) override;

private:
    void Solve();

    bool mStartingVoice = false;
};
