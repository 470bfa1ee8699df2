// A door or passage: a click walks the player to its target point and then changes to
// another viewpoint of the scene or to another scene, through black. An optional
// condition can deny the way, with a voice line instead of the walk.
#pragma once
#include "scene/GMHotspot.h"
#include "ui/GMIScreenFaderListener.h"

class GMHotspotNavigate : public GMHotspot, public GMIScreenFaderListener
{
public:
    // How near the target the walk counts as arrived.
    static constexpr float kArrivalDistance = 40.0f;
    // Game-clock time a change of place costs.
    static constexpr float kClockAdvance = 2.0f;
    // A crossing of the camera's bounds nearer the player than this changes at once.
    static constexpr float kMinWalk = 50.0f;

    struct Record : KindData
    {
        ~Record() override;
        LString mViewpointId;
        LString mSceneId;
        int mCursorType = 0;
        LVector2* mTargetPos = nullptr;
        LScript* mCondition = nullptr;
        LVectorString mUnsatisfied;
        LVectorString mSatisfied;
    };

    GMHotspotNavigate();
    ~GMHotspotNavigate() override;

    // The base data, then "typedata.navigate".
    bool Load(const LPropertyList* aEntry) override;
    // Hovering shows the direction cursor.
    void UpdateCursor() override;
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;
    // The walk has arrived (or the change starts without one).
    void OnNavigationEvent(const LString& aEvent) override;
    void OnVoiceOverDone() override;
    // Black reached after a fade-out towards another scene.
    void OnFade(int aEvent) override;

    // The click: denied with the unsatisfied line, or walks (run: runs) to the target
    // and changes place on arrival.
    void Go(bool aRun);

    const Record* GetRecord() const { return static_cast<const Record*>(mKindData); }
    bool IsChangeStarted() const { return mChangeStarted; }
    bool IsGoing() const { return mGoing; }

private:
    // Plays a line of the way (sound "deniedNav"); false when none started.
    bool PlayLine(const LVectorString& aList);
    // The point where the walk towards the viewpoint's way-points leaves the current
    // camera's walkable areas (else enters the target camera's); false when none.
    bool FindCrossing(LVector2& aOut);
    void Arrive();

    bool mChangeStarted = false;
    // A walk of Go is under way: its arrival changes place.
    bool mGoing = false;
};
