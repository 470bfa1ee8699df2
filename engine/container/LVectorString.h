// A growable array of strings. The vector keeps its own heap copy of every string put into
// it and deletes the copies it drops. A gap slot (left by an insertion past the end or a
// raised count) holds no string and reads as an empty string. Growth and storage rules:
// see LVectorStore.h.
#pragma once
#include "container/LVectorStore.h"
#include "object/LBase.h"

class LVectorString : public LBase, private LVectorStore<LString*>
{
    using Store = LVectorStore<LString*>;

public:
    LVectorString();
    LVectorString(int aCapacity, int aIncrement);
    // An independent copy: capacity, increment, count, case flag and new copies of the
    // strings (gap slots become empty strings).
    LVectorString(const LVectorString& aOther);
    LVectorString& operator=(const LVectorString& aOther);
    ~LVectorString() override;

    LString Dump() const override;

    using Store::GetCount;
    using Store::GetCapacity;
    using Store::GetIncrement;
    using Store::SetIncrement;
    using Store::Grow;
    using Store::Compact;

    int Add(const LString& aValue);
    // Adds the string itself: its text moves into the vector's copy, leaving aValue empty.
    int Add(LString&& aValue);
    // Inserts at the end; a full vector grows by exactly one slot.
    int Append(const LString& aValue);
    int InsertAt(int aIndex, const LString& aValue);
    // Replaces (and deletes) the string the slot held, growing as the index needs.
    int SetAt(int aIndex, const LString& aValue);
    int RemoveAt(int aIndex);
    int Remove(const LString& aValue);
    int RemoveAllOf(const LString& aValue);
    void RemoveAll();
    int SetCount(int aCount);
    int Find(const LString& aValue) const;
    bool Contains(const LString& aValue) const;
    // Assigns a copy of the element to aOut (cleared for a gap slot).
    int GetAt(int aIndex, LString& aOut) const;
    // A copy of the element; an empty string (logged) outside the elements.
    LString operator[](int aIndex) const;
    // The element itself, without a copy; an empty string for a gap slot or (silently)
    // outside the elements. Valid until the vector next changes.
    const LString& GetRef(int aIndex) const;
    // aOut must point at null; receives new LString[count], freed with delete[].
    int CopyToArray(LString** aOut) const;
    // Appends copies of aCount strings of apArray.
    int AddArray(const LString* apArray, int aCount);
    void SetIgnoreCase(bool aIgnoreCase);
    bool GetIgnoreCase() const { return mIgnoreCase; }

private:
    LString* NewCopy(const LString& aValue) const;
    bool Matches(const LString* aSlot, const LString& aValue) const;
    void CopyStringsFrom(const LVectorString& aOther);
    void DeleteStrings();

    bool mIgnoreCase = false;
};
