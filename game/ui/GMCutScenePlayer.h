// The player of the game's full-screen movies, which afterwards raises events, changes
// states and leads to a target scene. Movies are not played yet: the player keeps what
// its callers hand it (target, done events, state changes, a handed-over object, the
// movies asked for) and notes each call in order, so that callers can be checked against
// the protocol: SetTarget, SetStateChanges and SetDoneEvents (or the Add forms), maybe
// SetHandedOver and SetDeferredLoad, then Play or PlayList. No movie plays and nothing
// is raised, changed or loaded afterwards.
#pragma once
#include "container/LString.h"
#include "container/LVectorString.h"
#include "util/GMStandIn.h"

class GMCutScenePlayer : public GMStandIn<GMCutScenePlayer>
{
public:
    static constexpr const char* kClassName = "GMCutScenePlayer";

    ~GMCutScenePlayer() override;

    void SetTarget(const LString& aScene, const LString& aViewpoint);
    void SetDoneEvents(const LVectorString& aEvents);
    void SetStateChanges(const LVectorString& aChanges);
    void AddDoneEvents(const LVectorString& aEvents);
    void AddStateChanges(const LVectorString& aChanges);
    // Takes aObject over (deleted when the cut scene ends); null is ignored.
    void SetHandedOver(LBase* aObject);
    void SetDeferredLoad(bool aDeferred);
    // The movie (a file under "//dataroot/movies/") goes first in the queue; noted.
    void Play(const LString& aMovie);
    // The queue becomes aMovies, in order; noted.
    void PlayList(const LVectorString& aMovies);
    // Plays the cut scene the table gives for the interview or map location; false, as
    // the table is not read yet.
    bool PlayForInterview(const LString& aInterviewId);
    bool PlayForLocation(const LString& aLocationId);

    // Every call in order, as "Name(argument|argument...)".
    const LVectorString& GetCalls() const { return mCalls; }
    const LString& GetTargetScene() const { return mTargetScene; }
    const LString& GetTargetViewpoint() const { return mTargetViewpoint; }
    const LVectorString& GetDoneEvents() const { return mDoneEvents; }
    const LVectorString& GetStateChanges() const { return mStateChanges; }
    const LVectorString& GetQueue() const { return mQueue; }
    LBase* GetHandedOver() const { return mHandedOver; }
    bool IsDeferredLoad() const { return mDeferredLoad; }

private:
    void Note(const char* aName, const LString& aArguments);

    LBase* mHandedOver = nullptr;
    LVectorString mQueue;
    LString mTargetScene;
    LString mTargetViewpoint;
    LVectorString mDoneEvents;
    LVectorString mStateChanges;
    bool mDeferredLoad = false;
    LVectorString mCalls;
};
