// One pending timed action of the game clock: raise an event, or add a state, once a
// clock's time reaches the fire time. The trigger owns its prepared record until it
// fires (the record then passes to the event or state manager) or is destroyed.
//
// Stream form: kind (int), fire time (float), clock (int), then the record (an event's
// or a state's stream form).
#pragma once
#include "object/LBase.h"
#include "object/LISerializable.h"

class LDelayedTrigger : public LBase, public LISerializable
{
public:
    static constexpr int KIND_EVENT = 0;
    static constexpr int KIND_STATE = 1;

    LDelayedTrigger();
    LDelayedTrigger(const LDelayedTrigger&) = delete;
    LDelayedTrigger& operator=(const LDelayedTrigger&) = delete;
    ~LDelayedTrigger() override;

    LString Dump() const override;

    // Takes ownership of aItem (an LEvent for KIND_EVENT, an LIState for KIND_STATE).
    bool Init(int aKind, float aTime, int aClock, LBase* aItem);

    int GetKind() const { return mKind; }
    float GetTime() const { return mTime; }
    int GetClock() const { return mClock; }
    const LBase* GetItem() const { return mItem; }
    // True while the record is being handed on.
    bool IsFiring() const { return mFiring; }

    // Hands the record to its manager; whether the manager accepted it. A refused record
    // is destroyed. The trigger holds no record afterwards.
    bool Fire();

    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    void DeleteItem();

    int mKind = KIND_EVENT;
    float mTime = 0.0f;
    int mClock = 0;
    LBase* mItem = nullptr;
    bool mFiring = false;
};
