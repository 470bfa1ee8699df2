// Reads the input as a shadow-volume cache file: a volume count, then volume records,
// each bound with SetMesh to a small welded box made here, then updated for a point and a
// directional light, built and drawn over the recording rasterizer. A volume whose record
// or binding is refused is left alone; one that is taken must draw without touching
// memory outside the box's vertices.
#include "LVector3.h"
#include "Render/LCamera.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LShadowVolume.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRender.h"
#include "support/LFuzzRecords.h"
#include "writers/LModelBuilder.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

// At most this many records are read from one input.
constexpr int kMaxVolumes = 8;

struct Fixture
{
    Fixture()
    {
        RegisterFakeRender();
        std::vector<float> vertices;
        std::vector<unsigned> indices;
        LModelBuilder::AddBox(vertices, indices, LVector3(-1, 0, -1), LVector3(1, 3, 1));
        mBox.reset(LModelBuilder::StaticMesh(vertices, indices));
        LModelBuilder::SetDuplicates(*mBox, vertices);
        mCamera = std::make_unique<LCamera>();
        mPoint.mPosition = LVector3(4, 6, -2);
        mSun.mDirection = LVector3(-0.4f, -1.0f, 0.5f);
    }

    std::unique_ptr<LMesh> mBox;
    std::unique_ptr<LCamera> mCamera;
    LLight mPoint {LLight::kPoint};
    LLight mSun {LLight::kDirectional};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    static Fixture sFixture;
    LFuzzForgetRecords();
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    if (aSize > 0 && !stream.CreateFromBuffer(static_cast<int>(aSize), aData)) {
        return 0;
    }
    int count = 0;
    if (!stream.Read(count) || count <= 0) {
        return 0;
    }
    for (int i = 0; i < count && i < kMaxVolumes; ++i) {
        LShadowVolume volume;
        if (!volume.Read(&stream)) {
            break;
        }
        if (!volume.SetMesh(sFixture.mBox.get())) {
            continue;
        }
        for (const LLight* light : {&sFixture.mPoint, &sFixture.mSun}) {
            volume.Update(light);
            volume.BuildVolume(sFixture.mCamera.get());
            volume.Render();
        }
    }
    return 0;
}
