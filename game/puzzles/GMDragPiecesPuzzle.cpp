#include "puzzles/GMDragPiecesPuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "puzzles/GMPickStack.h"
#include "stdlib/LLog.h"

GMDragPiecesPuzzle::GMDragPiecesPuzzle(const GMPuzzleSetup& aSetup, float aMousePriority)
    : GMFullScreenPuzzle(aSetup), mMousePriority(aMousePriority)
{
}

void GMDragPiecesPuzzle::OnBuilt()
{
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, mMousePriority);
    if (!mMouseListening) {
        L_ASSERT_FAILURE(LString());
    }
}

void GMDragPiecesPuzzle::ReleaseInput()
{
    mSelected = nullptr;
    if (mMouseListening) {
        mMouseListening = false;
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

void GMDragPiecesPuzzle::DeletePieces()
{
    mSelected = nullptr;
    mPieces.RemoveAll();
}

bool GMDragPiecesPuzzle::AddPiece(LIDisplayObject* aPiece)
{
    if (!GetRoot()->AddMember(aPiece, true)) {
        L_ASSERT_FAILURE(LString());
        delete aPiece;
        return false;
    }
    mPieces.Append(aPiece);
    return true;
}

LIDisplayObject* GMDragPiecesPuzzle::PickUnderMouse(
    const std::function<bool(LIDisplayObject*, const LVector2&)>& aGrab, LVector2& aPosition)
{
    LMouse* mouse = LMouse::Get();
    if (mouse == nullptr) {
        return nullptr;
    }
    mouse->GetPosition(aPosition);
    const LVector2 position = aPosition;
    mSelected = GMPickStack::Pick(mPieces, [&aGrab, &position](LIDisplayObject* aPiece) {
        return aGrab(aPiece, position);
    });
    return mSelected;
}
