// Selects a witness or expert interview from an arbitrary data file and subtitle list
// (the input's two parts, split at the first line "%%") through the interview manager,
// over the sample's case-1 location and interview panel with the fake render, sound and
// timer; starts it, runs frames while ending every voiced line as it starts, clicks its
// first topics and every mode, turns the wheel, hovers the modes, reports a full meter (to
// a witness), leaves by the exit button, and ends it when it still runs. Odd-sized inputs
// take it from the cache.
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "event/LEventManager.h"
#include "state/LStateManager.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LButton.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LSampleRoots.h"
#include "support/LTestDirectory.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

LTestDirectory* gInterviews = nullptr;

bool Prepare()
{
    GMSceneFlow::RegisterFakes();
    LSampleRoots::Mount();
    // As start-up leaves it: screens name their textures below "//textures".
    if (LTextureManager* textures = LTextureManager::Get()) {
        textures->SetRoot(LString("//textures"));
    }
    if (LFontManager* fonts = LFontManager::Get()) {
        fonts->CreateFonts(LString("//dataroot/textures/fonts/fonts.txt"), LString("//dataroot/textures/fonts/"));
    }
    // The interview files come from the input; everything else from the sample.
    gInterviews = &FuzzDataRoot("//interviews");
    gInterviews->Write("interviews.txt", "fuzz\n\tdata=fuzz.txt\n\tsubtitles=fuzz_subtitles.txt\n\twitness=witness\n");
    gInterviews->Write("pocketobjects.txt", "line\n\tanim=show\n\tobject=badge\n");
    if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
        scenes->LoadScene(LString("case01/riverbank"), true, true);
    }
    return GMInterviewManager::GetInstance() != nullptr;
}

void Frame()
{
    LFakeTimer::FrameAt(LFakeTimer::sNow + 0.25);
    if (LFakeSoundPlayer* line = LFakeSoundPlayer::Find(LString("sequenceSound")); line != nullptr && line->mPlaying) {
        line->End();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    if (!sPrepared) {
        return 0;
    }
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    const size_t split = input.find("\n%%\n");
    gInterviews->Write("fuzz.txt", input.substr(0, split));
    gInterviews->Write("fuzz_subtitles.txt", split == std::string::npos ? std::string() : input.substr(split + 4));

    // Each input starts from a witness never questioned before.
    LStateManager::Get()->RemoveAllStates();
    LEventManager::Get()->RemoveAllEvents();
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    manager->LoadData();
    // Odd inputs take the interview from the cache, as a talk on a preloaded witness does:
    // a sequence that loads a location then deletes it with the cache.
    if (aSize % 2 == 1) {
        manager->PreloadInterview(LString("fuzz"));
    }
    GMInterview* interview = manager->SelectInterview(LString("fuzz"));
    if (interview == nullptr) {
        return 0;
    }
    auto alive = [&] { return manager->GetCurrentInterview() == interview; };
    // The topics to click: the data's first few, as the topic list's buttons are named.
    LPropertyList data;
    data.Parse(input.c_str(), static_cast<int>(split == std::string::npos ? input.size() : split));
    const LPropertyList* topics = data.GetList(LString("topics"));
    manager->StartCurrentInterview();
    static const char* const kModes[] = {"mode_stra", "mode_conf", "mode_decp", "mode_flat", "mode_empa"};
    LMouse* mouse = LMouse::Get();
    for (int step = 0; step < 40 && alive() && interview->IsRunning(); ++step) {
        Frame();
        if (!alive()) {
            break;
        }
        if (step % 4 == 1 && topics != nullptr && topics->GetCount() > 0) {
            interview->OnButton(topics->GetKeyAt((step / 4) % topics->GetCount()), XBTNEVENT_CLICKED);
        } else if (step % 4 == 2) {
            interview->OnButton(LString(kModes[(step / 4) % 5]), XBTNEVENT_CLICKED);
        } else if (step % 4 == 3 && mouse != nullptr) {
            mouse->OnMove(LVector2(420.0f + 9.0f * static_cast<float>(step), 402.0f));
            mouse->OnWheel(step % 8 == 3 ? 120.0f : -120.0f);
        }
        // An expert has no meter to fill.
        if (step == 24 && !interview->IsBusy() && !manager->IsExpert()) {
            interview->OnMeterFull(aSize % 2 == 0);
        }
        if (step == 32) {
            interview->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
        }
    }
    if (alive() && interview->IsRunning()) {
        interview->End();
    }
    Frame();
    return 0;
}
