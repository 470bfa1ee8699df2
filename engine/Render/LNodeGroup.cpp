#include "Render/LNodeGroup.h"

#include "Render/LNodeManager.h"

LNodeGroup::~LNodeGroup()
{
    if (LNodeManager* manager = LNodeManager::Peek(); manager != nullptr && manager->GetGroup(GetName()) == this) {
        LNodeGroup* removed = nullptr;
        manager->RemoveGroup(GetName(), &removed);
    }
}

LString LNodeGroup::Dump() const
{
    return DumpHead("LNodeGroup") + "]";
}

int LNodeGroup::Render()
{
    return mMembers.ForEachAnd<LINodeObject>([](LINodeObject* aMember) { return aMember->Render(); });
}

int LNodeGroup::InvalidateTransform()
{
    return mMembers.ForEachAnd<LINodeObject>([](LINodeObject* aMember) { return aMember->InvalidateTransform(); });
}

int LNodeGroup::AddMember(LINodeObject* aNode)
{
    return mMembers.AddNode(aNode, aNode != nullptr ? aNode->GetName() : LString(), "AddMember");
}

LINodeObject* LNodeGroup::GetMember(const LString& aId) const
{
    return static_cast<LINodeObject*>(mMembers.Get(aId));
}

int LNodeGroup::RemoveMember(const LString& aId, LINodeObject** aRemoved)
{
    return mMembers.RemoveNode(aId, aRemoved);
}

LINodeObject* LNodeGroup::GetMemberAt(int aIndex) const
{
    return aIndex >= 0 && aIndex < mMembers.GetCount() ? static_cast<LINodeObject*>(mMembers.GetAt(aIndex)) : nullptr;
}
