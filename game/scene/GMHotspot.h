// A clickable region of one viewpoint of a scene (or of a close-up): an object, a door, a
// witness or a place where an item is used. It holds the region, the conditions that make
// it active, visible or shown as a mesh, the five actions the multi-cursor offers on it
// (look, collect, use, analyze, talk) and the voice-overs and cut scenes they play.
//
// Hotspots are made by Create from one entry of a hotspot file, which also picks the kind:
// GMHotspotNavigate (1), GMHotspotInterview (2), GMHotspotTarget (3) or this class for a
// general hotspot (4). Each hotspot listens to every event and state change and
// re-evaluates itself, so hotspots appear, vanish and change meshes as a case advances.
//
// A click inside the region walks (double click: runs) the player to the object of
// interest when it is farther than its radius, then acts by kind: a general or interview
// hotspot opens the multi-cursor, a door goes, a target checks the item in hand. While an
// action runs the scene's input or hotspots are off; every path switches them back on,
// directly or through the callback (navigation, character, sound) that ends it.
//
// Hotspots are never saved: their state lives in events and states.
#pragma once
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "LVector3.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "event/LIEventListener.h"
#include "interview/GMIVoicedLineListener.h"
#include "multicursor/GMIMultiCursorListener.h"
#include "object/LISerializable.h"
#include "object/LWatch.h"
#include "scene/GMICharacterListener.h"
#include "scene/GMINavigationListener.h"
#include "state/LIStateListener.h"

class GMCharacter;
class GMCursor;
class GMMultiCursor;
class GMScene;
class GMVoicedLine;
class LEventManager;
class LGesturePlayer;
class LIDisplayObject;
class LISoundPlayer;
class LMouse;
class LPolygon;
class LPropertyList;
class LScript;
class LStateManager;

class GMHotspot : public LIMouseListener,
                  public LISerializable,
                  public LIEventListener,
                  public LIStateListener,
                  public GMIMultiCursorListener,
                  public GMIVoicedLineListener,
                  public GMINavigationListener,
                  public GMICharacterListener
{
public:
    enum Kind { KIND_NONE = 0, KIND_NAVIGATE = 1, KIND_INTERVIEW = 2, KIND_TARGET = 3, KIND_GENERAL = 4 };
    // Indices of the action table.
    enum Action { ACTION_LOOK = 0, ACTION_COLLECT = 1, ACTION_USE = 2, ACTION_ANALYZE = 3, ACTION_TALK = 4, ACTION_COUNT = 5 };
    // Situations of the voice-over and cut-scene lists.
    enum Situation { SITUATION_LOOK = 0, SITUATION_USE = 1, SITUATION_SATISFIED = 2, SITUATION_UNSATISFIED = 3, SITUATION_COUNT = 4 };
    // Pixels around the boundary's edge that still count as inside.
    static constexpr float kBoundaryTolerance = 2.0f;
    // The speaker of a voice-over whose list names none.
    static constexpr const char16_t* kPlayerKey = u"vedrin";

    struct ActionRecord
    {
        ActionRecord();
        ~ActionRecord();
        ActionRecord(const ActionRecord&) = delete;
        ActionRecord& operator=(const ActionRecord&) = delete;
        LScript* mEnabled = nullptr;
        LVectorString* mDoneEvents = nullptr;
        LVectorString* mStateChanges = nullptr;
    };

    struct ObjectOfInterest
    {
        LVector3 mCoords;  // the point the player turns to face
        LVector2 mVCoords; // the ground point (x, z) walked to, centre of the distance test
        float mRadius = 0.0f;
    };

    // The record of a kind's own data; each kind derives its own.
    struct KindData
    {
        KindData() = default;
        KindData(const KindData&) = delete;
        KindData& operator=(const KindData&) = delete;
        virtual ~KindData();
        LScript* mEnabled = nullptr;
    };

    // Makes the hotspot of the entry's "type" (no case): "navigate", "interview", "target"
    // or "general", loads it from the entry and registers it with the event and state
    // managers. Null for any other type (logged) or a null entry.
    static GMHotspot* Create(const LPropertyList* aEntry);

    // Takes the mouse, the cursor, the multi-cursor and the event and state managers.
    GMHotspot();
    GMHotspot(const GMHotspot&) = delete;
    GMHotspot& operator=(const GMHotspot&) = delete;
    // Leaves the mouse, the multi-cursor, the event and state managers and the navigation.
    ~GMHotspot() override;

    // The mouse (priority 0.0 while input is enabled and the hotspot active).
    void OnDoubleClick(int aButton) override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnWheel(float) override {}
    // The player character: a collect or analyze animation reached its taking point; an
    // action of codes 7 to 10 ended; a turn given this hotspot ended.
    void OnPlayerActionPoint() override;
    void OnPlayerActionDone(int aAction) override;
    void ContinueAction() override;
    // The cursor for the hover state: the roll-over cursor while hovering.
    virtual void UpdateCursor();
    // Reads the hotspot entry (every missing required key is logged and loading goes on
    // with an empty value), then evaluates the hotspot once. Always true.
    virtual bool Load(const LPropertyList* aEntry);
    // Raises the lab-submission events of the item and schedules their results.
    virtual void SendToLab();

    // Hotspots are never saved: nothing read or written, 0.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;
    void OnEvent(LEvent* aEvent) override;
    void OnStateChanged(LIState* aState) override;
    // The multi-cursor's answer (GMMultiCursorAction).
    void OnAction(int aAction) override;
    // The voice-over has ended.
    void OnLineEnded(GMVoicedLine* aLine) override;
    virtual void OnVoiceOverDone();
    // The walk the hotspot waited for has ended.
    void OnNavigationEvent(const LString& aEvent) override;

    // Whether aPoint minus the boundary's position lies in the boundary (edge inside,
    // 2 pixels of tolerance). False without a boundary (logged once per hotspot).
    bool CheckWithin(const LVector2& aPoint);
    // Re-evaluates activity, the display member's and the mesh frame's visibility, and
    // joins or leaves the mouse as activity changes.
    void UpdateActive();
    void SetInputEnabled(bool aEnabled);
    // Raises every event of aEvents and applies every whole triple id, type, value of
    // aChanges (a trailing partial triple is ignored). Either may be null.
    void ApplyActionData(const LVectorString* aEvents, const LVectorString* aChanges);
    LString GetId() const { return mId; }
    // Draws the display member on the 2-D renderer while its visible script holds; true
    // otherwise.
    bool RenderDisplayMember();
    // Prepares the cut-scene player from the situation's cut-scene list and plays its
    // movie; false without a list.
    bool PlayActionCutScene(int aSituation);
    // Plays the situation's voice-over; false when none started.
    bool PlayVoiceOver(int aSituation);
    // Opens the multi-cursor on the hotspot with the actions it offers now and switches
    // the scene's hotspots off: true. False when the menu does not open (it is still on
    // the screen): then nothing changes.
    bool ShowMultiCursor();
    // A walk the scene itself started towards this hotspot has ended.
    void TrackTargetDone();
    // The talk action's interview start: selects the interview, makes this hotspot its
    // talk hotspot and starts it through the scene. On failure ("Start interview
    // failure.") the scene is given its input and hotspots back.
    bool OnTalk();

    int GetKind() const { return mKind; }
    void SetInCloseUp(bool aInCloseUp) { mInCloseUp = aInCloseUp; }
    bool IsInCloseUp() const { return mInCloseUp; }
    bool IsActive() const { return mActive; }
    bool IsInputEnabled() const { return mInputEnabled; }
    bool IsRegistered() const { return mRegistered; }
    bool IsHover() const { return mHover; }
    bool IsPressed() const { return mPressed; }
    bool IsVoicePlaying() const { return mVoicePlaying; }
    bool IsTalkPending() const { return mTalkPending; }
    const LPolygon* GetBoundary() const { return mBoundary; }
    const LVector2& GetBoundaryPosition() const { return mBoundaryPosition; }
    LIDisplayObject* GetDisplayMember() const { return mDisplayMember; }
    const LString& GetMeshFrame() const { return mMeshFrame; }
    const LVector2& GetMultiCursorPosition() const { return mMultiCursorPos; }
    int GetMultiCursorSide() const { return mMultiCursorSide; }
    const LString& GetItem() const { return mItem; }
    int GetCollectAnim() const { return mCollectAnim; }
    int GetCurrentAction() const { return mCurrentAction; }
    const ActionRecord& GetAction(int aIndex) const { return mActions[aIndex]; }
    const ObjectOfInterest* GetObjectOfInterest() const { return mObjectOfInterest; }
    const LVectorString* GetVoiceOvers(int aSituation) const { return mVoiceOvers[aSituation]; }
    const LVectorString* GetCutScenes(int aSituation) const { return mCutScenes[aSituation]; }
    // The voice-over's stream and gestures while they play.
    LISoundPlayer* GetVoiceSound() const;
    LGesturePlayer* GetGesturePlayer() const;
    GMCharacter* GetSpeaker() const { return mSpeaker.Get(); }
    KindData* GetKindData() const { return mKindData; }
    // The index in the action table of a multi-cursor code 1 to 5; -1 for any other.
    static int ActionIndex(int aCode);

protected:
    // The click: walks (aRun false) or runs to the object of interest, then acts.
    void Click(bool aRun);
    // The hover changes (the cursor follows).
    void SetHover(bool aHover);
    // The hover as the mouse stands now: a click counts where the mouse is, not where it
    // was when the hotspot last heard a move.
    void FollowMouse();
    // Acts by kind at once (step 6 of the click).
    void ActByKind(bool aRun);
    // Starts a voice-over: the voiced line aId as the stream aSoundName with the speaker's
    // gestures (or, with aFallbackGesture, one of three gesture animations on the player),
    // lip sync and the subtitle. False when no sound could be made.
    bool StartVoice(const LString& aId, const LString& aSpeakerKey, const LString& aSoundName, bool aFallbackGesture);
    // What every voice-over's end undoes: the subtitle fades out, the line and its parts
    // go.
    void EndVoice();
    // The talk action after its common start.
    void Talk();
    // The hotspot's item goes to the inventory (nothing for an empty item).
    void AddItem();
    // Scene input and lock on or off (outside a close-up only).
    void SetSceneInput(bool aEnabled);
    void SetSceneHotspots(bool aEnabled);
    void RefreshScene();
    // The raised events and scheduled results of two lab pairs.
    void SendPairs(const char16_t* aFirst, const char16_t* aSecond);
    // Makes aRecord the kind's data and reads its "enabled" from "typedata." + aKind; the
    // kind's list, or null (logged) when the entry has none.
    const LPropertyList* LoadKind(const LPropertyList* aEntry, KindData* aRecord, const char* aKind);
    // Raises aId with notification; an event raised before is left as it is.
    void Raise(const LString& aId);
    // Whether aScript is there and holds.
    static bool Evaluate(LScript* aScript);
    // Builds aText into a new script (false when no builder or the build logs a fault:
    // "Create failure.", the script then evaluates false).
    static LScript* BuildScript(const LString& aText);
    // The current item cursor, empty unless the cursor shows an item (13 or 14).
    LString HeldItem() const;
    bool HoldsItem() const;
    // The character of aKey in the scene's table, or null.
    GMCharacter* SceneCharacter(const LString& aKey) const;
    // The walk target has been reached or the player faces the object: turns to it when
    // needed (true: the turn is pending).
    bool TurnToObject();
    // Registers or leaves LMouse.
    void Register(bool aRegister);
    LString PlayedEvent(const LString& aVoiceOverId) const;

    void ReadBoundary(const LPropertyList* aEntry);
    void ReadDisplay(const LPropertyList* aEntry);
    void ReadMesh(const LPropertyList* aEntry);
    void ReadData(const LPropertyList* aData);
    void ReadObjectOfInterest(const LPropertyList* aData);
    // The situation's list of aData's list aList, split at "|" (empty pieces kept with
    // aKeepEmpty); null when it is missing or empty.
    static LVectorString* ReadLists(const LPropertyList* aData, const char16_t* aList, int aSituation, bool aKeepEmpty);

    LPolygon* mBoundary = nullptr;
    LString mId;
    int mKind = KIND_NONE;
    bool mInCloseUp = false;
    LScript* mActiveScript = nullptr;
    bool mActive = false;
    bool mInputEnabled = false;
    bool mRegistered = false;
    bool mTalkPending = false;
    LVector2 mBoundaryPosition;
    LIDisplayObject* mDisplayMember = nullptr;
    LScript* mDisplayScript = nullptr;
    LString mMeshFrame;
    LScript* mMeshScript = nullptr;
    KindData* mKindData = nullptr;
    GMVoicedLine* mVoice = nullptr;
    bool mVoicePlaying = false;
    // A scene character, watched: one deleted while its line plays is left alone.
    LWatch<GMCharacter> mSpeaker;
    bool mHover = false;
    bool mPressed = false;
    LEventManager* mEventManager = nullptr;
    LStateManager* mStateManager = nullptr;
    LMouse* mMouse = nullptr;
    GMCursor* mCursor = nullptr;
    GMMultiCursor* mMultiCursor = nullptr;
    int mCurrentAction = ACTION_LOOK;
    LVector2 mMultiCursorPos;
    LString mItem;
    int mCollectAnim = 0;
    ActionRecord mActions[ACTION_COUNT];
    int mMultiCursorSide = 0;
    ObjectOfInterest* mObjectOfInterest = nullptr;
    LVectorString* mVoiceOvers[SITUATION_COUNT] = {};
    LVectorString* mCutScenes[SITUATION_COUNT] = {};
    // A missing boundary is reported once.
    bool mNoBoundaryLogged = false;
};
