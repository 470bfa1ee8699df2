// The recording fakes keep a record of every sound and movie made and every drawing
// call, which a test reads back. A fuzz run makes thousands and reads none: forgotten
// before each input, the records of one input take the place of the last one's, so an
// input frees as many blocks as it makes (libFuzzer runs an input twice and scans the
// heap for leaks after each one that does not) and the heap does not grow over a campaign.
#pragma once
#include "support/LFakeMovieManager.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeSoundManager.h"

inline void LFuzzForgetRecords()
{
    LFakeSoundManager::sMade.clear();
    LFakeMovieManager::sMade.clear();
    LFakeMovieManager::sTexturesMade.clear();
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
}
