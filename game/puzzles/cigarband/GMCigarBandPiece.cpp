#include "puzzles/cigarband/GMCigarBandPiece.h"

#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

GMCigarBandPiece::GMCigarBandPiece() = default;

GMCigarBandPiece::~GMCigarBandPiece()
{
    delete mHitPolygon;
}

LString GMCigarBandPiece::Dump() const
{
    return DumpHead("GMCigarBandPiece") + " " + mId + "]";
}

bool GMCigarBandPiece::Create(LPropertyList* aList)
{
    if (aList == nullptr) {
        return false;
    }
    ReadId(aList);
    bool found = false;
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
    MeasureSprite(sprite);
    return AdoptSprite(sprite);
}

bool GMCigarBandPiece::Grab(const LVector2& aMouse)
{
    return GrabAt(aMouse, mHitPolygon);
}
