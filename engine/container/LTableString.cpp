#include "container/LTableString.h"

#include "container/LKeyListString.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LTableString::LTableString()
    : LTableString(10)
{
}

LTableString::LTableString(int aSlotCount)
    : mSlotCount(aSlotCount < 1 ? 10 : aSlotCount)
{
    mSlots = L_NEW LVector(mSlotCount, 10);
    if (!mSlots) {
        L_ERROR("Allocation failure.");
        return;
    }
    for (int i = 0; i < mSlotCount; ++i) {
        LKeyListString* list = L_NEW LKeyListString();
        if (!list || !mSlots->Add(list)) {
            delete list;
            L_ERROR("Allocation failure.");
            return;
        }
    }
}

LTableString::~LTableString()
{
    if (mSlots) {
        for (int i = 0; i < mSlots->GetCount(); ++i) {
            delete static_cast<LKeyListString*>(mSlots->GetAt(i));
        }
        delete mSlots;
    }
}

LString LTableString::Dump() const
{
    return DumpHead("LTableString") + "]";
}

LKeyListString* LTableString::Slot(int aSlot) const
{
    return mSlots ? static_cast<LKeyListString*>(mSlots->GetAt(aSlot)) : nullptr;
}

LKeyListString* LTableString::SlotOf(const LString& aKey) const
{
    const unsigned int first = aKey.GetLength() > 0 ? aKey.GetBuffer()[0] : 0;
    LKeyListString* list = Slot(static_cast<int>(first % static_cast<unsigned int>(mSlotCount)));
    if (list) {
        list->SetIgnoreCase(mIgnoreCase);
    }
    return list;
}

int LTableString::Add(const LString& aKey, void* aValue)
{
    LKeyListString* list = SlotOf(aKey);
    if (!list || list->ContainsKey(aKey) || !list->Add(aKey, aValue)) {
        return 0;
    }
    ++mCount;
    return 1;
}

bool LTableString::ContainsKey(const LString& aKey) const
{
    LKeyListString* list = SlotOf(aKey);
    return list && list->ContainsKey(aKey);
}

int LTableString::Get(const LString& aKey, void** aValueOut) const
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListString* list = SlotOf(aKey);
    return list ? list->GetValue(aKey, aValueOut) : 0;
}

int LTableString::Remove(const LString& aKey, void** aValueOut)
{
    if (!aValueOut || *aValueOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LKeyListString* list = SlotOf(aKey);
    if (!list || !list->RemoveKey(aKey, aValueOut)) {
        return 0;
    }
    --mCount;
    return 1;
}

void LTableString::RemoveAll()
{
    for (int i = 0; i < mSlotCount; ++i) {
        if (LKeyListString* list = Slot(i)) {
            list->RemoveAll();
        }
    }
    mCount = 0;
}

int LTableString::GetValues(void*** aArrayOut) const
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
        LKeyListString* list = Slot(i);
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

int LTableString::GetKeys(LString** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    if (!mSlots) {
        return 0;
    }
    LString* array = L_NEW LString[mCount];
    if (!array) {
        return 0;
    }
    int at = 0;
    for (int i = 0; i < mSlotCount; ++i) {
        LKeyListString* list = Slot(i);
        LString* part = nullptr;
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

bool LTableString::CheckSlot(int aSlot) const
{
    if (aSlot < 0 || aSlot >= mSlotCount || !Slot(aSlot)) {
        L_ERROR(LString("Slot index out of bounds: ") + aSlot);
        return false;
    }
    return true;
}

int LTableString::GetSlotValues(int aSlot, void*** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    return CheckSlot(aSlot) ? Slot(aSlot)->GetValues(aArrayOut) : 0;
}

int LTableString::GetSlotKeys(int aSlot, LString** aArrayOut) const
{
    if (!aArrayOut || *aArrayOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    return CheckSlot(aSlot) ? Slot(aSlot)->GetKeys(aArrayOut) : 0;
}

int LTableString::GetSlotCount(int aSlot) const
{
    return CheckSlot(aSlot) ? Slot(aSlot)->GetCount() : 0;
}

int LTableString::Stub(int)
{
    return 0;
}
