// Makes the sound service under the creator id "soundmanager".
#pragma once
#include "object/LIObjectCreator.h"

class LSoundManagerFMODCreator : public LIObjectCreator
{
public:
    LSoundManagerFMODCreator();

    LString Dump() const override;
    LObject* Create() override;
};
