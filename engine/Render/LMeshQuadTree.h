// The triangles of a scene's ground meshes in a loose quadtree, by their extent in x and
// z: where the vertical line through a point (x, z) meets the ground.
#pragma once
#include "LQuadTreeLoose.h"
#include "Render/LMeshTree.h"

class LMeshQuadTree : public LMeshTree<LQuadTreeLoose>
{
public:
    // Files the mesh's triangles in world space. An id added before is refused ("AddMesh
    // failure. Duplicate id:" and the id); a mesh without buffers gives false silently.
    bool AddMesh(const LString& aId, LMesh* aMesh, const LMatrix4& aWorld);
    // aPoint holds x and z. The first triangle found whose (x, z) outline holds the point
    // gives the point of its plane straight above or below it in aHit (not the highest or
    // lowest of several). False without such a triangle (aHit unchanged), and logged
    // without a root.
    bool IntersectsVertLineThruPt(const LVector2& aPoint, LVector3& aHit) const;
    // aRecords is emptied, then receives the first record (LMeshTriangle*) of every
    // non-empty node on the way from the root down to the deepest cell that holds the
    // point. Whether any was found; logged without a root.
    bool GetObjectsContainingPt(const LVector2& aPoint, LVector& aRecords) const;
};
