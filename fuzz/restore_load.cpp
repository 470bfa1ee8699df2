// Loads the input as a restore block into the event manager, the state manager and the
// game clock (registered as at start-up), then saves again and advances the clocks, so
// that whatever was loaded is also written and fired.
#include "event/LEventManager.h"
#include "object/LRegistry.h"
#include "object/LRestoreManager.h"
#include "object/LRuntimeSetup.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"
#include "time/LGameClock.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    static const bool sReady = [] {
        LRuntimeSetup::RegisterCreators(LRegistry::Get());
        LRuntimeSetup::RegisterRestorables();
        return true;
    }();
    (void)sReady;
    if (aSize > (1u << 20)) {
        return 0;
    }
    LEventManager::Get()->RemoveAllEvents();
    LStateManager::Get()->RemoveAllStates();
    LGameClock* clock = LGameClock::Get();
    clock->Reset();

    LMemoryStream input(4, -1);
    LoadFuzzInput(input, aData, aSize);
    LRestoreManager::Get()->Load(&input, 0, static_cast<int>(aSize));

    LMemoryStream output(1024, -1);
    LRestoreManager::Get()->Save(&output, 0);
    for (int i = 0; i < 4; ++i) {
        clock->Advance(i, 1000.0f, true);
    }
    clock->Advance(1000.0f, true);
    return 0;
}
