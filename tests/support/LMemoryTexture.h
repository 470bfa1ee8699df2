// A texture whose device texture is plain memory: one level of 32-bit pixels (format 1
// as A8R8G8B8, format 2 as X8R8G8B8) that writers lock and fill as they would on a
// device, so that the movie player's copies can be seen without a GL context.
#pragma once
#include "Render/LITexture.h"

#include <cstdint>

class LMemoryTexture : public LITexture
{
public:
    LMemoryTexture();
    ~LMemoryTexture() override;

    LString Dump() const override;

    // Images are not taken: 0.
    int Create(LImage* aImage) override;
    int Create(int aWidth, int aHeight, int aFormat) override;
    int SetPriority(float aPriority) override;

    // The pixel at (aX, aY) as 0xAARRGGBB; 0 without a texture or outside it.
    uint32_t At(int aX, int aY) const;
    // How many times the level was locked.
    int LockCount() const;
    static int LiveCount();
};
