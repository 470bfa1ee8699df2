// Reads an engine material record from the input over the recording rasterizer, whose
// texture root holds "a.tga" (8 x 8), so a record naming it reads whole; what was read is
// written back, and the written record must read again to the same bytes.
#include "Render/LMaterial.h"
#include "Render/LTextureManager.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzInput.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
bool Prepare()
{
    RegisterFakeRender();
    FuzzDataRoot("//fuzzmaterial").Write("a.tga", FuzzPicture());
    LTextureManager::Get()->SetRoot(LString("//fuzzmaterial"));
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    (void)sPrepared;
    LFuzzForgetRecords();
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LMaterial material;
    if (material.Read(&stream)) {
        LMemoryStream out(16, -1);
        if (!material.Write(&out)) {
            std::abort();
        }
        const int written = out.GetPosition();
        LMemoryStream again(4, -1);
        again.CreateFromBuffer(written, out.GetBuffer());
        LMaterial copy;
        LMemoryStream rewritten(16, -1);
        if (!copy.Read(&again) || !copy.Write(&rewritten) || rewritten.GetPosition() != written ||
            std::memcmp(rewritten.GetBuffer(), out.GetBuffer(), size_t(written)) != 0) {
            std::abort();
        }
    }
    if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
        rasterizer->Reset();
    }
    return 0;
}
