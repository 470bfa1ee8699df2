#include "LQuadTreeLooseNode.h"

LVector2 LQuadTreeLooseNode::ChildOffset(int aIndex, float aQuarter)
{
    return LVector2((aIndex & 2) ? aQuarter : -aQuarter, (aIndex & 1) ? aQuarter : -aQuarter);
}

int LQuadTreeLooseNode::ChildIndex(const LVector2& aPoint, const LVector2& aCentre)
{
    return (aPoint.x >= aCentre.x ? 2 : 0) + (aPoint.y >= aCentre.y ? 1 : 0);
}
