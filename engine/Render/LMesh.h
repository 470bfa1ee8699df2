// The drawable geometry of one model frame: a vertex buffer, an index buffer, materials
// and the subsets that each draw a range of faces with one material. Also answers the
// bounding queries of navigation and picking and keeps the duplicate table that the
// shadow-volume builder welds with.
//
// Two readers fill a mesh: ReadBody (the direct model form) and Read (the tree form, whose
// record Write gives). Both check every count against the bytes left before they allocate
// and leave the mesh as it was on failure. A subset whose indices reach past the mesh's
// vertices is logged once when read and kept, but neither drawn nor counted in triangles.
#pragma once
#include "LMatrix4.h"
#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "object/LObject.h"

#include <cstdint>

class LBox2;
class LBox3;
class LFrame;
class LIndexBuffer;
class LMaterial;
class LMeshSubset;
class LVertexBuffer;

class LMesh : public LObject
{
public:
    enum Type { kStatic = 0, kSkinned = 1 };
    enum Flag : uint32_t {
        kIndexed = 1,
        kStrips = 2,
        kWireframe = 4,
        kShown = 16,
        kCustomLighting = 32,
    };
    // Mesh word bit of the direct form: the body carries a face-neighbour table.
    static constexpr uint32_t kHasFaceNeighbours = 0x8000;

    LMesh();
    LMesh(const LMesh&) = delete;
    LMesh& operator=(const LMesh&) = delete;
    ~LMesh() override;

    LString Dump() const override;

    // The static body of the direct form: materials, vertex and index buffers, subsets of
    // five numbers each (subset i takes material i and the indices from index position
    // vertex start + face start, counted in 4-byte units), then with kHasFaceNeighbours in
    // aMeshWord three face neighbours per face. Sets kIndexed. 0 and the mesh unchanged
    // on a short or inconsistent body.
    virtual int ReadBody(LIStream* aStream, int aMeshWord);
    // Draws nothing while kShown is clear (1). Sets the fill mode (wireframe with
    // kWireframe, else solid) and the vertex buffer, then draws each subset; 1, or 0
    // without a rasterizer.
    virtual int Render();
    // Makes every bone that follows the frame of aFrameId follow aWorld; nothing here.
    virtual void BindBone(unsigned int aFrameId, const LString& aName, const LMatrix4* aWorld);

    // The tree-form mesh record. Write stores the float value as 1.0.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // Takes the subset and becomes its owner.
    int AddSubset(LMeshSubset* aSubset);
    int AddMaterial(const LMaterial& aMaterial);
    // Take the buffer and delete the old one; null is refused.
    int SetVertexBuffer(LVertexBuffer* aBuffer);
    int SetIndexBuffer(LIndexBuffer* aBuffer);
    // A copy of aCount entries, each below aCount (the vertex count); null clears it.
    int SetDuplicateTable(const uint32_t* aTable, int aCount);
    // A copy of aCount entries (3 per face); null clears it.
    int SetFaceNeighbours(const uint32_t* aTable, int aCount);
    // Turns custom lighting on (a format-6 copy of the format-5 vertices with colour
    // (1, 0, 0, 0)) or off; 1 when already so.
    int SetCustomLighting(bool aOn);

    LVertexBuffer* GetVertexBuffer() const { return mVertexBuffer; }
    LVertexBuffer* GetLitVertexBuffer() const { return mLitVertexBuffer; }
    LIndexBuffer* GetIndexBuffer() const { return mIndexBuffer; }
    int GetSubsetCount() const { return mSubsetCount; }
    // Null outside 0 to count − 1.
    LMeshSubset* GetSubset(int aIndex) const;
    int GetMaterialCount() const { return mMaterialCount; }
    const LMaterial* GetMaterial(int aIndex) const;
    int GetType() const { return mType; }
    uint32_t GetFlags() const { return mFlags; }
    void SetFlags(uint32_t aMask) { mFlags |= aMask; }
    void ClearFlags(uint32_t aMask) { mFlags &= ~aMask; }
    const LString& GetName() const { return mName; }
    void SetName(const LString& aName) { mName = aName; }
    LFrame* GetOwner() const { return mOwner; }
    void SetOwner(LFrame* aOwner) { mOwner = aOwner; }
    float GetFloatValue() const { return mFloatValue; }
    const uint32_t* GetDuplicateTable() const { return mDuplicates; }
    int GetDuplicateCount() const { return mDuplicateCount; }
    const uint32_t* GetFaceNeighbours() const { return mFaceNeighbours; }
    int GetFaceNeighbourCount() const { return mFaceNeighbourCount; }
    // Sum of the subsets' face counts.
    long long GetTotalFaceCount() const;

    // The triangles of subset aSubset's index range (its own index buffer): its face count,
    // cut to the indices it holds; 0 outside the subsets, without vertex data, or for a
    // subset that reaches past the vertices.
    int GetTriangleCount(int aSubset) const;
    // The corners of triangle aFace of subset aSubset: the vertex positions its three
    // indices name, in index order, transformed as points by aWorld. False (nothing
    // logged) outside the subsets or faces, or for an index outside the vertex data.
    bool GetTriangle(int aSubset, int aFace, const LMatrix4& aWorld, LVector3 aCorners[3]) const;
    // Every triangle, subsets in order and faces in order within each: aVisit(corners)
    // with the corners in aWorld; triangles naming a vertex outside the data are skipped.
    template <typename F>
    void ForEachTriangle(const LMatrix4& aWorld, F&& aVisit) const
    {
        LVector3 corners[3];
        for (int subset = 0; subset < mSubsetCount; ++subset) {
            const int count = GetTriangleCount(subset);
            for (int face = 0; face < count; ++face) {
                if (GetTriangle(subset, face, aWorld, corners)) {
                    aVisit(static_cast<const LVector3*>(corners));
                }
            }
        }
    }

    // The axis-aligned box of the vertex positions, in the owner frame's world with
    // aWorld; the empty box without vertices. Returns aOut.
    LBox3* GetBoundingBox(LBox3* aOut, bool aWorld) const;
    // The same in x and z: (min x, min z) to (max x, max z).
    LBox2* GetBoundingRectXZ(LBox2* aOut, bool aWorld) const;

protected:
    explicit LMesh(int aType);

    // The parts a body or record read, taken over only when all of it was read; whatever
    // is left in them (nothing taken, or the mesh's old parts) is freed with them.
    struct Parts
    {
        Parts() = default;
        Parts(const Parts&) = delete;
        Parts& operator=(const Parts&) = delete;
        ~Parts();

        float mFloatValue = 0.0f;
        LString mName;
        uint32_t mFlags = 0;
        LVertexBuffer* mVertexBuffer = nullptr;
        LIndexBuffer* mIndexBuffer = nullptr;
        int mSubsetCount = 0;
        LMeshSubset** mSubsets = nullptr;
        int mMaterialCount = 0;
        LMaterial* mMaterials = nullptr;
        int mDuplicateCount = 0;
        uint32_t* mDuplicates = nullptr;
        int mFaceNeighbourCount = 0;
        uint32_t* mFaceNeighbours = nullptr;
    };
    // Takes the parts (giving the old ones to aParts) and checks the subsets' indices
    // against the vertices, logging each subset that reaches past them.
    void Adopt(Parts& aParts);
    // Appends aValue to an owned array of aCount elements (a copy by assignment).
    template <typename T, typename N>
    static void Append(T*& aArray, N& aCount, const T& aValue)
    {
        T* grown = L_NEW T[aCount + 1];
        for (N i = 0; i < aCount; ++i) {
            grown[i] = aArray[i];
        }
        grown[aCount] = aValue;
        delete[] aArray;
        aArray = grown;
        ++aCount;
    }
    // Reads a direct-form static body into aParts.
    bool ReadBodyParts(LIStream* aStream, int aMeshWord, Parts& aParts);
    // Reads a tree-form mesh record into aParts.
    bool ReadRecordParts(LIStream* aStream, Parts& aParts);
    // Takes the name, flags and float value of a record as well as its parts.
    void AdoptRecord(Parts& aParts);

    uint32_t mFlags = kShown;
    int mSubsetCount = 0;
    LMeshSubset** mSubsets = nullptr;
    int mMaterialCount = 0;
    LMaterial* mMaterials = nullptr;
    int mFaceNeighbourCount = 0;
    uint32_t* mFaceNeighbours = nullptr;
    LString mName;
    LFrame* mOwner = nullptr;
    int mDuplicateCount = 0;
    uint32_t* mDuplicates = nullptr;
    float mFloatValue = 0.0f;
    int mType = kStatic;
    LVertexBuffer* mVertexBuffer = nullptr;
    LVertexBuffer* mLitVertexBuffer = nullptr;
    LIndexBuffer* mIndexBuffer = nullptr;
};
