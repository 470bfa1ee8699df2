// A node that holds member nodes by id, in insertion order; the members are not owned.
// Rendering and transform invalidation go to every member. Adding a member does not make
// it follow the group (that is SetGroup on the member); a group that goes away clears the
// group link of every node that follows it (see LINodeObject).
#pragma once
#include "Render/LINodeObject.h"
#include "Render/LNodeKeyList.h"

class LNodeGroup : public LINodeObject
{
public:
    LNodeGroup() = default;
    // Leaves the node manager when it is registered there; the members stay.
    ~LNodeGroup() override;

    LString Dump() const override;

    // The AND of the members' Render, every member called; 1 without members.
    int Render() override;
    // Passed to every member (the AND, 1 without members); the group's own transform
    // stays as it is.
    int InvalidateTransform() override;

    // Refuses null ("AddMember failure. Null arg."), an empty id ("... No id found.")
    // and an id present already ("AddMember failure. ID:" + id).
    int AddMember(LINodeObject* aNode);
    LINodeObject* GetMember(const LString& aId) const;
    // aRemoved must point at null ("Invalid arg.", 0); an absent id gives 1.
    int RemoveMember(const LString& aId, LINodeObject** aRemoved);
    int GetMemberCount() const { return mMembers.GetCount(); }
    // Null outside 0 to count − 1.
    LINodeObject* GetMemberAt(int aIndex) const;

private:
    LNodeKeyList mMembers;
};
