#include "Render/LNodeManager.h"

#include "Render/LNodeGroup.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LNodeManager> sNodeManager;

} // namespace

LNodeManager* LNodeManager::Get()
{
    return sNodeManager.Get(L_FILE, __LINE__, "LNodeManager creation failure.");
}

LNodeManager* LNodeManager::Peek()
{
    return sNodeManager.Peek();
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

int LNodeManager::AddGroup(LNodeGroup* aGroup)
{
    return mGroups.AddNode(aGroup, aGroup != nullptr ? aGroup->GetName() : LString(), "AddGroup");
}

LNodeGroup* LNodeManager::GetGroup(const LString& aId) const
{
    return static_cast<LNodeGroup*>(mGroups.Get(aId));
}

int LNodeManager::RemoveGroup(const LString& aId, LNodeGroup** aRemoved)
{
    return mGroups.RemoveNode(aId, aRemoved);
}

int LNodeManager::Render()
{
    return mGroups.ForEachAnd<LNodeGroup>([](LNodeGroup* aGroup) { return aGroup->Render(); });
}
