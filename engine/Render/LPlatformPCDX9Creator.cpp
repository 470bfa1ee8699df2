#include "Render/LPlatformPCDX9Creator.h"

#include "Render/LPlatformPCDX9.h"
#include "memory/LMemoryManager.h"

LPlatformPCDX9Creator::LPlatformPCDX9Creator()
    : LIObjectCreator(LString("platform"))
{
}

LPlatformPCDX9Creator::~LPlatformPCDX9Creator() = default;

LString LPlatformPCDX9Creator::Dump() const
{
    return DumpHead("LPlatformPCDX9Creator") + "]";
}

LObject* LPlatformPCDX9Creator::Create()
{
    return L_NEW LPlatformPCDX9();
}

LIObjectCreator* LIPlatform::NewDefaultCreator()
{
    return L_NEW LPlatformPCDX9Creator();
}
