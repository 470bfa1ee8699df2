// The creator of the device capabilities, id "devicecaps".
#pragma once
#include "object/LIObjectCreator.h"

class LDeviceCapabilitiesDX9Creator : public LIObjectCreator
{
public:
    LDeviceCapabilitiesDX9Creator();
    ~LDeviceCapabilitiesDX9Creator() override;

    LString Dump() const override;
    LObject* Create() override;
};
