// The engine's general list: untyped pointers that the vector holds but never deletes.
// Listener lists, the slot lists of the bucket tables and the pair and value lists of the
// hashed lists are LVectors. Growth and storage rules: see LVectorStore.h.
#pragma once
#include "container/LVectorStore.h"
#include "object/LBase.h"

class LVector : public LBase, private LVectorStore<void*>
{
public:
    LVector();
    LVector(int aCapacity, int aIncrement);
    LVector(const LVector&) = delete;
    LVector& operator=(const LVector&) = delete;
    ~LVector() override;

    LString Dump() const override;

    using LVectorStore<void*>::GetCount;
    using LVectorStore<void*>::GetCapacity;
    using LVectorStore<void*>::GetIncrement;
    using LVectorStore<void*>::SetIncrement;
    using LVectorStore<void*>::Grow;
    using LVectorStore<void*>::Compact;
    using LVectorStore<void*>::SetCount;
    using LVectorStore<void*>::SetArray;

    int Add(void* aValue);
    // Inserts at the end; a full vector grows by exactly one slot.
    int Append(void* aValue);
    int InsertAt(int aIndex, void* aValue);
    // aOut is optional.
    int RemoveAt(int aIndex, void** aOut);
    int Remove(void* aValue);
    int RemoveAllOf(void* aValue);
    void RemoveAll();
    int Find(void* aValue) const;
    bool Contains(void* aValue) const;
    // aOut must point at null.
    int GetAt(int aIndex, void** aOut) const;
    // The element, or null (silently) outside the elements.
    void* GetAt(int aIndex) const;
    // aOld is optional; past the end it receives null.
    int SetAt(int aIndex, void* aValue, void** aOld);
    // aOut must point at null; receives a new array that the caller frees with delete[].
    int CopyToArray(void*** aOut) const;
};
