#include "support/GMSampleGame.h"

#include "Gdi/LFontManager.h"
#include "Render/LTextureManager.h"
#include "container/LString.h"
#include "multicursor/GMMultiCursor.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LSampleRoots.h"
#include "ui/GMCursor.h"

bool PrepareSampleGame()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    LFakeTimer::sNow = 1.0;
    if (!LSampleRoots::Mount() || !LTextureManager::Get()->SetRoot(LString("//textures"))) {
        return false;
    }
    LFontManager::Get()->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/"));
    return GMCursor::GetInstance() != nullptr && GMMultiCursor::GetInstance() != nullptr;
}
