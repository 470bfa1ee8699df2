// The per-frame dispatcher: a list of frame listeners with float priorities, each called
// once per pass (Update), lowest priority first, equal priorities in order of adding.
//
// Every pass works over its own snapshot of the list, so a listener may add or remove
// listeners (itself included) or start a nested pass while it runs: a listener added
// during a pass is first called in the next one, and a listener removed during a pass is
// not called again in any pass still running. Interrupt ends the running pass after the
// current listener, or, called between passes, makes the next pass call nobody.
//
// A singleton deleted by the cleaner at exit; Get returns null from then on, so a
// destructor that runs later must test the result before it removes itself.
#pragma once
#include "object/LBase.h"

class LIFrameListener;
class LVector;
class LVectorFloat;

class LFrameManager : public LBase
{
public:
    static LFrameManager* Get();

    LFrameManager();
    LFrameManager(const LFrameManager&) = delete;
    LFrameManager& operator=(const LFrameManager&) = delete;
    ~LFrameManager() override;

    LString Dump() const override;

    int AddListener(LIFrameListener* apListener, float aPriority);
    int RemoveListener(LIFrameListener* apListener);
    int Interrupt();
    int Update();
    int GetListenerCount() const;

private:
    // One running pass: its snapshot, and the pass it runs inside (if any).
    struct Pass
    {
        LIFrameListener** mEntries;
        int mCount;
        Pass* mOuter;
        bool mManagerDeleted;
    };

    LVector* mListeners = nullptr;
    LVectorFloat* mPriorities = nullptr;
    unsigned char mInterrupt = 0;
    Pass* mPass = nullptr;
};
