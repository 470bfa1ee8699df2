// The PDA's inventory panel, under the id "inventory": the evidence the player has
// collected, per case (1..4) in four categories ("witnesses", "evidence", "documents",
// "reports"), each a sub-panel of 56 cells ("witnesses1" ... "reports4", sub-panel
// (case - 1) * 4 + category). The category buttons of "groups.g01-inventorymenu.buttons"
// switch the shown sub-panel; the wheel scrolls it with the PDA's scroll bar.
//
// Items come from "//textures/pda/inventory/inventory_items.txt", one entry per
// "items.case<n>.<key>" with its "type" (category) and "sprite" (whose id is the key). An
// id given to AddItem splits on "_": "x_CL", "x_RE", "x_SU" (any case) is the lab result of
// x (lab kind 1, 2, 3), filed in "reports" under the item's own id "x_cl", "x_re", "x_su";
// any other id is the key itself. A sub-panel knows each item by that own id, so a lab
// result added in either case is held once.
//
// The saved block, the first part of every saved game:
//
//   16 times, sub-panel 0 (case 1 witnesses) to 15 (case 4 reports):
//     int32 count (0..56)
//     count times: int32 cell index (0..55), then the item id as the stream's string
//     (int32 unit count, the UTF-16 units, a 0 unit), in cell order.
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "container/LVectorString.h"
#include "pda/GMIPDAPanel.h"

class GMInventorySubpanel;
class LIStream;

class GMInventoryPanel : public GMIPDAPanel, public LIButtonListener, public LIMouseListener
{
public:
    static constexpr int SUBPANEL_COUNT = 16;
    static constexpr int CELL_COUNT = 56;
    static constexpr int CASE_COUNT = 4;
    static constexpr int CATEGORY_WITNESSES = 0;
    static constexpr int CATEGORY_EVIDENCE = 1;
    static constexpr int CATEGORY_DOCUMENTS = 2;
    static constexpr int CATEGORY_REPORTS = 3;
    static constexpr int CATEGORY_NONE = 4;

    // The key and lab kind (0 none, 1 crime lab, 2 research, 3 surveillance) of an id.
    static LString SplitId(const LString& aId, int& aLabKind);

    GMInventoryPanel();
    GMInventoryPanel(const GMInventoryPanel&) = delete;
    GMInventoryPanel& operator=(const GMInventoryPanel&) = delete;
    ~GMInventoryPanel() override;

    LString Dump() const override;
    // Builds the content group and the 16 sub-panels from a copy of the layout, selects
    // "evidence" and loads the items file; missing pieces are logged and left out. True.
    bool Create(LPropertyList* aLayout) override;
    bool Hide() override;
    bool Show() override;

    // Files the item in its sub-panel of the selected case. An id held already is kept
    // once (true); an unknown key, a bad type or a full sub-panel is refused (logged,
    // false).
    bool AddItem(const LString& aId);
    // Empties all 16 sub-panels.
    void RemoveAllItems();
    // Hides the shown sub-panel and shows the one of category aCategory (0..3).
    bool SelectCategory(int aCategory);

    // Writes the saved block; false when the stream refuses a write.
    bool Write(LIStream* aStream) const;
    // Reads a saved block and makes it the contents; an id whose entry the items file
    // lacks is left out. The whole block is checked first (every read, each count, cell,
    // id length and terminator, against its range and the bytes left; also two items in
    // one cell, an id twice in a sub-panel and an empty id): a damaged block is logged,
    // false, and leaves the contents as they were.
    bool Read(LIStream* aStream);

    // The id in a cell, empty when the cell is free or outside the panel.
    LString GetItem(int aSubpanel, int aCell) const;
    int GetItemCount() const;
    GMInventorySubpanel* GetSubpanel(int aIndex) const;
    int GetCategory() const { return mCategory; }
    int GetCase() const { return mCase; }
    LDisplayGroup* GetMenuGroup() const { return mMenuGroup; }
    LDisplayGroup* GetContentGroup() const { return mContentGroup; }

    void OnButton(const LString& aId, int aEvent) override;
    void OnButtonDown(int) override {}
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override {}
    void OnWheel(float aDelta) override;

private:
    // Takes the case from "sta_selectedcase"; false (the case kept) when it is missing.
    bool RefreshCase();
    GMInventorySubpanel* CurrentSubpanel() const;
    void RemoveCategoryButtons();

    LPropertyList* mLayout = nullptr;
    LDisplayGroup* mMenuGroup = nullptr;
    LDisplayGroup* mContentGroup = nullptr;
    GMInventorySubpanel* mSubpanels[SUBPANEL_COUNT] = {};
    int mCategory = CATEGORY_NONE;
    int mCase = 1;
    LPropertyList* mItems = nullptr;
    LVectorString mCategoryNames;
};
