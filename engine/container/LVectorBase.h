// A growable array of engine objects that the vector owns: RemoveAll and the destructor
// delete every object it still holds (each once, even when it is held twice); objects
// removed one by one, or dropped by a lowered count, are handed back, not deleted.
// Growth and storage rules: see LVectorStore.h.
#pragma once
#include "container/LVectorStore.h"
#include "object/LBase.h"

class LVectorBase : public LBase, private LVectorStore<LBase*>
{
    using Store = LVectorStore<LBase*>;

public:
    LVectorBase();
    LVectorBase(int aCapacity, int aIncrement);
    LVectorBase(const LVectorBase&) = delete;
    LVectorBase& operator=(const LVectorBase&) = delete;
    ~LVectorBase() override;

    LString Dump() const override;

    using Store::GetCount;
    using Store::GetCapacity;
    using Store::GetIncrement;
    using Store::SetIncrement;
    using Store::Grow;
    using Store::Compact;
    using Store::SetCount;

    int Add(LBase* aValue);
    int Append(LBase* aValue);
    int InsertAt(int aIndex, LBase* aValue);
    // aOut is optional; the removed object is not deleted.
    int RemoveAt(int aIndex, LBase** aOut);
    int Remove(LBase* aValue);
    int RemoveAllOf(LBase* aValue);
    // Deletes every object held, then frees the array.
    void RemoveAll();
    int Find(LBase* aValue) const;
    bool Contains(LBase* aValue) const;
    // Overwrites what oppItem points at.
    int GetAt(int aIndex, LBase** oppItem) const;
    // The element; null (logged) outside the elements.
    LBase* operator[](int aIndex) const;
    // Replaces an element within the count; the replaced object is not deleted and goes
    // to aOld when given.
    int SetAt(int aIndex, LBase* aValue, LBase** aOld);
    // Overwrites what aOut points at with a new array (freed with delete[]).
    int CopyToArray(LBase*** aOut) const;
};
