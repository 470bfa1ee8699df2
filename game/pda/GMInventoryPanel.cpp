#include "pda/GMInventoryPanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "container/LVectorInt.h"
#include "memory/LMemoryManager.h"
#include "pda/GMInventoryItem.h"
#include "pda/GMInventorySpace.h"
#include "pda/GMInventorySubpanel.h"
#include "pda/GMPDA.h"
#include "pda/GMPDAMinimized.h"
#include "pda/GMPDAScrollContent.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"
#include "util/GMSelectedCase.h"
#include "util/GMTextureRoot.h"

namespace {

const char* const kCategories[] = {"witnesses", "evidence", "documents", "reports"};
const char* const kLayoutPath = "//textures/pda/inventory_layout.txt";
const char* const kItemsPath = "//textures/pda/inventory/inventory_items.txt";
const char* const kItemRoot = "//textures/pda/inventory";
constexpr float kMenuZ = 10.0f;
// The smallest item record: cell index, unit count and the terminating unit.
constexpr int kSmallestItem = 4 + 4 + 2;

// A sub-panel's record of a saved block, checked but not yet made into items.
struct SavedSubpanel
{
    LVectorString mIds;
    LVectorInt mSpaces;
};

bool Fail(const LString& aWhat, int aSubpanel)
{
    L_ERROR("Inventory read failure. " + aWhat + " Sub-panel: " + aSubpanel);
    return false;
}

// One id: the unit count, the units (no 0 among them) and the 0 unit.
bool ReadId(LIStream* aStream, LString& aId)
{
    int count = 0;
    if (!aStream->Read(count) || count <= 0 || !aStream->Holds(static_cast<long long>(count) * 2 + 2)) {
        return false;
    }
    char16_t* units = nullptr;
    unsigned short terminator = 1;
    const bool read = aStream->Read(count, units) && aStream->Read(terminator);
    bool whole = read && terminator == 0;
    for (int i = 0; whole && i < count; ++i) {
        whole = units[i] != 0;
    }
    if (whole) {
        aId.Assign(units);
    }
    delete[] units;
    return whole;
}

bool ReadSubpanel(LIStream* aStream, int aIndex, SavedSubpanel& aOut)
{
    int count = 0;
    if (!aStream->Read(count)) {
        return Fail(LString("Block ends early."), aIndex);
    }
    if (count < 0 || count > GMInventoryPanel::CELL_COUNT || !aStream->Holds(static_cast<long long>(count) * kSmallestItem)) {
        return Fail(LString("Invalid item count: ") + count, aIndex);
    }
    bool filled[GMInventoryPanel::CELL_COUNT] = {};
    for (int i = 0; i < count; ++i) {
        int cell = -1;
        if (!aStream->Read(cell)) {
            return Fail(LString("Block ends early."), aIndex);
        }
        if (cell < 0 || cell >= GMInventoryPanel::CELL_COUNT || filled[cell]) {
            return Fail(LString("Invalid cell: ") + cell, aIndex);
        }
        filled[cell] = true;
        LString id;
        if (!ReadId(aStream, id) || aOut.mIds.Find(id) >= 0) {
            return Fail(LString("Invalid item id."), aIndex);
        }
        aOut.mIds.Add(id);
        aOut.mSpaces.Add(cell);
    }
    return true;
}

} // namespace

LString GMInventoryPanel::SplitId(const LString& aId, int& aLabKind)
{
    aLabKind = 0;
    LVectorString parts;
    aId.Split(LString("_"), &parts);
    if (parts.GetCount() != 2) {
        return aId;
    }
    const char16_t* const kinds[] = {u"CL", u"RE", u"SU"};
    for (int i = 0; i < 3; ++i) {
        if (parts[1].EqualsNoCase(kinds[i])) {
            aLabKind = i + 1;
        }
    }
    return parts[0];
}

GMInventoryPanel::GMInventoryPanel() : GMIPDAPanel(LString("inventory"))
{
    for (const char* name : kCategories) {
        mCategoryNames.Add(LString(name));
    }
}

GMInventoryPanel::~GMInventoryPanel()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    delete mMenuGroup;
    mMenuGroup = nullptr;
    // The sub-panels take their groups out of the content group; the items theirs.
    for (GMInventorySubpanel*& subpanel : mSubpanels) {
        delete subpanel;
        subpanel = nullptr;
    }
    delete mContentGroup;
    mContentGroup = nullptr;
    delete mItems;
    mItems = nullptr;
    delete mLayout;
    mLayout = nullptr;
}

LString GMInventoryPanel::Dump() const
{
    return DumpHead("GMInventoryPanel") + "]";
}

bool GMInventoryPanel::RefreshCase()
{
    int selected = 0;
    if (GMSelectedCase::Read(selected) != GMSelectedCase::RESULT_READ) {
        return false;
    }
    // A case outside 1..4 names no sub-panel.
    if (selected < 1 || selected > CASE_COUNT) {
        L_ERROR(LString("Invalid selected case: ") + selected);
        return false;
    }
    mCase = selected;
    return true;
}

GMInventorySubpanel* GMInventoryPanel::GetSubpanel(int aIndex) const
{
    return aIndex >= 0 && aIndex < SUBPANEL_COUNT ? mSubpanels[aIndex] : nullptr;
}

GMInventorySubpanel* GMInventoryPanel::CurrentSubpanel() const
{
    if (mCategory < 0 || mCategory >= CATEGORY_NONE) {
        return nullptr;
    }
    return GetSubpanel((mCase - 1) * 4 + mCategory);
}

bool GMInventoryPanel::Create(LPropertyList* aLayout)
{
    delete mLayout;
    mLayout = aLayout != nullptr ? L_NEW LPropertyList(*aLayout) : L_NEW LPropertyList();
    mMenuGroup = L_NEW LDisplayGroup();
    if (mMenuGroup != nullptr) {
        mMenuGroup->SetId(LString("inventorymenu"));
        mMenuGroup->SetRelativeZ(kMenuZ);
        if (mGroup == nullptr || !mGroup->AddMember(mMenuGroup, true)) {
            L_ASSERT_FAILURE("");
        }
    }
    LPropertyList* content = mLayout != nullptr ? mLayout->GetList(LString("groups.g02-contentarea")) : nullptr;
    if (content == nullptr) {
        L_ASSERT_FAILURE("'groups.g02-contentarea");
    } else {
        mContentGroup = LLayoutBuilder::BuildGroup(content, true);
        if (mContentGroup == nullptr) {
            L_ASSERT_FAILURE("");
        } else {
            mContentGroup->SetActive(false);
        }
    }
    if (!RefreshCase()) {
        mCase = 1;
    }
    for (int i = 0; i < SUBPANEL_COUNT; ++i) {
        GMInventorySubpanel* subpanel = L_NEW GMInventorySubpanel();
        if (subpanel == nullptr) {
            continue;
        }
        mSubpanels[i] = subpanel;
        subpanel->Create(mCategoryNames[i % 4] + (i / 4 + 1), mLayout);
        if (mContentGroup != nullptr && subpanel->GetGroup() != nullptr &&
            !mContentGroup->AddMember(subpanel->GetGroup(), true)) {
            L_ASSERT_FAILURE("");
        }
    }
    if (mGroup != nullptr) {
        mGroup->UpdateAll();
    }
    if (mMenuGroup != nullptr) {
        mMenuGroup->UpdateAll();
    }
    SelectCategory(CATEGORY_EVIDENCE);
    delete mItems;
    mItems = L_NEW LPropertyList();
    if (mItems != nullptr && !mItems->Load(LString(kItemsPath), true)) {
        L_ASSERT_FAILURE("");
    }
    return true;
}

bool GMInventoryPanel::SelectCategory(int aCategory)
{
    if (aCategory < 0 || aCategory >= CATEGORY_NONE) {
        L_ERROR(LString("SelectCategory failure. Invalid category: ") + aCategory);
        return false;
    }
    if (aCategory == mCategory) {
        return true;
    }
    if (mCategory != CATEGORY_NONE) {
        auto* button = mMenuGroup != nullptr ? dynamic_cast<LButton*>(mMenuGroup->GetMember(mCategoryNames[mCategory]))
                                             : nullptr;
        if (button != nullptr) {
            button->SetEnabled(true);
            button->UpdateStateObjects();
        }
        if (GMInventorySubpanel* shown = CurrentSubpanel()) {
            shown->Hide();
        }
    }
    RefreshCase();
    mCategory = aCategory;
    // While the panel is hidden its sub-panels stay hidden; Show shows the current one.
    if (GMInventorySubpanel* subpanel = CurrentSubpanel(); subpanel != nullptr && mShown) {
        subpanel->Show();
    }
    auto* button =
        mMenuGroup != nullptr ? dynamic_cast<LButton*>(mMenuGroup->GetMember(mCategoryNames[aCategory])) : nullptr;
    if (button != nullptr) {
        button->SetEnabled(false);
    }
    if (GMPDA* pda = GMPDA::GetInstance()) {
        pda->ResetScroll();
    }
    return true;
}

bool GMInventoryPanel::Show()
{
    bool ok = true;
    {
        LPropertyList layout;
        LPropertyList* buttons = nullptr;
        if (layout.Load(LString(kLayoutPath), true)) {
            buttons = layout.GetList(LString("groups.g01-inventorymenu.buttons"));
        }
        GMTextureRoot root{LString("//textures/pda")};
        for (int i = 0; buttons != nullptr && mMenuGroup != nullptr && i < buttons->GetCount(); ++i) {
            LButton* button = LLayoutBuilder::BuildButton(buttons->GetListAt(i), this);
            if (button == nullptr) {
                ok = false;
                continue;
            }
            if (i == mCategory) {
                button->SetEnabled(false);
            }
            if (!mMenuGroup->AddMember(button, true)) {
                delete button;
                ok = false;
            }
        }
    }
    ok = GMIPDAPanel::Show() && ok;
    if (mMenuGroup != nullptr) {
        ok = mMenuGroup->SetActive(true) && ok;
    }
    GMPDA* pda = GMPDA::GetInstance();
    if (mContentGroup != nullptr) {
        ok = mContentGroup->SetActive(true) && ok;
        ok = pda != nullptr && pda->SetScrollContentGroup(mContentGroup) && ok;
    }
    if (!RefreshCase()) {
        L_ASSERT_FAILURE("");
    }
    if (GMInventorySubpanel* subpanel = CurrentSubpanel()) {
        ok = subpanel->Show() && ok;
    }
    if (pda != nullptr) {
        pda->ResetScroll();
    }
    if (LMouse* mouse = LMouse::Get()) {
        ok = mouse->AddMember(this, 0.0f) && ok;
        mouse->SetDoubleClickEnabled(false);
    }
    return ok;
}

void GMInventoryPanel::RemoveCategoryButtons()
{
    for (int i = 0; mMenuGroup != nullptr && i < mCategoryNames.GetCount(); ++i) {
        // A panel that was never shown, or hidden twice (the PDA hides every panel as it
        // closes), has none to remove.
        if (mMenuGroup->GetMember(mCategoryNames[i]) == nullptr) {
            continue;
        }
        LIDisplayObject* button = nullptr;
        // The PDA hides every panel when it closes: a panel not shown has no buttons.
        if (mMenuGroup->GetMember(mCategoryNames[i]) != nullptr &&
            mMenuGroup->RemoveMember(mCategoryNames[i], &button)) {
            delete button;
        }
    }
}

bool GMInventoryPanel::Hide()
{
    // The PDA hides every panel when it closes: only the shown one had turned them off.
    LMouse* mouse = LMouse::Get();
    if (mouse != nullptr && mShown) {
        mouse->SetDoubleClickEnabled(true);
    }
    if (mouse != nullptr) {
        mouse->RemoveListener(this);
    }
    bool ok = GMIPDAPanel::Hide();
    RemoveCategoryButtons();
    if (mMenuGroup != nullptr) {
        ok = mMenuGroup->SetActive(false) && ok;
    }
    if (mContentGroup != nullptr) {
        ok = mContentGroup->SetActive(false) && ok;
    }
    // Every sub-panel: the case may have changed since the shown one was chosen.
    for (GMInventorySubpanel* subpanel : mSubpanels) {
        if (subpanel != nullptr && subpanel->GetGroup() != nullptr && subpanel->GetGroup()->GetActive()) {
            ok = subpanel->Hide() && ok;
        }
    }
    return ok;
}

bool GMInventoryPanel::AddItem(const LString& aId)
{
    RefreshCase();
    int labKind = 0;
    const LString key = SplitId(aId, labKind);
    LPropertyList* entry =
        mItems != nullptr ? mItems->GetList(LString("items.case") + mCase + "." + key) : nullptr;
    if (entry == nullptr) {
        Log("GMInventoryPanel unable to add item: " + key);
        return false;
    }
    int category = CATEGORY_REPORTS;
    if (labKind == 0) {
        bool found = false;
        const LString type = entry->GetString(LString("type"), found);
        if (!found) {
            L_ASSERT_FAILURE("'type' not found.");
        }
        category = mCategoryNames.Find(type);
        if (category < 0) {
            L_ASSERT_FAILURE("Invalid panel type.");
            return false;
        }
    }
    GMInventorySubpanel* subpanel = GetSubpanel((mCase - 1) * 4 + category);
    if (subpanel == nullptr) {
        return false;
    }
    // The item's own id: its sprite id with the lab suffix in lower case.
    bool found = false;
    const LString spriteId = entry->GetString(LString("sprite.id"), found);
    const LString id = (found ? spriteId : key) + GMInventoryItem::LabSuffix(labKind);
    if (subpanel->GetItem(id) != nullptr) {
        return true;
    }
    if (subpanel->IsFull()) {
        L_ERROR("AddItem failure. No free cell for: " + id);
        return false;
    }
    GMInventoryItem* item = nullptr;
    {
        GMTextureRoot root{LString(kItemRoot)};
        item = L_NEW GMInventoryItem();
        if (item == nullptr || !item->Create(entry, labKind)) {
            L_ASSERT_FAILURE("Item creation failure.");
            delete item;
            return false;
        }
        if (GMPDAMinimized* bar = GMPDAMinimized::GetInstance()) {
            bar->ShowNewItem(entry);
        }
    }
    return subpanel->SetItem(item->GetId(), item);
}

void GMInventoryPanel::RemoveAllItems()
{
    for (GMInventorySubpanel* subpanel : mSubpanels) {
        if (subpanel != nullptr) {
            subpanel->RemoveAllItems();
        }
    }
}

bool GMInventoryPanel::Write(LIStream* aStream) const
{
    if (aStream == nullptr) {
        L_ERROR("Write failure. NULL arg.");
        return false;
    }
    bool ok = true;
    for (GMInventorySubpanel* subpanel : mSubpanels) {
        LVectorString ids;
        LVectorInt spaces;
        if (subpanel != nullptr) {
            subpanel->GetItems(&ids, &spaces);
        }
        ok = aStream->Write(ids.GetCount()) && ok;
        for (int i = 0; i < ids.GetCount(); ++i) {
            ok = aStream->Write(spaces[i]) && ok;
            ok = aStream->Write(ids[i]) && ok;
        }
    }
    return ok;
}

bool GMInventoryPanel::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ERROR("Read failure. NULL arg.");
        return false;
    }
    SavedSubpanel saved[SUBPANEL_COUNT];
    for (int i = 0; i < SUBPANEL_COUNT; ++i) {
        if (!ReadSubpanel(aStream, i, saved[i])) {
            return false;
        }
    }
    GMTextureRoot root{LString(kItemRoot)};
    for (int i = 0; i < SUBPANEL_COUNT; ++i) {
        GMInventorySubpanel* subpanel = mSubpanels[i];
        if (subpanel == nullptr) {
            continue;
        }
        subpanel->RemoveAllItems();
        for (int k = 0; k < saved[i].mIds.GetCount(); ++k) {
            int labKind = 0;
            const LString key = SplitId(saved[i].mIds[k], labKind);
            LPropertyList* entry =
                mItems != nullptr ? mItems->GetList(LString("items.case") + (i / 4 + 1) + "." + key) : nullptr;
            if (entry == nullptr) {
                continue;
            }
            GMInventoryItem* item = L_NEW GMInventoryItem();
            if (item == nullptr || !item->Create(entry, labKind)) {
                L_ASSERT_FAILURE("Item creation failure.");
                delete item;
                continue;
            }
            subpanel->SetItemAtIndex(item, saved[i].mSpaces[k]);
        }
    }
    return true;
}

LString GMInventoryPanel::GetItem(int aSubpanel, int aCell) const
{
    GMInventorySubpanel* subpanel = GetSubpanel(aSubpanel);
    GMInventorySpace* space = subpanel != nullptr ? subpanel->GetSpace(aCell) : nullptr;
    GMInventoryItem* item = space != nullptr ? space->GetItem() : nullptr;
    return item != nullptr ? item->GetId() : LString();
}

int GMInventoryPanel::GetItemCount() const
{
    int count = 0;
    for (GMInventorySubpanel* subpanel : mSubpanels) {
        count += subpanel != nullptr ? subpanel->GetItemCount() : 0;
    }
    return count;
}

void GMInventoryPanel::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_PRESSED) {
        return;
    }
    const int category = mCategoryNames.Find(aId);
    if (category >= 0) {
        SelectCategory(category);
    }
}

void GMInventoryPanel::OnWheel(float aDelta)
{
    GMPDAScrollContent::ScrollStep(aDelta);
}
