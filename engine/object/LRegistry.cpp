#include "object/LRegistry.h"

#include "container/LTableString.h"
#include "container/LTableUInt.h"
#include "container/LUInt.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "object/LIObjectCreator.h"
#include "object/LObjectManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LRegistry> gRegistry;

void DeleteIndices(LTableString* aTable)
{
    if (!aTable) {
        return;
    }
    void** values = nullptr;
    const int count = aTable->GetValues(&values) ? aTable->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        delete static_cast<LUInt*>(values[i]);
    }
    delete[] values;
    delete aTable;
}

} // namespace

const char* const LRegistry::kStartupCreatorIds[kStartupCreatorCount] = {
    "filesystem", "timer",    "rasterizer",   "texture",      "devicecaps", "matrixutil",
    "soundmanager", "moviemanager", "platform", "eventmanager", "statemanager", "gameclock",
};

LRegistry* LRegistry::Get()
{
    if (LRegistry* registry = gRegistry.Peek()) {
        return registry;
    }
    if (gRegistry.IsDestroyed()) {
        return nullptr;
    }
    LRegistry* registry = L_NEW LRegistry();
    if (!registry) {
        L_ERROR("Get failure. Registry could not be created.");
        L_ASSERT_FAILURE("");
        return nullptr;
    }
    return gRegistry.Install(registry);
}

LRegistry::LRegistry()
    : mCreatorIds(L_NEW LTableString(100)),
      mManagerIds(L_NEW LTableString(8)),
      mCreators(L_NEW LVector(100, 10)),
      mManagers(L_NEW LVector(8, 8)),
      mManagerNumbers(L_NEW LTableUInt(8))
{
}

LRegistry::~LRegistry()
{
    if (mCreators) {
        for (int i = 0; i < mCreators->GetCount(); ++i) {
            delete static_cast<LIObjectCreator*>(mCreators->GetAt(i));
        }
        delete mCreators;
        mCreators = nullptr;
    }
    if (mManagers) {
        for (int i = 0; i < mManagers->GetCount(); ++i) {
            delete static_cast<LObjectManager*>(mManagers->GetAt(i));
        }
        delete mManagers;
        mManagers = nullptr;
    }
    delete mManagerNumbers;
    mManagerNumbers = nullptr;
    DeleteIndices(mCreatorIds);
    mCreatorIds = nullptr;
    DeleteIndices(mManagerIds);
    mManagerIds = nullptr;
    gRegistry.Destroyed(this);
}

LString LRegistry::Dump() const
{
    return DumpHead("LRegistry") + "]";
}

int LRegistry::IndexIn(const LTableString* aTable, const LString& aId)
{
    void* value = nullptr;
    if (!aTable || !aTable->Get(aId, &value) || !value) {
        return -1;
    }
    return static_cast<int>(static_cast<LUInt*>(value)->mValue);
}

bool LRegistry::IsIdTaken(const LString& aId) const
{
    return (mCreatorIds && mCreatorIds->ContainsKey(aId)) || (mManagerIds && mManagerIds->ContainsKey(aId));
}

int LRegistry::AddCreator(LIObjectCreator* apCreator)
{
    if (!apCreator) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    const LString& id = apCreator->GetId();
    if (IsIdTaken(id)) {
        L_ERROR("Attempt to add duplicate id: " + id);
        return 0;
    }
    if (!mCreators || !mCreatorIds || !mCreators->Add(apCreator)) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    LUInt* index = L_NEW LUInt(static_cast<unsigned int>(mCreators->GetCount() - 1));
    if (!index || !mCreatorIds->Add(id, index)) {
        delete index;
        L_ASSERT_FAILURE("");
    }
    return 1;
}

int LRegistry::AddObjectManager(LObjectManager* apManager)
{
    if (!apManager) {
        L_ERROR("Invalid argument.");
        return 0;
    }
    const LString& id = apManager->GetManagerId();
    if (IsIdTaken(id)) {
        L_ERROR("Attempt to add duplicate id: " + id);
        return 0;
    }
    if (!mManagers || !mManagerIds || !mManagers->Add(apManager)) {
        L_ASSERT_FAILURE("");
        return 0;
    }
    LUInt* index = L_NEW LUInt(static_cast<unsigned int>(mManagers->GetCount() - 1));
    if (!index || !mManagerIds->Add(id, index)) {
        delete index;
        L_ASSERT_FAILURE("");
    }
    if (!mManagerNumbers || !mManagerNumbers->Add(apManager->GetManagerNumber(), apManager)) {
        L_ASSERT_FAILURE("");
    }
    return 1;
}

int LRegistry::GetCreatorIndex(const LString& aId) const
{
    return IndexIn(mCreatorIds, aId);
}

int LRegistry::GetObjectManagerIndex(const LString& aId) const
{
    return IndexIn(mManagerIds, aId);
}

LIObjectCreator* LRegistry::GetCreator(const LString& aId) const
{
    const int index = GetCreatorIndex(aId);
    if (index == -1) {
        L_WARNING("Creator not found: " + aId);
        return nullptr;
    }
    return GetCreator(index);
}

LIObjectCreator* LRegistry::GetCreator(int aIndex) const
{
    if (!mCreators || aIndex < 0 || aIndex >= mCreators->GetCount()) {
        L_ERROR(LString("Could not retrieve creator at index: ") + aIndex);
        return nullptr;
    }
    return static_cast<LIObjectCreator*>(mCreators->GetAt(aIndex));
}

int LRegistry::GetCreatorId(int aIndex, LString& aOut) const
{
    if (!mCreators || aIndex < 0 || aIndex >= mCreators->GetCount()) {
        L_ERROR(LString("No valid creator at aIndex:") + aIndex);
        return 0;
    }
    aOut = static_cast<LIObjectCreator*>(mCreators->GetAt(aIndex))->GetId();
    return 1;
}

int LRegistry::GetCreatorCount() const
{
    return mCreators ? mCreators->GetCount() : 0;
}

LObjectManager* LRegistry::GetObjectManager(const LString& aId) const
{
    const int index = GetObjectManagerIndex(aId);
    if (index == -1) {
        L_WARNING("Object manager not found: " + aId);
        return nullptr;
    }
    return GetObjectManager(index);
}

LObjectManager* LRegistry::GetObjectManager(int aIndex) const
{
    if (!mManagers || aIndex < 0 || aIndex >= mManagers->GetCount()) {
        L_ERROR(LString("Could not retrieve object manager at index: ") + aIndex);
        return nullptr;
    }
    return static_cast<LObjectManager*>(mManagers->GetAt(aIndex));
}

LObjectManager* LRegistry::GetObjectManagerByHandle(unsigned int aHandle) const
{
    void* manager = nullptr;
    if (!mManagerNumbers || !mManagerNumbers->Get(aHandle >> 24, &manager)) {
        return nullptr;
    }
    return static_cast<LObjectManager*>(manager);
}

LBase* LRegistry::GetObject(unsigned int aHandle) const
{
    LObjectManager* manager = GetObjectManagerByHandle(aHandle);
    return manager ? manager->GetObject(aHandle) : nullptr;
}
