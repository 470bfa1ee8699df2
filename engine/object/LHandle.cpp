#include "object/LHandle.h"

#include "stdlib/LLog.h"

LHandle::LHandle() = default;

LHandle::~LHandle()
{
    delete mObject;
    mObject = nullptr;
}

int LHandle::Activate(const LString& aId, unsigned int aValue)
{
    if (!IsNull()) {
        L_ASSERT_FAILURE("Handle already active.");
        return 0;
    }
    mId = aId;
    mValue = aValue;
    return 1;
}

int LHandle::Lock()
{
    if (IsNull()) {
        L_WARNING("Attempted to lock null handle.");
        return 0;
    }
    ++mLockCount;
    return 1;
}

int LHandle::Unlock()
{
    if (IsNull()) {
        L_WARNING("Attempted to unlock null handle.");
        return 0;
    }
    if (--mLockCount < 0) {
        mLockCount = 0;
    }
    return 1;
}
