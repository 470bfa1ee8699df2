#include "WinTimer.h"

#include "WinTestHooks.h"

#include <atomic>
#include <ctime>

namespace {

std::atomic<DWORD> gOffset {0};
std::atomic<int> gPeriods[17] {};

} // namespace

DWORD timeGetTime()
{
    if (WinTestHooksActive()) {
        return WinTestClockMilliseconds() + gOffset.load();
    }
    struct timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t milliseconds = static_cast<uint64_t>(now.tv_sec) * 1000u +
                                  static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(milliseconds) + gOffset.load();
}

MMRESULT timeBeginPeriod(UINT aPeriod)
{
    if (aPeriod == 0 || aPeriod > 16) {
        return TIMERR_NOCANDO;
    }
    ++gPeriods[aPeriod];
    return TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT aPeriod)
{
    if (aPeriod == 0 || aPeriod > 16) {
        return TIMERR_NOCANDO;
    }
    int count = gPeriods[aPeriod].load();
    while (count > 0 && !gPeriods[aPeriod].compare_exchange_weak(count, count - 1)) {
    }
    return count > 0 ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

void WinTimerSetOffset(DWORD aOffset)
{
    gOffset = aOffset;
}
