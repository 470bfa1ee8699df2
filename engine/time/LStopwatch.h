// Measures real time in seconds on the platform timer; runs from 0 when made. The timer
// is asked afresh at every reading, so a stopwatch never holds on to a destroyed one.
#pragma once
#include "object/LBase.h"

class LStopwatch : public LBase
{
public:
    LStopwatch();
    ~LStopwatch() override;

    // Stopped: the frozen reading; running: the time since the start.
    float GetElapsed() const;
    // Freezes the reading (taken again from the same start when already stopped).
    void Stop();
    // Runs on from the frozen reading; nothing when running.
    void Resume();
    // Back to 0; running or stopped stays as it was.
    void Reset();
    void SetElapsed(float aSeconds);
    bool IsStopped() const { return mStopped; }

private:
    float Now() const;

    float mStart = 0.0f;
    float mElapsed = 0.0f;
    bool mStopped = true;
};
