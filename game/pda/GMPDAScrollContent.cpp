#include "pda/GMPDAScrollContent.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LScrollBar.h"
#include "Input/LMouse.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "stdlib/LLog.h"
#include "util/GMSelectedCase.h"

bool GMPDAScrollContent::GetSelectedCase(int& aCase)
{
    return GMSelectedCase::Read(aCase) == GMSelectedCase::RESULT_READ;
}

void GMPDAScrollContent::ScrollStep(float aDelta)
{
    GMPDA* pda = GMPDA::GetInstance();
    LScrollBar* bar = pda != nullptr ? pda->GetScrollBar() : nullptr;
    if (bar != nullptr) {
        bar->ScrollStep(aDelta >= 0.0f);
    }
}

GMPDAScrollContent::GMPDAScrollContent(const LString& aId) : mId(aId)
{
}

GMPDAScrollContent::~GMPDAScrollContent()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    Delete();
}

LDisplayGroup* GMPDAScrollContent::Renew()
{
    Delete();
    mGroup = L_NEW LDisplayGroup();
    if (mGroup == nullptr) {
        L_ERROR("Content group creation failure: " + mId);
        return nullptr;
    }
    mGroup->SetId(mId);
    return mGroup;
}

bool GMPDAScrollContent::IsInScrollArea() const
{
    if (mGroup == nullptr || mGroup->GetGroup() == nullptr) {
        return false;
    }
    GMPDA* pda = GMPDA::GetInstance();
    return pda != nullptr && pda->GetScrollContent() == mGroup;
}

void GMPDAScrollContent::Delete()
{
    if (mGroup == nullptr) {
        return;
    }
    if (IsInScrollArea()) {
        GMPDA::GetInstance()->ClearScrollContentGroup();
    }
    delete mGroup;
    mGroup = nullptr;
}

bool GMPDAScrollContent::Show(int aHeight)
{
    bool ok = mGroup != nullptr;
    if (mGroup != nullptr) {
        ok = mGroup->SetActive(true) && ok;
        ok = mGroup->SetEnabled(true) && ok;
    }
    GMPDA* pda = GMPDA::GetInstance();
    ok = pda != nullptr && mGroup != nullptr && pda->SetScrollContentGroup(mGroup) != 0 && ok;
    ok = pda != nullptr && pda->SetScrollContentHeight(aHeight) != 0 && ok;
    LMouse* mouse = LMouse::Get();
    if (mouse != nullptr) {
        mouse->RemoveListener(this);
    }
    ok = mouse != nullptr && mouse->AddMember(this, 0.0f) && ok;
    return ok;
}

void GMPDAScrollContent::Hide()
{
    if (LMouse* mouse = LMouse::Get()) {
        mouse->RemoveListener(this);
    }
    if (mGroup == nullptr) {
        return;
    }
    if (IsInScrollArea()) {
        GMPDA::GetInstance()->ClearScrollContentGroup();
    }
    mGroup->SetActive(false);
}

void GMPDAScrollContent::OnWheel(float aDelta)
{
    ScrollStep(aDelta);
}
