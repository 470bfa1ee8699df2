// Reads the input as the inventory's saved block into the PDA's inventory, over a small
// items file (case 1: "pen" evidence, "w01" witnesses; case 2: "knife" evidence) and 8 x 8
// pictures. A block that is refused leaves the contents as they were; one that is taken
// holds at most 56 items per sub-panel, and writing, reading and writing it again gives
// the same bytes.
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInventory.h"
#include "support/LFuzzRecords.h"
#include "support/LTestStreams.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

std::string Saved(GMInventoryPanel* aPanel)
{
    LMemoryStream stream(64, 64);
    if (!aPanel->Write(&stream)) {
        __builtin_trap();
    }
    return WrittenBytes(stream);
}

bool ReadBytes(GMInventoryPanel* aPanel, const std::string& aBytes)
{
    LMemoryStream stream(4, -1);
    Load(stream, aBytes);
    return aPanel->Read(&stream);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    static const bool sLogDropped = (SetLogDirectory(u"/dev/null"), true);
    (void)sLogDropped;
    static GMInventoryPanel* sPanel = FuzzInventory();
    LFuzzForgetRecords();
    if (sPanel == nullptr || aSize > (1u << 16)) {
        return 0;
    }
    const std::string before = Saved(sPanel);
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    if (!ReadBytes(sPanel, input)) {
        if (Saved(sPanel) != before) {
            __builtin_trap();
        }
        return 0;
    }
    if (sPanel->GetItemCount() > GMInventoryPanel::SUBPANEL_COUNT * GMInventoryPanel::CELL_COUNT) {
        __builtin_trap();
    }
    const std::string written = Saved(sPanel);
    sPanel->RemoveAllItems();
    if (!ReadBytes(sPanel, written) || Saved(sPanel) != written) {
        __builtin_trap();
    }
    return 0;
}
