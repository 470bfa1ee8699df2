// The player of the game's full-screen movies (files under "//dataroot/movies/"), shown
// as a screen of its own with timed subtitles, which afterwards moves the game on: it
// raises its done events, applies its state changes and loads a target scene or shows a
// target viewpoint.
//
// Movies start in two ways. The table "//dataroot/movies/cutscenes.txt" holds entries
// that fire on a state change, an event, the end of an interview or a visit to a map
// location; per notice the entries of that trigger type are tried in table order and the
// first that fires plays. Game code plays a movie itself: SetTarget, SetStateChanges and
// SetDoneEvents (or the Add forms), maybe SetHandedOver, SetDeferredLoad and
// SetEndListener, then Play or PlayList.
//
// A movie shows centred, at the options' volume, with the mouse locked here and the
// cursor hidden. The space key, accepted half a second after a movie starts, ends the
// whole cut scene; a movie of more than ten frames ends ten frames before its last one,
// any other at its end notice; queued movies follow one another through black. A movie
// that cannot be opened counts as one that has just ended. A movie's end waits while a
// change of screen runs, and a Play refused because one runs is tried again each frame.
//
// At the end, with a target scene: fade to black, clear the screen stack and load the
// scene (immediately when a case is selected and no deferred load was asked for; else the
// ordinary way, and with no case selected "sta_caseselection_active" becomes true).
// Without one: the target viewpoint, if any, is set while the movie still covers the
// scene, and the player pops back to the screen below. Then the wrap-up: done events
// raised in order (one already raised is skipped), state triples created or set, the
// handed-over object deleted, the target and the deferred flag cleared; then the end
// listener is told and forgotten.
#pragma once
#include "GMIScreen.h"
#include "Input/LIKeyboardListener.h"
#include "Input/LIMouseListener.h"
#include "Video/LIMovieListener.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "event/LIEventListener.h"
#include "object/LBase.h"
#include "state/LIStateListener.h"
#include "stdlib/LIFrameListener.h"
#include "ui/GMIScreenFaderListener.h"

#include <utility>
#include <vector>

class GMICutSceneListener;
class LIFont;
class LIMoviePlayer;
class LPropertyList;
class LScript;

class GMCutScenePlayer : public LBase,
                         public GMIScreen,
                         public LIMovieListener,
                         public LIStateListener,
                         public LIEventListener,
                         public LIKeyboardListener,
                         public LIFrameListener,
                         public LIMouseListener,
                         public GMIScreenFaderListener
{
public:
    static constexpr int kSpaceKey = 57;
    // Movies of more frames than this end that many frames before their last.
    static constexpr unsigned kEarlyEndFrames = 10;
    static constexpr float kKeyArmDelay = 0.5f;
    static constexpr float kSubtitleY = 500.0f;
    static constexpr float kNextMovieZ = 1000.0f;

    // The player, made on first use (tables loaded, state and event listeners registered,
    // registered with the game cleaner); null when it cannot be made (logged) and after
    // the cleaner has deleted it.
    static GMCutScenePlayer* GetInstance();
    // The player if it exists; never makes it.
    static GMCutScenePlayer* Peek();

    GMCutScenePlayer();
    GMCutScenePlayer(const GMCutScenePlayer&) = delete;
    GMCutScenePlayer& operator=(const GMCutScenePlayer&) = delete;
    ~GMCutScenePlayer() override;

    LString Dump() const override;

    // Where the game goes when the cut scene ends; empty or "-" for none.
    void SetTarget(const LString& aScene, const LString& aViewpoint);
    void SetDoneEvents(const LVectorString& aEvents);
    // Triples: state id, type name ("boolean", "number", "string"), value text.
    void SetStateChanges(const LVectorString& aChanges);
    void AddDoneEvents(const LVectorString& aEvents);
    void AddStateChanges(const LVectorString& aChanges);
    // Takes aObject over (deleted when the cut scene ends); null is ignored.
    void SetHandedOver(LBase* aObject);
    // Load the target scene the ordinary way instead of immediately; cleared at the end.
    void SetDeferredLoad(bool aDeferred);
    // Told once when the next cut scene has ended, then forgotten; not owned.
    void SetEndListener(GMICutSceneListener* aListener);
    // Forgets the end listener when it is aListener.
    void RemoveEndListener(GMICutSceneListener* aListener);

    // The movie (a file under "//dataroot/movies/") goes first in the queue and the
    // player's screen is pushed with a fade.
    void Play(const LString& aMovie);
    // The same with the queue replaced by aMovies, in order.
    void PlayList(const LVectorString& aMovies);
    // Plays the first table entry for the interview (resp. map location) whose
    // "dependencies" hold; true when one was started.
    bool PlayForInterview(const LString& aInterviewId);
    bool PlayForLocation(const LString& aLocationId);

    const LString& GetTargetScene() const { return mTargetScene; }
    const LString& GetTargetViewpoint() const { return mTargetViewpoint; }
    const LVectorString& GetDoneEvents() const { return mDoneEvents; }
    const LVectorString& GetStateChanges() const { return mStateChanges; }
    const LVectorString& GetQueue() const { return mQueue; }
    LBase* GetHandedOver() const { return mHandedOver; }
    bool IsDeferredLoad() const { return mDeferredLoad; }
    GMICutSceneListener* GetEndListener() const { return mEndListener; }
    // The movie shown, or null.
    LIMoviePlayer* GetMovie() const { return mMovie; }
    // From Play until the cut scene's wrap-up.
    bool IsPlaying() const { return mPhase != PHASE_IDLE || mPushed || mPushPending; }

    // GMIScreen.
    void OnLeave() override;
    void OnHidden() override;
    void OnShow() override;

    void OnMovieEnded(LString aName) override;
    void OnStateChanged(LIState* aState) override;
    void OnEvent(LEvent* aEvent) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnFrame() override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnFade(int aEvent) override;

private:
    enum Phase
    {
        PHASE_IDLE,
        // A movie is shown (or has just failed to open).
        PHASE_MOVIE,
        // Fading to black before the next queued movie.
        PHASE_NEXT,
        // Fading to black before the target scene loads.
        PHASE_TARGET,
    };

    // One entry of the table, in one trigger list.
    struct Trigger
    {
        LString mName;
        const LPropertyList* mEntry = nullptr;
        // Built on first use; null when the entry has no "dependencies" or they could not
        // be built (then mBuilt tells which).
        LScript* mScript = nullptr;
        bool mBuilt = false;
    };
    using TriggerList = std::vector<Trigger>;

    // --- tables and triggers (GMCutScenePlayerTables.cpp) ---
    void LoadTables();
    void ClearTables();
    // The entry's "dependencies" evaluated; false (logged once) when they cannot be
    // built. aFound tells whether the entry has them.
    bool Dependencies(Trigger& aTrigger, bool& aFound);
    // State and event triggers: aId compared with aKey's value without regard to case.
    bool FireFirst(TriggerList& aList, const char* aKey, const LString& aId);
    // Interview and location triggers: the id must match and "dependencies" hold.
    bool FireFirstWithDependencies(TriggerList& aList, const char* aKey, const LString& aId);
    void PlayCutScene(const LPropertyList* aEntry);
    void SetUpSubtitles(const LString& aMovie);
    void ClearSubtitles();
    // Makes the first record at or after aIndex the next one and its time the next time.
    void StepSubtitle(int aIndex);
    void ShowDueSubtitle(double aNow);
    LIFont* FindFont(const LString& aKey) const;

    // --- playing (GMCutScenePlayer.cpp) ---
    // PushFade of this screen; a refused push is tried again each frame.
    void PushScreen();
    // Takes the first name off the queue and shows its movie at aRelativeZ, with its
    // subtitles; a movie that cannot be opened is ended at the next frame.
    void StartNextMovie(float aRelativeZ);
    void DeleteMovie();
    void EndMovie();
    void EndCutScene();
    void LoadTarget();
    void WrapUp();
    void JoinFrames();
    void LeaveFrames();
    void LeaveKeyboard();
    void ReleaseInput();
    static double Now();
    static bool Names(const LString& aValue);

    LBase* mHandedOver = nullptr;
    LPropertyList* mTable = nullptr;
    TriggerList mStateTriggers;
    TriggerList mEventTriggers;
    TriggerList mInterviewTriggers;
    TriggerList mLocationTriggers;
    bool mMovieDone = false;
    bool mEndedEarly = false;
    LVectorString mQueue;
    LIMoviePlayer* mMovie = nullptr;
    LString mTargetScene;
    LString mTargetViewpoint;
    LVectorString mDoneEvents;
    LVectorString mStateChanges;
    bool mDeferredLoad = false;
    LPropertyList* mSubtitles = nullptr;
    const LPropertyList* mSubtitleTrack = nullptr;
    const LPropertyList* mSubtitleRecord = nullptr;
    std::vector<std::pair<LString, LIFont*>> mFonts;
    double mSubtitleStart = 0.0;
    double mNextSubtitleTime = -1.0;
    int mSubtitleIndex = 0;
    double mKeyArmTime = -1.0;

    GMICutSceneListener* mEndListener = nullptr;
    Phase mPhase = PHASE_IDLE;
    // PushFade accepted, OnShow not yet heard.
    bool mPushed = false;
    // PushFade refused; tried again each frame.
    bool mPushPending = false;
    bool mInFrames = false;
    bool mInKeyboard = false;
    bool mFading = false;
};
