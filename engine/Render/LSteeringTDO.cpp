#include "Render/LSteeringTDO.h"

#include "LVector2.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LCharacter.h"
#include "Render/LINavigation.h"
#include "Render/LNavigationTDO.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LLog.h"
#include "time/LStopwatch.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kDirectionTolerance = 0.0001f;
constexpr float kSmallestTurn = 0.001f;
// Fade of the idle animation's main track on stopping.
constexpr float kStopWeightRate = -8.0f;

bool IsMoveKind(int aIndex)
{
    return aIndex >= 0 && aIndex < LSteeringTDO::kMoveKinds;
}

} // namespace

LSteeringTDO::LSteeringTDO() : mStopwatch(L_NEW LStopwatch())
{
    mStopwatch->Resume();
}

LSteeringTDO::~LSteeringTDO()
{
    // Only a walking steering is in the frame manager.
    LFrameManager* frames = mEnabled != 0 ? LFrameManager::Get() : nullptr;
    if (frames != nullptr) {
        frames->RemoveListener(this);
    }
    delete mStopwatch;
}

bool LSteeringTDO::SetCharacter(LCharacter* aCharacter)
{
    if (aCharacter == nullptr) {
        L_ASSERT_FAILURE("SetCharacter failure.");
        return false;
    }
    mCharacter = aCharacter;
    return true;
}

void LSteeringTDO::SetDefaults()
{
    const float rates[kMoveKinds] = {kPi, 0.7f * kPi, 0.6f * kPi, 0.8f * kPi, 0.8f * kPi};
    const float speeds[kMoveKinds] = {0.0f, 48.0f, 132.0f, 36.0f, 36.0f};
    for (int i = 0; i < kMoveKinds; ++i) {
        mTurnRates[i] = rates[i];
        mMoveSpeeds[i] = speeds[i];
    }
}

bool LSteeringTDO::SetTurnRate(int aIndex, float aRadiansPerSecond)
{
    if (!IsMoveKind(aIndex)) {
        L_ERROR(LString("SetTurnRate failure. Index out of bounds: ") + aIndex);
        return false;
    }
    mTurnRates[aIndex] = aRadiansPerSecond;
    return true;
}

bool LSteeringTDO::SetMoveSpeed(int aIndex, float aUnitsPerSecond)
{
    if (!IsMoveKind(aIndex)) {
        L_ERROR(LString("SetMoveSpeed failure. Index out of bounds: ") + aIndex);
        return false;
    }
    mMoveSpeeds[aIndex] = aUnitsPerSecond;
    return true;
}

float LSteeringTDO::GetTurnRate(int aIndex) const
{
    return IsMoveKind(aIndex) ? mTurnRates[aIndex] : 0.0f;
}

float LSteeringTDO::GetTableMoveSpeed(int aIndex) const
{
    return IsMoveKind(aIndex) ? mMoveSpeeds[aIndex] : 0.0f;
}

bool LSteeringTDO::Steer()
{
    L_ASSERT_FAILURE("NYI.");
    return false;
}

bool LSteeringTDO::SetMoving(bool aMoving, int aMoveIndex)
{
    const LCharacter::MoveRecord* move = nullptr;
    if (aMoving && mCharacter != nullptr) {
        move = mCharacter->GetMove(aMoveIndex);
    }
    const bool known = IsMoveKind(aMoveIndex);
    if (!known || (aMoving && mCharacter != nullptr && move == nullptr)) {
        L_ERROR(LString("SetMoving failure. Move index out of bounds: ") + aMoveIndex);
        // A walker asked to stop stops all the same.
        if (aMoving) {
            return false;
        }
    }
    const bool wasEnabled = mEnabled != 0;
    mEnabled = aMoving ? 1 : 0;
    mTurnFactor = 1.0f;
    if (!aMoving) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->RemoveListener(this);
        }
        mStopwatch->Stop();
        mMoveIndex = 0;
        mMoveSpeed = known ? mMoveSpeeds[aMoveIndex] : 0.0f;
        LAnimationCtrl* ctrl = mCharacter != nullptr ? mCharacter->GetAnimationCtrl() : nullptr;
        if (ctrl != nullptr) {
            ctrl->SetAnimation(mCharacter->GetIdleAnimation(), false, 0.0f, LCharacter::kFadeRate,
                               LCharacter::kIdleFlags, 1.0f);
            ctrl->GetTrack(0)->mWeightRate = kStopWeightRate;
        }
        if (mNavigation != nullptr) {
            mNavigation->SetEnabled(false);
        }
        return true;
    }
    if (!wasEnabled) {
        if (LFrameManager* frames = LFrameManager::Get()) {
            frames->AddListener(this, kPriority);
        }
        mStopwatch->Resume();
        mTurningInPlace = 1;
    }
    mMoveIndex = aMoveIndex;
    mMoveSpeed = mMoveSpeeds[aMoveIndex];
    if (move != nullptr) {
        if (LAnimationCtrl* ctrl = mCharacter->GetAnimationCtrl()) {
            ctrl->SetAnimation(move->mAnimation, false, 1.0f, 2.0f, LCharacter::kIdleFlags, 1.0f);
        }
        mMoveSpeed = move->mSpeed * kMoveSpeedScale;
    }
    return true;
}

void LSteeringTDO::OnFrame()
{
    if (!mEnabled || mNavigation == nullptr) {
        return;
    }
    const float now = mStopwatch->GetElapsed();
    if (!mHasLastTime || now < mLastTime) {
        mLastTime = now;
        mHasLastTime = true;
    }
    const float dt = now - mLastTime;
    const LVector3 position = *mNavigation->GetPosition();
    if ((*mNavigation->GetTarget() - position).Length() < kStopDistance) {
        SetMoving(false, 0);
        return;
    }
    const float goal = (*mNavigation->GetNextPoint() - position).Length();
    Turn(dt, goal);
    if (!mTurningInPlace) {
        float step = dt * mMoveSpeed;
        if (step > goal) {
            step = goal;
        }
        const LVector3 moved = position + mDirection * step;
        LVector2 point(moved.x, moved.y);
        if (auto* navigation = dynamic_cast<LNavigationTDO*>(mNavigation)) {
            navigation->ClampToBounds(kClampDistance, kClampStep, point);
        }
        mNavigation->SetPosition(LVector3(point.x, point.y, 0.0f));
    }
    mLastTime = now;
}

void LSteeringTDO::Turn(float aDeltaTime, float aGoalDistance)
{
    if (aDeltaTime == 0.0f) {
        return;
    }
    const LVector3& position = *mNavigation->GetPosition();
    const LVector3& next = *mNavigation->GetNextPoint();
    const LVector2 direction(mDirection.x, mDirection.y);
    const LVector2 from(position.x, position.y);
    const LVector2 toNext(next.x - position.x, next.y - position.y);
    float angle = direction.GetAngle(toNext);
    const float rate = mTurnRates[mMoveIndex];
    const float turnTime = rate * mTurnFactor != 0.0f ? angle / (rate * mTurnFactor) : 0.0f;
    if (aGoalDistance < turnTime * mMoveSpeed) {
        mTurnFactor *= kTurnFactorGrowth;
        if (mTurnFactor > kMaxTurnFactor) {
            mTurningInPlace = 1;
        }
    }
    if (aDeltaTime * rate < angle) {
        angle = aDeltaTime * rate * mTurnFactor;
    }
    if (angle < kSmallestTurn) {
        mTurningInPlace = 0;
        return;
    }
    if (LVector2(next.x, next.y).GetSideOfLine(from, from + direction) == 1) {
        angle = -angle;
    }
    LVector2 turned(direction);
    turned.Rotate(angle);
    mDirection = LVector3(turned.x, turned.y, 0.0f);
    mDirection.Normalize(kDirectionTolerance);
}
