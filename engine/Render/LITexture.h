// One texture of the graphics device. The texture manager makes these through the
// creator "texture" and owns them; the rasterizer binds the device texture they hold.
// The implementation creates and releases the device texture; this base only keeps it.
#pragma once
#include "object/LObject.h"

class LColor;
class LImage;
class IDirect3DTexture9;

class LITexture : public LObject
{
public:
    LITexture();
    ~LITexture() override;

    // Fill from an image (formats 1 to 4), or make an empty texture of a size and format
    // that a writer fills later. A result above 0 is success; 0 or below is failure.
    virtual int Create(LImage* aImage) = 0;
    virtual int Create(int aWidth, int aHeight, int aFormat) = 0;
    virtual float GetPriority() const;
    virtual IDirect3DTexture9* GetTexture() const;
    // The count the next creation uses; warns when a texture exists already. Returns 1.
    virtual int SetMipLevels(int aLevels);
    virtual int SetPriority(float aPriority) = 0;

    // A 1 x 1 texture of one colour, made by the "texture" creator; null when none can be
    // made (the object manager says why).
    static LITexture* CreateSolid(const LColor& aColor);

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    int GetMipLevels() const { return mMipLevels; }

protected:
    IDirect3DTexture9* mTexture = nullptr;
    int mMipLevels = 1;
    float mPriority = 0.5f;
    int mWidth = 0;
    int mHeight = 0;
};
