#include "menu/GMOptionToggle.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LString GMOptionToggle::Dump() const
{
    return DumpHead("GMOptionToggle") + "]";
}

int GMOptionToggle::Create(LPropertyList* aList, LDisplayGroup* aParent)
{
    if (aList == nullptr || aParent == nullptr) {
        L_ERROR("Create failure. NULL arg.");
        return 0;
    }
    bool found = false;
    const LString id = aList->GetString(LString("id"), found);
    if (!found) {
        L_ASSERT_FAILURE("");
    }
    LDisplayGroup* group = L_NEW LDisplayGroup();
    group->SetId(id);
    LButton* buttons[2] = {};
    for (int i = 0; i < 2; ++i) {
        // The first entry is "id": the buttons are the second and third.
        LPropertyList* entry = aList->GetCount() > i + 1 ? aList->GetListAt(i + 1) : nullptr;
        buttons[i] = entry != nullptr ? LLayoutBuilder::BuildButton(entry, this) : nullptr;
        if (buttons[i] == nullptr) {
            L_ERROR(LString("Create failure. Button entry missing or refused: ") + id);
            delete group;
            return 0;
        }
        if (!group->AddMember(buttons[i], true)) {
            L_ERROR(LString("Create failure. Button refused by the group: ") + id);
            delete buttons[i];
            delete group;
            return 0;
        }
    }
    if (!aParent->AddMember(group, true)) {
        L_ERROR(LString("Create failure. Group refused by the parent: ") + id);
        delete group;
        return 0;
    }
    mFirst = buttons[0];
    mSecond = buttons[1];
    SetValue(0);
    return 1;
}

void GMOptionToggle::SetValue(int aValue)
{
    mValue = aValue;
    if (aValue != 0 && aValue != 1) {
        return;
    }
    if (mFirst != nullptr) {
        mFirst->SetHilighted(aValue == 0);
    }
    if (mSecond != nullptr) {
        mSecond->SetHilighted(aValue == 1);
    }
}

void GMOptionToggle::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    SetValue(aId.EqualsNoCase(u"on") ? 0 : 1);
}
