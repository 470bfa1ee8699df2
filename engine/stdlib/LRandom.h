// The engine's one random generator: pseudo-random integers from 0 to MAX (32767), from a
// linear congruential sequence that a seed fixes, so a test can replay a run. Engine and
// game code take their random numbers here, never from the C library. Main thread only.
#pragma once

class LRandom
{
public:
    enum { MAX = 32767 };

    // Restarts the sequence; the same seed gives the same numbers.
    static void Seed(unsigned int aSeed);
    // Seeds from the engine timer's current time (milliseconds), or with 1 when there is
    // no timer.
    static void SeedFromTime();
    // The next number, 0 to MAX; while pinned, always the pinned number.
    static int Next();
    // Makes every Next give aValue (0 to MAX); a value outside that range unpins. The
    // whole-program tests' input command "random <n>" pins the generator for the run.
    static void Pin(int aValue);
    static bool IsPinned();
    // Next divided by MAX: 0.0 to 1.0, both ends included.
    static float NextUnit();
};
