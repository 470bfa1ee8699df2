#include "Math/LIMatrixUtil.h"

#include "Math/LMatrixUtilDX9.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LIMatrixUtil* LIMatrixUtil::sInstance = nullptr;
bool LIMatrixUtil::sDeleted = false;

namespace {

// Makes the one utility object and initialises it with the parameter 0.
LIMatrixUtil* CreateUtil()
{
    LIMatrixUtil* util = L_NEW LMatrixUtilDX9();
    if (util && !util->Init(0)) {
        delete util;
        util = nullptr;
    }
    return util;
}

} // namespace

LIMatrixUtil* LIMatrixUtil::Get()
{
    if (sInstance) {
        return sInstance;
    }
    LIMatrixUtil* util = CreateUtil();
    if (!util) {
        L_ERROR("LIMatrixUtil creation failure.");
        return nullptr;
    }
    sInstance = util;
    return sInstance;
}

bool LIMatrixUtil::WasDeleted()
{
    return sDeleted;
}

LIMatrixUtil::~LIMatrixUtil()
{
    if (sInstance == this) {
        sInstance = nullptr;
        sDeleted = true;
    }
}
