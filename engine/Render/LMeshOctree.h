// The triangles of a scene's depth meshes in a loose octree, by their 3-D boxes: which
// triangles a segment crosses, and the nearest hit of a ray (the point under a click).
#pragma once
#include "LOctreeLoose.h"
#include "Render/LMeshTree.h"

class LVectorInt;

class LMeshOctree : public LMeshTree<LOctreeLoose>
{
public:
    // Files the mesh's triangles in world space. The same id may be added twice. False
    // for a mesh without buffers (silently) and when an insertion fails (logged).
    bool AddMesh(const LString& aId, LMesh* aMesh, const LMatrix4& aWorld);
    // Every triangle crossed by the segment aOrigin .. aOrigin + aDelta: its mesh index
    // goes to aMeshes and a new LVector3 with the crossing point (the caller's to delete)
    // to aHits. False, logged, without a root.
    bool GetObjectsIntersectingRay(const LVector3& aOrigin, const LVector3& aDelta, LVectorInt& aMeshes,
                                   LVector& aHits) const;
    // The nearest crossing of the segment aOrigin .. aOrigin + aDirection × aDistance
    // (nearest to aOrigin; the first found among equals) goes to aHit. False when there
    // is none (aHit unchanged), and logged without a root.
    bool Pick(const LVector3& aOrigin, const LVector3& aDirection, LVector3& aHit, float aDistance) const;

private:
    // Calls aVisit(record, point) for every record crossed by the segment.
    template <typename F>
    bool ForEachCrossing(const LVector3& aOrigin, const LVector3& aDelta, F&& aVisit) const;
};
