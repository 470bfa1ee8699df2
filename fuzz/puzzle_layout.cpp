// Builds a puzzle screen from arbitrary layout text: the first byte chooses the puzzle and
// the skill level, the rest is its layout file. The puzzle is the first byte modulo 18 as
// an index into the eighteen puzzles in the order the application makes them (by their
// active states, so that a seed keeps its puzzle as more of them are built); an index whose
// puzzle is not built (support/GMBuiltPuzzle) runs nothing. The skill level is the first
// byte divided by 18, modulo 3.
// The puzzle opens on its row's opening state over a scene, a steering program after a
// last "====" line (support/LFuzzSteer.h) moves, presses, passes frames and (step 5)
// presses a key by its scan code (without one the mouse drags across the middle of the
// screen), then that state turns false and the back button is asked for, and the frames
// run until the puzzle is hidden. The sample's puzzle pictures are under the texture roots.
// Every input starts from the same stage: the harness's scene current and the only screen,
// and the engine's random draws from a seed of the input's own. A solved puzzle may leave
// for a location of the case, through a cut scene or at once; after the input the cut
// scene plays out, and as the roots hold no location (nothing loads), the stage is set
// again.
#include "GMScreenManager.h"
#include "event/LEventManager.h"
#include "puzzles/GMPuzzle.h"
#include "stdlib/LRandom.h"
#include "support/GMBuiltPuzzle.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSteer.h"
#include "util/GMOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The eighteen puzzles' active states, in the order the application makes the puzzles.
const char* const kPuzzleStates[] = {
    "sta_cigarbandpuzzle_active",  "sta_paintingpuzzle_active",   "sta_keypadpuzzle_active",
    "sta_slideboxpuzzle_active",   "sta_floorsafepuzzle_active",  "sta_mappuzzle_active",
    "sta_crosswordpuzzle_active",  "sta_receiptpuzzle_active",    "sta_monetboxpuzzle_active",
    "sta_roomservicepuzzle_active", "sta_baseballbatpuzzle_active", "sta_pcdesktoppuzzle_active",
    "sta_harppuzzle_active",       "sta_quintarnpuzzle_active",   "sta_chasephotopuzzle_active",
    "sta_hotelwindowpuzzle_active", "sta_poboxpuzzle_active",     "sta_surveillancetapepuzzle_active",
};
constexpr size_t kPuzzleCount = sizeof(kPuzzleStates) / sizeof(kPuzzleStates[0]);

// The built row of the puzzle whose own active state is aActiveState (a row may open its
// puzzle by another state, as the map's does).
const GMBuiltPuzzle* FindBuilt(const char* aActiveState)
{
    for (const GMBuiltPuzzle& row : GMBuiltPuzzle::All()) {
        const GMPuzzle* puzzle = row.mGet();
        const char* own = puzzle != nullptr ? puzzle->GetSetup().mActiveState : row.mActiveState;
        if (own != nullptr && std::string(own) == aActiveState) {
            return &row;
        }
    }
    return nullptr;
}

// The steering's mouse steps, and step 5 as a key pressed and released.
void FuzzDriveMouseAndKeys(LFuzzSteer& aSteer, int aLimit)
{
    LMouse* mouse = LMouse::Get();
    for (int i = 0; mouse != nullptr && i < aLimit; ++i) {
        const int op = aSteer.Step(mouse);
        if (op == -1) {
            break;
        }
        if (op % 8 == 5) {
            GMPuzzleHarness::Type(aSteer.Next());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 14)) {
        return 0;
    }
    // One harness for the run: its game singletons live until the process ends.
    static GMPuzzleHarness* sHarness = new GMPuzzleHarness();
    const GMBuiltPuzzle* built = FindBuilt(kPuzzleStates[aData[0] % kPuzzleCount]);
    if (built == nullptr) {
        return 0;
    }
    const GMBuiltPuzzle& row = *built;
    GMPuzzle* puzzle = row.mGet();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (puzzle == nullptr || screens == nullptr) {
        return 0;
    }
    LFuzzForgetRecords();
    LRandom::Seed(static_cast<unsigned int>(aSize));
    sHarness->Log().Clear();
    GMOptions::GetInstance()->SetSkill(static_cast<int>((aData[0] / kPuzzleCount) % 3));
    LEventManager::Get()->RemoveAllEvents();

    std::string text(reinterpret_cast<const char*>(aData) + 1, aSize - 1);
    LFuzzSteer steer(FuzzTakeSteering(text));
    sHarness->Roots().Write(GMPuzzleHarness::LayoutFile(puzzle), text);

    sHarness->Open(row.mActiveState, puzzle);
    if (steer.More()) {
        FuzzDriveMouseAndKeys(steer, 256);
    } else {
        GMPuzzleHarness::Drag(LVector2(300.0f, 250.0f), LVector2(420.0f, 330.0f));
        GMPuzzleHarness::Frames(2);
    }
    GMPuzzleHarness::SetState(row.mActiveState, false);
    GMPuzzleHarness::Settle(200);
    if (screens->IndexOf(puzzle) >= 0) {
        puzzle->OnButton(LString(GMPuzzle::kBackButtonId), 4);
        GMPuzzleHarness::Settle(200);
    }
    if (puzzle->IsShown() || screens->IndexOf(puzzle) >= 0) {
        __builtin_trap(); // a puzzle that cannot be left
    }
    if (!sHarness->Restage()) {
        __builtin_trap(); // a cut scene that does not end
    }
    return 0;
}
