// Reads an engine material record from the input and writes back what was read.
#include "Render/LMaterial.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LMaterial material;
    if (material.Read(&stream)) {
        LMemoryStream out(16, -1);
        material.Write(&out);
    }
    return 0;
}
