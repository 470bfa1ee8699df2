// Reads the input as the inventory's saved block; a block that is taken must hold at most
// 56 items per sub-panel, each in its own cell, and write back to the bytes it came from.
#include "pda/GMInventoryPanel.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    static const bool sLogDropped = (SetLogDirectory(u"/dev/null"), true);
    (void)sLogDropped;
    if (aSize > (1u << 16)) {
        return 0;
    }
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    GMInventoryPanel panel;
    if (!panel.Read(&stream)) {
        return 0;
    }
    if (panel.GetItemCount() > GMInventoryPanel::SUBPANEL_COUNT * GMInventoryPanel::CELL_COUNT) {
        __builtin_trap();
    }
    // Items come back in cell order, so only a block already in that order (and without
    // a 0 unit inside an id) writes back to the same bytes; every block read must at
    // least be read again to the same contents.
    LMemoryStream written(64, 64);
    if (!panel.Write(&written)) {
        __builtin_trap();
    }
    const int length = written.GetPosition();
    written.SetPosition(0);
    GMInventoryPanel again;
    if (!again.Read(&written) || written.GetPosition() != length) {
        __builtin_trap();
    }
    for (int i = 0; i < GMInventoryPanel::SUBPANEL_COUNT; ++i) {
        for (int cell = 0; cell < GMInventoryPanel::CELL_COUNT; ++cell) {
            if (!(panel.GetItem(i, cell) == again.GetItem(i, cell))) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
