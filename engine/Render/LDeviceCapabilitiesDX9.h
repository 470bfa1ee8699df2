// Device capabilities from the Direct3D device's capability record (read afresh on each
// query, so the graphics device must exist), and the processor clock from the registry.
#pragma once
#include "Render/LIDeviceCapabilities.h"

struct D3DCAPS9;

class LDeviceCapabilitiesDX9 : public LIDeviceCapabilities
{
public:
    LDeviceCapabilitiesDX9();
    ~LDeviceCapabilitiesDX9() override;

    int Init(int aParameter) override;

    uint32_t GetProcessorMHz() override;
    bool GetPixelShaderVersion(int& aMajor, int& aMinor) override;
    bool GetVertexShaderVersion(int& aMajor, int& aMinor) override;
    bool RequiresPow2Textures() override;
    bool RequiresSquareTextures() override;
    uint32_t GetMaxTextureWidth() override;
    uint32_t GetMaxTextureHeight() override;
    uint32_t GetMaxVertexIndex() override;
    bool SupportsTwoSidedStencil() override;

private:
    // A fresh capability record; false (and zeros) without a graphics device.
    bool Caps(D3DCAPS9& aCaps);
};
