// The creator of the rasterizer, id "rasterizer".
#pragma once
#include "object/LIObjectCreator.h"

class LRasterizerDX9Creator : public LIObjectCreator
{
public:
    LRasterizerDX9Creator();
    ~LRasterizerDX9Creator() override;

    LString Dump() const override;
    LObject* Create() override;
};
