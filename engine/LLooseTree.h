// A loose tree (LOctreeLoose, LQuadTreeLoose): every cell of all levels exists from Setup
// on, each with a loose box twice its tight edge, so an item filed by its bounds' centre
// always fits its cell's loose box and queries never look at neighbouring cells. Items
// are opaque pointers the tree does not own; queries answer with the nodes hit, whose
// item lists the caller reads.
#pragma once
#include "container/LString.h"
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "object/LBase.h"
#include "stdlib/LLog.h"

template <typename TNode, typename TVector, typename TBox, int kLevels>
class LLooseTree : public LBase
{
public:
    using Node = TNode;
    using Vector = TVector;
    using Box = TBox;

    // The deepest tree Setup builds.
    static constexpr int kMaxLevels = kLevels;

    LLooseTree() = default;
    LLooseTree(const LLooseTree&) = delete;
    LLooseTree& operator=(const LLooseTree&) = delete;
    ~LLooseTree() override { delete mRoot; }

    // Discards any old tree and builds all aNumLevels levels below a root cell of edge
    // aSize about aCentre. 0 for fewer than 1 or more than kMaxLevels levels.
    int Setup(const TVector& aCentre, float aSize, int aNumLevels)
    {
        if (aNumLevels < 1) {
            L_ASSERT_FAILURE("Invalid number of levels (minimum = 1).");
            return 0;
        }
        if (aNumLevels > kMaxLevels) {
            L_ASSERT_FAILURE(LString("Invalid number of levels (maximum = ") + kMaxLevels + ").");
            return 0;
        }
        delete mRoot;
        mRoot = L_NEW TNode();
        if (!mRoot) {
            L_ERROR("Out of memory.");
            return 0;
        }
        mRoot->Set(aCentre, 0, aSize, nullptr);
        mSize = aSize;
        mNumLevels = aNumLevels;
        if (!mRoot->SetupChildren(aNumLevels - 1)) {
            delete mRoot;
            mRoot = nullptr;
            return 0;
        }
        return 1;
    }

    // Files aItem in the deepest cell whose tight edge still holds the bounds' largest
    // extent (or the deepest level), the one that holds the bounds' centre. 0 for a null
    // item or a tree that was never set up.
    int Insert(void* aItem, const TBox& aBounds)
    {
        if (!aItem) {
            L_ASSERT_FAILURE("Insert failure. NULL arg.");
            return 0;
        }
        if (!mRoot) {
            L_ASSERT_FAILURE("Insert failure. Tree not set up.");
            return 0;
        }
        const float extent = aBounds.GetMaxExtent();
        float half = mSize * 0.5f;
        int depth = 0;
        while (depth < mNumLevels - 1 && extent <= half) {
            ++depth;
            half *= 0.5f;
        }
        const TVector centre = aBounds.GetCenter();
        TNode* node = mRoot;
        for (int level = 0; level < depth && node->HasChildren(); ++level) {
            node = node->GetChildAt(TNode::ChildIndex(centre, node->GetCentre()));
        }
        return node->GetItems().Add(aItem);
    }

    // aOut is emptied and receives nodes (TNode*), depth first, children in index order.
    // False, with aOut untouched, without a tree.
    bool GetAllItems(LVector& aOut) const
    {
        return Query([](const TNode&) { return true; }, false, aOut);
    }
    // The nodes whose loose cell contains the point (inclusive); with aSkipEmpty nodes
    // without items are left out (their children are still visited).
    bool GetItemsAt(const TVector& aPoint, LVector& aOut, bool aSkipEmpty) const
    {
        return Query([&aPoint](const TNode& aNode) { return aNode.GetLooseBox().Contains(aPoint); },
                     aSkipEmpty, aOut);
    }
    // The nodes whose loose box the segment from aOrigin to aOrigin + aDelta meets.
    bool GetItemsAlong(const TVector& aOrigin, const TVector& aDelta, LVector& aOut, bool aSkipEmpty) const
    {
        return Query(
            [&](const TNode& aNode) { return aNode.GetLooseBox().IntersectsSegment(aOrigin, aDelta, 0.0f); },
            aSkipEmpty, aOut);
    }

    TNode* GetRoot() const { return mRoot; }
    float GetSize() const { return mSize; }
    int GetNumLevels() const { return mNumLevels; }

private:
    template <typename Hit>
    bool Query(const Hit& aHit, bool aSkipEmpty, LVector& aOut) const
    {
        if (!mRoot) {
            return false;
        }
        aOut.RemoveAll();
        Collect(mRoot, aHit, aSkipEmpty, aOut);
        return true;
    }

    // Depth-first walk: aHit decides whether a node is entered at all.
    template <typename Hit>
    static void Collect(TNode* aNode, const Hit& aHit, bool aSkipEmpty, LVector& aOut)
    {
        if (!aHit(*aNode)) {
            return;
        }
        if (!aSkipEmpty || aNode->GetItems().GetCount() > 0) {
            aOut.Add(aNode);
        }
        for (int i = 0; i < TNode::kChildCount && aNode->HasChildren(); ++i) {
            Collect(aNode->GetChildAt(i), aHit, aSkipEmpty, aOut);
        }
    }

    TNode* mRoot = nullptr;
    float mSize = 0.0f;
    int mNumLevels = 0;
};
