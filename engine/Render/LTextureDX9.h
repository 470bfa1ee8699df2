// A texture of the Direct3D device, made by the creator "texture". It is filled from an
// image, or made empty at a size and format for a writer (the movie player) to fill.
// Pixel formats are the image's codes: 1 A8R8G8B8, 2 X8R8G8B8, 3 R8G8B8, 4 A8; any
// other code is refused. Textures live in the managed pool, so they survive a device
// loss without help.
#pragma once
#include "Render/LITexture.h"

class IDirect3DDevice9;

class LTextureDX9 : public LITexture
{
public:
    LTextureDX9();
    ~LTextureDX9() override;

    LString Dump() const override;
    // Takes the device of the graphics holder; 0 (logged) when there is none.
    int Init(int aParameter) override;

    // Every mip level is loaded from the whole image, unfiltered. A texture made before
    // is replaced only when the new one is complete. 1, or 0 (logged).
    int Create(LImage* aImage) override;
    int Create(int aWidth, int aHeight, int aFormat) override;
    // With a texture: applied to it at once (priority x 1000) and not stored; without:
    // stored for the next creation.
    int SetPriority(float aPriority) override;

private:
    // The device texture of a size, format code and level count, or null (logged).
    IDirect3DTexture9* NewTexture(int aWidth, int aHeight, int aFormat, int aLevels);
    void Adopt(IDirect3DTexture9* aTexture, int aWidth, int aHeight);

    IDirect3DDevice9* mDevice = nullptr;
};
