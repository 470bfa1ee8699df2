// A map from unique number keys to value pointers (held, never owned): a fixed number of
// slots, each an LKeyListUInt; a key lives in slot key mod slot count. The registry keeps
// its object managers by number in one.
//
// Value outs (an out that receives a value pointer or an array) must be non-null and point
// at null, else "Invalid argument." and 0; arrays handed out are the caller's (delete[]).
#pragma once
#include "object/LBase.h"

class LKeyListUInt;
class LVector;

class LTableUInt : public LBase
{
public:
    LTableUInt();
    // A slot count below 1 gives 10.
    explicit LTableUInt(int aSlotCount);
    LTableUInt(const LTableUInt&) = delete;
    LTableUInt& operator=(const LTableUInt&) = delete;
    ~LTableUInt() override;

    LString Dump() const override;

    // 0 when the key is present already.
    int Add(unsigned int aKey, void* aValue);
    bool ContainsKey(unsigned int aKey) const;
    int Get(unsigned int aKey, void** aValueOut) const;
    // aValueOut is required; it receives the removed value.
    int Remove(unsigned int aKey, void** aValueOut);
    void RemoveAll();
    int GetCount() const { return mCount; }
    int GetSlotTotal() const { return mSlotCount; }
    // Values (keys) slot by slot from slot 0, each slot in its order of adding.
    int GetValues(void*** aArrayOut) const;
    int GetKeys(unsigned int** aArrayOut) const;
    int GetSlotValues(int aSlot, void*** aArrayOut) const;
    int GetSlotKeys(int aSlot, unsigned int** aArrayOut) const;
    // Entries in the slot; -1 for a slot outside the table.
    int GetSlotCount(int aSlot) const;
    int Stub(int);

private:
    LKeyListUInt* SlotOf(unsigned int aKey) const;
    LKeyListUInt* Slot(int aSlot) const;
    bool CheckSlot(int aSlot) const;

    int mCount = 0;
    int mSlotCount = 10;
    LVector* mSlots = nullptr;
};
