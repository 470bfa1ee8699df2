// Builds a hotspot from an arbitrary entry inside the sample's riverbank (over the fake
// drawing, sound, movie and timer services), then hovers and clicks it, opens the
// multi-cursor and answers every action code, plays every voice-over and cut-scene
// situation, runs frames while the sounds end, and deletes it; the cut scenes it started
// run to their end. A door or a cut scene that led elsewhere brings the riverbank back for
// the next input.
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "multicursor/GMMultiCursor.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const LString kLocation(u"case01/riverbank");
// The fake timer's time (the sample game starts at 1.0 s).
double gNow = 1.0;

bool Riverbank()
{
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    GMScene* scene = scenes != nullptr ? scenes->GetScene() : nullptr;
    if (scene != nullptr && scene->GetId() == kLocation && scene->GetViewpoint() == LString(u"vp01")) {
        return true;
    }
    return scenes != nullptr && scenes->LoadScene(kLocation, true, true) && scenes->GetScene() != nullptr;
}

bool Prepare()
{
    return GMSceneFlow::PrepareGame() && Riverbank();
}

// Frames a quarter second apart; every sound that plays ends.
void Run(int aFrames)
{
    for (int i = 0; i < aFrames; ++i) {
        gNow += 0.25;
        LFakeTimer::FrameAt(gNow);
        const std::vector<LFakeSoundPlayer*> live = LFakeSoundPlayer::Live();
        for (LFakeSoundPlayer* player : live) {
            player->MarkEnded();
        }
    }
}

void Click(const LVector2& aAt)
{
    LMouse* mouse = LMouse::Get();
    mouse->OnMove(aAt);
    mouse->OnButtonDown(1);
    mouse->OnButtonUp(1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 13)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    if (!sPrepared || !Riverbank()) {
        return 0;
    }
    LPropertyList entry;
    entry.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    GMHotspot* hotspot = GMHotspot::Create(&entry);
    if (hotspot == nullptr) {
        return 0;
    }
    hotspot->SetInputEnabled(true);
    LVector2 inside = hotspot->GetBoundaryPosition();
    if (const LPolygon* boundary = hotspot->GetBoundary(); boundary != nullptr && boundary->GetNumPoints() > 0) {
        const LVector2 first = boundary->GetPoint(0);
        inside = LVector2(inside.x + first.x + 1.0f, inside.y + first.y + 1.0f);
    }
    LMouse::Get()->OnMove(LVector2(-50.0f, -50.0f));
    Click(inside);
    Click(inside); // a double click
    Run(8);
    for (int code = 0; code <= 6; ++code) {
        hotspot->ShowMultiCursor();
        hotspot->OnAction(code);
        hotspot->OnPlayerActionPoint();
        Run(4);
    }
    for (int situation = -1; situation <= GMHotspot::SITUATION_COUNT; ++situation) {
        hotspot->PlayVoiceOver(situation);
        hotspot->PlayActionCutScene(situation);
        Run(2);
    }
    hotspot->TrackTargetDone();
    hotspot->ContinueAction();
    hotspot->OnNavigationEvent(LString());
    hotspot->OnPlayerActionDone(8);
    Run(12);
    delete hotspot;
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(false);
    }
    Run(2);
    // The cut scenes it started (over the fake movie manager) end before the next input.
    GMTestCutScenes::PlayOut();
    gNow = LFakeTimer::sNow;
    return 0;
}
