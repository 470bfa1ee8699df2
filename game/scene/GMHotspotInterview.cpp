#include "scene/GMHotspotInterview.h"

#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "util/GMStateReader.h"

GMHotspotInterview::GMHotspotInterview() = default;

GMHotspotInterview::~GMHotspotInterview() = default;

bool GMHotspotInterview::Load(const LPropertyList* aEntry)
{
    GMHotspot::Load(aEntry);
    auto* record = L_NEW Record();
    if (record != nullptr) {
        record->mPosition = LVector2(kDefaultX, kDefaultY);
    }
    const LPropertyList* own = LoadKind(aEntry, record, "interview");
    if (own == nullptr || record == nullptr) {
        return true;
    }
    bool found = false;
    record->mInterviewId = own->GetString(LString(u"interviewid"), found);
    if (!record->mInterviewId.IsEmpty()) {
        LPropertyList interviews;
        if (interviews.Load(LString(u"//interviews/interviews.txt"), true)) {
            record->mWitness = interviews.GetString(record->mInterviewId + u".witness", found);
        }
    }
    if (const LPropertyList* bargaining = own->GetList(LString(u"bargaining"))) {
        record->mItem = bargaining->GetString(LString(u"item"), found);
        if (!found) {
            L_ASSERT_FAILURE("'bargaining.item' not found.");
        }
        record->mSolvedEvent = bargaining->GetString(LString(u"solvedevent"), found);
        if (!found) {
            L_ASSERT_FAILURE("'bargaining.solvedevent' not found.");
        }
        record->mEvents = bargaining->GetString(LString(u"events"), found);
        record->mVoiceOvers = bargaining->GetString(LString(u"voiceovers"), found);
        record->mNoItem = bargaining->GetString(LString(u"noitem"), found);
    }
    const LVectorFloat position = own->GetVectorFloat(LString(u"position"), found);
    if (!found || position.GetCount() < 2) {
        L_WARNING("'type.interview.position' not found.");
    } else {
        record->mPosition = LVector2(position[0], position[1]);
    }
    record->mSeated = own->GetBool(LString(u"seated"), found);
    return true;
}

LString GMHotspotInterview::GetBargainingItem() const
{
    const Record* record = GetRecord();
    return record != nullptr ? record->mItem : LString();
}

bool GMHotspotInterview::IsBargainingActive() const
{
    const Record* record = GetRecord();
    return record != nullptr &&
           GMStateReader::IsTrue(mStateManager, LString(u"bargaining_") + record->mInterviewId + u"_active");
}

void GMHotspotInterview::UpdateCursor()
{
    if (GetBargainingItem().IsEmpty() || !IsBargainingActive()) {
        GMHotspot::UpdateCursor();
        return;
    }
    if (mCursor == nullptr) {
        return;
    }
    if (mHover) {
        mCursor->SetCursor(HoldsItem() ? GMCursor::TYPE_ITEM_HILIGHT : GMCursor::TYPE_TARGET, mId);
    } else {
        mCursor->ReleaseCursor(mId);
    }
}

void GMHotspotInterview::SendToLab()
{
    SendPairs(u"_SU_S", u"_SU_R");
    SendPairs(u"_RE_S", u"_RE_R");
}

bool GMHotspotInterview::Read(LIStream*)
{
    L_ERROR("Read NYI.");
    return false;
}

bool GMHotspotInterview::Write(LIStream*)
{
    L_ERROR("Write NYI.");
    return false;
}

bool GMHotspotInterview::PlayBargainVoiceOver(const LString& aId, const LString& aSpeaker)
{
    return StartVoice(aId, aSpeaker, LString(u"bargainVO"), false);
}

void GMHotspotInterview::StartInterview()
{
    const Record* record = GetRecord();
    if (record == nullptr) {
        return;
    }
    if (!IsBargainingActive()) {
        ShowMultiCursor();
        return;
    }
    if (mCursor == nullptr || mCursor->GetType() != GMCursor::TYPE_ITEM_HILIGHT) {
        if (!record->mNoItem.IsEmpty()) {
            LVectorString line;
            record->mNoItem.Split(LString(u"|"), &line);
            if (line.GetCount() > 0) {
                PlayBargainVoiceOver(line.GetRef(0), line.GetCount() > 1 ? line.GetRef(1) : LString(kPlayerKey));
            }
        }
        return;
    }
    const LString held = mCursor->GetItemCursor();
    // The item leaves the hand whatever it was.
    mCursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
    mCursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
    if (record->mItem.Find(u"|", 1) < 0) {
        if (held == record->mItem) {
            Raise(record->mSolvedEvent);
        }
    } else if (!BargainTwo(held, record->mItem)) {
        return;
    }
    OnTalk();
}

bool GMHotspotInterview::BargainTwo(const LString& aHeld, const LString& aItems)
{
    const Record* record = GetRecord();
    LVectorString items;
    LVectorString events;
    LVectorString lines;
    aItems.Split(LString(u"|"), &items);
    record->mEvents.Split(LString(u"|"), &events);
    record->mVoiceOvers.Split(LString(u"|"), &lines);
    if (items.GetCount() < 2 || events.GetCount() < 2 || lines.GetCount() < 3) {
        // Too little data to index: no line is played and the interview goes on.
        L_ASSERT_FAILURE("");
        return true;
    }
    for (int mine = 0; mine < 2; ++mine) {
        if (aHeld != items.GetRef(mine)) {
            continue;
        }
        const int other = 1 - mine;
        Raise(events.GetRef(mine));
        if (mEventManager == nullptr || !mEventManager->IsRaised(events.GetRef(other))) {
            PlayBargainVoiceOver(lines.GetRef(mine), lines.GetRef(2));
            return false;
        }
        Raise(record->mSolvedEvent);
        return true;
    }
    return true;
}
