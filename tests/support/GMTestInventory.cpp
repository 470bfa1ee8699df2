#include "support/GMTestInventory.h"

#include "state/LStateManager.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LSampleRoots.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {


} // namespace

bool WriteTestInventory(const GMTestRoots& aRoots, const std::string& aItems, const std::string& aTips, int aCase)
{
    if (!aRoots.Mounted()) {
        return false;
    }
    // The PDA's pictures and layouts, and the multi-cursor's picture.
    if (!aRoots.CopySample("textures/pda", "", true) || !aRoots.CopySample("textures/multicursor.tga")) {
        return false;
    }
    if (!aItems.empty()) {
        aRoots.Write("data/textures/pda/inventory/inventory_items.txt", aItems);
    }
    if (aTips.empty()) {
        aRoots.CopySample("assets/tooltips.txt");
    } else {
        aRoots.Write("data/assets/tooltips.txt", aTips);
    }
    if (aCase != 0) {
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString(std::to_string(aCase).c_str()), false);
    }
    return RegisterGameTestFonts(aRoots);
}

std::string TestItemsFile(std::initializer_list<GMTestItem> aItems)
{
    // The sample's case-1 icons, 64 pixels apart.
    static const std::map<std::string, int> kIcons = {{"w01", 0}, {"pen", 1}, {"doc01", 2}, {"rep01", 3}};
    std::map<int, std::string> cases;
    for (const GMTestItem& item : aItems) {
        const auto icon = kIcons.find(item.mKey);
        const int left = 64 * (icon != kIcons.end() ? icon->second : 1);
        std::string& text = cases[item.mCase];
        text += std::string("\t\t") + item.mKey + "\n";
        if (*item.mType != '\0') {
            text += std::string("\t\t\ttype=") + item.mType + "\n";
        }
        text += std::string("\t\t\tsprite\n\t\t\t\tid=") + item.mKey + "\n\t\t\t\ttexture=case1_items.tga\n" +
                "\t\t\t\ttexturecoords=" + std::to_string(left) + "|0|" + std::to_string(left + 63) + "|63\n";
    }
    std::string file = "items\n";
    for (const auto& [number, text] : cases) {
        file += "\tcase" + std::to_string(number) + "\n" + text;
    }
    return file;
}
