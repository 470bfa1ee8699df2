// The PDA's inventory over a small items file (case 1: "pen" evidence, "w01" witnesses;
// case 2: "knife" evidence) and 8 x 8 pictures, for the targets that read its saved block.
#pragma once
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "LFuzzDataRoot.h"

inline GMInventoryPanel* FuzzInventory()
{
    static const char* const kLayout = "groups\n\tg02-contentarea\n\t\tid=contentarea\n"
                                       "misc\n\tcontentareasprite\n\t\tid=cell\n\t\ttexture=a.tga\n"
                                       "\tglow\n\t\tid=glow\n\t\ttexture=a.tga\n";
    static const char* const kItems =
        "items\n\tcase1\n"
        "\t\tpen\n\t\t\ttype=evidence\n\t\t\tsprite\n\t\t\t\tid=pen\n\t\t\t\ttexture=a.tga\n"
        "\t\tw01\n\t\t\ttype=witnesses\n\t\t\tsprite\n\t\t\t\tid=w01\n\t\t\t\ttexture=a.tga\n"
        "\tcase2\n"
        "\t\tknife\n\t\t\ttype=evidence\n\t\t\tsprite\n\t\t\t\tid=knife\n\t\t\t\ttexture=a.tga\n";
    static const char* const kBadges = "crimelab\n\tid=cl\n\ttexture=a.tga\nresearch\n\tid=re\n\ttexture=a.tga\n"
                                       "surveillance\n\tid=su\n\ttexture=a.tga\n";
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
