#include "puzzles/cigarband/GMCigarBandScrap.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "puzzles/GMPickStack.h"
#include "stdlib/LLog.h"

GMCigarBandScrap::GMCigarBandScrap() = default;

GMCigarBandScrap::~GMCigarBandScrap()
{
    delete mHitPolygon;
}

LString GMCigarBandScrap::Dump() const
{
    return DumpHead("GMCigarBandScrap") + " " + mId + "]";
}

bool GMCigarBandScrap::Create(LPropertyList* aList)
{
    if (aList == nullptr) {
        return false;
    }
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (found) {
        SetId(id);
    }
    const float x = aList->GetFloat(LString("x"), found);
    const float y = aList->GetFloat(LString("y"), found);
    SetPosition(x, y);
    SetRelativeZ(aList->GetFloat(LString("z"), found));
    if (aList->FindEntry(LString("polygon")) != nullptr) {
        const LVectorFloat values = aList->GetVectorFloat(LString("polygon"), found);
        mHitPolygon = L_NEW LPolygon();
        for (int i = 0; mHitPolygon != nullptr && i + 1 < values.GetCount(); i += 2) {
            mHitPolygon->AddPoint(values[i], values[i + 1]);
        }
    }
    LPropertyList* spriteList = aList->GetList(LString("sprite"));
    LSprite* sprite = spriteList != nullptr ? LLayoutBuilder::BuildSprite(spriteList) : nullptr;
    if (sprite == nullptr) {
        L_ERROR("BuildSprite failed");
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
    LPolygon* local = sprite->GetBoundary();
    if (!AddMember(sprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete sprite;
        return false;
    }
    if (local != nullptr) {
        SetBoundary(local);
    }
    return true;
}

bool GMCigarBandScrap::Grab(const LVector2& aMouse)
{
    const LVector2 world = GetWorldPosition();
    const bool hit = mHitPolygon != nullptr ? mHitPolygon->ContainsPoint(aMouse - world) : HitTest(aMouse);
    if (hit) {
        mGrabOffset = world - aMouse;
    }
    return hit;
}

void GMCigarBandScrap::MoveTo(const LVector2& aMouse)
{
    GMPickStack::MoveWithin(this, aMouse + mGrabOffset, mWidth, mHeight);
}
