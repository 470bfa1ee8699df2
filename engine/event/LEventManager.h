// The set of raised events: raises them (once each), answers whether ids are raised,
// tells the registered listeners (highest priority first) of each newly raised event,
// and saves the set as one block of a saved game (restore id "eventmanager"). Ids are
// lower-cased (A-Z only); the queries take "evtalways"/"evt_always" as always raised and
// "evtnever"/"evt_never" as never raised.
//
// Block: the number of events (int), then every record in the order raised.
#pragma once
#include "container/LHashKeyList.h"
#include "event/LPrioritizedListeners.h"
#include "object/LIRestorable.h"

class LEvent;
class LIEventListener;
class LVectorString;

class LEventManager : public LIRestorable
{
public:
    static LEventManager* Get();

    LEventManager();
    ~LEventManager() override;

    LString Dump() const override;
    int Init(int aParameter) override;

    // Raises aId (made now, at the current clock time).
    bool AddEvent(const LString& aId, bool aNotify);
    // Raises a prepared record, keeping its time; the manager owns it when this returns
    // true, the caller keeps it otherwise.
    bool AddEvent(LEvent* aEvent, bool aNotify);

    bool IsRaised(const LString& aId) const;
    // Every id raised (true for an empty list) / some id raised (false for an empty list).
    bool AllRaised(const LVectorString& aIds) const;
    bool AnyRaised(const LVectorString& aIds) const;

    LEvent* GetEvent(const LString& aId) const;
    int GetEventCount() const;
    // The record at a position of the raising order, or null.
    LEvent* GetEventAt(int aIndex) const;
    // Withdraws a raised event; *aOut must be null on entry and receives the record.
    bool RemoveEvent(const LString& aId, LEvent** aOut);
    // Destroys every record, telling nobody.
    void RemoveAllEvents();
    // Writes the raised ids to the log in raising order, one a line, in a table headed
    // "EVENTS" as the state manager's table of states.
    void DumpEvents() const;

    bool AddListener(LIEventListener* aListener, float aPriority);
    bool RemoveListener(LIEventListener* aListener);
    void Interrupt();

    int OnSave(LIStream* aStream) override;
    int OnLoad(LIStream* aStream, float aSaveTag) override;

private:
    // 1 always raised, 0 never raised, -1 not special.
    static int SpecialAnswer(const LString& aLowerId);
    LEvent* Find(const LString& aLowerId) const;
    void NotifyListeners(LEvent* aEvent);

    LHashKeyList mEvents;
    LPrioritizedListeners mListeners;
};
