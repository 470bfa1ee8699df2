// A map from unique string keys to value pointers (held, never owned): a fixed number of
// slots, each an LKeyListString; a key lives in the slot of its first unit mod the slot
// count (the empty key in slot 0). Keys compare exactly unless SetIgnoreCase(true); every
// keyed operation applies the table's own flag. The registry keeps its ids in one and the
// file system its mounted roots. The table body and its rules: see LTableStore.h.
#pragma once
#include "container/LKeyListString.h"
#include "container/LTableStore.h"

class LTableString : public LBase, private LTableStore<LString, LKeyListString, LTableString>
{
    using Store = LTableStore<LString, LKeyListString, LTableString>;
    friend Store;

public:
    LTableString();
    // A slot count below 1 gives 10.
    explicit LTableString(int aSlotCount);
    ~LTableString() override;

    LString Dump() const override;

    using Store::Add;
    using Store::ContainsKey;
    using Store::Get;
    using Store::Remove;
    using Store::RemoveAll;
    using Store::GetCount;
    using Store::GetSlotTotal;
    using Store::GetValues;
    using Store::GetKeys;
    using Store::GetSlotValues;
    using Store::GetSlotKeys;
    using Store::Stub;

    void SetIgnoreCase(bool aIgnoreCase) { mIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return mIgnoreCase; }
    // Entries in the slot; 0 for a slot outside the table.
    int GetSlotCount(int aSlot) const;

private:
    unsigned int SlotIndex(const LString& aKey) const { return aKey.GetLength() > 0 ? aKey.GetBuffer()[0] : 0; }
    // Every keyed operation compares with the table's own case flag.
    void PrepareSlot(LKeyListString* aList) const { aList->SetIgnoreCase(mIgnoreCase); }

    bool mIgnoreCase = false;
};
