// A cell of the loose octree: eight children [ix][iy][iz] (index 1 on the positive side
// of the centre); the rest is the loose tree's cell.
#pragma once
#include "LBox3.h"
#include "LLooseTreeNode.h"

class LOctreeLooseNode : public LLooseTreeNode<LOctreeLooseNode, LVector3, LBox3, 8>
{
public:
    // Null for a leaf.
    LOctreeLooseNode* GetChild(int aX, int aY, int aZ) const
    {
        return GetChildAt((aX ? 4 : 0) + (aY ? 2 : 0) + (aZ ? 1 : 0));
    }

    static LVector3 ChildOffset(int aIndex, float aQuarter);
    static int ChildIndex(const LVector3& aPoint, const LVector3& aCentre);
};
