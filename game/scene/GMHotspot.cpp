// The hotspot's life and state: its records, joining and leaving the managers, activity
// and visibility, the action data it applies and the scene it works in.
#include "scene/GMHotspot.h"

#include "Gdi/LIDisplayObject.h"
#include "Gdi/LRenderer.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LMesh.h"
#include "event/LEventManager.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMVoicedLine.h"
#include "multicursor/GMMultiCursor.h"
#include "scene/GMCharacter.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

namespace {

// A cut-scene entry that names something: neither empty nor "-".
bool Names(const LString& aValue)
{
    return !aValue.IsEmpty() && aValue != LString(u"-");
}

} // namespace

bool GMHotspot::Evaluate(LScript* aScript)
{
    return aScript != nullptr && aScript->Evaluate();
}

GMHotspot::ActionRecord::ActionRecord() = default;

GMHotspot::ActionRecord::~ActionRecord()
{
    delete mEnabled;
    delete mDoneEvents;
    delete mStateChanges;
}

GMHotspot::KindData::~KindData()
{
    delete mEnabled;
}

GMHotspot::GMHotspot()
{
    mMouse = LMouse::Get();
    mCursor = GMCursor::GetInstance();
    mMultiCursor = GMMultiCursor::GetInstance();
    mEventManager = LEventManager::Get();
    mStateManager = LStateManager::Get();
}

GMHotspot::~GMHotspot()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (GMMultiCursor* menu = GMMultiCursor::GetInstance()) {
        menu->RemoveListener(this);
    }
    if (LEventManager* events = LEventManager::Get()) {
        events->RemoveListener(this);
    }
    if (LStateManager* states = LStateManager::Get()) {
        states->RemoveListener(this);
    }
    if (GMNavigation* navigation = GMNavigation::GetInstance()) {
        navigation->RemoveListener(this);
    }
    // The interview it started and a collect or sit-down under way must not call back
    // into a deleted hotspot.
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    GMInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    if (interview != nullptr && interview->GetTalkHotspot() == this) {
        interview->SetTalkHotspot(nullptr);
    }
    GMScene* scene = GMSceneManager::GetCurrentScene();
    if (GMCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
        player->RemoveActionListener(this);
    }
    // A witness turning towards its look-at point for this hotspot's talk.
    for (int i = 0; scene != nullptr && i < scene->GetNPCCount(); ++i) {
        if (GMCharacter* npc = scene->GetNPC(i)) {
            npc->RemoveActionListener(this);
        }
    }
    delete mVoice;
    delete mBoundary;
    delete mActiveScript;
    delete mDisplayScript;
    delete mMeshScript;
    delete mKindData;
    delete mObjectOfInterest;
    for (int i = 0; i < SITUATION_COUNT; ++i) {
        delete mVoiceOvers[i];
        delete mCutScenes[i];
    }
}

// --- activity ---------------------------------------------------------------------------

bool GMHotspot::CheckWithin(const LVector2& aPoint)
{
    if (mBoundary == nullptr) {
        if (!mNoBoundaryLogged) {
            mNoBoundaryLogged = true;
            L_ERROR("CheckWithin failure. No boundary defined.");
        }
        return false;
    }
    const LVector2 local(aPoint.x - mBoundaryPosition.x, aPoint.y - mBoundaryPosition.y);
    return mBoundary->Contains(local, false, kBoundaryTolerance);
}

LString GMHotspot::HeldItem() const
{
    return HoldsItem() ? mCursor->GetItemCursor() : LString();
}

bool GMHotspot::HoldsItem() const
{
    if (mCursor == nullptr) {
        return false;
    }
    const int type = mCursor->GetType();
    return type == GMCursor::TYPE_ITEM || type == GMCursor::TYPE_ITEM_HILIGHT;
}

void GMHotspot::UpdateActive()
{
    bool active = Evaluate(mActiveScript);
    if (mKind == KIND_GENERAL && HoldsItem() && mCursor->GetItemCursor() == mItem) {
        active = false;
    }
    if (mDisplayMember != nullptr && mDisplayScript != nullptr) {
        mDisplayMember->SetActive(mDisplayScript->Evaluate());
    }
    if (!mMeshFrame.IsEmpty()) {
        GMScene* scene = GMSceneManager::GetCurrentScene();
        LDrawElement* model = scene != nullptr ? scene->GetDepthMesh() : nullptr;
        LFrame* frame = model != nullptr ? model->GetFrame(mMeshFrame, true) : nullptr;
        if (LMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr) {
            if (Evaluate(mMeshScript)) {
                mesh->SetFlags(LMesh::kShown);
            } else {
                mesh->ClearFlags(LMesh::kShown);
            }
        }
    }
    if (active == mActive) {
        return;
    }
    mActive = active;
    if (!mActive && mRegistered) {
        Register(false);
    } else if (mActive && mInputEnabled && !mRegistered) {
        Register(true);
    }
}

void GMHotspot::Register(bool aRegister)
{
    if (mMouse == nullptr) {
        return;
    }
    if (aRegister) {
        mRegistered = mMouse->AddMember(this, 0.0f);
    } else {
        mMouse->RemoveListener(this);
        mRegistered = false;
    }
}

void GMHotspot::SetInputEnabled(bool aEnabled)
{
    mInputEnabled = aEnabled;
    if (aEnabled) {
        if (mActive && !mRegistered) {
            Register(true);
        }
    } else {
        Register(false);
    }
}

void GMHotspot::Raise(const LString& aId)
{
    if (mEventManager != nullptr && !mEventManager->IsRaised(aId)) {
        mEventManager->AddEvent(aId, true);
    }
}

void GMHotspot::ApplyActionData(const LVectorString* aEvents, const LVectorString* aChanges)
{
    for (int i = 0; aEvents != nullptr && i < aEvents->GetCount(); ++i) {
        Raise(aEvents->GetRef(i));
    }
    if (aChanges == nullptr || mStateManager == nullptr) {
        return;
    }
    // Whole triples only: a trailing partial one is ignored.
    const int triples = aChanges->GetCount() / 3;
    for (int k = 0; k < triples; ++k) {
        const LString& id = aChanges->GetRef(3 * k);
        const LString& type = aChanges->GetRef(3 * k + 1);
        const LString& value = aChanges->GetRef(3 * k + 2);
        if (mStateManager->HasState(id)) {
            mStateManager->SetState(id, value, true);
        } else {
            mStateManager->SetState(id, type, value, true);
        }
    }
}

bool GMHotspot::RenderDisplayMember()
{
    if (mDisplayMember == nullptr || !Evaluate(mDisplayScript)) {
        return true;
    }
    return mDisplayMember->Render(LRenderer::Get());
}

void GMHotspot::OnEvent(LEvent*)
{
    UpdateActive();
}

void GMHotspot::OnStateChanged(LIState*)
{
    UpdateActive();
}

bool GMHotspot::Read(LIStream*)
{
    return false;
}

bool GMHotspot::Write(LIStream*)
{
    return false;
}

void GMHotspot::SendToLab()
{
    SendPairs(u"_CL_S", u"_CL_R");
    SendPairs(u"_RE_S", u"_RE_R");
}

void GMHotspot::SendPairs(const char16_t* aFirst, const char16_t* aSecond)
{
    GMOptions* options = GMOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkill() : GMOptions::SKILL_MEDIUM;
    const float delay = skill == GMOptions::SKILL_EASY ? 8.0f : skill == GMOptions::SKILL_HARD ? 32.0f : 16.0f;
    const LString sent = mItem + aFirst;
    if (mItem.IsEmpty() || mEventManager == nullptr || mEventManager->IsRaised(sent)) {
        return;
    }
    mEventManager->AddEvent(sent, true);
    if (LGameClock* clock = LGameClock::Get()) {
        clock->ScheduleEvent(mItem + aSecond, delay, -1);
    }
}

bool GMHotspot::PlayActionCutScene(int aSituation)
{
    const LVectorString* list = aSituation >= 0 && aSituation < SITUATION_COUNT ? mCutScenes[aSituation] : nullptr;
    if (list == nullptr || list->GetCount() < 1 || list->GetCount() > 5) {
        return false;
    }
    const int count = list->GetCount();
    const LString movie = list->GetRef(0);
    const LString scene = count > 1 ? list->GetRef(1) : LString();
    const LString viewpoint = count > 2 ? list->GetRef(2) : LString();
    const LString state = count > 3 ? list->GetRef(3) : LString();
    const LString event = count > 4 ? list->GetRef(4) : LString();
    if (mCursor != nullptr) {
        mCursor->SetVisible(true);
    }
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    if (player == nullptr) {
        return false;
    }
    if (Names(scene)) {
        player->SetTarget(scene, Names(viewpoint) ? viewpoint : LString());
    } else if (Names(viewpoint)) {
        player->SetTarget(LString(u"-"), viewpoint);
    }
    LVectorString changes;
    if (Names(state)) {
        changes.Add(state);
        changes.Add(LString(u"boolean"));
        changes.Add(LString(u"true"));
    }
    player->SetStateChanges(changes);
    LVectorString events;
    if (Names(event)) {
        events.Add(event);
    }
    player->SetDoneEvents(events);
    player->Play(movie);
    return true;
}

// --- scene helpers ----------------------------------------------------------------------

GMCharacter* GMHotspot::SceneCharacter(const LString& aKey) const
{
    GMScene* scene = GMSceneManager::GetCurrentScene();
    return scene != nullptr ? scene->GetCharacter(aKey) : nullptr;
}

void GMHotspot::SetSceneInput(bool aEnabled)
{
    if (mInCloseUp) {
        return;
    }
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(aEnabled);
        scene->SetMouseLock(!aEnabled);
    }
}

void GMHotspot::SetSceneHotspots(bool aEnabled)
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->SetHotspotsEnabled(aEnabled);
    }
}

void GMHotspot::RefreshScene()
{
    if (GMScene* scene = GMSceneManager::GetCurrentScene()) {
        scene->UpdateHotspots();
    }
}

LString GMHotspot::PlayedEvent(const LString& aVoiceOverId) const
{
    const int dot = aVoiceOverId.Find(u".", 0);
    const LString stem = dot >= 0 ? aVoiceOverId.Mid(0, dot, 0) : aVoiceOverId;
    return LString(u"evt_") + mId + u"_" + stem + u"_played";
}

int GMHotspot::ActionIndex(int aCode)
{
    switch (aCode) {
    case GMMultiCursorAction::USE:
        return ACTION_USE;
    case GMMultiCursorAction::COLLECT:
        return ACTION_COLLECT;
    case GMMultiCursorAction::ANALYZE:
        return ACTION_ANALYZE;
    case GMMultiCursorAction::TALK:
        return ACTION_TALK;
    case GMMultiCursorAction::LOOK:
        return ACTION_LOOK;
    default:
        return -1;
    }
}
