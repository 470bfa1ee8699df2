// One cell of an inventory sub-panel's grid: a drop target over the cell's picture that
// holds at most one item (owned: the cell deletes it). While an item is dragged the cell
// lights the sub-panel's glow when it is empty and takes the item when it is dropped on it.
#pragma once
#include "Gdi/LIDragTarget.h"

class GMInventoryItem;
class GMInventorySubpanel;
class LSprite;

class GMInventorySpace : public LIDragTarget
{
public:
    GMInventorySpace() = default;
    GMInventorySpace(const GMInventorySpace&) = delete;
    GMInventorySpace& operator=(const GMInventorySpace&) = delete;
    // Deletes the item it holds; leaves the drag manager.
    ~GMInventorySpace() override;

    // Keeps both, joins the drag manager and makes the cell its drop area. A null argument
    // is refused (logged, false).
    bool Create(GMInventorySubpanel* aSubpanel, LSprite* aCell);
    // Takes the item and puts its group at the cell's place; refused (logged, false) for
    // null and when the cell holds an item already.
    bool SetItem(GMInventoryItem* aItem);
    // Hands the item out through aOut and empties the cell; false (logged) when empty.
    bool RemoveItem(GMInventoryItem** aOut);

    // 0 entered, 1 left, 2 dropped.
    void OnDragEvent(int aEvent, LDraggable* aDraggable) override;

    GMInventoryItem* GetItem() const { return mItem; }
    LSprite* GetCell() const { return mCell; }

private:
    LSprite* mCell = nullptr;
    GMInventorySubpanel* mSubpanel = nullptr;
    GMInventoryItem* mItem = nullptr;
};
