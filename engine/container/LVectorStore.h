// The storage and growth rules shared by the vector family (LVector, LVectorString,
// LVectorFloat, LVectorInt, LVectorUInt, LVectorBase). Each member class inherits this
// privately and exposes the operations that apply to it; messages are logged under the
// member's own source file.
//
// The rules: the whole capacity is allocated and zero-filled at once; Add grows by the
// increment when full, every other growth is by exactly what is needed; an index past the
// end is accepted by insertion and leaves a gap of zero elements; insertion and removal in
// the middle rebuild a fresh zero-filled array of the whole capacity; the slots from count
// to capacity - 1 always hold zero. Every refused call logs one entry and returns 0.
// A vector made with no slots allocates nothing until it first grows (most such vectors,
// like the item lists of a tree's cells, never do), yet answers as if it held an empty
// array: CopyToArray hands out one.
#pragma once
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <climits>

template <typename T>
class LVectorStore
{
public:
    static constexpr int kDefaultCapacity = 1000;
    static constexpr int kDefaultIncrement = 100;

    int GetCount() const { return mCount; }
    int GetCapacity() const { return mCapacity; }
    int GetIncrement() const { return mIncrement; }

    int SetIncrement(int aIncrement)
    {
        if (aIncrement < 1) {
            Error(__LINE__, LString("Increment out of range: ") + aIncrement);
            return 0;
        }
        mIncrement = aIncrement;
        return 1;
    }

    // Raises the capacity by aAmt zero slots.
    int Grow(int aAmt)
    {
        if (aAmt < 0) {
            Error(__LINE__, LString("aAmt < 0: ") + aAmt);
            return 0;
        }
        if (aAmt == 0) {
            return 1;
        }
        if (aAmt > INT_MAX - mCapacity) {
            Error(__LINE__, LString("aAmt out of range: ") + aAmt);
            return 0;
        }
        T* fresh = CopyOf(mData, mCount, mCapacity + aAmt);
        if (!fresh) {
            return 0;
        }
        delete[] mData;
        mData = fresh;
        mCapacity += aAmt;
        return 1;
    }

protected:
    explicit LVectorStore(const char* aSource)
        : mSource(aSource)
    {
        Allocate(kDefaultCapacity);
    }

    LVectorStore(const char* aSource, int aCapacity, int aIncrement)
        : mSource(aSource)
    {
        if (aCapacity < 0) {
            Error(__LINE__, "Capacity out of range, using 10.");
            aCapacity = 10;
        }
        if (aIncrement < 1) {
            Error(__LINE__, "Increment out of range, using 10.");
            aIncrement = 10;
        }
        mIncrement = aIncrement;
        Allocate(aCapacity);
    }

    // A copy of every slot of the source, capacity included.
    LVectorStore(const LVectorStore& aOther)
        : mSource(aOther.mSource)
    {
        CopyFrom(aOther);
    }

    LVectorStore& operator=(const LVectorStore& aOther)
    {
        if (this != &aOther) {
            delete[] mData;
            mData = nullptr;
            mEmptyArray = false;
            mCapacity = 0;
            mCount = 0;
            CopyFrom(aOther);
        }
        return *this;
    }

    ~LVectorStore() { delete[] mData; }

    void Error(int aLine, const LString& aMessage) const
    {
        LogEntry("ERROR: ", mSource, aLine, aMessage);
    }

    void Warning(int aLine, const LString& aMessage) const
    {
        LogEntry("WARNING: ", mSource, aLine, aMessage);
    }

    // A zero-filled array of aCount slots, or null (logged) when it cannot be had.
    T* NewArray(int aCount) const
    {
        T* array = new (mSource, __LINE__) T[aCount > 0 ? aCount : 0]();
        if (!array) {
            Error(__LINE__, "Array allocation failed.");
        }
        return array;
    }

    // A zero-filled array of aCapacity slots holding the first aCount values of aSource.
    T* CopyOf(const T* aSource, int aCount, int aCapacity) const
    {
        T* array = NewArray(aCapacity);
        for (int i = 0; array && i < aCount; ++i) {
            array[i] = aSource[i];
        }
        return array;
    }

    bool InRange(int aIndex) const { return aIndex >= 0 && aIndex < mCount; }

    int Add(T aValue)
    {
        if (mCount == mCapacity && !Grow(mIncrement)) {
            return 0;
        }
        mData[mCount++] = aValue;
        return 1;
    }

    int InsertAt(int aIndex, T aValue)
    {
        if (aIndex < 0) {
            Warning(__LINE__, LString("aIndex < 0: ") + aIndex);
            return 0;
        }
        if (aIndex >= mCount) {
            if (aIndex >= mCapacity) {
                if (aIndex == INT_MAX || !Grow(aIndex - mCapacity + 1)) {
                    return 0;
                }
            }
            mData[aIndex] = aValue;
            mCount = aIndex + 1;
            return 1;
        }
        if (mCount == mCapacity && !Grow(mIncrement)) {
            return 0;
        }
        // Shifted in place: the array has a free slot past the last value.
        for (int i = mCount; i > aIndex; --i) {
            mData[i] = mData[i - 1];
        }
        mData[aIndex] = aValue;
        ++mCount;
        return 1;
    }

    int RemoveAt(int aIndex, T* aOut)
    {
        if (!InRange(aIndex)) {
            Warning(__LINE__, LString("aIndex out of range: ") + aIndex);
            return 0;
        }
        if (aOut) {
            *aOut = mData[aIndex];
        }
        // Shifted in place; the freed last slot is zeroed like every slot past the count.
        for (int i = aIndex + 1; i < mCount; ++i) {
            mData[i - 1] = mData[i];
        }
        mData[mCount - 1] = T();
        --mCount;
        return 1;
    }

    // Keeps, in order, the elements for which aKeep says true; aDrop sees the others.
    template <typename Keep, typename Drop>
    int RemoveWhere(Keep aKeep, Drop aDrop)
    {
        if (mCount < 1) {
            return 1;
        }
        T* fresh = NewArray(mCapacity);
        if (!fresh) {
            return 0;
        }
        int kept = 0;
        for (int i = 0; i < mCount; ++i) {
            if (aKeep(mData[i])) {
                fresh[kept++] = mData[i];
            } else {
                aDrop(mData[i]);
            }
        }
        delete[] mData;
        mData = fresh;
        mCount = kept;
        return 1;
    }

    // Stores into any slot, growing by exactly what the index needs; the previous content
    // (zero past the end) goes to aOld when given.
    int SetAt(int aIndex, T aValue, T* aOld)
    {
        if (aIndex < 0) {
            Error(__LINE__, LString("aIndex < 0: ") + aIndex);
            return 0;
        }
        if (aIndex >= mCapacity) {
            if (aIndex == INT_MAX || !Grow(aIndex + 1 - mCapacity)) {
                return 0;
            }
        }
        if (aOld) {
            *aOld = mData[aIndex];
        }
        mData[aIndex] = aValue;
        if (aIndex >= mCount) {
            mCount = aIndex + 1;
        }
        return 1;
    }

    // Raises the count over zero slots, or lowers it and zeroes the slots given up (the
    // caller drops what they held first).
    int SetCount(int aCount)
    {
        if (aCount < 0) {
            Error(__LINE__, LString("aCount < 0: ") + aCount);
            return 0;
        }
        if (aCount == mCount) {
            return 1;
        }
        if (aCount > mCapacity) {
            if (aCount > INT_MAX - mIncrement || !Grow(aCount - mCapacity + mIncrement)) {
                return 0;
            }
        } else if (aCount < mCount) {
            for (int i = aCount; i < mCount; ++i) {
                mData[i] = T();
            }
        }
        mCount = aCount;
        return 1;
    }

    // Frees the array: no slots, count and capacity 0, the increment kept.
    void FreeArray()
    {
        delete[] mData;
        mData = nullptr;
        mEmptyArray = false;
        mCapacity = 0;
        mCount = 0;
    }

    int Compact()
    {
        if (mCount < 1) {
            FreeArray();
            return 1;
        }
        if (mCapacity != mCount) {
            T* fresh = CopyOf(mData, mCount, mCount);
            if (!fresh) {
                return 0;
            }
            delete[] mData;
            mData = fresh;
            mCapacity = mCount;
        }
        return 1;
    }

    int FindValue(T aValue) const
    {
        for (int i = 0; i < mCount; ++i) {
            if (mData[i] == aValue) {
                return i;
            }
        }
        return -1;
    }

    // Value-out rule: aOut non-null and pointing at null; receives a new array of exactly
    // the elements, which the caller frees with delete[].
    int CopyToArray(T** aOut) const
    {
        return CopyOut(aOut, [](T aSlot, T& aTo) { aTo = aSlot; });
    }

    // The same for an array of another type U, each entry set from its slot by aCopy.
    template <typename U, typename Copy>
    int CopyOut(U** aOut, Copy aCopy) const
    {
        if (!aOut || *aOut) {
            Error(__LINE__, "Invalid argument.");
            return 0;
        }
        if (!HasArray()) {
            *aOut = nullptr;
            return 0;
        }
        U* copy = new (mSource, __LINE__) U[mCount > 0 ? mCount : 0]();
        if (!copy) {
            Error(__LINE__, "Could not allocate new array.");
            return 0;
        }
        for (int i = 0; i < mCount; ++i) {
            aCopy(mData[i], copy[i]);
        }
        *aOut = copy;
        return 1;
    }

    // Appends aCount values, growing by exactly the shortfall.
    int AddArray(const T* apArray, int aCount)
    {
        return AppendArray(apArray, aCount, [](const T& aValue, T& aSlot) {
            aSlot = aValue;
            return true;
        });
    }

    // The same for an array of another type U, each slot made from its entry by aMake
    // (false: out of memory, the rest is not added).
    template <typename U, typename Make>
    int AppendArray(const U* apArray, int aCount, Make aMake)
    {
        if (!apArray) {
            Error(__LINE__, "Invalid arg. apArray == NULL.");
            return 0;
        }
        if (aCount < 0 || aCount > INT_MAX - mCount) {
            Error(__LINE__, LString("Invalid arg. aCount: ") + aCount);
            return 0;
        }
        if (mCount + aCount > mCapacity && !Grow(mCount + aCount - mCapacity)) {
            return 0;
        }
        for (int i = 0; i < aCount; ++i) {
            if (!aMake(apArray[i], mData[mCount])) {
                return 0;
            }
            ++mCount;
        }
        return 1;
    }

    // Replaces the storage of a vector without elements by a copy of aSize values.
    int SetArray(const T* apArray, int aSize)
    {
        if (aSize < 0) {
            Error(__LINE__, LString("Invalid arg. aSize: ") + aSize);
            return 0;
        }
        if (mCount >= 1) {
            Error(__LINE__, "Cannot replace existing items. Size must be 0.");
            return 0;
        }
        if (aSize > 0 && !apArray) {
            Error(__LINE__, "Invalid arg. apArray == NULL.");
            return 0;
        }
        T* fresh = CopyOf(apArray, aSize, aSize);
        if (!fresh) {
            return 0;
        }
        delete[] mData;
        mData = fresh;
        mCount = aSize;
        mCapacity = aSize;
        return 1;
    }

    // Whether there is an array, allocated or the empty one not yet allocated.
    bool HasArray() const { return mData || mEmptyArray; }

    T* mData = nullptr;
    // Set while a vector made with no slots has allocated nothing (mData null).
    bool mEmptyArray = false;
    int mCapacity = 0;
    int mIncrement = kDefaultIncrement;
    int mCount = 0;
    const char* mSource;

private:
    void Allocate(int aCapacity)
    {
        if (aCapacity == 0) {
            mEmptyArray = true;
            return;
        }
        mData = new (mSource, __LINE__) T[aCapacity]();
        if (!mData) {
            Error(__LINE__, "Allocation failure.");
            return;
        }
        mCapacity = aCapacity;
    }

    void CopyFrom(const LVectorStore& aOther)
    {
        mIncrement = aOther.mIncrement;
        if (!aOther.mData) {
            mEmptyArray = aOther.mEmptyArray;
            return;
        }
        mData = CopyOf(aOther.mData, aOther.mCapacity, aOther.mCapacity);
        if (!mData) {
            return;
        }
        mCapacity = aOther.mCapacity;
        mCount = aOther.mCount;
    }
};
