// The creator registered under "gameclock": every creation yields the game clock singleton, so
// loading a saved game reads into the one existing instance.
#pragma once
#include "object/LIObjectCreator.h"

class LGameClockCreator : public LIObjectCreator
{
public:
    LGameClockCreator();
    ~LGameClockCreator() override;

    LString Dump() const override;
    LObject* Create() override;
};
