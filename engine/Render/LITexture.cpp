#include "Render/LITexture.h"

#include "LImage.h"
#include "Render/LColor.h"
#include "Render/LIRasterizer.h"
#include "stdlib/LAPIObjectManager.h"

#include "stdlib/LLog.h"

LITexture::LITexture() = default;

LITexture::~LITexture()
{
    LIRasterizer::ForgetTexture(this);
    if (mTexture != nullptr) {
        L_ERROR("Derived class failed to delete fpTexture.");
    }
}

float LITexture::GetPriority() const
{
    return mPriority;
}

IDirect3DTexture9* LITexture::GetTexture() const
{
    return mTexture;
}

int LITexture::SetMipLevels(int aLevels)
{
    if (mTexture != nullptr) {
        L_WARNING("SetMipLevels: texture already created.");
    }
    mMipLevels = aLevels;
    return 1;
}

LITexture* LITexture::CreateSolid(const LColor& aColor)
{
    const unsigned char pixel[4] = {
        static_cast<unsigned char>(aColor.b * 255.0f), static_cast<unsigned char>(aColor.g * 255.0f),
        static_cast<unsigned char>(aColor.r * 255.0f), static_cast<unsigned char>(aColor.a * 255.0f)};
    LImage image;
    if (!image.Create(1, 1, 4, L_IMAGE_FORMAT_A8R8G8B8, pixel, 4)) {
        return nullptr;
    }
    LAPIObjectManager* api = LAPIObjectManager::Get();
    LObject* object = api != nullptr ? api->CreateObject(LString("texture"), nullptr) : nullptr;
    auto* texture = dynamic_cast<LITexture*>(object);
    if (texture == nullptr || texture->Create(&image) <= 0) {
        delete object;
        return nullptr;
    }
    return texture;
}
