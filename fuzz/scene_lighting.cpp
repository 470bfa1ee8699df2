// Reads a scene's lights from an arbitrary "lights_low.txt" over the recording rasterizer,
// chooses the lights of every camera the file names (and of one it does not), picks each
// light as the shadow caster and applies the lights.
#include "container/LPropertyList.h"
#include "container/LString.h"
#include "container/LVectorString.h"
#include "scene/GMLighting.h"
#include "support/LFakeRender.h"
#include "support/LFuzzDataRoot.h"
#include "support/LFuzzRecords.h"
#include "support/LTestDirectory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {
LTestDirectory* gDirectory = nullptr;

bool Prepare()
{
    RegisterFakeRender();
    gDirectory = &FuzzDataRoot("//scene");
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 14)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    (void)sPrepared;
    LFuzzForgetRecords();
    gDirectory->Write("lights_low.txt", std::string(reinterpret_cast<const char*>(aData), aSize));

    std::vector<LString> cameras {LString("nowhere")};
    std::vector<LString> names;
    LPropertyList lights;
    lights.Parse(reinterpret_cast<const char*>(aData), static_cast<int>(aSize));
    for (int i = 0; i < lights.GetCount() && i < 8; ++i) {
        names.push_back(lights.GetKeyAt(i));
        if (const LPropertyList* light = lights.GetListAt(i)) {
            bool found = false;
            const LVectorString listed = light->GetVectorString(LString("cameras"), found);
            for (int c = 0; c < listed.GetCount() && c < 4; ++c) {
                cameras.push_back(listed[c]);
            }
        }
    }

    GMLighting lighting;
    lighting.CreateFromFile(LString("//scene/lights_low.txt"), true);
    for (const LString& camera : cameras) {
        lighting.SelectLights(camera);
    }
    for (const LString& name : names) {
        lighting.SelectShadowCaster(name);
    }
    lighting.Apply();
    lighting.Clear();
    lighting.Apply();
    return 0;
}
