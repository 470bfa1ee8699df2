#include "stdlib/LAPIObjectManager.h"

#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LAPIObjectManager> gManager;

} // namespace

LAPIObjectManager* LAPIObjectManager::Get()
{
    if (LAPIObjectManager* manager = gManager.Peek()) {
        return manager;
    }
    // Not again once deleted, and not without the registry that would own it.
    LRegistry* registry = gManager.IsDestroyed() ? nullptr : LRegistry::Get();
    if (!registry) {
        return nullptr;
    }
    LAPIObjectManager* manager = L_NEW LAPIObjectManager();
    if (!manager) {
        L_ERROR("LAPIObjectManager creation failure.");
        return nullptr;
    }
    if (!registry->AddObjectManager(manager)) {
        delete manager;
        return nullptr;
    }
    return gManager.Adopt(manager);
}

LAPIObjectManager::LAPIObjectManager()
    : LObjectManager(LString("apiobjectmanager"), 0xAA)
{
}

LAPIObjectManager::~LAPIObjectManager()
{
    gManager.Destroyed(this);
}

LString LAPIObjectManager::Dump() const
{
    return DumpHead("LAPIObjectManager") + "]";
}
