// A map from unique number keys to value pointers (held, never owned): a fixed number of
// slots, each an LKeyListUInt; a key lives in slot key mod slot count. The registry keeps
// its object managers by number in one. The table body and its rules: see LTableStore.h.
#pragma once
#include "container/LKeyListUInt.h"
#include "container/LTableStore.h"

class LTableUInt : public LBase, private LTableStore<unsigned int, LKeyListUInt, LTableUInt>
{
    using Store = LTableStore<unsigned int, LKeyListUInt, LTableUInt>;
    friend Store;

public:
    LTableUInt();
    // A slot count below 1 gives 10.
    explicit LTableUInt(int aSlotCount);
    ~LTableUInt() override;

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

    // Entries in the slot; -1 for a slot outside the table.
    int GetSlotCount(int aSlot) const;

private:
    unsigned int SlotIndex(unsigned int aKey) const { return aKey; }
    void PrepareSlot(LKeyListUInt*) const {}
};
