#include "state/LStateManagerCreator.h"

#include "state/LStateManager.h"

LStateManagerCreator::LStateManagerCreator()
    : LIObjectCreator(u"statemanager")
{
}

LStateManagerCreator::~LStateManagerCreator() = default;

LString LStateManagerCreator::Dump() const
{
    return DumpHead("LStateManagerCreator") + "]";
}

LObject* LStateManagerCreator::Create()
{
    return LStateManager::Get();
}
