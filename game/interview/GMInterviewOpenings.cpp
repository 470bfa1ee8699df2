// GMInterview: the openings (introductions, no information, specials, bargaining) and the end of a run.
#include "interview/GMInterview.h"
#include "GMScreenManager.h"

#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorString.h"
#include "event/LEventManager.h"
#include "interview/GMIInterviewListener.h"
#include "interview/GMInterviewMeter.h"
#include "interview/GMInterviewReading.h"
#include "interview/GMInterviewSequence.h"
#include "interview/GMInterviewTopicArea.h"
#include "interview/GMSubtitle.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMCharacter.h"
#include "scene/GMSceneManager.h"
#include "script/LScript.h"
#include "script/LScriptBuilder.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LRandom.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMScreenFader.h"
#include "util/GMStateReader.h"

using namespace GMInterviewReading;

namespace {

constexpr int kFadedBlack = 2;

} // namespace

void GMInterview::End(bool aAfterFade)
{
    mRunning = false;
    for (int i = 0; i < GetCharacterCount(); ++i) {
        if (GMCharacter* character = GetCharacterAt(i)) {
            character->SetSeated(false, 0);
        }
    }
    if (mTopicArea != nullptr) {
        mTopicArea->RegisterButtons(false);
    }
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (mPanel != nullptr) {
        mPanel->SetActive(false);
    }
    mBusy = false;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(nullptr);
        mouse->RemoveListener(this);
    }
    if (!mPhoneCall) {
        if (GMCursor* cursor = GMCursor::GetInstance()) {
            cursor->SetCursor(GMCursor::TYPE_DEFAULT, LString());
        }
    }
    NotifyListener(GMIInterviewListener::EVENT_RETURNED);
    if (aAfterFade) {
        return;
    }
    GMCharacter* player = ScenePlayer();
    if (mPhoneCall) {
        if (player != nullptr) {
            player->PlayAction(GM_ACTION_PHONE_IN, nullptr);
            player->SetAmbientSuspended(false);
        }
    } else {
        ResetSceneCharacters();
    }
    SetSceneCut(LString("-"));
    if (GMCutScenePlayer* cutScenes = GMCutScenePlayer::GetInstance()) {
        cutScenes->PlayForInterview(mId);
    }
    if (mTalkHotspot != nullptr || mRiseListener != nullptr) {
        SetSceneInput(false);
        if (player != nullptr) {
            player->PlayAction(GM_ACTION_CHAIR_RISE, mRiseListener);
        }
    }
}

void GMInterview::OpenBargaining()
{
    if (mStateManager != nullptr) {
        mStateManager->SetState("bargaining_" + mId + "_active", LString("boolean"), LString("true"), false);
    }
    // The end returns the scene to its own camera and resets its characters.
    End();
    if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
        bar->Maximize(false);
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        pda->SetPanel(LString("inventory"));
    }
    if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
        subtitle->FadeOut();
    }
}

bool GMInterview::PlaySequence(LPropertyList* aEntry, const LString& aDoneEvent)
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Lock(this);
    }
    delete mSequence;
    mSequence = L_NEW GMInterviewSequence();
    if (aEntry != nullptr) {
        mSequence->Create(aDoneEvent, aEntry, this);
    }
    mBusy = true;
    return mSequence->Play(this);
}

int GMInterview::PickIndex(int aCount)
{
    LRandom::SeedFromTime();
    const int draw = LRandom::Next();
    const int index = static_cast<int>(static_cast<float>(draw) * (1.0f / static_cast<float>(LRandom::MAX)) *
                                       static_cast<float>(aCount));
    return index < aCount ? index : aCount - 1;
}

bool GMInterview::PlayIntros()
{
    LPropertyList* intros = mDataList != nullptr ? mDataList->GetList(LString("intros")) : nullptr;
    if (LMouse* mouse = LMouse::Get(); mouse != nullptr && intros != nullptr) {
        mouse->Lock(this);
    }
    delete mSequence;
    mSequence = nullptr;
    LScriptBuilder* builder = LScriptBuilder::Get();
    for (int i = 0; intros != nullptr && i < intros->GetCount(); ++i) {
        LPropertyList* entry = intros->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool found = false;
        const LString text = entry->GetString(LString("dependencies"), found);
        if (!found) {
            L_ASSERT_FAILURE("'dependencies' not found.");
        }
        LScript script;
        if (builder == nullptr || !builder->BuildScript(text, &script)) {
            L_ASSERT_FAILURE("Failure building 'dependencies' script.");
            continue;
        }
        if (!script.Evaluate()) {
            continue;
        }
        const LString doneEvent = entry->GetString(LString("doneevent"), found);
        if (!found) {
            L_ASSERT_FAILURE("'doneevent' not found.");
        }
        if (mSequence == nullptr) {
            mSequence = L_NEW GMInterviewSequence();
        }
        mSequence->Create(doneEvent, entry, this);
    }
    if (mSequence == nullptr) {
        if (LMouse* mouse = LMouse::Get()) {
            mouse->Unlock(this);
        }
        mContinueToTopics = false;
        ShowTopics();
        return true;
    }
    ShowModes(false);
    mBusy = true;
    mContinueToTopics = true;
    return mSequence->Play(this);
}

bool GMInterview::PlayNoInfo()
{
    LPropertyList* noInfos = mDataList != nullptr ? mDataList->GetList(LString("noinfos")) : nullptr;
    LPropertyList* entry = nullptr;
    if (noInfos == nullptr) {
        L_ASSERT_FAILURE("'noinfos' not found.");
    } else if (noInfos->GetCount() > 0) {
        entry = noInfos->GetListAt(PickIndex(noInfos->GetCount()));
    }
    if (noInfos != nullptr && entry == nullptr) {
        L_ASSERT_FAILURE("'denied' not found.");
    }
    mEndAfterSequence = true;
    return PlaySequence(entry, entry != nullptr ? TextOr(entry, "doneevent", "") : LString());
}

bool GMInterview::PlaySpecial(const char* aKey)
{
    LPropertyList* entry = mDataList != nullptr ? mDataList->GetList(LString(aKey)) : nullptr;
    if (entry == nullptr) {
        const bool denied = LString(aKey) == LString("denied");
        L_ASSERT_FAILURE(denied ? LString("'denied' not found.") : LString("'exit' not found."));
    }
    ShowModes(false);
    mEndAfterSequence = true;
    return PlaySequence(entry, entry != nullptr ? TextOr(entry, "doneevent", "") : LString());
}

bool GMInterview::PlayBargaining()
{
    LPropertyList* bargain = mDataList != nullptr ? mDataList->GetList(LString("bargain")) : nullptr;
    if (bargain == nullptr) {
        L_ASSERT_FAILURE("Bargaining data not found");
    }
    bool found = false;
    const LString solvedEvent = bargain != nullptr ? bargain->GetString(LString("solvedevent"), found) : LString();
    if (bargain != nullptr && !found) {
        L_ASSERT_FAILURE("");
    }
    if (!GMStateReader::IsRaised(solvedEvent)) {
        LPropertyList* denied = bargain != nullptr ? bargain->GetList(LString("denied")) : nullptr;
        LPropertyList* entry = nullptr;
        if (denied == nullptr) {
            L_ASSERT_FAILURE("Bargaining denied sequence not found");
        } else if (denied->GetCount() > 0) {
            entry = denied->GetListAt(PickIndex(denied->GetCount()));
        }
        if (denied != nullptr && entry == nullptr) {
            L_ASSERT_FAILURE("'denied' not found.");
        }
        mEndAfterSequence = true;
        return PlaySequence(entry, LString());
    }
    if (mStateManager != nullptr) {
        mStateManager->SetState("bargaining_" + mId + "_active", LString("boolean"), LString("false"), true);
    }
    LPropertyList* solved = bargain->GetList(LString("solved"));
    if (solved == nullptr) {
        L_ASSERT_FAILURE("Bargaining solved sequence not found");
    }
    if (mTopicArea == nullptr || mTopicArea->GetOpenCount() == 0) {
        mEndAfterSequence = true;
        mContinueToTopics = false;
    } else {
        mContinueToTopics = true;
    }
    return PlaySequence(solved, "bargainingsolved_" + mId + "_done");
}

bool GMInterview::OnMeterFull(bool aGood)
{
    mMeterFull = false;
    if (mPanel != nullptr) {
        mPanel->SetActive(false);
    }
    if (aGood) {
        if (mStateManager != nullptr) {
            mStateManager->SetState(mNoInfoStateId, LString("boolean"), LString("true"), true);
        }
        if (LEventManager* events = LEventManager::Get()) {
            events->AddEvent("evt_interview" + mId + "_complete", true);
        }
        return PlaySpecial("exit");
    }
    if (mStateManager != nullptr) {
        mStateManager->SetState(mDenialStateId, LString("number"), LString() + GameTime(), true);
    }
    return PlaySpecial("failedexit");
}

void GMInterview::OnSequenceDone()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Unlock(this);
    }
    mCurrentTopic.Clear();
    if (mSequence != nullptr && !mSequence->GetTargetScene().IsEmpty()) {
        // The move waits for a change of screen that holds the fader.
        GMScreenManager* screens = GMScreenManager::GetInstance();
        if (screens != nullptr && screens->IsBusy() && screens->WhenIdle(this, [this] { OnSequenceDone(); })) {
            return;
        }
        GMScreenFader* fader = GMScreenFader::GetInstance();
        if (fader != nullptr && fader->SetListener(this)) {
            fader->FadeOut();
            return;
        }
        L_ERROR("The interview's move to its target scene is dropped.");
    }
    switch (CloseSequence()) {
    case AfterSequence::kEnd:
        End();
        break;
    case AfterSequence::kTopics:
        ShowTopics();
        break;
    case AfterSequence::kNothing:
        break;
    }
}

GMInterview::AfterSequence GMInterview::CloseSequence()
{
    // The sequence has told its last: it touches nothing of itself after this call.
    delete mSequence;
    mSequence = nullptr;
    mBusy = false;
    if (mTopicArea != nullptr) {
        mTopicArea->UpdateTopics();
    }
    AfterSequence after = AfterSequence::kNothing;
    if (mEndAfterSequence) {
        mEndAfterSequence = false;
        after = AfterSequence::kEnd;
    } else if (mContinueToTopics) {
        mContinueToTopics = false;
        after = AfterSequence::kTopics;
    } else {
        return after;
    }
    if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
        subtitle->FadeOut();
    }
    return after;
}

void GMInterview::OnFade(int aEvent)
{
    if (aEvent != kFadedBlack) {
        return;
    }
    GMScreenFader* fader = GMScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    mBusy = false;
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    const LString target = mSequence != nullptr ? mSequence->GetTargetScene() : LString();
    LVectorString parts;
    target.Split(LString("|"), &parts);
    const LString scene = parts.GetCount() > 0 ? parts.GetRef(0) : LString();
    if (parts.GetCount() > 1 && parts.GetRef(1) == LString("false")) {
        mEndAfterSequence = true;
        mContinueToTopics = false;
    }
    // The end seats the characters of the table: forgotten with it, it skips them.
    DeleteCharacters();
    delete mSequence;
    mSequence = nullptr;
    End(true);
    // Loading the scene clears the interviews of the old one, this one among them:
    // nothing of it is touched from here on.
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    const bool loaded = scenes != nullptr && scenes->LoadScene(scene, true, false);
    if (GMSubtitle* subtitle = GMSubtitle::GetInstance()) {
        subtitle->FadeOut();
    }
    SetSceneInput(true);
    if (fader != nullptr) {
        fader->FadeIn();
    }
    if (!loaded) {
        GMSceneManager::ShowMenuWhenNoScreenIsLeft(scene);
    }
}

void GMInterview::ReleasePanel()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (mTooltipPending) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mTooltipPending = false;
    }
    if (GMScreenFader* fader = GMScreenFader::Peek()) {
        fader->RemoveListener(this);
    }
    ListenToButtons(false);
    if (mMeter != nullptr && mMeter->GetInterview() == this) {
        mMeter->SetInterview(nullptr);
    }
}
