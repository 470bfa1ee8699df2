// Loads the game cursor from arbitrary cursor files over the recording rasterizer and
// textures, shows every type and an item, moves the mouse with the highlight on, and
// deletes it. The input holds the four files in order, separated by lines "====":
// "cursors.txt", "cursors_dir.txt", "pda/inventory/inventory_items.txt" and
// "icon_cursors.txt". Sprites find "a.tga" (8 x 8) under either texture root.
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LString.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LTestDirectory.h"
#include "ui/GMCursor.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
LTestDirectory* gDirectory = nullptr;

bool Prepare()
{
    RegisterFakeRender();
    RegisterFakeTimer();
    gDirectory = &FuzzDataRoot("//textures");
    gDirectory->Write("a.tga", FuzzPicture());
    gDirectory->Write("pda/inventory/a.tga", FuzzPicture());
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

    const char* files[] = {"cursors.txt", "cursors_dir.txt", "pda/inventory/inventory_items.txt",
                           "icon_cursors.txt"};
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    size_t start = 0;
    for (const char* file : files) {
        size_t end = input.find("\n====\n", start);
        const std::string part = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        gDirectory->Write(file, part);
        start = end == std::string::npos ? input.size() : end + 6;
    }

    GMCursor* cursor = new GMCursor();
    for (GMCursorType type = -1; type <= GMCursor::TYPE_COUNT; ++type) {
        cursor->SetCursor(type, LString("fuzz"));
        cursor->ReleaseCursor(LString("other"));
    }
    for (const char* item : {"knife_cl", "a", "_re", ""}) {
        cursor->SetItemCursor(LString(item));
    }
    cursor->SetCursor(GMCursor::TYPE_ITEM_HILIGHT, LString(""));
    if (LMouse* mouse = LMouse::Get()) {
        mouse->OnMove(LVector2(10.0f, 20.0f));
    }
    cursor->SetVisible(false);
    delete cursor;
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
