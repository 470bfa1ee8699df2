#include "puzzles/monetbox/GMMonetBoxPiece.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "puzzles/monetbox/GMMonetBoxPuzzle.h"
#include "stdlib/LLog.h"

GMMonetBoxPiece::GMMonetBoxPiece() = default;

GMMonetBoxPiece::~GMMonetBoxPiece()
{
    if (mMouseListening) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->RemoveListener(this);
        }
    }
}

LString GMMonetBoxPiece::Dump() const
{
    return DumpHead("GMMonetBoxPiece") + "]";
}

bool GMMonetBoxPiece::Create(LPropertyList* aList, GMMonetBoxPuzzle* aPuzzle)
{
    bool found = false;
    const LString id = aList != nullptr ? aList->GetString(LString("id"), found) : LString();
    if (!found || mGroup != nullptr) {
        return false;
    }
    mPuzzle = aPuzzle;
    mGroup = L_NEW LDisplayGroup();
    mSprite = L_NEW LSprite();
    if (mGroup == nullptr || mSprite == nullptr) {
        L_ASSERT_FAILURE(LString());
        delete mGroup;
        delete mSprite;
        mGroup = nullptr;
        mSprite = nullptr;
        return false;
    }
    mGroup->SetId(id);
    mGroup->SetRelativeZ(kGroupZ);
    mSprite->SetId(LString(kSpriteId));
    mSprite->SetPosition(0.0f, 0.0f);
    mSprite->SetRelativeZ(0.0f);

    const LString texture = aList->GetString(LString("texture"), found);
    LTextureManager* textures = LTextureManager::Get();
    const uint32_t handle = found && textures != nullptr ? textures->CreateTexture(texture) : 0;
    if (!found || handle == 0) {
        L_ASSERT_FAILURE(LString());
    }
    bool hasCorners = false;
    const LVectorFloat corners = aList->GetVectorFloat(LString("texturecoords"), hasCorners);
    if (!hasCorners || corners.GetCount() < 4) {
        L_ASSERT_FAILURE(LString());
        hasCorners = false;
    }
    if (handle != 0) {
        const LVector2 first = hasCorners ? LVector2(corners[0], corners[1]) : LVector2();
        const LVector2 last = hasCorners ? LVector2(corners[2], corners[3]) : LVector2();
        mSprite->SetTexture(handle, hasCorners ? &first : nullptr, hasCorners ? &last : nullptr);
    }
    if (!mGroup->AddMember(mSprite, true)) {
        L_ASSERT_FAILURE(LString());
        delete mSprite;
        mSprite = nullptr;
    }
    LMouse* mouse = LMouse::Get();
    mMouseListening = mouse != nullptr && mouse->AddMember(this, 0.0f);
    return true;
}

void GMMonetBoxPiece::SetCell(int aColumn, int aRow)
{
    mColumn = aColumn;
    mRow = aRow;
}

void GMMonetBoxPiece::SetLimits(float aLow, float aHigh)
{
    mLowLimit = aLow;
    mHighLimit = aHigh;
}

void GMMonetBoxPiece::SetFree(bool aUp, bool aDown, bool aLeft, bool aRight)
{
    mFreeUp = aUp;
    mFreeDown = aDown;
    mFreeLeft = aLeft;
    mFreeRight = aRight;
}

void GMMonetBoxPiece::SetLocked(bool aLocked)
{
    if (!mPressed) {
        mLocked = aLocked;
    }
}

void GMMonetBoxPiece::OnButtonDown(int)
{
    LMouse* mouse = LMouse::Get();
    if (mLocked || mPressed || mSprite == nullptr || mouse == nullptr || mPuzzle == nullptr) {
        return;
    }
    LVector2 position;
    mouse->GetPosition(position);
    if (!mSprite->HitTest(position)) {
        return;
    }
    mPressed = true;
    mAxisChosen = false;
    mPuzzle->OnPiecePressed(this);
    mGrabOffset = position - mGroup->GetWorldPosition();
    mLastMouse = position;
    mPressPosition = position;
}

bool GMMonetBoxPiece::ChooseAxis(const LVector2& aPosition)
{
    const LVector2 d = aPosition - mLastMouse;
    if (mFreeUp && d.y < -kAxisThreshold) {
        mVertical = true;
    } else if (mFreeDown && d.y > kAxisThreshold) {
        mVertical = true;
    } else if (mFreeLeft && d.x < -kAxisThreshold) {
        mVertical = false;
    } else if (mFreeRight && d.x > kAxisThreshold) {
        mVertical = false;
    } else {
        return false;
    }
    mLastMouse = aPosition;
    mPuzzle->SetPieceLimits(this, mVertical);
    mAxisChosen = true;
    return true;
}

void GMMonetBoxPiece::OnMove(const LVector2& aPosition)
{
    if (!mPressed || mLocked || mGroup == nullptr) {
        return;
    }
    if (!mAxisChosen) {
        ChooseAxis(aPosition);
        return;
    }
    const LVector2 world = mGroup->GetWorldPosition();
    const float pointer = mVertical ? aPosition.y : aPosition.x;
    const float p = mVertical ? world.y : world.x;
    const float grab = mVertical ? mGrabOffset.y : mGrabOffset.x;
    const float d = pointer - (mVertical ? mLastMouse.y : mLastMouse.x);
    float moved = p;
    if (d > 0.0f && p + grab < pointer) {
        moved = p + d > mHighLimit ? mHighLimit : p + d;
    } else if (d < 0.0f && p + grab > pointer) {
        moved = p + d < mLowLimit ? mLowLimit : p + d;
    }
    if (moved != p) {
        mPuzzle->MovePiece(this, mVertical ? LVector2(world.x, moved) : LVector2(moved, world.y));
    }
    mLastMouse = aPosition;
}

void GMMonetBoxPiece::OnButtonUp(int)
{
    if (mLocked || !mPressed || mPuzzle == nullptr) {
        return;
    }
    // Released first: the drop unlocks every tile, this one included.
    mPressed = false;
    mAxisChosen = false;
    mPuzzle->OnPieceDropped(this);
}
