// A cell of the loose octree: its tight cell (centre, edge size), its loose box (centre
// +- size on every axis, twice the tight edge), its eight children [ix][iy][iz] (index 1
// on the positive side of the centre) and the items filed in it, which it does not own.
#pragma once
#include "LBox3.h"
#include "container/LVector.h"

class LOctreeLooseNode
{
public:
    LOctreeLooseNode();
    LOctreeLooseNode(const LOctreeLooseNode&) = delete;
    LOctreeLooseNode& operator=(const LOctreeLooseNode&) = delete;
    // Deletes the children; the items stay with their owner.
    ~LOctreeLooseNode();

    // Makes this cell: centre, level and size, with the loose box centre +- size.
    void Set(const LVector3& aCentre, int aLevel, float aSize, LOctreeLooseNode* aParent);
    // Builds aLevelsLeft levels of children below this cell; false when memory runs out.
    bool SetupChildren(int aLevelsLeft);

    const LVector3& GetCentre() const { return mCentre; }
    int GetLevel() const { return mLevel; }
    float GetSize() const { return mSize; }
    const LBox3& GetLooseBox() const { return mLooseBox; }
    LOctreeLooseNode* GetParent() const { return mParent; }
    bool HasChildren() const { return mChildren != nullptr; }
    // Null for a leaf.
    LOctreeLooseNode* GetChild(int aX, int aY, int aZ) const;
    LVector& GetItems() { return mItems; }
    const LVector& GetItems() const { return mItems; }

private:
    LVector3 mCentre;
    int mLevel = 0;
    float mSize = 0.0f;
    LBox3 mLooseBox;
    LOctreeLooseNode* mParent = nullptr;
    // Eight children in the order [ix][iy][iz], or null.
    LOctreeLooseNode* mChildren = nullptr;
    LVector mItems;
};
