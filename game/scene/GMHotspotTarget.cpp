#include "scene/GMHotspotTarget.h"

#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "script/LScript.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"

GMHotspotTarget::GMHotspotTarget() = default;

GMHotspotTarget::~GMHotspotTarget() = default;

bool GMHotspotTarget::Load(const LPropertyList* aEntry)
{
    GMHotspot::Load(aEntry);
    auto* record = L_NEW Record();
    const LPropertyList* own = LoadKind(aEntry, record, "target");
    if (own == nullptr || record == nullptr) {
        return true;
    }
    bool found = false;
    record->mSatisfied = own->GetVectorString(LString(u"satisfied"), found);
    if (!found) {
        L_ASSERT_FAILURE("'type.target.satisfied' not found.");
    }
    record->mDoneEvents = own->GetVectorString(LString(u"doneevents"), found);
    record->mStateChanges = own->GetVectorString(LString(u"statechanges"), found);
    return true;
}

void GMHotspotTarget::UpdateCursor()
{
    if (mCursor == nullptr) {
        return;
    }
    if (mHover) {
        mCursor->SetCursor(HoldsItem() ? GMCursor::TYPE_ITEM_HILIGHT : GMCursor::TYPE_TARGET, mId);
    } else {
        mCursor->ReleaseCursor(mId);
    }
}

bool GMHotspotTarget::Read(LIStream*)
{
    L_ERROR("Read NYI.");
    return false;
}

bool GMHotspotTarget::Write(LIStream*)
{
    L_ERROR("Write NYI.");
    return false;
}

void GMHotspotTarget::CheckTargetSatisfied()
{
    const Record* record = GetRecord();
    if (mKind != KIND_TARGET || record == nullptr) {
        L_ASSERT_FAILURE("CheckTargetSatisfied failure. Invalid type.");
        return;
    }
    SetSceneInput(false);
    if (mCursor != nullptr) {
        mCursor->SetVisible(true);
    }
    if (!HoldsItem()) {
        if (!PlayVoiceOver(SITUATION_LOOK)) {
            SetSceneInput(true);
        }
        return;
    }
    const LString held = mCursor->GetItemCursor();
    Raise(LString(u"evt_used_") + held + u"_" + mId);
    const bool satisfied = record->mSatisfied.Contains(held);
    const int situation = satisfied ? SITUATION_SATISFIED : SITUATION_UNSATISFIED;
    const bool voice = PlayVoiceOver(situation);
    const bool cutScene = !voice && PlayActionCutScene(situation);
    if (!voice && !cutScene) {
        SetSceneInput(true);
    }
    // The item leaves the hand.
    mCursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
    mCursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
    if (!satisfied) {
        return;
    }
    GMCutScenePlayer* player = cutScene ? GMCutScenePlayer::GetInstance() : nullptr;
    if (player != nullptr) {
        player->AddDoneEvents(record->mDoneEvents);
        player->AddStateChanges(record->mStateChanges);
    } else {
        ApplyActionData(&record->mDoneEvents, &record->mStateChanges);
    }
}
