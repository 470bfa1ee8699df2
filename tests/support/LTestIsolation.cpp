#include "support/LTestIsolation.h"

#include "stdlib/LCleaner.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTexture.h"
#include "support/LFakeTimer.h"
#include "util/GMCleaner.h"

void LTestIsolation::OnTestEnd(const testing::TestInfo&)
{
    EndSingletons();
    ResetFakes();
}

void LTestIsolation::EndSingletons()
{
    // The game's singletons may use the engine's in their destructors: they go first.
    delete GMCleaner::Peek();
    delete LCleaner::Peek();
    LCleaner::ResetDestroyedSingletons();
}

void LTestIsolation::ResetFakes()
{
    LFakeSoundManager::Reset();
    LFakeMovieManager::Reset();
    LFakeDeviceCaps::Reset();
    LFakeTexture::Reset();
    LFakeTimer::sNow = 0.0;
}
