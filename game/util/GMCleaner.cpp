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

GMCleaner::GMCleaner() = default;

GMCleaner::~GMCleaner()
{
    // Still the game cleaner while the instances go, so that one registered by a
    // destructor on the way is deleted with the rest.
    DeleteInstances();
    if (gGameCleaner == this) {
        gGameCleaner = nullptr;
    }
}

LString GMCleaner::Dump() const
{
    return DumpHead("GMCleaner") + "]";
}
