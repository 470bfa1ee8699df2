// A harness whose set-up fails (the sample data not generated, say) would answer every
// input at once and reach nothing while the campaign reports success: it stops the run
// with an error instead.
#pragma once
#include <cstdio>
#include <cstdlib>

inline void LFuzzRequireSetUp(bool aPrepared, const char* aTarget)
{
    if (!aPrepared) {
        std::fprintf(stderr, "fuzz %s: set-up failed (is the sample data generated?)\n", aTarget);
        std::abort();
    }
}
