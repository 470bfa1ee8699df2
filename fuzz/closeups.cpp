// Builds a close-up from an arbitrary entry inside the sample's riverbank (over the fake
// drawing, sound, movie and timer services), opens it by its trigger state, hovers and
// clicks inside its hotspots and answers every action code on them, clicks its back
// button while a voice-over may still play, runs frames past its delayed interview, opens
// it once more and unloads it, then deletes it. The riverbank is brought back for the next
// input when anything led elsewhere.
#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "multicursor/GMMultiCursor.h"
#include "scene/GMCloseUp.h"
#include "scene/GMHotspot.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
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

// Never a double click: a second passes first.
void ClickLater(const LVector2& aAt)
{
    Now() += 1.0;
    LFakeTimer::FrameAt(Now());
    Click(aAt);
}

void Trigger(const GMCloseUp& aCloseUp, const char* aValue)
{
    if (!aCloseUp.GetTriggerState().IsEmpty()) {
        LStateManager::Get()->SetState(aCloseUp.GetTriggerState(), aValue, true);
    }
}

void UseHotspots(GMCloseUp& aCloseUp)
{
    for (int i = 0; i < aCloseUp.GetHotspotCount(); ++i) {
        GMHotspot* hotspot = aCloseUp.GetHotspot(i);
        LVector2 inside = hotspot->GetBoundaryPosition();
        if (const LPolygon* boundary = hotspot->GetBoundary(); boundary != nullptr && boundary->GetNumPoints() > 0) {
            const LVector2 first = boundary->GetPoint(0);
            inside = LVector2(inside.x + first.x + 1.0f, inside.y + first.y + 1.0f);
        }
        ClickLater(inside);
        Run(4);
        // An action may close the close-up (a state it sets): its hotspots then go.
        if (i >= aCloseUp.GetHotspotCount() || aCloseUp.GetHotspot(i) != hotspot) {
            return;
        }
        for (int code = 0; code <= 6 && aCloseUp.GetHotspot(i) == hotspot; ++code) {
            hotspot->ShowMultiCursor();
            hotspot->OnAction(code);
            Run(2);
        }
    }
}

void Back(GMCloseUp& aCloseUp)
{
    LDisplayGroup* group = aCloseUp.GetDisplayGroup();
    LIDisplayObject* button = group != nullptr ? group->GetMember(LString(GMCloseUp::kBackButtonId)) : nullptr;
    if (button != nullptr) {
        const LVector2 at = button->GetWorldPosition();
        ClickLater(LVector2(at.x + 10.0f, at.y + 10.0f));
    }
}

// Ends an interview the close-up started, so that the next input starts clean.
void EndInterview()
{
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    if (interviews != nullptr && scene != nullptr && scene->IsInterviewRunning()) {
        if (GMInterview* interview = interviews->GetCurrentInterview()) {
            interview->End();
        }
    }
    Run(8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 13)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    LFuzzRequireSetUp(sPrepared, "closeups");
    Begin(aSize);
    LPropertyList entry;
    entry.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    auto* closeUp = new GMCloseUp();
    closeUp->Create(&entry);
    LMouse::Get()->OnMove(LVector2(-50.0f, -50.0f));

    Trigger(*closeUp, "true");
    Trigger(*closeUp, "true");
    Run(8, false);
    UseHotspots(*closeUp);
    Back(*closeUp); // a voice-over may still be playing
    Run(12);
    EndInterview();

    Trigger(*closeUp, "true");
    Run(8);
    closeUp->SetHotspotsEnabled(false);
    closeUp->Refresh();
    Trigger(*closeUp, "false");
    Run(8);
    EndInterview();

    Trigger(*closeUp, "true");
    Run(8);
    closeUp->Unload();
    if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
        screens->RemoveScreen(closeUp);
        if (GMIScreen* top = screens->GetTop()) {
            top->OnShow();
        }
    }
    delete closeUp;
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->Hide(false);
    }
    Run(4);
    GMTestCutScenes::PlayOut();
    CatchUp();
    // The next input finds the stage as the set-up left it.
    LFuzzRequireSetUp(Settle(), "closeups");
    return 0;
}
