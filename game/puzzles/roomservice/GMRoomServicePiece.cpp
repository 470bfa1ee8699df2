#include "puzzles/roomservice/GMRoomServicePiece.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "puzzles/GMPickStack.h"
#include "stdlib/LLog.h"

#include <cmath>

GMRoomServicePiece::GMRoomServicePiece() = default;

GMRoomServicePiece::~GMRoomServicePiece()
{
    delete mOutline;
    delete mBaseOutline;
}

LString GMRoomServicePiece::Dump() const
{
    return DumpHead("GMRoomServicePiece") + " " + mId + "]";
}

bool GMRoomServicePiece::Create(LPropertyList* aList)
{
    if (aList == nullptr) {
        return false;
    }
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (found) {
        SetId(id);
    }
    LVectorFloat values = aList->GetVectorFloat(LString("center"), found);
    if (found && values.GetCount() >= 2) {
        mCenter = LVector2(values[0], values[1]);
    }
    values = aList->GetVectorFloat(LString("solved"), found);
    if (found && values.GetCount() >= 2) {
        mPlacedDistance = std::sqrt(values[0] * values[0] + values[1] * values[1]);
    }
    values = aList->GetVectorFloat(LString("polygon"), found);
    if (found && values.GetCount() >= 6) {
        mBaseOutline = L_NEW LPolygon(values, true);
        mOutline = mBaseOutline != nullptr ? L_NEW LPolygon(*mBaseOutline) : nullptr;
    }
    LPropertyList* spriteList = aList->GetList(LString("sprite"));
    LSprite* sprite = spriteList != nullptr ? LLayoutBuilder::BuildSprite(spriteList) : nullptr;
    if (sprite == nullptr) {
        L_ASSERT_FAILURE(LString());
        return false;
    }
    LPolygon world;
    if (sprite->GetWorldBoundary(&world)) {
        const LRectangle bounds(world);
        mWidth = bounds.GetWidth();
        mHeight = bounds.GetHeight();
    } else {
        L_ASSERT_FAILURE("Create failure.");
    }
    sprite->SetCenter(mCenter);
    sprite->SetPosition(mCenter);
    LPolygon* local = sprite->GetBoundary();
    if (!AddMember(sprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete sprite;
        return false;
    }
    mSprite = sprite;
    if (local != nullptr) {
        SetBoundary(local);
    }
    return true;
}

LVector2 GMRoomServicePiece::GetAnchor()
{
    return GetWorldPosition() + mCenter;
}

bool GMRoomServicePiece::PickAt(const LVector2& aPoint)
{
    const LVector2 world = GetWorldPosition();
    const bool hit = mOutline != nullptr ? mOutline->ContainsPoint(aPoint - world) : HitTest(aPoint);
    if (hit) {
        mGrabOffset = world - aPoint;
    }
    return hit;
}

void GMRoomServicePiece::MoveTo(const LVector2& aPoint)
{
    GMPickStack::MoveWithin(this, aPoint + mGrabOffset, mWidth, mHeight);
}

void GMRoomServicePiece::PreviewRotation(float aDelta)
{
    if (mSprite != nullptr) {
        mSprite->SetRotation(mAngle + aDelta);
    }
}

void GMRoomServicePiece::Rotate(float aDelta)
{
    mAngle += aDelta;
    if (mBaseOutline == nullptr || mOutline == nullptr) {
        return;
    }
    const float radians = -mAngle * kRadians;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    mOutline->Clear();
    for (int i = 0; i < mBaseOutline->GetNumPoints(); ++i) {
        const LVector2 d = mBaseOutline->GetPoint(i) - mCenter;
        mOutline->AddPoint(d.x * c - d.y * s + mCenter.x, d.x * s + d.y * c + mCenter.y);
    }
    mOutline->SetClosed(mBaseOutline->IsClosed());
}

bool GMRoomServicePiece::IsPlaced(float aX, float aY, float aReferenceAngle)
{
    // Over the full turn: 400 degrees against 0 is 40 apart, not 360 + 40.
    const int e = static_cast<int>(std::fmod(std::fabs(aReferenceAngle - mAngle), 360.0f));
    if (e > kAngleTolerance && e < 360 - kAngleTolerance) {
        return false;
    }
    const LVector2 anchor = GetAnchor();
    const float dx = anchor.x - aX;
    const float dy = anchor.y - aY;
    return std::fabs(std::sqrt(dx * dx + dy * dy) - mPlacedDistance) <= kDistanceTolerance;
}
