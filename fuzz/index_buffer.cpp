// Reads an engine index-buffer record from the input on a device of 16-bit indices (so
// 32-bit records are narrowed), and writes back what was read.
#include "Render/LIDeviceCapabilities.h"
#include "Render/LIndexBuffer.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "object/LIObjectCreator.h"
#include "object/LRegistry.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

namespace {
class LFuzzCaps : public LIDeviceCapabilities
{
public:
    uint32_t GetProcessorMHz() override { return 0; }
    bool GetPixelShaderVersion(int&, int&) override { return false; }
    bool GetVertexShaderVersion(int&, int&) override { return false; }
    bool RequiresPow2Textures() override { return false; }
    bool RequiresSquareTextures() override { return false; }
    uint32_t GetMaxTextureWidth() override { return 2048; }
    uint32_t GetMaxTextureHeight() override { return 2048; }
    uint32_t GetMaxVertexIndex() override { return 0xFFFF; }
    bool SupportsTwoSidedStencil() override { return true; }
};

class LFuzzCapsCreator : public LIObjectCreator
{
public:
    LFuzzCapsCreator() : LIObjectCreator(LString("devicecaps")) {}
    LObject* Create() override { return L_NEW LFuzzCaps(); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    static bool sRegistered = [] {
        LRegistry::Get()->AddCreator(L_NEW LFuzzCapsCreator());
        return true;
    }();
    (void)sRegistered;
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LIndexBuffer buffer;
    if (buffer.Read(&stream)) {
        for (int i = 0; i < buffer.GetIndexCount(); ++i) {
            buffer.GetIndex(i);
        }
        LMemoryStream out(16, -1);
        buffer.Write(&out);
    }
    return 0;
}
