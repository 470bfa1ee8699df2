// Builds the front-end menu widgets from arbitrary layout text over the recording
// rasterizer and textures: every entry of the top-level "menubuttons" list becomes a menu
// button and "toggle" an option toggle. A steering program after a last "====" line
// (support/LFuzzSteer.h) then moves, presses and passes frames, its op 5 enables or
// disables, 6 selects or deselects a button and 7 sets the toggle's value; without one
// the mouse presses at fixed points. Then everything is deleted. Sprites find "a.tga"
// (8 x 8) under the texture root.
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "menu/GMMenuButton.h"
#include "menu/GMOptionToggle.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSteer.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
class LFuzzListener : public LIButtonListener
{
public:
    void OnButton(const LString&, int) override {}
};

bool Prepare()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    FuzzDataRoot("//fuzz").Write("a.tga", FuzzPicture());
    LTextureManager::Get()->SetRoot(LString("//fuzz"));
    return true;
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

    std::string text(reinterpret_cast<const char*>(aData), aSize);
    LFuzzSteer steer(FuzzTakeSteering(text));
    const bool steered = text.size() != aSize;
    LPropertyList layout;
    layout.Parse(text.data(), static_cast<int>(text.size()));
    GMMenuButton* buttons[16] = {};
    int buttonCount = 0;
    LDisplayGroup* root = new LDisplayGroup();
    root->SetId(LString("root"));
    LFuzzListener listener;
    if (LPropertyList* list = layout.GetList(LString("menubuttons"))) {
        for (int i = 0; i < list->GetCount() && i < 16; ++i) {
            GMMenuButton* button = new GMMenuButton();
            if (!button->Create(list->GetListAt(i), &listener) || !root->AddMember(button, true)) {
                delete button;
            } else {
                buttons[buttonCount++] = button;
            }
        }
    }
    GMOptionToggle toggle;
    toggle.Create(layout.GetList(LString("toggle")), root);

    LMouse* mouse = LMouse::Get();
    for (int step = 0; mouse != nullptr && steer.More() && step < 512; ++step) {
        const int op = steer.Step(mouse) % 8;
        if (op == 5 || op == 6) {
            const int pick = steer.Next();
            if (buttonCount > 0) {
                GMMenuButton* button = buttons[(pick >> 1) % buttonCount];
                op == 5 ? (void)button->SetEnabled(pick & 1) : button->SetSelected(pick & 1);
            }
        } else if (op == 7) {
            toggle.SetValue(steer.Next() % 4 - 1);
        }
    }
    if (mouse != nullptr && !steered) {
        const float points[][2] = {{0.0f, 0.0f}, {4.0f, 4.0f}, {50.0f, 30.0f}, {400.0f, 300.0f}};
        for (const auto& point : points) {
            mouse->OnMove(LVector2(point[0], point[1]));
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.03);
            mouse->OnButtonDown(2);
            mouse->OnButtonUp(2);
            LFakeTimer::FrameAt(LFakeTimer::sNow + 0.03);
        }
    }
    delete root;
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
