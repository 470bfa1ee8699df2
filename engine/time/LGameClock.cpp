#include "time/LGameClock.h"

#include "event/LEvent.h"
#include "memory/LMemoryManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LSingleton.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "time/LDelayedTrigger.h"
#include "time/LIClockListener.h"

namespace {

LSingleton<LGameClock> sGameClock;

// The smallest trigger in a block: kind, time, clock and an event with an empty id.
constexpr int kSmallestTrigger = 4 + 4 + 4 + 6 + 4;

struct LAdvance
{
    int mClock;
    float mTime;
};

void CallClockListener(void* aListener, void* aAdvance)
{
    const LAdvance* advance = static_cast<const LAdvance*>(aAdvance);
    static_cast<LIClockListener*>(aListener)->OnClockAdvanced(advance->mClock, advance->mTime);
}

bool IsNumberState(const LIState* aState)
{
    return aState && aState->GetType() == LIState::TYPE_NUMBER && aState->GetValue();
}

} // namespace

LGameClock* LGameClock::Get()
{
    return sGameClock.Get(L_FILE, __LINE__, "LGameClock creation failure.");
}

LGameClock::LGameClock()
{
    SetRestoreId(u"gameclock");
}

LGameClock::~LGameClock()
{
    DestroyTriggers();
    const int released = mReleased.GetCount();
    for (int i = 0; i < released; ++i) {
        delete static_cast<LDelayedTrigger*>(mReleased.GetAt(i));
    }
    mReleased.RemoveAll();
    sGameClock.Destroyed(this);
}

LString LGameClock::Dump() const
{
    return DumpHead("LGameClock") + "]";
}

int LGameClock::Init(int)
{
    return 1;
}

LString LGameClock::GetClockStateId(int aClock)
{
    return LString(u"currenttime_clock_") + aClock;
}

float LGameClock::ReadClockState(int aClock, bool aNotifyCreation)
{
    LStateManager* states = LStateManager::Get();
    if (!states) {
        return 0.0f;
    }
    const LString id = GetClockStateId(aClock);
    LIState* state = states->GetState(id);
    if (IsNumberState(state)) {
        return *static_cast<const float*>(state->GetValue());
    }
    if (!state) {
        states->SetState(id, u"number", u"0", aNotifyCreation);
        return 0.0f;
    }
    // Only damaged data gives a clock another type: it restarts as a number at 0.
    L_ERROR(LString(u"Clock state is not a number: ") + id);
    LIState* number = L_NEW LIState();
    const float zero = 0.0f;
    if (number && number->Set(id, LIState::TYPE_NUMBER, &zero) &&
        states->AddState(number, aNotifyCreation, true)) {
        return 0.0f;
    }
    delete number;
    return 0.0f;
}

float LGameClock::GetTime()
{
    return ReadClockState(mCurrentClock, false);
}

float LGameClock::GetTime(int aClock)
{
    return ReadClockState(aClock, true);
}

bool LGameClock::ResetTime()
{
    return ResetTime(mCurrentClock);
}

bool LGameClock::ResetTime(int aClock)
{
    LStateManager* states = LStateManager::Get();
    if (!states) {
        return false;
    }
    const LString id = GetClockStateId(aClock);
    LIState* state = states->GetState(id);
    if (!state) {
        return states->SetState(id, u"number", u"0", true);
    }
    if (!IsNumberState(state)) {
        ReadClockState(aClock, true);
    }
    const float zero = 0.0f;
    return states->SetState(id, &zero, true);
}

bool LGameClock::Advance(float aDelta, bool aNotify)
{
    return Advance(mCurrentClock, aDelta, aNotify);
}

bool LGameClock::Advance(int aClock, float aDelta, bool aNotify)
{
    LStateManager* states = LStateManager::Get();
    if (!states) {
        return false;
    }
    const LString id = GetClockStateId(aClock);
    LIState* state = states->GetState(id);
    float time = aDelta;
    if (!state) {
        states->SetState(id, u"number", LString() + aDelta, true);
        state = states->GetState(id);
        if (IsNumberState(state)) {
            time = *static_cast<const float*>(state->GetValue());
        }
    } else {
        if (!IsNumberState(state)) {
            ReadClockState(aClock, false);
            time = aDelta;
        } else {
            time = *static_cast<const float*>(state->GetValue()) + aDelta;
        }
        states->SetState(id, &time, true);
    }
    if (aNotify) {
        LAdvance advance {aClock, time};
        mListeners.Notify(&CallClockListener, &advance);
    }
    FireDueTriggers(aClock, time);
    return true;
}

void LGameClock::FireDueTriggers(int aClock, float aTime)
{
    ++mWalks;
    const int resets = mResets;
    int at = 0;
    while (mResets == resets) {
        LDelayedTrigger* trigger = static_cast<LDelayedTrigger*>(mTriggers.GetAt(at));
        if (!trigger || !(trigger->GetTime() <= aTime)) {
            break;
        }
        if (trigger->GetClock() != aClock || trigger->IsFiring()) {
            ++at;
            continue;
        }
        trigger->Fire();
        if (mResets != resets) {
            // A reset (or a load) let the list go: the trigger goes with it.
            break;
        }
        // Listeners may have scheduled or fired triggers meanwhile: find it again.
        const int now = mTriggers.Find(trigger);
        if (now >= 0) {
            mTriggers.RemoveAt(now, nullptr);
            delete trigger;
            at = now;
        }
    }
    --mWalks;
    if (mWalks == 0) {
        const int released = mReleased.GetCount();
        for (int i = 0; i < released; ++i) {
            delete static_cast<LDelayedTrigger*>(mReleased.GetAt(i));
        }
        mReleased.SetCount(0);
    }
}

bool LGameClock::Insert(LDelayedTrigger* aTrigger)
{
    const int count = mTriggers.GetCount();
    const LDelayedTrigger* last = count > 0 ? static_cast<LDelayedTrigger*>(mTriggers.GetAt(count - 1)) : nullptr;
    if (!last || !(last->GetTime() > aTrigger->GetTime())) {
        return mTriggers.Add(aTrigger) != 0;
    }
    for (int i = 0; i < count; ++i) {
        const LDelayedTrigger* other = static_cast<LDelayedTrigger*>(mTriggers.GetAt(i));
        if (other->GetTime() > aTrigger->GetTime()) {
            return mTriggers.InsertAt(i, aTrigger) != 0;
        }
    }
    return mTriggers.Add(aTrigger) != 0;
}

bool LGameClock::Schedule(int aKind, LBase* aItem, float aDelay, int aClock)
{
    const int clock = aClock < 0 ? mCurrentClock : aClock;
    const float time = GetTime(clock) + aDelay;
    LDelayedTrigger* trigger = L_NEW LDelayedTrigger();
    if (!trigger) {
        delete aItem;
        return false;
    }
    if (!trigger->Init(aKind, time, clock, aItem)) {
        delete trigger;
        delete aItem;
        return false;
    }
    if (!Insert(trigger)) {
        delete trigger;
        return false;
    }
    return true;
}

bool LGameClock::ScheduleEvent(const LString& aId, float aDelay, int aClock)
{
    LEvent* event = L_NEW LEvent(aId);
    if (!event) {
        return false;
    }
    return Schedule(LDelayedTrigger::KIND_EVENT, event, aDelay, aClock);
}

bool LGameClock::ScheduleState(const LString& aId, int aType, const void* aValue, float aDelay, int aClock)
{
    LIState* state = L_NEW LIState();
    if (!state) {
        return false;
    }
    if (!state->Set(aId, aType, aValue)) {
        delete state;
        return false;
    }
    return Schedule(LDelayedTrigger::KIND_STATE, state, aDelay, aClock);
}

bool LGameClock::ScheduleState(const LString& aId, const LString& aValue, float aDelay, int aClock)
{
    return ScheduleState(aId, LIState::TYPE_STRING, &aValue, aDelay, aClock);
}

bool LGameClock::ScheduleState(const LString& aId, float aValue, float aDelay, int aClock)
{
    return ScheduleState(aId, LIState::TYPE_NUMBER, &aValue, aDelay, aClock);
}

bool LGameClock::ScheduleState(const LString& aId, bool aValue, float aDelay, int aClock)
{
    const unsigned char value = aValue ? 1 : 0;
    return ScheduleState(aId, LIState::TYPE_BOOLEAN, &value, aDelay, aClock);
}

void LGameClock::DestroyTriggers()
{
    const int count = mTriggers.GetCount();
    for (int i = 0; i < count; ++i) {
        delete static_cast<LDelayedTrigger*>(mTriggers.GetAt(i));
    }
    mTriggers.SetCount(0);
}

void LGameClock::Reset()
{
    mCurrentClock = 0;
    if (mWalks == 0) {
        DestroyTriggers();
        return;
    }
    // Triggers are being fired: keep them alive until the walk has ended.
    const int count = mTriggers.GetCount();
    for (int i = 0; i < count; ++i) {
        mReleased.Add(mTriggers.GetAt(i));
    }
    mTriggers.SetCount(0);
    ++mResets;
}

int LGameClock::GetTriggerCount() const
{
    return mTriggers.GetCount();
}

const LDelayedTrigger* LGameClock::GetTriggerAt(int aIndex) const
{
    return static_cast<const LDelayedTrigger*>(mTriggers.GetAt(aIndex));
}

bool LGameClock::AddListener(LIClockListener* aListener)
{
    return mListeners.AddLogged(aListener, 0.0f, L_FILE, __LINE__);
}

bool LGameClock::RemoveListener(LIClockListener* aListener)
{
    return mListeners.RemoveLogged(aListener, L_FILE, __LINE__);
}

int LGameClock::OnSave(LIStream* aStream)
{
    if (!aStream) {
        return 0;
    }
    const int count = mTriggers.GetCount();
    bool ok = aStream->Write(mCurrentClock) != 0;
    ok = aStream->Write(count) != 0 && ok;
    for (int i = 0; i < count; ++i) {
        LDelayedTrigger* trigger = static_cast<LDelayedTrigger*>(mTriggers.GetAt(i));
        ok = trigger && trigger->Write(aStream) && ok;
    }
    return ok ? 1 : 0;
}

int LGameClock::OnLoad(LIStream* aStream, float)
{
    Reset();
    if (!aStream) {
        return 0;
    }
    int current = 0;
    int count = 0;
    if (!aStream->Read(current) || !aStream->Read(count) || count < 0) {
        return 0;
    }
    mCurrentClock = current;
    if (!aStream->Holds(static_cast<long long>(count) * kSmallestTrigger)) {
        L_ERROR(LString(u"OnLoad failure. Trigger count out of range: ") + count);
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        LDelayedTrigger* trigger = L_NEW LDelayedTrigger();
        if (!trigger) {
            return 0;
        }
        if (!trigger->Read(aStream) || !Insert(trigger)) {
            delete trigger;
            return 0;
        }
    }
    return 1;
}
