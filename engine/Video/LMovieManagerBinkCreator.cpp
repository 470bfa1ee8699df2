#include "Video/LMovieManagerBinkCreator.h"

#include "Video/LMovieManagerBink.h"
#include "memory/LMemoryManager.h"

LMovieManagerBinkCreator::LMovieManagerBinkCreator()
    : LIObjectCreator(LString("moviemanager"))
{
}

LString LMovieManagerBinkCreator::Dump() const
{
    return DumpHead("LMovieManagerBinkCreator") + "]";
}

LObject* LMovieManagerBinkCreator::Create()
{
    return L_NEW LMovieManagerBink();
}

LIObjectCreator* LIMovieManager::NewDefaultCreator()
{
    return L_NEW LMovieManagerBinkCreator();
}
