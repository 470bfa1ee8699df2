#include "LOctreeLooseNode.h"

LVector3 LOctreeLooseNode::ChildOffset(int aIndex, float aQuarter)
{
    return LVector3((aIndex & 4) ? aQuarter : -aQuarter, (aIndex & 2) ? aQuarter : -aQuarter,
                    (aIndex & 1) ? aQuarter : -aQuarter);
}

int LOctreeLooseNode::ChildIndex(const LVector3& aPoint, const LVector3& aCentre)
{
    return (aPoint.x >= aCentre.x ? 4 : 0) + (aPoint.y >= aCentre.y ? 2 : 0) + (aPoint.z >= aCentre.z ? 1 : 0);
}
