// What a character does with its model every frame, twice over: update the frames, skin
// every skinned mesh and draw, over the recording render fakes (whose records are dropped
// after each frame, so a long run does not keep them all).
#pragma once
#include "Render/LDrawElement.h"
#include "Render/LMesh.h"
#include "Render/LSkinMesh.h"
#include "support/LFakeRasterizer.h"

inline void RunModelFrames(LDrawElement& aElement)
{
    int count = 0;
    LMesh** meshes = nullptr;
    if (!aElement.GetMeshes(&count, &meshes)) {
        return;
    }
    for (int pass = 0; pass < 2; ++pass) {
        aElement.Update(nullptr);
        for (int i = 0; i < count; ++i) {
            if (meshes[i]->GetType() == LMesh::kSkinned) {
                static_cast<LSkinMesh*>(meshes[i])->UpdateSkin();
            }
        }
        aElement.Render();
        if (LFakeRasterizer* rasterizer = LFakeRasterizer::Instance()) {
            rasterizer->Reset();
        }
    }
    delete[] meshes;
}
