// A range of a mesh's faces drawn with one material: its own index buffer, the face and
// vertex ranges of the draw call, and a copy of the material. Owned by its mesh.
#pragma once
#include "Render/LMaterial.h"

#include <cstdint>

class LIStream;
class LIndexBuffer;
class LMesh;

class LMeshSubset
{
public:
    LMeshSubset();
    LMeshSubset(const LMeshSubset&) = delete;
    LMeshSubset& operator=(const LMeshSubset&) = delete;
    ~LMeshSubset();

    // Hands the index buffer (when the owner is indexed) and the material to the
    // rasterizer and draws the faces: strips with the owner's flag 2, else lists. The AND
    // of the rasterizer's results; 0 without a rasterizer or owner, and 0 without a call
    // for a subset that reaches past its vertices.
    int Render();

    // Whether every index the subset holds, with the vertex start added, names one of
    // aVertexCount vertices. A subset that reaches past them is kept but neither drawn nor
    // counted among its mesh's triangles until a later check finds it inside.
    bool CheckVertices(int aVertexCount);
    bool ReachesPastVertices() const { return mPastVertices; }

    // The tree-form record: face count, vertex count, index-buffer record, material
    // record. Face and vertex start are not stored and read as 0. A texture that cannot
    // be made is logged and leaves the material untextured; the read goes on.
    bool Read(LIStream* aStream);
    bool Write(LIStream* aStream) const;

    // Sets the ranges of the draw call.
    void SetRange(uint32_t aFaceStart, uint32_t aFaceCount, uint32_t aVertexStart, uint32_t aVertexCount);
    // Takes the index buffer (the old one is deleted); null leaves the subset without.
    void SetIndexBuffer(LIndexBuffer* aBuffer);
    void SetMaterial(const LMaterial& aMaterial) { mMaterial = aMaterial; }
    void SetOwner(LMesh* aOwner) { mOwner = aOwner; }

    uint32_t GetFaceCount() const { return mFaceCount; }
    uint32_t GetVertexCount() const { return mVertexCount; }
    uint32_t GetFaceStart() const { return mFaceStart; }
    uint32_t GetVertexStart() const { return mVertexStart; }
    LIndexBuffer* GetIndexBuffer() const { return mIndexBuffer; }
    const LMaterial& GetMaterial() const { return mMaterial; }
    LMesh* GetOwner() const { return mOwner; }

    // Fewest bytes of a tree-form record: two counts, an index-buffer record of one
    // 16-bit index and a material record with an empty name.
    static constexpr int kMinRecordBytes = 8 + 16 + 2 + 17 * 4 + 6;

    // Reads a material record into aMaterial. A texture that cannot be made does not fail
    // the read (the material stays untextured); a short record does.
    static bool ReadMaterial(LIStream* aStream, LMaterial& aMaterial);

private:
    uint32_t mFaceCount = 0;
    uint32_t mVertexCount = 0;
    LIndexBuffer* mIndexBuffer = nullptr;
    uint32_t mFaceStart = 0;
    uint32_t mVertexStart = 0;
    LMaterial mMaterial;
    LMesh* mOwner = nullptr;
    bool mPastVertices = false;
};
