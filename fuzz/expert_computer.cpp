// Builds the expert computer from an arbitrary layout file and shows arbitrary profiles:
// the first byte chooses the desk (crime lab, research, surveillance, or one the layout
// cannot have), the rest splits at lines "%%" into "interface_layout.txt",
// "icons_results.txt" and the profile (an info list whose values are also its texts).
// The computer is pushed, shown, given the profile twice (the second while the first
// types), run for a few seconds of frames, and closed through both fader passes. The
// sample's other files stay under their roots; the two files come from the input, the
// pictures they name are small stand-ins.
#include "GMScreenManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "interview/GMExpertComputer.h"
#include "pda/GMPDA.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSetUp.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace {

LTestDirectory* gTextures = nullptr;

bool Prepare()
{
    if (!GMTestScene::PrepareHeadless()) {
        return false;
    }
    // The PDA reads its own files from the sample before the textures' root moves.
    GMPDA::GetInstance();
    gTextures = &FuzzDataRoot("//textures");
    for (const char* picture : {"computer.tga", "icons.tga"}) {
        gTextures->Write(std::string("expertcomputer/") + picture, FuzzPicture());
    }
    return GMExpertComputer::GetInstance() != nullptr && GMScreenManager::GetInstance() != nullptr;
}

std::string Part(const std::string& aText, size_t& aAt)
{
    if (aAt > aText.size()) {
        return std::string();
    }
    const size_t split = aText.find("\n%%\n", aAt);
    const std::string part = aText.substr(aAt, split == std::string::npos ? std::string::npos : split - aAt);
    aAt = split == std::string::npos ? aText.size() + 1 : split + 4;
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 14)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    LFuzzRequireSetUp(sPrepared, "expert_computer");
    LFuzzForgetRecords();
    const std::string text(reinterpret_cast<const char*>(aData) + 1, aSize - 1);
    size_t at = 0;
    gTextures->Write("expertcomputer/interface_layout.txt", Part(text, at));
    gTextures->Write("expertcomputer/icons_results.txt", Part(text, at));
    const std::string profile = Part(text, at);
    LPropertyList info;
    info.Parse(profile.c_str(), static_cast<int>(profile.size()));

    GMExpertComputer* computer = GMExpertComputer::GetInstance();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (!computer->Open(aData[0] % 4, nullptr)) {
        return 0;
    }
    LFakeTimer::Frames(30, 0.1);
    computer->ShowInfo(&info, &info);
    LFakeTimer::Frames(5, 0.1);
    computer->ShowInfo(&info, &info);
    LFakeTimer::Frames(60, 0.1);
    if (!computer->Close()) {
        screens->RemoveScreen(computer);
        computer->OnHidden();
    }
    LFakeTimer::Frames(40, 0.1);
    if (computer->GetRoot() != nullptr || screens->IndexOf(computer) >= 0) {
        __builtin_trap(); // a computer that cannot be left
    }
    return 0;
}
