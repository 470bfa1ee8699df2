// A display object that the player picks up with the mouse and moves over drop targets.
// Its owner forwards the mouse: StartDrag on button down over the object, UpdateDrag on
// every move, EndDrag on button up. The drag begins at the first move while the button is
// held and the draggable is enabled; the point of the object under the mouse stays under
// it. When the drag ends the object goes back to where it was, unless a target took it
// (SetDropped from its drop event), in which case it stays where the target left it.
// A target may delete the draggable from its drop event.
#pragma once
#include "LVector2.h"
#include "container/LString.h"

class LDragManager;
class LIDisplayObject;
class LMouse;

class LDraggable
{
public:
    LDraggable();
    LDraggable(const LDraggable&) = delete;
    LDraggable& operator=(const LDraggable&) = delete;
    virtual ~LDraggable();

    // The object that moves; not owned.
    int SetDisplayObject(LIDisplayObject* aObject);
    LIDisplayObject* GetDisplayObject() const { return mObject; }
    int SetEnabled(bool aEnabled);
    bool GetEnabled() const { return mEnabled; }
    void SetId(const LString& aId) { mId = aId; }
    const LString& GetId() const { return mId; }
    // The mouse position at the last drag step, in screen pixels.
    LVector2 GetLastMousePosition() const { return mLastMousePosition; }
    // A target that accepts the object sets this from its drop event.
    void SetDropped(bool aDropped) { mDropped = aDropped; }
    bool GetDropped() const { return mDropped; }
    bool IsDragging() const { return mDragging; }

    int StartDrag();
    bool UpdateDrag();
    bool EndDrag();

private:
    LString mId;
    bool mButtonDown = false;
    LVector2 mLastMousePosition;
    LDragManager* mDragManager = nullptr;
    bool mEnabled = false;
    bool mDragging = false;
    LIDisplayObject* mObject = nullptr;
    // Mouse position less the object's world origin when the button went down.
    LVector2 mGrabOffset;
    LMouse* mMouse = nullptr;
    bool mDropped = false;
    // The object's position as set (LIDisplayObject::GetLocalPosition) when the button went
    // down, so that putting it back leaves it exactly where it was whatever its center.
    LVector2 mStartPosition;
    // Cleared by the destructor while a drop is being told to the targets.
    bool* mAlive = nullptr;
};
