#include "pda/GMInventorySpace.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDragManager.h"
#include "Gdi/LSprite.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventorySubpanel.h"
#include "stdlib/LLog.h"

GMInventorySpace::~GMInventorySpace()
{
    delete mItem;
    mItem = nullptr;
    mCell = nullptr;
    mSubpanel = nullptr;
}

bool GMInventorySpace::Create(GMInventorySubpanel* aSubpanel, LSprite* aCell)
{
    if (aSubpanel == nullptr || aCell == nullptr) {
        L_ERROR("Create failure. NULL arg.");
        return false;
    }
    mSubpanel = aSubpanel;
    mCell = aCell;
    LDragManager* drags = LDragManager::Get();
    const bool added = drags != nullptr && drags->AddTarget(this) != 0;
    return SetBoundaryObject(aCell) != 0 && added;
}

bool GMInventorySpace::SetItem(GMInventoryItem* aItem)
{
    if (aItem == nullptr) {
        L_ERROR("SetItem failure. NULL arg.");
        return false;
    }
    if (mItem != nullptr) {
        L_ERROR("SetItem failure. Space already filled.");
        return false;
    }
    mItem = aItem;
    if (mCell != nullptr && aItem->GetGroup() != nullptr) {
        aItem->GetGroup()->SetPosition(mCell->GetLocalPosition());
    }
    aItem->RefreshActive();
    return true;
}

bool GMInventorySpace::RemoveItem(GMInventoryItem** aOut)
{
    if (mItem == nullptr) {
        L_ERROR("RemoveItem failure. No item defined.");
        return false;
    }
    if (aOut != nullptr) {
        *aOut = mItem;
    }
    mItem = nullptr;
    return true;
}

void GMInventorySpace::OnDragEvent(int aEvent, LDraggable* aDraggable)
{
    if (mSubpanel == nullptr || aDraggable == nullptr) {
        return;
    }
    switch (aEvent) {
    case kEntered:
        if (mItem == nullptr && mCell != nullptr) {
            mSubpanel->ActivateGlow(this, mCell->GetLocalPosition());
        }
        break;
    case kLeft:
        mSubpanel->DeactivateGlow(this);
        break;
    case kDropped: {
        if (mItem != nullptr) {
            break;
        }
        mSubpanel->DeactivateGlow(this);
        // Only an item of this sub-panel moves here; anything else goes back.
        GMInventoryItem* item = nullptr;
        if (!mSubpanel->RemoveItemById(aDraggable->GetId(), &item)) {
            break;
        }
        aDraggable->SetDropped(true);
        if (!mSubpanel->AddItemToSpace(item, this)) {
            // Out of every cell no one would ever delete it.
            L_ERROR("Dropped item lost its cell: " + item->GetId());
            delete item;
        }
        break;
    }
    default:
        break;
    }
}
