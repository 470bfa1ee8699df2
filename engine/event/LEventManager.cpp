#include "event/LEventManager.h"

#include "container/LVectorString.h"
#include "event/LEvent.h"
#include "event/LIEventListener.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LSingleton.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

namespace {

LSingleton<LEventManager> sEventManager;

// The smallest record in a block: an empty id and a time.
constexpr int kSmallestRecord = 6 + 4;

void CallEventListener(void* aListener, void* aEvent)
{
    static_cast<LIEventListener*>(aListener)->OnEvent(static_cast<LEvent*>(aEvent));
}

} // namespace

LEventManager* LEventManager::Get()
{
    return sEventManager.Get(L_FILE, __LINE__, "LEventManager creation failure.");
}

LEventManager::LEventManager()
    : mEvents(7, false)
{
    SetRestoreId(u"eventmanager");
}

LEventManager::~LEventManager()
{
    Log(u"~LEventManager()");
    RemoveAllEvents();
    sEventManager.Destroyed(this);
}

LString LEventManager::Dump() const
{
    return DumpHead("LEventManager") + "]";
}

int LEventManager::Init(int)
{
    return 1;
}

int LEventManager::SpecialAnswer(const LString& aLowerId)
{
    if (aLowerId == LString(u"evtalways")) {
        return 1;
    }
    if (aLowerId == LString(u"evtnever")) {
        return 0;
    }
    if (aLowerId == LString(u"evt_always")) {
        return 1;
    }
    if (aLowerId == LString(u"evt_never")) {
        return 0;
    }
    return -1;
}

LEvent* LEventManager::Find(const LString& aLowerId) const
{
    return static_cast<LEvent*>(mEvents.Get(aLowerId));
}

void LEventManager::NotifyListeners(LEvent* aEvent)
{
    mListeners.Notify(&CallEventListener, aEvent);
}

bool LEventManager::AddEvent(const LString& aId, bool aNotify)
{
    const LString id = aId.ToLower();
    if (Find(id)) {
        L_ERROR(LString(u"AddEvent failure. ID duplication: ") + id);
        return false;
    }
    LEvent* event = L_NEW LEvent(id);
    if (!event) {
        L_ERROR(u"AddEvent failure.");
        return false;
    }
    if (mEvents.AddAt(id, event, true) == 0 && !id.IsEmpty()) {
        L_ASSERT_FAILURE(u"AddEvent failure.");
        delete event;
        return false;
    }
    if (aNotify) {
        NotifyListeners(event);
    }
    return true;
}

bool LEventManager::AddEvent(LEvent* aEvent, bool aNotify)
{
    if (!aEvent) {
        L_ERROR(u"AddEvent failure.");
        return false;
    }
    const LString id = aEvent->GetId();
    if (Find(id)) {
        L_ERROR(LString(u"AddEvent failure. ID duplication: ") + id);
        return false;
    }
    if (mEvents.AddAt(id, aEvent, true) == 0 && !id.IsEmpty()) {
        L_ERROR(u"AddEvent failure.");
        return false;
    }
    if (aNotify) {
        NotifyListeners(aEvent);
    }
    return true;
}

bool LEventManager::IsRaised(const LString& aId) const
{
    const LString id = aId.ToLower();
    const int special = SpecialAnswer(id);
    if (special >= 0) {
        return special == 1;
    }
    return Find(id) != nullptr;
}

bool LEventManager::AllRaised(const LVectorString& aIds) const
{
    const int count = aIds.GetCount();
    for (int i = 0; i < count; ++i) {
        if (!IsRaised(aIds[i])) {
            return false;
        }
    }
    return true;
}

bool LEventManager::AnyRaised(const LVectorString& aIds) const
{
    const int count = aIds.GetCount();
    for (int i = 0; i < count; ++i) {
        if (IsRaised(aIds[i])) {
            return true;
        }
    }
    return false;
}

LEvent* LEventManager::GetEvent(const LString& aId) const
{
    LEvent* event = Find(aId.ToLower());
    if (!event) {
        L_ERROR(LString(u"GetEvent failure: ") + aId);
    }
    return event;
}

int LEventManager::GetEventCount() const
{
    return mEvents.GetCount();
}

void LEventManager::DumpEvents() const
{
    const LString line(u"----------------------------------------");
    Log(line);
    Log(u"EVENTS");
    Log(line);
    for (int i = 0; i < GetEventCount(); ++i) {
        if (const LEvent* event = GetEventAt(i)) {
            Log(event->GetId());
        }
    }
    Log(line);
}

LEvent* LEventManager::GetEventAt(int aIndex) const
{
    if (aIndex < 0 || aIndex >= GetEventCount()) {
        return nullptr;
    }
    return static_cast<LEvent*>(mEvents.GetAt(aIndex));
}

bool LEventManager::RemoveEvent(const LString& aId, LEvent** aOut)
{
    if (!aOut || *aOut) {
        L_ERROR(u"Invalid argument.");
        return false;
    }
    void* removed = nullptr;
    if (!mEvents.RemoveAt(aId.ToLower(), &removed) || !removed) {
        L_ERROR(u"RemoveEvent failure.");
        return false;
    }
    *aOut = static_cast<LEvent*>(removed);
    return true;
}

void LEventManager::RemoveAllEvents()
{
    const int count = mEvents.GetCount();
    for (int i = 0; i < count; ++i) {
        delete static_cast<LEvent*>(mEvents.GetAt(i));
    }
    mEvents.RemoveAll();
}

bool LEventManager::AddListener(LIEventListener* aListener, float aPriority)
{
    return mListeners.AddLogged(aListener, aPriority, L_FILE, __LINE__);
}

bool LEventManager::RemoveListener(LIEventListener* aListener)
{
    return mListeners.RemoveLogged(aListener, L_FILE, __LINE__);
}

void LEventManager::Interrupt()
{
    mListeners.Interrupt();
}

int LEventManager::OnSave(LIStream* aStream)
{
    if (!aStream) {
        return 0;
    }
    const int count = mEvents.GetCount();
    bool ok = aStream->Write(count) != 0;
    for (int i = 0; i < count; ++i) {
        LEvent* event = static_cast<LEvent*>(mEvents.GetAt(i));
        ok = event && event->Write(aStream) && ok;
    }
    return ok ? 1 : 0;
}

int LEventManager::OnLoad(LIStream* aStream, float)
{
    if (!aStream) {
        return 0;
    }
    int count = 0;
    if (!aStream->Read(count) || count < 0) {
        return 0;
    }
    if (!aStream->Holds(static_cast<long long>(count) * kSmallestRecord)) {
        L_ERROR(LString(u"OnLoad failure. Event count out of range: ") + count);
        return 0;
    }
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        LEvent* event = L_NEW LEvent();
        if (!event) {
            return 0;
        }
        if (!event->Read(aStream)) {
            delete event;
            return 0;
        }
        if (!AddEvent(event, false)) {
            L_WARNING(LString(u"OnLoad warning. Could not add event: ") + event->GetId());
            delete event;
            ok = false;
        }
    }
    return ok ? 1 : 0;
}
