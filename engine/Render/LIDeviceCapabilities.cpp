#include "Render/LIDeviceCapabilities.h"

#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LCleaner.h"
#include "stdlib/LLog.h"

namespace {
LIDeviceCapabilities* sInstance = nullptr;
bool sDestroyed = false;
}

LIDeviceCapabilities* LIDeviceCapabilities::Get()
{
    if (sInstance != nullptr || sDestroyed) {
        return sInstance;
    }
    LAPIObjectManager* manager = LAPIObjectManager::Get();
    LObject* object = manager != nullptr ? manager->CreateObject(LString("devicecaps"), nullptr) : nullptr;
    LIDeviceCapabilities* caps = dynamic_cast<LIDeviceCapabilities*>(object);
    if (caps == nullptr) {
        delete object;
        L_ASSERT_FAILURE("Unable to create Device Caps object");
        return nullptr;
    }
    sInstance = caps;
    LCleaner* cleaner = LCleaner::Get();
    if (cleaner != nullptr) {
        cleaner->AddInstance(caps);
    }
    return sInstance;
}

LIDeviceCapabilities::LIDeviceCapabilities() = default;

LIDeviceCapabilities::~LIDeviceCapabilities()
{
    if (sInstance == this) {
        sInstance = nullptr;
        sDestroyed = true;
    }
}
