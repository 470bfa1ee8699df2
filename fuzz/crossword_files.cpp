// Runs the crossword on arbitrary grid and entries files: the input is the grid file, a
// line "----", then the entries file; a steering program after a last "====" line
// (support/LFuzzSteer.h) moves, clicks, passes frames and (step 5) presses a key by its
// scan code. The crossword opens over a scene at the skill the first byte chooses, is
// steered, and is left by its back button; the sample's layout and pictures are in place.
#include "GMScreenManager.h"
#include "event/LEventManager.h"
#include "puzzles/crossword/GMCrossWordPuzzle.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFuzzRecords.h"
#include "support/LFuzzSteer.h"
#include "util/GMOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 15)) {
        return 0;
    }
    static GMPuzzleHarness* sHarness = new GMPuzzleHarness();
    LFuzzForgetRecords();
    GMCrossWordPuzzle* puzzle = GMCrossWordPuzzle::GetInstance();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (puzzle == nullptr || screens == nullptr) {
        return 0;
    }
    sHarness->Log().Clear();
    GMOptions::GetInstance()->SetSkill(aData[0] % 3);
    LEventManager::Get()->RemoveAllEvents();

    std::string text(reinterpret_cast<const char*>(aData) + 1, aSize - 1);
    LFuzzSteer steer(FuzzTakeSteering(text));
    const size_t split = text.find("\n----\n");
    const std::string grid = split == std::string::npos ? text : text.substr(0, split + 1);
    const std::string entries = split == std::string::npos ? std::string() : text.substr(split + 6);
    sHarness->Roots().Write("data/textures/puzzles/crossword/crossword_puzzle_grid.txt", grid);
    sHarness->Roots().Write("data/textures/puzzles/crossword/crossword_puzzle_entries.txt", entries);

    sHarness->Open(GMCrossWordPuzzle::kActiveState, puzzle);
    LMouse* mouse = LMouse::Get();
    for (int i = 0; mouse != nullptr && i < 512; ++i) {
        const int op = steer.Step(mouse);
        if (op == -1) {
            break;
        }
        if (op % 8 == 5) {
            GMPuzzleHarness::Type(steer.Next());
        }
    }
    GMPuzzleHarness::Frames(4);
    if (screens->IndexOf(puzzle) >= 0) {
        puzzle->OnButton(LString(GMPuzzle::kBackButtonId), 4);
        GMPuzzleHarness::Settle(200);
    }
    GMPuzzleHarness::SetState(GMCrossWordPuzzle::kActiveState, false);
    if (puzzle->IsShown() || screens->IndexOf(puzzle) >= 0) {
        __builtin_trap(); // a crossword that cannot be left
    }
    return 0;
}
