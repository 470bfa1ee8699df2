#include "state/LStateManager.h"

#include "container/LBoolean.h"
#include "container/LFloat.h"
#include "memory/LMemoryManager.h"
#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "stdlib/LSingleton.h"
#include "stdlib/LIStream.h"
#include "time/LITimer.h"
#include "stdlib/LLog.h"

namespace {

LSingleton<LStateManager> sStateManager;

// The smallest record in a block: time, type, an empty id and a one-byte value.
constexpr int kSmallestRecord = 4 + 4 + 6 + 1;

void CallStateListener(void* aListener, void* aState)
{
    static_cast<LIStateListener*>(aListener)->OnStateChanged(static_cast<LIState*>(aState));
}

} // namespace

LStateManager* LStateManager::Get()
{
    return sStateManager.Get(L_FILE, __LINE__, "LStateManager creation failure.");
}

LStateManager::LStateManager()
    : mStates(7, false)
{
    SetRestoreId(u"statemanager");
}

LStateManager::~LStateManager()
{
    sStateManager.Destroyed(this);
    RemoveAllStates();
}

LString LStateManager::Dump() const
{
    return DumpHead("LStateManager") + "]";
}

int LStateManager::Init(int)
{
    return 1;
}

void LStateManager::NotifyListeners(LIState* aState)
{
    mListeners.Notify(&CallStateListener, aState);
}

void LStateManager::StampTime(LIState* aState) const
{
    LITimer* timer = LITimer::Get();
    if (timer) {
        aState->SetTime(static_cast<float>(timer->GetTime()));
    }
}

bool LStateManager::Insert(LIState* aState)
{
    // The hash AddAt answers is 0 both for a refused duplicate and for the empty id: only
    // finding the record under its id tells that it was stored.
    mStates.AddAt(aState->GetId(), aState, true);
    if (mStates.Get(aState->GetId()) != aState) {
        L_ASSERT_FAILURE(u"Add failure.");
        return false;
    }
    return true;
}

LIState* LStateManager::GetState(const LString& aId) const
{
    const LHashKeyList& states = mStates;
    return static_cast<LIState*>(states.Get(aId.ToLower()));
}

bool LStateManager::HasState(const LString& aId) const
{
    return GetState(aId) != nullptr;
}

int LStateManager::GetStateCount() const
{
    return mStates.GetCount();
}

LIState* LStateManager::GetStateAt(int aIndex) const
{
    if (aIndex < 0 || aIndex >= GetStateCount()) {
        return nullptr;
    }
    return static_cast<LIState*>(mStates.GetAt(aIndex));
}

bool LStateManager::AddState(LIState* aState, bool aNotify, bool aReplace)
{
    if (!aState) {
        L_ERROR(u"AddState failure. NULL arg.");
        return false;
    }
    const LString id = aState->GetId();
    LIState* existing = GetState(id);
    if (existing == aState) {
        return true;
    }
    if (existing) {
        if (!aReplace) {
            return false;
        }
        void* old = nullptr;
        mStates.RemoveAt(id, &old);
        delete static_cast<LIState*>(old);
    }
    if (!Insert(aState)) {
        // The map refused it (out of memory): the caller keeps the record.
        return false;
    }
    if (aNotify) {
        NotifyListeners(aState);
    }
    return true;
}

bool LStateManager::SetState(const LString& aId, const LString& aTypeName, const LString& aText,
                             bool aNotify)
{
    if (aId.IsEmpty() || aText.IsEmpty()) {
        L_ERROR(u"SetState failure. Invalid arg.");
        return false;
    }
    LIState* state = GetState(aId);
    if (!state) {
        LIState* fresh = L_NEW LIState();
        if (!fresh) {
            L_ERROR(u"SetState failure. Out of memory.");
            return false;
        }
        bool ok = false;
        const int type = LIState::TypeFromName(aTypeName);
        if (type == LIState::TYPE_BOOLEAN) {
            const unsigned char value = LBoolean(aText).mValue ? 1 : 0;
            ok = fresh->Set(aId, type, &value);
        } else if (type == LIState::TYPE_NUMBER) {
            const float value = LFloat(aText).mValue;
            ok = fresh->Set(aId, type, &value);
        } else {
            ok = fresh->Set(aId, LIState::TYPE_STRING, &aText);
        }
        if (!ok || !AddState(fresh, aNotify, false)) {
            delete fresh;
            return false;
        }
        // A listener told of the new state may have replaced it in the meantime.
        state = GetState(aId);
        if (!state) {
            return true;
        }
    }
    StampTime(state);
    state->SetValue(aText);
    if (aNotify) {
        NotifyListeners(state);
    }
    return true;
}

bool LStateManager::SetState(const LString& aId, const LString& aText, bool aNotify)
{
    if (aId.IsEmpty() || aText.IsEmpty()) {
        L_ERROR(u"SetState failure. Invalid arg.");
        return false;
    }
    LIState* state = GetState(aId);
    if (!state) {
        L_ERROR(LString(u"SetState failure. ID not found:") + aId + u", value:" + aText);
        return false;
    }
    StampTime(state);
    state->SetValue(aText);
    if (aNotify) {
        NotifyListeners(state);
    }
    return true;
}

bool LStateManager::SetState(const LString& aId, const void* aValue, bool aNotify)
{
    if (aId.IsEmpty() || !aValue) {
        L_ERROR(u"SetState failure. Invalid arg.");
        return false;
    }
    LIState* state = GetState(aId);
    if (!state) {
        L_ERROR(LString(u"SetState failure. ID not found:") + aId);
        return false;
    }
    StampTime(state);
    state->SetValue(aValue);
    if (aNotify) {
        NotifyListeners(state);
    }
    return true;
}

void LStateManager::RemoveAllStates()
{
    const int count = mStates.GetCount();
    for (int i = 0; i < count; ++i) {
        delete static_cast<LIState*>(mStates.GetAt(i));
    }
    mStates.RemoveAll();
}

bool LStateManager::AddListener(LIStateListener* aListener, float aPriority)
{
    if (!aListener) {
        L_ERROR(u"AddListener failure. NULL arg.");
        return false;
    }
    if (mListeners.Add(aListener, aPriority) == 0) {
        L_ASSERT_FAILURE(u"");
    }
    return true;
}

bool LStateManager::RemoveListener(LIStateListener* aListener)
{
    if (!aListener) {
        L_ERROR(u"RemoveListener failure. NULL arg.");
        return false;
    }
    return mListeners.Remove(aListener) != 0;
}

void LStateManager::Interrupt()
{
    mListeners.Interrupt();
}

int LStateManager::OnSave(LIStream* aStream)
{
    if (!aStream) {
        return 0;
    }
    const int count = mStates.GetCount();
    bool ok = aStream->Write(count) != 0;
    for (int i = 0; i < count; ++i) {
        LIState* state = static_cast<LIState*>(mStates.GetAt(i));
        ok = state && state->Write(aStream) && ok;
    }
    return ok ? 1 : 0;
}

int LStateManager::OnLoad(LIStream* aStream, float)
{
    RemoveAllStates();
    if (!aStream) {
        return 0;
    }
    int count = 0;
    if (!aStream->Read(count) || count < 0) {
        return 0;
    }
    if (!aStream->Holds(static_cast<long long>(count) * kSmallestRecord)) {
        L_ERROR(LString(u"OnLoad failure. State count out of range: ") + count);
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        LIState* state = L_NEW LIState();
        if (!state) {
            return 0;
        }
        if (!state->Read(aStream)) {
            delete state;
            return 0;
        }
        if (!Insert(state)) {
            delete state;
        }
    }
    return 1;
}

void LStateManager::DumpStates() const
{
    const LString line(u"----------------------------------------");
    Log(line);
    Log(u"STATES");
    Log(line);
    const int count = GetStateCount();
    for (int i = 0; i < count; ++i) {
        const LIState* state = GetStateAt(i);
        const void* value = state ? state->GetValue() : nullptr;
        if (!value) {
            continue;
        }
        switch (state->GetType()) {
        case LIState::TYPE_BOOLEAN:
            Log(LString(u"<boolean>: ") + state->GetId() + u": " +
                (*static_cast<const unsigned char*>(value) != 0));
            break;
        case LIState::TYPE_NUMBER:
            Log(LString(u" <number>:") + state->GetId() + u": " + *static_cast<const float*>(value));
            break;
        case LIState::TYPE_STRING:
            Log(LString(u" <string>:") + state->GetId() + u": " + *static_cast<const LString*>(value));
            break;
        default:
            break;
        }
    }
    Log(line);
}
