// Base of every drop area: the world boundary of a display object. During a drag the drag
// manager tells each target where the dragged object's mouse point is; the target turns
// that into events: kEntered and kLeft as the point crosses its area, kDropped when the
// object is let go inside it. A target that is inactive (in the world) takes no part.
//
// Each drag starts outside every target: a drop ends the target's part in the drag.
// A target leaves the drag manager when it is deleted.
#pragma once

class LDraggable;
class LIDisplayObject;

class LIDragTarget
{
public:
    enum Event { kEntered = 0, kLeft = 1, kDropped = 2 };

    LIDragTarget();
    LIDragTarget(const LIDragTarget&) = delete;
    LIDragTarget& operator=(const LIDragTarget&) = delete;
    virtual ~LIDragTarget();

    virtual void OnDragEvent(int aEvent, LDraggable* aDraggable) = 0;

    // The object whose world boundary is the drop area; not owned.
    int SetBoundaryObject(LIDisplayObject* aObject);
    LIDisplayObject* GetBoundaryObject() const { return mBoundaryObject; }
    // Tests the draggable's last mouse position; 0 without a boundary object.
    int SetDragged(LDraggable* aDraggable);
    // A drop event when the dragged point is inside.
    int Drop(LDraggable* aDraggable);

    bool IsInside() const { return mInside; }

private:
    bool mInside = false;
    LIDisplayObject* mBoundaryObject = nullptr;
};
