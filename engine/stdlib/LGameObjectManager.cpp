#include "stdlib/LGameObjectManager.h"

#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LGameObjectManager> gManager;

} // namespace

LGameObjectManager* LGameObjectManager::Get()
{
    if (LGameObjectManager* manager = gManager.Peek()) {
        return manager;
    }
    // Not again once deleted, and not without the registry that would own it.
    LRegistry* registry = gManager.IsDestroyed() ? nullptr : LRegistry::Get();
    if (!registry) {
        return nullptr;
    }
    LGameObjectManager* manager = L_NEW LGameObjectManager();
    if (!manager) {
        L_ERROR("LGameObjectManager creation failure.");
        return nullptr;
    }
    if (!registry->AddObjectManager(manager)) {
        delete manager;
        return nullptr;
    }
    return gManager.Adopt(manager);
}

LGameObjectManager::LGameObjectManager()
    : LObjectManager(LString("gameobjectmanager"), 0xBB)
{
}

LGameObjectManager::~LGameObjectManager()
{
    gManager.Destroyed(this);
}

LString LGameObjectManager::Dump() const
{
    return DumpHead("LGameObjectManager") + "]";
}
