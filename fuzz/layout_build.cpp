// Builds the display objects of arbitrary layout text over the recording rasterizer and
// textures, draws them once, moves and clicks the mouse over them while frames pass (a
// steering program after a last "====" line: support/LFuzzSteer.h; fixed points without
// one), and deletes them. The layout text's top-level "sprites", "groups", "buttons" and "shapes"
// lists go into one root group, "group" is built as one group with children, and
// "scrollbar" is read against the root group and made into a scroll bar.
// Sprites find "a.tga" (8 x 8), "b.bmp" (3 x 2) and "odd.tga" (20 x 12, tiled on the
// power-of-two device) under the texture root.
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LScrollBarParams.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSteer.h"
#include "writers/LImageBytes.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

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
    LFakeDeviceCaps::sPow2 = true;
    LTestDirectory& directory = FuzzDataRoot("//fuzz");
    directory.Write("a.tga", FuzzPicture());
    directory.Write("b.bmp", LImageBytes::Bmp(3, 2, LImageBytes::BmpRows(3, 2)));
    directory.Write("odd.tga", LImageBytes::Tga(20, 12, 24, 0, std::string(20 * 12 * 3, '\x10')));
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
    LPropertyList layout;
    layout.Parse(text.data(), static_cast<int>(text.size()));
    LDisplayGroup* root = new LDisplayGroup();
    root->SetId(LString("root"));
    if (LPropertyList* list = layout.GetList(LString("sprites"))) {
        LLayoutBuilder::BuildSprites(list, root);
    }
    if (LPropertyList* list = layout.GetList(LString("groups"))) {
        LLayoutBuilder::BuildGroups(list, root);
    }
    LFuzzListener listener;
    if (LPropertyList* list = layout.GetList(LString("buttons"))) {
        // A scroll bar listens to its buttons itself, which takes buttons without one.
        const bool scrolled = layout.GetList(LString("scrollbar")) != nullptr;
        LLayoutBuilder::BuildButtons(list, root, scrolled ? nullptr : &listener);
    }
    if (LPropertyList* list = layout.GetList(LString("shapes"))) {
        LLayoutBuilder::BuildShapes(list, root);
    }
    if (LPropertyList* list = layout.GetList(LString("group"))) {
        if (LDisplayGroup* group = LLayoutBuilder::BuildGroup(list, true)) {
            if (!root->AddMember(group, true)) {
                delete group;
            }
        }
    }

    LScrollBar* scrollBar = nullptr;
    LScrollBarParams params;
    if (LLayoutBuilder::BuildScrollBar(layout.GetList(LString("scrollbar")), root, &params)) {
        scrollBar = new LScrollBar();
        scrollBar->Create(params);
        scrollBar->SetContentGroup(root);
    }

    LRenderer* renderer = LRenderer::Get();
    if (renderer != nullptr && renderer->Begin()) {
        root->Render(renderer);
        renderer->End();
    }
    LMouse* mouse = LMouse::Get();
    if (steer.More()) {
        FuzzDriveMouse(steer, 512);
    } else if (mouse != nullptr) {
        const float points[][2] = {{0.0f, 0.0f}, {4.0f, 4.0f}, {400.0f, 300.0f}, {405.0f, 345.0f}};
        for (const auto& point : points) {
            mouse->OnMove(LVector2(point[0], point[1]));
            mouse->OnButtonDown(1);
            mouse->OnButtonUp(1);
        }
    }
    // The scroll bar lets go of its buttons before they go.
    delete scrollBar;
    delete root;
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
