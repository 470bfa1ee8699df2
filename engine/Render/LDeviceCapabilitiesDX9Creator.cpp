#include "Render/LDeviceCapabilitiesDX9Creator.h"

#include "Render/LDeviceCapabilitiesDX9.h"
#include "memory/LMemoryManager.h"

LDeviceCapabilitiesDX9Creator::LDeviceCapabilitiesDX9Creator()
    : LIObjectCreator(LString("devicecaps"))
{
}

LDeviceCapabilitiesDX9Creator::~LDeviceCapabilitiesDX9Creator() = default;

LString LDeviceCapabilitiesDX9Creator::Dump() const
{
    return DumpHead("LDeviceCapabilitiesDX9Creator") + "]";
}

LObject* LDeviceCapabilitiesDX9Creator::Create()
{
    return L_NEW LDeviceCapabilitiesDX9();
}
