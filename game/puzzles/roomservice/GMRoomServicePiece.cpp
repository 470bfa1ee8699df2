#include "puzzles/roomservice/GMRoomServicePiece.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
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
    ReadId(aList);
    bool found = false;
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
    MeasureSprite(sprite);
    sprite->SetCenter(mCenter);
    sprite->SetPosition(mCenter);
    if (!AdoptSprite(sprite)) {
        return false;
    }
    mSprite = sprite;
    return true;
}

LVector2 GMRoomServicePiece::GetAnchor()
{
    return GetWorldPosition() + mCenter;
}

bool GMRoomServicePiece::PickAt(const LVector2& aPoint)
{
    return GrabAt(aPoint, mOutline);
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
