#include "pda/GMPhonePanel.h"

#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Input/LMouse.h"
#include "container/LPropertyList.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPhone.h"
#include "pda/GMPhoneDirectoryPanel.h"
#include "pda/GMPhoneMessagesPanel.h"
#include "stdlib/LLog.h"
#include "util/GMTextureRoot.h"

#include <initializer_list>

namespace {

const char* const kTextureRoot = "//textures/pda";

} // namespace

GMPhonePanel::GMPhonePanel() : GMIPDAPanel(LString("phone"))
{
}

GMPhonePanel::~GMPhonePanel()
{
    // The sub-panels own the groups they made; take those out of the phone group first.
    if (mDirectory != nullptr) {
        Detach(mDirectory->GetGroup());
    }
    if (mMessages != nullptr) {
        Detach(mMessages->GetGroup());
    }
    delete mDirectory;
    mDirectory = nullptr;
    delete mMessages;
    mMessages = nullptr;
    delete mPhoneGroup;
    mPhoneGroup = nullptr;
    mMenuGroup = nullptr;
    delete mLayout;
    mLayout = nullptr;
}

LString GMPhonePanel::Dump() const
{
    return DumpHead("GMPhonePanel") + "]";
}

bool GMPhonePanel::Create(LPropertyList* aLayout)
{
    delete mLayout;
    // The sub-panels read the layout again at every showing: the panel keeps its own copy.
    mLayout = aLayout != nullptr ? L_NEW LPropertyList(*aLayout) : L_NEW LPropertyList();
    GMTextureRoot root{LString(kTextureRoot)};
    mPhoneGroup = L_NEW LDisplayGroup();
    if (mPhoneGroup == nullptr) {
        L_ERROR("Phone group creation failure.");
        return true;
    }
    mPhoneGroup->SetId(LString("phonepanel"));
    mPhoneGroup->SetActive(false);
    LPropertyList* menu = mLayout != nullptr ? mLayout->GetList(LString("groups.g01-menu")) : nullptr;
    mMenuGroup = menu != nullptr ? LLayoutBuilder::BuildGroup(menu, true) : nullptr;
    if (mMenuGroup == nullptr) {
        L_ASSERT_FAILURE("'groups.g01-menu' not built.");
    } else if (!mPhoneGroup->AddMember(mMenuGroup, true)) {
        delete mMenuGroup;
        mMenuGroup = nullptr;
    }
    for (const char* id : {"directory", "messages"}) {
        auto* button = mMenuGroup != nullptr ? dynamic_cast<LButton*>(mMenuGroup->GetMember(LString(id))) : nullptr;
        if (button == nullptr) {
            L_ASSERT_FAILURE("");
            continue;
        }
        button->SetListener(this);
    }
    mDirectory = L_NEW GMPhoneDirectoryPanel();
    if (mDirectory != nullptr) {
        mDirectory->Create(mLayout);
    }
    mMessages = L_NEW GMPhoneMessagesPanel();
    if (mMessages != nullptr) {
        mMessages->Create(mLayout);
    }
    if (mGroup == nullptr || !mGroup->AddMember(mPhoneGroup, true)) {
        L_ASSERT_FAILURE("");
        delete mPhoneGroup;
        mPhoneGroup = nullptr;
        mMenuGroup = nullptr;
        return true;
    }
    mGroup->UpdateAll();
    return true;
}

void GMPhonePanel::Detach(LDisplayGroup* aGroup)
{
    if (aGroup != nullptr && mPhoneGroup != nullptr && aGroup->GetGroup() == mPhoneGroup) {
        mPhoneGroup->RemoveMember(aGroup);
    }
}

void GMPhonePanel::Attach(LDisplayGroup* aGroup)
{
    if (aGroup != nullptr && mPhoneGroup != nullptr && aGroup->GetGroup() == nullptr &&
        !mPhoneGroup->AddMember(aGroup, true)) {
        L_ASSERT_FAILURE("");
    }
}

bool GMPhonePanel::Show()
{
    if (GMPhone* phone = GMPhone::GetInstance()) {
        phone->UpdateTriggered();
    }
    bool ok = GMIPDAPanel::Show();
    ok = mPhoneGroup != nullptr && mPhoneGroup->SetActive(true) && ok;
    return ok;
}

bool GMPhonePanel::Hide()
{
    if (mDirectory != nullptr) {
        Detach(mDirectory->GetGroup());
        mDirectory->Hide();
        mDirectory->HangUpRinging();
    }
    if (mMessages != nullptr) {
        Detach(mMessages->GetGroup());
        mMessages->Hide();
    }
    bool ok = GMIPDAPanel::Hide();
    if (mPhoneGroup != nullptr) {
        ok = mPhoneGroup->SetActive(false) && ok;
    }
    return ok;
}

void GMPhonePanel::OnButton(const LString& aId, int aEvent)
{
    if (aEvent != XBTNEVENT_CLICKED) {
        return;
    }
    if (aId == LString("directory")) {
        if (mMessages != nullptr) {
            Detach(mMessages->GetGroup());
            mMessages->Hide();
        }
        if (mDirectory != nullptr) {
            Attach(mDirectory->GetGroup());
            mDirectory->Show();
        }
    } else if (aId == LString("messages")) {
        if (mDirectory != nullptr) {
            Detach(mDirectory->GetGroup());
            mDirectory->Hide();
        }
        if (mMessages != nullptr) {
            Attach(mMessages->GetGroup());
            mMessages->Show();
        }
    } else {
        return;
    }
    if (LMouse* mouse = LMouse::Get()) {
        mouse->Interrupt();
    }
}
