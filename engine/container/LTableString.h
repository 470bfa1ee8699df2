// A map from unique string keys to value pointers (held, never owned): a fixed number of
// slots, each an LKeyListString; a key lives in the slot of its first unit mod the slot
// count (the empty key in slot 0). Keys compare exactly unless SetIgnoreCase(true); every
// keyed operation applies the table's own flag. The registry keeps its ids in one and the
// file system its mounted roots.
//
// Value outs (an out that receives a value pointer or an array) must be non-null and point
// at null, else "Invalid argument." and 0; arrays handed out are the caller's (delete[]).
#pragma once
#include "container/LString.h"

class LKeyListString;
class LVector;

class LTableString : public LBase
{
public:
    LTableString();
    // A slot count below 1 gives 10.
    explicit LTableString(int aSlotCount);
    LTableString(const LTableString&) = delete;
    LTableString& operator=(const LTableString&) = delete;
    ~LTableString() override;

    LString Dump() const override;

    // 0 when the key is present already.
    int Add(const LString& aKey, void* aValue);
    bool ContainsKey(const LString& aKey) const;
    int Get(const LString& aKey, void** aValueOut) const;
    // aValueOut is required; it receives the removed value.
    int Remove(const LString& aKey, void** aValueOut);
    void RemoveAll();
    void SetIgnoreCase(bool aIgnoreCase) { mIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return mIgnoreCase; }
    int GetCount() const { return mCount; }
    int GetSlotTotal() const { return mSlotCount; }
    // Values (keys) slot by slot from slot 0, each slot in its order of adding; keys come
    // as new LString[count].
    int GetValues(void*** aArrayOut) const;
    int GetKeys(LString** aArrayOut) const;
    int GetSlotValues(int aSlot, void*** aArrayOut) const;
    int GetSlotKeys(int aSlot, LString** aArrayOut) const;
    // Entries in the slot; 0 for a slot outside the table.
    int GetSlotCount(int aSlot) const;
    int Stub(int);

private:
    // The key's slot list, set to compare with the table's case flag.
    LKeyListString* SlotOf(const LString& aKey) const;
    LKeyListString* Slot(int aSlot) const;
    bool CheckSlot(int aSlot) const;

    bool mIgnoreCase = false;
    int mCount = 0;
    int mSlotCount = 10;
    LVector* mSlots = nullptr;
};
