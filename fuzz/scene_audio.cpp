// Loads a scene's audio from an arbitrary "audio.txt" over the fake sound service and
// timer, starts it, visits every viewpoint the file names (and one it does not), runs
// frames while ending the sounds that play, and deletes it.
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "scene/GMSceneAudio.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzRecords.h"
#include "support/LTestDirectory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {
LTestDirectory* gDirectory = nullptr;

bool Prepare()
{
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    gDirectory = &FuzzDataRoot("//scene");
    return true;
}

// Runs frames over a few seconds, ending every other sound that plays.
void Run(double& aNow)
{
    for (int i = 0; i < 8; ++i) {
        aNow += 0.75;
        LFakeTimer::FrameAt(aNow);
        const std::vector<LFakeSoundPlayer*> live = LFakeSoundPlayer::Live();
        for (size_t p = i % 2; p < live.size(); p += 2) {
            live[p]->End();
        }
    }
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
    gDirectory->Write("audio.txt", std::string(reinterpret_cast<const char*>(aData), aSize));

    std::vector<LString> viewpoints;
    LPropertyList keys;
    keys.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    if (const LPropertyList* audio = keys.GetList(LString("audio"))) {
        for (int i = 0; i < audio->GetCount() && i < 8; ++i) {
            viewpoints.push_back(audio->GetKeyAt(i));
        }
    }
    viewpoints.push_back(LString("nowhere"));

    double now = 0.0;
    LFakeTimer::sNow = now;
    GMSceneAudio* audio = new GMSceneAudio();
    if (audio->Load(LString("//scene/"))) {
        audio->Start();
        Run(now);
        for (const LString& viewpoint : viewpoints) {
            audio->SetViewpoint(viewpoint);
            Run(now);
        }
        audio->Stop();
    }
    delete audio;
    return 0;
}
