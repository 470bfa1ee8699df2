#include "pda/GMIPDAPanel.h"

#include "Gdi/LDisplayGroup.h"
#include "memory/LMemoryManager.h"
#include "pda/GMPDA.h"
#include "stdlib/LLog.h"

GMIPDAPanel::GMIPDAPanel(const LString& aId) : mId(aId), mGroup(L_NEW LDisplayGroup())
{
    if (mGroup == nullptr) {
        L_ERROR("Panel group creation failure: " + aId);
        return;
    }
    mGroup->SetId(aId);
    mGroup->SetActive(false);
    GMPDA* pda = GMPDA::GetInstance();
    LDisplayGroup* pdaGroup = pda != nullptr ? pda->GetGroup() : nullptr;
    if (pdaGroup == nullptr || !pdaGroup->AddMember(mGroup, true)) {
        L_ASSERT_FAILURE("Panel group not added to the PDA: " + aId);
    }
}

GMIPDAPanel::~GMIPDAPanel()
{
    delete mGroup;
    mGroup = nullptr;
}

LString GMIPDAPanel::Dump() const
{
    return DumpHead("GMIPDAPanel") + "]";
}

bool GMIPDAPanel::Hide()
{
    if (mGroup == nullptr || !mGroup->SetActive(false)) {
        return false;
    }
    mShown = false;
    return true;
}

bool GMIPDAPanel::Show()
{
    if (mGroup == nullptr || !mGroup->SetActive(true)) {
        return false;
    }
    mShown = true;
    return true;
}
