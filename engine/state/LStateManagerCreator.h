// The creator registered under "statemanager": every creation yields the state manager singleton, so
// loading a saved game reads into the one existing instance.
#pragma once
#include "object/LIObjectCreator.h"

class LStateManagerCreator : public LIObjectCreator
{
public:
    LStateManagerCreator();
    ~LStateManagerCreator() override;

    LString Dump() const override;
    LObject* Create() override;
};
