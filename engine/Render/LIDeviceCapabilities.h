// What the graphics device and the processor can do. The implementation is made by the
// creator "devicecaps".
#pragma once
#include "object/LObject.h"

#include <cstdint>

class LIDeviceCapabilities : public LObject
{
public:
    // The capabilities, created on first use by the creator "devicecaps" and registered
    // with the cleaner; null when they cannot be made and after the cleaner deleted them.
    static LIDeviceCapabilities* Get();

    LIDeviceCapabilities();
    ~LIDeviceCapabilities() override;

    virtual uint32_t GetProcessorMHz() = 0;
    virtual bool GetPixelShaderVersion(int& aMajor, int& aMinor) = 0;
    virtual bool GetVertexShaderVersion(int& aMajor, int& aMinor) = 0;
    // True when the device takes only textures whose sides are powers of two.
    virtual bool RequiresPow2Textures() = 0;
    virtual bool RequiresSquareTextures() = 0;
    virtual uint32_t GetMaxTextureWidth() = 0;
    virtual uint32_t GetMaxTextureHeight() = 0;
    virtual uint32_t GetMaxVertexIndex() = 0;
    virtual bool SupportsTwoSidedStencil() = 0;
};
