// The creator of device textures, id "texture".
#pragma once
#include "object/LIObjectCreator.h"

class LTextureDX9Creator : public LIObjectCreator
{
public:
    LTextureDX9Creator();
    ~LTextureDX9Creator() override;

    LString Dump() const override;
    LObject* Create() override;
};
