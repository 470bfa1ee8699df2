#include "stdlib/LRandom.h"

#include "time/LITimer.h"
#include "win32/WinTestHooks.h"

namespace {

unsigned int sState = 1;
int sPinned = -1;

} // namespace

void LRandom::Seed(unsigned int aSeed)
{
    sState = aSeed;
}

void LRandom::SeedFromTime()
{
    const double now = LITimer::Now();
    Seed(now > 0.0 ? static_cast<unsigned int>(static_cast<unsigned long long>(now * 1000.0)) : 1u);
}

void LRandom::Pin(int aValue)
{
    sPinned = aValue >= 0 && aValue <= MAX ? aValue : -1;
}

bool LRandom::IsPinned()
{
    return sPinned >= 0;
}

int LRandom::Next()
{
    if (sPinned >= 0) {
        return sPinned;
    }
    // The whole-program tests' script may pin the generator for the run.
    const int scriptPin = WinTestRandomPin();
    if (scriptPin >= 0) {
        return scriptPin;
    }
    sState = sState * 214013u + 2531011u;
    return static_cast<int>((sState >> 16) & MAX);
}

float LRandom::NextUnit()
{
    return static_cast<float>(Next()) / static_cast<float>(MAX);
}
