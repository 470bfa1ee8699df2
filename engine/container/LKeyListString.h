// A small doubly linked list of string-key / value pairs in insertion order; the list keeps
// a copy of each key, and holds the values without owning them. Keys compare exactly, or
// without regard to the case of ASCII letters when SetIgnoreCase(true). Searches are
// linear from the head; keys need not be unique (the first from the head wins). The slot
// lists of LTableString. The list body and its rules: see LKeyListStore.h.
#pragma once
#include "container/LKeyListStore.h"
#include "object/LBase.h"

using LKeyListStringElement = LKeyListElement<LString>;

class LKeyListString : public LBase, private LKeyListStore<LString>
{
    using Store = LKeyListStore<LString>;

public:
    LKeyListString();
    ~LKeyListString() override;

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
    using Store::RemoveAt;
    using Store::RemoveKey;
    using Store::RemoveAllKey;
    using Store::RemoveAllValue;

    void SetIgnoreCase(bool aIgnoreCase) { mIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return mIgnoreCase; }

    // A bad position assigns the empty string and gives 0.
    int GetKeyAt(int aPosition, LString& aKeyOut) const;
    // The key is always assigned when there is an element; the value out is optional.
    int GetHead(LString& aKeyOut, void** aValueOut) const;
    int GetTail(LString& aKeyOut, void** aValueOut) const;
    int RemoveHead(LString* aKeyOut, void** aValueOut);
    int RemoveTail(LString* aKeyOut, void** aValueOut);
    // Hands the removed element's key out (optional).
    int RemoveValue(const void* aValue, LString* aKeyOut);
};
