// A loose quadtree over 2-D boxes, of at most ten levels ((4^n - 1) / 3 cells); the
// loose tree does the work. Queries give LQuadTreeLooseNode pointers, children in the
// order 00, 01, 10, 11 of [ix][iy].
#pragma once
#include "LLooseTree.h"
#include "LQuadTreeLooseNode.h"

class LQuadTreeLoose : public LLooseTree<LQuadTreeLooseNode, LVector2, LBox2, 10>
{
public:
    // -1 when aValue <= the box's min on the axis (0 x, 1 y), 1 when >= its max, else 0;
    // 2 for another axis.
    static int Classify(int aOrientation, float aValue, const LBox2& aBox);
};
