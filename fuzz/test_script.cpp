// Reads the input as a whole-program test script; a script that parses must schedule its
// events in frame order, with one homing move when it holds anything but step changes.
#include "win32/WinTestScript.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 16)) {
        return 0;
    }
    std::vector<WinScriptCommand> commands;
    std::string error;
    if (!WinParseScript(std::string(reinterpret_cast<const char*>(aData), aSize), commands, error)) {
        if (error.rfind("line ", 0) != 0) {
            __builtin_trap();
        }
        return 0;
    }
    const std::vector<WinScriptEvent> events = WinScheduleScript(commands);
    int homes = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        homes += events[i].mKind == WinScriptEvent::kMove && events[i].mA == kWinHomeMove ? 1 : 0;
        if (i > 0 && events[i].mFrame < events[i - 1].mFrame) {
            __builtin_trap();
        }
    }
    bool onlySteps = true;
    for (const WinScriptCommand& command : commands) {
        onlySteps = onlySteps && command.mKind == WinScriptCommand::kStep;
    }
    if (homes != (onlySteps ? 0 : 1)) {
        __builtin_trap();
    }
    return 0;
}
