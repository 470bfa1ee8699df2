#include "scene/GMCharacter.h"

#include "LMatrix4.h"
#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LGesturePlayer.h"
#include "Render/LISteering.h"
#include "Sound/LISoundManager.h"
#include "Sound/LISoundPlayer.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "memory/LMemoryManager.h"
#include "scene/GMICharacterListener.h"
#include "stdlib/LLog.h"
#include "stdlib/LMemoryStream.h"
#include "stdlib/LRandom.h"
#include "time/LITimer.h"
#include "util/GMOptions.h"

#include <climits>

GMCharacter* GMCharacter::sFirstCharacter = nullptr;
LPropertyList* GMCharacter::sEyeData = nullptr;
int GMCharacter::sEyeUsers = 0;

namespace {

const char* const kHandFrame = "Biped_R_Hand";
// The hand prop's rotations, then its offset from the hand (the shown object's differs).
constexpr float kPropRotationY = -1.57f;
constexpr float kPropRotationZ = -0.785f;
constexpr float kFullWeight = 1.0f;

const char* const kActionAnimations[] = {
    nullptr,
    "Idle_M_SS_CrossArms.lia1",
    "Pick_ground_M.lia1",
    "Pick_table_M.lia1",
    "camera_out-up_M.lia1",
    "camera_out-middle_M.lia1",
    "camera_out-down_M.lia1",
    "Chair-sitting_M.lia1",
    "Chair-rising_M.lia1",
    "Cell-Phone_out_M.lia1",
    "Cell-Phone_in_M.lia1",
};

bool IsCamera(int aAction)
{
    return aAction >= GM_ACTION_CAMERA_UP && aAction <= GM_ACTION_CAMERA_DOWN;
}

bool ReadPoint(const LPropertyList& aList, const char* aKey, LVector3** aOut)
{
    bool found = false;
    const LVectorFloat numbers = aList.GetVectorFloat(LString(aKey), found);
    if (!found) {
        return false;
    }
    if (numbers.GetCount() != 3) {
        L_ASSERT_FAILURE(LString("'") + aKey + "' needs three numbers.");
        return false;
    }
    delete *aOut;
    *aOut = L_NEW LVector3(numbers[0], numbers[1], numbers[2]);
    return true;
}

} // namespace

GMCharacter::GMCharacter()
{
    if (sEyeUsers++ == 0) {
        sEyeData = L_NEW LPropertyList();
        if (sEyeData != nullptr && !sEyeData->Load(LString("//characters/eyes.txt"), true)) {
            delete sEyeData;
            sEyeData = nullptr;
        }
    }
    mNextIdleGestureTime = Now() + kIdleGestureDelay;
    mNextCharacter = sFirstCharacter;
    sFirstCharacter = this;
}

GMCharacter::~GMCharacter()
{
    for (GMCharacter** link = &sFirstCharacter; *link != nullptr; link = &(*link)->mNextCharacter) {
        if (*link == this) {
            *link = mNextCharacter;
            break;
        }
    }
    for (GMCharacter* other = sFirstCharacter; other != nullptr; other = other->mNextCharacter) {
        other->ForgetEyeTarget(this);
    }
    FreeFootsteps();
    DeleteGesturePlayer();
    FreeGestures();
    delete mInterviewIdle;
    delete mLookAt;
    delete mDoneLookAt;
    delete mSeatedAnimation;
    delete mCellPhoneIdle;
    delete mFlashSound;
    delete mHandProp;
    delete mSecondProp;
    if (--sEyeUsers == 0) {
        delete sEyeData;
        sEyeData = nullptr;
    }
}

LString GMCharacter::Dump() const
{
    return DumpHead("GMCharacter") + " " + mName + "]";
}

float GMCharacter::Now()
{
    return static_cast<float>(LITimer::Now());
}

float GMCharacter::DrawAmbientDelay() const
{
    return mMinInterval + LRandom::NextUnit() * (mMaxInterval - mMinInterval);
}

LAnimation* GMCharacter::FetchAnimation(const LString& aName)
{
    LGestureAnimManager* manager = LGestureAnimManager::Get();
    if (manager == nullptr) {
        return nullptr;
    }
    manager->SetRoot(LString("//animations"));
    const unsigned int handle = manager->CreateAnimation(aName);
    LAnimation* animation = handle != 0 ? manager->GetAnimation(handle) : nullptr;
    if (animation == nullptr) {
        L_ASSERT_FAILURE(LString("Animation not found: ") + aName);
    }
    return animation;
}

LDrawElement* GMCharacter::LoadProp(const LString& aPath)
{
    auto* prop = L_NEW LDrawElement();
    if (prop == nullptr) {
        return nullptr;
    }
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    if (!stream.CreateFromFile(aPath, true)) {
        L_ASSERT_FAILURE("");
        return prop;
    }
    const bool tree = aPath.GetLength() > 0 && aPath.At(aPath.GetLength() - 1) == u'1';
    if (!(tree ? prop->Read(&stream) : prop->LoadModel(&stream, LDrawElement::kHierarchical))) {
        L_ASSERT_FAILURE(LString("Prop not read: ") + aPath);
    }
    return prop;
}

void GMCharacter::FreeGestures()
{
    delete[] mGestures;
    mGestures = nullptr;
    mGestureCount = 0;
    mTotalWeight = 0;
}

void GMCharacter::LoadInterview(const LPropertyList* aInterview)
{
    if (aInterview == nullptr) {
        return;
    }
    bool found = false;
    const LString idle = aInterview->GetString(LString("idleanim"), found);
    if (found) {
        delete mInterviewIdle;
        mInterviewIdle = ReadAnimation(idle);
    }
    ReadPoint(*aInterview, "lookat", &mLookAt);
    ReadPoint(*aInterview, "donelookat", &mDoneLookAt);
}

void GMCharacter::LoadAmbient(const LPropertyList* aAmbient)
{
    FreeGestures();
    if (aAmbient == nullptr) {
        return;
    }
    bool found = false;
    mMinInterval = aAmbient->GetFloat(LString("mininterval"), found);
    if (!found) {
        L_ASSERT_FAILURE("'mininterval' not found.");
    }
    mMaxInterval = aAmbient->GetFloat(LString("maxinterval"), found);
    if (!found) {
        L_ASSERT_FAILURE("'maxinterval' not found.");
    }
    const LPropertyList* gestures = aAmbient->GetList(LString("gestures"));
    const int count = gestures != nullptr ? gestures->GetCount() : 0;
    if (count > 0) {
        mGestures = L_NEW Gesture[count];
        mGestureCount = mGestures != nullptr ? count : 0;
    }
    for (int i = 0; i < mGestureCount; ++i) {
        const LPropertyList* entry = gestures->GetListAt(i);
        if (entry == nullptr) {
            L_ASSERT_FAILURE("'gesture' not found.");
            continue;
        }
        mGestures[i].mName = entry->GetString(LString("gesture"), found);
        if (!found) {
            L_ASSERT_FAILURE("'gesture' not found.");
        }
        const int weight = entry->GetInt(LString("weight"), found);
        if (!found) {
            L_ASSERT_FAILURE("'weight' not found.");
        }
        // A negative weight would make the draw pick outside the list; the sum stays an int.
        const int room = INT_MAX - mTotalWeight;
        mGestures[i].mWeight = weight <= 0 ? 0 : (weight > room ? room : weight);
        mTotalWeight += mGestures[i].mWeight;
    }
    mNextAmbientTime = Now() + DrawAmbientDelay();
}

int GMCharacter::Load(const LPropertyList* aData, const LString* aShadowPath)
{
    if (aData == nullptr) {
        L_ASSERT_FAILURE("Load failure. NULL arg.");
        return 0;
    }
    mAmbientPlaying = 0;
    mAmbientSuspended = 0;
    mSeated = 0;
    mAction = 0;
    mPlayingAction = 0;
    LoadInterview(aData->GetList(LString("interview")));
    LoadAmbient(aData->GetList(LString("animations.ambient")));
    bool found = false;
    if (const LPropertyList* seated = aData->GetList(LString("animations.seated"))) {
        const LString file = seated->GetString(LString("anim01.file"), found);
        if (found) {
            delete mSeatedAnimation;
            mSeatedAnimation = ReadAnimation(file);
        } else {
            L_ASSERT_FAILURE("'anim01.file' not found.");
        }
    }
    delete mCellPhoneIdle;
    mCellPhoneIdle = ReadAnimation(LString("Cell-Phone_idle_M.lia1"));
    mName = aData->GetString(LString("name"), found);
    if (!found) {
        L_ASSERT_FAILURE("'name' not found.");
    }
    return LCharacter::Load(aData, aShadowPath);
}

int GMCharacter::PickGesture(int aK) const
{
    if (mGestureCount == 0 || mTotalWeight <= 0) {
        return -1;
    }
    int k = aK;
    for (int i = 0; i < mGestureCount; ++i) {
        if (mGestures[i].mWeight > k) {
            return i;
        }
        k -= mGestures[i].mWeight;
    }
    return mGestureCount - 1;
}

LAnimation* GMCharacter::SuspendedBase() const
{
    if (mSeated && mSeatedAnimation != nullptr) {
        return mSeatedAnimation;
    }
    return mInterviewIdle != nullptr ? mInterviewIdle : GetIdleAnimation();
}

LAnimation* GMCharacter::EndBase() const
{
    return mAmbientSuspended && mInterviewIdle != nullptr ? mInterviewIdle : GetIdleAnimation();
}

LAnimation* GMCharacter::EmptyTrackBase() const
{
    if (mSeated && mSeatedAnimation != nullptr) {
        return mSeatedAnimation;
    }
    return EndBase();
}

void GMCharacter::DeleteGesturePlayer()
{
    delete mGesturePlayer;
    mGesturePlayer = nullptr;
}

void GMCharacter::SetAmbientSuspended(bool aSuspended)
{
    mAmbientSuspended = aSuspended ? 1 : 0;
    if (aSuspended) {
        DeleteGesturePlayer();
        SetBaseAnimation(SuspendedBase(), 0.0f);
        mAmbientPlaying = 0;
    } else {
        mNextAmbientTime = Now() + DrawAmbientDelay();
    }
}

void GMCharacter::ResetAmbient()
{
    const float now = Now();
    mNextAmbientTime = now + DrawAmbientDelay();
    mCurrentAnimation = nullptr;
    mAmbientPlaying = 0;
    mNextIdleGestureTime = now + kIdleGestureDelay;
}

void GMCharacter::StopAmbient()
{
    if (mCurrentAnimation != nullptr && GetDrawElement() != nullptr && GetDrawElement()->GetAnimationCtrl()) {
        GetDrawElement()->GetAnimationCtrl()->StopAnimation(mCurrentAnimation);
    }
    mCurrentAnimation = nullptr;
    mAmbientPlaying = 0;
    DeleteGesturePlayer();
}

bool GMCharacter::SetInterviewMode(bool aEntering, GMICharacterListener* aListener)
{
    if (mInterviewIdle != nullptr) {
        if (aEntering) {
            SetAmbientSuspended(true);
            SetBaseAnimation(mInterviewIdle, 0.0f);
        } else {
            SetBaseAnimation(GetIdleAnimation(), 0.0f);
            if (mDoneLookAt != nullptr) {
                TurnTo(*mDoneLookAt, nullptr);
                return true;
            }
        }
    }
    return mLookAt != nullptr && TurnTo(*mLookAt, aListener);
}

bool GMCharacter::SetSeated(bool aSeated, int)
{
    if (mSeatedAnimation == nullptr) {
        return false;
    }
    mSeated = aSeated ? 1 : 0;
    if (aSeated) {
        SetAmbientSuspended(true);
        SetBaseAnimation(mSeatedAnimation, 0.0f);
    } else {
        SetBaseAnimation(GetIdleAnimation(), 0.0f);
    }
    return true;
}

void GMCharacter::ShowObject(const LString& aAnimation, int aProp)
{
    mSecondPropAnimation = aAnimation;
    mSecondPropKind = aProp == PROP_BADGE ? PROP_BADGE : PROP_POLAROID;
    mSecondPropPending = 1;
}

void GMCharacter::OnGestureDone()
{
    DeleteGesturePlayer();
    mAmbientPlaying = 0;
    mPlayingAction = 0;
    mNextAmbientTime = Now() + DrawAmbientDelay();
}

void GMCharacter::RemoveActionListener(const GMICharacterListener* aListener)
{
    if (mActionListener == aListener) {
        mActionListener = nullptr;
    }
    if (mTurnListener == aListener) {
        mTurnListener = nullptr;
    }
}

void GMCharacter::PlayAction(int aAction, GMICharacterListener* aListener)
{
    mAction = aAction;
    if (aAction < GM_ACTION_CROSS_ARMS || aAction > GM_ACTION_PHONE_IN) {
        return;
    }
    LAnimation* animation = FetchAnimation(LString(kActionAnimations[aAction]));
    if (aAction == GM_ACTION_CROSS_ARMS) {
        DeleteGesturePlayer();
        mGesturePlayer = L_NEW LGesturePlayer();
        mActionListener = nullptr;
    } else {
        mActionListener = aListener;
    }
    if (IsCamera(aAction)) {
        delete mHandProp;
        mHandProp = LoadProp(LString("//dataroot/meshes/camera.lim1"));
        mHandPropShown = 0;
        delete mFlashSound;
        mFlashSound = nullptr;
    } else if (aAction == GM_ACTION_PHONE_OUT) {
        delete mHandProp;
        mHandProp = LoadProp(LString("//dataroot/meshes/cell-phone.lim1"));
        mHandPropShown = 0;
    } else if (aAction == GM_ACTION_CHAIR_SIT || aAction == GM_ACTION_CHAIR_RISE) {
        mSeated = aAction == GM_ACTION_CHAIR_SIT ? 1 : 0;
    }
    if (animation == nullptr) {
        return;
    }
    PlayAnimation(animation);
    mPlayingAction = aAction;
    mActionAnimation = animation;
    mCurrentAnimation = animation;
    mAmbientPlaying = 1;
    mActionPointDone = 0;
    mActionSwitched = 0;
    mActionEnding = 0;
}

void GMCharacter::ClearAction()
{
    mPlayingAction = 0;
    mActionAnimation = nullptr;
    mActionListener = nullptr;
}

void GMCharacter::StartAmbient(float aNow)
{
    mNextIdleGestureTime = aNow + kIdleGestureDelay;
    const int index = PickGesture(mGestureCount > 1 ? LRandom::Next() % mTotalWeight : 0);
    LAnimation* animation = index >= 0 ? FetchAnimation(mGestures[index].mName) : nullptr;
    if (animation == nullptr) {
        // Tried again after the next pause.
        mNextAmbientTime = aNow + DrawAmbientDelay();
        return;
    }
    PlayAnimation(animation);
    mCurrentAnimation = animation;
    mAmbientPlaying = 1;
}

void GMCharacter::UpdateAmbientEnd()
{
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (!mAmbientPlaying || mCurrentAnimation == nullptr || ctrl == nullptr) {
        return;
    }
    const LAnimationTrack* track = ctrl->FindTrack(mCurrentAnimation);
    if (track == nullptr) {
        mNextAmbientTime = Now() + DrawAmbientDelay();
        mCurrentAnimation = nullptr;
        mAmbientPlaying = 0;
    } else if ((track->mFlags & LAnimationTrack::FLAG_FADE_OUT) != 0 && mPlayingAction == 0) {
        SetBaseAnimation(EndBase(), kFullWeight);
    }
}

void GMCharacter::UpdateAction()
{
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (mPlayingAction == 0 || ctrl == nullptr) {
        return;
    }
    const LAnimationTrack* track = ctrl->FindTrack(mActionAnimation);
    if (track == nullptr) {
        const int action = mPlayingAction;
        GMICharacterListener* listener = mActionListener;
        ClearAction();
        if (action >= GM_ACTION_CHAIR_SIT && listener != nullptr) {
            listener->OnPlayerActionDone(action);
        }
        return;
    }
    const float time = track->GetScaledTime();
    const float length = mActionAnimation->GetLength();
    const int frame = static_cast<int>(time * static_cast<float>(LAnimation::kFramesPerSecond));
    switch (mPlayingAction) {
    case GM_ACTION_PICK_GROUND:
    case GM_ACTION_PICK_TABLE:
        if (!mActionPointDone && time >= length * 0.5f) {
            mActionPointDone = 1;
            if (mActionListener != nullptr) {
                mActionListener->OnPlayerActionPoint();
            }
        }
        break;
    case GM_ACTION_CAMERA_UP:
    case GM_ACTION_CAMERA_MIDDLE:
    case GM_ACTION_CAMERA_DOWN:
        mHandPropShown = frame > kCameraShowFrame && frame < kCameraHideFrame ? 1 : 0;
        if (frame > kCameraShotFrame && mFlashSound == nullptr) {
            if (mActionListener != nullptr) {
                mActionListener->OnPlayerActionPoint();
            }
            if (LISoundManager* sounds = LISoundManager::Get()) {
                mFlashSound = sounds->CreateSample(LString("camera"), LString("//sounds/blip.wav"));
            }
            if (mFlashSound != nullptr) {
                mFlashSound->SetVolume(GMOptions::GetInstance()->mVolume);
                mFlashSound->Play();
            }
        }
        break;
    case GM_ACTION_CHAIR_SIT:
    case GM_ACTION_CHAIR_RISE:
        if (!mActionSwitched && time >= length * 0.9f) {
            mActionSwitched = 1;
            const bool sit = mPlayingAction == GM_ACTION_CHAIR_SIT && mSeatedAnimation != nullptr;
            SetBaseAnimation(sit ? mSeatedAnimation : GetIdleAnimation(), 0.0f);
        }
        break;
    case GM_ACTION_PHONE_OUT:
        if (time >= length * 0.34f) {
            mHandPropShown = 1;
        }
        break;
    case GM_ACTION_PHONE_IN:
        if (time >= length * 0.5f) {
            mHandPropShown = 0;
        }
        break;
    default:
        break;
    }
    if (!mActionEnding && (track->mFlags & LAnimationTrack::FLAG_FADE_OUT) != 0) {
        mActionEnding = 1;
        LAnimation* next = mPlayingAction == GM_ACTION_PHONE_OUT ? mCellPhoneIdle : EndBase();
        if (mSeated && mSeatedAnimation != nullptr) {
            next = mSeatedAnimation;
        }
        SetBaseAnimation(next, kFullWeight);
    }
}

void GMCharacter::UpdateShownObject()
{
    if (mSecondPropPending) {
        mSecondPropPending = 0;
        delete mSecondProp;
        mSecondProp = LoadProp(LString(mSecondPropKind == PROP_BADGE ? "//dataroot/meshes/police-badge.lim1"
                                                                      : "//dataroot/meshes/polaroid.lim1"));
        mShowAnimation = FetchAnimation(mSecondPropAnimation);
        mSecondPropShown = 1;
        if (mShowAnimation != nullptr) {
            PlayAnimation(mShowAnimation);
            mCurrentAnimation = mShowAnimation;
            mAmbientPlaying = 1;
        }
        return;
    }
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (mSecondPropShown && (ctrl == nullptr || mShowAnimation == nullptr || ctrl->FindTrack(mShowAnimation) == nullptr)) {
        mSecondPropShown = 0;
        mShowAnimation = nullptr;
    }
}

void GMCharacter::PlaceProp(LDrawElement* aProp, float aX, float aY, float aZ) const
{
    const LDrawElement* element = GetDrawElement();
    const LFrame* hand = element != nullptr ? element->GetFrame(LString(kHandFrame), false) : nullptr;
    if (aProp == nullptr || hand == nullptr) {
        return;
    }
    LMatrix4 rotationY;
    LMatrix4 rotationZ;
    LMatrix4 offset;
    LMatrix4::RotationY(&rotationY, kPropRotationY);
    LMatrix4::RotationZ(&rotationZ, kPropRotationZ);
    LMatrix4::Translation(&offset, aX, aY, aZ);
    LMatrix4 world;
    LMatrix4::Multiply(&world, &rotationY, &rotationZ);
    LMatrix4::Multiply(&world, &world, &offset);
    LMatrix4::Multiply(&world, &world, &hand->GetWorldMatrix());
    aProp->Update(&world);
}

int GMCharacter::UpdateTransform()
{
    const float now = Now();
    // 1. An ambient gesture after its pause.
    if (!mAmbientSuspended && !mAmbientPlaying && mGestureCount > 0 && mTotalWeight > 0 && now >= mNextAmbientTime) {
        StartAmbient(now);
    }
    // 2. Its end.
    UpdateAmbientEnd();
    // 3. The turn under way.
    UpdateTurn(now);
    // 4. The player's idle gesture after standing still for a while.
    const bool walking = GetSteering() != nullptr && GetSteering()->IsEnabled();
    if (mAmbientSuspended || mAmbientPlaying || walking) {
        mNextIdleGestureTime = now + kIdleGestureDelay;
    } else if (mIdleGestureEnabled && now >= mNextIdleGestureTime) {
        PlayAction(GM_ACTION_CROSS_ARMS, nullptr);
        mNextIdleGestureTime = now + kIdleGestureDelay;
    }
    // 5, 6. The running action and the shown object.
    UpdateAction();
    UpdateShownObject();
    UpdateFootsteps();
    // 7. Never an empty main track.
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (ctrl != nullptr && ctrl->GetTrack(0)->mAnimation == nullptr) {
        SetBaseAnimation(EmptyTrackBase(), 0.0f);
    }
    // 8. The body, then the props in its hand.
    const int result = LCharacter::UpdateTransform();
    if (mHandPropShown) {
        PlaceProp(mHandProp, 1.5f, 0.5f, 4.0f);
    }
    if (mSecondPropShown) {
        PlaceProp(mSecondProp, 3.5f, 1.5f, 3.0f);
    }
    // 9. Head and neck towards the eye target.
    UpdateLookAt(now);
    return result;
}

int GMCharacter::Render()
{
    int result = 1;
    if (mHandProp != nullptr && mHandPropShown) {
        result = mHandProp->Render() && result;
    }
    if (mSecondProp != nullptr && mSecondPropShown) {
        result = mSecondProp->Render() && result;
    }
    return LCharacter::Render() && result;
}
