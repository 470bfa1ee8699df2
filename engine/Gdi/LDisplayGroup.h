// A display object that holds others, its members, keyed by id and drawn in ascending
// order of relative z (ties in the order they were added). The group owns its members:
// deleting it deletes them. Marks set on the group are passed down to every member.
#pragma once
#include "Gdi/LIDisplayObject.h"

class LHashKeyList;

class LDisplayGroup : public LIDisplayObject
{
public:
    LDisplayGroup();
    ~LDisplayGroup() override;

    LString Dump() const override;
    bool Render(LRenderer* aRenderer) override;

    void InvalidateActive() override;
    void InvalidateBlend() override;
    void InvalidateEnabled() override;
    bool SetRelativeZ(float aRelativeZ) override;
    void InvalidateRotation() override;
    void InvalidateScale() override;
    void InvalidatePosition() override;
    void InvalidateTransform() override;
    void InvalidateVisible() override;
    void UpdateAll() override;

    // With aSorted false the id index is left unsorted (cheaper for bulk loading); the
    // next lookup sorts it.
    virtual bool AddMember(LIDisplayObject* aMember, bool aSorted);
    // Takes a member out of the group without deleting it.
    virtual bool RemoveMember(LIDisplayObject* aMember);
    virtual bool RemoveMember(const LString& aId, LIDisplayObject** aRemoved);

    // A member by a path of ids joined by "."; every part but the last must name a group.
    bool GetMember(const LString& aPath, LIDisplayObject** aOut);
    LIDisplayObject* GetMember(const LString& aPath);
    bool SortMembers();
    // Moves a member to its place for a new relative z.
    bool ResortMember(const LString& aId, float aRelativeZ);

    int GetMemberCount() const;
    // The member at a place of the drawing order, or null.
    LIDisplayObject* GetMemberAt(int aIndex) const;

private:
    // Inserts after every member of a relative z lower than or equal to the member's.
    bool Insert(LIDisplayObject* aMember, bool aSorted);
    LIDisplayObject* FindDirect(const LString& aId) const;

    LHashKeyList* mMembers = nullptr;
};
