// The creator registered under "eventmanager": every creation yields the event manager singleton, so
// loading a saved game reads into the one existing instance.
#pragma once
#include "object/LIObjectCreator.h"

class LEventManagerCreator : public LIObjectCreator
{
public:
    LEventManagerCreator();
    ~LEventManagerCreator() override;

    LString Dump() const override;
    LObject* Create() override;
};
