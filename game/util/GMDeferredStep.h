// A step that must not run inside the callback that asks for it: a puzzle tearing down
// or rebuilding the display while a button, a frame listener or a dial of that display is
// still on the call stack. Post registers a frame listener; at the next frame pass the
// step leaves the frame manager and runs once, so everything it deletes is off the stack.
// Steps posted before the pass run in the order they were posted; a step posted while the
// steps run waits for the pass after.
//
// The owner keeps the object for its own lifetime; deleting it drops the steps not run,
// also from inside a step: a step that deletes the owner ends the pass for its steps.
#pragma once
#include "object/LBase.h"
#include "object/LWatched.h"
#include "stdlib/LIFrameListener.h"

#include <functional>
#include <vector>

class GMDeferredStep : public LBase, public LIFrameListener, public LWatched
{
public:
    // Runs before the other frame listeners of the pass, which may belong to the display
    // the step takes down.
    static constexpr float kPriority = -1000.0f;

    GMDeferredStep() = default;
    GMDeferredStep(const GMDeferredStep&) = delete;
    GMDeferredStep& operator=(const GMDeferredStep&) = delete;
    ~GMDeferredStep() override;

    LString Dump() const override;

    // Queues aStep for the next frame pass; false (logged) when there is no frame manager
    // or it refuses the listener, and then the step is dropped.
    bool Post(std::function<void()> aStep);
    // Drops the queued steps.
    void Cancel();
    int GetPending() const { return static_cast<int>(mSteps.size()); }

    void OnFrame() override;

private:
    void Leave();

    std::vector<std::function<void()>> mSteps;
    bool mListening = false;
};
