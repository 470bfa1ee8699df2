#include "Math/LIMatrixUtil.h"

#include "Math/LMatrixUtilDX9.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LIMatrixUtil> sUtil;

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
    if (LIMatrixUtil* util = sUtil.Peek()) {
        return util;
    }
    if (sUtil.IsDestroyed()) {
        return nullptr;
    }
    LIMatrixUtil* util = CreateUtil();
    if (!util) {
        L_ERROR("LIMatrixUtil creation failure.");
        return nullptr;
    }
    return sUtil.Install(util);
}

LIMatrixUtil::~LIMatrixUtil()
{
    sUtil.Destroyed(this);
}
