// The record an object manager keeps per handle: the handle value (0 while the record is
// null), a lock count, the id bound to the handle and the object, which the record owns.
#pragma once
#include "container/LString.h"

class LHandle
{
public:
    LHandle();
    LHandle(const LHandle&) = delete;
    LHandle& operator=(const LHandle&) = delete;
    // Deletes the object, if any.
    ~LHandle();

    // Gives a null record its id and value; an active record refuses.
    int Activate(const LString& aId, unsigned int aValue);
    int Lock();
    // Never below 0.
    int Unlock();
    bool IsNull() const { return mValue == 0; }
    bool IsLocked() const { return mLockCount > 0; }

    unsigned int GetValue() const { return mValue; }
    int GetLockCount() const { return mLockCount; }
    const LString& GetId() const { return mId; }
    LBase* GetObject() const { return mObject; }
    // The record owns aObject from now on; the previous object is not deleted.
    void SetObject(LBase* aObject) { mObject = aObject; }

private:
    unsigned int mValue = 0;
    int mLockCount = 0;
    LString mId;
    LBase* mObject = nullptr;
};
