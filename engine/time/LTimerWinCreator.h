// The creator of the timer service, id "timer": a new LTimerWin per call.
#pragma once
#include "object/LIObjectCreator.h"

class LTimerWinCreator : public LIObjectCreator
{
public:
    LTimerWinCreator();
    ~LTimerWinCreator() override;

    LString Dump() const override;
    LObject* Create() override;
};
