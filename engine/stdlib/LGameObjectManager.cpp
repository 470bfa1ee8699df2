#include "stdlib/LGameObjectManager.h"

#include "stdlib/LLog.h"

namespace {

LSingleton<LGameObjectManager> gManager;

} // namespace

LGameObjectManager* LGameObjectManager::Get()
{
    return GetRegistered(gManager, L_FILE, __LINE__, "LGameObjectManager creation failure.");
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
