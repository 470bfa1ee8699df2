// Moves the walker of one navigation towards the navigation's next point: it turns first,
// then turns while it walks, stays inside the walkable space, plays the walk or run
// animation of the character it drives and goes back to the idle animation when the
// walker comes within kStopDistance of the target. A frame listener at kPriority while
// walking, after the navigation's routing step.
//
// Move kinds index the tables of turn rates and speeds: 0 standing, 1 walk, 2 run (3, 4
// spare). A character's move list counts from 1 in the same way.
#pragma once
#include "Render/LISteering.h"
#include "stdlib/LIFrameListener.h"

#include <cstdint>

class LCharacter;
class LStopwatch;

class LSteeringTDO : public LISteering, public LIFrameListener
{
public:
    static constexpr int kMoveKinds = 5;
    static constexpr float kPriority = -95.0f;
    static constexpr float kStopDistance = 4.0f;
    // A character's move entry gives its speed in these units.
    static constexpr float kMoveSpeedScale = 12.0f;
    // Clamping of the walker into the walkable space.
    static constexpr float kClampDistance = 0.1f;
    static constexpr float kClampStep = 0.05f;
    // Turn factor growth per frame while the next point is too close to walk a curve.
    static constexpr float kTurnFactorGrowth = 1.2f;
    static constexpr float kMaxTurnFactor = 2.0f;

    LSteeringTDO();
    LSteeringTDO(const LSteeringTDO&) = delete;
    LSteeringTDO& operator=(const LSteeringTDO&) = delete;
    // Leaves the frame manager.
    ~LSteeringTDO() override;

    bool SetCharacter(LCharacter* aCharacter);
    LCharacter* GetCharacter() const { return mCharacter; }
    // Starts walking with move kind aMoveIndex, or stops (the index then picks the move
    // speed kept). A start with an index outside the tables or the character's moves is
    // refused (logged) and nothing changes; a stop with one is logged and stops.
    bool SetMoving(bool aMoving, int aMoveIndex);
    void SetDefaults();
    bool SetTurnRate(int aIndex, float aRadiansPerSecond);
    bool SetMoveSpeed(int aIndex, float aUnitsPerSecond);
    float GetTurnRate(int aIndex) const;
    float GetTableMoveSpeed(int aIndex) const;
    bool Steer() override;
    void OnFrame() override;

    int GetMoveIndex() const { return mMoveIndex; }
    bool IsTurningInPlace() const { return mTurningInPlace != 0; }
    float GetTurnFactor() const { return mTurnFactor; }

private:
    void Turn(float aDeltaTime, float aGoalDistance);

    int mMoveIndex = 0;
    uint8_t mTurningInPlace = 0;
    float mTurnRates[kMoveKinds] = {};
    float mTurnFactor = 1.0f;
    float mMoveSpeeds[kMoveKinds] = {};
    LStopwatch* mStopwatch = nullptr;
    LCharacter* mCharacter = nullptr;
    // The stopwatch reading of the previous frame; each walker keeps its own.
    float mLastTime = 0.0f;
    bool mHasLastTime = false;
};
