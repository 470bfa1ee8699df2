// A cell of the loose quadtree: its tight cell (centre, edge size), its loose box (centre
// +- size on both axes, twice the tight edge), its four children [ix][iy] (index 1 on
// the positive side of the centre) and the items filed in it, which it does not own.
#pragma once
#include "LBox2.h"
#include "container/LVector.h"

class LQuadTreeLooseNode
{
public:
    LQuadTreeLooseNode();
    LQuadTreeLooseNode(const LQuadTreeLooseNode&) = delete;
    LQuadTreeLooseNode& operator=(const LQuadTreeLooseNode&) = delete;
    // Deletes the children; the items stay with their owner.
    ~LQuadTreeLooseNode();

    // Makes this cell: centre, level and size, with the loose box centre +- size.
    void Set(const LVector2& aCentre, int aLevel, float aSize, LQuadTreeLooseNode* aParent);
    // Builds aLevelsLeft levels of children below this cell; false when memory runs out.
    bool SetupChildren(int aLevelsLeft);

    const LVector2& GetCentre() const { return mCentre; }
    int GetLevel() const { return mLevel; }
    float GetSize() const { return mSize; }
    const LBox2& GetLooseBox() const { return mLooseBox; }
    LQuadTreeLooseNode* GetParent() const { return mParent; }
    bool HasChildren() const { return mChildren != nullptr; }
    // Null for a leaf.
    LQuadTreeLooseNode* GetChild(int aX, int aY) const;
    LVector& GetItems() { return mItems; }
    const LVector& GetItems() const { return mItems; }

private:
    LVector2 mCentre;
    int mLevel = 0;
    float mSize = 0.0f;
    LBox2 mLooseBox;
    LQuadTreeLooseNode* mParent = nullptr;
    // Four children in the order [ix][iy], or null.
    LQuadTreeLooseNode* mChildren = nullptr;
    LVector mItems;
};
