#include "object/LIRestorable.h"

#include "object/LRestoreManager.h"

LIRestorable::LIRestorable() = default;

LIRestorable::~LIRestorable()
{
    LRestoreManager* manager = LRestoreManager::Get();
    if (manager) {
        manager->RemoveRestorable(this);
    }
}

int LIRestorable::SetRestoreId(const LString& aId)
{
    mRestoreId = aId;
    return 1;
}
