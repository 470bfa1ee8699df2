// GMCharacter: turning head and neck towards the eyes of an interview partner.
//
// The angles are found in the neck's space each frame, after the body is posed: the yaw
// about the neck's Y axis turns the character's facing towards the target in the neck's
// X-Z plane, then the pitch about its X axis raises or lowers it towards the target. The
// neck takes the pitch and the head the yaw, each by the fading weight.
#include "scene/GMCharacter.h"

#include "LMatrix4.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "container/LPropertyList.h"
#include "stdlib/LLog.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr float kTolerance = 0.0001f;

LFrame* FindFrame(const GMCharacter* aCharacter, const LString& aName)
{
    const LDrawElement* element = aCharacter != nullptr ? aCharacter->GetDrawElement() : nullptr;
    return element != nullptr && !aName.IsEmpty() ? element->GetFrame(aName, true) : nullptr;
}

LVector3 Translation(const LMatrix4& aMatrix)
{
    return LVector3(aMatrix[12], aMatrix[13], aMatrix[14]);
}

// The unsigned angle between two vectors of a plane given by their two coordinates, and
// its sign: positive when aTo lies counter-clockwise of aFrom (u towards v). 0 when either
// is too short to have a direction.
float PlaneAngle(float aFromU, float aFromV, float aToU, float aToV)
{
    const float fromLength = std::sqrt(aFromU * aFromU + aFromV * aFromV);
    const float toLength = std::sqrt(aToU * aToU + aToV * aToV);
    if (fromLength < kTolerance || toLength < kTolerance) {
        return 0.0f;
    }
    float dot = (aFromU * aToU + aFromV * aToV) / (fromLength * toLength);
    dot = dot > 1.0f ? 1.0f : (dot < -1.0f ? -1.0f : dot);
    const float angle = std::acos(dot);
    return aFromU * aToV - aFromV * aToU >= 0.0f ? angle : -angle;
}

// The rotation (by aMake) of aAngle or -aAngle that brings aFrom closer to aTo: the
// matrices' own sign convention decides which way is which.
template <typename Make>
float Signed(float aAngle, const LVector3& aFrom, const LVector3& aTo, Make aMake)
{
    LMatrix4 plus;
    LMatrix4 minus;
    aMake(&plus, aAngle);
    aMake(&minus, -aAngle);
    LVector3 a;
    LVector3 b;
    LMatrix4::TransformNormal(&a, &plus, &aFrom);
    LMatrix4::TransformNormal(&b, &minus, &aFrom);
    return LVector3::Dot(a, aTo) >= LVector3::Dot(b, aTo) ? aAngle : -aAngle;
}

} // namespace

void GMCharacter::SetLookAt(bool aOn)
{
    const float now = Now();
    if (aOn) {
        mLookAtActive = 1;
        mLookDirection = 1;
        mLookStart = now - mLookWeight / kLookAtRate;
        return;
    }
    mLookDirection = -1;
    if (mLookWeight <= 0.0f) {
        mLookWeight = 0.0f;
        mLookAtActive = 0;
        return;
    }
    mLookStart = now - (1.0f - mLookWeight) / kLookAtRate;
}

void GMCharacter::SetEyeTarget(GMCharacter* aTarget)
{
    if (aTarget == nullptr) {
        L_ERROR("SetEyeTarget failure. NULL arg.");
        return;
    }
    mEyeTarget = aTarget;
    mRightEye = LString();
    mLeftEye = LString();
    if (FindFrame(this, LString("BN_Head")) == nullptr || FindFrame(this, LString("BN_Neck")) == nullptr) {
        L_ASSERT_FAILURE("Head or neck frame not found.");
    }
    const LString key = aTarget->GetCharacterName().ToLower();
    bool found = false;
    if (sEyeData != nullptr) {
        mRightEye = sEyeData->GetString(key + ".right", found);
    }
    if (!found) {
        L_ASSERT_FAILURE("'right' eye data not found.");
    }
    found = false;
    if (sEyeData != nullptr) {
        mLeftEye = sEyeData->GetString(key + ".left", found);
    }
    if (!found) {
        L_ASSERT_FAILURE("'left' eye data not found.");
    }
    for (const LString* eye : {&mRightEye, &mLeftEye}) {
        if (!eye->IsEmpty() && FindFrame(aTarget, *eye) == nullptr) {
            L_ASSERT_FAILURE(LString("Target eye frame not found:") + *eye);
        }
    }
}

void GMCharacter::ForgetEyeTarget(const GMCharacter* aTarget)
{
    if (mEyeTarget == aTarget) {
        mEyeTarget = nullptr;
        mRightEye = LString();
        mLeftEye = LString();
    }
}

bool GMCharacter::LookAngles(LFrame* aNeck, LFrame* aHead, float& aX, float& aY) const
{
    // The target's eyes: between the two eye frames found.
    LVector3 eyes(0.0f, 0.0f, 0.0f);
    int found = 0;
    for (const LString* name : {&mRightEye, &mLeftEye}) {
        if (const LFrame* eye = FindFrame(mEyeTarget, *name)) {
            eyes = eyes + Translation(eye->GetWorldMatrix());
            ++found;
        }
    }
    if (found == 0) {
        return false;
    }
    eyes = eyes * (1.0f / static_cast<float>(found));
    LMatrix4 toNeck;
    if (LMatrix4::Inverse(&toNeck, &aNeck->GetWorldMatrix()) == nullptr) {
        return false;
    }
    // In the neck's space: from the head to the eyes, and the facing without look-at.
    LVector3 target;
    LMatrix4::TransformCoord(&target, &toNeck, &eyes);
    const LVector3 toEyes = target - Translation(aHead->GetLocalMatrix());
    const LVector2 facing = GetFacing();
    const LVector3 worldFacing(facing.x, 0.0f, facing.y);
    LVector3 forward;
    LMatrix4::TransformNormal(&forward, &toNeck, &worldFacing);

    // Horizontal: the yaw in the X-Z plane; vertical: the pitch in the Y-Z plane after it.
    aY = std::fabs(PlaneAngle(forward.z, forward.x, toEyes.z, toEyes.x));
    aY = Signed(aY, forward, toEyes, LMatrix4::RotationY);
    LMatrix4 yaw;
    LMatrix4::RotationY(&yaw, aY);
    LVector3 turned;
    LMatrix4::TransformNormal(&turned, &yaw, &forward);
    aX = std::fabs(PlaneAngle(turned.z, turned.y, toEyes.z, toEyes.y));
    aX = Signed(aX, turned, toEyes, LMatrix4::RotationX);
    return true;
}

void GMCharacter::UpdateLookAt(float aNow)
{
    if (!mLookAtActive) {
        return;
    }
    const float elapsed = (aNow - mLookStart) * kLookAtRate;
    if (mLookDirection > 0) {
        mLookWeight = elapsed < 1.0f ? elapsed : 1.0f;
    } else {
        mLookWeight = 1.0f - elapsed;
        if (mLookWeight <= 0.0f) {
            mLookWeight = 0.0f;
            mLookAtActive = 0;
            return;
        }
    }
    if (mLookWeight < 0.0f) {
        mLookWeight = 0.0f;
    }
    LFrame* neck = FindFrame(this, LString("BN_Neck"));
    LFrame* head = FindFrame(this, LString("BN_Head"));
    if (neck == nullptr || head == nullptr || mEyeTarget == nullptr ||
        !LookAngles(neck, head, mLookAngleX, mLookAngleY)) {
        return;
    }
    LMatrix4 pitch;
    LMatrix4 yaw;
    LMatrix4::RotationX(&pitch, mLookAngleX * mLookWeight);
    LMatrix4::RotationY(&yaw, mLookAngleY * mLookWeight);
    LMatrix4 local;
    LMatrix4::Multiply(&local, &pitch, &neck->GetLocalMatrix());
    neck->SetLocalMatrix(local);
    LMatrix4::Multiply(&local, &head->GetLocalMatrix(), &yaw);
    head->SetLocalMatrix(local);
    neck->UpdateMatrices(neck->GetParent());
}
