#include "stdlib/LAPIObjectManager.h"

#include "stdlib/LLog.h"

namespace {

LSingleton<LAPIObjectManager> gManager;

} // namespace

LAPIObjectManager* LAPIObjectManager::Get()
{
    return GetRegistered(gManager, L_FILE, __LINE__, "LAPIObjectManager creation failure.");
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
