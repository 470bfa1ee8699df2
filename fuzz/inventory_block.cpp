// Reads the input as the inventory's saved block into the PDA's inventory, over a small
// items file (case 1: "pen" evidence, "w01" witnesses; case 2: "knife" evidence) and 8 x 8
// pictures. A block that is refused leaves the contents as they were; one that is taken
// holds at most 56 items per sub-panel, and writing, reading and writing it again gives
// the same bytes.
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LTestDirectory.h"
#include "support/LTestStreams.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kLayout = "groups\n\tg02-contentarea\n\t\tid=contentarea\n"
                            "misc\n\tcontentareasprite\n\t\tid=cell\n\t\ttexture=a.tga\n"
                            "\tglow\n\t\tid=glow\n\t\ttexture=a.tga\n";
const char* const kItems = "items\n\tcase1\n"
                           "\t\tpen\n\t\t\ttype=evidence\n\t\t\tsprite\n\t\t\t\tid=pen\n\t\t\t\ttexture=a.tga\n"
                           "\t\tw01\n\t\t\ttype=witnesses\n\t\t\tsprite\n\t\t\t\tid=w01\n\t\t\t\ttexture=a.tga\n"
                           "\tcase2\n"
                           "\t\tknife\n\t\t\ttype=evidence\n\t\t\tsprite\n\t\t\t\tid=knife\n\t\t\t\ttexture=a.tga\n";
const char* const kBadges = "crimelab\n\tid=cl\n\ttexture=a.tga\nresearch\n\tid=re\n\ttexture=a.tga\n"
                            "surveillance\n\tid=su\n\ttexture=a.tga\n";

GMInventoryPanel* Prepare()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    LTestDirectory& directory = FuzzDataRoot("//textures");
    directory.Write("pda/a.tga", FuzzPicture());
    directory.Write("pda/inventory/a.tga", FuzzPicture());
    directory.Write("pda/inventory_layout.txt", kLayout);
    directory.Write("pda/inventory/inventory_items.txt", kItems);
    directory.Write("pda/inventory/icon_layout.txt", kBadges);
    GMPDA* pda = GMPDA::GetInstance();
    return pda != nullptr ? pda->GetInventoryPanel() : nullptr;
}

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
    static GMInventoryPanel* sPanel = Prepare();
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
