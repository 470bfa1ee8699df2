// The listener list of the state and event managers, the game clock, the keyboard and
// the mouse: listeners with float priorities, highest first (or, for the input devices,
// lowest first), equal priorities in the order of registration.
//
// Every notification works over its own snapshot of the list, so a listener may add or
// remove listeners, or start a nested notification, from inside its callback: each
// notification reaches every listener of its snapshot once, except those removed in the
// meantime (their entries in all running snapshots are cleared). An interrupt set by a
// listener ends the innermost notification after that listener; one set outside any
// notification makes the next one call nobody.
#pragma once
#include "container/LVector.h"
#include "container/LVectorFloat.h"

class LPrioritizedListeners
{
public:
    using Call = void (*)(void* aListener, void* aArgument);

    // aLowestFirst orders the list by ascending priority.
    explicit LPrioritizedListeners(bool aLowestFirst = false) : mLowestFirst(aLowestFirst) {}
    LPrioritizedListeners(const LPrioritizedListeners&) = delete;
    LPrioritizedListeners& operator=(const LPrioritizedListeners&) = delete;
    ~LPrioritizedListeners();

    // 1 when added, 2 when already registered (nothing changes), 0 when a list could not
    // grow (the lists are left as they were).
    int Add(void* aListener, float aPriority);
    // 1 when removed, 0 when not registered.
    int Remove(void* aListener);
    // AddListener and RemoveListener of the event manager and the game clock: false for a
    // null listener or one that is not registered, each logged ("Add listener failure.
    // apListener == NULL.", "RemoveListener failure. NULL arg.", "RemoveListener failure.");
    // a list that cannot grow is an assertion failure ("AddListener failure."). The entries
    // carry the owner's source position: pass L_FILE and __LINE__.
    bool AddLogged(void* aListener, float aPriority, const char* aFile, int aLine);
    bool RemoveLogged(void* aListener, const char* aFile, int aLine);
    bool Contains(void* aListener) const;
    int GetCount() const;
    void Interrupt() { mInterrupt = true; }
    // Whether an interrupt is pending; it is cleared.
    bool TakeInterrupt();
    void RemoveAll();

    // Calls aCall(listener, aArgument) for each listener of a snapshot taken now.
    void Notify(Call aCall, void* aArgument);

private:
    struct Pass
    {
        void** mEntries;
        int mCount;
        Pass* mOuter;
    };

    LVector mListeners;
    LVectorFloat mPriorities;
    bool mLowestFirst = false;
    bool mInterrupt = false;
    Pass* mPasses = nullptr;
};
