// Reads a tree-form model from the input, then does with it what a character does every
// frame (update, skin, draw) over the recording render fakes, and writes it back.
#include "Render/LDrawElement.h"
#include "Render/LMesh.h"
#include "Render/LSkinMesh.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFuzzInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 20)) {
        return 0;
    }
    static const bool sPrepared = (RegisterFakeRender(), true);
    (void)sPrepared;
    LMemoryStream stream(4, -1);
    LoadFuzzInput(stream, aData, aSize);
    LDrawElement element;
    if (!element.Read(&stream)) {
        return 0;
    }
    int count = 0;
    LMesh** meshes = nullptr;
    if (element.GetMeshes(&count, &meshes)) {
        for (int pass = 0; pass < 2; ++pass) {
            element.Update(nullptr);
            for (int i = 0; i < count; ++i) {
                if (meshes[i]->GetType() == LMesh::kSkinned) {
                    static_cast<LSkinMesh*>(meshes[i])->UpdateSkin();
                }
            }
            element.Render();
            // The recording rasterizer would otherwise keep every call of the whole run.
            if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
                rasterizer->Reset();
            }
        }
    }
    delete[] meshes;
    LMemoryStream out(64, -1);
    element.Write(&out);
    return 0;
}
