// A loose quadtree, the 2-D form of LOctreeLoose (four children per cell): every cell of all levels exists from Setup on, each with a loose box
// twice its tight edge, so an item filed by its bounds' centre always fits its cell's
// loose box and queries never look at neighbouring cells. Items are opaque pointers the
// tree does not own; queries answer with the nodes hit, whose item lists the caller reads.
#pragma once
#include "LQuadTreeLooseNode.h"
#include "object/LBase.h"

class LQuadTreeLoose : public LBase
{
public:
    // The deepest tree Setup builds ((4^n - 1) / 3 cells).
    static constexpr int kMaxLevels = 10;

    LQuadTreeLoose() = default;
    LQuadTreeLoose(const LQuadTreeLoose&) = delete;
    LQuadTreeLoose& operator=(const LQuadTreeLoose&) = delete;
    ~LQuadTreeLoose() override;

    // Discards any old tree and builds all aNumLevels levels below a root cell of edge
    // aSize about aCentre. 0 for fewer than 1 or more than kMaxLevels levels.
    int Setup(const LVector2& aCentre, float aSize, int aNumLevels);
    // Files aItem in the deepest cell whose tight edge still holds the bounds' largest
    // extent (or the deepest level), the one that holds the bounds' centre. 0 for a null
    // item or a tree that was never set up.
    int Insert(void* aItem, const LBox2& aBounds);

    // aOut is emptied and receives nodes (LQuadTreeLooseNode*), depth first, children in
    // the order 00, 01, 10, 11 of [ix][iy]. False, with aOut untouched, without a tree.
    bool GetAllItems(LVector& aOut) const;
    // The nodes whose loose cell contains the point (inclusive); with aSkipEmpty nodes
    // without items are left out (their children are still visited).
    bool GetItemsAt(const LVector2& aPoint, LVector& aOut, bool aSkipEmpty) const;
    // The nodes whose loose box the segment from aOrigin to aOrigin + aDelta meets.
    bool GetItemsAlong(const LVector2& aOrigin, const LVector2& aDelta, LVector& aOut, bool aSkipEmpty) const;

    // -1 when aValue <= the box's min on the axis (0 x, 1 y), 1 when >= its max, else 0;
    // 2 for another axis.
    static int Classify(int aOrientation, float aValue, const LBox2& aBox);

    LQuadTreeLooseNode* GetRoot() const { return mRoot; }
    float GetSize() const { return mSize; }
    int GetNumLevels() const { return mNumLevels; }

private:
    LQuadTreeLooseNode* mRoot = nullptr;
    float mSize = 0.0f;
    int mNumLevels = 0;
};
