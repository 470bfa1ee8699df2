// A mesh whose vertices follow bones: each bone follows the world matrix of a model frame
// and moves the vertices it influences, weighted, on the processor. The skinned vertices
// are in world space and are written back into the mesh's own vertex buffer, whose
// format must begin with position and normal (24 bytes).
//
// Bones from a direct-form model are bound by frame id when the model loads; bones of a
// tree-form model (or built in memory) are bound by name at the first skin update, and a
// binding that fails is tried again at the next one.
#pragma once
#include "LMatrix4.h"
#include "LVector3.h"
#include "Render/LMesh.h"

class LSkinMesh : public LMesh
{
public:
    struct Bone
    {
        Bone() = default;
        Bone(const Bone&) = delete;
        Bone& operator=(const Bone&) = delete;
        ~Bone();

        LString mName;
        unsigned int mFrameId = 0;
        uint32_t mInfluenceCount = 0;
        uint32_t* mVertices = nullptr;
        float* mWeights = nullptr;
        // The bind-pose inverse.
        LMatrix4 mOffset;
        // The world matrix of the frame the bone follows; null until bound.
        const LMatrix4* mFrameWorld = nullptr;
    };

    LSkinMesh();
    ~LSkinMesh() override;

    LString Dump() const override;

    // The static body, then the bones with the ids of the frames that drive them; the
    // skin is then prepared. 0 and the mesh unchanged on a short or invalid body.
    int ReadBody(LIStream* aStream, int aMeshWord) override;
    void BindBone(unsigned int aFrameId, const LString& aName, const LMatrix4* aWorld) override;

    // The tree-form record: the mesh record, then the bones (without frame ids).
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;

    // Binds every bone to the frame of its name under the root of the owner frame. Stops
    // at the first bone without a frame ("Bone frame not found.", 0): the bones before it
    // stay bound and the skin stays unbound.
    int SetupBonePointers();
    // Moves the vertices by the bones (binding them first when the skin is unbound) and
    // writes positions and normals into the vertex buffer. 0 when the vertex buffer no
    // longer suits the bones.
    int UpdateSkin();

    // Appends a bone of aCount influences; a vertex index at or beyond the vertex count is
    // refused. The bone is bound later by name (or by BindBone).
    int AddBone(const LString& aName, unsigned int aFrameId, int aCount, const uint32_t* aVertices,
                const float* aWeights, const LMatrix4& aOffset);
    // Takes the rest positions and normals from the vertex buffer (after it was set or
    // replaced); 0 when its vertices are smaller than position and normal.
    int PrepareSkin();

    uint32_t GetBoneCount() const { return mBoneCount; }
    // Null outside 0 to count − 1.
    const Bone* GetBone(int aIndex) const;
    bool IsBound() const { return mBound; }
    void SetBound(bool aBound) { mBound = aBound; }

    // Fewest bytes of a skin's bone in the direct and in the tree form.
    static constexpr int kMinDirectBoneBytes = 4 + 4 + 4 + 64;
    static constexpr int kMinTreeBoneBytes = 6 + 4 + 64;

private:
    // Reads aCount bones of either form into a new array; each influence must name one of
    // aVertexCount vertices. On failure nothing is left allocated.
    static bool ReadBones(LIStream* aStream, bool aDirect, int aVertexCount, uint32_t aCount, Bone**& aBones);
    static bool ReadInfluences(LIStream* aStream, int aVertexCount, Bone& aBone);
    void TakeBones(Bone** aBones, uint32_t aCount);
    void FreeSkin();
    // Whether the vertex buffer is the one the skin was prepared from.
    bool Prepared() const;

    uint32_t mBoneCount = 0;
    Bone** mBones = nullptr;
    int mVertexCount = 0;
    int mVertexStride = 0;
    uint8_t* mVertexData = nullptr;
    LVector3* mRestPositions = nullptr;
    LVector3* mSkinnedPositions = nullptr;
    LVector3* mRestNormals = nullptr;
    LVector3* mSkinnedNormals = nullptr;
    bool mBound = false;
};
