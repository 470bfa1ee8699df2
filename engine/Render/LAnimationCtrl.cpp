#include "Render/LAnimationCtrl.h"

#include "LMatrix4.h"
#include "Render/LAnimation.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "time/LStopwatch.h"

#include <cmath>

namespace {
constexpr int kMainTrack = 0;

// Float to flags: anything that is not a count of bits gives no flags.
unsigned int FlagsOf(float aValue)
{
    return aValue >= 0.0f && aValue < 4294967296.0f ? static_cast<unsigned int>(aValue) : 0u;
}

float RowLength(const LMatrix4& aM, int aRow)
{
    const float* row = &aM.m[aRow * 4];
    return std::sqrt(row[0] * row[0] + row[1] * row[1] + row[2] * row[2]);
}

// The local matrix becomes S x R with S the scaling of aScale and R the rotation of aQ;
// its translation row is kept.
void Compose(LMatrix4* aLocal, const float aScale[3], LQuaternion aQ)
{
    aQ.Normalize(LAnimationCtrl::kTolerance);
    LMatrix4 rotation;
    LMatrix4::RotationQuaternion(&rotation, &aQ);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            aLocal->m[row * 4 + column] = rotation.m[row * 4 + column] * aScale[row];
        }
        aLocal->m[row * 4 + 3] = 0.0f;
    }
    aLocal->m[15] = 1.0f;
}
} // namespace

LAnimationCtrl::LAnimationCtrl()
    : mStopwatch(L_NEW LStopwatch())
{
    mLastTime = GetTime();
}

LAnimationCtrl::~LAnimationCtrl()
{
    delete mStopwatch;
}

bool LAnimationCtrl::IsValidIndex(int aIndex, const char* aOperation) const
{
    if (aIndex < 0 || aIndex >= kTrackCount) {
        L_ERROR(LString(aOperation) + " failure. Invalid track: " + aIndex);
        return false;
    }
    return true;
}

LAnimationTrack* LAnimationCtrl::GetTrack(int aIndex)
{
    return IsValidIndex(aIndex, "GetTrack") ? &mTracks[aIndex] : nullptr;
}

int LAnimationCtrl::FirstEmptyBlendTrack() const
{
    for (int i = 1; i < kTrackCount; ++i) {
        if (mTracks[i].mAnimation == nullptr) {
            return i;
        }
    }
    return -1;
}

int LAnimationCtrl::SetAnimation(LAnimation* aAnimation, bool aAdd, float aWeight, float aRate, unsigned int aFlags,
                                 float aSpeed)
{
    if (aAnimation == nullptr) {
        L_ERROR("SetAnimation failure. NULL arg.");
        return 0;
    }
    int target = kMainTrack;
    if (aAdd) {
        for (int i = 1; i < kTrackCount; ++i) {
            if (mTracks[i].mAnimation == aAnimation) {
                return 1;
            }
        }
        target = FirstEmptyBlendTrack();
        if (target < 0) {
            return 1;
        }
    } else {
        LAnimationTrack& main = mTracks[kMainTrack];
        if (main.mAnimation == aAnimation) {
            return 1;
        }
        const int free = FirstEmptyBlendTrack();
        if (main.mAnimation != nullptr && free >= 0) {
            LAnimationTrack& old = mTracks[free];
            old = main;
            old.mFlags |= LAnimationTrack::FLAG_FADE_OUT;
            old.mWeight = 1.0f;
            old.mWeightRate = kFadeOutRate;
            old.mSpeed = 1.0f;
        }
    }
    mTracks[target].Start(aAnimation, aFlags, aWeight, aRate, aSpeed);
    mTracks[target].SetTime(0.0f, true);
    return 1;
}

LAnimationTrack* LAnimationCtrl::FindTrack(const LAnimation* aAnimation)
{
    const int index = FindTrackIndex(aAnimation);
    return index >= 0 ? &mTracks[index] : nullptr;
}

int LAnimationCtrl::FindTrackIndex(const LAnimation* aAnimation) const
{
    for (int i = 0; aAnimation != nullptr && i < kTrackCount; ++i) {
        if (mTracks[i].mAnimation == aAnimation) {
            return i;
        }
    }
    return -1;
}

int LAnimationCtrl::StopAnimation(LAnimation* aAnimation)
{
    LAnimationTrack* track = FindTrack(aAnimation);
    if (track == nullptr) {
        return 0;
    }
    track->mAnimation = nullptr;
    return 1;
}

int LAnimationCtrl::FreezeAnimation(LAnimation* aAnimation)
{
    LAnimationTrack* track = FindTrack(aAnimation);
    if (track == nullptr) {
        return 0;
    }
    track->mFlags |= LAnimationTrack::FLAG_FROZEN;
    return 1;
}

int LAnimationCtrl::SetTrackParameters(LAnimation* aAnimation, const float aValues[4])
{
    LAnimationTrack* track = FindTrack(aAnimation);
    if (track == nullptr || aValues == nullptr) {
        return 0;
    }
    track->mFlags = FlagsOf(aValues[0]);
    track->mWeight = aValues[1];
    track->mWeightRate = aValues[2];
    track->mSpeed = aValues[3];
    return 1;
}

int LAnimationCtrl::SetTrack(int aIndex, LAnimation* aAnimation, unsigned int aFlags, float aWeight, float aRate,
                             float aSpeed)
{
    if (!IsValidIndex(aIndex, "SetTrack")) {
        return 0;
    }
    mTracks[aIndex].Start(aAnimation, aFlags, aWeight, aRate, aSpeed);
    return 1;
}

int LAnimationCtrl::SetTrack(int aIndex, LAnimation* aAnimation, unsigned int aFlags, float aWeight, float aRate)
{
    return SetTrack(aIndex, aAnimation, aFlags, aWeight, aRate, 1.0f);
}

int LAnimationCtrl::FadeOutTrack(int aIndex, float aRate)
{
    if (!IsValidIndex(aIndex, "FadeOutTrack")) {
        return 0;
    }
    LAnimationTrack& track = mTracks[aIndex];
    if (aRate == 0.0f) {
        track.Clear();
        return 1;
    }
    track.mFlags = (track.mFlags & ~LAnimationTrack::FLAG_FADE_IN) | LAnimationTrack::FLAG_FADE_OUT;
    track.mWeightRate = aRate;
    return 1;
}

int LAnimationCtrl::FadeOutAll(float aRate)
{
    for (int i = 0; i < kTrackCount; ++i) {
        if (mTracks[i].mAnimation != nullptr) {
            FadeOutTrack(i, aRate);
        }
    }
    return 1;
}

void LAnimationCtrl::ClearBlendTracks()
{
    for (int i = 1; i < kTrackCount; ++i) {
        mTracks[i].Clear();
    }
}

const LString* LAnimationCtrl::GetAnimationName(int aIndex) const
{
    if (!IsValidIndex(aIndex, "GetAnimationName") || mTracks[aIndex].mAnimation == nullptr) {
        return nullptr;
    }
    return &mTracks[aIndex].mAnimation->GetName();
}

float LAnimationCtrl::GetTrackScaledTime(int aIndex) const
{
    if (!IsValidIndex(aIndex, "GetTrackScaledTime") || mTracks[aIndex].mAnimation == nullptr) {
        return -1.0f;
    }
    return mTracks[aIndex].GetScaledTime();
}

void LAnimationCtrl::SetPaused(bool aPaused)
{
    if (aPaused == mPaused || mStopwatch == nullptr) {
        return;
    }
    mPaused = aPaused;
    if (aPaused) {
        mStopwatch->Stop();
    } else {
        mStopwatch->Resume();
    }
}

float LAnimationCtrl::GetTime() const
{
    return mStopwatch != nullptr ? mStopwatch->GetElapsed() : 0.0f;
}

void LAnimationCtrl::CompactBlendTracks()
{
    for (int i = 1; i < kTrackCount; ++i) {
        if (mTracks[i].mAnimation != nullptr) {
            continue;
        }
        int j = i + 1;
        while (j < kTrackCount && mTracks[j].mAnimation == nullptr) {
            ++j;
        }
        if (j == kTrackCount) {
            return;
        }
        mTracks[i] = mTracks[j];
        mTracks[j].Clear();
    }
}

int LAnimationCtrl::Update(float aNow)
{
    const float elapsed = aNow - mLastTime;
    mLastTime = aNow;
    for (int i = 0; i < kTrackCount; ++i) {
        LAnimationTrack& track = mTracks[i];
        if (track.mAnimation == nullptr) {
            continue;
        }
        if (track.mEnded && (track.mFlags & LAnimationTrack::FLAG_LOOP) == 0) {
            track.mFlags = (track.mFlags & ~LAnimationTrack::FLAG_FADE_IN) | LAnimationTrack::FLAG_FADE_OUT |
                           LAnimationTrack::FLAG_FROZEN;
            track.mWeightRate = kFadeOutRate;
        }
        if ((track.mFlags & LAnimationTrack::FLAG_FROZEN) == 0) {
            track.Advance(elapsed);
        }
        if ((track.mFlags & LAnimationTrack::FLAG_FADE_OUT) != 0) {
            track.mWeight += elapsed * track.mWeightRate;
            if (track.mWeight <= 0.0f) {
                // A later track moved into this slot is weighed below but not advanced.
                track.Clear();
                CompactBlendTracks();
            }
        } else if ((track.mFlags & LAnimationTrack::FLAG_FADE_IN) != 0) {
            track.mWeight += elapsed * track.mWeightRate;
            if (track.mWeight >= 1.0f) {
                track.mFlags &= ~LAnimationTrack::FLAG_FADE_IN;
            }
        }
        if (track.mWeight < 0.0f) {
            track.mWeight = 0.0f;
        } else if (track.mWeight > 1.0f) {
            track.mWeight = 1.0f;
        }
    }
    return 1;
}

void LAnimationCtrl::SetRotation(LMatrix4* aLocal, const LQuaternion& aRotation)
{
    const float scale[3] = {RowLength(*aLocal, 0), RowLength(*aLocal, 1), RowLength(*aLocal, 2)};
    Compose(aLocal, scale, aRotation);
}

void LAnimationCtrl::BlendRotation(LMatrix4* aLocal, const LQuaternion& aRotation, float aWeight)
{
    const float scale[3] = {RowLength(*aLocal, 0), RowLength(*aLocal, 1), RowLength(*aLocal, 2)};
    // The rotation the matrix holds, without its scale.
    LMatrix4 rows = *aLocal;
    for (int row = 0; row < 3; ++row) {
        if (scale[row] > kTolerance) {
            for (int column = 0; column < 3; ++column) {
                rows.m[row * 4 + column] /= scale[row];
            }
        }
    }
    LQuaternion from;
    LMatrix4::QuaternionFromMatrix(&from, &rows);
    from.Normalize(kTolerance);
    LQuaternion to = aRotation;
    to.Normalize(kTolerance);
    LQuaternion blended;
    LMatrix4::QuaternionSlerp(&blended, &from, &to, aWeight);
    Compose(aLocal, scale, blended);
}

void LAnimationCtrl::SetTranslation(LMatrix4* aLocal, const LVector3& aTranslation)
{
    aLocal->m[12] = aTranslation.x;
    aLocal->m[13] = aTranslation.y;
    aLocal->m[14] = aTranslation.z;
}

int LAnimationCtrl::Apply(LDrawElement* aElement)
{
    if (aElement == nullptr) {
        L_ERROR("Apply failure. NULL arg.");
        return 0;
    }
    for (int i = 0; i < aElement->GetFrameCount(); ++i) {
        LFrame* frame = aElement->GetFrameAt(i);
        frame->SetLocalMatrix(frame->GetRestMatrix());
    }
    for (int i = 0; i < kTrackCount; ++i) {
        unsigned int key = 0;
        if (mTracks[i].NextFrame(&key)) {
            ApplyTrack(aElement, mTracks[i], key, i == kMainTrack);
        }
    }
    return 1;
}

void LAnimationCtrl::ApplyTrack(LDrawElement* aElement, const LAnimationTrack& aTrack, unsigned int aFrame, bool aMain)
{
    const LAnimation& animation = *aTrack.mAnimation;
    const float weight = aTrack.mWeight;
    const unsigned int biped = LAnimation::GetBipedFrameId();
    for (unsigned int c = 0; c < animation.GetChannelCount(); ++c) {
        const LAnimationChannel* channel = animation.GetChannel(c);
        LFrame* frame = aElement->GetFrame(channel->mFrameId);
        if (frame == nullptr) {
            continue;
        }
        LMatrix4& local = frame->LocalMatrix();
        // Every channel holds a rotation and a translation key for every frame.
        if (aMain) {
            SetRotation(&local, channel->mRotationKeys[aFrame]);
        } else {
            BlendRotation(&local, channel->mRotationKeys[aFrame], weight);
        }
        // Only the skeleton's root moves from its place.
        if (channel->mFrameId != biped) {
            continue;
        }
        LVector3 translation = channel->mTranslationKeys[aFrame];
        if (!aMain) {
            translation.x = translation.x * weight + local.m[12] * (1.0f - weight);
            translation.y = translation.y * weight + local.m[13] * (1.0f - weight);
            translation.z = translation.z * weight + local.m[14] * (1.0f - weight);
        }
        SetTranslation(&local, translation);
    }
}
