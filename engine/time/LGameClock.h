// The game's story clocks and their pending delayed triggers (restore id "gameclock").
// The time of clock N is the number state "currenttime_clock_" + N, so clock times are
// saved with the states and visible to scripts. Advancing a clock fires its due triggers
// in time order (equal times in the order scheduled); triggers of other clocks wait for
// their own clock.
//
// Block: current clock (int), trigger count (int), the triggers in list order.
#pragma once
#include "container/LVector.h"
#include "event/LPrioritizedListeners.h"
#include "object/LIRestorable.h"

class LDelayedTrigger;
class LIClockListener;

class LGameClock : public LIRestorable
{
public:
    static LGameClock* Get();

    LGameClock();
    ~LGameClock() override;

    LString Dump() const override;
    int Init(int aParameter) override;

    // The state id that holds clock aClock's time.
    static LString GetClockStateId(int aClock);

    void SetCurrentClock(int aClock) { mCurrentClock = aClock; }
    int GetCurrentClock() const { return mCurrentClock; }

    // The current clock's time; its state is created with 0, without notification, when
    // missing.
    float GetTime();
    // Clock aClock's time; its state is created with 0, with notification, when missing.
    float GetTime(int aClock);
    bool ResetTime();
    bool ResetTime(int aClock);

    // Advances a clock (the state listeners always hear of it; the clock listeners when
    // aNotify is set) and fires that clock's due triggers.
    bool Advance(float aDelta, bool aNotify);
    bool Advance(int aClock, float aDelta, bool aNotify);

    // Schedules raising an event aDelay after the clock's present time; a negative clock
    // means the current one. The event's own time is the current clock's time now.
    bool ScheduleEvent(const LString& aId, float aDelay, int aClock);
    // Schedules adding a state; an existing state of that id is never changed by it.
    bool ScheduleState(const LString& aId, int aType, const void* aValue, float aDelay, int aClock);
    bool ScheduleState(const LString& aId, const LString& aValue, float aDelay, int aClock);
    bool ScheduleState(const LString& aId, float aValue, float aDelay, int aClock);
    bool ScheduleState(const LString& aId, bool aValue, float aDelay, int aClock);
    // A text literal is a string value (it would otherwise convert to bool).
    bool ScheduleState(const LString& aId, const char16_t* aValue, float aDelay, int aClock)
    {
        return ScheduleState(aId, LString(aValue), aDelay, aClock);
    }

    // Current clock back to 0 and every pending trigger destroyed (the clock times stay).
    // During the firing of triggers the triggers are let go when the walk ends.
    void Reset();

    int GetTriggerCount() const;
    const LDelayedTrigger* GetTriggerAt(int aIndex) const;

    bool AddListener(LIClockListener* aListener);
    bool RemoveListener(LIClockListener* aListener);

    int OnSave(LIStream* aStream) override;
    int OnLoad(LIStream* aStream, float aSaveTag) override;

private:
    // The clock state's value; a state of another type is replaced by a number state 0.
    float ReadClockState(int aClock, bool aNotifyCreation);
    bool Insert(LDelayedTrigger* aTrigger);
    bool Schedule(int aKind, LBase* aItem, float aDelay, int aClock);
    void FireDueTriggers(int aClock, float aTime);
    void DestroyTriggers();

    int mCurrentClock = 0;
    LPrioritizedListeners mListeners;
    LVector mTriggers;
    // Walks of due triggers in progress, and the triggers let go by a reset during one.
    int mWalks = 0;
    int mResets = 0;
    LVector mReleased;
};
