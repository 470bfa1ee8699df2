#include "support/GMTestFonts.h"

#include "Gdi/LFontManager.h"
#include "container/LString.h"
#include "support/GMTestRoots.h"
#include "support/LTestFont.h"

namespace {

const char* const kFontIds[] = {"tahoma10",        "tahoma10black",    "cenmt14white",   "cenmt12white",
                                "TW_CEN_MT16",     "TW_CEN_MT16_BLUE", "Friz_Quad_TT_8", "Friz_Quad_TT_8_grey",
                                "OCRA18",          "LucindaSans10",    "comic18_blue",   "twcenmt14white"};

} // namespace

bool RegisterGameTestFonts(const GMTestRoots& aRoots)
{
    LFontManager* fonts = LFontManager::Get();
    if (fonts == nullptr) {
        return false;
    }
    // Made once per font manager: an earlier call may have made them in this one.
    bool present = true;
    for (const char* id : kFontIds) {
        present = present && fonts->FindFont(LString(id)) != nullptr;
    }
    if (present) {
        return true;
    }
    aRoots.Write("data/textures/gm_test_font.tga", TestAtlasTga());
    const LString characters(u"Ao-B ");
    bool all = true;
    for (const char* id : kFontIds) {
        all = fonts->AddFont(LString(id), LString("//textures/gm_test_font.tga"), 9, &characters) && all;
    }
    return all;
}

bool MakeSampleFonts(const GMTestRoots& aRoots)
{
    LFontManager* fonts = LFontManager::Get();
    if (fonts == nullptr || !aRoots.CopySample("textures/fonts")) {
        return false;
    }
    // Ids made before are refused (logged) and keep their font.
    fonts->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/"));
    for (const char* id : kFontIds) {
        if (fonts->FindFont(LString(id)) == nullptr) {
            return false;
        }
    }
    return true;
}
