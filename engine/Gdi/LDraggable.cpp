#include "Gdi/LDraggable.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDragManager.h"
#include "Gdi/LIDisplayObject.h"
#include "Input/LMouse.h"
#include "stdlib/LLog.h"

LDraggable::LDraggable()
    : mLastMousePosition(0.0f, 0.0f), mDragManager(LDragManager::Get()), mGrabOffset(0.0f, 0.0f),
      mMouse(LMouse::Get()), mStartPosition(0.0f, 0.0f)
{
}

LDraggable::~LDraggable()
{
    if (mAlive != nullptr) {
        *mAlive = false;
    }
    mDragManager = nullptr;
    mObject = nullptr;
    mMouse = nullptr;
}

int LDraggable::SetDisplayObject(LIDisplayObject* aObject)
{
    if (aObject == nullptr) {
        L_ERROR("SetDisplayObject failure. NULL arg.");
        return 0;
    }
    mObject = aObject;
    return 1;
}

int LDraggable::SetEnabled(bool aEnabled)
{
    mEnabled = aEnabled;
    return 1;
}

int LDraggable::StartDrag()
{
    if (mObject == nullptr || mMouse == nullptr) {
        L_ERROR("StartDrag failure. No display object.");
        return 0;
    }
    mButtonDown = true;
    mStartPosition = mObject->GetLocalPosition();
    LVector2 mouse;
    mMouse->GetPosition(mouse);
    const LVector2 origin = mObject->GetWorldPosition();
    mGrabOffset = LVector2(mouse.x - origin.x, mouse.y - origin.y);
    return 1;
}

bool LDraggable::UpdateDrag()
{
    if (!mEnabled) {
        return true;
    }
    if (!mDragging) {
        mDragging = mButtonDown;
        if (!mDragging) {
            return true;
        }
    }
    if (mObject == nullptr || mMouse == nullptr) {
        return false;
    }
    LVector2 mouse;
    mMouse->GetPosition(mouse);
    LVector2 parent(0.0f, 0.0f);
    if (LDisplayGroup* group = mObject->GetGroup()) {
        parent = group->GetWorldPosition();
    }
    // Where the object's origin must go; the position set is the origin plus the offset
    // that the center (scaled and rotated) puts between them.
    const LVector2 origin(mouse.x - parent.x - mGrabOffset.x, mouse.y - parent.y - mGrabOffset.y);
    const LVector2 current = mObject->GetPosition();
    const LVector2 set = mObject->GetLocalPosition();
    mObject->SetPosition(origin.x + set.x - current.x, origin.y + set.y - current.y);
    mLastMousePosition = mouse;
    return mDragManager != nullptr && mDragManager->UpdateTargets(this) != 0;
}

bool LDraggable::EndDrag()
{
    mButtonDown = false;
    if (!mDragging) {
        return true;
    }
    // A target may delete the draggable from its drop event.
    bool alive = true;
    mAlive = &alive;
    const bool result = mDragManager != nullptr && mDragManager->DropTargets(this) != 0;
    if (!alive) {
        return result;
    }
    mAlive = nullptr;
    mDragging = false;
    if (mObject != nullptr) {
        if (!mDropped) {
            mObject->SetPosition(mStartPosition);
        }
    }
    mDropped = false;
    return result;
}
