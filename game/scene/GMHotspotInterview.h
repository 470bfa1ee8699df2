// A witness or expert: the multi-cursor offers talk, which starts the hotspot's
// interview. With bargaining data the witness first wants an item (or one of two): while
// the state "bargaining_" + interview id + "_active" holds, a click with the item in hand
// raises the solved event and starts the interview, a click with nothing in hand plays the
// no-item line.
#pragma once
#include "scene/GMHotspot.h"

class GMHotspotInterview : public GMHotspot
{
public:
    // The interview panel's place when the data gives none.
    static constexpr float kDefaultX = 20.0f;
    static constexpr float kDefaultY = 200.0f;

    struct Record : KindData
    {
        LString mInterviewId;
        LVector2 mPosition;
        LString mWitness;
        LString mItem;
        LString mSolvedEvent;
        LString mVoiceOvers;
        LString mEvents;
        LString mNoItem;
        bool mSeated = false;
    };

    GMHotspotInterview();
    ~GMHotspotInterview() override;

    // The base data, then "typedata.interview" and the witness of the interview list.
    bool Load(const LPropertyList* aEntry) override;
    // With active bargaining: the target cursor, highlighted over an item in hand.
    void UpdateCursor() override;
    void SendToLab() override;
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // The click on a hotspot with a bargaining item.
    void StartInterview();
    // A bargaining line: sound "bargainVO", no "_played" event, no fallback gesture.
    bool PlayBargainVoiceOver(const LString& aId, const LString& aSpeaker);

    const Record* GetRecord() const { return static_cast<const Record*>(mKindData); }
    LString GetBargainingItem() const;
    // Whether the state "bargaining_" + interview id + "_active" exists and is true.
    bool IsBargainingActive() const;

private:
    // The held item against two bargaining items; false when a line was played instead
    // of going on to the interview.
    bool BargainTwo(const LString& aHeld, const LString& aItems);
    void StartTalk();
};
