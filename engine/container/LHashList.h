// A list of item pointers (held, never freed), each filed under a 32-bit hash: one the
// caller gives (a handle, say) or the hash of a string key (LHashKeyList::Hash). Items keep
// their order of insertion; beside them one (hash, position) pair per item, in ascending
// hash order, makes every lookup a bisection search. No keys are stored: two keys with the
// same hash are the same entry. In unique mode a hash already present is refused.
//
// The object managers keep their handle records in one and ask it for free handle values.
#pragma once
#include "container/LHashPairArray.h"
#include "container/LVector.h"

class LHashList
{
public:
    LHashList(int aHashShift, bool aIgnoreCase);
    LHashList(const LHashList&) = delete;
    LHashList& operator=(const LHashList&) = delete;
    ~LHashList();

    // The key's hash on success (0 for the empty key), 0 when refused.
    unsigned int Add(const LString& aKey, void* aItem, bool aUnique);
    // 1 on success, 0 when refused.
    int Add(unsigned int aHash, void* aItem, bool aUnique);
    // Inserts the item at aPosition of the items, which must lie in 0..count - 1.
    unsigned int AddAt(int aPosition, const LString& aKey, void* aItem, bool aUnique);
    int AddAt(int aPosition, unsigned int aHash, void* aItem, bool aUnique);
    // aItemOut must be non-null and point at null; it receives the removed item.
    int Remove(const LString& aKey, void** aItemOut);
    int Remove(unsigned int aHash, void** aItemOut);
    void RemoveAll();

    // The item filed under the key's hash; null ("Key not found: " + key) when absent.
    void* GetItem(const LString& aKey);
    // The item filed under the hash, or null.
    void* GetItem(unsigned int aHash);
    void* operator[](const LString& aKey) { return GetItem(aKey); }
    void* operator[](unsigned int aHash) { return GetItem(aHash); }
    bool Contains(unsigned int aHash);
    int IndexOf(const LString& aKey);
    void* GetItemAt(int aPosition) const;
    void* GetAt(int aPosition) const { return GetItemAt(aPosition); }
    // aArrayOut must point at null; receives a new array of the items (delete[]).
    int GetItems(void*** aArrayOut) const;
    int GetCount() const { return mPairs.GetCount(); }
    int GetHashShift() const { return mHashShift; }
    int Sort();

    // A hash that no entry uses: aHash itself when free, else the first free value met
    // walking from aHash up (or down), wrapping from aMax to aMin (or from aMin to aMax);
    // 0 when every value of the range is taken or the range is empty ("Invalid range.").
    unsigned int FindFreeHash(unsigned int aHash, bool aUp, unsigned int aMin, unsigned int aMax);

private:
    unsigned int HashOf(const LString& aKey) const;
    void EnsureSorted();
    int AddHash(unsigned int aHash, void* aItem, bool aUnique, const LString* aKey);
    int AddHashAt(int aPosition, unsigned int aHash, void* aItem, bool aUnique, const LString* aKey);
    int RemoveHash(unsigned int aHash, void** aItemOut);
    void LogDuplicate(unsigned int aHash, const LString* aKey) const;

    LHashPairArray mPairs;
    LVector mItems;
    int mHashShift;
    bool mSorted = false;
    bool mIgnoreCase;
};
