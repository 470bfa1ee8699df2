#include "Gdi/LIDragTarget.h"

#include "Gdi/LDragManager.h"
#include "Gdi/LDraggable.h"
#include "Gdi/LIDisplayObject.h"
#include "LPolygon.h"
#include "stdlib/LLog.h"

LIDragTarget::LIDragTarget() = default;

LIDragTarget::~LIDragTarget()
{
    // A target deleted while registered would be called through a dangling pointer.
    if (LDragManager* manager = LDragManager::Peek()) {
        manager->RemoveTarget(this);
    }
    mBoundaryObject = nullptr;
}

int LIDragTarget::SetBoundaryObject(LIDisplayObject* aObject)
{
    if (aObject == nullptr) {
        L_ERROR("SetBoundaryObject failure. NULL arg.");
        return 0;
    }
    mBoundaryObject = aObject;
    return 1;
}

int LIDragTarget::SetDragged(LDraggable* aDraggable)
{
    if (mBoundaryObject == nullptr || aDraggable == nullptr) {
        return 0;
    }
    if (!mBoundaryObject->IsActive()) {
        return 1;
    }
    mBoundaryObject->GetWorldMatrix();
    LPolygon area;
    bool inside = false;
    if (mBoundaryObject->GetWorldBoundary(&area)) {
        inside = area.ContainsPoint(aDraggable->GetLastMousePosition());
    } else {
        L_ERROR("SetDragged failure.");
    }
    const bool wasInside = mInside;
    mInside = inside;
    if (wasInside && !inside) {
        OnDragEvent(kLeft, aDraggable);
    } else if (!wasInside && inside) {
        OnDragEvent(kEntered, aDraggable);
    }
    return 1;
}

int LIDragTarget::Drop(LDraggable* aDraggable)
{
    if (!mInside) {
        return 1;
    }
    // The next drag starts outside again.
    mInside = false;
    if (mBoundaryObject != nullptr && mBoundaryObject->IsActive()) {
        OnDragEvent(kDropped, aDraggable);
    }
    return 1;
}
