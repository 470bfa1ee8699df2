// The registry of the 3-D node groups, drawn once per frame after the scene's update.
// Groups are held by id in insertion order and not owned: a scene registers its group
// when it loads and removes it when it is torn down (a group that goes away leaves on
// its own).
#pragma once
#include "Render/LNodeKeyList.h"
#include "object/LObject.h"

class LNodeGroup;

class LNodeManager : public LObject
{
public:
    // The manager, made on first use and registered with the engine's cleaner; null when
    // it cannot be made ("LNodeManager creation failure.") and after the cleaner has
    // deleted it.
    static LNodeManager* Get();
    // The manager if it exists; never makes it.
    static LNodeManager* Peek();

    LNodeManager();
    LNodeManager(const LNodeManager&) = delete;
    LNodeManager& operator=(const LNodeManager&) = delete;
    ~LNodeManager() override;

    LString Dump() const override;

    // Refuses null ("AddGroup failure. Null arg."), an empty id ("... No id found.") and
    // an id present already ("AddGroup failure. ID:" + id).
    int AddGroup(LNodeGroup* aGroup);
    LNodeGroup* GetGroup(const LString& aId) const;
    // aRemoved must point at null ("Invalid arg.", 0); an absent id gives 1.
    int RemoveGroup(const LString& aId, LNodeGroup** aRemoved);
    int GetGroupCount() const { return mGroups.GetCount(); }

    // Draws every group in order; the AND of their results, 1 without groups.
    int Render();

private:
    LNodeKeyList mGroups;
};
