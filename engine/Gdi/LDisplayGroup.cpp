#include "Gdi/LDisplayGroup.h"

#include "Gdi/LRenderer.h"
#include "LRectangle.h"
#include "container/LHashKeyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LDisplayGroup::LDisplayGroup() : mMembers(L_NEW LHashKeyList(7, false))
{
}

LDisplayGroup::~LDisplayGroup()
{
    if (mParent != nullptr) {
        mParent->RemoveMember(this);
    }
    if (mMembers != nullptr) {
        // Each member's destructor takes itself out of the list: work on a copy, in
        // order. A member may delete a sibling on its way out (an owner of tooltips that
        // live in the same group): a copied member that has left the live list is gone
        // and is not deleted again.
        void** members = nullptr;
        const int count = mMembers->GetCount();
        if (count > 0 && mMembers->GetValueArray(&members) && members != nullptr) {
            for (int i = 0; i < count; ++i) {
                bool live = false;
                for (int j = 0; j < mMembers->GetCount() && !live; ++j) {
                    live = mMembers->GetAt(j) == members[i];
                }
                if (live) {
                    delete static_cast<LIDisplayObject*>(members[i]);
                }
            }
            delete[] members;
        }
        mMembers->RemoveAll();
        delete mMembers;
        mMembers = nullptr;
    }
}

LString LDisplayGroup::Dump() const
{
    return DumpHead("LDisplayGroup") + "]";
}

int LDisplayGroup::GetMemberCount() const
{
    return mMembers != nullptr ? mMembers->GetCount() : 0;
}

LIDisplayObject* LDisplayGroup::GetMemberAt(int aIndex) const
{
    if (mMembers == nullptr || aIndex < 0 || aIndex >= mMembers->GetCount()) {
        return nullptr;
    }
    return static_cast<LIDisplayObject*>(mMembers->GetAt(aIndex));
}

LIDisplayObject* LDisplayGroup::FindDirect(const LString& aId) const
{
    if (mMembers == nullptr || aId.IsEmpty()) {
        return nullptr;
    }
    return static_cast<LIDisplayObject*>(mMembers->Get(aId));
}

bool LDisplayGroup::Insert(LIDisplayObject* aMember, bool aSorted)
{
    const int count = mMembers->GetCount();
    for (int i = 0; i < count; ++i) {
        const LIDisplayObject* member = static_cast<const LIDisplayObject*>(mMembers->GetAt(i));
        if (member != nullptr && member->GetRelativeZ() > aMember->GetRelativeZ()) {
            if (mMembers->AddAt(i, aMember->GetId(), aMember, aSorted) == 0 &&
                mMembers->IndexOf(aMember->GetId()) < 0) {
                L_ASSERT_FAILURE("");
                return false;
            }
            return true;
        }
    }
    if (mMembers->AddAt(aMember->GetId(), aMember, aSorted) == 0 &&
        mMembers->IndexOf(aMember->GetId()) < 0) {
        L_ASSERT_FAILURE("");
        return false;
    }
    return true;
}

bool LDisplayGroup::AddMember(LIDisplayObject* aMember, bool aSorted)
{
    if (aMember == nullptr) {
        L_ERROR("Add member failure. apMember == NULL.");
        return false;
    }
    if (aMember->GetId().IsEmpty()) {
        L_ERROR("AddMember failure. ID not found.");
        return false;
    }
    if (mMembers == nullptr) {
        return false;
    }
    if (FindDirect(aMember->GetId()) != nullptr) {
        L_ERROR("Add member failure. ID duplication: " + aMember->GetId());
        return false;
    }
    if (aMember->GetGroup() != nullptr) {
        // One group at a time: the member would be drawn twice and deleted twice.
        L_ERROR("Add member failure. Member already in a group: " + aMember->GetId());
        return false;
    }
    if (!Insert(aMember, aSorted)) {
        return false;
    }
    aMember->SetGroup(this);
    return true;
}

bool LDisplayGroup::RemoveMember(LIDisplayObject* aMember)
{
    if (aMember == nullptr) {
        L_ERROR("RemoveMember failure. NULL arg.");
        return false;
    }
    if (mMembers == nullptr || FindDirect(aMember->GetId()) != aMember) {
        L_ERROR("Remove member failure: " + aMember->GetId());
        return false;
    }
    mMembers->RemoveAt(aMember->GetId(), nullptr);
    aMember->ClearGroup();
    return true;
}

bool LDisplayGroup::RemoveMember(const LString& aId, LIDisplayObject** aRemoved)
{
    LIDisplayObject* member = FindDirect(aId);
    if (member == nullptr) {
        L_ERROR("Remove member failure: " + aId);
        return false;
    }
    mMembers->RemoveAt(aId, nullptr);
    member->ClearGroup();
    if (aRemoved != nullptr) {
        *aRemoved = member;
    }
    return true;
}

bool LDisplayGroup::GetMember(const LString& aPath, LIDisplayObject** aOut)
{
    if (aPath.IsEmpty()) {
        return false;
    }
    LDisplayGroup* group = this;
    int start = 0;
    while (true) {
        const int dot = aPath.Find(u".", start);
        if (dot < 0) {
            LIDisplayObject* member = group->FindDirect(aPath.Mid(start, aPath.GetLength() - start, 0));
            if (aOut != nullptr) {
                *aOut = member;
            }
            return member != nullptr;
        }
        LIDisplayObject* inner = group->FindDirect(aPath.Mid(start, dot - start, 0));
        LDisplayGroup* next = dynamic_cast<LDisplayGroup*>(inner);
        if (next == nullptr) {
            if (inner != nullptr) {
                L_ERROR("GetMember failure. Not a group: " + inner->GetId());
            }
            return false;
        }
        group = next;
        start = dot + 1;
    }
}

LIDisplayObject* LDisplayGroup::GetMember(const LString& aPath)
{
    LIDisplayObject* member = nullptr;
    GetMember(aPath, &member);
    return member;
}

bool LDisplayGroup::SortMembers()
{
    return mMembers != nullptr && mMembers->Sort() != 0;
}

bool LDisplayGroup::ResortMember(const LString& aId, float aRelativeZ)
{
    LIDisplayObject* member = FindDirect(aId);
    if (member == nullptr) {
        L_ERROR("Remove member failure: " + aId);
        return false;
    }
    mMembers->RemoveAt(aId, nullptr);
    member->StoreRelativeZ(aRelativeZ);
    return Insert(member, true);
}

bool LDisplayGroup::SetRelativeZ(float aRelativeZ)
{
    StoreRelativeZ(aRelativeZ);
    if (mParent != nullptr) {
        return mParent->ResortMember(mId, aRelativeZ);
    }
    return true;
}

bool LDisplayGroup::Render(LRenderer* aRenderer)
{
    UpdateForRender();
    if (!IsActive() || !IsVisible()) {
        return true;
    }
    LRectangle* clip = GetWorldClipArea();
    LRectangle* previous = nullptr;
    if (clip != nullptr && aRenderer != nullptr) {
        previous = aRenderer->GetClip();
        aRenderer->SetClip(clip);
    }
    bool result = true;
    for (int i = 0; i < GetMemberCount(); ++i) {
        LIDisplayObject* member = GetMemberAt(i);
        if (member != nullptr) {
            result = member->Render(aRenderer) && result;
        }
    }
    if (clip != nullptr && aRenderer != nullptr) {
        aRenderer->SetClip(previous);
    }
    return result;
}

// Marks reach every member ----------------------------------------------------------------

void LDisplayGroup::InvalidateActive()
{
    LIDisplayObject::InvalidateActive();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateActive();
    }
}

void LDisplayGroup::InvalidateBlend()
{
    LIDisplayObject::InvalidateBlend();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateBlend();
    }
}

void LDisplayGroup::InvalidateEnabled()
{
    LIDisplayObject::InvalidateEnabled();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateEnabled();
    }
}

void LDisplayGroup::InvalidateRotation()
{
    LIDisplayObject::InvalidateRotation();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateRotation();
    }
}

void LDisplayGroup::InvalidateScale()
{
    LIDisplayObject::InvalidateScale();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateScale();
    }
}

void LDisplayGroup::InvalidatePosition()
{
    LIDisplayObject::InvalidatePosition();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateTransform();
    }
}

void LDisplayGroup::InvalidateTransform()
{
    LIDisplayObject::InvalidateTransform();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateTransform();
    }
}

void LDisplayGroup::InvalidateVisible()
{
    LIDisplayObject::InvalidateVisible();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->InvalidateVisible();
    }
}

void LDisplayGroup::UpdateAll()
{
    LIDisplayObject::UpdateAll();
    for (int i = 0; i < GetMemberCount(); ++i) {
        GetMemberAt(i)->UpdateAll();
    }
}
