#include "time/LTimerWin.h"

#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "win32/WinTimer.h"


LTimerWin::LTimerWin() = default;

LTimerWin::~LTimerWin()
{
    if (mStarted) {
        if (timeEndPeriod(1) == TIMERR_NOCANDO) {
            L_ERROR("LTimerWin timeEndPeriod failure.");
        } else {
            mStarted = false;
        }
    }
}

LString LTimerWin::Dump() const
{
    return DumpHead("LTimerWin") + "]";
}

int LTimerWin::Init(int)
{
    if (timeBeginPeriod(1) == TIMERR_NOCANDO) {
        L_ERROR("LTimerWin init failure.");
        return 0;
    }
    mStarted = true;
    mStart = timeGetTime();
    return 1;
}

double LTimerWin::GetTime()
{
    // Unsigned 32-bit difference: right across the counter's wrap.
    const uint32_t elapsed = static_cast<uint32_t>(timeGetTime()) - mStart;
    return static_cast<double>(elapsed) / 1000.0;
}

bool LTimerWin::Reset()
{
    if (!mStarted) {
        return false;
    }
    mStart = timeGetTime();
    return true;
}
