#include "time/LStopwatch.h"

#include "time/LITimer.h"

LStopwatch::LStopwatch()
{
    Resume();
}

LStopwatch::~LStopwatch() = default;

float LStopwatch::Now() const
{
    // The timer lives from start-up to exit; without one the stopwatch stands at 0.
    LITimer* timer = LITimer::Get();
    return timer ? static_cast<float>(timer->GetTime()) : 0.0f;
}

float LStopwatch::GetElapsed() const
{
    return mStopped ? mElapsed : Now() - mStart;
}

void LStopwatch::Stop()
{
    mElapsed = Now() - mStart;
    mStopped = true;
}

void LStopwatch::Resume()
{
    if (mStopped) {
        mStart = Now() - mElapsed;
        mStopped = false;
    }
}

void LStopwatch::Reset()
{
    mStart = Now();
    mElapsed = 0.0f;
}

void LStopwatch::SetElapsed(float aSeconds)
{
    mStart = Now() - aSeconds;
    mElapsed = aSeconds;
}
