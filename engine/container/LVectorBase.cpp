#include "container/LVectorBase.h"

#include <algorithm>
#include <utility>
#include <vector>

LVectorBase::LVectorBase()
    : Store(L_FILE)
{
}

LVectorBase::LVectorBase(int aCapacity, int aIncrement)
    : Store(L_FILE, aCapacity, aIncrement)
{
}

LVectorBase::~LVectorBase()
{
    RemoveAll();
}

LString LVectorBase::Dump() const
{
    return DumpHead("LVectorBase") + "]";
}

int LVectorBase::Add(LBase* aValue)
{
    return Store::Add(aValue);
}

int LVectorBase::Append(LBase* aValue)
{
    return Store::InsertAt(mCount, aValue);
}

int LVectorBase::InsertAt(int aIndex, LBase* aValue)
{
    return Store::InsertAt(aIndex, aValue);
}

int LVectorBase::RemoveAt(int aIndex, LBase** aOut)
{
    return Store::RemoveAt(aIndex, aOut);
}

int LVectorBase::Remove(LBase* aValue)
{
    const int index = Find(aValue);
    return index == -1 ? 0 : Store::RemoveAt(index, nullptr);
}

int LVectorBase::RemoveAllOf(LBase* aValue)
{
    return RemoveWhere([aValue](LBase* aItem) { return aItem != aValue; }, [](LBase*) {});
}

void LVectorBase::RemoveAll()
{
    // In index order, each object once: a pointer held twice is deleted at its first slot.
    std::vector<std::pair<LBase*, int>> order;
    order.reserve(static_cast<size_t>(mCount));
    for (int i = 0; i < mCount; ++i) {
        if (mData[i]) {
            order.emplace_back(mData[i], i);
        }
    }
    std::sort(order.begin(), order.end());
    for (size_t i = 1; i < order.size(); ++i) {
        if (order[i].first == order[i - 1].first) {
            mData[order[i].second] = nullptr;
        }
    }
    for (int i = 0; i < mCount; ++i) {
        LBase* item = mData[i];
        mData[i] = nullptr;
        delete item;
    }
    FreeArray();
}

int LVectorBase::Find(LBase* aValue) const
{
    return FindValue(aValue);
}

bool LVectorBase::Contains(LBase* aValue) const
{
    return FindValue(aValue) != -1;
}

int LVectorBase::GetAt(int aIndex, LBase** oppItem) const
{
    if (!InRange(aIndex)) {
        Error(__LINE__, LString("aIndex out of range: ") + aIndex);
        return 0;
    }
    if (!oppItem) {
        Error(__LINE__, "oppItem == NULL.");
        return 0;
    }
    *oppItem = mData[aIndex];
    return 1;
}

LBase* LVectorBase::operator[](int aIndex) const
{
    if (!InRange(aIndex)) {
        Error(__LINE__, LString("Index out of bounds:") + aIndex);
        return nullptr;
    }
    return mData[aIndex];
}

int LVectorBase::SetAt(int aIndex, LBase* aValue, LBase** aOld)
{
    if (!InRange(aIndex)) {
        Error(__LINE__, "Index out of bounds.");
        return 0;
    }
    if (aOld) {
        *aOld = mData[aIndex];
    }
    mData[aIndex] = aValue;
    return 1;
}

int LVectorBase::CopyToArray(LBase*** aOut) const
{
    if (!aOut) {
        Error(__LINE__, "Invalid argument.");
        return 0;
    }
    *aOut = nullptr;
    if (!HasArray()) {
        return 0;
    }
    LBase** copy = new (mSource, __LINE__) LBase*[mCount > 0 ? mCount : 0]();
    if (!copy) {
        Error(__LINE__, "Could not allocate new array.");
        return 0;
    }
    for (int i = 0; i < mCount; ++i) {
        copy[i] = mData[i];
    }
    *aOut = copy;
    return 1;
}
