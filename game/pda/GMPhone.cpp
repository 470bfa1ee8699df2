#include "pda/GMPhone.h"

#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDAMinimized.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "util/GMCleaner.h"

namespace {

GMSingleton<GMPhone> sPhone;

const char16_t* const kLabIds[GMPhone::kLabCount] = {u"CL", u"RE", u"SU"};
const char16_t* const kLabResults[GMPhone::kLabCount] = {u"CL_R", u"RE_R", u"SU_R"};
constexpr int kPhoneIcon = 1;
constexpr float kFlashTime = 4.0f;
constexpr float kFlashPeriod = 0.8f;

// The lab (0..2) whose id aId is, any case; -1 for any other id.
int LabOf(const LString& aId)
{
    for (int i = 0; i < GMPhone::kLabCount; ++i) {
        if (aId.EqualsNoCase(kLabIds[i])) {
            return i;
        }
    }
    return -1;
}

LString StringOf(LPropertyList* aList, const char* aKey, bool& aFound)
{
    aFound = false;
    return aList != nullptr ? aList->GetString(LString(aKey), aFound) : LString();
}

} // namespace

GMPhone* GMPhone::GetInstance()
{
    const bool made = sPhone.Peek() == nullptr && !sPhone.IsDestroyed();
    GMPhone* phone = sPhone.Get(L_FILE, __LINE__, "GMPhone creation failure.");
    if (made && phone != nullptr) {
        LEventManager* events = LEventManager::Get();
        LStateManager* states = LStateManager::Get();
        const bool events_ok = events != nullptr && events->AddListener(phone, 0.0f);
        const bool states_ok = states != nullptr && states->AddListener(phone, 0.0f);
        phone->mListening = events_ok || states_ok;
        if (!events_ok || !states_ok) {
            L_ERROR("GMPhone listener registration failure.");
        }
    }
    return phone;
}

GMPhone* GMPhone::Peek()
{
    return sPhone.Peek();
}

GMPhone::GMPhone()
{
    Init();
}

GMPhone::~GMPhone()
{
    sPhone.Destroyed(this);
    if (mListening) {
        if (LEventManager* events = LEventManager::Get()) {
            events->RemoveListener(this);
        }
        if (LStateManager* states = LStateManager::Get()) {
            states->RemoveListener(this);
        }
    }
    DropCatalogue();
    delete mPending;
    mPending = nullptr;
}

void GMPhone::DropCatalogue()
{
    for (Regular& entry : mRegular) {
        delete entry.mTrigger;
        entry.mTrigger = nullptr;
    }
    mRegular.clear();
    mRegularList = nullptr;
    mExpertList = nullptr;
    delete mCatalogue;
    mCatalogue = nullptr;
}

bool GMPhone::Reload()
{
    DropCatalogue();
    const bool loaded = LoadCatalogue();
    Reset();
    return loaded;
}

LString GMPhone::Dump() const
{
    return DumpHead("GMPhone") + "]";
}

void GMPhone::Init()
{
    LRandom::SeedFromTime();
    LoadCatalogue();
    mPending = L_NEW LVectorString();
    Reset();
    UpdateTriggered();
}

bool GMPhone::LoadCatalogue()
{
    mCatalogue = L_NEW LPropertyList();
    if (mCatalogue == nullptr) {
        L_ERROR("GMPhone catalogue creation failure.");
        return false;
    }
    const bool loaded = mCatalogue->Load(LString(kCatalogue), true);
    if (!loaded) {
        L_ASSERT_FAILURE(LString("Phone messages not loaded: ") + kCatalogue);
    }
    mRegularList = mCatalogue->GetList(LString("regular"));
    mExpertList = mCatalogue->GetList(LString("expert"));
    if (mRegularList == nullptr || mExpertList == nullptr) {
        L_ASSERT_FAILURE("'regular' or 'expert' not found.");
    }
    LScriptBuilder* builder = LScriptBuilder::Get();
    for (int i = 0; mRegularList != nullptr && i < mRegularList->GetCount(); ++i) {
        LPropertyList* message = mRegularList->GetListAt(i);
        if (message == nullptr) {
            continue;
        }
        Regular entry;
        entry.mId = mRegularList->GetKeyAt(i);
        bool found = false;
        entry.mPlayedEvent = StringOf(message, "playedevent", found);
        entry.mExpert = StringOf(message, "expert", found);
        const LString trigger = StringOf(message, "trigger", found);
        if (found && builder != nullptr) {
            entry.mTrigger = L_NEW LScript();
            if (entry.mTrigger != nullptr && !builder->BuildScript(trigger, entry.mTrigger)) {
                Log("GMPhone trigger not built: " + entry.mId);
                delete entry.mTrigger;
                entry.mTrigger = nullptr;
            }
        }
        mRegular.push_back(entry);
    }
    return loaded;
}

void GMPhone::Reset()
{
    if (mPending != nullptr) {
        mPending->RemoveAll();
    }
    for (Regular& entry : mRegular) {
        entry.mPending = false;
    }
    for (bool& flag : mLabFlags) {
        flag = false;
    }
}

int GMPhone::GetPendingCount() const
{
    return mPending != nullptr ? mPending->GetCount() : 0;
}

LString GMPhone::GetPendingAt(int aIndex) const
{
    return mPending != nullptr && aIndex >= 0 && aIndex < mPending->GetCount() ? (*mPending)[aIndex] : LString();
}

bool GMPhone::IsDue(const Regular& aEntry) const
{
    if (aEntry.mTrigger == nullptr || aEntry.mPending) {
        return false;
    }
    if (!aEntry.mTrigger->Evaluate()) {
        return false;
    }
    LEventManager* events = LEventManager::Get();
    return events == nullptr || aEntry.mPlayedEvent.IsEmpty() || !events->IsRaised(aEntry.mPlayedEvent);
}

void GMPhone::UpdateTriggered()
{
    if (mPending == nullptr) {
        return;
    }
    for (Regular& entry : mRegular) {
        if (IsDue(entry)) {
            mPending->Add(entry.mId);
            entry.mPending = true;
        }
    }
}

bool GMPhone::HasTriggeredRegular(const LString& aLabId) const
{
    for (const Regular& entry : mRegular) {
        if (!entry.mExpert.IsEmpty() && entry.mExpert.EqualsNoCase(aLabId) && IsDue(entry)) {
            return true;
        }
    }
    return false;
}

void GMPhone::FlashWhenGrown(int aCountBefore) const
{
    if (GetPendingCount() <= aCountBefore) {
        return;
    }
    GMPDAMinimized* bar = GMPDAMinimized::Peek();
    if (bar != nullptr && bar->IsShown()) {
        bar->Flash(kPhoneIcon, kFlashTime, kFlashPeriod);
    }
}

void GMPhone::OnEvent(LEvent* aEvent)
{
    const int before = GetPendingCount();
    const LString id = aEvent != nullptr ? aEvent->GetId() : LString();
    if (id.GetLength() >= 4 && mPending != nullptr) {
        const LString tail = id.Mid(id.GetLength() - 4, 4, 0);
        for (int lab = 0; lab < kLabCount; ++lab) {
            if (!tail.EqualsNoCase(kLabResults[lab])) {
                continue;
            }
            const LString labId(kLabIds[lab]);
            if (!HasTriggeredRegular(labId) && !mLabFlags[lab]) {
                mPending->Add(labId);
                mLabFlags[lab] = true;
            }
            break;
        }
    }
    UpdateTriggered();
    FlashWhenGrown(before);
}

void GMPhone::OnStateChanged(LIState*)
{
    const int before = GetPendingCount();
    UpdateTriggered();
    FlashWhenGrown(before);
}

GMPhone::Regular* GMPhone::FindRegular(const LString& aId)
{
    for (Regular& entry : mRegular) {
        if (entry.mId == aId) {
            return &entry;
        }
    }
    return nullptr;
}

LPropertyList* GMPhone::PopMessage()
{
    if (mPending == nullptr || mPending->GetCount() == 0) {
        return nullptr;
    }
    const LString id = (*mPending)[0];
    mPending->RemoveAt(0);
    const int lab = LabOf(id);
    if (Regular* entry = FindRegular(id)) {
        entry->mPending = false;
    }
    if (lab < 0) {
        LPropertyList* message = mRegularList != nullptr ? mRegularList->GetList(id) : nullptr;
        if (message == nullptr) {
            L_ERROR("PopMessage failure. No message: " + id);
        }
        return message;
    }
    mLabFlags[lab] = false;
    LPropertyList* variants = mExpertList != nullptr ? mExpertList->GetList(LString(kLabIds[lab])) : nullptr;
    const int count = variants != nullptr ? variants->GetCount() : 0;
    if (count == 0) {
        L_ERROR("PopMessage failure. No variant of: " + id);
        return nullptr;
    }
    return variants->GetListAt(LRandom::Next() % count);
}
