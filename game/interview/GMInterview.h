// One interview with a witness: the player picks a topic from the topic list, then a tone
// of questioning (a mode), and the witness answers with a sequence chosen by the topic's
// data for that mode; good answers fill the good side of the meter, other answers the bad
// side, and a full side ends the interview.
//
// Made by the interview manager from the interview's data file ("fonts", "characters",
// "topics" and the special sequences "intros", "noinfos", "denied", "exit", "failedexit",
// "bargain") and its subtitle list, and shown in the manager's shared panel. Its listener
// hears 0 when it takes over the screen and 1 when it gives control back.
//
// The topic list's buttons take their looks by meaning: disabled the "x" picture with
// the grey label, down "d" (drawn as "h"), hilighted "h", normal "n", under the mouse "o".
#pragma once
#include "Gdi/LIButtonListener.h"
#include "Input/LIMouseListener.h"
#include "LVector2.h"
#include "container/LHashKeyList.h"
#include "container/LString.h"
#include "interview/GMISequenceListener.h"
#include "object/LBase.h"
#include "object/LWatch.h"
#include "object/LWatched.h"
#include "stdlib/LIFrameListener.h"
#include "ui/GMIScreenFaderListener.h"

#include <cstddef>

class GMCharacter;
class GMHotspot;
class GMICharacterListener;
class GMIInterviewListener;
class GMInterviewMeter;
class GMInterviewScrollBar;
class GMInterviewSequence;
class GMInterviewTopic;
class GMInterviewTopicArea;
class GMScene;
class LButton;
class LDisplayGroup;
class LIFont;
class LPropertyList;
class LStateManager;
class LToolTip;
class LVectorString;

class GMInterview : public LBase,
                    public LIButtonListener,
                    public LIFrameListener,
                    public LIMouseListener,
                    public GMISequenceListener,
                    public GMIScreenFaderListener,
                    public LWatched
{
public:
    static constexpr int kModeCount = 5;
    static constexpr float kLabelX = 15.0f;
    static constexpr float kLabelY = 6.0f;
    static constexpr float kLabelZ = 5.0f;
    static constexpr float kMiddleScaleX = 12.0f;
    static constexpr float kRightCapShift = 135.0f;
    // A look of a topic button: its state, the label's id suffix and the picture's letter.
    struct TopicLook
    {
        int mState;
        const char* mSuffix;
        const char* mLetter;
    };

    GMInterview();
    GMInterview(const GMInterview&) = delete;
    GMInterview& operator=(const GMInterview&) = delete;
    ~GMInterview() override;

    LString Dump() const override;
    virtual LString GetType() const;

    // Reads the interview's data (taking the list over) and loads its subtitle list from
    // "//interviews/" + aSubtitlesName; false (logged) when that list does not load.
    virtual bool Create(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName);
    // Builds the topic list from the data's "topics".
    virtual bool SetupTopicArea(LPropertyList* aDataList);
    // A topic button's picture for one state: the layout's "misc.topicbutton" + aLetter
    // built into a group aId + "topicbutton"; null when the layout lacks it (logged).
    LDisplayGroup* BuildTopicButton(const LString& aId, const LString& aLetter);

    // The subtitle text of a key; a missing key gives an empty text (logged) and 1; 0
    // without a subtitle list.
    int GetSubtitle(const LString& aKey, LString& aOut) const;
    LIFont* GetFont(const LString& aKey) const;
    // The scene character of a key of the data's "characters", or null.
    GMCharacter* GetCharacter(const LString& aKey) const;
    // The characters in table order; null past the end and for one that has gone.
    int GetCharacterCount() const;
    GMCharacter* GetCharacterAt(int aIndex) const;
    GMInterviewTopic* GetTopic(const LString& aKey) const;
    int GetTopicCount() const { return mTopics.GetCount(); }

    // Told 0 when the interview takes over and 1 when it gives control back; null is
    // logged and stored all the same.
    int SetListener(GMIInterviewListener* aListener);
    GMIInterviewListener* GetListener() const { return mListener; }
    void NotifyListener(int aCode);

    // The answers' meter steps (called by the topics); a side reaching 99 makes the meter
    // report to this interview when its glow has flashed.
    virtual void ApplyGoodStep();
    virtual void ApplyBadStep();
    // A topic's answer has ended: no topic is selected and the interview is not busy.
    void OnTopicDone();
    // Gives control back: characters stand, topics off, the bar back, the panel and the
    // mouse released, the listener told 1. Unless aAfterFade, the characters resume,
    // the scene's own camera returns, the cut scenes of this interview are asked for and
    // a talk hotspot has the player rise from the chair.
    void End(bool aAfterFade = false);
    // The end of a good bargaining answer or sequence: the state "bargaining_" + id +
    // "_active" becomes true, the interview ends and the PDA opens on the inventory.
    void OpenBargaining();

    // The scene helpers the interview's parts share: a cut of the current scene's
    // viewpoint ("-" its own camera), its player and characters, their reset after an
    // interview, and the scene's input with its hotspots.
    static void SetSceneCut(const LString& aCut);
    static GMCharacter* ScenePlayer();
    static GMCharacter* SceneCharacter(const LString& aName);
    static void ResetSceneCharacters();
    static void SetSceneInput(bool aEnabled);

    // Where the interview panel stands on the screen.
    void SetInterviewPosition(const LVector2& aPosition) { mPosition = aPosition; }
    const LVector2& GetInterviewPosition() const { return mPosition; }
    const LString& GetId() const { return mId; }
    void SetWitness(const LString& aWitness) { mWitness = aWitness; }
    const LString& GetWitnessId() const { return mWitness; }
    // The hotspot whose talk action started the interview; at the end the player rises
    // from the chair with it as the action's listener. The template form takes both
    // from the hotspot where its class is known.
    template <typename THotspot>
    void SetTalkHotspot(THotspot* aHotspot)
    {
        SetTalkHotspot(aHotspot, aHotspot);
    }
    void SetTalkHotspot(std::nullptr_t) { SetTalkHotspot(nullptr, nullptr); }
    // Both are watched: a hotspot deleted meanwhile is as if none had been set.
    void SetTalkHotspot(GMHotspot* aHotspot, GMICharacterListener* aRiseListener);
    GMHotspot* GetTalkHotspot() const { return mTalkHotspot.Get(); }
    GMICharacterListener* GetRiseListener() const { return mRiseListener.Get(); }
    void SetPhoneCall(bool aPhoneCall) { mPhoneCall = aPhoneCall; }
    bool IsPhoneCall() const { return mPhoneCall; }

    // The key of the selected topic; empty when none.
    LString GetCurrentTopic() const { return mCurrentTopic; }
    // The shared scroll bar of the interview panel (not owned); null until started.
    GMInterviewScrollBar* GetScrollBar() const { return mScrollBar.Get(); }
    // The topic list (owned); null until the topics are read.
    GMInterviewTopicArea* GetTopicArea() const { return mTopicArea.Get(); }
    bool IsBusy() const { return mBusy; }
    bool IsMeterFull() const { return mMeterFull; }
    bool IsEndAfterSequence() const { return mEndAfterSequence; }
    const LString& GetDenialStateId() const { return mDenialStateId; }
    const LString& GetNoInfoStateId() const { return mNoInfoStateId; }
    LToolTip* GetModeTooltip() const { return mModeTooltip; }
    // The mode tooltip text of a mode index, or empty.
    LString GetTooltipText(int aMode) const;
    // The meter the answers' steps go to and the steps (the shared meter and the steps
    // worked out from the topics on offer are set when the interview starts).
    void SetMeter(GMInterviewMeter* aMeter, float aGoodStep, float aBadStep);
    GMInterviewMeter* GetMeter() const { return mMeter.Get(); }

    // Starting, the openings, input and the end of a run.
    // Takes the shared panel, works out the meter steps from the topics on offer, shows
    // the panel and plays the opening: bargaining, denial, no more information or the
    // intros. True.
    virtual bool Start();
    // From the start until the interview has ended.
    bool IsRunning() const { return mRunning; }
    float GetGoodStep() const { return mGoodStep; }
    float GetBadStep() const { return mBadStep; }
    GMInterviewSequence* GetSequence() const { return mSequence; }
    // Whether the witness refuses to talk, so soon after a failed interview (a draw of
    // the random generator against a threshold by skill and time since the failure).
    bool IsDenied();
    void OnButton(const LString& aId, int aEvent) override;
    void OnFrame() override;
    void OnDoubleClick(int aButton) override;
    void OnButtonDown(int aButton) override;
    void OnMove(const LVector2& aPosition) override;
    void OnButtonUp(int aButton) override;
    void OnWheel(float aDelta) override;
    // Called by the meter when a side has filled and its glow has flashed.
    bool OnMeterFull(bool aGood);
    void OnSequenceDone() override;
    void OnFade(int aEvent) override;

protected:
    // What follows a sequence's end: nothing, the interview's end, or the topics again.
    enum class AfterSequence { kNothing, kEnd, kTopics };

    // The common end of a sequence: the played sequence deleted (it touches nothing of
    // itself after telling its end), the interview no longer busy and the topics brought up
    // to date; when the interview's end or the topics were asked for, the request is taken
    // back, the subtitle faded out and the request returned.
    AfterSequence CloseSequence();
    // A text of a list, or aDefault when the list lacks the key.
    static LString TextOr(const LPropertyList* aList, const char* aKey, const char* aDefault);
    // The id, the states, the data list, the subtitle list, the fonts, characters and
    // topics of Create; false (logged) when the subtitle list does not load.
    bool ReadData(const LString& aDataName, LPropertyList* aDataList, const LString& aSubtitlesName);
    // The title (the subtitle of its "name") and the "level" of a topic entry; a missing
    // key is logged and leaves its text empty.
    void ReadTopicHeading(LPropertyList* aEntry, LString& aTitle, LString& aLevel) const;
    // One state picture of a topic button: the layout's picture for aLetter (an empty
    // group when the layout lacks it) with the label aId at (15, aLabelY), in grey when
    // aDisabled.
    LDisplayGroup* BuildTopicPicture(const LString& aId, const LString& aLetter, bool aDisabled,
                                     const LString& aLabel, float aLabelY);
    // The button tells this interview; it follows the mouse only while its list is shown.
    void ListenToTopicButton(LButton* aButton);
    // "//textures/interview/interview_layout.txt", loaded once; null (logged) when it
    // does not load.
    LPropertyList* InterviewLayout();
    // The panel follows the mouse from here until the button comes up.
    void StartDrag();
    // A busy interview takes the mouse's moves (the cursor follows), a dragged panel
    // follows them; true when the move was taken.
    bool FollowMouse(const LVector2& aPosition);
    void MakeModeTooltip();
    void ReadTooltipTexts();
    void MakeStates();
    void ReadFonts();
    void ReadCharacters();
    void ReadTopics();
    void DeleteTopics();
    // Takes the topic list out of the panel it is in and deletes it.
    void DeleteTopicArea();
    // A topic button with one picture per look, the label aLabel at (15, aLabelY); it
    // tells this interview and follows the mouse only while its list is shown.
    LButton* MakeTopicButton(const LString& aKey, const LString& aLabel, const TopicLook (&aLooks)[5], float aLabelY);
    void ApplyStep(bool aGood);

    bool PlayIntros();
    bool PlayNoInfo();
    bool PlaySpecial(const char* aKey);
    bool PlayBargaining();
    void ShowTopics();
    int PickIndex(int aCount);
    void AttachTopicArea();
    void StopTooltip();
    void SelectTopic(const LString& aId);
    void AskMode(int aMode);
    // The special sequence made from aEntry (or an empty one, which ends at once, when the
    // entry is missing) replaces the playing one and plays with the mouse locked.
    bool PlaySequence(LPropertyList* aEntry, const LString& aDoneEvent);
    // The mode buttons and the panel's buttons are listened to (or let go of).
    void ListenToButtons(bool aListen);
    void ShowModes(bool aShown);
    // Lets go of the shared panel's buttons, the mouse, the frame manager and the fader.
    void ReleasePanel();

    void DeleteCharacters();

    // What the interview shows and tells but does not own is watched: its end turns the
    // member null, whatever is deleted first.
    LWatch<GMHotspot> mTalkHotspot;
    LWatch<GMICharacterListener> mRiseListener;
    LString mId;
    // Topic key -> topic (owned).
    LHashKeyList mTopics {7, false};
    // Owned, but a member of the shared panel, which may be deleted first: watched.
    LWatch<GMInterviewTopicArea> mTopicArea;
    LString mCurrentTopic;
    bool mBusy = false;
    // Font key -> font (not owned).
    LHashKeyList mFonts {7, false};
    LPropertyList* mDataList = nullptr;
    LPropertyList* mSubtitleList = nullptr;
    GMInterviewSequence* mSequence = nullptr;
    bool mContinueToTopics = false;
    bool mEndAfterSequence = false;
    bool mMeterFull = false;
    LString mDenialStateId;
    LString mNoInfoStateId;
    bool mPhoneCall = false;
    // Character key -> watch of the scene character (table and watches owned).
    LHashKeyList* mCharacters = nullptr;
    LString mWitness;
    LStateManager* mStateManager = nullptr;
    LWatch<LDisplayGroup> mPanel;
    LVector2 mPosition {0.0f, 0.0f};
    bool mDragging = false;
    LVector2 mDragOffset {0.0f, 0.0f};
    LWatch<GMInterviewScrollBar> mScrollBar;
    LWatch<LDisplayGroup> mModeGroup;
    LWatch<LButton> mModeButtons[kModeCount];
    LWatch<GMInterviewMeter> mMeter;
    float mGoodStep = 0.0f;
    float mBadStep = 0.0f;
    LPropertyList* mTopicButtonLayout = nullptr;
    int mHoveredMode = -1;
    int mTooltipMode = kModeCount;
    bool mTooltipPending = false;
    bool mTooltipShown = false;
    float mHoverStart = -1.0f;
    LToolTip* mModeTooltip = nullptr;
    LVectorString* mTooltipTexts = nullptr;
    GMIInterviewListener* mListener = nullptr;
    bool mBuildingTopics = false;
    bool mRunning = false;
};
