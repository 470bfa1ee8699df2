// Device capabilities of a device that takes everything: for the sample generator, which
// builds meshes in memory without any device (their index buffers ask the capabilities).
#pragma once
#include "Render/LIDeviceCapabilities.h"

class LAnyDeviceCaps : public LIDeviceCapabilities
{
public:
    LString Dump() const override;

    // Puts a creator of these under "devicecaps" unless that id is taken already.
    static void Register();

    uint32_t GetProcessorMHz() override { return 1000; }
    bool GetPixelShaderVersion(int& aMajor, int& aMinor) override;
    bool GetVertexShaderVersion(int& aMajor, int& aMinor) override;
    bool RequiresPow2Textures() override { return false; }
    bool RequiresSquareTextures() override { return false; }
    uint32_t GetMaxTextureWidth() override { return 4096; }
    uint32_t GetMaxTextureHeight() override { return 4096; }
    uint32_t GetMaxVertexIndex() override { return 0xFFFFFFFFu; }
    bool SupportsTwoSidedStencil() override { return true; }
};
