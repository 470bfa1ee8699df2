// Builds a puzzle screen from arbitrary layout text: the first byte chooses the puzzle (of
// the built ones, support/GMBuiltPuzzle) and the skill level, the rest is its layout file.
// The puzzle opens on its active state over a scene, a steering program after a last
// "====" line (support/LFuzzSteer.h) moves, presses, passes frames and (step 5) presses a
// key by its scan code (without one the mouse drags across the middle of the screen), then the state turns false and the back
// button is asked for, and the frames run until the puzzle is hidden. The sample's puzzle
// pictures are under the texture roots.
#include "GMScreenManager.h"
#include "event/LEventManager.h"
#include "puzzles/GMPuzzle.h"
#include "support/GMBuiltPuzzle.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFuzzSteer.h"
#include "util/GMOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The layout's file below the roots' directory, from its symbolic name.
std::string NativeLayout(const char* aSymbolic)
{
    std::string path(aSymbolic);
    for (const char* root : {"//dataroot/", "//"}) {
        const std::string prefix(root);
        if (path.compare(0, prefix.size(), prefix) == 0) {
            return "data/" + path.substr(prefix.size());
        }
    }
    return "data/" + path;
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
    const std::vector<GMBuiltPuzzle>& puzzles = GMBuiltPuzzle::All();
    const GMBuiltPuzzle& row = puzzles[aData[0] % puzzles.size()];
    GMPuzzle* puzzle = row.mGet();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (puzzle == nullptr || screens == nullptr) {
        return 0;
    }
    sHarness->Log().Clear();
    GMOptions::GetInstance()->SetSkill((aData[0] / 16) % 3);
    LEventManager::Get()->RemoveAllEvents();

    std::string text(reinterpret_cast<const char*>(aData) + 1, aSize - 1);
    LFuzzSteer steer(FuzzTakeSteering(text));
    sHarness->Roots().Write(NativeLayout(puzzle->GetSetup().mLayoutFile), text);

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
    return 0;
}
