// One topic of an interview with its answers: for each of the five modes of questioning
// (0 "conf", 1 "decp", 2 "flat", 3 "stra", 4 "empa") the sequence the witness answers
// with and what the answer brings about: states that change, events raised, an item for
// the inventory, and whether it counts as good for the meter. Asked in a mode, the topic
// plays the answer; when it has ended it applies the consequences in this order: the
// mode's done events, its state changes, the topic's viewed event, then for a good answer
// the delayed event, bargaining (when the topic opens it), the good meter step and the
// topic's done event, for another answer the bad step; then the item, and the report to
// the interview.
//
// The topic entry's keys: "doneevent", "viewedevent", "dependencies", "modes", "bargain",
// "delayedevent" ("event|delay", the delay in game-clock units). A mode entry is a
// sequence entry with "type", "statechanges" (triples id|type|value), "doneevents" and
// "additem".
#pragma once
#include "container/LString.h"
#include "interview/GMISequenceListener.h"
#include "object/LBase.h"
#include "script/LScript.h"

class GMInterview;
class GMInterviewSequence;
class LPropertyList;
class LVectorString;

class GMInterviewTopic : public LBase, public GMISequenceListener
{
public:
    static constexpr int kModeCount = 5;
    // The kinds of interview that ask.
    static constexpr int KIND_WITNESS = 0;
    static constexpr int KIND_EXPERT = 1;

    GMInterviewTopic();
    GMInterviewTopic(const GMInterviewTopic&) = delete;
    GMInterviewTopic& operator=(const GMInterviewTopic&) = delete;
    ~GMInterviewTopic() override;

    LString Dump() const override;

    // The mode's name ("conf" ...), or empty outside 0 to 4.
    static LString ModeName(int aMode);

    // Reads the topic entry (kept by the caller, as the interview's data list keeps it).
    // Missing parts are logged and left empty; false without an entry.
    bool Create(const LString& aId, LPropertyList* aEntry);
    // Plays the answer of the mode with the done event id + "_" + mode name. A mode that
    // the topic lacks plays nothing: the topic reports done at once, with nothing
    // applied, and the result is false.
    bool Ask(int aMode, GMInterview* aInterview, int aKind);
    // The sequence's end: applies the answer.
    void OnSequenceDone() override { OnAnswerDone(); }
    void OnAnswerDone();

    // The "modes" list (its keys are the modes on offer), or null.
    LPropertyList* GetModes() const { return mModes; }
    const LString& GetId() const { return mId; }
    LScript& GetDependencies() { return mDependencies; }
    const LString& GetDoneEvent() const { return mDoneEvent; }
    const LString& GetViewedEvent() const { return mViewedEvent; }
    const LString& GetDelayedEvent() const { return mDelayedEvent; }
    float GetDelay() const { return mDelay; }
    bool IsGood() const { return mGood; }
    bool IsBargain() const { return mBargain; }
    const LString& GetItem() const { return mItem; }
    GMInterviewSequence* GetAnswer() const { return mAnswer; }

private:
    // Releases the mouse and tells the interview (witness or expert) the topic is done.
    void Report();
    void ApplyLists();
    void ClearAnswer();

    LString mId;
    GMInterview* mInterview = nullptr;
    int mKind = KIND_WITNESS;
    LPropertyList* mModes = nullptr;
    LScript mDependencies;
    LString mDoneEvent;
    LString mViewedEvent;
    LString mDelayedEvent;
    float mDelay = 0.0f;
    bool mGood = false;
    bool mBargain = false;
    GMInterviewSequence* mAnswer = nullptr;
    LVectorString* mStateChanges = nullptr;
    LVectorString* mDoneEvents = nullptr;
    LString mItem;
};
