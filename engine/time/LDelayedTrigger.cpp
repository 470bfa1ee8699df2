#include "time/LDelayedTrigger.h"

#include "container/LString.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

LDelayedTrigger::LDelayedTrigger() = default;

LDelayedTrigger::~LDelayedTrigger()
{
    DeleteItem();
}

LString LDelayedTrigger::Dump() const
{
    return DumpHead("LDelayedTrigger") + "]";
}

void LDelayedTrigger::DeleteItem()
{
    delete mItem;
    mItem = nullptr;
}

bool LDelayedTrigger::Init(int aKind, float aTime, int aClock, LBase* aItem)
{
    if (!aItem) {
        L_ERROR(u"Missing trigger item");
        return false;
    }
    if (aItem != mItem) {
        DeleteItem();
    }
    mKind = aKind;
    mTime = aTime;
    mClock = aClock;
    mItem = aItem;
    return true;
}

bool LDelayedTrigger::Fire()
{
    if (!mItem || (mKind != KIND_EVENT && mKind != KIND_STATE)) {
        return false;
    }
    // The record leaves the trigger before anyone hears of it: listeners may advance
    // the clock again, and the walk of a nested advance must not fire it twice.
    LBase* item = mItem;
    mItem = nullptr;
    mFiring = true;
    bool accepted = false;
    if (mKind == KIND_EVENT) {
        LEvent* event = static_cast<LEvent*>(item);
        LEventManager* events = LEventManager::Get();
        accepted = events && events->AddEvent(event, true);
    } else {
        LIState* state = static_cast<LIState*>(item);
        LStateManager* states = LStateManager::Get();
        accepted = states && states->AddState(state, true, false);
    }
    if (!accepted) {
        delete item;
    }
    mFiring = false;
    return accepted;
}

bool LDelayedTrigger::Write(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    bool ok = aStream->Write(mKind) != 0;
    ok = aStream->Write(mTime) != 0 && ok;
    ok = aStream->Write(mClock) != 0 && ok;
    if (!mItem) {
        return false;
    }
    if (mKind == KIND_EVENT) {
        ok = static_cast<LEvent*>(mItem)->Write(aStream) && ok;
    } else if (mKind == KIND_STATE) {
        ok = static_cast<LIState*>(mItem)->Write(aStream) && ok;
    } else {
        ok = false;
    }
    return ok;
}

bool LDelayedTrigger::Read(LIStream* aStream)
{
    if (!aStream) {
        return false;
    }
    int kind = 0;
    float time = 0.0f;
    int clock = 0;
    if (!aStream->Read(kind) || !aStream->Read(time) || !aStream->Read(clock)) {
        return false;
    }
    if (kind == KIND_EVENT || kind == KIND_STATE) {
        mKind = kind;
    }
    mTime = time;
    mClock = clock;
    DeleteItem();
    if (mKind == KIND_EVENT) {
        LEvent* event = L_NEW LEvent();
        if (!event) {
            return false;
        }
        mItem = event;
        return event->Read(aStream);
    }
    LIState* state = L_NEW LIState();
    if (!state) {
        return false;
    }
    mItem = state;
    return state->Read(aStream);
}
