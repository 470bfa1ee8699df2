#include "time/LGameClockCreator.h"

#include "time/LGameClock.h"

LGameClockCreator::LGameClockCreator()
    : LIObjectCreator(u"gameclock")
{
}

LGameClockCreator::~LGameClockCreator() = default;

LString LGameClockCreator::Dump() const
{
    return DumpHead("LGameClockCreator") + "]";
}

LObject* LGameClockCreator::Create()
{
    return LGameClock::Get();
}
