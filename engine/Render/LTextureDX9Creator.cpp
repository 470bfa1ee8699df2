#include "Render/LTextureDX9Creator.h"

#include "Render/LTextureDX9.h"
#include "memory/LMemoryManager.h"

LTextureDX9Creator::LTextureDX9Creator()
    : LIObjectCreator(LString("texture"))
{
}

LTextureDX9Creator::~LTextureDX9Creator() = default;

LString LTextureDX9Creator::Dump() const
{
    return DumpHead("LTextureDX9Creator") + "]";
}

LObject* LTextureDX9Creator::Create()
{
    return L_NEW LTextureDX9();
}
