// The torn room-service receipt: its pieces (GMRoomServicePiece) lie scattered, above the
// easy skill level each turned at random; the left button drags a piece and any other
// button turns it about its own position. The receipt is put together when every piece's
// anchor lies at its own distance from the first piece's anchor and every piece is turned
// like the first, each within 20 (pixels, degrees). Solving raises
// "evt_roomservice_solved", stops the scene's audio, empties the screen stack, loads the
// hotel room at the dead body, takes the puzzle down, shows the new location and sets the
// close-up's state "sta_cu_2st07_visible".
//
// Layout "//dataroot/textures/puzzles/roomservice_receipt/receipt_layout.txt" (texture
// root "//textures/puzzles/roomservice_receipt"): "groups" entries from index
// kFirstPiece on are the pieces (GMRoomServicePiece lists; the first is the reference).
// The root is a group of its own, "roomservicepuzzle_layout".
#pragma once
#include "LVector2.h"
#include "puzzles/GMDragPiecesPuzzle.h"

class GMRoomServicePiece;

class GMRoomServicePuzzle : public GMDragPiecesPuzzle
{
public:
    static constexpr int kFirstPiece = 2;
    static constexpr float kMousePriority = -5.0f;
    // Start places: y = kStartY + draw % kRangeY, x = kStartX + draw % kRangeX; above easy a
    // turn of draw % kFullTurn degrees first.
    static constexpr int kStartX = 100;
    static constexpr int kStartY = 100;
    static constexpr int kRangeX = 500;
    static constexpr int kRangeY = 300;
    static constexpr int kFullTurn = 360;
    static constexpr const char* kSolvedEvent = "evt_roomservice_solved";
    static constexpr const char* kTargetScene = "case02/hotel_room";
    static constexpr const char* kTargetViewpoint = "vp_dead_body";
    static constexpr const char* kCloseUpState = "sta_cu_2st07_visible";

    static GMRoomServicePuzzle* GetInstance();

    // Seeds the random generator from the time.
    GMRoomServicePuzzle();
    ~GMRoomServicePuzzle() override;

    // A press picks the piece under the mouse (button 1 to drag it, any other to turn it).
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    // The drag or turn ends, the receipt is checked, and the release goes no further.
    void OnButtonUp(int aButton) override;

    // Whether every piece lies placed against the reference; when so, the receipt is
    // solved as above.
    bool CheckSolved();

    GMRoomServicePiece* GetPiece(const char* aId) const;
    GMRoomServicePiece* GetReference() const { return mReference; }
    GMRoomServicePiece* GetSelected() const;
    bool IsTurning() const { return mTurning; }

protected:
    void BuildPieces() override;
    void DeletePieces() override;

private:
    // The pointer's angle about the pivot, in degrees.
    float PointerAngle(const LVector2& aPosition) const;
    void Solve();

    GMRoomServicePiece* mReference = nullptr;
    bool mTurning = false;
    LVector2 mPivot;
    float mStartAngle = 0.0f;
};
