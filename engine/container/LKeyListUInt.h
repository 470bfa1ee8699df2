// A small doubly linked list of number-key / value pairs in insertion order; the values
// are held, never owned. Searches are linear from the head; keys need not be unique (the
// first from the head wins). The slot lists of LTableUInt. The list body and its rules:
// see LKeyListStore.h.
#pragma once
#include "container/LKeyListStore.h"
#include "object/LBase.h"

using LKeyListUIntElement = LKeyListElement<unsigned int>;

class LKeyListUInt : public LBase, private LKeyListStore<unsigned int>
{
    using Store = LKeyListStore<unsigned int>;

public:
    LKeyListUInt();
    ~LKeyListUInt() override;

    LString Dump() const override;

    using Store::Add;
    using Store::AddTail;
    using Store::AddHead;
    using Store::AddAt;
    using Store::RemoveAll;
    using Store::GetCount;
    using Store::FindKey;
    using Store::FindValue;
    using Store::ContainsKey;
    using Store::ContainsValue;
    using Store::GetValue;
    using Store::GetValueAt;
    using Store::GetValues;
    using Store::GetKeys;
    using Store::GetHeadElement;
    using Store::GetTailElement;
    using Store::RemoveKey;
    using Store::RemoveAllKey;
    using Store::RemoveAllValue;

    // A null out logs "Invalid argument."; a bad position sets the key to 0 and gives 0.
    int GetKeyAt(int aPosition, unsigned int* aKeyOut) const;
    // Both outs optional; an empty list sets a given value out to null and gives 0.
    int GetHead(unsigned int* aKeyOut, void** aValueOut) const;
    int GetTail(unsigned int* aKeyOut, void** aValueOut) const;

    // Both outs optional. A bad position clears the given outs and gives 0; a value out
    // that does not point at null is refused and the element stays.
    int RemoveAt(int aPosition, unsigned int* aKeyOut, void** aValueOut);
    int RemoveHead(unsigned int* aKeyOut, void** aValueOut);
    int RemoveTail(unsigned int* aKeyOut, void** aValueOut);
    int RemoveValue(const void* aValue);
};
