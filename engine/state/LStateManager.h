// The game's named states: creates them on demand, changes their values, tells the
// registered listeners (highest priority first) and saves the whole set as one block of
// a saved game (restore id "statemanager"). Ids are lower-cased (A-Z only) whenever they
// are stored or looked up.
//
// Block: the number of states (int), then every record in order of insertion.
#pragma once
#include "container/LHashKeyList.h"
#include "event/LPrioritizedListeners.h"
#include "object/LIRestorable.h"

class LIState;
class LIStateListener;

class LStateManager : public LIRestorable
{
public:
    static LStateManager* Get();

    LStateManager();
    ~LStateManager() override;

    LString Dump() const override;
    int Init(int aParameter) override;

    // Inserts a prepared record; the manager owns it when this returns true. An existing
    // id is replaced only when aReplace is set (false, and the caller keeps the record).
    bool AddState(LIState* aState, bool aNotify, bool aReplace);
    // Sets a state from text, creating it by type name ("boolean", "number", anything
    // else a string) when it is missing.
    bool SetState(const LString& aId, const LString& aTypeName, const LString& aText, bool aNotify);
    // Sets an existing state from text.
    bool SetState(const LString& aId, const LString& aText, bool aNotify);
    bool SetState(const LString& aId, const char16_t* aText, bool aNotify)
    {
        return SetState(aId, LString(aText), aNotify);
    }
    bool SetState(const LString& aId, const char* aText, bool aNotify)
    {
        return SetState(aId, LString(aText), aNotify);
    }
    // Sets an existing state from a raw value of its own type (a byte, a float, an LString).
    bool SetState(const LString& aId, const void* aValue, bool aNotify);

    LIState* GetState(const LString& aId) const;
    bool HasState(const LString& aId) const;
    int GetStateCount() const;
    // The record at a position of the insertion order, or null.
    LIState* GetStateAt(int aIndex) const;
    // Destroys every record, telling nobody.
    void RemoveAllStates();

    bool AddListener(LIStateListener* aListener, float aPriority);
    bool RemoveListener(LIStateListener* aListener);
    // Ends the notification in progress after the current listener (or skips the next).
    void Interrupt();

    int OnSave(LIStream* aStream) override;
    int OnLoad(LIStream* aStream, float aSaveTag) override;

    // Writes the table of states to the log.
    void DumpStates() const;

private:
    void NotifyListeners(LIState* aState);
    // Inserts under the record's id; false (after the message) when the map refuses it.
    bool Insert(LIState* aState);
    void StampTime(LIState* aState) const;

    LHashKeyList mStates;
    LPrioritizedListeners mListeners;
};
