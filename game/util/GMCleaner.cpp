#include "util/GMCleaner.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

GMCleaner* gGameCleaner = nullptr;

} // namespace

GMCleaner* GMCleaner::GetInstance()
{
    if (!gGameCleaner) {
        gGameCleaner = L_NEW GMCleaner();
        if (!gGameCleaner) {
            L_ERROR("LCleaner creation failure.");
        }
    }
    return gGameCleaner;
}

GMCleaner* GMCleaner::Peek()
{
    return gGameCleaner;
}

GMCleaner::GMCleaner() = default;

GMCleaner::~GMCleaner()
{
    // Still the game cleaner while the instances go, so that one registered by a
    // destructor on the way is deleted with the rest.
    DeleteInstances();
    if (gGameCleaner == this) {
        gGameCleaner = nullptr;
    }
    // Every game singleton is gone: their accessors may make them again.
    for (bool* destroyed : mDestroyedFlags) {
        *destroyed = false;
    }
}

void GMCleaner::OnInstanceDestroyed(bool* aDestroyed)
{
    if (aDestroyed != nullptr) {
        mDestroyedFlags.push_back(aDestroyed);
    }
}

LString GMCleaner::Dump() const
{
    return DumpHead("GMCleaner") + "]";
}
