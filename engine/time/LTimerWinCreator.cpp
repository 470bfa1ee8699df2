#include "time/LTimerWinCreator.h"

#include "memory/LMemoryManager.h"
#include "time/LTimerWin.h"

LTimerWinCreator::LTimerWinCreator()
    : LIObjectCreator(LString("timer"))
{
}

LTimerWinCreator::~LTimerWinCreator() = default;

LString LTimerWinCreator::Dump() const
{
    return DumpHead("LTimerWinCreator") + "]";
}

LObject* LTimerWinCreator::Create()
{
    return L_NEW LTimerWin();
}

LIObjectCreator* LITimer::NewDefaultCreator()
{
    return L_NEW LTimerWinCreator();
}
