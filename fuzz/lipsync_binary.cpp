// Reads the input as binary lip-sync data. What is accepted must name a pose for every
// curve, write back and read again with the same curves, and play on a small face for a
// few updates.
#include "Render/LLipSyncData.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFuzzFace.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 16)) {
        return 0;
    }
    LMemoryStream stream(4, LMemoryStream::GROW_DOUBLE);
    LoadFuzzInput(stream, aData, aSize);
    auto* data = new LLipSyncData();
    if (!data->Read(&stream)) {
        delete data;
        return 0;
    }
    FuzzCheckAndPlay(data);
    return 0;
}
