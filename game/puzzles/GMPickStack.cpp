#include "puzzles/GMPickStack.h"

#include "Gdi/LIDisplayObject.h"
#include "container/LVector.h"

LIDisplayObject* GMPickStack::Pick(LVector& aPieces, const std::function<bool(LIDisplayObject*)>& aGrab)
{
    float highest = kLowestZ;
    int picked = -1;
    for (int i = 0; i < aPieces.GetCount(); ++i) {
        auto* piece = static_cast<LIDisplayObject*>(aPieces.GetAt(i));
        if (piece == nullptr) {
            continue;
        }
        if (piece->GetRelativeZ() > highest) {
            highest = piece->GetRelativeZ();
        }
        if (picked < 0 && aGrab(piece)) {
            picked = i;
        }
    }
    if (picked < 0) {
        return nullptr;
    }
    void* chosen = nullptr;
    aPieces.RemoveAt(picked, &chosen);
    aPieces.InsertAt(0, chosen);
    auto* piece = static_cast<LIDisplayObject*>(chosen);
    piece->SetRelativeZ(highest + kStep);
    if (highest > kCeiling) {
        for (int i = 0; i < aPieces.GetCount(); ++i) {
            auto* other = static_cast<LIDisplayObject*>(aPieces.GetAt(i));
            if (other != nullptr && other->GetRelativeZ() > kDropAbove) {
                other->SetRelativeZ(other->GetRelativeZ() - kDrop);
            }
        }
    }
    return piece;
}

bool GMPickStack::MoveWithin(LIDisplayObject* aPiece, const LVector2& aTarget, float aWidth, float aHeight)
{
    if (aPiece == nullptr) {
        return false;
    }
    const bool takeX = aTarget.x > 0.0f && aTarget.x + aWidth < kScreenWidth;
    const bool takeY = aTarget.y > 0.0f && aTarget.y + aHeight < kScreenHeight;
    if (!takeX && !takeY) {
        return false;
    }
    const LVector2 world = aPiece->GetWorldPosition();
    const LVector2 wanted(takeX ? aTarget.x : world.x, takeY ? aTarget.y : world.y);
    // The target is a world position; the piece is placed in its parent.
    const LVector2 offset = aPiece->GetLocalPosition() - world;
    return aPiece->SetPosition(wanted + offset);
}
