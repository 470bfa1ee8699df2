// A cell of a loose tree (LOctreeLooseNode, LQuadTreeLooseNode): its tight cell (centre,
// edge size), its loose box (centre +- size on every axis, twice the tight edge), its
// children (index bit 1 on the positive side of the centre, the x bit highest) and the
// items filed in it, which it does not own.
//
// TNode is the cell class itself, which supplies ChildOffset (where child aIndex lies
// from the centre, aQuarter along each axis) and ChildIndex (the child whose cell holds a
// point).
#pragma once
#include "container/LVector.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

template <typename TNode, typename TVector, typename TBox, int kChildren>
class LLooseTreeNode
{
public:
    static constexpr int kChildCount = kChildren;

    // Items per cell are few: start without slots and grow a few at a time.
    LLooseTreeNode() : mItems(0, 8) {}
    LLooseTreeNode(const LLooseTreeNode&) = delete;
    LLooseTreeNode& operator=(const LLooseTreeNode&) = delete;
    // Deletes the children; the items stay with their owner.
    ~LLooseTreeNode() { delete[] mChildren; }

    // Makes this cell: centre, level and size, with the loose box centre +- size.
    void Set(const TVector& aCentre, int aLevel, float aSize, TNode* aParent)
    {
        mCentre = aCentre;
        mLevel = aLevel;
        mSize = aSize;
        mParent = aParent;
        mLooseBox.min = aCentre - aSize;
        mLooseBox.max = aCentre + aSize;
    }

    // Builds aLevelsLeft levels of children below this cell; false when memory runs out.
    bool SetupChildren(int aLevelsLeft)
    {
        if (aLevelsLeft <= 0) {
            return true;
        }
        if (mChildren) {
            L_ASSERT_FAILURE("SetupChildren failure.");
            return false;
        }
        mChildren = L_NEW TNode[kChildren];
        if (!mChildren) {
            L_ERROR("Out of memory.");
            return false;
        }
        const float quarter = mSize * 0.25f;
        for (int i = 0; i < kChildren; ++i) {
            mChildren[i].Set(mCentre + TNode::ChildOffset(i, quarter), mLevel + 1, mSize * 0.5f,
                             static_cast<TNode*>(this));
        }
        for (int i = 0; i < kChildren; ++i) {
            if (!mChildren[i].SetupChildren(aLevelsLeft - 1)) {
                return false;
            }
        }
        return true;
    }

    const TVector& GetCentre() const { return mCentre; }
    int GetLevel() const { return mLevel; }
    float GetSize() const { return mSize; }
    const TBox& GetLooseBox() const { return mLooseBox; }
    TNode* GetParent() const { return mParent; }
    bool HasChildren() const { return mChildren != nullptr; }
    // Null for a leaf or an index outside the children.
    TNode* GetChildAt(int aIndex) const
    {
        return mChildren && aIndex >= 0 && aIndex < kChildren ? &mChildren[aIndex] : nullptr;
    }
    LVector& GetItems() { return mItems; }
    const LVector& GetItems() const { return mItems; }

private:
    TVector mCentre;
    int mLevel = 0;
    float mSize = 0.0f;
    TBox mLooseBox;
    TNode* mParent = nullptr;
    TNode* mChildren = nullptr;
    LVector mItems;
};
