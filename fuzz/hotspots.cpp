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
#include "support/LFuzzRiverbank.h"
#include "support/LFuzzSetUp.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace LFuzzRiverbank;

// A screen point the hotspot counts as inside its boundary: the centre of its corners, or
// a point a quarter of the way from a corner to that centre. False when none is on the
// screen (the mouse never leaves it).
bool Inside(GMHotspot& aHotspot, LVector2& aOut)
{
    const LPolygon* boundary = aHotspot.GetBoundary();
    const int count = boundary != nullptr ? boundary->GetNumPoints() : 0;
    if (count <= 0) {
        return false;
    }
    const LVector2 origin = aHotspot.GetBoundaryPosition();
    double sumX = 0.0;
    double sumY = 0.0;
    for (int i = 0; i < count; ++i) {
        sumX += boundary->GetPoint(i).x;
        sumY += boundary->GetPoint(i).y;
    }
    const double centreX = sumX / count;
    const double centreY = sumY / count;
    for (int i = -1; i < count && i < 16; ++i) {
        const double x = i < 0 ? centreX : boundary->GetPoint(i).x + 0.25 * (centreX - boundary->GetPoint(i).x);
        const double y = i < 0 ? centreY : boundary->GetPoint(i).y + 0.25 * (centreY - boundary->GetPoint(i).y);
        const double screenX = origin.x + x;
        const double screenY = origin.y + y;
        // Also false for NaN.
        if (!(screenX >= 0.0 && screenX < 800.0 && screenY >= 0.0 && screenY < 600.0)) {
            continue;
        }
        const LVector2 point(static_cast<float>(screenX), static_cast<float>(screenY));
        if (aHotspot.CheckWithin(point)) {
            aOut = point;
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 13)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    LFuzzRequireSetUp(sPrepared, "hotspots");
    Begin(aSize);
    LPropertyList entry;
    entry.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    GMHotspot* hotspot = GMHotspot::Create(&entry);
    if (hotspot == nullptr) {
        return 0;
    }
    hotspot->SetInputEnabled(true);
    LMouse::Get()->OnMove(LVector2(-50.0f, -50.0f));
    LVector2 inside;
    const bool onScreen = Inside(*hotspot, inside);
    if (onScreen) {
        Click(inside);
        Click(inside); // a double click
    }
    Run(8);
    // Once more when a walk the first click began has ended: the player may stand by now
    // where the hotspot is acted on without a walk.
    if (onScreen) {
        Run(8);
        Click(inside);
        Run(4);
    }
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
    CatchUp();
    // The next input finds the stage as the set-up left it.
    LFuzzRequireSetUp(Settle(), "hotspots");
    return 0;
}
