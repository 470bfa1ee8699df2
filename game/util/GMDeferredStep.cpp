#include "util/GMDeferredStep.h"

#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"

#include <utility>

GMDeferredStep::~GMDeferredStep()
{
    Leave();
}

LString GMDeferredStep::Dump() const
{
    return DumpHead("GMDeferredStep") + " pending=" + GetPending() + "]";
}

bool GMDeferredStep::Post(std::function<void()> aStep)
{
    if (!mListening) {
        LFrameManager* frames = LFrameManager::Get();
        if (frames == nullptr || frames->AddListener(this, kPriority) == 0) {
            L_ERROR("Post failure. No frame pass for the deferred step.");
            return false;
        }
        mListening = true;
    }
    mSteps.push_back(std::move(aStep));
    return true;
}

void GMDeferredStep::Cancel()
{
    mSteps.clear();
    Leave();
}

void GMDeferredStep::OnFrame()
{
    // The steps may delete this object's owner, and so this object: nothing of it is
    // touched after the last step has started.
    std::vector<std::function<void()>> steps;
    steps.swap(mSteps);
    Leave();
    for (std::function<void()>& step : steps) {
        step();
    }
}

void GMDeferredStep::Leave()
{
    if (mListening) {
        mListening = false;
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
    }
}
