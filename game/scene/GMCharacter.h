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
// Turning towards a point, the look-at of head and eyes and footsteps are not made yet:
// no turn starts and nothing is looked at or heard.
#pragma once
#include "Render/LCharacter.h"
#include "Render/LIGesturePlayerListener.h"
#include "container/LString.h"
#include "object/LWatch.h"
#include "scene/GMICharacterListener.h"
#include "scene/GMCharacterAction.h"

#include <cstdint>

class GMICharacterListener;
class LDrawElement;
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
    // The per-frame behaviour: ambient start and end, idle gesture, the running action,
    // the shown object, the base animation on an empty main track, then the engine
    // character's transform.
    int UpdateTransform() override;
    // The props that exist and are shown, then the character.
    int Render() override;

    // Stores the code; codes 1 to 10 play their animation (see GMCharacterAction). The
    // listener is kept for codes 2 to 10.
    void PlayAction(int aAction, GMICharacterListener* aListener);
    // A listener that goes away before the action ends is told nothing more.
    void RemoveActionListener(const GMICharacterListener* aListener);
    void SetAmbientSuspended(bool aSuspended);
    void ResetAmbient();
    void StopAmbient();
    // With an interview idle: true suspends the ambient and plays it, false plays the
    // engine idle; otherwise the turn towards the look-at point decides.
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
    // Turns towards a point are not made yet: false.
    bool TurnTo(const LVector3& aPoint, GMICharacterListener* aListener);

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

    static LPropertyList* sEyeData;
    static int sEyeUsers;
};
