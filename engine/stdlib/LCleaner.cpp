#include "stdlib/LCleaner.h"

#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

#include <vector>

namespace {

LCleaner* gCleaner = nullptr;

// The accessors' flags of the engine's singletons destroyed so far. Never deleted: a
// singleton may still be destroyed while the program's statics go.
std::vector<bool*>& DestroyedFlags()
{
    static std::vector<bool*>* flags = new std::vector<bool*>();
    return *flags;
}

} // namespace

LCleaner* LCleaner::Get()
{
    if (!gCleaner) {
        gCleaner = L_NEW LCleaner();
        if (!gCleaner) {
            L_ERROR("LCleaner creation failure.");
        }
    }
    return gCleaner;
}

LCleaner* LCleaner::Peek()
{
    return gCleaner;
}

void LCleaner::ResetDestroyedSingletons()
{
    for (bool* destroyed : DestroyedFlags()) {
        *destroyed = false;
    }
    DestroyedFlags().clear();
}

LCleaner::LCleaner()
    : mInstances(L_NEW LVector(10, 2))
{
}

LCleaner::~LCleaner()
{
    DeleteInstances();
    delete mInstances;
    mInstances = nullptr;
    if (gCleaner == this) {
        gCleaner = nullptr;
    }
}

void LCleaner::DeleteInstances()
{
    // Most recent first. An instance registered by a destructor that runs here goes into
    // the list again; the loop deletes it too, so nothing registered is left behind.
    while (mInstances && mInstances->GetCount() > 0) {
        void** snapshot = nullptr;
        if (!mInstances->CopyToArray(&snapshot)) {
            break;
        }
        const int count = mInstances->GetCount();
        mInstances->SetCount(0);
        for (int i = 0; i < count; ++i) {
            delete static_cast<LBase*>(snapshot[i]);
        }
        delete[] snapshot;
    }
}

void LCleaner::OnInstanceDestroyed(bool* aDestroyed)
{
    if (aDestroyed != nullptr) {
        DestroyedFlags().push_back(aDestroyed);
    }
}

LString LCleaner::Dump() const
{
    return DumpHead("LCleaner") + "]";
}

int LCleaner::AddInstance(LBase* aInstance)
{
    if (!aInstance) {
        L_ERROR("AddInstance failure. apInstance == NULL.");
        return 0;
    }
    if (!mInstances) {
        L_ERROR("AddInstance failure.");
        return 0;
    }
    if (mInstances->Contains(aInstance)) {
        L_ERROR("AddInstance failure. Duplicate instance found.");
        return 0;
    }
    if (!mInstances->InsertAt(0, aInstance)) {
        L_ERROR("AddInstance failure.");
        return 0;
    }
    return 1;
}

int LCleaner::RemoveInstance(LBase* aInstance)
{
    if (!mInstances || !mInstances->Remove(aInstance)) {
        L_ERROR("RemoveInstance failure.");
        return 0;
    }
    return 1;
}

bool LCleaner::ForgetInstance(const LBase* aInstance)
{
    void* instance = const_cast<LBase*>(aInstance);
    return mInstances != nullptr && aInstance != nullptr && mInstances->Remove(instance);
}

int LCleaner::GetInstanceCount() const
{
    return mInstances ? mInstances->GetCount() : 0;
}

LBase* LCleaner::GetInstanceAt(int aIndex) const
{
    if (!mInstances || aIndex < 0 || aIndex >= mInstances->GetCount()) {
        return nullptr;
    }
    return static_cast<LBase*>(mInstances->GetAt(aIndex));
}
