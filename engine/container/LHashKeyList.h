// An ordered dictionary from string keys to value pointers (held, never freed). Entries
// keep their order of insertion, so they can be walked by position; beside them a table of
// (hash, position) pairs in ascending hash order makes a lookup by key a binary search on
// 32-bit hashes, with string comparisons only among equal hashes.
//
// A lookup always compares keys (without regard to case when the list ignores case), so a
// key never finds another key's value even when their hashes are equal; a list filled by
// unsorted adds is sorted on the next lookup. The base of the property list; the state,
// event and object managers keep their named records in one.
#pragma once
#include "container/LHashPairArray.h"
#include "container/LVector.h"
#include "container/LVectorString.h"

class LHashKeyList : public LBase
{
public:
    LHashKeyList(int aHashShift, bool aIgnoreCase);
    // With the three vectors made at aCapacity slots growing by aIncrement, for the
    // many small lists of a property tree.
    LHashKeyList(int aHashShift, bool aIgnoreCase, int aCapacity, int aIncrement);
    LHashKeyList(const LHashKeyList&) = delete;
    LHashKeyList& operator=(const LHashKeyList&) = delete;
    ~LHashKeyList() override;

    LString Dump() const override;

    // Rotate-and-add over the 16-bit units (shift taken mod 32); with aIgnoreCase the
    // letters A to Z count as a to z. The empty key hashes to 0.
    static unsigned int Hash(const LString& aKey, int aShift, bool aIgnoreCase);

    // Appends the entry. With aKeepSorted the pair goes in hash order and a key already
    // present is refused ("AddAt failure. Duplicate key:", 0); without, it is appended
    // unchecked. Returns the key's hash (0 for the empty key as well as on refusal).
    unsigned int AddAt(const LString& aKey, void* aValue, bool aKeepSorted);
    // As above, moving the key's text into the list (aKey is left empty when it is added).
    unsigned int AddAt(LString&& aKey, void* aValue, bool aKeepSorted);
    // Inserts the entry at aPosition, which must lie in 0..count - 1.
    unsigned int AddAt(int aPosition, const LString& aKey, void* aValue, bool aKeepSorted);

    void* Get(const LString& aKey) const;
    // An entry whose key has that hash, without comparing keys.
    void* Get(unsigned int aHash) const;
    void* operator[](const LString& aKey) const { return Get(aKey); }
    void* operator[](unsigned int aHash) const { return Get(aHash); }
    int IndexOf(const LString& aKey) const;
    // aValueOut is optional; when given it must point at null.
    int RemoveAt(const LString& aKey, void** aValueOut);
    void RemoveAll();

    void* GetAt(int aPosition) const;
    void* operator[](int aPosition) const { return GetAt(aPosition); }
    int GetKeyAt(int aPosition, LString& aKeyOut) const;
    // aArrayOut must point at null; receives a new array (delete[]).
    int GetValueArray(void*** aArrayOut) const;
    int GetKeyArray(LString** aArrayOut) const;

    int GetCount() const { return mKeys.GetCount(); }
    int GetHashShift() const { return mHashShift; }
    // Stored hashes are not recomputed.
    void SetIgnoreCase(bool aIgnoreCase) { mIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return mIgnoreCase; }
    int GetCollisionCount() const { return mCollisionCount; }
    int CountCollisions();
    // Adds 1 to every stored position at or above aFrom.
    void ShiftIndices(int aFrom);
    int Sort();

private:
    LHashPair* PairAt(int aPosition) const;
    // The table position of the pair whose entry has aKey (its hash aHash), or -1.
    int FindPair(const LString& aKey, unsigned int aHash) const;
    bool KeyAt(int aIndex, const LString& aKey) const;
    // Lookups sort a table left unsorted by unsorted adds.
    void EnsureSorted() const;
    // Where a sorted add puts a pair of aHash; -1 when aKey is present already.
    int SortedPlace(const LString& aKey, unsigned int aHash);
    // The append of AddAt; the key is moved from aMovable when given, else copied.
    unsigned int AddKey(const LString& aKey, LString* aMovable, void* aValue, bool aKeepSorted);

    mutable LHashPairArray mPairs;
    LVectorString mKeys;
    LVector mValues;
    int mHashShift;
    mutable bool mSorted = false;
    bool mCollisionsCounted = false;
    int mCollisionCount = 0;
    bool mIgnoreCase;
};
