// The shadow work of a character: building the volume topology of a character-sized mesh
// (a closed, bumpy cylinder of 5,000 faces, welded at its seam), once per load without a
// cache, and the per-frame update and extrusion for a directional light.
#include "LVector3.h"
#include "Render/LCamera.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LShadowVolume.h"
#include "support/LFakeRender.h"
#include "writers/LModelBuilder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kAround = 50;
constexpr int kUp = 50;

// kAround x kUp quads around the y axis (5,000 faces), their radius varying with height
// and angle; the seam's vertices are repeated, as texture seams repeat them.
std::unique_ptr<LMesh> Figure()
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    for (int j = 0; j <= kUp; ++j) {
        for (int i = 0; i <= kAround; ++i) {
            const float angle = 6.2831853f * static_cast<float>(i % kAround) / kAround;
            const float radius = 10.0f + 2.0f * std::sin(j * 0.4f) + std::cos(i * 0.7f);
            const float at[LModelBuilder::kVertexFloats] = {radius * std::cos(angle), j * 1.5f,
                                                            radius * std::sin(angle), 0, 1, 0, 0, 0};
            vertices.insert(vertices.end(), at, at + LModelBuilder::kVertexFloats);
        }
    }
    for (int j = 0; j < kUp; ++j) {
        for (int i = 0; i < kAround; ++i) {
            const unsigned a = j * (kAround + 1) + i;
            const unsigned b = a + 1;
            const unsigned c = a + kAround + 1;
            const unsigned d = c + 1;
            indices.insert(indices.end(), {a, c, b, b, c, d});
        }
    }
    std::unique_ptr<LMesh> mesh(LModelBuilder::StaticMesh(vertices, indices));
    LModelBuilder::SetDuplicates(*mesh, vertices);
    return mesh;
}

void ShadowCreate(benchmark::State& aState)
{
    RegisterFakeRender();
    const std::unique_ptr<LMesh> mesh = Figure();
    for (auto _ : aState) {
        LShadowVolume volume;
        benchmark::DoNotOptimize(volume.Create(LString("figure"), mesh.get()));
    }
    aState.counters["faces"] = kAround * kUp * 2;
}

void ShadowUpdateAndBuild(benchmark::State& aState)
{
    RegisterFakeRender();
    const std::unique_ptr<LMesh> mesh = Figure();
    LShadowVolume volume;
    volume.Create(LString("figure"), mesh.get());
    LCamera camera;
    LLight sun(LLight::kDirectional);
    sun.mDirection = LVector3(-0.4f, -1.0f, 0.5f);
    for (auto _ : aState) {
        benchmark::DoNotOptimize(volume.Update(&sun));
        benchmark::DoNotOptimize(volume.BuildVolume(&camera));
    }
    aState.counters["silhouette"] = volume.GetSilhouetteCount();
}

} // namespace

BENCHMARK(ShadowCreate)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShadowUpdateAndBuild)->Unit(benchmark::kMicrosecond);
