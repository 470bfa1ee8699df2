#include "stdlib/LFileSystemWinCreator.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LFileSystemWin.h"

LFileSystemWinCreator::LFileSystemWinCreator()
    : LIObjectCreator(LString("filesystem"))
{
}

LFileSystemWinCreator::~LFileSystemWinCreator() = default;

LString LFileSystemWinCreator::Dump() const
{
    return DumpHead("LFileSystemWinCreator") + "]";
}

LObject* LFileSystemWinCreator::Create()
{
    return L_NEW LFileSystemWin();
}

LIObjectCreator* LIFileSystem::NewDefaultCreator()
{
    return L_NEW LFileSystemWinCreator();
}
