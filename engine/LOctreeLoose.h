// A loose octree: every cell of all levels exists from Setup on, each with a loose box
// twice its tight edge, so an item filed by its bounds' centre always fits its cell's
// loose box and queries never look at neighbouring cells. Items are opaque pointers the
// tree does not own; queries answer with the nodes hit, whose item lists the caller reads.
#pragma once
#include "LOctreeLooseNode.h"
#include "object/LBase.h"

class LOctreeLoose : public LBase
{
public:
    // The deepest tree Setup builds ((8^n - 1) / 7 cells).
    static constexpr int kMaxLevels = 7;

    LOctreeLoose() = default;
    LOctreeLoose(const LOctreeLoose&) = delete;
    LOctreeLoose& operator=(const LOctreeLoose&) = delete;
    ~LOctreeLoose() override;

    // Discards any old tree and builds all aNumLevels levels below a root cell of edge
    // aSize about aCentre. 0 for fewer than 1 or more than kMaxLevels levels.
    int Setup(const LVector3& aCentre, float aSize, int aNumLevels);
    // Files aItem in the deepest cell whose tight edge still holds the bounds' largest
    // extent (or the deepest level), the one that holds the bounds' centre. 0 for a null
    // item or a tree that was never set up.
    int Insert(void* aItem, const LBox3& aBounds);

    // aOut is emptied and receives nodes (LOctreeLooseNode*), depth first, children in
    // the order 000 .. 111 of [ix][iy][iz]. False, with aOut untouched, without a tree.
    bool GetAllItems(LVector& aOut) const;
    // The nodes whose loose cell contains the point (inclusive); with aSkipEmpty nodes
    // without items are left out (their children are still visited).
    bool GetItemsAt(const LVector3& aPoint, LVector& aOut, bool aSkipEmpty) const;
    // The nodes whose loose box the segment from aOrigin to aOrigin + aDelta meets.
    bool GetItemsAlong(const LVector3& aOrigin, const LVector3& aDelta, LVector& aOut, bool aSkipEmpty) const;

    LOctreeLooseNode* GetRoot() const { return mRoot; }
    float GetSize() const { return mSize; }
    int GetNumLevels() const { return mNumLevels; }

private:
    LOctreeLooseNode* mRoot = nullptr;
    float mSize = 0.0f;
    int mNumLevels = 0;
};
