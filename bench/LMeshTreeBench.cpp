// The scene's picking and ground queries: the player's ground height is taken every frame
// (IntersectsVertLineThruPt on the mesh quadtree) and a click is picked against the mesh
// octree (Pick with a distance of 10000.0). Both trees hold one 20,000-triangle mesh, a
// rolling 100 × 100 grid, and are set up as a scene sets them up: 5 levels for the
// octree, 8 for the quadtree, centred on the mesh's box with its largest extent as size.
// The time per iteration is the cost of one query.
#include "LBox2.h"
#include "LBox3.h"
#include "Render/LMesh.h"
#include "Render/LMeshOctree.h"
#include "Render/LMeshQuadTree.h"
#include "support/LTestModels.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {
constexpr int kCells = 100;
constexpr float kCell = 2.0f;

float Height(float aX, float aZ)
{
    return 3.0f * std::sin(aX * 0.05f) * std::cos(aZ * 0.07f);
}

std::unique_ptr<LMesh> Ground()
{
    std::vector<float> positions;
    for (int z = 0; z <= kCells; ++z) {
        for (int x = 0; x <= kCells; ++x) {
            positions.insert(positions.end(), {x * kCell, Height(x * kCell, z * kCell), z * kCell});
        }
    }
    std::vector<unsigned> indices;
    for (int z = 0; z < kCells; ++z) {
        for (int x = 0; x < kCells; ++x) {
            const unsigned corner = unsigned(z * (kCells + 1) + x);
            const unsigned up = corner + kCells + 1;
            indices.insert(indices.end(), {corner, up, corner + 1, corner + 1, up, up + 1});
        }
    }
    return std::unique_ptr<LMesh>(LTestModels::StaticMesh(positions, indices));
}

// Query points spread over the grid by a fixed sequence.
LVector2 Spot(int aIndex)
{
    const float span = kCells * kCell;
    return LVector2(std::fmod(aIndex * 37.31f, span), std::fmod(aIndex * 53.17f, span));
}

// Runs aQuery(spot, hit) once per iteration over the spots and counts the hits.
template <typename Query>
void Queries(benchmark::State& aState, Query&& aQuery)
{
    int i = 0;
    int hits = 0;
    for (auto _ : aState) {
        LVector3 hit;
        hits += aQuery(Spot(i++), hit) ? 1 : 0;
        benchmark::DoNotOptimize(hit);
    }
    aState.counters["hit ratio"] = double(hits) / double(i);
}

void MeshOctreePick(benchmark::State& aState)
{
    const std::unique_ptr<LMesh> mesh = Ground();
    LBox3 box;
    mesh->GetBoundingBox(&box, false);
    LMeshOctree tree;
    tree.Setup(box.GetCenter(), box.GetMaxExtent(), 5);
    tree.AddMesh(LString("depth"), mesh.get(), LMatrix4());
    // From a camera above one edge of the grid, slanting down onto it.
    const LVector3 eye(100.0f, 60.0f, -40.0f);
    Queries(aState, [&](const LVector2& aSpot, LVector3& aHit) {
        const LVector3 direction = (LVector3(aSpot.x, 0.0f, aSpot.y) - eye).Normalize(1e-6f);
        return tree.Pick(eye, direction, aHit, 10000.0f);
    });
}

void MeshQuadTreeGroundHeight(benchmark::State& aState)
{
    const std::unique_ptr<LMesh> mesh = Ground();
    LBox2 box;
    mesh->GetBoundingRectXZ(&box, false);
    LMeshQuadTree tree;
    tree.Setup(box.GetCenter(), box.GetMaxExtent(), 8);
    tree.AddMesh(LString("ground"), mesh.get(), LMatrix4());
    Queries(aState, [&](const LVector2& aSpot, LVector3& aHit) { return tree.IntersectsVertLineThruPt(aSpot, aHit); });
}
} // namespace

BENCHMARK(MeshOctreePick);
BENCHMARK(MeshQuadTreeGroundHeight);
