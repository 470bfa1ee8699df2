// A puzzle screen whose loose pieces the player drags with the mouse (the baseball bat, the
// room-service receipt). It keeps the pieces in picking order (GMPickStack), the piece
// being dragged, and the screen's place among the mouse's listeners: it listens from the
// end of the build until the input is released.
//
// The pieces are the root's members and go with it; DeletePieces only forgets them.
#pragma once
#include "Input/LIMouseListener.h"
#include "container/LVector.h"
#include "puzzles/GMFullScreenPuzzle.h"

#include <functional>

class LIDisplayObject;

class GMDragPiecesPuzzle : public GMFullScreenPuzzle, public LIMouseListener
{
public:
    // The pieces in picking order.
    const LVector& GetPieces() const { return mPieces; }
    bool IsMouseListening() const { return mMouseListening; }

protected:
    // aMousePriority is the screen's priority among the mouse's listeners.
    GMDragPiecesPuzzle(const GMPuzzleSetup& aSetup, float aMousePriority);

    void OnBuilt() override;
    void ReleaseInput() override;
    void DeletePieces() override;

    // Makes aPiece a member of the root and the last of the pieces; one the root refuses is
    // an assertion failure and is deleted (false).
    bool AddPiece(LIDisplayObject* aPiece);
    // Picks the piece under the mouse's position (GMPickStack::Pick with aGrab, which is
    // given the position) and makes it the selected one; null when no piece takes the grab
    // (nothing is then selected) or there is no mouse (the selection is kept). aPosition
    // receives the mouse's position.
    LIDisplayObject* PickUnderMouse(const std::function<bool(LIDisplayObject*, const LVector2&)>& aGrab,
                                    LVector2& aPosition);
    LVector mPieces;
    LIDisplayObject* mSelected = nullptr;

private:
    float mMousePriority;
    bool mMouseListening = false;
};
