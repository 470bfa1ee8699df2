#include "util/GMDeferredStep.h"

#include "stdlib/LFrameManager.h"
#include "object/LWatch.h"
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
    // touched after a step has started, and once it is gone the steps left, which would
    // run on the deleted owner, are dropped.
    std::vector<std::function<void()>> steps;
    steps.swap(mSteps);
    Leave();
    const LWatch<GMDeferredStep> self(this);
    for (std::function<void()>& step : steps) {
        if (self.Get() == nullptr) {
            return;
        }
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
