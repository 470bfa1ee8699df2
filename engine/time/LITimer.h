// The engine's wall clock: seconds since the timer started, from a millisecond counter.
// One timer serves the whole program; it is made on first use and deleted by the cleaner
// at exit, after which Get returns null for good.
#pragma once
#include "object/LObject.h"

class LIObjectCreator;

class LITimer : public LObject
{
public:
    // The timer, made on first use by the creator registered under "timer" (through the
    // API object manager); null when it cannot be made (logged; the next call tries
    // again) or after it has been deleted.
    static LITimer* Get();
    // The timer's time now; 0 when there is no timer.
    static double Now();

    LITimer();
    ~LITimer() override;

    // Starts the timer; 0 when it cannot.
    int Init(int aParameter) override = 0;
    // Seconds since the start (or the last Reset), at millisecond resolution.
    virtual double GetTime() = 0;
    // Restarts the count from now; false for a timer that never started.
    virtual bool Reset() = 0;

private:
    // The creator registered under "timer" when the program registered none. The one
    // place that names the implementation.
    static LIObjectCreator* NewDefaultCreator();
};
