// Builds the profiling computer from arbitrary profile data, match rules and layout: the
// input holds the three texts separated by lines "====" (profile data, match rules, layout;
// a missing part keeps the sample's file). The first byte chooses the skill level and how
// many of the sample's "_profiler" events are raised before the screen opens. Over the
// riverbank's harness the computer opens, the pen and the witness are placed and analyzed,
// every sound is ended, and the back button is asked for until the screen is hidden.
#include "GMScreenManager.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "profiler/GMProfilingComputer.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFuzzRecords.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Parts(const std::string& aText)
{
    std::vector<std::string> parts(1);
    size_t start = 0;
    while (start <= aText.size()) {
        const size_t end = aText.find('\n', start);
        const std::string line = aText.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line == "====") {
            parts.emplace_back();
        } else {
            parts.back() += line + "\n";
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

void EndSounds()
{
    // Each end may start the next sound (the match or the buzz): a few rounds at most.
    for (int round = 0; round < 4; ++round) {
        bool ended = false;
        for (const char* name : {GMProfilingComputer::kAnalyzeStream, GMProfilingComputer::kMatchStream}) {
            ended = GMPuzzleHarness::EndStream(name) || ended;
        }
        if (!ended) {
            return;
        }
    }
}

void Analyze(GMProfilingComputer* aComputer, const char* aItem)
{
    GMCursor::GetInstance()->SetItemCursor(LString(aItem));
    GMPuzzleHarness::Click(LVector2(300.0f, 70.0f));
    aComputer->OnButton(LString("analyze_btn"), 4);
    EndSounds();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize < 1 || aSize > (1u << 14)) {
        return 0;
    }
    static GMPuzzleHarness* sHarness = [] {
        auto* harness = new GMPuzzleHarness();
        harness->CopySample("textures/profiler");
        return harness;
    }();
    LFuzzForgetRecords();
    GMProfilingComputer* computer = GMProfilingComputer::GetInstance();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    if (computer == nullptr || screens == nullptr) {
        return 0;
    }
    sHarness->Log().Clear();
    GMOptions::GetInstance()->SetSkill(aData[0] % 3);
    LEventManager::Get()->RemoveAllEvents();
    const char* const entered[] = {"pen_profiler", "doc01_profiler", "rep01_profiler", "pen_cl_profiler", "glove_profiler"};
    for (int i = 0; i < (aData[0] / 3) % 6; ++i) {
        LEventManager::Get()->AddEvent(L_NEW LEvent(LString(entered[i]), static_cast<float>(i % 2)), false);
    }

    const std::vector<std::string> parts = Parts(std::string(reinterpret_cast<const char*>(aData) + 1, aSize - 1));
    const char* const files[] = {"textures/profiler/profile_data.txt", "textures/profiler/profile_match.txt",
                                 "textures/profiler/profiler_layout.txt"};
    for (size_t i = 0; i < 3; ++i) {
        if (i < parts.size()) {
            sHarness->Roots().Write(std::string("data/") + files[i], parts[i]);
        } else {
            sHarness->CopySample(files[i]);
        }
    }

    sHarness->Open(GMProfilingComputer::kActiveState, computer);
    Analyze(computer, "pen");
    Analyze(computer, "w01");
    computer->OnButton(LString(GMPuzzle::kBackButtonId), 4);
    GMPuzzleHarness::Settle(200);
    if (computer->IsShown() || screens->IndexOf(computer) >= 0) {
        __builtin_trap(); // a screen that cannot be left
    }
    // The state stays true: set it back for the next input, as a new game would.
    GMPuzzleHarness::SetState(GMProfilingComputer::kActiveState, false);
    return 0;
}
