#include "Video/LIMovieManager.h"

#include "stdlib/LLog.h"
#include "stdlib/LServiceCreation.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LIMovieManager> sMovieManager;

} // namespace

LIMovieManager* LIMovieManager::Get()
{
    if (LIMovieManager* instance = sMovieManager.Peek()) {
        return instance;
    }
    if (sMovieManager.IsDestroyed()) {
        return nullptr;
    }
    LIMovieManager* created = LCreateService<LIMovieManager>("moviemanager", &NewDefaultCreator);
    if (!created) {
        L_ERROR("LIMovieManager creation failure.");
        return nullptr;
    }
    return sMovieManager.Install(created);
}

LIMovieManager::~LIMovieManager()
{
    sMovieManager.Destroyed(this);
}
