#include "container/LVector.h"

LVector::LVector()
    : LVectorStore<void*>(L_FILE)
{
}

LVector::LVector(int aCapacity, int aIncrement)
    : LVectorStore<void*>(L_FILE, aCapacity, aIncrement)
{
}

LVector::~LVector() = default;

LString LVector::Dump() const
{
    return DumpHead("LVector") + "]";
}

int LVector::Add(void* aValue)
{
    return LVectorStore<void*>::Add(aValue);
}

int LVector::Append(void* aValue)
{
    return LVectorStore<void*>::InsertAt(mCount, aValue);
}

int LVector::InsertAt(int aIndex, void* aValue)
{
    return LVectorStore<void*>::InsertAt(aIndex, aValue);
}

int LVector::RemoveAt(int aIndex, void** aOut)
{
    return LVectorStore<void*>::RemoveAt(aIndex, aOut);
}

int LVector::Remove(void* aValue)
{
    const int index = Find(aValue);
    if (index == -1) {
        return 0;
    }
    return RemoveAt(index, nullptr);
}

int LVector::RemoveAllOf(void* aValue)
{
    return RemoveWhere([aValue](void* aItem) { return aItem != aValue; }, [](void*) {});
}

void LVector::RemoveAll()
{
    FreeArray();
}

int LVector::Find(void* aValue) const
{
    return FindValue(aValue);
}

bool LVector::Contains(void* aValue) const
{
    return FindValue(aValue) != -1;
}

int LVector::GetAt(int aIndex, void** aOut) const
{
    if (!InRange(aIndex)) {
        Error(__LINE__, LString("aIndex out of range: ") + aIndex);
        return 0;
    }
    if (!aOut || *aOut) {
        Error(__LINE__, "Invalid argument.");
        return 0;
    }
    *aOut = mData[aIndex];
    return 1;
}

void* LVector::GetAt(int aIndex) const
{
    return InRange(aIndex) ? mData[aIndex] : nullptr;
}

int LVector::SetAt(int aIndex, void* aValue, void** aOld)
{
    return LVectorStore<void*>::SetAt(aIndex, aValue, aOld);
}

int LVector::CopyToArray(void*** aOut) const
{
    return LVectorStore<void*>::CopyToArray(aOut);
}
