// The body shared by the two bucket tables, LTableUInt and LTableString: a map from unique
// keys to value pointers (held, never owned) made of a fixed number of slots, each a linked
// key list (List) of the keys that fall in it. Which slot a key falls in is the table's own
// rule (SlotIndex of the table class). Each table inherits this privately and exposes the
// operations that apply to it; messages are logged under the table's own source file.
//
// Value outs (an out that receives a value pointer or an array) must be non-null and point
// at null, else "Invalid argument." and 0; arrays handed out are the caller's (delete[]).
#pragma once
#include "container/LString.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

template <typename Key, typename List, typename Table>
class LTableStore
{
public:
    LTableStore(const LTableStore&) = delete;
    LTableStore& operator=(const LTableStore&) = delete;

    // 0 when the key is present already.
    int Add(const Key& aKey, void* aValue)
    {
        List* list = SlotOf(aKey);
        if (!list || list->ContainsKey(aKey) || !list->Add(aKey, aValue)) {
            return 0;
        }
        ++mCount;
        return 1;
    }

    bool ContainsKey(const Key& aKey) const
    {
        List* list = SlotOf(aKey);
        return list && list->ContainsKey(aKey);
    }

    int Get(const Key& aKey, void** aValueOut) const
    {
        if (!CheckOut(aValueOut, __LINE__)) {
            return 0;
        }
        List* list = SlotOf(aKey);
        return list ? list->GetValue(aKey, aValueOut) : 0;
    }

    // aValueOut is required; it receives the removed value.
    int Remove(const Key& aKey, void** aValueOut)
    {
        if (!CheckOut(aValueOut, __LINE__)) {
            return 0;
        }
        List* list = SlotOf(aKey);
        if (!list || !list->RemoveKey(aKey, aValueOut)) {
            return 0;
        }
        --mCount;
        return 1;
    }

    void RemoveAll()
    {
        for (int i = 0; i < mSlotCount; ++i) {
            if (List* list = Slot(i)) {
                list->RemoveAll();
            }
        }
        mCount = 0;
    }

    int GetCount() const { return mCount; }
    int GetSlotTotal() const { return mSlotCount; }

    // Values (keys) slot by slot from slot 0, each slot in its order of adding.
    int GetValues(void*** aArrayOut) const
    {
        return Collect(aArrayOut, [](List* aList, void*** aPart) { return aList->GetValues(aPart); });
    }

    int GetKeys(Key** aArrayOut) const
    {
        return Collect(aArrayOut, [](List* aList, Key** aPart) { return aList->GetKeys(aPart); });
    }

    int GetSlotValues(int aSlot, void*** aArrayOut) const
    {
        if (!CheckOut(aArrayOut, __LINE__)) {
            return 0;
        }
        return CheckSlot(aSlot) ? Slot(aSlot)->GetValues(aArrayOut) : 0;
    }

    int GetSlotKeys(int aSlot, Key** aArrayOut) const
    {
        if (!CheckOut(aArrayOut, __LINE__)) {
            return 0;
        }
        return CheckSlot(aSlot) ? Slot(aSlot)->GetKeys(aArrayOut) : 0;
    }

    int Stub(int) { return 0; }

protected:
    // A slot count below 1 gives 10.
    LTableStore(const char* aSource, int aSlotCount)
        : mSlotCount(aSlotCount < 1 ? 10 : aSlotCount), mSource(aSource)
    {
        mSlots = new (mSource, __LINE__) LVector(mSlotCount, 10);
        if (!mSlots) {
            LogEntry("ERROR: ", mSource, __LINE__, "Allocation failure.");
            return;
        }
        for (int i = 0; i < mSlotCount; ++i) {
            List* list = new (mSource, __LINE__) List();
            if (!list || !mSlots->Add(list)) {
                delete list;
                LogEntry("ERROR: ", mSource, __LINE__, "Allocation failure.");
                return;
            }
        }
    }

    ~LTableStore()
    {
        if (mSlots) {
            for (int i = 0; i < mSlots->GetCount(); ++i) {
                delete static_cast<List*>(mSlots->GetAt(i));
            }
            delete mSlots;
        }
    }

    List* Slot(int aSlot) const
    {
        return mSlots ? static_cast<List*>(mSlots->GetAt(aSlot)) : nullptr;
    }

    bool CheckSlot(int aSlot) const
    {
        if (aSlot < 0 || aSlot >= mSlotCount || !Slot(aSlot)) {
            LogEntry("ERROR: ", mSource, __LINE__, LString("Slot index out of bounds: ") + aSlot);
            return false;
        }
        return true;
    }

    int mCount = 0;
    int mSlotCount = 10;
    LVector* mSlots = nullptr;
    const char* mSource;

private:
    // The key's slot list, made ready to compare by the table's rules.
    List* SlotOf(const Key& aKey) const
    {
        const Table* table = static_cast<const Table*>(this);
        List* list = Slot(static_cast<int>(table->SlotIndex(aKey) % static_cast<unsigned int>(mSlotCount)));
        if (list) {
            table->PrepareSlot(list);
        }
        return list;
    }

    template <typename T>
    bool CheckOut(T** aOut, int aLine) const
    {
        if (!aOut || *aOut) {
            LogEntry("ERROR: ", mSource, aLine, "Invalid argument.");
            return false;
        }
        return true;
    }

    // A new array of count entries filled slot by slot from each list's own array.
    template <typename T, typename Part>
    int Collect(T** aArrayOut, Part aPart) const
    {
        if (!CheckOut(aArrayOut, __LINE__)) {
            return 0;
        }
        if (!mSlots) {
            return 0;
        }
        T* array = new (mSource, __LINE__) T[mCount]();
        if (!array) {
            return 0;
        }
        int at = 0;
        for (int i = 0; i < mSlotCount; ++i) {
            List* list = Slot(i);
            T* part = nullptr;
            if (!list || !aPart(list, &part)) {
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
};
