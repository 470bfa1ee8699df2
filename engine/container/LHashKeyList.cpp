#include "container/LHashKeyList.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <algorithm>

LHashKeyList::LHashKeyList(int aHashShift, bool aIgnoreCase)
    : mHashShift(aHashShift), mIgnoreCase(aIgnoreCase)
{
}

LHashKeyList::LHashKeyList(int aHashShift, bool aIgnoreCase, int aCapacity, int aIncrement)
    : mPairs(aCapacity, aIncrement), mKeys(aCapacity, aIncrement), mValues(aCapacity, aIncrement),
      mHashShift(aHashShift), mIgnoreCase(aIgnoreCase)
{
}

LHashKeyList::~LHashKeyList()
{
    RemoveAll();
}

LString LHashKeyList::Dump() const
{
    return DumpHead("LHashKeyList") + "]";
}

unsigned int LHashKeyList::Hash(const LString& aKey, int aShift, bool aIgnoreCase)
{
    const unsigned int shift = static_cast<unsigned int>(aShift) & 31u;
    const char16_t* units = aKey.GetBuffer();
    unsigned int hash = 0;
    for (int i = 0; i < aKey.GetLength() && units[i] != 0; ++i) {
        unsigned int unit = units[i];
        if (aIgnoreCase && unit >= 65 && unit <= 90) {
            unit += 32;
        }
        const unsigned int rotated = shift == 0 ? hash : (hash << shift) | (hash >> (32u - shift));
        hash = rotated + unit;
    }
    return hash;
}

LHashPair* LHashKeyList::PairAt(int aPosition) const
{
    return &mPairs.At(aPosition);
}

bool LHashKeyList::KeyAt(int aIndex, const LString& aKey) const
{
    return aIndex >= 0 && aIndex < mKeys.GetCount() && mKeys.GetRef(aIndex).Equals(aKey, mIgnoreCase);
}

void LHashKeyList::EnsureSorted() const
{
    if (!mSorted) {
        const_cast<LHashKeyList*>(this)->Sort();
    }
}

int LHashKeyList::FindPair(const LString& aKey, unsigned int aHash) const
{
    if (mPairs.GetCount() == 0) {
        return -1;
    }
    EnsureSorted();
    int hit = mPairs.Search(aHash, nullptr);
    if (hit < 0) {
        return -1;
    }
    while (hit > 0 && PairAt(hit - 1)->mHash == aHash) {
        --hit;
    }
    for (int i = hit; i < mPairs.GetCount() && PairAt(i)->mHash == aHash; ++i) {
        if (KeyAt(PairAt(i)->mIndex, aKey)) {
            return i;
        }
    }
    return -1;
}

int LHashKeyList::SortedPlace(const LString& aKey, unsigned int aHash)
{
    EnsureSorted();
    if (!mCollisionsCounted) {
        CountCollisions();
    }
    int insertAt = 0;
    int hit = mPairs.Search(aHash, &insertAt);
    if (hit < 0) {
        return insertAt;
    }
    ++mCollisionCount;
    int last = hit;
    while (last + 1 < mPairs.GetCount() && PairAt(last + 1)->mHash == aHash) {
        ++last;
    }
    for (int i = last; i >= 0 && PairAt(i)->mHash == aHash; --i) {
        if (KeyAt(PairAt(i)->mIndex, aKey)) {
            L_ERROR(LString("AddAt failure. Duplicate key:") + aKey);
            return -1;
        }
    }
    return last + 1;
}

unsigned int LHashKeyList::AddAt(const LString& aKey, void* aValue, bool aKeepSorted)
{
    return AddKey(aKey, nullptr, aValue, aKeepSorted);
}

unsigned int LHashKeyList::AddAt(LString&& aKey, void* aValue, bool aKeepSorted)
{
    return AddKey(aKey, &aKey, aValue, aKeepSorted);
}

unsigned int LHashKeyList::AddKey(const LString& aKey, LString* aMovable, void* aValue, bool aKeepSorted)
{
    const unsigned int hash = Hash(aKey, mHashShift, mIgnoreCase);
    const int index = mKeys.GetCount();
    int place = index;
    if (index == 0) {
        mCollisionsCounted = true;
        mCollisionCount = 0;
        mSorted = true;
    } else if (aKeepSorted) {
        place = SortedPlace(aKey, hash);
        if (place < 0) {
            return 0;
        }
    } else {
        mSorted = false;
        mCollisionsCounted = false;
    }
    if (!mPairs.InsertAt(place, LHashPair(hash, index))) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    const int added = aMovable ? mKeys.Add(static_cast<LString&&>(*aMovable)) : mKeys.Add(aKey);
    if (!added || !mValues.Add(aValue)) {
        L_ASSERT_FAILURE("");
    }
    return hash;
}

unsigned int LHashKeyList::AddAt(int aPosition, const LString& aKey, void* aValue, bool aKeepSorted)
{
    if (aPosition < 0 || aPosition >= mKeys.GetCount()) {
        L_ERROR("AddAt failure. Index out of bounds.");
        return 0;
    }
    const unsigned int hash = Hash(aKey, mHashShift, mIgnoreCase);
    int place = mPairs.GetCount();
    if (aKeepSorted) {
        place = SortedPlace(aKey, hash);
        if (place < 0) {
            return 0;
        }
    } else {
        mSorted = false;
        mCollisionsCounted = false;
    }
    ShiftIndices(aPosition);
    if (!mPairs.InsertAt(place, LHashPair(hash, aPosition))) {
        L_ASSERT_FAILURE("");
    }
    if (!mKeys.InsertAt(aPosition, aKey) || !mValues.InsertAt(aPosition, aValue)) {
        L_ASSERT_FAILURE("");
    }
    return hash;
}

void* LHashKeyList::Get(const LString& aKey) const
{
    const int at = FindPair(aKey, Hash(aKey, mHashShift, mIgnoreCase));
    return at < 0 ? nullptr : mValues.GetAt(PairAt(at)->mIndex);
}

void* LHashKeyList::Get(unsigned int aHash) const
{
    if (mPairs.GetCount() == 0) {
        return nullptr;
    }
    EnsureSorted();
    const int at = mPairs.Search(aHash, nullptr);
    return at < 0 ? nullptr : mValues.GetAt(PairAt(at)->mIndex);
}

int LHashKeyList::IndexOf(const LString& aKey) const
{
    const int at = FindPair(aKey, Hash(aKey, mHashShift, mIgnoreCase));
    return at < 0 ? -1 : PairAt(at)->mIndex;
}

int LHashKeyList::RemoveAt(const LString& aKey, void** aValueOut)
{
    if (aValueOut && *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    const int at = FindPair(aKey, Hash(aKey, mHashShift, mIgnoreCase));
    if (at < 0) {
        return 0;
    }
    const int index = PairAt(at)->mIndex;
    if (!mPairs.RemoveAt(at) || !mKeys.RemoveAt(index) || !mValues.RemoveAt(index, aValueOut)) {
        L_ASSERT_FAILURE("RemoveAt failure.");
    }
    mPairs.LowerIndicesAbove(index);
    return 1;
}

void LHashKeyList::RemoveAll()
{
    mPairs.RemoveAll();
    mKeys.RemoveAll();
    mValues.RemoveAll();
}

void* LHashKeyList::GetAt(int aPosition) const
{
    if (aPosition < 0 || aPosition >= mValues.GetCount()) {
        L_ERROR("Index out of bounds.");
        return nullptr;
    }
    return mValues.GetAt(aPosition);
}

int LHashKeyList::GetKeyAt(int aPosition, LString& aKeyOut) const
{
    if (aPosition < 0 || aPosition >= mKeys.GetCount()) {
        L_ERROR("Index out of bounds.");
        return 0;
    }
    return mKeys.GetAt(aPosition, aKeyOut);
}

int LHashKeyList::GetValueArray(void*** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    void** array = L_NEW void*[mValues.GetCount()]();
    if (!array) {
        return 0;
    }
    for (int i = 0; i < mValues.GetCount(); ++i) {
        array[i] = mValues.GetAt(i);
    }
    *aArrayOut = array;
    return 1;
}

int LHashKeyList::GetKeyArray(LString** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    LString* array = L_NEW LString[mKeys.GetCount()];
    if (!array) {
        return 0;
    }
    for (int i = 0; i < mKeys.GetCount(); ++i) {
        mKeys.GetAt(i, array[i]);
    }
    *aArrayOut = array;
    return 1;
}

int LHashKeyList::CountCollisions()
{
    int count = 0;
    unsigned int previous = 0;
    for (int i = 0; i < mPairs.GetCount(); ++i) {
        const unsigned int hash = PairAt(i)->mHash;
        if (hash == previous) {
            ++count;
        }
        previous = hash;
    }
    mCollisionCount = count;
    return count;
}

void LHashKeyList::ShiftIndices(int aFrom)
{
    mPairs.RaiseIndices(aFrom);
}

int LHashKeyList::Sort()
{
    mSorted = true;
    mPairs.SortByHash();
    return 1;
}
