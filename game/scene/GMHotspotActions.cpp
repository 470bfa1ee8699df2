// The hotspot's input and actions: the click and the walk to the object, the multi-cursor,
// look, collect, use, analyze and talk.
#include "scene/GMHotspot.h"

#include "Input/LMouse.h"
#include "Render/LNavigationTDO.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMCharacter.h"
#include "scene/GMCloseUp.h"
#include "scene/GMHotspotInterview.h"
#include "scene/GMHotspotNavigate.h"
#include "scene/GMHotspotTarget.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LLog.h"
#include "ui/GMCursor.h"

#include <cmath>

// --- input ------------------------------------------------------------------------------

void GMHotspot::OnMove(const LVector2& aPosition)
{
    if (!mInputEnabled) {
        return;
    }
    const bool inside = CheckWithin(aPosition);
    if (inside && mMouse != nullptr) {
        mMouse->Interrupt();
    }
    SetHover(inside);
}

void GMHotspot::SetHover(bool aHover)
{
    if (aHover != mHover) {
        mHover = aHover;
        UpdateCursor();
    }
}

void GMHotspot::FollowMouse()
{
    // Switched off, the hotspot heard no move: the hover it kept may be stale, and a
    // mouse that came to rest on it while it was off has not been seen.
    LVector2 at(0.0f, 0.0f);
    if (mMouse != nullptr) {
        mMouse->GetPosition(at);
        SetHover(CheckWithin(at));
    }
}

void GMHotspot::UpdateCursor()
{
    if (mCursor == nullptr) {
        return;
    }
    if (mHover) {
        mCursor->SetCursor(GMCursor::TYPE_ROLLOVER, mId);
    } else {
        mCursor->ReleaseCursor(mId);
    }
}

void GMHotspot::OnButtonUp(int aButton)
{
    if (mInputEnabled && aButton == 1) {
        mPressed = false;
    }
}

void GMHotspot::OnButtonDown(int aButton)
{
    if (!mInputEnabled || aButton != 1 || mVoicePlaying) {
        return;
    }
    mTalkPending = false;
    mPressed = true;
    FollowMouse();
    Click(false);
}

void GMHotspot::OnDoubleClick(int aButton)
{
    if (!mInputEnabled || aButton != 1) {
        return;
    }
    FollowMouse();
    Click(true);
}

void GMHotspot::Click(bool aRun)
{
    GMNavigation* navigation = GMNavigation::GetInstance();
    if (!mHover) {
        if (navigation != nullptr) {
            navigation->RemoveListener(this);
        }
        // A turn towards this hotspot is no longer wanted.
        GMScene* scene = GMSceneManager::GetCurrentScene();
        if (GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
            player->RemoveActionListener(this);
        }
        return;
    }
    if (mKind == KIND_GENERAL && HoldsItem()) {
        return;
    }
    bool pending = false;
    if (mObjectOfInterest != nullptr && navigation != nullptr) {
        LNavigationTDO* walker = navigation->GetNavigation();
        const LVector3* at = walker != nullptr ? walker->GetPosition() : nullptr;
        const float dx = at != nullptr ? at->x - mObjectOfInterest->mVCoords.x : 0.0f;
        const float dz = at != nullptr ? at->y - mObjectOfInterest->mVCoords.y : 0.0f;
        if (std::sqrt(dx * dx + dz * dz) > mObjectOfInterest->mRadius) {
            navigation->SetListener(this);
            pending = navigation->WalkTo(mObjectOfInterest->mVCoords, true, aRun ? 2 : 1, true);
            if (!pending) {
                navigation->RemoveListener(this);
            }
        } else {
            pending = TurnToObject();
        }
    }
    if (mMouse != nullptr) {
        mMouse->Interrupt();
    }
    if (!pending) {
        ActByKind(aRun);
    }
}

bool GMHotspot::TurnToObject()
{
    GMScene* scene = GMSceneManager::GetCurrentScene();
    GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    return player != nullptr && mObjectOfInterest != nullptr && player->TurnTo(mObjectOfInterest->mCoords, this);
}

void GMHotspot::ActByKind(bool aRun)
{
    switch (mKind) {
    case KIND_NAVIGATE:
        static_cast<GMHotspotNavigate*>(this)->Go(aRun);
        break;
    case KIND_INTERVIEW: {
        auto* interview = static_cast<GMHotspotInterview*>(this);
        if (interview->GetBargainingItem().IsEmpty()) {
            ShowMultiCursor();
        } else {
            interview->StartInterview();
        }
        break;
    }
    case KIND_TARGET:
        static_cast<GMHotspotTarget*>(this)->CheckTargetSatisfied();
        break;
    case KIND_GENERAL:
        ShowMultiCursor();
        break;
    default:
        break;
    }
}

void GMHotspot::OnNavigationEvent(const LString&)
{
    if (TurnToObject()) {
        return;
    }
    ActByKind(false);
}

void GMHotspot::ContinueAction()
{
    if (mKind == KIND_NAVIGATE) {
        return;
    }
    if (mKind == KIND_INTERVIEW && mTalkPending) {
        mTalkPending = false;
        const auto* record = static_cast<GMHotspotInterview*>(this)->GetRecord();
        GMScene* scene = GMSceneManager::GetCurrentScene();
        GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
        if (record != nullptr && record->mSeated && player != nullptr) {
            player->PlayAction(GM_ACTION_CHAIR_SIT, this);
        } else {
            OnTalk();
        }
        return;
    }
    ActByKind(false);
}

void GMHotspot::TrackTargetDone()
{
    switch (mKind) {
    case KIND_NAVIGATE:
        break;
    case KIND_INTERVIEW:
    case KIND_GENERAL:
        ShowMultiCursor();
        break;
    case KIND_TARGET:
        static_cast<GMHotspotTarget*>(this)->CheckTargetSatisfied();
        break;
    default:
        L_ERROR("TrackTargetDone failure. Invalid type.");
        break;
    }
}

// --- the multi-cursor and the actions ---------------------------------------------------

bool GMHotspot::ShowMultiCursor()
{
    if (mMultiCursor == nullptr) {
        return false;
    }
    // Read before the menu takes the cursor.
    const bool itemInHand = mCursor != nullptr && mCursor->GetType() == GMCursor::TYPE_ITEM;
    // A menu still on the screen (fading out after a click beside it) does not open: the
    // click changes nothing, and the scene's hotspots stay on to take the next one.
    if (!mMultiCursor->ShowAt(mMultiCursorPos)) {
        return false;
    }
    mMultiCursor->SetSide(mMultiCursorSide);
    bool look = Evaluate(mActions[ACTION_LOOK].mEnabled);
    const LVectorString* looks = mVoiceOvers[SITUATION_LOOK];
    if (look && looks != nullptr && looks->GetCount() > 0 && mEventManager != nullptr &&
        mEventManager->IsRaised(PlayedEvent(looks->GetRef(0)))) {
        look = false;
    }
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::LOOK, look);
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::COLLECT, Evaluate(mActions[ACTION_COLLECT].mEnabled));
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::USE, Evaluate(mActions[ACTION_USE].mEnabled));
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::ANALYZE, Evaluate(mActions[ACTION_ANALYZE].mEnabled));
    mMultiCursor->SetActionEnabled(GMMultiCursorAction::TALK, mKind == KIND_INTERVIEW);
    if (itemInHand) {
        mCursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
    }
    mMultiCursor->SetListener(this);
    SetSceneHotspots(false);
    return true;
}

void GMHotspot::OnAction(int aAction)
{
    if (mMultiCursor != nullptr) {
        mMultiCursor->RemoveListener(this);
        mMultiCursor->Hide(false);
    }
    if (mCursor != nullptr) {
        mCursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
    }
    mTalkPending = false;
    GMScene* scene = GMSceneManager::GetCurrentScene();
    GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    const int index = ActionIndex(aAction);
    switch (aAction) {
    case GMMultiCursorAction::LOOK:
        SetSceneInput(false);
        if (!PlayVoiceOver(SITUATION_LOOK) && !PlayActionCutScene(SITUATION_LOOK)) {
            SetSceneInput(true);
            if (mCursor != nullptr) {
                mCursor->SetVisible(true);
            }
        }
        break;
    case GMMultiCursorAction::COLLECT:
    case GMMultiCursorAction::ANALYZE:
        mCurrentAction = index;
        if (mInCloseUp) {
            AddItem();
        } else if (mCollectAnim != 0 && player != nullptr) {
            SetSceneHotspots(false);
            SetInputEnabled(false);
            player->PlayAction(mCollectAnim, this);
            if (aAction == GMMultiCursorAction::COLLECT) {
                // The rest follows at the animation's taking point.
                return;
            }
        } else {
            AddItem();
            ApplyActionData(mActions[index].mDoneEvents, mActions[index].mStateChanges);
            RefreshScene();
        }
        if (aAction == GMMultiCursorAction::ANALYZE) {
            SendToLab();
        }
        break;
    case GMMultiCursorAction::USE:
        if (!mItem.IsEmpty() && mCursor != nullptr) {
            mCursor->SetItemCursor(mItem);
        }
        RefreshScene();
        SetSceneInput(false);
        if (!PlayVoiceOver(SITUATION_USE) && !PlayActionCutScene(SITUATION_USE)) {
            SetSceneInput(true);
        }
        break;
    case GMMultiCursorAction::TALK:
        Talk();
        return;
    default:
        if (mCursor != nullptr) {
            mCursor->SetDefaultCursor(GMCursor::TYPE_DEFAULT);
            mCursor->ReleaseCursor(LString());
        }
        break;
    }
    // The common end.
    const bool collects = aAction == GMMultiCursorAction::COLLECT || aAction == GMMultiCursorAction::ANALYZE;
    if (aAction == GMMultiCursorAction::LOOK || aAction == GMMultiCursorAction::USE || (collects && mInCloseUp)) {
        ApplyActionData(mActions[index].mDoneEvents, mActions[index].mStateChanges);
    }
    RefreshScene();
    if (mInCloseUp) {
        if (GMScene* current = GMSceneManager::GetCurrentScene()) {
            current->SetInputEnabled(false);
            if (GMCloseUp* closeUp = current->GetCloseUp()) {
                closeUp->Refresh();
            }
        }
    } else if (aAction != GMMultiCursorAction::LOOK) {
        SetSceneHotspots(true);
    }
}

void GMHotspot::AddItem()
{
    if (mItem.IsEmpty()) {
        return;
    }
    GMPDA* pda = GMPDA::GetInstance();
    GMInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (inventory != nullptr) {
        inventory->AddItem(mItem);
    }
}

void GMHotspot::Talk()
{
    AddItem();
    ApplyActionData(mActions[ACTION_TALK].mDoneEvents, mActions[ACTION_TALK].mStateChanges);
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
    }
    const GMHotspotInterview::Record* record =
        mKind == KIND_INTERVIEW ? static_cast<GMHotspotInterview*>(this)->GetRecord() : nullptr;
    GMCharacter* witness = record != nullptr && !record->mWitness.IsEmpty() ? SceneCharacter(record->mWitness) : nullptr;
    if (witness != nullptr && witness->SetInterviewMode(true, this)) {
        witness->SetAmbientSuspended(true);
        mTalkPending = true;
        return;
    }
    GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr;
    if (record != nullptr && record->mSeated && player != nullptr) {
        player->PlayAction(GM_ACTION_CHAIR_SIT, this);
        return;
    }
    OnTalk();
}

bool GMHotspot::OnTalk()
{
    const GMHotspotInterview::Record* record =
        mKind == KIND_INTERVIEW ? static_cast<GMHotspotInterview*>(this)->GetRecord() : nullptr;
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = record != nullptr && interviews != nullptr ? interviews->SelectInterview(record->mInterviewId) : nullptr;
    if (interview != nullptr) {
        interview->SetInterviewPosition(record->mPosition);
        interview->SetTalkHotspot(this);
    }
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (interview != nullptr && scene != nullptr && scene->StartInterview()) {
        return true;
    }
    L_ASSERT_FAILURE("Start interview failure.");
    // Nothing else will give the scene its input back.
    if (scene != nullptr) {
        scene->SetInputEnabled(true);
        scene->SetHotspotsEnabled(true);
        scene->SetMouseLock(false);
    }
    return false;
}

void GMHotspot::OnPlayerActionPoint()
{
    AddItem();
    const int index = mCurrentAction;
    if (index >= 0 && index < ACTION_COUNT) {
        ApplyActionData(mActions[index].mDoneEvents, mActions[index].mStateChanges);
    }
    if (index == ACTION_COLLECT) {
        // A collect with an animation ends here: the other hotspots take clicks again.
        RefreshScene();
        SetSceneHotspots(true);
    }
    SetInputEnabled(false);
}

void GMHotspot::OnPlayerActionDone(int aAction)
{
    if (aAction == GM_ACTION_CHAIR_SIT) {
        OnTalk();
        return;
    }
    RefreshScene();
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(true);
        scene->SetHotspotsEnabled(true);
    }
}
