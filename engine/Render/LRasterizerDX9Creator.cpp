#include "Render/LRasterizerDX9Creator.h"

#include "Render/LRasterizerDX9.h"
#include "memory/LMemoryManager.h"

LRasterizerDX9Creator::LRasterizerDX9Creator()
    : LIObjectCreator(LString("rasterizer"))
{
}

LRasterizerDX9Creator::~LRasterizerDX9Creator() = default;

LString LRasterizerDX9Creator::Dump() const
{
    // The tag names the creator's words in this order, unlike the class name.
    return DumpHead("LRasterizerCreatorDX9") + "]";
}

LObject* LRasterizerDX9Creator::Create()
{
    return L_NEW LRasterizerDX9();
}
