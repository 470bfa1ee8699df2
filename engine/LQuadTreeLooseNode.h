// A cell of the loose quadtree: four children [ix][iy] (index 1 on the positive side of
// the centre); the rest is the loose tree's cell.
#pragma once
#include "LBox2.h"
#include "LLooseTreeNode.h"

class LQuadTreeLooseNode : public LLooseTreeNode<LQuadTreeLooseNode, LVector2, LBox2, 4>
{
public:
    // Null for a leaf.
    LQuadTreeLooseNode* GetChild(int aX, int aY) const { return GetChildAt((aX ? 2 : 0) + (aY ? 1 : 0)); }

    static LVector2 ChildOffset(int aIndex, float aQuarter);
    static int ChildIndex(const LVector2& aPoint, const LVector2& aCentre);
};
