#include "Render/LITexture.h"

#include "Render/LIRasterizer.h"

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
