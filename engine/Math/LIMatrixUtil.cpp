#include "Math/LIMatrixUtil.h"

#include "stdlib/LLog.h"
#include "stdlib/LServiceCreation.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LIMatrixUtil> sUtil;

} // namespace

LIMatrixUtil* LIMatrixUtil::Get()
{
    if (LIMatrixUtil* util = sUtil.Peek()) {
        return util;
    }
    if (sUtil.IsDestroyed()) {
        return nullptr;
    }
    LIMatrixUtil* created = LCreateService<LIMatrixUtil>("matrixutil", &NewDefaultCreator);
    if (!created) {
        L_ERROR("LIMatrixUtil creation failure.");
        return nullptr;
    }
    return sUtil.Install(created);
}

LIMatrixUtil::~LIMatrixUtil()
{
    sUtil.Destroyed(this);
}
