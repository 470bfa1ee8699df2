#include "Render/LIRasterizer.h"

#include "stdlib/LAPIObjectManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

namespace {
LSingleton<LIRasterizer> sRasterizer;
}

LIRasterizer* LIRasterizer::Get()
{
    if (sRasterizer.Peek() != nullptr || sRasterizer.IsDestroyed()) {
        return sRasterizer.Peek();
    }
    LAPIObjectManager* manager = LAPIObjectManager::Get();
    LObject* object = manager != nullptr ? manager->CreateObject(LString("rasterizer"), nullptr) : nullptr;
    LIRasterizer* rasterizer = dynamic_cast<LIRasterizer*>(object);
    if (rasterizer == nullptr) {
        delete object;
        L_ERROR("Get failure. Could not create rasterizer.");
        return nullptr;
    }
    return sRasterizer.Install(rasterizer);
}

void LIRasterizer::ForgetTexture(const LITexture* aTexture)
{
    LIRasterizer* rasterizer = sRasterizer.Peek();
    if (rasterizer != nullptr && aTexture != nullptr && rasterizer->mCurrentTexture == aTexture) {
        rasterizer->mCurrentTexture = nullptr;
    }
}

LIRasterizer::LIRasterizer() = default;

LIRasterizer::~LIRasterizer()
{
    Log(u"~LIRasterizer");
    sRasterizer.Destroyed(this);
}
