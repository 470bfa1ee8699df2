// Selects a witness or expert interview from an arbitrary data file and subtitle list
// (the input's two parts, split at the first line "%%") through the interview manager,
// over the sample's case-1 location and interview panel with the fake render, sound and
// timer; starts it, runs frames while ending every voiced line as it starts, clicks its
// first topics, rests on each shown mode until its tooltip shows and clicks it, turns the
// wheel, reports a full meter (to a witness), leaves by the exit button, and ends it when
// it still runs. Odd-sized inputs take it from the cache; the last byte, unless a line
// break, sets the states the openings read (bargaining, a recent failure, no more
// information).
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewScrollBar.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LRandom.h"
#include "support/GMTestScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSetUp.h"
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

// The centre of a shown mode button's look on the screen.
bool ModeCentre(GMInterviewManager* aManager, const char* aMode, LVector2& aOut)
{
    LDisplayGroup *panel = nullptr, *modes = nullptr;
    GMInterviewMeter* meter = nullptr;
    GMInterviewScrollBar* bar = nullptr;
    aManager->GetInterviewDisplay(&panel, &modes, &meter, &bar);
    auto* button = modes != nullptr ? dynamic_cast<LButton*>(modes->GetMember(LString(aMode))) : nullptr;
    LIDisplayObject* look = button != nullptr && button->IsVisible() ? button->GetObject() : nullptr;
    LPolygon boundary;
    if (look == nullptr || look->GetWorldMatrix() == nullptr || !look->GetWorldBoundary(&boundary) ||
        boundary.GetNumPoints() <= 0) {
        return false;
    }
    float x = 0.0f;
    float y = 0.0f;
    for (int i = 0; i < boundary.GetNumPoints(); ++i) {
        x += boundary.GetPoint(i).x;
        y += boundary.GetPoint(i).y;
    }
    aOut = LVector2(x / static_cast<float>(boundary.GetNumPoints()), y / static_cast<float>(boundary.GetNumPoints()));
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    LFuzzRequireSetUp(sPrepared, "interview_data");
    LFuzzForgetRecords();
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    const size_t split = input.find("\n%%\n");
    gInterviews->Write("fuzz.txt", input.substr(0, split));
    gInterviews->Write("fuzz_subtitles.txt", split == std::string::npos ? std::string() : input.substr(split + 4));

    // Each input starts from a witness never questioned before, and a draw of its own.
    LStateManager::Get()->RemoveAllStates();
    LEventManager::Get()->RemoveAllEvents();
    LRandom::Seed(static_cast<unsigned int>(aSize));
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
    // The states the openings read, from the input's last byte unless it is a line break
    // (a text ends in one): bargaining under way, a failure a moment ago (for the denial
    // draw), no more information.
    const uint8_t opening = aSize > 0 && aData[aSize - 1] != '\n' && aData[aSize - 1] != '\r' ? aData[aSize - 1] : 0;
    LStateManager* states = LStateManager::Get();
    if (opening & 1) {
        states->SetState(LString("bargaining_fuzz_active"), LString("boolean"), LString("true"), false);
    }
    if ((opening & 2) && !interview->GetDenialStateId().IsEmpty()) {
        states->SetState(interview->GetDenialStateId(), LString("number"), LString("0.5"), false);
    }
    if ((opening & 4) && !interview->GetNoInfoStateId().IsEmpty()) {
        states->SetState(interview->GetNoInfoStateId(), LString("boolean"), LString("true"), false);
    }
    // The topics to click: the data's first few, as the topic list's buttons are named.
    LPropertyList data;
    data.Parse(input.c_str(), static_cast<int>(split == std::string::npos ? input.size() : split));
    const LPropertyList* topics = data.GetList(LString("topics"));
    manager->StartCurrentInterview();
    static const char* const kModes[] = {"mode_stra", "mode_conf", "mode_decp", "mode_flat", "mode_empa"};
    LMouse* mouse = LMouse::Get();
    // Rounds while the interview is not busy (a busy one takes no hover and no click): a
    // topic is clicked; once a mode shows, the mouse rests on it for more than the
    // tooltip's second and clicks it; the mouse leaves and the wheel turns.
    int round = 0;
    int phase = 0;
    int waited = 0;
    for (int step = 0; step < 96 && alive() && interview->IsRunning(); ++step) {
        Frame();
        if (!alive()) {
            break;
        }
        // An expert has no meter to fill.
        if (step == 60 && !interview->IsBusy() && !manager->IsExpert()) {
            interview->OnMeterFull(aSize % 2 == 0);
        }
        if (step == 84 && alive()) {
            interview->OnButton(LString("btn_exit"), XBTNEVENT_CLICKED);
        }
        if (!alive() || interview->IsBusy()) {
            continue;
        }
        const char* mode = kModes[round % 5];
        LVector2 at;
        switch (phase) {
        case 0:
            if (topics != nullptr && topics->GetCount() > 0) {
                interview->OnButton(topics->GetKeyAt(round % topics->GetCount()), XBTNEVENT_CLICKED);
            }
            phase = 1;
            waited = 0;
            break;
        case 1:
            if (mouse != nullptr && ModeCentre(manager, mode, at)) {
                mouse->OnMove(at);
                phase = 2;
                waited = 0;
            } else if (++waited > 2) {
                phase = 3;
            }
            break;
        case 2:
            // Five frames a quarter second apart: more than the tooltip's second.
            if (++waited >= 5) {
                interview->OnButton(LString(mode), XBTNEVENT_CLICKED);
                phase = 3;
            }
            break;
        default:
            if (mouse != nullptr) {
                mouse->OnMove(LVector2(420.0f + 9.0f * static_cast<float>(round), 402.0f));
                mouse->OnWheel(round % 2 == 0 ? 120.0f : -120.0f);
            }
            ++round;
            phase = 0;
            break;
        }
    }
    if (alive() && interview->IsRunning()) {
        interview->End();
    }
    Frame();
    return 0;
}
