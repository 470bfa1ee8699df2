// A loose octree over 3-D boxes, of at most seven levels ((8^n - 1) / 7 cells); the
// loose tree does the work. Queries give LOctreeLooseNode pointers, children in the
// order 000 .. 111 of [ix][iy][iz].
#pragma once
#include "LLooseTree.h"
#include "LOctreeLooseNode.h"

class LOctreeLoose : public LLooseTree<LOctreeLooseNode, LVector3, LBox3, 7>
{
};
