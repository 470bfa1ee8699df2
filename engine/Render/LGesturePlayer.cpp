#include "Render/LGesturePlayer.h"

#include "Render/LAnimation.h"
#include "Render/LCharacter.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LGestureCurve.h"
#include "Render/LGestureKey.h"
#include "Render/LIGesturePlayerListener.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "object/LWatch.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LStopwatch.h"

namespace {

const char* const kAnimationRoot = "//animations";

} // namespace

LGesturePlayer::LGesturePlayer() : mStopwatch(L_NEW LStopwatch()) {}

LGesturePlayer::~LGesturePlayer()
{
    LeaveFrameManager();
    Stop();
    FreeKeys();
    delete mStopwatch;
    for (int i = 0; i < mCharacters.GetCount(); ++i) {
        delete static_cast<LWatch<LCharacter>*>(mCharacters.GetAt(i));
    }
    mCharacters.RemoveAll();
}

LString LGesturePlayer::Dump() const
{
    return DumpHead("LGesturePlayer") + " keys=" + mKeyCount + " next=" + mNextKey + "]";
}

void LGesturePlayer::FreeKeys()
{
    delete[] mKeys;
    mKeys = nullptr;
    mKeyCount = 0;
    delete[] mCurves;
    mCurves = nullptr;
    mCurveCount = 0;
    mActive.RemoveAll();
    mNextKey = 0;
}

void LGesturePlayer::LeaveFrameManager()
{
    if (!mInFrames) {
        return;
    }
    mInFrames = 0;
    if (LFrameManager* frames = LFrameManager::Get()) {
        frames->RemoveListener(this);
    }
}

const LGestureKey* LGesturePlayer::GetKey(int aIndex) const
{
    return aIndex >= 0 && aIndex < mKeyCount ? &mKeys[aIndex] : nullptr;
}

const LGestureCurve* LGesturePlayer::GetCurve(int aIndex) const
{
    return aIndex >= 0 && aIndex < mCurveCount ? &mCurves[aIndex] : nullptr;
}

bool LGesturePlayer::IsBound(const LString& aId) const
{
    return mCharacters.IndexOf(aId) != -1;
}

LCharacter* LGesturePlayer::FindCharacter(const LString& aId) const
{
    const auto* watch = static_cast<LWatch<LCharacter>*>(mCharacters.Get(aId));
    return watch != nullptr ? watch->Get() : nullptr;
}

bool LGesturePlayer::Load(const LString& aPath)
{
    mAnimsLoaded = 0;
    LPropertyList file;
    if (!file.Load(aPath, true)) {
        return false;
    }
    const LPropertyList* keys = file.GetList(LString("keys"));
    if (keys == nullptr) {
        L_ASSERT_FAILURE("'keys' not found.");
        return false;
    }
    ParseKeys(*keys);
    BuildCurves();
    LoadAnims();
    return true;
}

void LGesturePlayer::ParseKeys(const LPropertyList& aKeys)
{
    LeaveFrameManager();
    FreeKeys();
    const int count = aKeys.GetCount();
    if (count <= 0) {
        return;
    }
    mKeys = L_NEW LGestureKey[count];
    if (mKeys == nullptr) {
        return;
    }
    mKeyCount = count;
    for (int i = 0; i < count; ++i) {
        LGestureKey& key = mKeys[i];
        const LPropertyList* entry = aKeys.GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE("'time' not found.");
            continue;
        }
        bool found = false;
        const int time = entry->GetInt(LString("time"), found);
        if (found) {
            key.mTime = static_cast<float>(time / 1000.0);
        } else {
            L_ASSERT_FAILURE("'time' not found.");
        }
        key.mCharacter = entry->GetString(LString("character"), found).ToLower();
        if (!found) {
            L_ASSERT_FAILURE("'character' not found.");
        }
        const LString type = entry->GetString(LString("type"), found);
        if (found) {
            const LCharacter* character = FindCharacter(key.mCharacter);
            key.mPath = LGestureKey::MakePath(type, character != nullptr && character->IsFemale());
        } else {
            L_ASSERT_FAILURE("'type' not found.");
        }
        const LVectorFloat numbers = entry->GetVectorFloat(LString("curve"), found);
        if (!found) {
            L_ASSERT_FAILURE("'curve' not found.");
        }
        if (numbers.GetCount() < 4) {
            SetupNewCurve(key);
        } else {
            key.SetPoints(numbers);
        }
    }
}

bool LGesturePlayer::BuildCurves()
{
    delete[] mCurves;
    mCurves = nullptr;
    mCurveCount = 0;
    if (mKeyCount == 0) {
        return true;
    }
    mCurves = L_NEW LGestureCurve[mKeyCount];
    if (mCurves == nullptr) {
        return false;
    }
    mCurveCount = mKeyCount;
    bool result = true;
    for (int i = 0; i < mKeyCount; ++i) {
        // A key without a usable curve has no samples and ends on its first update.
        if (!mCurves[i].Build(mKeys[i].GetPoints(), mKeys[i].GetPointCount())) {
            result = false;
        }
    }
    return result;
}

void LGesturePlayer::SetupNewCurve(LGestureKey& aKey)
{
    const float length = GetAnimLength(aKey.mPath);
    if (length == 0.0f) {
        L_ASSERT_FAILURE("SetupNewCurve failure.");
        return;
    }
    aKey.SetDefaultCurve(length);
}

float LGesturePlayer::GetAnimLength(const LString& aPath)
{
    LGestureAnimManager* manager = LGestureAnimManager::Get();
    if (manager == nullptr) {
        L_ASSERT_FAILURE("GetAnimLength failure.");
        return 0.0f;
    }
    manager->SetRoot(LString(kAnimationRoot));
    // An animation the manager holds already may be playing on some track: it stays.
    const bool held = manager->GetHandle(aPath) != 0;
    const unsigned int handle = manager->CreateAnimation(aPath);
    if (handle == 0) {
        L_ASSERT_FAILURE("GetAnimLength failure.");
        return 0.0f;
    }
    const LAnimation* animation = manager->GetAnimation(handle);
    if (animation == nullptr) {
        L_ASSERT_FAILURE(LString("GetAnimLength falure. Could not load:") + aPath);
        return 0.0f;
    }
    const float length = animation->GetLength();
    if (!held) {
        manager->DestroyObjectAndHandle(handle);
    }
    return length;
}

bool LGesturePlayer::LoadAnim(LGestureKey& aKey)
{
    LGestureAnimManager* manager = LGestureAnimManager::Get();
    if (manager == nullptr) {
        return false;
    }
    manager->SetRoot(LString(kAnimationRoot));
    const unsigned int handle = manager->CreateAnimation(aKey.mPath);
    if (handle == 0) {
        aKey.mAnimation = nullptr;
        aKey.mLength = 0.0f;
        return true;
    }
    LAnimation* animation = manager->GetAnimation(handle);
    if (animation == nullptr) {
        L_ASSERT_FAILURE(LString("LoadAnims falure. Could not load:") + aKey.mPath);
        return false;
    }
    aKey.mAnimation = animation;
    aKey.mLength = animation->GetLength();
    return true;
}

bool LGesturePlayer::LoadAnims()
{
    if (mAnimsLoaded) {
        return true;
    }
    if (mKeyCount == 0) {
        L_ASSERT_FAILURE("LoadAnims failure. Keys undefined.");
        return false;
    }
    for (int i = 0; i < mKeyCount; ++i) {
        if (!LoadAnim(mKeys[i])) {
            return false;
        }
    }
    mAnimsLoaded = 1;
    return true;
}

bool LGesturePlayer::SetCharacter(const LString& aId, LCharacter* aCharacter)
{
    const LString id = aId.ToLower();
    if (IsBound(id)) {
        L_ASSERT_FAILURE(LString("SetCharacter failure. Duplicate id:") + id);
        return false;
    }
    auto* watch = L_NEW LWatch<LCharacter>(aCharacter);
    if (mCharacters.AddAt(id, watch, true) == 0 && !IsBound(id)) {
        delete watch;
        return false;
    }
    if (aCharacter != nullptr) {
        for (int i = 0; i < mKeyCount; ++i) {
            LGestureKey& key = mKeys[i];
            if (key.mCharacter == id && key.SetGender(aCharacter->IsFemale())) {
                LoadAnim(key);
            }
        }
    }
    return true;
}

void LGesturePlayer::Play()
{
    if (!mAnimsLoaded) {
        L_ASSERT_FAILURE("Play failure. Anims not loaded.");
        return;
    }
    if (mPaused) {
        mPaused = 0;
        mStopwatch->Resume();
    } else {
        mStopwatch->Reset();
        mStopwatch->Resume();
    }
    LFrameManager* frames = LFrameManager::Get();
    if (!mInFrames && frames != nullptr && frames->AddListener(this, kPriority)) {
        mInFrames = 1;
    }
    mPlaying = 1;
}

void LGesturePlayer::Pause()
{
    if (mPaused) {
        return;
    }
    mPaused = 1;
    mStopwatch->Stop();
    LeaveFrameManager();
}

void LGesturePlayer::Stop()
{
    mNextKey = 0;
    LeaveFrameManager();
    for (int i = 0; i < mCharacters.GetCount(); ++i) {
        const auto* watch = static_cast<LWatch<LCharacter>*>(mCharacters.GetAt(i));
        if (LCharacter* character = watch != nullptr ? watch->Get() : nullptr) {
            character->StopBlendTracks();
        }
    }
    mActive.RemoveAll();
    for (int i = 0; i < mCurveCount; ++i) {
        mCurves[i].Rewind();
    }
    mPaused = 0;
    mPlaying = 0;
}

void LGesturePlayer::OnFrame()
{
    if (!mPaused) {
        UpdateAnimation();
    }
}

bool LGesturePlayer::UpdateAnimation()
{
    const float now = mStopwatch->GetElapsed();
    while (mNextKey < mKeyCount && mKeys[mNextKey].mTime <= now) {
        const int index = mNextKey++;
        LGestureKey& key = mKeys[index];
        LCharacter* character = FindCharacter(key.mCharacter);
        if (character == nullptr) {
            continue;
        }
        // A key that cannot start is passed over once, not tried again every frame.
        if (key.mAnimation == nullptr) {
            L_ASSERT_FAILURE("UpdateAnimation failure. Animation pointer NULL.");
            continue;
        }
        if (!character->PlayGestureAnimation(key.mAnimation)) {
            L_ASSERT_FAILURE("UpdateAnimation failure. Could not start animation.");
            continue;
        }
        mActive.Append(index);
    }
    if (mActive.GetCount() == 0) {
        if (mNextKey >= mKeyCount) {
            LeaveFrameManager();
            mPlaying = 0;
            if (mListener != nullptr) {
                // The listener may delete this player.
                mListener->OnGestureDone();
            }
        }
        return true;
    }
    const LVectorInt running(mActive);
    for (int i = 0; i < running.GetCount(); ++i) {
        const int index = running[i];
        LGestureKey& key = mKeys[index];
        LGestureCurve& curve = mCurves[index];
        LCharacter* character = FindCharacter(key.mCharacter);
        if (character == nullptr) {
            // Its character was deleted while it ran: the gesture ends with it.
            mActive.Remove(index);
            curve.Rewind();
            continue;
        }
        float position = 0.0f;
        if (curve.Sample(now - key.mTime, &position)) {
            character->SetAnimationTime(key.mAnimation, position * key.mLength);
        } else {
            mActive.Remove(index);
            character->EndAnimation(key.mAnimation);
            curve.Rewind();
        }
    }
    return true;
}

bool LGesturePlayer::SetListener(LIGesturePlayerListener* aListener)
{
    if (mListener != nullptr || aListener == nullptr) {
        return false;
    }
    mListener = aListener;
    return true;
}

bool LGesturePlayer::RemoveListener(LIGesturePlayerListener* aListener)
{
    if (aListener == nullptr || aListener != mListener) {
        return false;
    }
    mListener = nullptr;
    return true;
}
