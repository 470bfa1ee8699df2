#include "object/LRuntimeSetup.h"

#include "event/LEventManager.h"
#include "event/LEventManagerCreator.h"
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "object/LRestoreManager.h"
#include "state/LStateManager.h"
#include "state/LStateManagerCreator.h"
#include "stdlib/LLog.h"
#include "time/LGameClock.h"
#include "time/LGameClockCreator.h"

namespace {

int Add(LRegistry* aRegistry, LIObjectCreator* aCreator)
{
    if (!aCreator) {
        L_ERROR(u"RegisterCreators failure. Out of memory.");
        return 0;
    }
    if (!aRegistry->AddCreator(aCreator)) {
        delete aCreator;
        return 0;
    }
    return 1;
}

} // namespace

int LRuntimeSetup::RegisterCreators(LRegistry* aRegistry)
{
    if (!aRegistry) {
        L_ERROR(u"Invalid argument.");
        return 0;
    }
    int ok = Add(aRegistry, L_NEW LEventManagerCreator());
    ok = Add(aRegistry, L_NEW LStateManagerCreator()) && ok;
    ok = Add(aRegistry, L_NEW LGameClockCreator()) && ok;
    return ok;
}

int LRuntimeSetup::RegisterRestorables()
{
    LRestoreManager* manager = LRestoreManager::Get();
    if (!manager) {
        return 0;
    }
    LIRestorable* restorables[] = {LEventManager::Get(), LStateManager::Get(), LGameClock::Get()};
    int ok = 1;
    for (LIRestorable* restorable : restorables) {
        if (!restorable || !manager->AddRestorable(restorable)) {
            ok = 0;
        }
    }
    return ok;
}
