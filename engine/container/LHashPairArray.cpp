#include "container/LHashPairArray.h"

#include "memory/LMemoryManager.h"

#include <algorithm>

LHashPairArray::LHashPairArray(int aCapacity, int aIncrement)
    : mIncrement(aIncrement > 0 ? aIncrement : 16)
{
    if (aCapacity > 0) {
        mPairs = new (L_FILE, __LINE__) LHashPair[aCapacity];
        mCapacity = mPairs ? aCapacity : 0;
    }
}

LHashPairArray::~LHashPairArray()
{
    delete[] mPairs;
}

int LHashPairArray::Grow()
{
    if (mCapacity > 0x3FFFFFFF - mIncrement) {
        return 0;
    }
    // Grow by the increment, or by half the size for long lists, so adding stays cheap.
    const int step = std::max(mIncrement, mCapacity / 2);
    const int capacity = mCapacity + step;
    LHashPair* fresh = new (L_FILE, __LINE__) LHashPair[capacity];
    if (!fresh) {
        return 0;
    }
    std::copy(mPairs, mPairs + mCount, fresh);
    delete[] mPairs;
    mPairs = fresh;
    mCapacity = capacity;
    return 1;
}

int LHashPairArray::InsertAt(int aPosition, const LHashPair& aPair)
{
    if (aPosition < 0 || aPosition > mCount) {
        return 0;
    }
    if (mCount == mCapacity && !Grow()) {
        return 0;
    }
    std::copy_backward(mPairs + aPosition, mPairs + mCount, mPairs + mCount + 1);
    mPairs[aPosition] = aPair;
    ++mCount;
    return 1;
}

int LHashPairArray::RemoveAt(int aPosition)
{
    if (aPosition < 0 || aPosition >= mCount) {
        return 0;
    }
    std::copy(mPairs + aPosition + 1, mPairs + mCount, mPairs + aPosition);
    --mCount;
    return 1;
}

void LHashPairArray::SortByHash()
{
    std::stable_sort(mPairs, mPairs + mCount,
                     [](const LHashPair& aLeft, const LHashPair& aRight) { return aLeft.mHash < aRight.mHash; });
}

int LHashPairArray::Search(unsigned int aHash, int* aInsertAt) const
{
    int low = 0;
    int high = mCount - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const unsigned int hash = mPairs[middle].mHash;
        if (hash == aHash) {
            return middle;
        }
        if (aHash > hash) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    if (aInsertAt) {
        *aInsertAt = low;
    }
    return -1;
}

void LHashPairArray::RaiseIndices(int aFrom)
{
    for (int i = 0; i < mCount; ++i) {
        if (mPairs[i].mIndex >= aFrom) {
            ++mPairs[i].mIndex;
        }
    }
}

void LHashPairArray::LowerIndicesAbove(int aIndex)
{
    for (int i = 0; i < mCount; ++i) {
        if (mPairs[i].mIndex > aIndex) {
            --mPairs[i].mIndex;
        }
    }
}
