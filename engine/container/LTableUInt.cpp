#include "container/LTableUInt.h"

#include "container/LKeyListUInt.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LTableUInt::LTableUInt()
    : LTableUInt(10)
{
}

LTableUInt::LTableUInt(int aSlotCount)
    : mSlotCount(aSlotCount < 1 ? 10 : aSlotCount)
{
    mSlots = L_NEW LVector(mSlotCount, 10);
    if (!mSlots) {
        L_ERROR("Allocation failure.");
        return;
    }
    for (int i = 0; i < mSlotCount; ++i) {
        LKeyListUInt* list = L_NEW LKeyListUInt();
        if (!list || !mSlots->Add(list)) {
            delete list;
            L_ERROR("Allocation failure.");
            return;
        }
    }
}

LTableUInt::~LTableUInt()
{
    if (mSlots) {
        for (int i = 0; i < mSlots->GetCount(); ++i) {
            delete static_cast<LKeyListUInt*>(mSlots->GetAt(i));
        }
        delete mSlots;
    }
}

LString LTableUInt::Dump() const
{
    return DumpHead("LTableUInt") + "]";
}

LKeyListUInt* LTableUInt::Slot(int aSlot) const
{
    return mSlots ? static_cast<LKeyListUInt*>(mSlots->GetAt(aSlot)) : nullptr;
}

LKeyListUInt* LTableUInt::SlotOf(unsigned int aKey) const
{
    return Slot(static_cast<int>(aKey % static_cast<unsigned int>(mSlotCount)));
}

int LTableUInt::Add(unsigned int aKey, void* aValue)
{
    LKeyListUInt* list = SlotOf(aKey);
    if (!list || list->ContainsKey(aKey) || !list->Add(aKey, aValue)) {
        return 0;
    }
    ++mCount;
    return 1;
}

bool LTableUInt::ContainsKey(unsigned int aKey) const
{
    LKeyListUInt* list = SlotOf(aKey);
    return list && list->ContainsKey(aKey);
}

int LTableUInt::Get(unsigned int aKey, void** aValueOut) const
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListUInt* list = SlotOf(aKey);
    return list ? list->GetValue(aKey, aValueOut) : 0;
}

int LTableUInt::Remove(unsigned int aKey, void** aValueOut)
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListUInt* list = SlotOf(aKey);
    if (!list || !list->RemoveKey(aKey, aValueOut)) {
        return 0;
    }
    --mCount;
    return 1;
}

void LTableUInt::RemoveAll()
{
    for (int i = 0; i < mSlotCount; ++i) {
        if (LKeyListUInt* list = Slot(i)) {
            list->RemoveAll();
        }
    }
    mCount = 0;
}

int LTableUInt::GetValues(void*** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    if (!mSlots) {
        return 0;
    }
    void** array = L_NEW void*[mCount]();
    if (!array) {
        return 0;
    }
    int at = 0;
    for (int i = 0; i < mSlotCount; ++i) {
        LKeyListUInt* list = Slot(i);
        void** part = nullptr;
        if (!list || !list->GetValues(&part)) {
            continue;
        }
        for (int j = 0; j < list->GetCount() && at < mCount; ++j) {
            array[at++] = part[j];
        }
        delete[] part;
    }
    *aArrayOut = array;
    return 1;
}

int LTableUInt::GetKeys(unsigned int** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    if (!mSlots) {
        return 0;
    }
    unsigned int* array = L_NEW unsigned int[mCount]();
    if (!array) {
        return 0;
    }
    int at = 0;
    for (int i = 0; i < mSlotCount; ++i) {
        LKeyListUInt* list = Slot(i);
        unsigned int* part = nullptr;
        if (!list || !list->GetKeys(&part)) {
            continue;
        }
        for (int j = 0; j < list->GetCount() && at < mCount; ++j) {
            array[at++] = part[j];
        }
        delete[] part;
    }
    *aArrayOut = array;
    return 1;
}

bool LTableUInt::CheckSlot(int aSlot) const
{
    if (aSlot < 0 || aSlot >= mSlotCount || !Slot(aSlot)) {
        L_ERROR(LString("Slot index out of bounds: ") + aSlot);
        return false;
    }
    return true;
}

int LTableUInt::GetSlotValues(int aSlot, void*** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    return CheckSlot(aSlot) ? Slot(aSlot)->GetValues(aArrayOut) : 0;
}

int LTableUInt::GetSlotKeys(int aSlot, unsigned int** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    return CheckSlot(aSlot) ? Slot(aSlot)->GetKeys(aArrayOut) : 0;
}

int LTableUInt::GetSlotCount(int aSlot) const
{
    return CheckSlot(aSlot) ? Slot(aSlot)->GetCount() : -1;
}

int LTableUInt::Stub(int)
{
    return 0;
}
