// GMCharacter: turning on the spot towards a point and turning into a walk.
//
// A turn lays its animation over the base animation on a blend track and rotates the
// facing by the part of the whole angle that the animation's frames have reached. On the
// spot it ends two frames before the animation's last; into a walk the move animation
// takes over from 40 % of the frames and the walk goes on at 70 %.
#include "scene/GMCharacter.h"

#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LISteering.h"
#include "scene/GMICharacterListener.h"
#include "scene/GMNavigation.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LLog.h"

#include <cmath>

namespace {

constexpr float kDirectionTolerance = 0.0001f;

LVector2 Rotated(const LVector2& aVector, float aAngle)
{
    const float c = std::cos(aAngle);
    const float s = std::sin(aAngle);
    LVector2 turned(aVector.x * c - aVector.y * s, aVector.x * s + aVector.y * c);
    const float length = std::sqrt(turned.x * turned.x + turned.y * turned.y);
    if (length > kDirectionTolerance && std::fabs(length - 1.0f) > kDirectionTolerance) {
        turned = LVector2(turned.x / length, turned.y / length);
    }
    return turned;
}

} // namespace

LVector2 GMCharacter::GetFacing() const
{
    // The steering's plane is the ground's (x, z) as (x, y).
    if (LISteering* steering = GetSteering()) {
        if (const LVector3* direction = steering->GetDirection()) {
            return LVector2(direction->x, direction->y);
        }
    }
    const LVector3& direction = GetDirection();
    return LVector2(direction.x, direction.z);
}

LVector2 GMCharacter::GroundPosition() const
{
    LVector3 position;
    if (GetSteering() != nullptr && GetSteering()->GetPosition(position)) {
        return LVector2(position.x, position.y);
    }
    const LVector3 here = const_cast<GMCharacter*>(this)->GetPosition()[0];
    return LVector2(here.x, here.z);
}

void GMCharacter::SetFacing(const LVector2& aFacing)
{
    if (LISteering* steering = GetSteering()) {
        steering->SetDirection(LVector3(aFacing.x, aFacing.y, 0.0f));
    }
    SetDirection(LVector3(aFacing.x, 0.0f, aFacing.y));
}

float GMCharacter::SignedAngle(const LVector2& aFrom, const LVector2& aTo)
{
    const float cross = aFrom.x * aTo.y - aFrom.y * aTo.x;
    const float dot = aFrom.x * aTo.x + aFrom.y * aTo.y;
    return std::atan2(cross, dot);
}

LAnimation* GMCharacter::FetchTurnAnimation(const LString& aName) const
{
    // A missing file is one line in the log and no turn, never a turn without animation.
    LIFileSystem* files = LIFileSystem::Get();
    if (files != nullptr && !files->FileExists(LString("//animations/") + aName, true)) {
        L_ASSERT_FAILURE(LString("Turn animation not found: ") + aName);
        return nullptr;
    }
    LAnimation* animation = FetchAnimation(aName);
    if (animation != nullptr && animation->GetFrameCount() < 2) {
        L_ASSERT_FAILURE(LString("Turn animation too short: ") + aName);
        return nullptr;
    }
    return animation;
}

bool GMCharacter::StartTurn(LAnimation* aAnimation, float aAngle, const LVector2& aFacing)
{
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (aAnimation == nullptr || ctrl == nullptr) {
        return false;
    }
    ctrl->SetAnimation(aAnimation, true, 1.0f, kFadeRate, kIdleFlags, 1.0f);
    if (ctrl->FindTrack(aAnimation) == nullptr) {
        L_ASSERT_FAILURE("Turn failure. No free track.");
        return false;
    }
    mTurning = 1;
    mTurnAnimation = aAnimation;
    mTurnAngle = aAngle;
    mTurnApplied = 0.0f;
    mTurnLastFrame = 0;
    mTurnFacing = Rotated(aFacing, aAngle);
    return true;
}

bool GMCharacter::TurnTo(const LVector3& aPoint, GMICharacterListener* aListener)
{
    DeleteGesturePlayer();
    mNextIdleGestureTime = Now() + kIdleGestureDelay;
    StopTurn();
    const LVector2 facing = GetFacing();
    const LVector2 here = GroundPosition();
    const float angle = SignedAngle(facing, LVector2(aPoint.x - here.x, aPoint.z - here.y));
    const float degrees = std::fabs(angle) * kDegrees;
    if (degrees < kMinTurnDegrees) {
        return false;
    }
    const int nominal = degrees < 60.0f ? 45 : (degrees < 140.0f ? 90 : 180);
    mTurnFraction = degrees / static_cast<float>(nominal);
    const LString name = LString("Turn-") + nominal + "-" + (angle >= 0.0f ? "CCW" : "CW") + "_" +
                         (IsFemale() ? "F" : "M") + ".lia1";
    if (!StartTurn(FetchTurnAnimation(name), angle, facing)) {
        return false;
    }
    mWalkTurn = 0;
    mTurnListener = aListener;
    return true;
}

bool GMCharacter::TurnWhileWalking(const LVector2& aPoint, int aMove, bool aCheckStairs)
{
    DeleteGesturePlayer();
    StopBlendTracks();
    mNextIdleGestureTime = Now() + kIdleGestureDelay;
    StopTurn();
    const LVector2 facing = GetFacing();
    const LVector2 here = GroundPosition();
    const float angle = SignedAngle(facing, LVector2(aPoint.x - here.x, aPoint.y - here.y));
    if (std::fabs(angle) <= kMinWalkTurn) {
        return false;
    }
    const bool clockwise = angle < 0.0f;
    mFootFlag = clockwise ? 1 : 0;
    const float degrees = std::fabs(angle) * kDegrees;
    const int nominal = degrees < 60.0f ? 45 : (degrees < 110.0f ? 90 : 135);
    mTurnFraction = degrees / static_cast<float>(nominal);
    const LString name = LString("Turn-Walk_") + nominal + "-" + (clockwise ? "CW" : "CCW") + "_" +
                         (IsFemale() ? "F" : "M") + ".lia1";
    LAnimation* animation = FetchTurnAnimation(name);
    if (animation == nullptr) {
        return false;
    }
    if (!StartTurn(animation, angle, facing)) {
        return false;
    }
    mWalkTurn = 1;
    mWalkBlending = 0;
    mTurnClockwise = clockwise ? 1 : 0;
    mWalkPoint = aPoint;
    mWalkMove = aMove;
    mWalkCheckStairs = aCheckStairs ? 1 : 0;
    mTurnListener = nullptr;
    return true;
}

void GMCharacter::StopTurn()
{
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    if (ctrl != nullptr && mTurnAnimation != nullptr) {
        ctrl->StopAnimation(mTurnAnimation);
    }
    mTurning = 0;
    mWalkTurn = 0;
    mWalkBlending = 0;
    mTurnAnimation = nullptr;
    mTurnListener = nullptr;
}

void GMCharacter::UpdateTurn(float aNow)
{
    if (!mTurning) {
        return;
    }
    mNextIdleGestureTime = aNow + kIdleGestureDelay;
    LAnimationCtrl* ctrl = GetDrawElement() != nullptr ? GetDrawElement()->GetAnimationCtrl() : nullptr;
    LAnimationTrack* track = ctrl != nullptr ? ctrl->FindTrack(mTurnAnimation) : nullptr;
    if (track == nullptr) {
        // The track went (faded out into the walk, or cleared by someone else): the turn
        // is over.
        if (mWalkTurn) {
            GoOnWalking(mWalkBlending != 0);
        } else {
            EndTurn();
        }
        return;
    }
    const int count = static_cast<int>(mTurnAnimation->GetFrameCount());
    const float length = mTurnAnimation->GetLength();
    int frame = length > 0.0f ? static_cast<int>(track->GetScaledTime() / length * static_cast<float>(count)) : count;
    // A looping track that wrapped past the end in one long frame has reached it.
    if (frame < mTurnLastFrame) {
        frame = count;
    }
    mTurnLastFrame = frame;
    const int shown = frame < count - 1 ? frame : count - 1;
    const float wanted = static_cast<float>(shown) / static_cast<float>(count - 1) * mTurnAngle;
    if (std::fabs(wanted - mTurnApplied) > kTurnStep) {
        SetFacing(Rotated(GetFacing(), wanted - mTurnApplied));
        mTurnApplied = wanted;
    }
    if (mWalkTurn) {
        if (!mWalkBlending && static_cast<float>(frame) >= kWalkBlendStart * static_cast<float>(count)) {
            mWalkBlending = 1;
            const MoveRecord* move = GetMove(mWalkMove);
            if (move != nullptr && move->mAnimation != nullptr) {
                ctrl->SetAnimation(move->mAnimation, false, 1.0f, kFadeRate, kIdleFlags, 1.0f);
            }
            const float span = kWalkBlendShare * length;
            track->mFlags = (track->mFlags & ~static_cast<unsigned int>(LAnimationTrack::FLAG_FADE_IN)) |
                            LAnimationTrack::FLAG_FADE_OUT;
            track->mWeightRate = span > 0.0f ? -track->mWeight / span : -1000.0f;
        }
        if (static_cast<float>(frame) >= kWalkGoOn * static_cast<float>(count)) {
            GoOnWalking(true);
        } else if (frame >= count - 2) {
            GoOnWalking(false);
        }
        return;
    }
    if (frame >= count - 2) {
        EndTurn();
    }
}

void GMCharacter::EndTurn()
{
    GMICharacterListener* listener = mTurnListener;
    const LVector2 facing = mTurnFacing;
    StopTurn();
    SetFacing(facing);
    SetBaseAnimation(EmptyTrackBase(), 1.0f);
    if (listener != nullptr) {
        listener->ContinueAction();
    }
}

void GMCharacter::GoOnWalking(bool aAtFrame)
{
    const LVector2 facing = mTurnFacing;
    const LVector2 point = mWalkPoint;
    const int moveIndex = mWalkMove;
    const bool checkStairs = mWalkCheckStairs != 0;
    const bool clockwise = mTurnClockwise != 0;
    StopTurn();
    SetFacing(facing);
    if (GMNavigation* navigation = GMNavigation::GetInstance()) {
        navigation->WalkTo(point, false, moveIndex, checkStairs);
    }
    const MoveRecord* move = GetMove(moveIndex);
    if (move == nullptr || move->mAnimation == nullptr) {
        return;
    }
    const float frames = static_cast<float>(move->mAnimation->GetFrameCount());
    // Into the stride the turn's last step left: the feet match the turn's direction.
    const float frame = aAtFrame ? static_cast<float>(clockwise ? kWalkFrameCW : kWalkFrameCCW) : frames / 4.0f;
    SetAnimationTime(move->mAnimation, frame / static_cast<float>(LAnimation::kFramesPerSecond));
}
