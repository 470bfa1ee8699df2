// One scripted stretch of an interview: voiced lines (a sound with the gestures and lip
// sync of its speaking characters), subtitles and camera cuts of the current viewpoint,
// each track started at its own times (seconds after Play). Every track plays at most one
// record per frame. The space bar skips the rest unless the entry says "noskip".
//
// The sequence ends when its last voiced line has ended; one without lines ends once its
// subtitle and cut tracks have played their last record (on the first frame after Play
// when every track is empty), and a line whose sound cannot be started counts as ended at
// once. At the end it raises its done event, cuts to its last camera and tells its
// listener; a bargaining sequence instead hands the interview over to bargaining.
//
// An entry's keys: "noskip", "sounds", "soundtimes", "subtitles" (entries of "font",
// "subtitle", "type"), "subtitletimes", "viewpoints", "viewpointtimes", "targetscene",
// "characters" (per line one to three letters of the interview's characters: primary,
// secondary, tertiary gesture roles; the first one is lip-synced), "bargain".
#pragma once
#include "Input/LIKeyboardListener.h"
#include "container/LString.h"
#include "container/LVector.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "interview/GMIVoicedLineListener.h"
#include "object/LBase.h"
#include "stdlib/LIFrameListener.h"

class GMCharacter;
class GMISequenceListener;
class GMInterview;
class GMSubtitle;
class GMVoicedLine;
class LFrameManager;
class LGesturePlayer;
class LIFont;
class LISoundPlayer;
class LITimer;
class LPropertyList;

class GMInterviewSequence : public LBase, public LIFrameListener, public GMIVoicedLineListener, public LIKeyboardListener
{
public:
    static constexpr int kSpaceKey = 0x39;
    static constexpr float kSubtitleY = 500.0f;

    struct Subtitle
    {
        LIFont* mFont = nullptr;
        LString mText;
        bool mReplace = false;
    };

    GMInterviewSequence();
    GMInterviewSequence(const GMInterviewSequence&) = delete;
    GMInterviewSequence& operator=(const GMInterviewSequence&) = delete;
    // Leaves the frame loop and the keyboard; the line's sound, gestures and lip sync stop.
    ~GMInterviewSequence() override;

    LString Dump() const override;

    // Reads the entry into the tracks. Called again for another entry, every track but
    // the subtitle records takes the new entry's values; the subtitle records of all
    // calls stay, in call order. False (logged) without an entry.
    bool Create(const LString& aDoneEvent, LPropertyList* aEntry, GMInterview* aInterview);
    // Starts the clock and listens to frames and keys; a null listener is logged and the
    // sequence plays all the same.
    bool Play(GMISequenceListener* aListener);
    // The next voiced line; 0 when no sound could be started.
    bool PlaySound();
    bool PlaySubtitle();
    bool PlayViewpoint();

    void OnFrame() override;
    void OnLineEnded(GMVoicedLine* aLine) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;

    const LString& GetDoneEvent() const { return mDoneEvent; }
    const LString& GetTargetScene() const { return mTargetScene; }
    bool IsFinished() const { return mFinished; }
    bool IsNoSkip() const { return mNoSkip; }
    bool IsBargain() const { return mBargain; }
    int GetSubtitleCount() const { return mSubtitles.GetCount(); }
    const Subtitle* GetSubtitle(int aIndex) const;
    const LVectorString& GetSounds() const { return mSounds; }
    const LVectorFloat& GetSoundTimes() const { return mSoundTimes; }
    const LVectorFloat& GetSubtitleTimes() const { return mSubtitleTimes; }
    const LVectorString& GetViewpoints() const { return mViewpoints; }
    const LVectorFloat& GetViewpointTimes() const { return mViewpointTimes; }
    const LVectorString& GetCharacters() const { return mCharacters; }
    // The playing line's stream and gestures, and its lip-synced speaker; null between lines.
    LISoundPlayer* GetSoundPlayer() const;
    LGesturePlayer* GetGesturePlayer() const;
    GMCharacter* GetSpeaker() const;

private:
    static LString StateId(const LString& aName);
    // The next time of a track after its index moved on, or -1.0 when it has no more.
    static float NextTime(const LVectorFloat& aTimes, int aIndex, int aRecords);
    double Now() const;
    void ReadSubtitles(LPropertyList* aEntry);
    void DeleteSubtitles();
    // Stops and forgets the line's sound, gestures and lip sync.
    void StopLine();
    // The line has ended (or could not start): its state goes false and the next line
    // is timed; true when it was the last one.
    bool LineEnded();
    void Listen(bool aListen);
    // Raises the done event and ends as the entry says; the listener may delete this.
    void Finish();
    void ShowObject(const LString& aName) const;
    GMCharacter* Character(char16_t aLetter) const;

    int mSubtitleIndex = 0;
    int mSoundIndex = 0;
    int mViewpointIndex = 0;
    LVector mSubtitles;
    LVectorFloat mSubtitleTimes;
    LVectorString mSounds;
    LVectorFloat mSoundTimes;
    LVectorString mViewpoints;
    LVectorFloat mViewpointTimes;
    LVectorString mCharacters;
    LString mTargetScene;
    bool mNoSkip = false;
    bool mFinished = false;
    LString mDoneEvent;
    bool mBargain = false;
    double mStartTime = 0.0;
    float mNextSoundTime = -1.0f;
    float mNextSubtitleTime = -1.0f;
    float mNextViewpointTime = -1.0f;
    LITimer* mTimer = nullptr;
    LFrameManager* mFrameManager = nullptr;
    GMVoicedLine* mLine = nullptr;
    GMSubtitle* mSubtitle = nullptr;
    GMInterview* mInterview = nullptr;
    GMISequenceListener* mListener = nullptr;
    bool mListening = false;
    // The index of the line whose sound is playing; -1 none.
    int mPlayingLine = -1;
};
