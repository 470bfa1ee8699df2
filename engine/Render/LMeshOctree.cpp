#include "Render/LMeshOctree.h"

#include "LPlane.h"
#include "container/LVectorInt.h"

bool LMeshOctree::AddMesh(const LString& aId, LMesh* aMesh, const LMatrix4& aWorld)
{
    return AddTriangles(
        aId, aMesh, aWorld,
        [](const LVector3* aCorners) {
            LBox3 box;
            box.SetEmpty();
            for (int i = 0; i < 3; ++i) {
                box.Grow(aCorners[i]);
            }
            return box;
        },
        "AddMesh failure. Insert failed.");
}

template <typename F>
bool LMeshOctree::ForEachCrossing(const LVector3& aOrigin, const LVector3& aDelta, F&& aVisit) const
{
    if (GetRoot() == nullptr) {
        L_ASSERT_FAILURE("GetObjectsIntersectingRay failure. Root undefined.");
        return false;
    }
    LVector nodes;
    if (!GetItemsAlong(aOrigin, aDelta, nodes, true)) {
        L_ASSERT_FAILURE("GetNodesRay failure.");
        return false;
    }
    const LLine3 segment(aOrigin, aOrigin + aDelta, L_LINE_SEGMENT);
    ForEachRecord(nodes, [&](const LMeshTriangle& aRecord) {
        LVector3 point;
        if (IntersectLineTriangle(segment, aRecord.GetCorner(0), aRecord.GetCorner(1), aRecord.GetCorner(2), point)) {
            aVisit(aRecord, point);
        }
        return true;
    });
    return true;
}

bool LMeshOctree::GetObjectsIntersectingRay(const LVector3& aOrigin, const LVector3& aDelta, LVectorInt& aMeshes,
                                            LVector& aHits) const
{
    return ForEachCrossing(aOrigin, aDelta, [&](const LMeshTriangle& aRecord, const LVector3& aPoint) {
        aHits.Add(L_NEW LVector3(aPoint));
        aMeshes.Add(static_cast<int>(aRecord.GetMesh()));
    });
}

bool LMeshOctree::Pick(const LVector3& aOrigin, const LVector3& aDirection, LVector3& aHit, float aDistance) const
{
    bool found = false;
    float nearest = 0.0f;
    const bool queried = ForEachCrossing(aOrigin, aDirection * aDistance, [&](const LMeshTriangle&, const LVector3& aPoint) {
        const float distance = (aPoint - aOrigin).LengthSquared();
        if (!found || distance < nearest) {
            found = true;
            nearest = distance;
            aHit = aPoint;
        }
    });
    if (!queried) {
        L_ASSERT_FAILURE("Pick failure.");
        return false;
    }
    return found;
}
