#include "Gdi/LDragManager.h"

#include "Gdi/LIDragTarget.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LDragManager> sManager;
} // namespace

// One pass's copy of the target list, linked to the pass it runs inside.
struct LDragManager::Pass
{
    LIDragTarget** mEntries;
    int mCount;
    Pass* mOuter;
};

LDragManager* LDragManager::Get()
{
    return sManager.Get(L_FILE, __LINE__, "LDragManager creation failure.");
}

LDragManager* LDragManager::Peek()
{
    return sManager.Peek();
}

LDragManager::LDragManager() : mTargets(L_NEW LVector())
{
}

LDragManager::~LDragManager()
{
    sManager.Destroyed(this);
    delete mTargets;
    mTargets = nullptr;
}

LString LDragManager::Dump() const
{
    return DumpHead("LDragManager") + "]";
}

int LDragManager::AddTarget(LIDragTarget* aTarget)
{
    if (aTarget == nullptr) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    if (mTargets == nullptr) {
        return 0;
    }
    if (mTargets->Contains(aTarget)) {
        return 1;
    }
    return mTargets->Add(aTarget) != 0 ? 1 : 0;
}

int LDragManager::RemoveTarget(LIDragTarget* aTarget)
{
    if (aTarget == nullptr) {
        L_ERROR("Invalid arg.");
        return 0;
    }
    if (mTargets == nullptr || !mTargets->Remove(aTarget)) {
        return 0;
    }
    for (Pass* pass = mPasses; pass != nullptr; pass = pass->mOuter) {
        for (int i = 0; i < pass->mCount; ++i) {
            if (pass->mEntries[i] == aTarget) {
                pass->mEntries[i] = nullptr;
            }
        }
    }
    return 1;
}

int LDragManager::GetTargetCount() const
{
    return mTargets != nullptr ? mTargets->GetCount() : 0;
}

int LDragManager::UpdateTargets(LDraggable* aDraggable)
{
    return Notify(kUpdate, aDraggable);
}

int LDragManager::DropTargets(LDraggable* aDraggable)
{
    return Notify(kDrop, aDraggable);
}

int LDragManager::Notify(Kind aKind, LDraggable* aDraggable)
{
    const int count = GetTargetCount();
    if (count < 1) {
        return 1;
    }
    LIDragTarget** entries = L_NEW LIDragTarget*[count];
    if (entries == nullptr) {
        L_ERROR("Notify failure.");
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        entries[i] = static_cast<LIDragTarget*>(mTargets->GetAt(i));
    }
    Pass pass{entries, count, mPasses};
    mPasses = &pass;
    for (int i = 0; i < count; ++i) {
        if (entries[i] == nullptr) {
            continue;
        }
        if (aKind == kUpdate) {
            entries[i]->SetDragged(aDraggable);
        } else {
            entries[i]->Drop(aDraggable);
        }
    }
    mPasses = pass.mOuter;
    delete[] entries;
    return 1;
}
