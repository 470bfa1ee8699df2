// The creator of the platform, id "platform".
#pragma once
#include "object/LIObjectCreator.h"

class LPlatformPCDX9Creator : public LIObjectCreator
{
public:
    LPlatformPCDX9Creator();
    ~LPlatformPCDX9Creator() override;

    LString Dump() const override;
    LObject* Create() override;
};
