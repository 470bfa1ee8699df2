// One raised event: its lower-cased id (A-Z only) and the story time at which it was
// made, the time of the current game clock.
//
// Stream form: id (string), time (float).
#pragma once
#include "container/LString.h"
#include "object/LBase.h"
#include "object/LISerializable.h"

class LEvent : public LBase, public LISerializable
{
public:
    // An empty record, for reading: no id, time 0; the game clock is not consulted.
    LEvent();
    // Takes the current game clock's time.
    explicit LEvent(const LString& aId);
    LEvent(const LString& aId, float aTime);
    ~LEvent() override;

    LString Dump() const override;

    LString GetId() const { return mId; }
    float GetTime() const { return mTime; }

    // Reading keeps the id as stored.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

private:
    LString mId;
    float mTime = 0.0f;
};
