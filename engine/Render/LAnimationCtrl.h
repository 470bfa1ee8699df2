// Plays up to seven animations at once on one draw element and blends them into one pose
// of its frames. Track 0 is the main track, whose animation sets the rotations outright;
// tracks 1 to 6 are blend tracks laid over the pose so far, each by its own weight, which
// fades in or out at a rate per second. Replacing the main animation moves the old one to
// a free blend track where it fades out within a quarter of a second: the cross-fade.
//
// The controller keeps its own stopwatch, so all its animations can be paused together.
// The element's update advances the controller with that stopwatch's time and then poses
// its frames with the tracks.
#pragma once
#include "Render/LAnimationTrack.h"

class LAnimation;
class LDrawElement;
class LMatrix4;
class LQuaternion;
class LStopwatch;
class LString;
class LVector3;

class LAnimationCtrl
{
public:
    static constexpr int kTrackCount = 7;
    // Weight change per second of a replaced or ended animation.
    static constexpr float kFadeOutRate = -4.0f;
    // Tolerance of the quaternion and matrix row normalisations of posing.
    static constexpr float kTolerance = 0.0001f;

    LAnimationCtrl();
    ~LAnimationCtrl();
    LAnimationCtrl(const LAnimationCtrl&) = delete;
    LAnimationCtrl& operator=(const LAnimationCtrl&) = delete;

    // Track 0 .. 6; null (logged) for any other index.
    LAnimationTrack* GetTrack(int aIndex);

    // Replace mode (aAdd false): the main track takes aAnimation from time 0, unless it
    // already plays it; the animation it played moves to the first empty blend track and
    // fades out from weight 1.0, or is dropped when every blend track is busy. Add mode:
    // the first empty blend track takes aAnimation, unless a blend track already plays it
    // or none is empty. 1 in all those cases; 0 (logged) for a null animation.
    int SetAnimation(LAnimation* aAnimation, bool aAdd, float aWeight, float aRate, unsigned int aFlags,
                     float aSpeed);
    // Empties the first track that plays aAnimation (no compaction); 0 when none does.
    int StopAnimation(LAnimation* aAnimation);
    // Freezes the time of the first track that plays aAnimation; 0 when none does.
    int FreezeAnimation(LAnimation* aAnimation);
    // Flags, weight, rate and speed, in this order, for the first track that plays
    // aAnimation; 0 when none does.
    int SetTrackParameters(LAnimation* aAnimation, const float aValues[4]);
    // Puts aAnimation on track aIndex at time 0 (previous time kept), not ended; 0
    // (logged) for an index outside 0 .. 6.
    int SetTrack(int aIndex, LAnimation* aAnimation, unsigned int aFlags, float aWeight, float aRate, float aSpeed);
    int SetTrack(int aIndex, LAnimation* aAnimation, unsigned int aFlags, float aWeight, float aRate);
    // A rate other than 0 starts a fade-out at that rate; 0 empties the track at once.
    int FadeOutTrack(int aIndex, float aRate);
    int FadeOutAll(float aRate);
    // Empties tracks 1 .. 6.
    void ClearBlendTracks();
    // The first track (0 .. 6) that plays aAnimation: the track or null, its index or -1.
    LAnimationTrack* FindTrack(const LAnimation* aAnimation);
    int FindTrackIndex(const LAnimation* aAnimation) const;
    // The name of the animation on track aIndex; null when the track is empty.
    const LString* GetAnimationName(int aIndex) const;
    // Time x speed of track aIndex; -1.0 when the track is empty.
    float GetTrackScaledTime(int aIndex) const;

    // Pausing stops the controller's stopwatch, so its time stands still until unpaused.
    void SetPaused(bool aPaused);
    bool IsPaused() const { return mPaused; }
    // The controller's own time: what the element's update passes to Update.
    float GetTime() const;

    // Advances every track by the time since the previous update, runs fades, empties
    // tracks that faded out and moves later blend tracks down into the gap. 1.
    int Update(float aNow);

    // Poses the element's frames: every frame back to its rest matrix, then every busy
    // track in order over them. A track whose animation has no frames poses nothing. 1;
    // 0 (logged) without an element.
    int Apply(LDrawElement* aElement);

    // The pose of one frame's local matrix: its rotation becomes aRotation (normalised),
    // with the scale of its rows kept.
    static void SetRotation(LMatrix4* aLocal, const LQuaternion& aRotation);
    // The same for the rotation the matrix holds turned towards aRotation by aWeight
    // (spherical interpolation).
    static void BlendRotation(LMatrix4* aLocal, const LQuaternion& aRotation, float aWeight);
    static void SetTranslation(LMatrix4* aLocal, const LVector3& aTranslation);

private:
    // Index of the first empty track among 1 .. 6, or -1.
    int FirstEmptyBlendTrack() const;
    // Moves later busy blend tracks down into the empty ones, keeping their order.
    void CompactBlendTracks();
    bool IsValidIndex(int aIndex, const char* aOperation) const;
    // Poses the frames aTrack's animation names with key aFrame; aMain: the main track.
    void ApplyTrack(LDrawElement* aElement, const LAnimationTrack& aTrack, unsigned int aFrame, bool aMain);

    LStopwatch* mStopwatch = nullptr;
    float mLastTime = 0.0f;
    LAnimationTrack mTracks[kTrackCount];
    bool mPaused = false;
};
