#include "Math/LMatrixUtilDX9Creator.h"

#include "Math/LMatrixUtilDX9.h"
#include "memory/LMemoryManager.h"

LMatrixUtilDX9Creator::LMatrixUtilDX9Creator()
    : LIObjectCreator(LString("matrixutil"))
{
}

LMatrixUtilDX9Creator::~LMatrixUtilDX9Creator() = default;

LString LMatrixUtilDX9Creator::Dump() const
{
    return DumpHead("LMatrixUtilDX9Creator") + "]";
}

LObject* LMatrixUtilDX9Creator::Create()
{
    return L_NEW LMatrixUtilDX9();
}

LIObjectCreator* LIMatrixUtil::NewDefaultCreator()
{
    return L_NEW LMatrixUtilDX9Creator();
}
