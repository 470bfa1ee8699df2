// Reads a direct-form model from the input, in tree render mode when the first (unread)
// header byte is odd and in flat mode otherwise, and runs two frames of it over the
// recording render fakes.
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
    const bool tree = aSize > 0 && (aData[0] & 1) != 0;
    if (element.LoadModel(&stream, tree ? LDrawElement::kHierarchical : LDrawElement::kFlat)) {
        RunModelFrames(element);
    }
    return 0;
}
