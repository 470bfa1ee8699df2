// Reads an arbitrary cut-scene table and subtitle table (the input's two parts, split at
// the first line "%%") into a cut-scene player made for the input, over the fake drawing,
// timer, sound and movie services and a screen of its own below. Each trigger kind is
// tried once with the first id the table names for it (a state change, an event, an
// interview's end, a location's visit), then the movie of the first subtitle entry is
// played; after each, frames run while the movies shown advance and end. A cut scene still
// showing a movie at the end goes with the player.
#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "event/LEventManager.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzInput.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSetUp.h"
#include "support/LTestDirectory.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

struct Backdrop : GMIScreen
{
    void OnLeave() override {}
    void OnHidden() override {}
    void OnShow() override {}
};

Backdrop gBackdrop;
LTestDirectory* gData = nullptr;

bool Prepare()
{
    GMSceneFlow::RegisterFakes();
    const bool prepared = GMTestScene::Prepare();
    // The tables come from the input; the scenes, textures and fonts from the sample.
    gData = &FuzzDataRoot("//dataroot");
    return prepared && GMScreenManager::GetInstance() != nullptr && GMOptions::GetInstance() != nullptr;
}

// The first value of aKey among the table's entries, or aDefault.
LString FirstId(const LPropertyList& aTable, const char* aKey, const char* aDefault)
{
    for (int i = 0; i < aTable.GetCount(); ++i) {
        const LPropertyList* entry = aTable.GetListAt(i);
        bool found = false;
        const LString id = entry != nullptr ? entry->GetString(LString(aKey), found) : LString();
        if (found && !id.IsEmpty()) {
            return id;
        }
    }
    return LString(aDefault);
}

// Frames 0.1 s apart; the movie shown moves on seven frames each and ends by its notice
// after a while when it is short.
void Run(GMCutScenePlayer& aPlayer, int aFrames)
{
    for (int i = 0; i < aFrames; ++i) {
        LFakeTimer::FrameAt(LFakeTimer::sNow + 0.1);
        if (auto* movie = dynamic_cast<LFakeMoviePlayer*>(aPlayer.GetMovie()); movie != nullptr && movie->mPlaying) {
            movie->mCurrentFrame += 7;
            if (movie->mCurrentFrame > 60) {
                movie->MarkEnded();
            }
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
    LFuzzRequireSetUp(sPrepared, "cutscene_tables");
    LFuzzForgetRecords();
    const auto [table, subtitles] = SplitFuzzInput(aData, aSize);
    gData->Write("movies/cutscenes.txt", table);
    gData->Write("movies/cutscenes_subtitles.txt", subtitles);
    LPropertyList tableList;
    tableList.Parse(table.data(), static_cast<int>(table.size()));
    LPropertyList subtitleList;
    subtitleList.Parse(subtitles.data(), static_cast<int>(subtitles.size()));

    LEventManager::Get()->RemoveAllEvents();
    LStateManager::Get()->RemoveAllStates();
    if (aSize % 2 == 1) {
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    }
    GMOptions::GetInstance()->SetToggle(0, aSize % 3 == 0 ? 1 : 0);
    LFakeMovieManager::sFrameCount = aSize % 5 == 0 ? 8 : 100;
    GMScreenManager* screens = GMScreenManager::GetInstance();
    screens->Clear();
    screens->PushScreen(&gBackdrop);
    {
        GMCutScenePlayer player;
        LStateManager* states = LStateManager::Get();
        const LString state = FirstId(tableList, "triggerstate", "sta_fuzz");
        if (states->SetState(state, LString("boolean"), LString("true"), false)) {
            player.OnStateChanged(states->GetState(state));
        }
        Run(player, 40);
        LEventManager* events = LEventManager::Get();
        const LString event = FirstId(tableList, "triggerevent", "evt_fuzz");
        if (events->AddEvent(event, false)) {
            player.OnEvent(events->GetEvent(event));
        }
        Run(player, 40);
        player.PlayForInterview(FirstId(tableList, "triggerinterview", "fuzz"));
        Run(player, 40);
        player.PlayForLocation(FirstId(tableList, "triggerlocation", "fuzz"));
        Run(player, 40);
        player.Play(FirstId(subtitleList, "movie", "fuzz.bik"));
        Run(player, 30);
        // The screen manager keeps the screen it fades away until black: the player
        // outlives that.
        for (int i = 0; i < 40 && screens->IsBusy(); ++i) {
            Run(player, 1);
        }
    }
    if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
        scenes->UnloadScene();
    }
    screens->Clear();
    LFakeTimer::FrameAt(LFakeTimer::sNow + 1.0);
    return 0;
}
