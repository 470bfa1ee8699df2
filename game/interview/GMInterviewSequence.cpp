#include "interview/GMInterviewSequence.h"

#include "Input/LKeyboard.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "interview/GMISequenceListener.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "interview/GMSubtitle.h"
#include "interview/GMVoicedLine.h"
#include "memory/LMemoryManager.h"
#include "scene/GMCharacter.h"
#include "state/LStateManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

namespace {

const char* const kStatePrefix = "sta_interview_";
const char* const kStreamName = "sequenceSound";
const char* const kTempSound = "//sounds/temp.ogg";

} // namespace

GMInterviewSequence::GMInterviewSequence()
    : mTimer(LITimer::Get())
    , mFrameManager(LFrameManager::Get())
    , mSubtitle(GMSubtitle::GetInstance())
{
    if (mSubtitle != nullptr) {
        mSubtitle->SetPosition(0.0f, kSubtitleY);
    }
}

GMInterviewSequence::~GMInterviewSequence()
{
    Listen(false);
    StopLine();
    DeleteSubtitles();
}

LString GMInterviewSequence::Dump() const
{
    return DumpHead("GMInterviewSequence") + "]";
}

const GMInterviewSequence::Subtitle* GMInterviewSequence::GetSubtitle(int aIndex) const
{
    if (aIndex < 0 || aIndex >= mSubtitles.GetCount()) {
        return nullptr;
    }
    return static_cast<const Subtitle*>(mSubtitles.GetAt(aIndex));
}

LString GMInterviewSequence::StateId(const LString& aName)
{
    return LString(kStatePrefix) + aName;
}

float GMInterviewSequence::NextTime(const LVectorFloat& aTimes, int aIndex, int aRecords)
{
    return aIndex < aRecords && aIndex < aTimes.GetCount() ? aTimes[aIndex] : -1.0f;
}

double GMInterviewSequence::Now() const
{
    return mTimer != nullptr ? mTimer->GetTime() : 0.0;
}

void GMInterviewSequence::DeleteSubtitles()
{
    for (int i = 0; i < mSubtitles.GetCount(); ++i) {
        delete static_cast<Subtitle*>(mSubtitles.GetAt(i));
    }
    mSubtitles.RemoveAll();
}

bool GMInterviewSequence::Create(const LString& aDoneEvent, LPropertyList* aEntry, GMInterview* aInterview)
{
    if (aInterview == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
    }
    mInterview = aInterview;
    mDoneEvent = aDoneEvent;
    if (aEntry == nullptr) {
        L_ERROR("Create failure. NULL entry.");
        return false;
    }
    bool found = false;
    mNoSkip = aEntry->GetString(LString("noskip"), found).EqualsNoCase(u"true");
    mSounds = aEntry->GetVectorString(LString("sounds"), found);
    mSoundTimes = aEntry->GetVectorFloat(LString("soundtimes"), found);
    if (!found) {
        L_ASSERT_FAILURE("Property not found: 'soundtimes'.");
    }
    ReadSubtitles(aEntry);
    mSubtitleTimes = aEntry->GetVectorFloat(LString("subtitletimes"), found);
    if (!found) {
        L_ASSERT_FAILURE("Property not found: 'subtitletimes'.");
    }
    mViewpoints = aEntry->GetVectorString(LString("viewpoints"), found);
    mViewpointTimes = aEntry->GetVectorFloat(LString("viewpointtimes"), found);
    // A placeholder first name ("string...") means no cuts at all.
    if (mViewpoints.GetCount() > 0 && mViewpoints.GetRef(0).Mid(0, 6, 0).EqualsNoCase(u"string")) {
        mViewpoints.RemoveAll();
        mViewpointTimes.RemoveAll();
    }
    mTargetScene = aEntry->GetString(LString("targetscene"), found);
    mCharacters = aEntry->GetVectorString(LString("characters"), found);
    mBargain = aEntry->GetBool(LString("bargain"), found);
    return true;
}

void GMInterviewSequence::ReadSubtitles(LPropertyList* aEntry)
{
    LPropertyList* list = aEntry->GetList(LString("subtitles"));
    if (list == nullptr) {
        L_ASSERT_FAILURE("List not found: 'subtitles'.");
        return;
    }
    for (int i = 0; i < list->GetCount(); ++i) {
        LPropertyList* item = list->GetListAt(i);
        if (item == nullptr) {
            continue;
        }
        bool found = false;
        auto* record = L_NEW Subtitle();
        const LString font = item->GetString(LString("font"), found);
        if (!found) {
            L_ASSERT_FAILURE("'font' not found.");
        } else if (mInterview != nullptr) {
            record->mFont = mInterview->GetFont(font);
        }
        const LString key = item->GetString(LString("subtitle"), found);
        if (!found) {
            L_ASSERT_FAILURE("'subtitle' not found.");
        } else if (mInterview != nullptr) {
            mInterview->GetSubtitle(key, record->mText);
        }
        const LString type = item->GetString(LString("type"), found);
        if (!found) {
            L_ASSERT_FAILURE("'type' not found.");
        }
        record->mReplace = type.EqualsNoCase(u"replace");
        mSubtitles.Add(record);
    }
}

bool GMInterviewSequence::Play(GMISequenceListener* aListener)
{
    if (aListener == nullptr) {
        L_ASSERT_FAILURE("NULL arg.");
    }
    mListener = aListener;
    mStartTime = Now();
    mSoundIndex = 0;
    mNextSoundTime = NextTime(mSoundTimes, 0, mSounds.GetCount());
    mSubtitleIndex = 0;
    mNextSubtitleTime = NextTime(mSubtitleTimes, 0, mSubtitles.GetCount());
    mViewpointIndex = 0;
    mNextViewpointTime = NextTime(mViewpointTimes, 0, mViewpoints.GetCount());
    mFinished = false;
    Listen(true);
    return true;
}

void GMInterviewSequence::Listen(bool aListen)
{
    if (aListen == mListening) {
        return;
    }
    mListening = aListen;
    LKeyboard* keyboard = LKeyboard::Get();
    if (aListen) {
        if (mFrameManager != nullptr) {
            mFrameManager->AddListener(this, 0.0f);
        }
        if (keyboard != nullptr) {
            keyboard->AddListener(this, 0.0f);
        }
        return;
    }
    if (mFrameManager != nullptr) {
        mFrameManager->RemoveListener(this);
    }
    if (keyboard != nullptr) {
        keyboard->RemoveListener(this);
    }
}

void GMInterviewSequence::OnFrame()
{
    if (mFinished) {
        return;
    }
    const double now = Now();
    auto due = [&](float aNext) { return aNext >= 0.0f && mStartTime + aNext <= now; };
    if (due(mNextSoundTime) && !PlaySound() && LineEnded()) {
        Finish();
        return;
    }
    if (due(mNextSubtitleTime)) {
        PlaySubtitle();
    }
    if (due(mNextViewpointTime)) {
        PlayViewpoint();
    }
    // Without voiced lines nothing else would ever end the sequence.
    const bool linesLeft = mLine != nullptr || mNextSoundTime >= 0.0f;
    if (!linesLeft && mNextSubtitleTime < 0.0f && mNextViewpointTime < 0.0f) {
        Finish();
    }
}

bool GMInterviewSequence::PlaySound()
{
    mNextSoundTime = -1.0f;
    StopLine();
    if (mSoundIndex < 0 || mSoundIndex >= mSounds.GetCount()) {
        return false;
    }
    const LString name = mSounds.GetRef(mSoundIndex);
    if (LStateManager* states = LStateManager::Get()) {
        states->SetState(StateId(name), LString("boolean"), LString("true"), true);
    }
    auto* line = L_NEW GMVoicedLine(this);
    if (line == nullptr) {
        return false;
    }
    line->SetStream(LString(kStreamName), "//sounds/" + name + ".ogg", LString(kTempSound));
    const LString letters = mSoundIndex < mCharacters.GetCount() ? mCharacters.GetRef(mSoundIndex) : LString();
    if (mSoundIndex < mCharacters.GetCount()) {
        line->SetGestures("//gestures/" + name + ".gk");
        for (int i = 0; i < letters.GetLength() && i < GMVoicedLine::kRoleCount; ++i) {
            line->BindRole(i, Character(letters.At(i)));
        }
    }
    if (!letters.IsEmpty()) {
        line->SetLipSync(Character(letters.At(0)), "//dataroot/lipsync/" + name + ".dat");
    }
    if (!line->Play()) {
        delete line;
        return false;
    }
    mLine = line;
    mPlayingLine = mSoundIndex;
    ShowObject(name);
    return true;
}

GMCharacter* GMInterviewSequence::Character(char16_t aLetter) const
{
    const char16_t key[] = {aLetter, 0};
    return mInterview != nullptr ? mInterview->GetCharacter(LString(key)) : nullptr;
}

void GMInterviewSequence::ShowObject(const LString& aName) const
{
    GMInterviewManager* manager = GMInterviewManager::GetInstance();
    const LPropertyList* pocket = manager != nullptr ? manager->GetPocketObjects() : nullptr;
    const LPropertyList* entry = pocket != nullptr ? pocket->GetList(aName) : nullptr;
    if (entry == nullptr) {
        return;
    }
    bool hasAnim = false;
    bool hasObject = false;
    const LString anim = entry->GetString(LString("anim"), hasAnim);
    const LString object = entry->GetString(LString("object"), hasObject);
    GMCharacter* player = GMInterview::ScenePlayer();
    if (hasAnim && hasObject && player != nullptr) {
        player->ShowObject(anim, object == LString("badge") ? GMCharacter::PROP_BADGE : GMCharacter::PROP_POLAROID);
    }
}

bool GMInterviewSequence::PlaySubtitle()
{
    mNextSubtitleTime = -1.0f;
    const Subtitle* record = GetSubtitle(mSubtitleIndex);
    if (record == nullptr) {
        L_ASSERT_FAILURE(LString("PlaySubtitle failure. Index not found:") + mSubtitleIndex);
        return true;
    }
    if (mSubtitle != nullptr) {
        if (record->mReplace) {
            mSubtitle->SetText(record->mText, record->mFont);
        } else {
            mSubtitle->AppendText(record->mText, record->mFont);
        }
        if (!mSubtitle->IsShown()) {
            mSubtitle->Show();
        }
    }
    ++mSubtitleIndex;
    mNextSubtitleTime = NextTime(mSubtitleTimes, mSubtitleIndex, mSubtitles.GetCount());
    return true;
}

bool GMInterviewSequence::PlayViewpoint()
{
    mNextViewpointTime = -1.0f;
    if (mViewpointIndex < mViewpoints.GetCount()) {
        GMInterview::SetSceneCut(mViewpoints.GetRef(mViewpointIndex));
    }
    ++mViewpointIndex;
    mNextViewpointTime = NextTime(mViewpointTimes, mViewpointIndex, mViewpoints.GetCount());
    return true;
}

void GMInterviewSequence::StopLine()
{
    delete mLine;
    mLine = nullptr;
}

LISoundPlayer* GMInterviewSequence::GetSoundPlayer() const
{
    return mLine != nullptr ? mLine->GetSound() : nullptr;
}

LGesturePlayer* GMInterviewSequence::GetGesturePlayer() const
{
    return mLine != nullptr ? mLine->GetGestures() : nullptr;
}

GMCharacter* GMInterviewSequence::GetSpeaker() const
{
    return mLine != nullptr ? mLine->GetLipSyncSpeaker() : nullptr;
}

bool GMInterviewSequence::LineEnded()
{
    StopLine();
    if (mSoundIndex >= 0 && mSoundIndex < mSounds.GetCount()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(StateId(mSounds.GetRef(mSoundIndex)), LString("boolean"), LString("false"), true);
        }
    }
    mPlayingLine = -1;
    ++mSoundIndex;
    mNextSoundTime = NextTime(mSoundTimes, mSoundIndex, mSounds.GetCount());
    return mNextSoundTime < 0.0f;
}

void GMInterviewSequence::OnLineEnded(GMVoicedLine*)
{
    if (!mFinished && LineEnded()) {
        Finish();
    }
}

void GMInterviewSequence::OnKeyDown(int aKey)
{
    if (aKey != kSpaceKey || mNoSkip || mFinished) {
        return;
    }
    const int line = mPlayingLine;
    StopLine();
    if (line >= 0 && line < mSounds.GetCount()) {
        if (LStateManager* states = LStateManager::Get()) {
            states->SetState(StateId(mSounds.GetRef(line)), LString("boolean"), LString("false"), true);
        }
    }
    mPlayingLine = -1;
    Finish();
}

void GMInterviewSequence::OnKeyUp(int aKey)
{
    L_NOTE(LString("aKey:") + aKey);
}

void GMInterviewSequence::Finish()
{
    Listen(false);
    mFinished = true;
    mNextSoundTime = -1.0f;
    mNextSubtitleTime = -1.0f;
    mNextViewpointTime = -1.0f;
    // Raised once: an expert's topic may be asked again.
    if (!mDoneEvent.IsEmpty()) {
        if (LEventManager* events = LEventManager::Get(); events != nullptr && !events->IsRaised(mDoneEvent)) {
            events->AddEvent(mDoneEvent, true);
        }
    }
    if (mBargain) {
        if (mInterview != nullptr) {
            mInterview->OpenBargaining();
        }
        return;
    }
    if (mViewpoints.GetCount() > 0) {
        GMInterview::SetSceneCut(mViewpoints.GetRef(mViewpoints.GetCount() - 1));
    }
    if (mListener != nullptr) {
        mListener->OnSequenceDone();
    }
}
