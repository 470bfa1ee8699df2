// Reads the input as a save file into a game in progress through the real load path: the
// game in progress is kept, the blocks read, and a damaged save puts the game back. A
// refused save leaves the game's bytes exactly as they were; a taken one names a location
// and a viewpoint, and the game it made saves and loads again.
#include "container/LString.h"
#include "event/LEventManager.h"
#include "object/LRegistry.h"
#include "object/LRuntimeSetup.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"
#include "support/LFuzzInventory.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSetUp.h"
#include "support/LTestStreams.h"
#include "menu/GMSaveGameFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool Prepare()
{
    GMInventoryPanel* inventory = FuzzInventory();
    if (inventory == nullptr || !LRuntimeSetup::RegisterCreators(LRegistry::Get()) ||
        !LRuntimeSetup::RegisterRestorables()) {
        return false;
    }
    // The locations a save may name (the corpus's saves name the riverbank).
    LTestDirectory& scenes = FuzzDataRoot("//scenes");
    scenes.Write("case01/riverbank/scene.txt", "defaultviewpoint=vp01\n");
    scenes.Write("precinct/scene.txt", "defaultviewpoint=vp01\n");
    // A game in progress.
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    states->SetState(LString("sta_currentscene"), LString("string"), LString("precinct"), false);
    states->SetState(LString("sta_currentviewpoint"), LString("string"), LString("vp01"), false);
    LEventManager::Get()->AddEvent(LString("evt_in_progress"), false);
    return inventory->AddItem(LString("pen"));
}

std::string Game()
{
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!GMSaveGameFile::Encode(stream)) {
        __builtin_trap();
    }
    return WrittenBytes(stream);
}

bool HasText(const char* aId)
{
    const LIState* state = LStateManager::Get()->GetState(LString(aId));
    return state != nullptr && state->GetType() == LIState::TYPE_STRING && state->GetValue() != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    static const bool sReady = Prepare();
    LFuzzRequireSetUp(sReady, "save_game");
    LFuzzForgetRecords();
    if (aSize > (1u << 16)) {
        return 0;
    }
    const std::string before = Game();
    LMemoryStream input(4, LMemoryStream::GROW_DOUBLE);
    LoadFuzzInput(input, aData, aSize);
    if (!GMSaveGameFile::Read(input)) {
        if (Game() != before) {
            __builtin_trap();
        }
        return 0;
    }
    if (!HasText("sta_currentscene") || !HasText("sta_currentviewpoint")) {
        __builtin_trap();
    }
    LMemoryStream again(4, LMemoryStream::GROW_DOUBLE);
    Load(again, Game());
    if (!GMSaveGameFile::Read(again)) {
        __builtin_trap();
    }
    return 0;
}
