// Reads a tree-form model from the input, runs two frames of it over the recording render
// fakes, and writes it back.
#include "Render/LDrawElement.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRender.h"
#include "support/LFuzzInput.h"
#include "support/LFuzzModel.h"
#include "support/LFuzzRecords.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    static const bool sPrepared = (RegisterFakeRender(), true);
    (void)sPrepared;
    LFuzzForgetRecords();
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LDrawElement element;
    if (element.Read(&stream)) {
        RunModelFrames(element);
        LMemoryStream out(64, -1);
        element.Write(&out);
    }
    return 0;
}
