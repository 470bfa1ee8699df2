#include "container/LHashList.h"

#include "container/LHashKeyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <algorithm>
#include <cstdint>

LHashList::LHashList(int aHashShift, bool aIgnoreCase)
    : mHashShift(aHashShift), mIgnoreCase(aIgnoreCase)
{
}

LHashList::~LHashList()
{
    RemoveAll();
}

unsigned int LHashList::HashOf(const LString& aKey) const
{
    return LHashKeyList::Hash(aKey, mHashShift, mIgnoreCase);
}

void LHashList::EnsureSorted()
{
    if (!mSorted) {
        Sort();
    }
}

void LHashList::LogDuplicate(unsigned int aHash, const LString* aKey) const
{
    if (aKey) {
        L_ERROR(LString("Hash matching aKey found in list. aKey: ") + *aKey);
    } else {
        L_ERROR(LString("Hash matching aHash found in list. aHash: ") + aHash);
    }
}

int LHashList::AddHash(unsigned int aHash, void* aItem, bool aUnique, const LString* aKey)
{
    const int index = mItems.GetCount();
    int place = index;
    if (mPairs.GetCount() == 0) {
        mSorted = true;
    } else if (aUnique) {
        EnsureSorted();
        if (mPairs.Search(aHash, &place) >= 0) {
            LogDuplicate(aHash, aKey);
            return 0;
        }
    } else {
        mSorted = false;
        place = mPairs.GetCount();
    }
    if (!mPairs.InsertAt(place, LHashPair(aHash, index))) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    if (!mItems.Add(aItem)) {
        L_ASSERT_FAILURE("");
    }
    return 1;
}

unsigned int LHashList::Add(const LString& aKey, void* aItem, bool aUnique)
{
    const unsigned int hash = HashOf(aKey);
    return AddHash(hash, aItem, aUnique, &aKey) ? hash : 0;
}

int LHashList::Add(unsigned int aHash, void* aItem, bool aUnique)
{
    return AddHash(aHash, aItem, aUnique, nullptr);
}

int LHashList::AddHashAt(int aPosition, unsigned int aHash, void* aItem, bool aUnique, const LString* aKey)
{
    if (aPosition < 0 || aPosition >= mItems.GetCount()) {
        L_ERROR("AddAt failure. Index out of bounds.");
        return 0;
    }
    int place = mPairs.GetCount();
    if (aUnique) {
        EnsureSorted();
        if (mPairs.Search(aHash, &place) >= 0) {
            LogDuplicate(aHash, aKey);
            return 0;
        }
    }
    mPairs.RaiseIndices(aPosition);
    if (!aUnique) {
        mSorted = false;
    }
    if (!mPairs.InsertAt(place, LHashPair(aHash, aPosition))) {
        L_ASSERT_FAILURE("");
    }
    if (!mItems.InsertAt(aPosition, aItem)) {
        L_ASSERT_FAILURE("");
    }
    return 1;
}

unsigned int LHashList::AddAt(int aPosition, const LString& aKey, void* aItem, bool aUnique)
{
    const unsigned int hash = HashOf(aKey);
    return AddHashAt(aPosition, hash, aItem, aUnique, &aKey) ? hash : 0;
}

int LHashList::AddAt(int aPosition, unsigned int aHash, void* aItem, bool aUnique)
{
    return AddHashAt(aPosition, aHash, aItem, aUnique, nullptr);
}

int LHashList::RemoveHash(unsigned int aHash, void** aItemOut)
{
    if (mPairs.GetCount() == 0) {
        L_ERROR("List empty.");
        return 0;
    }
    if (!aItemOut || *aItemOut) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    EnsureSorted();
    const int at = mPairs.Search(aHash, nullptr);
    if (at < 0) {
        return 0;
    }
    const int index = mPairs.At(at).mIndex;
    if (!mPairs.RemoveAt(at) || !mItems.RemoveAt(index, aItemOut)) {
        L_ASSERT_FAILURE("RemoveAt failure.");
    }
    mPairs.LowerIndicesAbove(index);
    return 1;
}

int LHashList::Remove(const LString& aKey, void** aItemOut)
{
    return RemoveHash(HashOf(aKey), aItemOut);
}

int LHashList::Remove(unsigned int aHash, void** aItemOut)
{
    return RemoveHash(aHash, aItemOut);
}

void LHashList::RemoveAll()
{
    mPairs.RemoveAll();
    mItems.RemoveAll();
}

void* LHashList::GetItem(const LString& aKey)
{
    if (mPairs.GetCount() == 0) {
        return nullptr;
    }
    EnsureSorted();
    const int at = mPairs.Search(HashOf(aKey), nullptr);
    if (at < 0) {
        L_ERROR(LString("Key not found: ") + aKey);
        return nullptr;
    }
    return mItems.GetAt(mPairs.At(at).mIndex);
}

void* LHashList::GetItem(unsigned int aHash)
{
    if (mPairs.GetCount() == 0) {
        return nullptr;
    }
    EnsureSorted();
    const int at = mPairs.Search(aHash, nullptr);
    return at < 0 ? nullptr : mItems.GetAt(mPairs.At(at).mIndex);
}

bool LHashList::Contains(unsigned int aHash)
{
    if (mPairs.GetCount() == 0) {
        return false;
    }
    EnsureSorted();
    return mPairs.Search(aHash, nullptr) >= 0;
}

int LHashList::IndexOf(const LString& aKey)
{
    if (mPairs.GetCount() == 0) {
        return -1;
    }
    EnsureSorted();
    const int at = mPairs.Search(HashOf(aKey), nullptr);
    return at < 0 ? -1 : mPairs.At(at).mIndex;
}

void* LHashList::GetItemAt(int aPosition) const
{
    if (aPosition < 0 || aPosition >= mItems.GetCount()) {
        L_ERROR("Index out of bounds.");
        return nullptr;
    }
    return mItems.GetAt(aPosition);
}

int LHashList::GetItems(void*** aArrayOut) const
{
    return mItems.CopyToArray(aArrayOut);
}

int LHashList::Sort()
{
    mSorted = true;
    mPairs.SortByHash();
    return 1;
}

unsigned int LHashList::FindFreeHash(unsigned int aHash, bool aUp, unsigned int aMin, unsigned int aMax)
{
    if (!Contains(aHash)) {
        return aHash;
    }
    if (aMin >= aMax) {
        L_ERROR("Invalid range.");
        return 0;
    }
    // Each value met that is in use is a distinct entry, so after count + 1 distinct values
    // one is free, and after the whole range every value has been met.
    const uint64_t range = static_cast<uint64_t>(aMax) - aMin + 1;
    const uint64_t steps = std::min<uint64_t>(range, static_cast<uint64_t>(mPairs.GetCount()) + 1);
    unsigned int value = aHash;
    for (uint64_t step = 0; step < steps; ++step) {
        if (aUp) {
            value = (value >= aMax || value < aMin) ? aMin : value + 1;
        } else {
            value = (value <= aMin || value > aMax) ? aMax : value - 1;
        }
        if (value == aHash) {
            return 0;
        }
        if (mPairs.Search(value, nullptr) < 0) {
            return value;
        }
    }
    return 0;
}
