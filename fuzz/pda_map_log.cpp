// The PDA's map and log from arbitrary text: the input is the map layout
// ("//textures/pda/map_layout.txt"), a line "====", and the log data
// ("//textures/pda/logdata.txt"). The PDA's map is built again from the layout for the case
// the input's length picks (1 or 2), a few events are raised, the PDA opens on the log and
// then the map, which blinks for a while; each tag's button is moved to the middle of the
// scroll area and clicked there (the moves find no scene to load; the PDA opens again
// after each), the wheel turns, the log is shown again and the PDA closes. The sample's
// PDA pictures are under the texture root.
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "pda/GMLogPanel.h"
#include "pda/GMMapPanel.h"
#include "pda/GMMapTag.h"
#include "pda/GMPDA.h"
#include "state/LStateManager.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzPDAWorld.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    GMTestRoots& roots = FuzzPDAWorld();
    LFuzzForgetRecords();
    const FuzzTwoTexts texts = FuzzSplitTexts(aData, aSize);
    const std::string& mapText = texts.mFirst;
    roots.Write("data/textures/pda/logdata.txt", texts.mSecond);
    FuzzFreshCase(aSize % 2 == 0 ? "1" : "2");
    LEventManager* events = LEventManager::Get();
    GMPDA* pda = GMPDA::GetInstance();
    if (pda == nullptr) {
        return 0;
    }
    LPropertyList layout;
    layout.Parse(mapText.c_str(), static_cast<int>(mapText.size()));
    // The PDA's own panels: the map built again from the input's layout.
    auto* map = static_cast<GMMapPanel*>(pda->GetPanel(LString("map")));
    auto* log = static_cast<GMLogPanel*>(pda->GetPanel(LString("log")));
    if (map == nullptr || log == nullptr) {
        return 0;
    }
    map->Create(&layout);
    for (const char* id : {"evt_pen_collected", "evt_sample_looked", "evt_a", "evt_b"}) {
        LFakeTimer::Frames(1, 0.1);
        events->AddEvent(LString(id), true);
    }
    if (!pda->IsOpen()) {
        pda->Open();
    }
    pda->SetPanel(LString("log"));
    pda->SetPanel(LString("map"));
    LFakeTimer::Frames(40, 0.05);
    LMouse* mouse = LMouse::Get();
    LRectangle clip(300.0f, 150.0f, 0.0f, 0.0f);
    if (LDisplayGroup* area = pda->GetScrollArea()) {
        area->GetWorldClip(&clip);
    }
    const LVector2 at(clip.GetX() + clip.GetWidth() / 2.0f, clip.GetY() + clip.GetHeight() / 2.0f);
    for (int i = 0; i < map->GetTagCount() && i < 16; ++i) {
        GMMapTag* tag = map->GetTag(i);
        LButton* button = tag != nullptr ? tag->GetButton() : nullptr;
        if (button == nullptr || button->GetGroup() == nullptr) {
            continue;
        }
        // A move closes the PDA: opened again on the map for the next tag.
        if (!pda->IsOpen()) {
            pda->Open();
            pda->SetPanel(LString("map"));
        }
        // The tag's button moved to the middle of the scroll area, and clicked there.
        button->SetPosition(at - button->GetGroup()->GetWorldPosition());
        mouse->OnMove(at + LVector2(1.0f, 1.0f));
        mouse->OnButtonDown(1);
        mouse->OnButtonUp(1);
        mouse->OnMove(LVector2(-10.0f, -10.0f));
        LFakeTimer::Frames(2, 0.05);
    }
    mouse->OnWheel(-120.0f);
    if (!pda->IsOpen()) {
        pda->Open();
    }
    pda->SetPanel(LString("log"));
    mouse->OnWheel(120.0f);
    pda->Close();
    LFakeTimer::Frames(2, 0.05);
    return 0;
}
