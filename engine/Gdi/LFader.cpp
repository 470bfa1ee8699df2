#include "Gdi/LFader.h"

#include "Gdi/LIDisplayObject.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LITimer.h"

#include <cmath>

LIFaderListener::~LIFaderListener() = default;

LFader::LFader() : mTimer(LITimer::Get())
{
}

LFader::~LFader()
{
    Leave();
    mObject = nullptr;
    mTimer = nullptr;
    mListener = nullptr;
}

LString LFader::Dump() const
{
    LString text("[LFader <");
    text += static_cast<const void*>(this);
    text += ">]";
    return text;
}

int LFader::SetGroup(LIDisplayObject* aObject)
{
    if (aObject == nullptr) {
        L_ERROR("SetGroup failure. NULL arg.");
        return 0;
    }
    mObject = aObject;
    return 1;
}

int LFader::SetListener(const LString& aId, LIFaderListener* aListener)
{
    if (aListener == nullptr) {
        L_ERROR("SetListener failure. NULL arg.");
        return 0;
    }
    if (aId.IsEmpty()) {
        L_ERROR("SetListener failure. Invalid id.");
        return 0;
    }
    mId = aId;
    mListener = aListener;
    return 1;
}

void LFader::RemoveListener()
{
    mListener = nullptr;
}

int LFader::SetDirection(int aDirection)
{
    if (aDirection < -1 || aDirection > 1) {
        L_ERROR(LString("SetDirection failure. Invalid arg:") + aDirection);
        return 0;
    }
    mDirection = aDirection;
    return 1;
}

int LFader::SetFadeTime(float aSeconds)
{
    if (aSeconds < 0.0f) {
        L_ERROR(LString("SetFadeTime failure. Value out of range: ") + aSeconds);
        return 0;
    }
    mFadeTime = aSeconds;
    return 1;
}

int LFader::SetTargetValue(float aValue)
{
    if (!(aValue >= 0.0f && aValue <= 1.0f)) {
        L_ERROR(LString("SetTargetValue failure. Value out of range:") + aValue);
        return 0;
    }
    mTargetValue = aValue;
    return 1;
}

int LFader::SetValue(float aValue)
{
    if (!(aValue >= 0.0f && aValue <= 1.0f)) {
        L_ERROR(LString("SetValue failure. Value out of range:") + aValue);
        return 0;
    }
    mStartValue = aValue;
    if (mObject != nullptr) {
        mObject->SetActive(true);
    }
    return 1;
}

void LFader::Send(int aEvent)
{
    if (mListener != nullptr) {
        mListener->OnFaderEvent(mId, aEvent);
    }
}

void LFader::Leave()
{
    if (!mListening) {
        return;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (frames == nullptr || !frames->RemoveListener(this)) {
        L_ASSERT_FAILURE("");
    }
    mListening = false;
}

int LFader::StartFade()
{
    if (mRunning) {
        L_ERROR("StartFade failure. Fade already started.");
        return 0;
    }
    LFrameManager* frames = LFrameManager::Get();
    if (frames != nullptr && frames->AddListener(this, 0.0f)) {
        mListening = true;
    } else {
        L_ASSERT_FAILURE("");
    }
    mStartTime = mTimer != nullptr ? mTimer->GetTime() : 0.0;
    mRunning = true;
    mEndReached = false;
    Send(kStarted);
    Step();
    return 1;
}

int LFader::StopFade()
{
    if (!mRunning) {
        return 1;
    }
    Leave();
    mStartTime = 0.0;
    mRunning = false;
    mEndReached = false;
    Send(kStopped);
    return 1;
}

void LFader::OnFrame()
{
    if (mRunning) {
        Step();
    }
}

void LFader::Step()
{
    const double now = mTimer != nullptr ? mTimer->GetTime() : 0.0;
    // A clock set back since the start holds the start value rather than fading backwards.
    const double elapsed = now > mStartTime ? now - mStartTime : 0.0;
    if (elapsed < mFadeTime) {
        const float blend = mStartValue + std::fabs(mTargetValue - mStartValue) *
                                              static_cast<float>(elapsed / mFadeTime) *
                                              static_cast<float>(mDirection);
        if (mObject != nullptr) {
            mObject->SetBlend(blend);
        }
        return;
    }
    if (mObject != nullptr) {
        mObject->SetBlend(mTargetValue);
    }
    if (!mEndReached) {
        mEndReached = true;
        return;
    }
    mEndReached = false;
    Leave();
    mRunning = false;
    mStartTime = 0.0;
    Send(kFinished);
}
