// Builds the display objects of arbitrary layout text over the recording rasterizer and
// textures, draws them once and deletes them. The input is the layout text; its top-level
// "sprites", "groups", "buttons" and "shapes" lists go into one root group, "group" is
// built as one group with children, and "scrollbar" is read against the root group.
// Sprites find "a.tga" (8 x 8), "b.bmp" (3 x 2) and "odd.tga" (20 x 12, tiled on the
// power-of-two device) under the texture root.
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LRenderer.h"
#include "Render/LTextureManager.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LImageBytes.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
bool Prepare()
{
    static LTestDirectory sDirectory;
    RegisterFakeRender();
    LFakeDeviceCaps::sPow2 = true;
    sDirectory.Write("a.tga", LImageBytes::Tga(8, 8, 32, 8, std::string(8 * 8 * 4, '\x7f')));
    sDirectory.Write("b.bmp", LImageBytes::Bmp(3, 2, LImageBytes::BmpRows(3, 2)));
    sDirectory.Write("odd.tga", LImageBytes::Tga(20, 12, 24, 0, std::string(20 * 12 * 3, '\x10')));
    LIFileSystem::Get()->AddMount(LString("//fuzz"), FromStd(sDirectory.Path()));
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
    if (LPropertyList* list = layout.GetList(LString("sprites"))) {
        LLayoutBuilder::BuildSprites(list, root);
    }
    if (LPropertyList* list = layout.GetList(LString("groups"))) {
        LLayoutBuilder::BuildGroups(list, root);
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

    LRenderer* renderer = LRenderer::Get();
    if (renderer != nullptr && renderer->Begin()) {
        root->Render(renderer);
        renderer->End();
    }
    delete root;
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
