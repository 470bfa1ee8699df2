// Reads a card table and an "animations.txt" from the input (split at a line "%%"): a
// card made over the table shows the card of every id it lists (the first eight) and is
// taken down again; an ambient player is built for every viewpoint list of the file (the
// first eight), drawn over frames of the fake timer while the fake movies end now and then.
#include "GMScreenManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "scene/GMAmbientAnimPlayer.h"
#include "scene/GMPlacard.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzInput.h"
#include "support/LFuzzRecords.h"
#include "support/LTestDirectory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kMaxLists = 8;
LTestDirectory* gScenes = nullptr;

bool Prepare()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    RegisterFakeSoundManager();
    RegisterFakeMovieManager();
    gScenes = &FuzzDataRoot("//scenes");
    return true;
}

void Frames(double& aNow, int aCount)
{
    for (int i = 0; i < aCount; ++i) {
        aNow += 0.5;
        LFakeTimer::FrameAt(aNow);
        const std::vector<LFakeMoviePlayer*> live = LFakeMoviePlayer::LiveTextures();
        for (size_t p = i % 2; p < live.size(); p += 3) {
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
    const auto [table, animations] = SplitFuzzInput(aData, aSize);
    gScenes->Write("scenes.txt", table);
    double now = 0.0;
    LFakeTimer::sNow = now;

    {
        GMPlacard card;
        LPropertyList ids;
        ids.Parse(table.c_str(), static_cast<int>(table.size()));
        for (int i = 0; i < ids.GetCount() && i < kMaxLists; ++i) {
            if (card.Show(ids.GetKeyAt(i))) {
                card.OnShow();
                card.OnHidden();
            }
            if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
                screens->RemoveScreen(&card);
            }
        }
    }

    LPropertyList file;
    file.Parse(animations.c_str(), static_cast<int>(animations.size()));
    const LPropertyList* viewpoints = file.GetList(LString("viewpoints"));
    for (int i = 0; viewpoints != nullptr && i < viewpoints->GetCount() && i < kMaxLists; ++i) {
        GMAmbientAnimPlayer player;
        if (player.Build(viewpoints->GetListAt(i))) {
            for (int f = 0; f < 6; ++f) {
                player.RenderBackground(nullptr);
                player.RenderForeground(nullptr);
                Frames(now, 1);
            }
        }
    }
    LFakeMovieManager::Reset();
    return 0;
}
