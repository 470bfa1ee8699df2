// One triangle of a mesh filed in a mesh octree or quadtree: the index of its mesh in the
// tree's id list and its corners in world space, in index order. The tree owns it.
#pragma once
#include "LVector3.h"

#include <cstdint>

class LMeshTriangle
{
public:
    LMeshTriangle(uint32_t aMesh, const LVector3* aCorners);

    // 32 bits: a tree may hold any number of meshes.
    uint32_t GetMesh() const { return mMesh; }
    const LVector3& GetCorner(int aIndex) const { return mCorners[aIndex]; }
    const LVector3* GetCorners() const { return mCorners; }

private:
    uint32_t mMesh;
    LVector3 mCorners[3];
};
