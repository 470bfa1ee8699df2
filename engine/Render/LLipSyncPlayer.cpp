#include "Render/LLipSyncPlayer.h"

#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LLipSyncCurve.h"
#include "Render/LLipSyncData.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "time/LStopwatch.h"

LLipSyncPlayer::LLipSyncPlayer()
    : mStopwatch(L_NEW LStopwatch())
{
}

LLipSyncPlayer::~LLipSyncPlayer()
{
    Stop();
    delete mStopwatch;
    delete mData;
    delete[] mCursors;
    DeletePoses();
}

void LLipSyncPlayer::DeletePoses()
{
    if (mPoses == nullptr) {
        return;
    }
    for (int i = 0; i < LLipSyncCurve::kPhonemeCount; ++i) {
        delete mPoses[i];
    }
    delete[] mPoses;
    mPoses = nullptr;
}

const LAnimation* LLipSyncPlayer::GetPose(int aType) const
{
    return mPoses != nullptr && LLipSyncCurve::GetPhonemeName(aType) != nullptr ? mPoses[aType] : nullptr;
}

float LLipSyncPlayer::GetTime() const
{
    return mStopwatch != nullptr ? mStopwatch->GetElapsed() : 0.0f;
}

int LLipSyncPlayer::LoadData(bool aBinary, const LString& aPath, bool aSymbolic)
{
    LLipSyncData* data = L_NEW LLipSyncData();
    if (data == nullptr || !data->Load(aBinary, aPath, aSymbolic)) {
        delete data;
        return 0;
    }
    return SetData(data);
}

int LLipSyncPlayer::SetData(LLipSyncData* aData)
{
    if (aData == nullptr) {
        L_ERROR("NULL arg.");
        return 0;
    }
    const int count = aData->GetCurveCount();
    unsigned int* cursors = count > 0 ? L_NEW unsigned int[count]() : nullptr;
    if (count > 0 && cursors == nullptr) {
        L_ERROR("SetData failure. Out of memory.");
        delete aData;
        return 0;
    }
    delete mData;
    mData = aData;
    // The cursors always match the curves held, whoever made the data.
    delete[] mCursors;
    mCursors = cursors;
    return 1;
}

int LLipSyncPlayer::LoadAnimation(const LString& aDirectory, bool aSymbolic)
{
    const LString base = aDirectory + "/";
    DeletePoses();
    mPoses = L_NEW LAnimation*[LLipSyncCurve::kPhonemeCount]();
    if (mPoses == nullptr) {
        L_ERROR("LoadAnimation failure. Out of memory.");
        return 0;
    }
    for (int i = 0; i < LLipSyncCurve::kPhonemeCount; ++i) {
        LAnimation* pose = L_NEW LAnimation();
        if (pose == nullptr || !pose->Load(base + LLipSyncCurve::GetPhonemeName(i) + ".lia", aSymbolic)) {
            delete pose;
            L_ERROR("Animation file not found.");
            return 0;
        }
        mPoses[i] = pose;
    }
    return 1;
}

int LLipSyncPlayer::SetDrawElement(LDrawElement* aElement)
{
    if (aElement == nullptr) {
        L_ERROR("NULL arg.");
        return 0;
    }
    mElement = aElement;
    return 1;
}

int LLipSyncPlayer::Play()
{
    if (mData == nullptr) {
        L_ERROR("No data found.");
        return 0;
    }
    if (mStopwatch == nullptr) {
        L_ERROR("Play failure. No stopwatch.");
        return 0;
    }
    if (mPaused) {
        mPaused = false;
        mStopwatch->Resume();
    } else {
        // From the start, whether it was idle or already playing.
        for (int i = 0; i < mData->GetCurveCount(); ++i) {
            mCursors[i] = 0;
        }
        mStopwatch->Reset();
        mStopwatch->Resume();
    }
    mPlaying = true;
    return 1;
}

int LLipSyncPlayer::Pause()
{
    if (!mPaused && mStopwatch != nullptr) {
        mPaused = true;
        mStopwatch->Stop();
    }
    return 1;
}

int LLipSyncPlayer::Stop()
{
    for (int i = 0; mData != nullptr && i < mData->GetCurveCount(); ++i) {
        mCursors[i] = 0;
    }
    mPlaying = false;
    mPaused = false;
    return 1;
}

int LLipSyncPlayer::Update()
{
    if (!mPlaying || mPaused || mData == nullptr) {
        return 1;
    }
    const float now = GetTime();
    for (int i = 0; i < mData->GetCurveCount(); ++i) {
        const LLipSyncCurve* curve = mData->GetCurve(i);
        float weight = 0.0f;
        if (!curve->WeightAt(now, &mCursors[i], &weight)) {
            continue;
        }
        const LAnimation* pose = GetPose(curve->mType);
        if (pose == nullptr) {
            L_ASSERT_FAILURE("");
            continue;
        }
        ApplyPose(*pose, weight);
    }
    return 1;
}

void LLipSyncPlayer::ApplyPose(const LAnimation& aPose, float aWeight)
{
    if (mElement == nullptr) {
        return;
    }
    // A pose is the first key of each of its channels.
    for (unsigned int c = 0; c < aPose.GetChannelCount(); ++c) {
        const LAnimationChannel* channel = aPose.GetChannel(c);
        LFrame* frame = mElement->GetFrame(channel->mFrameId);
        if (frame == nullptr) {
            continue;
        }
        LMatrix4& local = frame->LocalMatrix();
        LAnimationCtrl::BlendRotation(&local, channel->mRotationKeys[0], aWeight);
        LAnimationCtrl::SetTranslation(&local, channel->mTranslationKeys[0]);
    }
}
