#include "Gdi/LToolTipManager.h"

#include "Gdi/LDisplayManager.h"
#include "Gdi/LToolTip.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LToolTipManager> sManager;
} // namespace

LToolTipManager* LToolTipManager::Get()
{
    return sManager.Get(L_FILE, __LINE__, "LToolTipManager creation failure.");
}

LToolTipManager::LToolTipManager() : LHashKeyList(7, false)
{
}

LToolTipManager::~LToolTipManager()
{
    sManager.Destroyed(this);
}

LString LToolTipManager::Dump() const
{
    return DumpHead("LToolTipManager") + "]";
}

LToolTip* LToolTipManager::CreateToolTip(LIFont* aFont, const LString& aId, float aRelativeZ)
{
    if (LHashKeyList::Get(aId) != nullptr) {
        L_ERROR("CreateToolTip failure. Duplicate id:" + aId);
        return nullptr;
    }
    LToolTip* tip = L_NEW LToolTip();
    if (tip == nullptr) {
        return nullptr;
    }
    tip->SetId(aId);
    tip->SetRelativeZ(aRelativeZ);
    tip->Create(aFont);
    if (AddAt(aId, tip, true) == 0 && IndexOf(aId) < 0) {
        L_ERROR("Add failure.");
        delete tip;
        return nullptr;
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->AddMember(tip)) {
        L_ERROR("AddGroup failure:" + aId);
        if (!RemoveAt(aId, nullptr)) {
            L_ASSERT_FAILURE("");
        }
        delete tip;
        return nullptr;
    }
    return tip;
}

LToolTip* LToolTipManager::GetToolTip(const LString& aId) const
{
    return static_cast<LToolTip*>(LHashKeyList::Get(aId));
}

int LToolTipManager::RemoveToolTip(const LString& aId, LToolTip** aOut)
{
    void* value = nullptr;
    if (!RemoveAt(aId, &value) || value == nullptr) {
        return 0;
    }
    LToolTip* tip = static_cast<LToolTip*>(value);
    if (aOut != nullptr) {
        *aOut = tip;
    }
    LDisplayManager* display = LDisplayManager::Get();
    if (display == nullptr || !display->RemoveMember(aId, nullptr)) {
        L_ASSERT_FAILURE("");
    }
    return 1;
}
