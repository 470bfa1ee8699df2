#include "Render/LMeshQuadTree.h"

#include "LPlane.h"
#include "LPolygon.h"

namespace {
LVector2 GroundPoint(const LVector3& aCorner)
{
    return LVector2(aCorner.x, aCorner.z);
}
} // namespace

bool LMeshQuadTree::AddMesh(const LString& aId, LMesh* aMesh, const LMatrix4& aWorld)
{
    if (GetIds().Contains(aId)) {
        L_ASSERT_FAILURE("AddMesh failure. Duplicate id:" + aId);
        return false;
    }
    return AddTriangles(
        aId, aMesh, aWorld,
        [](const LVector3* aCorners) {
            LBox2 box;
            box.SetEmpty();
            for (int i = 0; i < 3; ++i) {
                box.Grow(GroundPoint(aCorners[i]));
            }
            return box;
        },
        nullptr);
}

bool LMeshQuadTree::IntersectsVertLineThruPt(const LVector2& aPoint, LVector3& aHit) const
{
    if (GetRoot() == nullptr) {
        L_ASSERT_FAILURE("IntersectsVertLineThruPt failure. NULL root.");
        return false;
    }
    LVector nodes;
    GetItemsAt(aPoint, nodes, true);
    const LLine3 vertical(LVector3(aPoint.x, 0.0f, aPoint.y), LVector3(aPoint.x, 1.0f, aPoint.y), L_LINE_INFINITE);
    bool found = false;
    ForEachRecord(nodes, [&](const LMeshTriangle& aRecord) {
        const LVector2 outline[3] = {GroundPoint(aRecord.GetCorner(0)), GroundPoint(aRecord.GetCorner(1)),
                                     GroundPoint(aRecord.GetCorner(2))};
        // The outline lies within its box: most records are passed over without a polygon.
        LBox2 box;
        box.SetEmpty();
        for (const LVector2& corner : outline) {
            box.Grow(corner);
        }
        if (!box.Contains(aPoint) || !LPolygon(outline, 3, true).ContainsPoint(aPoint)) {
            return true;
        }
        LPlane plane;
        plane.SetFromPoints(aRecord.GetCorner(0), aRecord.GetCorner(1), aRecord.GetCorner(2));
        found = plane.Intersect(vertical, aHit);
        return !found;
    });
    return found;
}

bool LMeshQuadTree::GetObjectsContainingPt(const LVector2& aPoint, LVector& aRecords) const
{
    const LQuadTreeLooseNode* node = GetRoot();
    if (node == nullptr) {
        L_ASSERT_FAILURE("GetObjectsContainingPt failure. NULL root.");
        return false;
    }
    aRecords.RemoveAll();
    for (int level = 0; level < GetNumLevels() && node != nullptr; ++level) {
        if (node->GetItems().GetCount() > 0) {
            aRecords.Add(node->GetItems().GetAt(0));
        }
        node = node->GetChildAt(LQuadTreeLooseNode::ChildIndex(aPoint, node->GetCentre()));
    }
    return aRecords.GetCount() > 0;
}
