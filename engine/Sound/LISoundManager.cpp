#include "Sound/LISoundManager.h"

#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LSingleton.h"

namespace {

LSingleton<LISoundManager> sSoundManager;

} // namespace

LISoundManager* LISoundManager::Get()
{
    if (LISoundManager* instance = sSoundManager.Peek()) {
        return instance;
    }
    if (sSoundManager.IsDestroyed()) {
        return nullptr;
    }
    LAPIObjectManager* manager = LAPIObjectManager::Get();
    LISoundManager* created =
        manager ? dynamic_cast<LISoundManager*>(manager->CreateObject(LString("soundmanager"), nullptr)) : nullptr;
    if (!created) {
        L_ERROR("LISoundManager creation failure.");
        return nullptr;
    }
    return sSoundManager.Install(created);
}

LISoundManager::~LISoundManager()
{
    sSoundManager.Destroyed(this);
}
