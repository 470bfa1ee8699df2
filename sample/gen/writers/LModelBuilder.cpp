#include "writers/LModelBuilder.h"

#include "Render/LFrame.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMeshSubset.h"
#include "Render/LSkinMesh.h"
#include "Render/LVertexBuffer.h"
#include "container/LString.h"
#include "writers/LAnyDeviceCaps.h"

#include <cstdint>

namespace {

template <typename T>
T* Fill(T* aMesh, const std::vector<float>& aVertices, const std::vector<unsigned>& aIndices)
{
    // Index buffers check themselves against the device: without one, any will do.
    LAnyDeviceCaps::Register();
    const int count = static_cast<int>(aVertices.size() / LModelBuilder::kVertexFloats);
    LVertexBuffer* vertexBuffer = new LVertexBuffer();
    vertexBuffer->Create(5, aVertices.data(), count);
    LIndexBuffer* indexBuffer = new LIndexBuffer();
    indexBuffer->Create(2, aIndices.data(), static_cast<int>(aIndices.size()));
    aMesh->SetVertexBuffer(vertexBuffer);
    aMesh->SetIndexBuffer(indexBuffer);
    LMeshSubset* subset = new LMeshSubset();
    LIndexBuffer* own = new LIndexBuffer();
    own->Create(2, aIndices.data(), static_cast<int>(aIndices.size()));
    subset->SetIndexBuffer(own);
    subset->SetRange(0, static_cast<uint32_t>(aIndices.size() / 3), 0, static_cast<uint32_t>(count));
    aMesh->AddSubset(subset);
    aMesh->AddMaterial(subset->GetMaterial());
    aMesh->SetFlags(LMesh::kIndexed);
    return aMesh;
}

void Append(std::vector<float>& aVertices, const LVector3& aPosition, const LVector3& aNormal, float aU, float aV)
{
    aVertices.insert(aVertices.end(),
                     {aPosition.x, aPosition.y, aPosition.z, aNormal.x, aNormal.y, aNormal.z, aU, aV});
}

} // namespace

LFrame* LModelBuilder::Frame(const char* aName, const LMatrix4& aRest, LMesh* aMesh, const LMatrix4& aWorld)
{
    LFrame* frame = new LFrame();
    frame->SetName(LString(aName));
    frame->SetRestMatrix(aRest);
    frame->SetWorldMatrix(aWorld);
    frame->SetMesh(aMesh);
    return frame;
}

LMesh* LModelBuilder::StaticMesh(const std::vector<float>& aVertices, const std::vector<unsigned>& aIndices)
{
    return Fill(new LMesh(), aVertices, aIndices);
}

LSkinMesh* LModelBuilder::SkinMesh(const std::vector<float>& aVertices, const std::vector<unsigned>& aIndices)
{
    LSkinMesh* skin = Fill(new LSkinMesh(), aVertices, aIndices);
    skin->PrepareSkin();
    return skin;
}

void LModelBuilder::AddQuad(std::vector<float>& aVertices, std::vector<unsigned>& aIndices,
                            const LVector3 aCorners[4], const LVector3& aNormal)
{
    // Seen from the side the normal points to, a face (a, b, c) turns clockwise when
    // (b - a) x (c - a) points along the normal (left-handed axes).
    const LVector3 turn = LVector3::Cross(aCorners[1] - aCorners[0], aCorners[2] - aCorners[0]);
    const bool reverse = LVector3::Dot(turn, aNormal) < 0.0f;
    const unsigned first = static_cast<unsigned>(aVertices.size() / kVertexFloats);
    const float u[4] = {0, 1, 1, 0};
    const float v[4] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const int corner = reverse ? (4 - i) % 4 : i;
        Append(aVertices, aCorners[corner], aNormal, u[i], v[i]);
    }
    aIndices.insert(aIndices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
}

unsigned LModelBuilder::AddBox(std::vector<float>& aVertices, std::vector<unsigned>& aIndices, const LVector3& aMin,
                               const LVector3& aMax, bool aBottom)
{
    const unsigned first = static_cast<unsigned>(aVertices.size() / kVertexFloats);
    const float x[2] = {aMin.x, aMax.x};
    const float y[2] = {aMin.y, aMax.y};
    const float z[2] = {aMin.z, aMax.z};
    // Each side: the axis it faces along and which end of it.
    for (int axis = 0; axis < 3; ++axis) {
        for (int end = 0; end < 2; ++end) {
            if (axis == 1 && end == 0 && !aBottom) {
                continue;
            }
            LVector3 normal(0, 0, 0);
            LVector3 corners[4];
            const float sign = end == 0 ? -1.0f : 1.0f;
            for (int i = 0; i < 4; ++i) {
                const int a = i == 1 || i == 2 ? 1 : 0;
                const int b = i >= 2 ? 1 : 0;
                if (axis == 0) {
                    corners[i].Set(x[end], y[a], z[b]);
                } else if (axis == 1) {
                    corners[i].Set(x[a], y[end], z[b]);
                } else {
                    corners[i].Set(x[a], y[b], z[end]);
                }
            }
            if (axis == 0) {
                normal.x = sign;
            } else if (axis == 1) {
                normal.y = sign;
            } else {
                normal.z = sign;
            }
            AddQuad(aVertices, aIndices, corners, normal);
        }
    }
    return first;
}

bool LModelBuilder::SetDuplicates(LMesh& aMesh, const std::vector<float>& aVertices)
{
    const int count = static_cast<int>(aVertices.size() / kVertexFloats);
    std::vector<uint32_t> table(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        table[i] = static_cast<uint32_t>(i);
        for (int j = 0; j < i; ++j) {
            if (aVertices[j * kVertexFloats] == aVertices[i * kVertexFloats] &&
                aVertices[j * kVertexFloats + 1] == aVertices[i * kVertexFloats + 1] &&
                aVertices[j * kVertexFloats + 2] == aVertices[i * kVertexFloats + 2]) {
                table[i] = static_cast<uint32_t>(j);
                break;
            }
        }
    }
    return aMesh.SetDuplicateTable(table.data(), count) != 0;
}

LMatrix4 LModelBuilder::Translation(float aX, float aY, float aZ)
{
    LMatrix4 m;
    LMatrix4::Translation(&m, aX, aY, aZ);
    return m;
}
