#include "support/LFakeEnding.h"

#include "stdlib/LFrameManager.h"

void LFakeEnding::Mark()
{
    mEnded = true;
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr) {
        mInFrames = frames->AddListener(mOwner, 0.0f) != 0;
    }
}

void LFakeEnding::Leave()
{
    mEnded = false;
    LFrameManager* frames = LFrameManager::Get();
    if (mInFrames && frames != nullptr) {
        frames->RemoveListener(mOwner);
    }
    mInFrames = false;
}

bool LFakeEnding::Take()
{
    if (!mEnded) {
        return false;
    }
    Leave();
    return true;
}

void LFakeEnding::InterruptPass()
{
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->Interrupt();
    }
}
