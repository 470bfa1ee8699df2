#include "pda/GMMapTag.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "LRectangle.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "scene/GMCloseUp.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "time/LITimer.h"
#include "ui/GMCutScenePlayer.h"

namespace {

const char* const kFaderId = "maptag";

// A script built from the text; null (logged) when it cannot be made.
LScript* Build(const LString& aText)
{
    LScriptBuilder* builder = LScriptBuilder::Get();
    LScript* script = builder != nullptr ? L_NEW LScript() : nullptr;
    if (script != nullptr && !builder->BuildScript(aText, script)) {
        delete script;
        script = nullptr;
    }
    return script;
}

} // namespace

GMMapTag::GMMapTag() = default;

GMMapTag::~GMMapTag()
{
    ListenFrames(false);
    delete mFader;
    mFader = nullptr;
    for (Target& target : mTargets) {
        delete target.mCondition;
        target.mCondition = nullptr;
    }
    mTargets.clear();
    delete mShow;
    mShow = nullptr;
    // The group owns the button.
    mButton = nullptr;
    delete mGroup;
    mGroup = nullptr;
}

LString GMMapTag::Dump() const
{
    return DumpHead("GMMapTag") + "]";
}

bool GMMapTag::Create(LPropertyList* aList)
{
    mButton = aList != nullptr ? LLayoutBuilder::BuildButton(aList, this) : nullptr;
    if (mButton == nullptr) {
        L_ASSERT_FAILURE("Creation failure.");
        return false;
    }
    bool ok = true;
    bool found = false;
    mId = aList->GetString(LString("id"), found);
    if (!found) {
        L_ASSERT_FAILURE("'id' not found.");
        ok = false;
    }
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr || !mGroup->SetId(mId) || !mGroup->AddMember(mButton, true)) {
        L_ASSERT_FAILURE("");
        if (mButton->GetGroup() == nullptr) {
            delete mButton;
            mButton = nullptr;
        }
        ok = false;
    }
    if (mGroup != nullptr) {
        mGroup->SetActive(false);
        mGroup->UpdateAll();
    }
    mSelectedEvent = aList->GetString(LString("selectedevent"), found);
    if (!found) {
        mSelectedEvent = "evt_maptag_" + mId;
    }
    const LString show = aList->GetString(LString("show"), found);
    if (!found) {
        L_ASSERT_FAILURE("'show' not found.");
        ok = false;
    } else {
        mShow = Build(show);
        if (mShow == nullptr) {
            L_ASSERT_FAILURE("");
            ok = false;
        } else if (mShow->Evaluate()) {
            MakeVisibleState(false);
        }
    }
    LPropertyList* targets = aList->GetList(LString("targets"));
    if (targets == nullptr) {
        L_ASSERT_FAILURE("'targets' not found.");
        return false;
    }
    for (int i = 0; i < targets->GetCount(); ++i) {
        LPropertyList* entry = targets->GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE("");
            ok = false;
            continue;
        }
        Target target;
        const LString condition = entry->GetString(LString("condition"), found);
        if (!found) {
            L_ASSERT_FAILURE("'condition' not found.");
            ok = false;
        } else if ((target.mCondition = Build(condition)) == nullptr) {
            L_ASSERT_FAILURE("");
            ok = false;
        }
        target.mLogic = entry->GetVectorString(LString("logic"), found);
        if (!found) {
            L_ASSERT_FAILURE("'logic' not found.");
            ok = false;
        }
        mTargets.push_back(target);
    }
    return ok;
}

void GMMapTag::MakeVisibleState(bool aNotify) const
{
    LStateManager* states = LStateManager::Get();
    const LString state = "maptag_" + mId + "_visible";
    if (states != nullptr && !states->HasState(state)) {
        states->SetState(state, LString("boolean"), LString("true"), aNotify);
    }
}

bool GMMapTag::Refresh()
{
    if (mShow == nullptr) {
        return false;
    }
    mAvailable = mShow->Evaluate();
    if (mAvailable) {
        MakeVisibleState(true);
        LEventManager* events = LEventManager::Get();
        mNew = events != nullptr && !events->IsRaised(mSelectedEvent);
    } else {
        mNew = false;
    }
    return mAvailable;
}

void GMMapTag::ListenFrames(bool aListen)
{
    if (aListen == mFrameListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (aListen) {
        mFrameListening = frames != nullptr && frames->AddListener(this, 0.0f) != 0;
    } else {
        if (frames != nullptr) {
            frames->RemoveListener(this);
        }
        mFrameListening = false;
    }
}

void GMMapTag::StartRest()
{
    mPhase = PHASE_REST;
    mRestStart = LITimer::Now();
    ListenFrames(true);
}

void GMMapTag::SetActive(bool aActive)
{
    if (aActive == mActive || !Refresh()) {
        return;
    }
    mActive = aActive;
    if (mGroup != nullptr) {
        mGroup->SetActive(aActive);
    }
    if (mActive && mNew && mPhase == PHASE_REST && mGroup != nullptr) {
        mGroup->SetBlend(1.0f);
        StartRest();
    }
}

void GMMapTag::Fade(float aFrom, float aTo, int aDirection)
{
    mFader->SetValue(aFrom);
    mFader->SetTargetValue(aTo);
    mFader->SetDirection(aDirection);
    mFader->SetFadeTime(kFadeTime);
    mFader->StartFade();
}

void GMMapTag::OnFrame()
{
    if (!mNew || !mAvailable || !mActive || mPhase != PHASE_REST) {
        ListenFrames(false);
        return;
    }
    if (LITimer::Now() - mRestStart < kRestTime) {
        return;
    }
    ListenFrames(false);
    mPhase = PHASE_OUT;
    if (mFader == nullptr) {
        mFader = L_NEW LFader();
        if (mFader == nullptr) {
            mPhase = PHASE_REST;
            return;
        }
        mFader->SetGroup(mGroup);
        mFader->SetListener(LString(kFaderId), this);
    }
    Fade(1.0f, kLowBlend, -1);
}

void GMMapTag::OnFaderEvent(const LString&, int aEvent)
{
    if (aEvent != LFader::kFinished) {
        return;
    }
    if (mPhase == PHASE_OUT) {
        mPhase = PHASE_IN;
        // A fade starts by making the group active: a hidden tag is not shown again, and
        // rests at full blend at once.
        if (!mActive) {
            mPhase = PHASE_REST;
            if (mGroup != nullptr) {
                mGroup->SetBlend(1.0f);
            }
            return;
        }
        Fade(kLowBlend, 1.0f, 1);
    } else if (mPhase == PHASE_IN) {
        StartRest();
    } else {
        L_ASSERT_FAILURE("Invalid state.");
    }
}

void GMMapTag::StopBlink()
{
    if (mFader != nullptr) {
        mFader->StopFade();
        delete mFader;
        mFader = nullptr;
    }
    if (mGroup != nullptr) {
        mGroup->SetBlend(1.0f);
    }
    mPhase = PHASE_REST;
    ListenFrames(false);
}

bool GMMapTag::MouseInScrollArea()
{
    GMPDA* pda = GMPDA::GetInstance();
    LDisplayGroup* area = pda != nullptr ? pda->GetScrollArea() : nullptr;
    LMouse* mouse = LMouse::Get();
    LRectangle clip;
    if (area == nullptr || mouse == nullptr || !area->GetWorldClip(&clip)) {
        return false;
    }
    LVector2 at;
    mouse->GetPosition(at);
    return at.x >= clip.GetX() && at.x <= clip.GetX() + clip.GetWidth() && at.y >= clip.GetY() &&
           at.y <= clip.GetY() + clip.GetHeight();
}

void GMMapTag::OnButton(const LString& aId, int aEvent)
{
    if (aId != mId || !MouseInScrollArea()) {
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    mNew = false;
    StopBlink();
    for (const Target& target : mTargets) {
        if (target.mCondition == nullptr || !target.mCondition->Evaluate()) {
            continue;
        }
        if (mButton != nullptr) {
            mButton->OnMove(LVector2(-100.0f, -100.0f));
        }
        // A copy: the move may rebuild what holds the targets.
        const LVectorString logic = target.mLogic;
        ExecuteLogic(logic);
        return;
    }
}

void GMMapTag::ExecuteLogic(const LVectorString& aLogic)
{
    const LString scene = aLogic.GetCount() > 1 ? aLogic[1] : LString();
    GMCutScenePlayer* cutScenes = GMCutScenePlayer::GetInstance();
    if (aLogic.GetCount() > 1 && cutScenes != nullptr && cutScenes->PlayForLocation(scene)) {
        if (LGameClock* clock = LGameClock::Get()) {
            clock->Advance(kMoveTime, true);
        }
        if (GMPDA* pda = GMPDA::GetInstance()) {
            pda->Close();
        }
        GMScene* current = GMSceneManager::GetCurrentScene();
        if (GMCloseUp* closeUp = current != nullptr ? current->GetCloseUp() : nullptr) {
            closeUp->Unload();
        }
        if (current != nullptr) {
            current->StopAudio();
        }
        return;
    }
    LEventManager* events = LEventManager::Get();
    if (events != nullptr && !events->IsRaised(mSelectedEvent)) {
        events->AddEvent(mSelectedEvent, true);
    }
    const LString kind = aLogic.GetCount() > 0 ? aLogic[0] : LString();
    if (kind.EqualsNoCase(u"gotoscene") && aLogic.GetCount() > 1) {
        Move(scene, LString(), false);
    } else if (kind.EqualsNoCase(u"gotoviewpoint") && aLogic.GetCount() > 2) {
        Move(scene, aLogic[2], true);
    }
}

void GMMapTag::Move(const LString& aScene, const LString& aViewpoint, bool aViewpointMove)
{
    GMScene* current = GMSceneManager::GetCurrentScene();
    if (GMCloseUp* closeUp = current != nullptr ? current->GetCloseUp() : nullptr) {
        closeUp->Unload();
        current->StopAudio();
        if (GMScreenManager* screens = GMScreenManager::GetInstance()) {
            screens->Clear();
        }
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        pda->Close();
    }
    if (LGameClock* clock = LGameClock::Get()) {
        clock->Advance(kMoveTime, true);
    }
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    // The location card is shown: the skip flag is false.
    if (scenes == nullptr || !scenes->LoadScene(aScene, !aViewpointMove, false)) {
        L_ERROR("ExecuteLogic failure. Could not load scene: " + aScene);
        GMSceneManager::ShowMenuWhenNoScreenIsLeft(aScene);
        return;
    }
    if (!aViewpointMove) {
        return;
    }
    GMScene* loaded = scenes->GetScene();
    if (loaded == nullptr) {
        L_ERROR("ExecuteLogic failure. Could not load scene: " + aScene);
        return;
    }
    loaded->SetViewpoint(aViewpoint);
    loaded->OnShow();
}
