// Device capabilities with answers a test sets: by default a device that takes any
// texture up to 2048 x 2048 and 32-bit indices.
#pragma once
#include "writers/LAnyDeviceCaps.h"

class LFakeDeviceCaps : public LAnyDeviceCaps
{
public:
    LString Dump() const override;

    bool RequiresPow2Textures() override { return sPow2; }
    bool RequiresSquareTextures() override { return sSquare; }
    uint32_t GetMaxTextureWidth() override { return sMaxWidth; }
    uint32_t GetMaxTextureHeight() override { return sMaxHeight; }
    uint32_t GetMaxVertexIndex() override { return sMaxVertexIndex; }

    // The answers of every fake, also those made later.
    static bool sPow2;
    static bool sSquare;
    static uint32_t sMaxWidth;
    static uint32_t sMaxHeight;
    static uint32_t sMaxVertexIndex;
    // The default answers back.
    static void Reset();
};
