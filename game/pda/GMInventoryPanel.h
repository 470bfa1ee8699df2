// The PDA's inventory panel, under the id "inventory": the evidence the player has
// collected, in 16 sub-panels (four cases of four categories) of 56 cells each. Item data
// is not read yet, so items cannot be sorted by case and category: AddItem files every
// item in the first sub-panel. The saved block is already the final one, so saved games keep their layout:
//
//   16 times, sub-panel 0 (case 1 witnesses) to 15 (case 4 reports):
//     int32 count (0..56)
//     count times: int32 cell index (0..55), then the item id as the stream's string
//     (int32 unit count, the UTF-16 units, a 0 unit), in cell order.
#pragma once
#include "container/LVectorString.h"
#include "pda/GMIPDAPanel.h"

class LIStream;

class GMInventoryPanel : public GMIPDAPanel
{
public:
    static constexpr int SUBPANEL_COUNT = 16;
    static constexpr int CELL_COUNT = 56;

    GMInventoryPanel();
    GMInventoryPanel(const GMInventoryPanel&) = delete;
    GMInventoryPanel& operator=(const GMInventoryPanel&) = delete;
    ~GMInventoryPanel() override;

    LString Dump() const override;
    // The cells are not drawn yet: reads nothing of the layout.
    bool Create(LPropertyList* aLayout) override;

    // Puts the item in the first free cell; an id already held is kept once (true). An
    // empty id or a full sub-panel is refused (logged, false).
    bool AddItem(const LString& aId);
    // Empties all 16 sub-panels.
    void RemoveAllItems();

    // Writes the saved block; false when the stream refuses a write.
    bool Write(LIStream* aStream) const;
    // Reads a saved block and makes it the contents. Every count, cell index and length is
    // checked against its range and the bytes left; a damaged block (also two items in one
    // cell, an id twice in a sub-panel, or an empty id) is logged, false, and leaves the
    // contents as they were.
    bool Read(LIStream* aStream);

    // The id in a cell, empty when the cell is free or outside the panel.
    LString GetItem(int aSubpanel, int aCell) const;
    int GetItemCount() const;

private:
    static bool ReadSubpanel(LIStream* aStream, int aIndex, LVectorString& aCells);

    // Per sub-panel one id per cell; an empty id marks a free cell.
    LVectorString mCells[SUBPANEL_COUNT];
};
