#include "Render/LIRasterizer.h"

#include "stdlib/LCleaner.h"
#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LLog.h"

namespace {
LIRasterizer* sInstance = nullptr;
bool sDestroyed = false;
}

LIRasterizer* LIRasterizer::Get()
{
    if (sInstance != nullptr || sDestroyed) {
        return sInstance;
    }
    LAPIObjectManager* manager = LAPIObjectManager::Get();
    LObject* object = manager != nullptr ? manager->CreateObject(LString("rasterizer"), nullptr) : nullptr;
    LIRasterizer* rasterizer = dynamic_cast<LIRasterizer*>(object);
    if (rasterizer == nullptr) {
        delete object;
        L_ERROR("Get failure. Could not create rasterizer.");
        return nullptr;
    }
    sInstance = rasterizer;
    LCleaner* cleaner = LCleaner::Get();
    if (cleaner != nullptr) {
        cleaner->AddInstance(rasterizer);
    }
    return sInstance;
}

void LIRasterizer::ForgetTexture(const LITexture* aTexture)
{
    if (sInstance != nullptr && aTexture != nullptr && sInstance->mCurrentTexture == aTexture) {
        sInstance->mCurrentTexture = nullptr;
    }
}

LIRasterizer::LIRasterizer() = default;

LIRasterizer::~LIRasterizer()
{
    Log(u"~LIRasterizer");
    if (sInstance == this) {
        sInstance = nullptr;
        sDestroyed = true;
    }
}
