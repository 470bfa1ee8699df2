// The common body of the number vectors LVectorFloat, LVectorInt and LVectorUInt: 32-bit
// values held by value. Equality is the type's own (for floats a NaN equals nothing and
// 0.0 equals -0.0). Growth and storage rules: see LVectorStore.h.
#pragma once
#include "container/LVectorStore.h"
#include "object/LBase.h"

template <typename T>
class LVectorNumber : public LBase, protected LVectorStore<T>
{
    using Store = LVectorStore<T>;

public:
    using Store::GetCount;
    using Store::GetCapacity;
    using Store::GetIncrement;
    using Store::SetIncrement;
    using Store::Grow;
    using Store::Compact;
    using Store::SetCount;

    int Add(T aValue) { return Store::Add(aValue); }
    // Inserts at the end; a full vector grows by exactly one slot.
    int Append(T aValue) { return Store::InsertAt(this->mCount, aValue); }
    int InsertAt(int aIndex, T aValue) { return Store::InsertAt(aIndex, aValue); }
    // aOut is optional.
    int RemoveAt(int aIndex, T* aOut) { return Store::RemoveAt(aIndex, aOut); }

    int Remove(T aValue)
    {
        const int index = Find(aValue);
        return index == -1 ? 0 : Store::RemoveAt(index, nullptr);
    }

    int RemoveAllOf(T aValue)
    {
        return this->RemoveWhere([aValue](T aItem) { return !(aItem == aValue); }, [](T) {});
    }

    void RemoveAll() { this->FreeArray(); }
    int Find(T aValue) const { return this->FindValue(aValue); }
    bool Contains(T aValue) const { return this->FindValue(aValue) != -1; }

    // Overwrites what aOut points at.
    int GetAt(int aIndex, T* aOut) const
    {
        if (!this->InRange(aIndex)) {
            this->Error(__LINE__, LString("aIndex out of range: ") + aIndex);
            return 0;
        }
        if (!aOut) {
            this->Error(__LINE__, "Invalid argument.");
            return 0;
        }
        *aOut = this->mData[aIndex];
        return 1;
    }

    // The element, or 0 (logged) outside the elements.
    T operator[](int aIndex) const
    {
        if (!this->InRange(aIndex)) {
            this->Error(__LINE__, "Index out of bounds.");
            return T();
        }
        return this->mData[aIndex];
    }

    // aOld is optional; past the end it receives 0.
    int SetAt(int aIndex, T aValue, T* aOld) { return Store::SetAt(aIndex, aValue, aOld); }
    // aOut must point at null; receives a new array that the caller frees with delete[].
    int CopyToArray(T** aOut) const { return Store::CopyToArray(aOut); }

protected:
    explicit LVectorNumber(const char* aSource)
        : Store(aSource)
    {
    }

    LVectorNumber(const char* aSource, int aCapacity, int aIncrement)
        : Store(aSource, aCapacity, aIncrement)
    {
    }

    LVectorNumber(const LVectorNumber& aOther) = default;
    LVectorNumber& operator=(const LVectorNumber& aOther) = default;
};
