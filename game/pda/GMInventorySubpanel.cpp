#include "pda/GMInventorySubpanel.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSprite.h"
#include "container/LHashKeyList.h"
#include "container/LPropertyList.h"
#include "container/LVectorInt.h"
#include "container/LVectorString.h"
#include "memory/LMemoryManager.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventorySpace.h"
#include "pda/GMPDA.h"
#include "stdlib/LLog.h"

namespace {

constexpr float kGlowZ = 5.0f;
constexpr float kCellZ = -5.0f;
constexpr float kItemZ = 10.0f;
// Below the last row's top: the cell's height and a margin.
constexpr int kLastRowExtra = 54;

} // namespace

GMInventorySubpanel::GMInventorySubpanel() : mTable(L_NEW LHashKeyList(7, false))
{
}

GMInventorySubpanel::~GMInventorySubpanel()
{
    delete mTable;
    mTable = nullptr;
    mGlowTarget = nullptr;
    for (GMInventorySpace*& space : mSpaces) {
        delete space;
        space = nullptr;
    }
    // Its members (cells, glow) go with it; the items' groups left with the items.
    delete mGroup;
    mGroup = nullptr;
    mGlow = nullptr;
}

LString GMInventorySubpanel::Dump() const
{
    return DumpHead("GMInventorySubpanel") + "]";
}

bool GMInventorySubpanel::Create(const LString& aName, LPropertyList* aLayout)
{
    mLayout = aLayout;
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        L_ERROR("Create failure: " + aName);
        return false;
    }
    mGroup->SetId(aName);
    mGroup->SetActive(false);
    LPropertyList* glow = aLayout != nullptr ? aLayout->GetList(LString("misc.glow")) : nullptr;
    if (glow == nullptr) {
        L_ASSERT_FAILURE("'misc.glow' not found.");
    } else {
        mGlow = LLayoutBuilder::BuildSprite(glow);
        if (mGlow == nullptr) {
            L_ASSERT_FAILURE("Glow sprite creation failure.");
        } else {
            mGlow->SetActive(false);
            mGlow->SetRelativeZ(kGlowZ);
            if (!mGroup->AddMember(mGlow, true)) {
                delete mGlow;
                mGlow = nullptr;
            }
        }
    }
    BuildGrid();
    return true;
}

void GMInventorySubpanel::BuildGrid()
{
    LPropertyList* cell = mLayout != nullptr ? mLayout->GetList(LString("misc.contentareasprite")) : nullptr;
    if (cell == nullptr) {
        L_ASSERT_FAILURE("'misc.contentareasprite' not found.");
    }
    float y = 0.0f;
    for (int i = 0; i < CELL_COUNT; ++i) {
        const float x = CELL_WIDTH * static_cast<float>(i % COLUMNS);
        y = CELL_HEIGHT * static_cast<float>(i / COLUMNS);
        LSprite* sprite = cell != nullptr ? LLayoutBuilder::BuildSprite(cell) : nullptr;
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetId(LString("gridbox_") + i);
        sprite->SetRelativeZ(kCellZ);
        sprite->SetPosition(x, y);
        if (!mGroup->AddMember(sprite, false)) {
            delete sprite;
            continue;
        }
        GMInventorySpace* space = L_NEW GMInventorySpace();
        if (space != nullptr && !space->Create(this, sprite)) {
            L_ASSERT_FAILURE(LString("Cell not made: ") + i);
        }
        mSpaces[i] = space;
    }
    if (!mGroup->SortMembers()) {
        L_ASSERT_FAILURE("");
    }
    mContentHeight = static_cast<int>(y) + kLastRowExtra;
}

GMInventorySpace* GMInventorySubpanel::GetSpace(int aIndex) const
{
    return aIndex >= 0 && aIndex < CELL_COUNT ? mSpaces[aIndex] : nullptr;
}

bool GMInventorySubpanel::Show()
{
    if (mGroup == nullptr) {
        return false;
    }
    bool ok = mGroup->SetActive(true);
    GMPDA* pda = GMPDA::GetInstance();
    ok = pda != nullptr && pda->SetScrollContentHeight(mContentHeight) && ok;
    RefreshItems();
    return ok;
}

bool GMInventorySubpanel::Hide()
{
    if (mGroup == nullptr) {
        return false;
    }
    const bool ok = mGroup->SetActive(false);
    DeactivateGlow(mGlowTarget);
    RefreshItems();
    return ok;
}

void GMInventorySubpanel::RefreshItems()
{
    for (GMInventorySpace* space : mSpaces) {
        GMInventoryItem* item = space != nullptr ? space->GetItem() : nullptr;
        if (item != nullptr) {
            item->RefreshActive();
            if (item->GetGroup() != nullptr) {
                item->GetGroup()->SetRelativeZ(kItemZ);
            }
        }
    }
}

void GMInventorySubpanel::RemoveAllItems()
{
    if (mTable != nullptr) {
        mTable->RemoveAll();
    }
    for (GMInventorySpace* space : mSpaces) {
        GMInventoryItem* item = nullptr;
        if (space != nullptr && space->GetItem() != nullptr && space->RemoveItem(&item)) {
            // The item's group leaves this group as it goes.
            delete item;
        }
    }
    DeactivateGlow(mGlowTarget);
}

GMInventoryItem* GMInventorySubpanel::GetItem(const LString& aId) const
{
    const auto* space = mTable != nullptr ? static_cast<GMInventorySpace*>(mTable->Get(aId)) : nullptr;
    return space != nullptr ? space->GetItem() : nullptr;
}

int GMInventorySubpanel::FirstFreeSpace() const
{
    for (int i = 0; i < CELL_COUNT; ++i) {
        if (mSpaces[i] != nullptr && mSpaces[i]->GetItem() == nullptr) {
            return i;
        }
    }
    return -1;
}

bool GMInventorySubpanel::IsFull() const
{
    return FirstFreeSpace() < 0;
}

int GMInventorySubpanel::GetItemCount() const
{
    int count = 0;
    for (GMInventorySpace* space : mSpaces) {
        count += space != nullptr && space->GetItem() != nullptr ? 1 : 0;
    }
    return count;
}

bool GMInventorySubpanel::Place(const LString& aId, GMInventoryItem* aItem, int aSpace)
{
    GMInventorySpace* space = GetSpace(aSpace);
    if (mTable == nullptr || mGroup == nullptr || space == nullptr || mTable->IndexOf(aId) >= 0 ||
        !space->SetItem(aItem)) {
        L_ERROR("SetItem failure. Item not placed: " + aId + " Cell: " + aSpace);
        delete aItem;
        return false;
    }
    mTable->AddAt(aId, space, true);
    // An item moved between cells is in the group already.
    LDisplayGroup* group = aItem->GetGroup();
    if (group != nullptr && group->GetGroup() != mGroup && !mGroup->AddMember(group, true)) {
        L_ASSERT_FAILURE("");
    }
    // Placed before it joined the group: its activity follows the group now.
    aItem->RefreshActive();
    return true;
}

bool GMInventorySubpanel::SetItem(const LString& aId, GMInventoryItem* aItem)
{
    if (aItem == nullptr) {
        L_ERROR("SetItem failure. NULL arg.");
        return false;
    }
    if (!Place(aId, aItem, FirstFreeSpace())) {
        return false;
    }
    if (aItem->GetGroup() != nullptr) {
        aItem->GetGroup()->SetRelativeZ(kItemZ);
    }
    return true;
}

bool GMInventorySubpanel::SetItemAtIndex(GMInventoryItem* aItem, int aSpace)
{
    if (aItem == nullptr) {
        L_ERROR("SetItemAtIndex failure. NULL arg.");
        return false;
    }
    return Place(aItem->GetId(), aItem, aSpace);
}

bool GMInventorySubpanel::GetItems(LVectorString* aIds, LVectorInt* aSpaces) const
{
    if (aIds == nullptr || aSpaces == nullptr) {
        L_ERROR("GetItems failure. NULL arg.");
        return false;
    }
    for (int i = 0; i < CELL_COUNT; ++i) {
        GMInventoryItem* item = mSpaces[i] != nullptr ? mSpaces[i]->GetItem() : nullptr;
        if (item != nullptr) {
            aIds->Add(item->GetId());
            aSpaces->Add(i);
        }
    }
    return true;
}

bool GMInventorySubpanel::AddItemToSpace(GMInventoryItem* aItem, GMInventorySpace* aSpace)
{
    if (aItem == nullptr || aSpace == nullptr || mTable == nullptr) {
        L_ERROR("AddItemToSpace failure. NULL arg.");
        return false;
    }
    const LString id = aItem->GetId();
    if (mTable->IndexOf(id) >= 0) {
        L_ERROR("AddItemToSpace failure. Item already assigned to different space.");
        return false;
    }
    if (!aSpace->SetItem(aItem)) {
        return false;
    }
    mTable->AddAt(id, aSpace, true);
    return true;
}

bool GMInventorySubpanel::RemoveItemById(const LString& aId, GMInventoryItem** aOut)
{
    auto* space = mTable != nullptr ? static_cast<GMInventorySpace*>(mTable->Get(aId)) : nullptr;
    if (space == nullptr || !space->RemoveItem(aOut)) {
        return false;
    }
    mTable->RemoveAt(aId, nullptr);
    return true;
}

void GMInventorySubpanel::ActivateGlow(GMInventorySpace* aSpace, const LVector2& aPosition)
{
    if (aSpace == nullptr) {
        L_ERROR("ActivateGlow failure. NULL arg.");
        return;
    }
    mGlowTarget = aSpace;
    if (mGlow != nullptr) {
        mGlow->SetPosition(aPosition);
        mGlow->SetActive(true);
    }
}

void GMInventorySubpanel::DeactivateGlow(GMInventorySpace* aSpace)
{
    if (aSpace == nullptr || aSpace != mGlowTarget) {
        return;
    }
    mGlowTarget = nullptr;
    if (mGlow != nullptr) {
        mGlow->SetActive(false);
    }
}
