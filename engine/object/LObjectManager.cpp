#include "object/LObjectManager.h"

#include "container/LUInt.h"
#include "memory/LMemoryManager.h"
#include "object/LHandle.h"
#include "object/LIObjectCreator.h"
#include "object/LObject.h"
#include "object/LRegistry.h"
#include "stdlib/LLog.h"

#include <cstdint>

namespace {

constexpr unsigned int kSerialMask = 0xFFFFFF;

// Shared by every manager; 1 at program start, not saved.
unsigned int gNextSerial = 1;

} // namespace

unsigned int LObjectManager::GetNextSerial()
{
    return gNextSerial;
}

void LObjectManager::SetNextSerial(unsigned int aSerial)
{
    gNextSerial = aSerial;
}

LObjectManager::LObjectManager(const LString& aId, unsigned int aNumber)
    : mNumber(aNumber & 0xFF), mHandles(7, false), mIds(7, false), mId(aId)
{
}

LObjectManager::~LObjectManager()
{
    RemoveAll();
}

LString LObjectManager::Dump() const
{
    return DumpHead("LObjectManager") + "]";
}

LObject* LObjectManager::CreateObject(const LString& aCreatorId, void* aParameter)
{
    LRegistry* registry = LRegistry::Get();
    const int index = registry ? registry->GetCreatorIndex(aCreatorId) : -1;
    if (index == -1) {
        L_ERROR("Could not retrieve creator index from id: " + aCreatorId);
        return nullptr;
    }
    return CreateObject(index, aParameter);
}

LObject* LObjectManager::CreateObject(int aCreatorIndex, void* aParameter)
{
    LRegistry* registry = LRegistry::Get();
    LIObjectCreator* creator = registry ? registry->GetCreator(aCreatorIndex) : nullptr;
    if (!creator) {
        L_ERROR("Object creator retrieval failed.");
        return nullptr;
    }
    LObject* object = creator->Create();
    if (!object) {
        L_ERROR(LString("Object creation failed. creatorIndex: ") + aCreatorIndex);
        return nullptr;
    }
    if (!object->Init(static_cast<int>(reinterpret_cast<intptr_t>(aParameter)))) {
        L_ERROR("Object initialization failure.");
        return nullptr;
    }
    return object;
}

int LObjectManager::IsValidHandle(unsigned int aHandle) const
{
    if (((aHandle >> 24) & mNumber) != mNumber) {
        L_ERROR("Invalid handle!");
        return 0;
    }
    return 1;
}

LHandle* LObjectManager::Record(unsigned int aHandle)
{
    return static_cast<LHandle*>(mHandles.GetItem(aHandle));
}

LHandle* LObjectManager::CheckedRecord(unsigned int aHandle, bool aNameHandle)
{
    if (!IsValidHandle(aHandle)) {
        L_ASSERT_FAILURE("");
        return nullptr;
    }
    LHandle* record = Record(aHandle);
    if (!record) {
        L_ERROR(aNameHandle ? LString("Invalid handle: ") + aHandle : LString("Invalid handle."));
    }
    return record;
}

int LObjectManager::DestroyRecordObject(LHandle* aRecord)
{
    if (aRecord->IsLocked()) {
        L_WARNING("Attempt to destroy object with locked handle.");
        return 0;
    }
    LBase* object = aRecord->GetObject();
    aRecord->SetObject(nullptr);
    delete object;
    return 1;
}

LHandle* LObjectManager::NewHandle(const LString& aId)
{
    if (gNextSerial == 0 || gNextSerial > kSerialMask) {
        gNextSerial = 1;
    }
    const unsigned int base = mNumber << 24;
    const unsigned int value = mHandles.FindFreeHash(base | gNextSerial, true, base | 1, base | kSerialMask);
    if (value == 0) {
        L_ERROR("Out of handles.");
        return nullptr;
    }
    gNextSerial = value & kSerialMask;
    LHandle* record = L_NEW LHandle();
    if (!record) {
        return nullptr;
    }
    if (!record->Activate(aId, value)) {
        delete record;
        return nullptr;
    }
    ++gNextSerial;
    return record;
}

void LObjectManager::File(LHandle* aRecord)
{
    if (!mHandles.Add(aRecord->GetValue(), aRecord, true)) {
        L_ASSERT_FAILURE("");
    }
    LUInt* value = L_NEW LUInt(aRecord->GetValue());
    if (!value) {
        L_ASSERT_FAILURE("");
        return;
    }
    mIds.AddAt(aRecord->GetId(), value, true);
    if (mIds.Get(aRecord->GetId()) != value) {
        delete value;
        L_ASSERT_FAILURE("");
    }
}

void LObjectManager::Unfile(LHandle* aRecord)
{
    void* item = nullptr;
    if (!mHandles.Remove(aRecord->GetValue(), &item)) {
        L_ASSERT_FAILURE("");
    }
    void* value = nullptr;
    if (!mIds.RemoveAt(aRecord->GetId(), &value)) {
        L_ASSERT_FAILURE("");
    }
    delete static_cast<LUInt*>(value);
}

unsigned int LObjectManager::AddObject(const LString& aId, LBase* aObject)
{
    if (mIds.IndexOf(aId) != -1) {
        L_ERROR("Attempt to add an ID already in use: " + aId);
        return 0;
    }
    LHandle* record = NewHandle(aId);
    if (!record) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    record->SetObject(aObject);
    File(record);
    return record->GetValue();
}

int LObjectManager::RestoreHandle(unsigned int aSavedHandle, const LString& aId, LBase* aObject)
{
    const unsigned int value = (mNumber << 24) | aSavedHandle;
    if (value == 0 || mHandles.Contains(value)) {
        L_ERROR("Saved handle could not be restored.");
        return 0;
    }
    if (mIds.IndexOf(aId) != -1) {
        L_ERROR("Saved id could not be restored. Duplicate found: " + aId);
        return 0;
    }
    LHandle* record = L_NEW LHandle();
    if (!record || !record->Activate(aId, value)) {
        delete record;
        L_ERROR("Handle init failure.");
        return 0;
    }
    record->SetObject(aObject);
    File(record);
    return 1;
}

unsigned int LObjectManager::GetHandle(const LString& aId) const
{
    const LUInt* value = static_cast<const LUInt*>(mIds.Get(aId));
    return value ? value->mValue : 0;
}

unsigned int LObjectManager::GetHandle(const LBase* aObject)
{
    if (!aObject || mHandles.GetCount() == 0) {
        return 0;
    }
    void** records = nullptr;
    if (!mHandles.GetItems(&records)) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    unsigned int found = 0;
    for (int i = 0; i < mHandles.GetCount(); ++i) {
        const LHandle* record = static_cast<const LHandle*>(records[i]);
        if (record && record->GetObject() == aObject) {
            found = record->GetValue();
            break;
        }
    }
    delete[] records;
    return found;
}

int LObjectManager::GetId(unsigned int aHandle, LString& aOut)
{
    LHandle* record = CheckedRecord(aHandle, true);
    if (!record) {
        aOut = LString("");
        return 0;
    }
    aOut = record->GetId();
    return 1;
}

LBase* LObjectManager::GetObject(unsigned int aHandle)
{
    LHandle* record = CheckedRecord(aHandle, true);
    if (!record) {
        return nullptr;
    }
    if (!record->GetObject()) {
        L_WARNING(LString("No object defined for handle: ") + aHandle);
        return nullptr;
    }
    return record->GetObject();
}

unsigned int LObjectManager::BoundHandle(const LString& aId, bool aWarnUnknown)
{
    if (aId.IsEmpty()) {
        L_ERROR("Attempted use of empty id.");
        L_ASSERT_FAILURE("");
        return 0;
    }
    const unsigned int handle = GetHandle(aId);
    if (handle == 0) {
        if (aWarnUnknown) {
            L_WARNING("Invalid ID: " + aId);
        } else {
            L_ERROR("Invalid ID: " + aId);
        }
    }
    return handle;
}

LBase* LObjectManager::GetObject(const LString& aId)
{
    const unsigned int handle = BoundHandle(aId, false);
    return handle ? GetObject(handle) : nullptr;
}

int LObjectManager::LockHandle(unsigned int aHandle)
{
    LHandle* record = CheckedRecord(aHandle, true);
    if (!record) {
        return 0;
    }
    return record->Lock();
}

int LObjectManager::ReleaseHandle(unsigned int aHandle)
{
    LHandle* record = CheckedRecord(aHandle, true);
    if (!record) {
        return 0;
    }
    const int result = record->Unlock();
    if (!record->IsLocked()) {
        LBase* object = record->GetObject();
        record->SetObject(nullptr);
        delete object;
        if (!RemoveHandle(aHandle)) {
            L_ASSERT_FAILURE("");
        }
    }
    return result;
}

int LObjectManager::DestroyObject(unsigned int aHandle)
{
    LHandle* record = CheckedRecord(aHandle, false);
    return record ? DestroyRecordObject(record) : 0;
}

int LObjectManager::DestroyObject(const LString& aId)
{
    if (aId.IsEmpty()) {
        L_ERROR("Attempted use of empty id.");
        L_ASSERT_FAILURE("");
        return 0;
    }
    const unsigned int handle = GetHandle(aId);
    if (handle == 0) {
        return 0;
    }
    LHandle* record = Record(handle);
    if (!record) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    return DestroyRecordObject(record);
}

int LObjectManager::DestroyObjectAndHandle(unsigned int aHandle)
{
    LHandle* record = CheckedRecord(aHandle, false);
    if (!record) {
        return 0;
    }
    if (record->IsLocked()) {
        return 0;
    }
    Unfile(record);
    delete record;
    return 1;
}

int LObjectManager::RemoveHandle(unsigned int aHandle)
{
    LHandle* record = CheckedRecord(aHandle, false);
    if (!record) {
        return 0;
    }
    if (record->GetObject()) {
        L_WARNING("Attempt to remove handle to valid object.");
        return 0;
    }
    Unfile(record);
    delete record;
    return 1;
}

int LObjectManager::RemoveHandle(const LString& aId)
{
    const unsigned int handle = BoundHandle(aId, false);
    return handle ? RemoveHandle(handle) : 0;
}

int LObjectManager::RemoveObject(unsigned int aHandle, LBase** aOut)
{
    LHandle* record = CheckedRecord(aHandle, false);
    if (!record) {
        return 0;
    }
    if (record->IsLocked()) {
        L_WARNING("Attempt to remove object with locked handle.");
        return 0;
    }
    if (!record->GetObject()) {
        return 1;
    }
    // Removing is setting no object: the old one is handed out or, when nobody takes it,
    // deleted rather than leaked.
    return SetObject(aHandle, nullptr, aOut);
}

int LObjectManager::RemoveObject(const LString& aId, LBase** aOut)
{
    const unsigned int handle = BoundHandle(aId, false);
    if (!handle) {
        return 0;
    }
    if (aOut && *aOut) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    return RemoveObject(handle, aOut);
}

int LObjectManager::SetObject(unsigned int aHandle, LBase* aObject, LBase** aOld)
{
    LHandle* record = CheckedRecord(aHandle, false);
    if (!record) {
        return 0;
    }
    if (aOld && *aOld) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    LBase* old = record->GetObject();
    record->SetObject(aObject);
    if (old == aObject) {
        return 1;
    }
    if (aOld) {
        *aOld = old;
    } else {
        delete old;
    }
    return 1;
}

int LObjectManager::SetObject(const LString& aId, LBase* aObject, LBase** aOld)
{
    if (aId.IsEmpty()) {
        L_ERROR("Attempted use of empty id.");
        return 0;
    }
    const unsigned int handle = BoundHandle(aId, true);
    if (!handle) {
        return 0;
    }
    if (!Record(handle)) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    return SetObject(handle, aObject, aOld);
}

void LObjectManager::RemoveAll()
{
    // The tables are emptied first, so an object whose destructor calls back into the
    // manager finds nothing to change.
    void** records = nullptr;
    const int recordCount = mHandles.GetCount();
    if (recordCount > 0 && !mHandles.GetItems(&records)) {
        L_ASSERT_FAILURE("");
    }
    void** values = nullptr;
    const int valueCount = mIds.GetCount();
    if (valueCount > 0 && !mIds.GetValueArray(&values)) {
        L_ASSERT_FAILURE("");
    }
    mHandles.RemoveAll();
    mIds.RemoveAll();
    for (int i = 0; records && i < recordCount; ++i) {
        delete static_cast<LHandle*>(records[i]);
    }
    for (int i = 0; values && i < valueCount; ++i) {
        delete static_cast<LUInt*>(values[i]);
    }
    delete[] records;
    delete[] values;
}
