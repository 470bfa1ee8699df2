// The game's character: an engine character with ambient gestures played after random
// pauses while it idles, an interview pose, and the player's ten actions (cross arms,
// pick up, photograph, sit, rise, cell phone) with their hand props.
//
// Its extra animations are fetched by file name from the gesture animation manager (root
// "//animations"). Eye data ("//characters/eyes.txt") are read by the first character
// made and shared by all while any exists.
//
// The main track always holds a base animation, chosen by place: the seated animation
// when seated, the interview idle while the ambient is suspended (interviews), else the
// engine idle.
//
// It turns on the spot towards a point with a turn animation laid over its base
// animation, turns into a walk before the player's walk starts, turns head and neck
// towards the eyes of an interview partner with a fading weight, and the player's steps
// sound by the ground polygon under it.
#pragma once
#include "Render/LCharacter.h"
#include "LVector2.h"
#include "Render/LIGesturePlayerListener.h"
#include "container/LString.h"
#include "object/LWatch.h"
#include "scene/GMICharacterListener.h"
#include "scene/GMCharacterAction.h"

#include <cstdint>

class GMICharacterListener;
class LDrawElement;
class LFrame;
class LGesturePlayer;
class LISoundPlayer;
class LPropertyList;

class GMCharacter : public LCharacter, public LIGesturePlayerListener
{
public:
    // Seconds between idle gestures of a player left standing.
    static constexpr float kIdleGestureDelay = 10.0f;
    // The frame ids of the camera action: prop shown strictly between, the photograph taken
    // once past kCameraShotFrame.
    static constexpr int kCameraShowFrame = 25;
    static constexpr int kCameraHideFrame = 95;
    static constexpr int kCameraShotFrame = 60;
    // Degrees per radian of the turn choice (kept as the turn tables were made with it).
    static constexpr float kDegrees = 57.3248f;
    // No turn on the spot below this many degrees, none into a walk at this many radians
    // or fewer.
    static constexpr float kMinTurnDegrees = 20.0f;
    static constexpr float kMinWalkTurn = 0.785f;
    // The facing follows a turn in steps of more than this many radians.
    static constexpr float kTurnStep = 0.01744f;
    // Parts of a walking turn's frames: the move animation blends back from the first over
    // kWalkBlendShare of the turn's length; the walk goes on at the second.
    static constexpr float kWalkBlendStart = 0.4f;
    static constexpr float kWalkBlendShare = 0.3f;
    static constexpr float kWalkGoOn = 0.7f;
    // Move animation frame the walk goes on at after a clockwise or counter-clockwise
    // walking turn.
    static constexpr int kWalkFrameCW = 5;
    static constexpr int kWalkFrameCCW = 24;
    // Look-at weight change per second.
    static constexpr float kLookAtRate = 3.0f;
    // Step cycles (frames of the move animation) and the two feet's frame windows.
    static constexpr int kWalkCycle = 37;
    static constexpr int kRunCycle = 23;
    static constexpr int kWalkFirstFoot = 14;
    static constexpr int kWalkSecondFoot = 32;
    static constexpr int kRunFirstFoot = 0;
    static constexpr int kRunSecondFoot = 12;
    static constexpr int kFootWindow = 2;
    enum PropKind { PROP_BADGE = 0, PROP_POLAROID = 1 };

    struct Gesture
    {
        LString mName;
        int mWeight = 0;
    };

    GMCharacter();
    GMCharacter(const GMCharacter&) = delete;
    GMCharacter& operator=(const GMCharacter&) = delete;
    ~GMCharacter() override;

    LString Dump() const override;

    // The game's keys ("interview", "animations.ambient", "animations.seated", "name"),
    // then the engine character's. The result of LCharacter::Load.
    int Load(const LPropertyList* aData, const LString* aShadowPath) override;
    // The per-frame behaviour: ambient start and end, the turn under way, idle gesture, the
    // running action, the shown object and footsteps, the base animation on an empty main
    // track, the engine character's transform, then the look-at.
    int UpdateTransform() override;
    // The props that exist and are shown, then the character.
    int Render() override;

    // Stores the code; codes 1 to 10 play their animation (see GMCharacterAction). The
    // listener is kept for codes 2 to 10.
    void PlayAction(int aAction, GMICharacterListener* aListener);
    // A listener that goes away before the action or turn ends is told nothing more.
    void RemoveActionListener(const GMICharacterListener* aListener);
    void SetAmbientSuspended(bool aSuspended);
    void ResetAmbient();
    void StopAmbient();
    // With an interview idle: true suspends the ambient and plays it, false plays the
    // engine idle and turns towards the done-look-at point when there is one (true).
    // Otherwise the turn towards the look-at point decides.
    bool SetInterviewMode(bool aEntering, GMICharacterListener* aListener);
    // With a seated animation: true suspends the ambient and plays it, false plays the
    // engine idle. False without one.
    bool SetSeated(bool aSeated, int aUnused);
    // Plays aAnimation with the polaroid (PROP_POLAROID) or the badge in the right hand
    // from the next frame on.
    void ShowObject(const LString& aAnimation, int aProp);
    // The head type: a folder under "//dataroot/phonemes/".
    const LString& GetPhonemeFile() const { return GetHeadType(); }
    void OnGestureDone() override;

    // The ambient gesture for a draw k of 0 .. total weight - 1: entries are walked from
    // the first, k losing each weight it is not below. -1 without gestures or weight.
    int PickGesture(int aK) const;
    void SetIdleGestureEnabled(bool aEnabled) { mIdleGestureEnabled = aEnabled ? 1 : 0; }

    // Turns on the spot towards aPoint (world x, z) with a turn animation; the listener hears
    // ContinueAction when the turn ends. False, with nothing started, below 20 degrees and
    // when the turn animation is missing or too short (logged).
    bool TurnTo(const LVector3& aPoint, GMICharacterListener* aListener);
    // Turns into a walk towards aPoint (ground x, y); at 70 % of the turn the player's
    // navigation walks there with aMove (and aCheckStairs) without turning again. False,
    // with nothing started, at 45 degrees or less and when the animation is missing.
    bool TurnWhileWalking(const LVector2& aPoint, int aMove, bool aCheckStairs);
    void StopTurn();
    // Fades the head and neck towards the eye target in (true) or out (false) at 3.0 per
    // second, from the weight reached so far.
    void SetLookAt(bool aOn);
    // The character whose eyes the head turns to; null logs "NULL arg.". A target that
    // ends is forgotten.
    void SetEyeTarget(GMCharacter* aTarget);
    // Reads "//sounds/footsteps.txt" (step sounds and ground polygons) and the scene's
    // "sounds.txt" list ("defaultsound"), and opens the step sounds.
    void SetupFootsteps(const LPropertyList* aSceneSounds);

    const LString& GetCharacterName() const { return mName; }
    int GetGestureCount() const { return mGestureCount; }
    int GetTotalWeight() const { return mTotalWeight; }
    bool IsAmbientPlaying() const { return mAmbientPlaying != 0; }
    bool IsAmbientSuspended() const { return mAmbientSuspended != 0; }
    bool IsSeated() const { return mSeated != 0; }
    float GetNextAmbientTime() const { return mNextAmbientTime; }
    LAnimation* GetCurrentAnimation() const { return mCurrentAnimation; }
    int GetAction() const { return mAction; }
    int GetPlayingAction() const { return mPlayingAction; }
    LGesturePlayer* GetGesturePlayer() const { return mGesturePlayer; }
    LDrawElement* GetHandProp() const { return mHandProp; }
    bool IsHandPropShown() const { return mHandPropShown != 0; }
    LDrawElement* GetSecondProp() const { return mSecondProp; }
    bool IsSecondPropShown() const { return mSecondPropShown != 0; }
    // What the last ShowObject asked for: the animation and the prop kind.
    const LString& GetShownObjectAnimation() const { return mSecondPropAnimation; }
    int GetShownObjectProp() const { return mSecondPropKind; }
    LAnimation* GetInterviewIdle() const { return mInterviewIdle; }
    LAnimation* GetSeatedAnimation() const { return mSeatedAnimation; }
    LAnimation* GetCellPhoneIdle() const { return mCellPhoneIdle; }
    bool IsTurning() const { return mTurning != 0; }
    bool IsWalkTurning() const { return mTurning != 0 && mWalkTurn != 0; }
    LAnimation* GetTurnAnimation() const { return mTurnAnimation; }
    // The turn's degrees over its nominal turn, and its whole signed angle (radians).
    float GetTurnFraction() const { return mTurnFraction; }
    float GetTurnAngle() const { return mTurnAngle; }
    bool IsLookAtActive() const { return mLookAtActive != 0; }
    float GetLookAtWeight() const { return mLookWeight; }
    GMCharacter* GetEyeTarget() const { return mEyeTarget; }
    // The facing in the ground plane (world x, z; for the player its steering's direction).
    LVector2 GetFacing() const;
    // The sound a step makes at the ground point (world x, z): the first ground polygon's
    // holding it, else the default; null for none.
    LISoundPlayer* GetStepSound(const LVector2& aGround) const;
    int GetFootstepGroundCount() const { return mGroundCount; }
    bool GetFootFlag() const { return mFootFlag != 0; }
    // The shared eye data; null when the file could not be read.
    static const LPropertyList* GetEyeData() { return sEyeData; }

private:
    static LAnimation* FetchAnimation(const LString& aName);
    static LDrawElement* LoadProp(const LString& aPath);
    static float Now();
    float DrawAmbientDelay() const;
    void FreeGestures();
    void LoadAmbient(const LPropertyList* aAmbient);
    void LoadInterview(const LPropertyList* aInterview);
    // The base animation after SetAmbientSuspended(true), at the end of an ambient
    // gesture or action, and on an empty main track.
    LAnimation* SuspendedBase() const;
    LAnimation* EndBase() const;
    LAnimation* EmptyTrackBase() const;
    void StartAmbient(float aNow);
    void UpdateAmbientEnd();
    void UpdateAction();
    void UpdateShownObject();
    void ClearAction();
    void PlaceProp(LDrawElement* aProp, float aX, float aY, float aZ) const;
    void DeleteGesturePlayer();
    // Turns (GMCharacterTurn.cpp).
    LVector2 GroundPosition() const;
    void SetFacing(const LVector2& aFacing);
    static float SignedAngle(const LVector2& aFrom, const LVector2& aTo);
    LAnimation* FetchTurnAnimation(const LString& aName) const;
    bool StartTurn(LAnimation* aAnimation, float aAngle, const LVector2& aFacing);
    void UpdateTurn(float aNow);
    void EndTurn();
    void GoOnWalking(bool aAtFrame);
    // Look-at (GMCharacterLookAt.cpp).
    void UpdateLookAt(float aNow);
    bool LookAngles(LFrame* aNeck, LFrame* aHead, float& aX, float& aY) const;
    void ForgetEyeTarget(const GMCharacter* aTarget);
    // Footsteps (GMCharacterFootsteps.cpp).
    void FreeFootsteps();
    LISoundPlayer* OpenStepSound(const LString& aFile);
    void UpdateFootsteps();

    LString mName;
    float mMinInterval = 0.0f;
    float mMaxInterval = 0.0f;
    Gesture* mGestures = nullptr;
    int mGestureCount = 0;
    uint8_t mAmbientPlaying = 0;
    uint8_t mAmbientSuspended = 0;
    float mNextAmbientTime = 0.0f;
    int mTotalWeight = 0;
    LGesturePlayer* mGesturePlayer = nullptr;
    LAnimation* mCurrentAnimation = nullptr;
    uint8_t mIdleGestureEnabled = 0;
    LAnimation* mInterviewIdle = nullptr;
    LVector3* mLookAt = nullptr;
    LVector3* mDoneLookAt = nullptr;
    uint8_t mSeated = 0;
    LAnimation* mSeatedAnimation = nullptr;
    LAnimation* mCellPhoneIdle = nullptr;
    int mAction = 0;
    // Watched: a hotspot deleted during its action is no longer told.
    LWatch<GMICharacterListener> mActionListener;
    float mNextIdleGestureTime = 0.0f;
    int mPlayingAction = 0;
    LAnimation* mActionAnimation = nullptr;
    // Steps of the running action already taken: its taking moment, its switch of the main
    // track, its end animation.
    uint8_t mActionPointDone = 0;
    uint8_t mActionSwitched = 0;
    uint8_t mActionEnding = 0;
    LISoundPlayer* mFlashSound = nullptr;
    LDrawElement* mHandProp = nullptr;
    uint8_t mHandPropShown = 0;
    LDrawElement* mSecondProp = nullptr;
    uint8_t mSecondPropShown = 0;
    uint8_t mSecondPropPending = 0;
    int mSecondPropKind = PROP_POLAROID;
    LString mSecondPropAnimation;
    LAnimation* mShowAnimation = nullptr;

    // The turn under way: on the spot or into a walk, its animation, its whole and applied
    // angles, the facing it ends on and the one who hears its end.
    uint8_t mTurning = 0;
    uint8_t mWalkTurn = 0;
    uint8_t mWalkBlending = 0;
    uint8_t mTurnClockwise = 0;
    LAnimation* mTurnAnimation = nullptr;
    float mTurnAngle = 0.0f;
    float mTurnApplied = 0.0f;
    float mTurnFraction = 0.0f;
    int mTurnLastFrame = 0;
    LVector2 mTurnFacing;
    GMICharacterListener* mTurnListener = nullptr;
    LVector2 mWalkPoint;
    int mWalkMove = 0;
    uint8_t mWalkCheckStairs = 0;

    // Footsteps: the step sounds by id, the ground polygons with the index of their sound,
    // the default sound, and which foot is next.
    struct StepSound;
    struct Ground;
    StepSound* mStepSounds = nullptr;
    int mStepSoundCount = 0;
    Ground* mGrounds = nullptr;
    int mGroundCount = 0;
    LISoundPlayer* mDefaultStep = nullptr;
    uint8_t mFootFlag = 1;

    // Look-at: the target whose eyes the head turns to, the names of those eye frames, the
    // weight and its fade (direction +1 in, -1 out, start time).
    uint8_t mLookAtActive = 0;
    GMCharacter* mEyeTarget = nullptr;
    LString mRightEye;
    LString mLeftEye;
    float mLookAngleX = 0.0f;
    float mLookAngleY = 0.0f;
    float mLookWeight = 0.0f;
    int mLookDirection = 1;
    float mLookStart = 0.0f;

    // Every character alive, so that an eye target that ends is forgotten by those
    // looking at it.
    GMCharacter* mNextCharacter = nullptr;
    static GMCharacter* sFirstCharacter;
    static LPropertyList* sEyeData;
    static int sEyeUsers;
};
