// The timer over the platform's multimedia millisecond counter (compat/win32).
#pragma once
#include "time/LITimer.h"

#include <cstdint>

class LTimerWin : public LITimer
{
public:
    LTimerWin();
    ~LTimerWin() override;

    LString Dump() const override;
    int Init(int aParameter) override;
    double GetTime() override;
    bool Reset() override;

private:
    uint32_t mStart = 0xFFFFFFFFu;
    bool mStarted = false;
};
