#include "puzzles/baseballbat/GMBaseballPiece.h"

#include "Gdi/LLayoutBuilder.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "stdlib/LLog.h"

#include <cmath>

GMBaseballPiece::GMBaseballPiece() = default;

GMBaseballPiece::~GMBaseballPiece() = default;

LString GMBaseballPiece::Dump() const
{
    return DumpHead("GMBaseballPiece") + " " + mId + "]";
}

bool GMBaseballPiece::Create(LPropertyList* aList)
{
    if (aList == nullptr) {
        return true;
    }
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (found) {
        SetId(id);
    } else {
        L_ASSERT_FAILURE(LString());
    }
    mWidth = aList->GetFloat(LString("width"), found);
    mHeight = aList->GetFloat(LString("height"), found);
    LPropertyList* rotations = aList->GetList(LString("rotations"));
    for (int r = 0; r < kRotations; ++r) {
        LPropertyList* entry = rotations != nullptr && r < rotations->GetCount() ? rotations->GetListAt(r) : nullptr;
        LDisplayGroup* look = entry != nullptr ? LLayoutBuilder::BuildGroup(entry, true) : nullptr;
        if (look == nullptr) {
            L_ERROR("Bat fragment look " + LString("") + r + " missing: " + id);
            continue;
        }
        const LVectorFloat outline = entry->GetVectorFloat(LString("polygon"), found);
        if (found && outline.GetCount() >= 6) {
            const LPolygon polygon(outline, true);
            look->SetBoundary(&polygon);
        }
        const LVectorFloat placed = entry->GetVectorFloat(LString("solvedpos"), found);
        if (found && placed.GetCount() >= 2) {
            mPlaced[r] = LVector2(placed[0], placed[1]);
        }
        if (entry->FindEntry(LString("overpiece")) != nullptr) {
            mOverPiece[r] = static_cast<int>(entry->GetFloat(LString("overpiece"), found));
        }
        look->SetVisible(false);
        if (!AddMember(look, true)) {
            L_ASSERT_FAILURE(LString());
            delete look;
            continue;
        }
        mLooks[r] = look;
    }
    mRotation = 0;
    if (mLooks[0] != nullptr) {
        mLooks[0]->SetVisible(true);
    }
    return true;
}

bool GMBaseballPiece::PickAt(const LVector2& aPoint)
{
    LDisplayGroup* look = mLooks[mRotation];
    if (look == nullptr || !look->HitTest(aPoint)) {
        return false;
    }
    mGrabOffset = GetWorldPosition() - aPoint;
    return true;
}

void GMBaseballPiece::MoveTo(const LVector2& aPoint)
{
    LDisplayGroup* parent = GetGroup();
    const LVector2 origin = parent != nullptr ? parent->GetWorldPosition() : LVector2();
    SetPosition(aPoint + mGrabOffset - origin);
}

void GMBaseballPiece::RotateNext()
{
    if (mLooks[mRotation] != nullptr) {
        mLooks[mRotation]->SetVisible(false);
    }
    mRotation = (mRotation + 1) % kRotations;
    if (mLooks[mRotation] != nullptr) {
        mLooks[mRotation]->SetVisible(true);
    }
}

bool GMBaseballPiece::IsPlaced(const LVector2& aOrigin)
{
    const LVector2 d = GetWorldPosition() - aOrigin;
    const LVector2& p = mPlaced[mRotation];
    return std::fabs(d.x - p.x) <= kTolerance && std::fabs(d.y - p.y) <= kTolerance;
}
