// Builds the credits screen from the input as "//textures/menu/credits.txt" (pictures
// "a.bmp" and "b.tga" exist beside it) over the recording fakes, then runs a dozen changes
// of slides with the fake timer and hides the screen. The indices stay inside their
// lists (or -1 for a kind the file does not give), a change always ends, and a hidden
// screen holds nothing.
#include "Gdi/LFontManager.h"
#include "container/LString.h"
#include "menu/GMCreditsScreen.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzRecords.h"
#include "support/LTestFont.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

LTestDirectory* sRoot = nullptr;

bool Prepare()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    LTestDirectory& root = FuzzDataRoot("//textures");
    sRoot = &root;
    root.Write("menu/a.bmp", LImageBytes::Bmp(4, 4, LImageBytes::BmpRows(4, 4)));
    root.Write("menu/b.tga", FuzzPicture());
    root.Write("font.tga", TestAtlasTga());
    const LString characters(u"Ao-B ");
    LFontManager::Get()->AddFont(LString("frizquadrata24"), LString("//textures/font.tga"), 9, &characters);
    return true;
}

bool InRange(int aIndex, int aCount)
{
    return aCount == 0 ? aIndex == -1 : aIndex >= -1 && aIndex < aCount;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    (void)sPrepared;
    LFuzzForgetRecords();
    sRoot->Write("menu/credits.txt", std::string(reinterpret_cast<const char*>(aData), aSize));

    GMCreditsScreen* screen = GMCreditsScreen::GetInstance();
    LFakeTimer::sNow = 10.0;
    screen->OnShow();
    for (int change = 0; change < 12; ++change) {
        if (screen->GetNextChange() <= 0.0) {
            __builtin_trap();
        }
        LFakeTimer::FrameAt(screen->GetNextChange() + 0.01);
        LFakeTimer::Frames(30, 0.04);
        if (screen->IsCrossFading() || !InRange(screen->GetPictureIndex(), screen->GetPictureCount()) ||
            !InRange(screen->GetPageIndex(), screen->GetPageCount())) {
            __builtin_trap();
        }
    }
    screen->OnHidden();
    if (screen->GetRoot() != nullptr || screen->GetMusic() != nullptr || screen->IsListening()) {
        __builtin_trap();
    }
    return 0;
}
