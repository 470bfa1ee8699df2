#include "Render/LShadowVolume.h"

#include "LMatrix4.h"
#include "Render/LCamera.h"
#include "Render/LIRasterizer.h"
#include "Render/LIndexBuffer.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LMeshSubset.h"
#include "Render/LShadowEdge.h"
#include "Render/LShadowFace.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LLog.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace {

// Bytes of one edge and one face in the cache record.
constexpr long long kEdgeBytes = 16;
constexpr long long kFaceBytes = 12;

// A unit copy, or the zero vector for a degenerate one (a face without area has no side).
LVector3 Unit(const LVector3& aVector)
{
    const float length = std::sqrt(aVector.LengthSquared());
    if (!(length > 1e-12f) || !std::isfinite(length)) {
        return LVector3(0.0f, 0.0f, 0.0f);
    }
    return aVector * (1.0f / length);
}

const LMatrix4& Identity()
{
    static const LMatrix4 sIdentity;
    return sIdentity;
}

} // namespace

LShadowVolume::LShadowVolume() = default;

LShadowVolume::~LShadowVolume()
{
    Free();
    mMesh = nullptr;
}

void LShadowVolume::Free()
{
    delete[] mFaces;
    mFaces = nullptr;
    mFaceCount = 0;
    delete[] mEdges;
    mEdges = nullptr;
    mEdgeCount = 0;
    mSilhouetteCount = 0;
    delete mVertexBuffer;
    mVertexBuffer = nullptr;
    delete mIndexBuffer;
    mIndexBuffer = nullptr;
}

LString LShadowVolume::Dump() const
{
    LString text("[LShadowVolume ");
    text += mName;
    text += " faces=";
    text += mFaceCount;
    text += " edges=";
    text += mEdgeCount;
    text += "]";
    return text;
}

const LShadowFace* LShadowVolume::GetFace(int aIndex) const
{
    return aIndex >= 0 && aIndex < mFaceCount ? &mFaces[aIndex] : nullptr;
}

const LShadowEdge* LShadowVolume::GetEdge(int aIndex) const
{
    return aIndex >= 0 && aIndex < mEdgeCount ? &mEdges[aIndex] : nullptr;
}

bool LShadowVolume::Create(const LString& aName, LMesh* aMesh)
{
    if (aMesh == nullptr) {
        L_ASSERT_FAILURE("Create failure. NULL arg.");
        return false;
    }
    Free();
    mMesh = aMesh;
    mName = aName;
    const LVertexBuffer* vertices = aMesh->GetVertexBuffer();
    const int vertexCount = vertices != nullptr ? vertices->GetVertexCount() : 0;
    long long triangles = 0;
    for (int s = 0; s < aMesh->GetSubsetCount(); ++s) {
        triangles += aMesh->GetTriangleCount(s);
    }
    if (vertexCount <= 0 || aMesh->GetIndexBuffer() == nullptr || triangles > INT32_MAX / 3) {
        L_ASSERT_FAILURE("LShadowVolume creation failure.");
        return false;
    }
    // Welding: every vertex stands for the first one at its place.
    const uint32_t* duplicates = aMesh->GetDuplicateTable();
    if (duplicates == nullptr || aMesh->GetDuplicateCount() != vertexCount) {
        L_ASSERT_FAILURE("No duplicates found in mesh.");
        duplicates = nullptr;
    }

    const int maxFaces = static_cast<int>(triangles);
    const int maxEdges = maxFaces * 3;
    auto* faces = maxFaces > 0 ? L_NEW LShadowFace[maxFaces] : nullptr;
    auto* edges = maxEdges > 0 ? L_NEW LShadowEdge[maxEdges] : nullptr;
    // Per vertex b, the edges ending in b, kept as a list in the order they were made.
    int* first = L_NEW int[vertexCount];
    int* last = L_NEW int[vertexCount];
    int* next = maxEdges > 0 ? L_NEW int[maxEdges] : nullptr;
    if ((maxFaces > 0 && (faces == nullptr || edges == nullptr || next == nullptr)) || first == nullptr ||
        last == nullptr) {
        L_ASSERT_FAILURE("LShadowVolume creation failure.");
        delete[] faces;
        delete[] edges;
        delete[] first;
        delete[] last;
        delete[] next;
        return false;
    }
    for (int v = 0; v < vertexCount; ++v) {
        first[v] = -1;
        last[v] = -1;
    }

    int faceCount = 0;
    int edgeCount = 0;
    for (int s = 0; s < aMesh->GetSubsetCount(); ++s) {
        const LMeshSubset* subset = aMesh->GetSubset(s);
        if (subset == nullptr) {
            L_ASSERT_FAILURE("LShadowVolume: Invalid subset.");
            continue;
        }
        const LIndexBuffer* indices = subset->GetIndexBuffer();
        const int count = aMesh->GetTriangleCount(s);
        for (int t = 0; t < count; ++t) {
            int corner[3];
            bool inside = true;
            for (int c = 0; c < 3; ++c) {
                const int index = indices->GetIndex(t * 3 + c);
                inside = inside && index >= 0 && index < vertexCount;
                corner[c] = inside ? (duplicates != nullptr ? static_cast<int>(duplicates[index]) : index) : 0;
            }
            if (!inside) {
                continue;
            }
            const int f = faceCount++;
            LShadowFace& face = faces[f];
            face.mIndices[0] = corner[0];
            face.mIndices[1] = corner[1];
            face.mIndices[2] = corner[2];
            for (int k = 0; k < 3; ++k) {
                const int a = corner[k];
                const int b = corner[(k + 1) % 3];
                // The same edge made earlier the other way round ends in a and starts at b.
                int found = first[a];
                while (found != -1 && edges[found].mStart != b) {
                    found = next[found];
                }
                if (found != -1) {
                    LShadowEdge& shared = edges[found];
                    if (shared.mFace0 != f && shared.mFace1 == LShadowEdge::kNoFace) {
                        shared.mFace1 = f;
                    }
                    continue;
                }
                const int e = edgeCount++;
                edges[e].mStart = a;
                edges[e].mEnd = b;
                edges[e].mFace0 = f;
                edges[e].mFace1 = LShadowEdge::kNoFace;
                next[e] = -1;
                if (last[b] == -1) {
                    first[b] = e;
                } else {
                    next[last[b]] = e;
                }
                last[b] = e;
            }
        }
    }
    delete[] first;
    delete[] last;
    delete[] next;

    // The lists are cut to what they hold.
    mFaces = faceCount > 0 ? L_NEW LShadowFace[faceCount] : nullptr;
    mEdges = edgeCount > 0 ? L_NEW LShadowEdge[edgeCount] : nullptr;
    const bool copied = (faceCount == 0 || mFaces != nullptr) && (edgeCount == 0 || mEdges != nullptr);
    if (copied) {
        for (int i = 0; i < faceCount; ++i) {
            mFaces[i] = faces[i];
        }
        for (int i = 0; i < edgeCount; ++i) {
            mEdges[i] = edges[i];
        }
        mFaceCount = faceCount;
        mEdgeCount = edgeCount;
    } else {
        L_ASSERT_FAILURE("LShadowVolume creation failure.");
        Free();
    }
    delete[] faces;
    delete[] edges;
    return copied;
}

bool LShadowVolume::Write(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ASSERT_FAILURE("Write failure. NULL arg.");
        return false;
    }
    bool result = aStream->Write(mName) && aStream->Write(mEdgeCount);
    for (int i = 0; result && i < mEdgeCount; ++i) {
        const LShadowEdge& edge = mEdges[i];
        result = aStream->Write(edge.mStart) && aStream->Write(edge.mEnd) && aStream->Write(edge.mFace0) &&
                 aStream->Write(edge.mFace1);
    }
    result = result && aStream->Write(mFaceCount);
    for (int i = 0; result && i < mFaceCount; ++i) {
        const LShadowFace& face = mFaces[i];
        result = aStream->Write(face.mIndices[0]) && aStream->Write(face.mIndices[1]) &&
                 aStream->Write(face.mIndices[2]);
    }
    return result;
}

bool LShadowVolume::Read(LIStream* aStream)
{
    if (aStream == nullptr) {
        L_ASSERT_FAILURE("Read failure. NULL arg.");
        return false;
    }
    LString name;
    int edgeCount = 0;
    if (!aStream->Read(name) || !aStream->Read(edgeCount)) {
        L_ERROR("Read failure. Truncated shadow volume.");
        return false;
    }
    if (edgeCount < 0 || !aStream->Holds(kEdgeBytes * edgeCount)) {
        L_ERROR(LString("Read failure. Invalid edge count: ") + edgeCount);
        return false;
    }
    auto* edges = edgeCount > 0 ? L_NEW LShadowEdge[edgeCount] : nullptr;
    bool ok = edgeCount == 0 || edges != nullptr;
    for (int i = 0; ok && i < edgeCount; ++i) {
        LShadowEdge& edge = edges[i];
        ok = aStream->Read(edge.mStart) && aStream->Read(edge.mEnd) && aStream->Read(edge.mFace0) &&
             aStream->Read(edge.mFace1);
    }
    int faceCount = 0;
    ok = ok && aStream->Read(faceCount);
    if (ok && (faceCount < 0 || !aStream->Holds(kFaceBytes * faceCount))) {
        L_ERROR(LString("Read failure. Invalid face count: ") + faceCount);
        delete[] edges;
        return false;
    }
    auto* faces = ok && faceCount > 0 ? L_NEW LShadowFace[faceCount] : nullptr;
    ok = ok && (faceCount == 0 || faces != nullptr);
    for (int i = 0; ok && i < faceCount; ++i) {
        LShadowFace& face = faces[i];
        ok = aStream->Read(face.mIndices[0]) && aStream->Read(face.mIndices[1]) && aStream->Read(face.mIndices[2]);
        ok = ok && face.mIndices[0] >= 0 && face.mIndices[1] >= 0 && face.mIndices[2] >= 0;
    }
    if (!ok) {
        L_ERROR("Read failure. Truncated shadow volume.");
        delete[] edges;
        delete[] faces;
        return false;
    }
    // Update reads the faces an edge names: each must be one of this volume's.
    for (int i = 0; i < edgeCount; ++i) {
        const LShadowEdge& edge = edges[i];
        const bool face0 = edge.mFace0 >= 0 && edge.mFace0 < faceCount;
        const bool face1 = edge.mFace1 == LShadowEdge::kNoFace || (edge.mFace1 >= 0 && edge.mFace1 < faceCount);
        if (!face0 || !face1 || edge.mStart < 0 || edge.mEnd < 0) {
            L_ERROR(LString("Read failure. Edge outside the volume: ") + i);
            delete[] edges;
            delete[] faces;
            return false;
        }
    }
    Free();
    mName = name;
    mEdges = edges;
    mEdgeCount = edgeCount;
    mFaces = faces;
    mFaceCount = faceCount;
    mMesh = nullptr;
    return true;
}

bool LShadowVolume::SetMesh(LMesh* aMesh)
{
    if (mEdgeCount == 0 || mFaceCount == 0) {
        L_ASSERT_FAILURE("SetMesh failure. No edges or faces found. Read first.");
        return false;
    }
    if (aMesh == nullptr) {
        L_ASSERT_FAILURE("SetMesh failure. NULL arg.");
        return false;
    }
    const LVertexBuffer* vertices = aMesh->GetVertexBuffer();
    if (vertices == nullptr) {
        mMesh = nullptr;
        L_ASSERT_FAILURE("SetMesh failure. No vertex buffer found.");
        return false;
    }
    const int count = vertices->GetVertexCount();
    for (int i = 0; i < mEdgeCount; ++i) {
        if (mEdges[i].mStart >= count || mEdges[i].mEnd >= count) {
            L_ASSERT_FAILURE(LString("SetMesh failure. Vertex index outside the mesh in edge ") + i);
            mMesh = nullptr;
            return false;
        }
    }
    for (int i = 0; i < mFaceCount; ++i) {
        const int* corner = mFaces[i].mIndices;
        if (corner[0] >= count || corner[1] >= count || corner[2] >= count) {
            L_ASSERT_FAILURE(LString("SetMesh failure. Vertex index outside the mesh in face ") + i);
            mMesh = nullptr;
            return false;
        }
    }
    mMesh = aMesh;
    return true;
}

bool LShadowVolume::Position(int aVertex, LVector3& aOut) const
{
    const LVertexBuffer* vertices = mMesh != nullptr ? mMesh->GetVertexBuffer() : nullptr;
    const void* vertex = vertices != nullptr ? vertices->GetVertex(aVertex) : nullptr;
    if (vertex == nullptr) {
        aOut = LVector3(0.0f, 0.0f, 0.0f);
        return false;
    }
    std::memcpy(&aOut, vertex, sizeof(aOut));
    return true;
}

LVector3 LShadowVolume::AwayFromLight(const LVector3& aPoint) const
{
    return mDirectional ? mLightDirection : aPoint - mLightPosition;
}

bool LShadowVolume::Update(const LLight* aLight)
{
    if (aLight == nullptr) {
        L_ASSERT_FAILURE("Update failure. NULL arg.");
        return false;
    }
    if (mMesh == nullptr) {
        L_ASSERT_FAILURE("Update failure. No mesh bound.");
        return false;
    }
    mHasLight = true;
    mDirectional = aLight->mType == LLight::kDirectional;
    mLightPosition = aLight->mPosition;
    mLightDirection = aLight->mDirection;
    // Every face's side, so that a border edge knows which way its face turns.
    for (int i = 0; i < mFaceCount; ++i) {
        LShadowFace& face = mFaces[i];
        LVector3 c0, c1, c2;
        Position(face.mIndices[0], c0);
        Position(face.mIndices[1], c1);
        Position(face.mIndices[2], c2);
        face.mNormal = Unit(LVector3::Cross(c0 - c1, c2 - c1));
        face.mAway = LVector3::Dot(AwayFromLight(c0), face.mNormal) > 0.0f ? 1 : 0;
    }
    mSilhouetteCount = 0;
    for (int i = 0; i < mEdgeCount; ++i) {
        LShadowEdge& edge = mEdges[i];
        bool silhouette = edge.mFace1 == LShadowEdge::kNoFace;
        if (!silhouette) {
            // Sign +1 for a face turned away or edge-on (d >= 0), -1 for one facing the light:
            // the edge lies on the silhouette where the two differ.
            int sum = 0;
            for (int face : {edge.mFace0, edge.mFace1}) {
                LVector3 corner;
                Position(mFaces[face].mIndices[0], corner);
                const float d = LVector3::Dot(AwayFromLight(corner), mFaces[face].mNormal);
                sum += d >= 0.0f ? 1 : -1;
            }
            silhouette = sum == 0;
        }
        edge.mSilhouette = silhouette ? 1 : 0;
        mSilhouetteCount += silhouette ? 1 : 0;
    }
    return true;
}

bool LShadowVolume::BuildVolume(LCamera* aCamera)
{
    bool result = aCamera != nullptr && aCamera->Apply();
    delete mVertexBuffer;
    delete mIndexBuffer;
    mVertexBuffer = L_NEW LVertexBuffer();
    mIndexBuffer = L_NEW LIndexBuffer();
    if (mVertexBuffer == nullptr || mIndexBuffer == nullptr) {
        return false;
    }
    if (mSilhouetteCount == 0 || !mHasLight) {
        // Nothing to extrude: the buffers stay empty and Render draws no triangle.
        return result;
    }
    auto* positions = L_NEW LVector3[static_cast<size_t>(mSilhouetteCount) * 4];
    auto* indices = L_NEW uint32_t[static_cast<size_t>(mSilhouetteCount) * 6];
    if (positions == nullptr || indices == nullptr) {
        delete[] positions;
        delete[] indices;
        return false;
    }
    int k = 0;
    int n = 0;
    for (int i = 0; i < mEdgeCount; ++i) {
        const LShadowEdge& edge = mEdges[i];
        if (edge.mSilhouette == 0) {
            continue;
        }
        LVector3 p, q;
        Position(edge.mStart, p);
        Position(edge.mEnd, q);
        if (mFaces[edge.mFace0].mAway != 0) {
            const LVector3 swap = p;
            p = q;
            q = swap;
        }
        positions[k] = p;
        positions[k + 1] = q;
        positions[k + 2] = p + Unit(AwayFromLight(p)) * kExtrusion;
        positions[k + 3] = q + Unit(AwayFromLight(q)) * kExtrusion;
        const uint32_t base = static_cast<uint32_t>(k);
        const uint32_t quad[6] = {base, base + 1, base + 3, base + 3, base + 2, base};
        for (uint32_t index : quad) {
            indices[n++] = index;
        }
        k += 4;
    }
    result = mVertexBuffer->Create(kVertexFormat, positions, k) != 0 && result;
    result = mIndexBuffer->Create(kIndexFormat, indices, n) != 0 && result;
    delete[] positions;
    delete[] indices;
    return result;
}

bool LShadowVolume::Render()
{
    if (mVertexBuffer == nullptr || mIndexBuffer == nullptr) {
        return false;
    }
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (rasterizer == nullptr) {
        return false;
    }
    const int triangles = mSilhouetteCount * 2;
    const int vertices = mSilhouetteCount * 4;
    const bool draw = mVertexBuffer->GetVertexCount() > 0 && mIndexBuffer->GetIndexCount() > 0;
    bool result = rasterizer->SetFillMode(LIRasterizer::kFillSolid) != 0;
    result = rasterizer->SetTransform(LIRasterizer::kWorld, &Identity()) != 0 && result;
    // Front faces add one, back faces take one away; both wrap.
    const int culls[2] = {LIRasterizer::kCullClockwise, LIRasterizer::kCullCounterClockwise};
    const int passes[2] = {LIRasterizer::kIncr, LIRasterizer::kDecr};
    for (int pass = 0; pass < 2; ++pass) {
        result = rasterizer->SetCullMode(culls[pass]) != 0 && result;
        result = rasterizer->SetStencilFunc(LIRasterizer::kAlways, 0, kStencilMask) != 0 && result;
        result = rasterizer->SetStencilFail(LIRasterizer::kKeep) != 0 && result;
        result = rasterizer->SetStencilZFail(LIRasterizer::kKeep) != 0 && result;
        result = rasterizer->SetStencilPass(passes[pass]) != 0 && result;
        // Empty buffers (no silhouette) are not handed over: there is nothing to draw.
        if (draw) {
            result = rasterizer->SetVertexBuffer(mVertexBuffer) != 0 && result;
            result = rasterizer->SetIndexBuffer(mIndexBuffer) != 0 && result;
            result = rasterizer->DrawIndexedPrimitive(LIRasterizer::kTriangleList, triangles, vertices, 0, 0) != 0 &&
                     result;
        }
    }
    return result;
}
