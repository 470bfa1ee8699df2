#include "event/LEventManagerCreator.h"

#include "event/LEventManager.h"

LEventManagerCreator::LEventManagerCreator()
    : LIObjectCreator(u"eventmanager")
{
}

LEventManagerCreator::~LEventManagerCreator() = default;

LString LEventManagerCreator::Dump() const
{
    return DumpHead("LEventManagerCreator") + "]";
}

LObject* LEventManagerCreator::Create()
{
    return LEventManager::Get();
}
