// Fades one display object's blend linearly over a time, one step per frame pass, and
// tells one listener when the fade started (0), was stopped (1) and finished (2). The
// finish comes one frame after the blend reached its target, so the final blend has been
// drawn once.
#pragma once
#include "container/LString.h"
#include "stdlib/LIFrameListener.h"

class LIDisplayObject;
class LITimer;

class LIFaderListener
{
public:
    virtual ~LIFaderListener();
    virtual void OnFaderEvent(const LString& aFaderId, int aEvent) = 0;
};

class LFader : public LIFrameListener
{
public:
    enum Event { kStarted = 0, kStopped = 1, kFinished = 2 };

    LFader();
    ~LFader() override;

    LString Dump() const;

    int SetGroup(LIDisplayObject* aObject);
    int SetListener(const LString& aId, LIFaderListener* aListener);
    void RemoveListener();
    // 1 rises from the start value, -1 falls, 0 stays; the target gives only the distance.
    int SetDirection(int aDirection);
    int SetFadeTime(float aSeconds);
    int SetTargetValue(float aValue);
    // The start value; makes the object active.
    int SetValue(float aValue);
    int StartFade();
    int StopFade();
    void OnFrame() override;

    bool IsRunning() const { return mRunning; }

private:
    void Step();
    void Send(int aEvent);
    void Leave();

    LString mId;
    LIDisplayObject* mObject = nullptr;
    int mDirection = 1;
    LIFaderListener* mListener = nullptr;
    float mStartValue = 0.0f;
    float mTargetValue = 1.0f;
    float mFadeTime = 1.0f;
    double mStartTime = 0.0;
    bool mRunning = false;
    LITimer* mTimer = nullptr;
    // Set in the step that reached the target; the next step finishes. Each fader has
    // its own, so faders ending together do not hold each other up.
    bool mEndReached = false;
    bool mListening = false;
};
