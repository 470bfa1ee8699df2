// Reads the input as a lip-sync text file through the property list. Every curve kept
// must name a pose and start with the leading key (0 s, 0.0); the data must write back
// in the binary form and read again with the same curves, and then play on a small face
// for a few updates.
#include "Render/LLipSyncCurve.h"
#include "Render/LLipSyncData.h"
#include "container/LPropertyList.h"
#include "support/LFuzzFace.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    LPropertyList list;
    list.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    auto* data = new LLipSyncData();
    if (data->CreateFromPropertyList(&list) != 1) {
        std::abort();
    }
    for (int i = 0; i < data->GetCurveCount(); ++i) {
        const LLipSyncCurve* curve = data->GetCurve(i);
        if (curve->mKeyCount < 0 || (curve->mKeyCount > 0 && (curve->mTimes[0] != 0.0f || curve->mValues[0] != 0.0f))) {
            std::abort();
        }
    }
    FuzzCheckAndPlay(data);
    return 0;
}
