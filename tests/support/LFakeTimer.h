// A timer whose time a test sets. RegisterFakeTimer puts it under the creator id "timer",
// so LITimer::Get hands it out.
#pragma once
#include "time/LITimer.h"

class LFakeTimer : public LITimer
{
public:
    LString Dump() const override;
    int Init(int aParameter) override;
    double GetTime() override { return sNow; }
    bool Reset() override;

    // The time every fake timer reports, in seconds.
    static double sNow;
    // Sets the time and runs one frame pass.
    static void FrameAt(double aTime);
    // aCount frame passes, the time moved on by aStep before each.
    static void Frames(int aCount, double aStep);
};

void RegisterFakeTimer();
