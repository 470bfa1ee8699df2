// One case and category of the inventory ("evidence1" ... "reports4"): a group of 56 cells
// "gridbox_0" ... "gridbox_55", four to a row, cell i at (58 * (i mod 4), 49 * (i div 4)),
// a glow that marks the empty cell a dragged item hovers over, and the table from item id
// to the cell holding the item. The group is a member of the panel's content group and is
// active only while the sub-panel is shown.
#pragma once
#include "LVector2.h"
#include "container/LString.h"
#include "object/LBase.h"

class GMInventoryItem;
class GMInventorySpace;
class LDisplayGroup;
class LHashKeyList;
class LPropertyList;
class LSprite;
class LVectorInt;
class LVectorString;

class GMInventorySubpanel : public LBase
{
public:
    static constexpr int CELL_COUNT = 56;
    static constexpr int COLUMNS = 4;
    static constexpr float CELL_WIDTH = 58.0f;
    static constexpr float CELL_HEIGHT = 49.0f;

    GMInventorySubpanel();
    GMInventorySubpanel(const GMInventorySubpanel&) = delete;
    GMInventorySubpanel& operator=(const GMInventorySubpanel&) = delete;
    // Deletes the table and every cell with its item; the group goes with the content group.
    ~GMInventorySubpanel() override;

    LString Dump() const override;

    // The group aName (inactive), the glow from "misc.glow" and the cells from
    // "misc.contentareasprite"; missing pieces are logged and left out.
    bool Create(const LString& aName, LPropertyList* aLayout);
    bool Show();
    bool Hide();
    // Deletes every item.
    void RemoveAllItems();

    // The item registered under aId, or null.
    GMInventoryItem* GetItem(const LString& aId) const;
    // Puts the item into the first free cell under aId. A full sub-panel or an id already
    // held is refused (logged, false) and the item is deleted.
    bool SetItem(const LString& aId, GMInventoryItem* aItem);
    // Puts the item into cell aSpace under its own id (for a load). A cell outside 0..55 or
    // already filled, or an id already held, is refused (logged, false) and the item is
    // deleted.
    bool SetItemAtIndex(GMInventoryItem* aItem, int aSpace);
    // The ids and cell indices of the items, in cell order.
    bool GetItems(LVectorString* aIds, LVectorInt* aSpaces) const;
    int GetItemCount() const;
    bool IsFull() const;

    // Drag and drop: the cell takes the item under the item's id (an id already held is
    // refused, logged); the item leaves its cell and the table (false when not held).
    bool AddItemToSpace(GMInventoryItem* aItem, GMInventorySpace* aSpace);
    bool RemoveItemById(const LString& aId, GMInventoryItem** aOut);
    void ActivateGlow(GMInventorySpace* aSpace, const LVector2& aPosition);
    void DeactivateGlow(GMInventorySpace* aSpace);
    // Every item follows the group's activity.
    void RefreshItems();

    LDisplayGroup* GetGroup() const { return mGroup; }
    LSprite* GetGlow() const { return mGlow; }
    GMInventorySpace* GetSpace(int aIndex) const;
    int GetContentHeight() const { return mContentHeight; }

private:
    void BuildGrid();
    // The first empty cell, or -1.
    int FirstFreeSpace() const;
    // Registers the item in the cell and the table and adds its group; the item is deleted
    // when that is refused.
    bool Place(const LString& aId, GMInventoryItem* aItem, int aSpace);

    LPropertyList* mLayout = nullptr;
    LDisplayGroup* mGroup = nullptr;
    GMInventorySpace* mSpaces[CELL_COUNT] = {};
    int mContentHeight = 0;
    LHashKeyList* mTable = nullptr;
    LSprite* mGlow = nullptr;
    GMInventorySpace* mGlowTarget = nullptr;
};
