// A table of objects addressed two ways: by a 32-bit handle that the manager issues (its
// manager number in the top 8 bits, a serial in the low 24) and by an id string bound to
// the handle. The manager owns the objects it holds. A locked handle's object cannot be
// destroyed or detached; the last release of a handle destroys its object and the handle.
//
// Serials come from one counter shared by every manager, so two managers never issue the
// same serial in a run; after 0xFFFFFF the counter starts again at 1, skipping serials
// still in use.
//
// The manager is also the road by which objects are made by id: CreateObject finds the
// creator in the registry, has it make the object and initialises it.
#pragma once
#include "container/LHashKeyList.h"
#include "container/LHashList.h"
#include "object/LRegistry.h"
#include "stdlib/LSingleton.h"

class LHandle;
class LObject;

class LObjectManager : public LBase
{
public:
    LObjectManager(const LString& aId, unsigned int aNumber);
    LObjectManager(const LObjectManager&) = delete;
    LObjectManager& operator=(const LObjectManager&) = delete;
    ~LObjectManager() override;

    LString Dump() const override;

    // The initialised object (not entered in the table), or null.
    LObject* CreateObject(const LString& aCreatorId, void* aParameter);
    LObject* CreateObject(int aCreatorIndex, void* aParameter);

    // Files aObject (now owned) under a new handle bound to aId; the handle, or 0.
    unsigned int AddObject(const LString& aId, LBase* aObject);
    // Files aObject under a saved handle value and id (loading a saved game).
    int RestoreHandle(unsigned int aSavedHandle, const LString& aId, LBase* aObject);

    unsigned int GetHandle(const LString& aId) const;
    unsigned int GetHandle(const LBase* aObject);
    int GetId(unsigned int aHandle, LString& aOut);
    LBase* GetObject(unsigned int aHandle);
    LBase* GetObject(const LString& aId);
    // Every bit of the manager number set in the handle's top byte.
    int IsValidHandle(unsigned int aHandle) const;

    int LockHandle(unsigned int aHandle);
    int ReleaseHandle(unsigned int aHandle);

    int DestroyObject(unsigned int aHandle);
    int DestroyObject(const LString& aId);
    int DestroyObjectAndHandle(unsigned int aHandle);
    // Only a handle without an object can be removed.
    int RemoveHandle(unsigned int aHandle);
    int RemoveHandle(const LString& aId);
    // Detaches the object (handed out through the optional aOut, which must point at
    // null); the handle stays.
    int RemoveObject(unsigned int aHandle, LBase** aOut);
    int RemoveObject(const LString& aId, LBase** aOut);
    // Gives the handle a new object; the old one goes out through the optional aOld
    // (which must point at null) or is let go.
    int SetObject(unsigned int aHandle, LBase* aObject, LBase** aOld);
    int SetObject(const LString& aId, LBase* aObject, LBase** aOld);
    // Deletes every record and its object.
    void RemoveAll();

    // The shared serial counter: the next serial every manager tries first.
    static unsigned int GetNextSerial();
    static void SetNextSerial(unsigned int aSerial);

    const LString& GetManagerId() const { return mId; }
    unsigned int GetManagerNumber() const { return mNumber; }
    int GetHandleCount() const { return mHandles.GetCount(); }

protected:
    // The accessor of a manager singleton: made on first use and handed to the registry,
    // which owns it from then on; null without a registry and after it was deleted.
    template <typename T>
    static T* GetRegistered(LSingleton<T>& aSingleton, const char* aFile, int aLine, const char* aFailure)
    {
        if (T* manager = aSingleton.Peek()) {
            return manager;
        }
        LRegistry* registry = aSingleton.IsDestroyed() ? nullptr : LRegistry::Get();
        if (!registry) {
            return nullptr;
        }
        T* manager = new (aFile, aLine) T();
        if (!manager) {
            LogEntry("ERROR: ", aFile, aLine, aFailure);
            return nullptr;
        }
        if (!registry->AddObjectManager(manager)) {
            delete manager;
            return nullptr;
        }
        return aSingleton.Adopt(manager);
    }

private:
    LHandle* Record(unsigned int aHandle);
    // The record of a valid handle of this manager, or null after logging why ("Invalid
    // handle: " + handle with aNameHandle, else "Invalid handle.").
    LHandle* CheckedRecord(unsigned int aHandle, bool aNameHandle);
    // Deletes the record's object unless the handle is locked (warned, 0).
    int DestroyRecordObject(LHandle* aRecord);
    LHandle* NewHandle(const LString& aId);
    void File(LHandle* aRecord);
    // The handle bound to aId, logging an empty or unknown id; 0 when there is none.
    unsigned int BoundHandle(const LString& aId, bool aWarnUnknown);
    void Unfile(LHandle* aRecord);

    unsigned int mNumber;
    LHashList mHandles;
    LHashKeyList mIds;
    LString mId;
};
