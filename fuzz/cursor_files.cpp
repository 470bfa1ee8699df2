// Loads the game cursor from arbitrary cursor files over the recording rasterizer and
// textures, shows every type and an item, moves the mouse with the highlight on, and
// deletes it. The input holds the four files in order, separated by lines "====":
// "cursors.txt", "cursors_dir.txt", "pda/inventory/inventory_items.txt" and
// "icon_cursors.txt"; a fifth part steers (support/LFuzzSteer.h): besides the mouse and
// frame steps, op 5 takes the item named by the next byte (the n-th id that the items
// file names) into the hand, 6 sets a cursor type, 7 shows or hides the cursor or its
// highlight ring. Sprites find "a.tga" (8 x 8) under either texture root.
#include "Input/LMouse.h"
#include "LVector2.h"
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSteer.h"
#include "support/LTestDirectory.h"
#include "ui/GMCursor.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
    LFuzzForgetRecords();

    const char* files[] = {"cursors.txt", "cursors_dir.txt", "pda/inventory/inventory_items.txt",
                           "icon_cursors.txt"};
    const std::string input(reinterpret_cast<const char*>(aData), aSize);
    std::string parts[5];
    size_t start = 0;
    for (std::string& part : parts) {
        const size_t end = input.find("\n====\n", start);
        part = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? input.size() : end + 6;
    }
    for (int i = 0; i < 4; ++i) {
        gDirectory->Write(files[i], parts[i]);
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
    LMouse* mouse = LMouse::Get();
    if (mouse != nullptr) {
        mouse->OnMove(LVector2(10.0f, 20.0f));
    }

    // The ids the items file names: its lists two deep ("items", a case, the item).
    std::vector<LString> ids;
    LPropertyList items;
    items.Parse(parts[2].data(), static_cast<int>(parts[2].size()));
    for (int i = 0; i < items.GetCount(); ++i) {
        const LPropertyList* cases = items.GetListAt(i);
        for (int c = 0; cases != nullptr && c < cases->GetCount(); ++c) {
            const LPropertyList* entries = cases->GetListAt(c);
            for (int k = 0; entries != nullptr && k < entries->GetCount(); ++k) {
                ids.push_back(entries->GetKeyAt(k));
            }
        }
    }
    LFuzzSteer steer(parts[4]);
    for (int step = 0; mouse != nullptr && steer.More() && step < 256; ++step) {
        const int op = steer.Step(mouse) % 8;
        const int pick = op >= 5 ? steer.Next() : 0;
        if (op == 5) {
            cursor->SetItemCursor(ids.empty() ? LString("") : ids[pick % ids.size()]);
        } else if (op == 6) {
            cursor->SetCursor(pick % (GMCursor::TYPE_COUNT + 1) - 1, LString(pick & 1 ? "fuzz" : ""));
        } else if (op == 7) {
            (pick & 2 ? cursor->SetHilight(pick & 1) : cursor->SetVisible(pick & 1));
        }
    }
    cursor->SetVisible(false);
    delete cursor;
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
