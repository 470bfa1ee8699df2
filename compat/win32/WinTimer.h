// The multimedia timer calls of the Windows interface, over the monotonic clock: a
// millisecond counter that wraps every 2^32 ms, and the resolution requests that pair
// each begin with an end.
#pragma once
#include "WinTypes.h"

using MMRESULT = UINT;

#define TIMERR_NOERROR 0u
#define TIMERR_NOCANDO 97u

// Milliseconds of the monotonic clock, modulo 2^32 (of the fixed-step clock while the
// whole-program test hooks run: WinTestHooks.h).
DWORD timeGetTime();
// A period of 0 is refused; the monotonic clock already has millisecond resolution.
MMRESULT timeBeginPeriod(UINT aPeriod);
// Refused for a period without an outstanding timeBeginPeriod.
MMRESULT timeEndPeriod(UINT aPeriod);

// Not part of the Windows interface: shifts timeGetTime by aOffset milliseconds, so tests
// can place the counter just before its wrap.
void WinTimerSetOffset(DWORD aOffset);
