#include "object/LRestoreManager.h"

#include "container/LString.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "object/LIRestorable.h"
#include "object/LRestoreRecord.h"
#include "stdlib/LSingleton.h"
#include "stdlib/LGameObjectManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

namespace {

LSingleton<LRestoreManager> sRestoreManager;

} // namespace

LRestoreManager* LRestoreManager::Get()
{
    return sRestoreManager.Get(L_FILE, __LINE__, "LRestoreManager creation failed.");
}

LRestoreManager::LRestoreManager()
    : mGameObjectManager(LGameObjectManager::Get())
{
}

LRestoreManager::~LRestoreManager()
{
    sRestoreManager.Destroyed(this);
}

LString LRestoreManager::Dump() const
{
    return DumpHead("LRestoreManager") + "]";
}

int LRestoreManager::AddRestorable(LIRestorable* aRestorable)
{
    if (!aRestorable) {
        L_ERROR(u"AddRestorable failure. Invalid argument.");
        return 0;
    }
    if (mRestorables.Find(aRestorable) >= 0) {
        L_ERROR(u"AddRestorable failure. Already added.");
        return 0;
    }
    if (aRestorable->GetRestoreId().IsEmpty()) {
        L_ERROR(u"AddRestorable failure. ID undefined.");
        return 0;
    }
    if (!mRestorables.Add(aRestorable)) {
        L_ERROR(u"AddRestorable failure.");
        return 0;
    }
    return 1;
}

int LRestoreManager::RemoveRestorable(LIRestorable* aRestorable)
{
    const int at = mRestorables.Find(aRestorable);
    if (at < 0) {
        L_ERROR(u"RemoveRestorable failure. Not found.");
        return 0;
    }
    if (!mRestorables.RemoveAt(at, nullptr)) {
        L_ERROR(u"RemoveRestorable failure.");
        return 0;
    }
    return 1;
}

int LRestoreManager::GetRestorableCount() const
{
    return mRestorables.GetCount();
}

LIRestorable* LRestoreManager::FindRegistered(const LString& aId) const
{
    const LVector& restorables = mRestorables;
    const int count = restorables.GetCount();
    for (int i = 0; i < count; ++i) {
        LIRestorable* restorable = static_cast<LIRestorable*>(restorables.GetAt(i));
        if (restorable && restorable->GetRestoreId() == aId) {
            return restorable;
        }
    }
    return nullptr;
}

int LRestoreManager::Save(LIStream* aStream, int)
{
    const int count = mRestorables.GetCount();
    if (count == 0) {
        return 1;
    }
    if (!aStream) {
        L_ERROR(u"Save failure. Invalid argument.");
        return 0;
    }
    // A snapshot: an object's OnSave may register or unregister others.
    LIRestorable** snapshot = L_NEW LIRestorable*[count];
    if (!snapshot) {
        L_ERROR(u"Save failure. Out of memory.");
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        snapshot[i] = static_cast<LIRestorable*>(mRestorables.GetAt(i));
    }
    int result = 1;
    for (int i = 0; i < count; ++i) {
        LIRestorable* restorable = snapshot[i];
        LRestoreRecord record;
        if (mGameObjectManager) {
            record.mSaveTag = mGameObjectManager->GetSaveTag();
            record.mHandle = mGameObjectManager->GetHandle(static_cast<LBase*>(restorable));
            if (record.mHandle != 0) {
                mGameObjectManager->GetId(record.mHandle, record.mObjectId);
            }
        }
        record.mRestoreId = restorable->GetRestoreId();
        if (!record.Write(aStream)) {
            L_ASSERT_FAILURE(u"");
            result = 0;
        }
        if (!restorable->OnSave(aStream)) {
            L_ASSERT_FAILURE(u"Save failure.");
            result = 0;
        }
    }
    delete[] snapshot;
    return result;
}

int LRestoreManager::Load(LIStream* aStream, int, int aEnd)
{
    if (!aStream) {
        L_ERROR(u"Load failure. Invalid argument.");
        return 0;
    }
    int result = 1;
    LVectorString seen(8, 8);
    int position = aStream->GetPosition();
    while (position < aEnd) {
        LRestoreRecord record;
        if (!record.Read(aStream)) {
            L_ERROR(u"Load failure. Incomplete restore record.");
            return 0;
        }
        // Only the objects registered for saving are loaded into: a damaged or crafted
        // block must not make the game create whatever its id names.
        if (!FindRegistered(record.mRestoreId)) {
            L_ERROR(LString(u"Load failure. Unknown restore id: ") + record.mRestoreId);
            return 0;
        }
        seen.Add(record.mRestoreId);
        LIRestorable* restorable = nullptr;
        if (mGameObjectManager) {
            LObject* object = mGameObjectManager->CreateObject(record.mRestoreId, nullptr);
            restorable = dynamic_cast<LIRestorable*>(object);
        }
        if (!restorable) {
            L_ERROR(LString(u"Load failure. No object for restore id: ") + record.mRestoreId);
            return 0;
        }
        if (record.mHandle != 0 &&
            !mGameObjectManager->RestoreHandle(record.mHandle, record.mObjectId, restorable)) {
            L_ASSERT_FAILURE(u"");
        }
        const int blockStart = aStream->GetPosition();
        if (!restorable->OnLoad(aStream, record.mSaveTag)) {
            L_ASSERT_FAILURE(u"Unsuccessful load.");
            result = 0;
        }
        // The next record begins where the block ended; a block that did not move the
        // stream on leaves no way to tell where that is.
        const int next = aStream->GetPosition();
        if (next <= blockStart) {
            L_ERROR(u"Load failure. The block did not advance.");
            return 0;
        }
        position = next;
    }
    // A saved game holds a record of every registered object: a block that ends before
    // one of them was cut short. The objects without a record keep their state.
    const int count = mRestorables.GetCount();
    for (int i = 0; i < count; ++i) {
        const LIRestorable* restorable = static_cast<const LIRestorable*>(mRestorables.GetAt(i));
        if (restorable && !seen.Contains(restorable->GetRestoreId())) {
            L_ERROR(LString(u"Load failure. No record for: ") + restorable->GetRestoreId());
            result = 0;
        }
    }
    return result;
}
