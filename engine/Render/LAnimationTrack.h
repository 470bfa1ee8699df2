// One of the seven slots of an animation controller: the animation it plays (not owned;
// null when the slot is empty), how it plays, its blend weight and its playing time.
#pragma once

class LAnimation;

class LAnimationTrack
{
public:
    enum {
        // Weight rises by the rate until it reaches 1.0, then the flag clears.
        FLAG_FADE_IN = 1,
        // Weight changes by the (negative) rate; at 0 the slot empties.
        FLAG_FADE_OUT = 2,
        // Set by characters on their idle and move animations; nothing here tests it.
        FLAG_IDLE = 4,
        // At the end the time restarts at 0.
        FLAG_LOOP = 8,
        // The controller's update does not advance the time.
        FLAG_FROZEN = 16,
        // The last frame is shown for ever and the track never ends.
        FLAG_HOLD_LAST = 32,
    };

    void SetTime(float aTime, bool aAlsoPrevious);
    float GetTime() const { return mTime; }
    float GetPreviousTime() const { return mPreviousTime; }
    // Time x speed.
    float GetScaledTime() const { return mTime * mSpeed; }
    // Previous time = time, then time += aSeconds.
    void Advance(float aSeconds);
    // Empties the slot: no animation, not ended.
    void Clear();
    // Plays aAnimation from time 0 (the previous time is kept), not ended.
    void Start(LAnimation* aAnimation, unsigned int aFlags, float aWeight, float aRate, float aSpeed);

    // The key index to pose with at the track's time, and what reaching the last frame
    // does to the track: it holds (flag 32), restarts its time (flag 8), or goes back to
    // its previous time and freezes; the last two mark it ended. False, with nothing
    // changed, for an empty track or an animation without frames.
    bool NextFrame(unsigned int* aFrame);

    LAnimation* mAnimation = nullptr;
    unsigned int mFlags = 0;
    float mWeight = 0.0f;
    // Per second, while fading.
    float mWeightRate = 0.0f;
    float mSpeed = 1.0f;
    bool mEnded = false;
    float mTime = 0.0f;
    float mPreviousTime = 0.0f;
};
