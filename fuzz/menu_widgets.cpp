// Builds the front-end menu widgets from arbitrary layout text over the recording
// rasterizer and textures: every entry of the top-level "menubuttons" list becomes a menu
// button and "toggle" an option toggle. The mouse then moves over, presses and releases
// with each button, a few frames pass, and everything is deleted. Sprites find "a.tga"
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

    LPropertyList layout;
    layout.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    LDisplayGroup* root = new LDisplayGroup();
    root->SetId(LString("root"));
    LFuzzListener listener;
    if (LPropertyList* list = layout.GetList(LString("menubuttons"))) {
        for (int i = 0; i < list->GetCount() && i < 16; ++i) {
            GMMenuButton* button = new GMMenuButton();
            if (!button->Create(list->GetListAt(i), &listener) || !root->AddMember(button, true)) {
                delete button;
            }
        }
    }
    GMOptionToggle toggle;
    toggle.Create(layout.GetList(LString("toggle")), root);

    LMouse* mouse = LMouse::Get();
    if (mouse != nullptr) {
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
