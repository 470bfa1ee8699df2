#include "Sound/LSoundManagerFMODCreator.h"

#include "Sound/LSoundManagerFMOD.h"
#include "memory/LMemoryManager.h"

LSoundManagerFMODCreator::LSoundManagerFMODCreator()
    : LIObjectCreator(LString("soundmanager"))
{
}

LString LSoundManagerFMODCreator::Dump() const
{
    return DumpHead("LSoundManagerFMODCreator") + "]";
}

LObject* LSoundManagerFMODCreator::Create()
{
    return L_NEW LSoundManagerFMOD();
}
