#include "Render/LNodeManager.h"

#include "stdlib/LSingleton.h"

namespace {

LSingleton<LNodeManager> sNodeManager;

} // namespace

LNodeManager* LNodeManager::Get()
{
    return sNodeManager.Get(L_FILE, __LINE__, "LNodeManager creation failure.");
}

LNodeManager::LNodeManager() = default;

LNodeManager::~LNodeManager()
{
    sNodeManager.Destroyed(this);
}

LString LNodeManager::Dump() const
{
    return DumpHead("LNodeManager") + "]";
}

int LNodeManager::Render()
{
    return 1;
}
