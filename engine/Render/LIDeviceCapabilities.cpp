#include "Render/LIDeviceCapabilities.h"

#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LIDeviceCapabilities> sCaps;
}

LIDeviceCapabilities* LIDeviceCapabilities::Get()
{
    if (sCaps.Peek() != nullptr || sCaps.IsDestroyed()) {
        return sCaps.Peek();
    }
    LAPIObjectManager* manager = LAPIObjectManager::Get();
    LObject* object = manager != nullptr ? manager->CreateObject(LString("devicecaps"), nullptr) : nullptr;
    LIDeviceCapabilities* caps = dynamic_cast<LIDeviceCapabilities*>(object);
    if (caps == nullptr) {
        delete object;
        L_ASSERT_FAILURE("Unable to create Device Caps object");
        return nullptr;
    }
    return sCaps.Install(caps);
}

LIDeviceCapabilities::LIDeviceCapabilities() = default;

LIDeviceCapabilities::~LIDeviceCapabilities()
{
    sCaps.Destroyed(this);
}
