// The model work of every frame and of every character load: skinning a character-sized
// skin (3,000 vertices, 30 bones, two influences per vertex) on the processor, and reading
// a tree-form model of about 2 MB from memory.
#include "LMatrix4.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LSkinMesh.h"
#include "stdlib/LMemoryStream.h"
#include "support/LTestModels.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kVertices = 3000;
constexpr int kBones = 30;

// A chain of kBones frames "Bone0".. under "Root", each turned a little, with a skin on the
// root whose vertex v follows bones v % 30 and (v + 1) % 30 at weight 0.5 each. Extra
// frames with static meshes of 4,000 vertices are added until the model is aMinBytes big.
std::unique_ptr<LDrawElement> Character(size_t aMinBytes)
{
    std::vector<float> positions;
    std::vector<unsigned> indices;
    for (int v = 0; v < kVertices; ++v) {
        positions.insert(positions.end(), {std::cos(v * 0.01f), v * 0.001f, std::sin(v * 0.01f)});
    }
    for (int v = 0; v + 2 < kVertices; v += 3) {
        indices.insert(indices.end(), {unsigned(v), unsigned(v + 1), unsigned(v + 2)});
    }
    LSkinMesh* skin = LTestModels::SkinMesh(positions, indices);
    for (int b = 0; b < kBones; ++b) {
        std::vector<uint32_t> vertices;
        for (int v = 0; v < kVertices; ++v) {
            if (v % kBones == b || (v + 1) % kBones == b) {
                vertices.push_back(uint32_t(v));
            }
        }
        const std::vector<float> weights(vertices.size(), 0.5f);
        skin->AddBone(LString("Bone") + b, 0, int(vertices.size()), vertices.data(), weights.data(), LMatrix4());
    }
    LFrame* root = LTestModels::Frame("Root", LMatrix4(), skin);
    LFrame* parent = root;
    for (int b = 0; b < kBones; ++b) {
        LMatrix4 turn;
        LMatrix4::RotationY(&turn, 0.05f);
        turn[13] = 0.1f;
        LFrame* bone = LTestModels::Frame("Bone", turn);
        bone->SetName(LString("Bone") + b);
        parent->SetFirstChild(bone);
        parent = bone;
    }
    // Each prop stores 4,000 vertices of 32 bytes and 6,000 indices of 4 bytes twice (the
    // mesh's and its subset's).
    const size_t propBytes = 4000 * 32 + 6000 * 4 * 2;
    const std::vector<float> padding(4000 * 3, 1.0f);
    const std::vector<unsigned> padIndices(6000, 7);
    LFrame* last = root;
    for (size_t bytes = 170000; bytes < aMinBytes; bytes += propBytes) {
        LFrame* prop = LTestModels::Frame("Prop", LMatrix4(), LTestModels::StaticMesh(padding, padIndices));
        last->SetNextSibling(prop);
        last = prop;
    }
    std::unique_ptr<LDrawElement> element(new LDrawElement());
    element->SetRoot(root);
    element->Update(nullptr);
    return element;
}
} // namespace

static void BM_UpdateSkin(benchmark::State& aState)
{
    std::unique_ptr<LDrawElement> element = Character(0);
    LSkinMesh* skin = static_cast<LSkinMesh*>(element->GetRootFrame()->GetMesh());
    skin->UpdateSkin();
    for (auto _ : aState) {
        benchmark::DoNotOptimize(skin->UpdateSkin());
    }
    aState.counters["vertices"] = kVertices;
}
BENCHMARK(BM_UpdateSkin)->Unit(benchmark::kMicrosecond);

static void BM_ReadTreeModel(benchmark::State& aState)
{
    std::unique_ptr<LDrawElement> element = Character(2u << 20);
    const std::string bytes = LTestModels::TreeBytes(*element);
    element.reset();
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    in.CreateFromBuffer(int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.data()));
    for (auto _ : aState) {
        in.SetPosition(0);
        LDrawElement read;
        benchmark::DoNotOptimize(read.Read(&in));
    }
    aState.SetBytesProcessed(int64_t(aState.iterations()) * int64_t(bytes.size()));
    aState.counters["model_bytes"] = double(bytes.size());
}
BENCHMARK(BM_ReadTreeModel)->Unit(benchmark::kMillisecond);
