#include "Render/LAnimationTrack.h"

#include "Render/LAnimation.h"

#include <cmath>

void LAnimationTrack::SetTime(float aTime, bool aAlsoPrevious)
{
    mTime = aTime;
    if (aAlsoPrevious) {
        mPreviousTime = aTime;
    }
}

void LAnimationTrack::Advance(float aSeconds)
{
    mPreviousTime = mTime;
    mTime += aSeconds;
}

void LAnimationTrack::Clear()
{
    mAnimation = nullptr;
    mEnded = false;
}

void LAnimationTrack::Start(LAnimation* aAnimation, unsigned int aFlags, float aWeight, float aRate, float aSpeed)
{
    mAnimation = aAnimation;
    mFlags = aFlags;
    mWeight = aWeight;
    mWeightRate = aRate;
    mSpeed = aSpeed;
    SetTime(0.0f, false);
    mEnded = false;
}

bool LAnimationTrack::NextFrame(unsigned int* aFrame)
{
    const unsigned int count = mAnimation != nullptr ? mAnimation->GetFrameCount() : 0;
    if (count == 0) {
        return false;
    }
    mEnded = false;
    // Whole frames played; a time before the start (or no number at all) is the start.
    double frame = std::floor(static_cast<double>(GetScaledTime()) * LAnimation::kFramesPerSecond);
    if (!(frame > 0.0)) {
        frame = 0.0;
    }
    const double last = count - 1;
    if (frame < last) {
        *aFrame = static_cast<unsigned int>(frame);
        return true;
    }
    if ((mFlags & FLAG_HOLD_LAST) != 0) {
        *aFrame = count - 1;
        return true;
    }
    mEnded = true;
    if ((mFlags & FLAG_LOOP) != 0) {
        SetTime(0.0f, false);
    } else {
        SetTime(mPreviousTime, false);
        mFlags |= FLAG_FROZEN;
    }
    // Past the end (a long step, a time far beyond) the index wraps round the frames.
    *aFrame = std::isfinite(frame) ? static_cast<unsigned int>(std::fmod(frame, count)) : count - 1;
    return true;
}
