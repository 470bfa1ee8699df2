#include "puzzles/GMDragPiece.h"

#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "puzzles/GMPickStack.h"
#include "stdlib/LLog.h"

GMDragPiece::GMDragPiece() = default;

GMDragPiece::~GMDragPiece() = default;

void GMDragPiece::MoveTo(const LVector2& aPoint)
{
    GMPickStack::MoveWithin(this, aPoint + mGrabOffset, mWidth, mHeight);
}

void GMDragPiece::ReadId(LPropertyList* aList)
{
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (found) {
        SetId(id);
    }
}

bool GMDragPiece::GrabAt(const LVector2& aPoint, const LPolygon* aOutline)
{
    const LVector2 world = GetWorldPosition();
    const bool hit = aOutline != nullptr ? aOutline->ContainsPoint(aPoint - world) : HitTest(aPoint);
    if (hit) {
        mGrabOffset = world - aPoint;
    }
    return hit;
}

void GMDragPiece::MeasureSprite(LSprite* aSprite)
{
    LPolygon world;
    if (aSprite->GetWorldBoundary(&world)) {
        const LRectangle bounds(world);
        mWidth = bounds.GetWidth();
        mHeight = bounds.GetHeight();
    } else {
        L_ASSERT_FAILURE("Create failure.");
    }
}

bool GMDragPiece::AdoptSprite(LSprite* aSprite)
{
    LPolygon* local = aSprite->GetBoundary();
    if (!AddMember(aSprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete aSprite;
        return false;
    }
    if (local != nullptr) {
        SetBoundary(local);
    }
    return true;
}
