// The creator of the matrix utility, id "matrixutil": a new LMatrixUtilDX9 per call.
#pragma once
#include "object/LIObjectCreator.h"

class LMatrixUtilDX9Creator : public LIObjectCreator
{
public:
    LMatrixUtilDX9Creator();
    ~LMatrixUtilDX9Creator() override;

    LString Dump() const override;
    LObject* Create() override;
};
