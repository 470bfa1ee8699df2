// Lists the input as the saved games' index, and picks a thumbnail with the input as the
// thumbnail table. The listing holds the entries game1, game2 ... in order up to the first
// gap, the next save's number follows them (no save file lies in the fuzz data root), and
// no listed thumbnail name leaves the thumbnail folder; a picked thumbnail is never empty.
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "menu/GMSaveIndexFile.h"
#include "support/LFuzzDataRoot.h"

#include <cstddef>
#include <cstdint>

namespace {

void Pick(const LPropertyList& aTable, const LString& aScene, const LString& aViewpoint)
{
    LStateManager* states = LStateManager::Get();
    states->RemoveAllStates();
    if (!aScene.IsEmpty()) {
        states->SetState(LString("sta_currentscene"), LString("string"), aScene, false);
    }
    if (!aViewpoint.IsEmpty()) {
        states->SetState(LString("sta_currentviewpoint"), LString("string"), aViewpoint, false);
    }
    if (GMSaveIndexFile::PickThumbnail(&aTable).IsEmpty()) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 16)) {
        return 0;
    }
    const char* bytes = reinterpret_cast<const char*>(aData);
    const int size = static_cast<int>(aSize);
    // The next number is found by asking for the save files there.
    FuzzDataRoot("//dataroot");

    GMSaveIndexFile index;
    index.Parse(bytes, size);
    LVectorString keys;
    LVectorString descriptions;
    LVectorString thumbnails;
    const int listed = index.ListSaves(&keys, &descriptions, &thumbnails);
    if (listed != keys.GetCount() || listed != descriptions.GetCount() || listed != thumbnails.GetCount() ||
        index.GetNextNumber() != listed + 1) {
        __builtin_trap();
    }
    for (int i = 0; i < listed; ++i) {
        if (keys[i] != LString("game") + (i + 1) || !LIFileSystem::IsSafeName(thumbnails[i])) {
            __builtin_trap();
        }
    }

    LPropertyList table;
    table.Parse(bytes, size);
    Pick(table, LString("precinct"), LString("vp01"));
    Pick(table, LString("case01/riverbank"), LString("vp02"));
    Pick(table, LString("case01"), LString());
    // The table's own first keys as a location and viewpoint.
    const LString first = table.GetCount() > 0 ? table.GetKeyAt(0) : LString();
    const LPropertyList* location = table.GetCount() > 0 ? table.GetListAt(0) : nullptr;
    const LString inner = location != nullptr && location->GetCount() > 0 ? location->GetKeyAt(0) : LString();
    const LPropertyList* viewpoints = location != nullptr && location->GetCount() > 0 ? location->GetListAt(0) : nullptr;
    const LString viewpoint = viewpoints != nullptr && viewpoints->GetCount() > 0 ? viewpoints->GetKeyAt(0) : LString();
    Pick(table, first + "/" + inner, viewpoint);
    Pick(table, inner, viewpoint);
    return 0;
}
