#include "interview/GMInterviewTopic.h"

#include "Input/LMouse.h"
#include "container/LFloat.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "interview/GMExpertInterview.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewSequence.h"
#include "interview/GMSubtitle.h"
#include "memory/LMemoryManager.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"

namespace {

const char* const kModeNames[] = {"conf", "decp", "flat", "stra", "empa"};

// Raised once: an expert's topic may be asked again.
void Raise(const LString& aId)
{
    LEventManager* events = LEventManager::Get();
    if (!aId.IsEmpty() && events != nullptr && !events->IsRaised(aId)) {
        events->AddEvent(aId, true);
    }
}

// The value split on "|"; null when the entry has no such value.
LVectorString* SplitValue(const LPropertyList* aEntry, const char* aKey)
{
    bool found = false;
    LVectorString values = aEntry->GetVectorString(LString(aKey), found);
    return found ? L_NEW LVectorString(values) : nullptr;
}

} // namespace

GMInterviewTopic::GMInterviewTopic() = default;

GMInterviewTopic::~GMInterviewTopic()
{
    ClearAnswer();
}

LString GMInterviewTopic::Dump() const
{
    return DumpHead("GMInterviewTopic") + " " + mId + "]";
}

LString GMInterviewTopic::ModeName(int aMode)
{
    return aMode >= 0 && aMode < kModeCount ? LString(kModeNames[aMode]) : LString();
}

void GMInterviewTopic::ClearAnswer()
{
    delete mAnswer;
    mAnswer = nullptr;
    delete mStateChanges;
    mStateChanges = nullptr;
    delete mDoneEvents;
    mDoneEvents = nullptr;
}

bool GMInterviewTopic::Create(const LString& aId, LPropertyList* aEntry)
{
    mId = aId;
    if (aEntry == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
        return false;
    }
    bool found = false;
    mDoneEvent = aEntry->GetString(LString("doneevent"), found);
    mViewedEvent = aEntry->GetString(LString("viewedevent"), found);
    LString dependencies = aEntry->GetString(LString("dependencies"), found);
    if (!found) {
        dependencies = LString("script[true]");
    }
    LScriptBuilder* builder = LScriptBuilder::Get();
    if (builder == nullptr || !builder->BuildScript(dependencies, &mDependencies)) {
        L_ASSERT_FAILURE("Script build failure.");
    }
    mModes = aEntry->GetList(LString("modes"));
    if (mModes == nullptr) {
        L_ASSERT_FAILURE("List not found: 'modes'.");
    }
    mBargain = aEntry->GetBool(LString("bargain"), found);
    const LVectorString delayed = aEntry->GetVectorString(LString("delayedevent"), found);
    mDelayedEvent = delayed.GetCount() > 0 ? delayed.GetRef(0) : LString();
    mDelay = delayed.GetCount() > 1 ? LFloat(delayed.GetRef(1)).mValue : 0.0f;
    return true;
}

bool GMInterviewTopic::Ask(int aMode, GMInterview* aInterview, int aKind)
{
    mKind = aKind;
    mInterview = aInterview;
    if (aInterview == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
    }
    const LString mode = ModeName(aMode);
    LPropertyList* entry = mModes != nullptr && !mode.IsEmpty() ? mModes->GetList(mode) : nullptr;
    if (entry == nullptr) {
        L_ASSERT_FAILURE("Missing mode data.");
        // No answer can be built: the interview must not wait for one.
        ClearAnswer();
        mGood = false;
        mItem.Clear();
        Report();
        return false;
    }
    ClearAnswer();
    mStateChanges = SplitValue(entry, "statechanges");
    mDoneEvents = SplitValue(entry, "doneevents");
    bool found = false;
    const LString type = entry->GetString(LString("type"), found);
    if (!found) {
        L_ASSERT_FAILURE("Missing property: 'type'.");
    }
    mGood = type.EqualsNoCase(u"good");
    mItem = entry->GetString(LString("additem"), found);
    mAnswer = L_NEW GMInterviewSequence();
    mAnswer->Create(mId + "_" + mode, entry, aInterview);
    mAnswer->Play(this);
    return true;
}

void GMInterviewTopic::Report()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
    }
    if (mInterview == nullptr) {
        return;
    }
    auto* expert = mKind == KIND_EXPERT ? dynamic_cast<GMExpertInterview*>(mInterview) : nullptr;
    if (expert != nullptr) {
        expert->OnTopicFinished();
    } else {
        mInterview->OnTopicDone();
    }
}

void GMInterviewTopic::ApplyLists()
{
    if (mDoneEvents != nullptr) {
        for (int i = 0; i < mDoneEvents->GetCount(); ++i) {
            Raise(mDoneEvents->GetRef(i));
        }
    }
    LStateManager* states = LStateManager::Get();
    if (mStateChanges != nullptr && states != nullptr) {
        const int count = mStateChanges->GetCount();
        if (count % 3 != 0) {
            L_ASSERT_FAILURE(LString("Incomplete state change in ") + mId);
        }
        for (int i = 0; i + 2 < count; i += 3) {
            states->SetState(mStateChanges->GetRef(i), mStateChanges->GetRef(i + 1), mStateChanges->GetRef(i + 2),
                             true);
        }
    }
    delete mStateChanges;
    mStateChanges = nullptr;
    delete mDoneEvents;
    mDoneEvents = nullptr;
}

void GMInterviewTopic::OnAnswerDone()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
    }
    // The answer calls this from its own end: it is deleted at once and never touched again.
    delete mAnswer;
    mAnswer = nullptr;
    ApplyLists();
    Raise(mViewedEvent);
    GMInterview* interview = mInterview;
    if (mGood) {
        if (!mDelayedEvent.IsEmpty()) {
            if (LGameClock* clock = LGameClock::Get()) {
                clock->ScheduleEvent(mDelayedEvent, mDelay, -1);
            }
        }
        if (mBargain) {
            // Raised before the interview ends for bargaining, and only once.
            Raise(mDoneEvent);
            if (interview != nullptr) {
                interview->OpenBargaining();
                interview->ApplyGoodStep();
            }
        } else {
            if (interview != nullptr) {
                interview->ApplyGoodStep();
            }
            Raise(mDoneEvent);
        }
    } else if (interview != nullptr) {
        interview->ApplyBadStep();
    }
    if (!mItem.IsEmpty()) {
        GMPDA* pda = GMPDA::GetInstance();
        GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
        if (inventory == nullptr || !inventory->AddItem(mItem)) {
            L_ERROR("OnAnswerDone failure. Item not added: " + mItem);
        }
    }
    Report();
    if (interview != nullptr && !interview->IsEndAfterSequence()) {
        if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
            subtitle->FadeOut();
        }
    }
}
