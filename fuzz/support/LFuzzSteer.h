// Steering of the fuzz targets that drive display objects: the input's tail after its
// last "\n====\n" line is a program of mouse moves, button presses and frame passes (the
// fake timer advancing), so the fuzzer can find drags, fades that end and clicks that
// land. Without the line the whole input is data and the program is empty.
#pragma once
#include "Input/LMouse.h"
#include "LVector2.h"
#include "support/LFakeTimer.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Takes the steering program off the end of aInput.
inline std::string FuzzTakeSteering(std::string& aInput)
{
    const size_t line = aInput.rfind("\n====\n");
    if (line == std::string::npos) {
        return std::string();
    }
    std::string steering = aInput.substr(line + 6);
    aInput.resize(line + 1);
    return steering;
}

// Reads the program a byte at a time; 0 once it is used up.
class LFuzzSteer
{
public:
    explicit LFuzzSteer(const std::string& aProgram) : mProgram(aProgram) {}

    bool More() const { return mAt < mProgram.size(); }
    int Next() { return More() ? static_cast<unsigned char>(mProgram[mAt++]) : 0; }

    // One step: 0 moves to a point of the 1024 x 768 screen (two bytes), 1 presses and 2
    // releases a button (1..3), 3 passes 1..8 frames of 0..2 seconds each, 4 turns the
    // wheel; anything else is left to the caller (returned, -1 at the end).
    int Step(LMouse* aMouse)
    {
        if (!More()) {
            return -1;
        }
        const int op = Next();
        switch (op % 8) {
        case 0: {
            const float x = static_cast<float>(Next() * 4);
            const float y = static_cast<float>(Next() * 3);
            aMouse->OnMove(LVector2(x, y));
            return 0;
        }
        case 1: aMouse->OnButtonDown(1 + Next() % 3); return 1;
        case 2: aMouse->OnButtonUp(1 + Next() % 3); return 2;
        case 3: {
            const int frames = 1 + Next() % 8;
            const double step = (Next() % 64) / 32.0;
            for (int i = 0; i < frames; ++i) {
                LFakeTimer::FrameAt(LFakeTimer::sNow + step);
            }
            return 3;
        }
        case 4: aMouse->OnWheel(static_cast<float>(static_cast<int8_t>(Next()))); return 4;
        default: return op;
        }
    }

private:
    std::string mProgram;
    size_t mAt = 0;
};

// Runs at most aLimit steps of the program; the caller's own steps are skipped.
inline void FuzzDriveMouse(LFuzzSteer& aSteer, int aLimit)
{
    LMouse* mouse = LMouse::Get();
    for (int i = 0; mouse != nullptr && i < aLimit && aSteer.Step(mouse) != -1; ++i) {
    }
}
