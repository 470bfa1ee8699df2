// The world of the fuzz targets that drive the PDA's panels: the recording fakes, one set
// of the game's roots for the whole run holding the sample's PDA files, and the test fonts.
#pragma once
#include "container/LString.h"
#include "event/LEventManager.h"
#include "state/LStateManager.h"
#include "support/GMTestFonts.h"
#include "support/GMTestRoots.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline GMTestRoots& FuzzPDAWorld()
{
    static GMTestRoots* sRoots = [] {
        RegisterFakeRender();
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        auto* roots = new GMTestRoots();
        roots->CopySample("textures/pda", "", true);
        roots->CopySample("textures/subtitleBG.tga");
        RegisterGameTestFonts(*roots);
        return roots;
    }();
    return *sRoots;
}

// An input of two texts: the part before a line "====" and the part after it (empty
// without one).
struct FuzzTwoTexts
{
    std::string mFirst;
    std::string mSecond;
};

inline FuzzTwoTexts FuzzSplitTexts(const uint8_t* aData, size_t aSize)
{
    const std::string text(reinterpret_cast<const char*>(aData), aSize);
    const size_t split = text.find("\n====\n");
    if (split == std::string::npos) {
        return {text, std::string()};
    }
    return {text.substr(0, split), text.substr(split + 6)};
}

// No event raised and no state set but the selected case, aCase.
inline void FuzzFreshCase(const char* aCase)
{
    LEventManager::Get()->RemoveAllEvents();
    LStateManager* states = LStateManager::Get();
    states->RemoveAllStates();
    states->SetState(LString("sta_selectedcase"), LString("number"), LString(aCase), false);
}
