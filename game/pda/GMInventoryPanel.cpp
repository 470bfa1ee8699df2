#include "pda/GMInventoryPanel.h"

#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

namespace {

// The smallest item record: cell index, unit count and the terminating unit.
constexpr int kSmallestItem = 4 + 4 + 2;

} // namespace

GMInventoryPanel::GMInventoryPanel() : GMIPDAPanel(LString("inventory"))
{
    for (LVectorString& cells : mCells) {
        cells.SetCount(CELL_COUNT);
    }
}

GMInventoryPanel::~GMInventoryPanel() = default;

LString GMInventoryPanel::Dump() const
{
    return DumpHead("GMInventoryPanel") + "]";
}

bool GMInventoryPanel::Create(LPropertyList*)
{
    return true;
}

bool GMInventoryPanel::AddItem(const LString& aId)
{
    if (aId.IsEmpty()) {
        L_ERROR("AddItem failure. Empty id.");
        return false;
    }
    LVectorString& cells = mCells[0];
    if (cells.Find(aId) >= 0) {
        return true;
    }
    for (int cell = 0; cell < CELL_COUNT; ++cell) {
        if (cells.GetRef(cell).IsEmpty()) {
            return cells.SetAt(cell, aId) != 0;
        }
    }
    L_ERROR("AddItem failure. No free cell for: " + aId);
    return false;
}

void GMInventoryPanel::RemoveAllItems()
{
    for (LVectorString& cells : mCells) {
        cells.RemoveAll();
        cells.SetCount(CELL_COUNT);
    }
}

bool GMInventoryPanel::Write(LIStream* aStream) const
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool ok = true;
    for (const LVectorString& cells : mCells) {
        int count = 0;
        for (int cell = 0; cell < CELL_COUNT; ++cell) {
            count += cells.GetRef(cell).IsEmpty() ? 0 : 1;
        }
        ok = aStream->Write(count) && ok;
        for (int cell = 0; cell < CELL_COUNT; ++cell) {
            const LString& id = cells.GetRef(cell);
            if (!id.IsEmpty()) {
                ok = aStream->Write(cell) && ok;
                ok = aStream->Write(id) && ok;
            }
        }
    }
    return ok;
}

bool GMInventoryPanel::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    LVectorString read[SUBPANEL_COUNT];
    for (int i = 0; i < SUBPANEL_COUNT; ++i) {
        read[i].SetCount(CELL_COUNT);
        if (!ReadSubpanel(aStream, i, read[i])) {
            return false;
        }
    }
    for (int i = 0; i < SUBPANEL_COUNT; ++i) {
        mCells[i] = read[i];
    }
    return true;
}

bool GMInventoryPanel::ReadSubpanel(LIStream* aStream, int aIndex, LVectorString& aCells)
{
    const LString where = LString(" Sub-panel: ") + aIndex;
    int count = 0;
    if (!aStream->Read(count)) {
        L_ERROR("Inventory read failure. Block ends early." + where);
        return false;
    }
    if (count < 0 || count > CELL_COUNT || !aStream->Holds(static_cast<long long>(count) * kSmallestItem)) {
        L_ERROR(LString("Inventory read failure. Invalid item count: ") + count + where);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        int cell = -1;
        LString id;
        if (!aStream->Read(cell) || !aStream->Read(id)) {
            L_ERROR("Inventory read failure. Block ends early." + where);
            return false;
        }
        if (cell < 0 || cell >= CELL_COUNT || !aCells.GetRef(cell).IsEmpty()) {
            L_ERROR(LString("Inventory read failure. Invalid cell: ") + cell + where);
            return false;
        }
        if (id.IsEmpty() || aCells.Find(id) >= 0) {
            L_ERROR("Inventory read failure. Invalid item id: " + id + where);
            return false;
        }
        aCells.SetAt(cell, id);
    }
    return true;
}

LString GMInventoryPanel::GetItem(int aSubpanel, int aCell) const
{
    if (aSubpanel < 0 || aSubpanel >= SUBPANEL_COUNT || aCell < 0 || aCell >= CELL_COUNT) {
        return LString();
    }
    return mCells[aSubpanel].GetRef(aCell);
}

int GMInventoryPanel::GetItemCount() const
{
    int count = 0;
    for (const LVectorString& cells : mCells) {
        for (int cell = 0; cell < CELL_COUNT; ++cell) {
            count += cells.GetRef(cell).IsEmpty() ? 0 : 1;
        }
    }
    return count;
}
