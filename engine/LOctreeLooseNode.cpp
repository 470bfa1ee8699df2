#include "LOctreeLooseNode.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

// Items per cell are few: start without slots and grow a few at a time.
constexpr int kItemIncrement = 8;

} // namespace

LOctreeLooseNode::LOctreeLooseNode() : mItems(0, kItemIncrement)
{
}

LOctreeLooseNode::~LOctreeLooseNode()
{
    delete[] mChildren;
}

void LOctreeLooseNode::Set(const LVector3& aCentre, int aLevel, float aSize, LOctreeLooseNode* aParent)
{
    mCentre = aCentre;
    mLevel = aLevel;
    mSize = aSize;
    mParent = aParent;
    mLooseBox.min = aCentre - aSize;
    mLooseBox.max = aCentre + aSize;
}

bool LOctreeLooseNode::SetupChildren(int aLevelsLeft)
{
    if (aLevelsLeft <= 0) {
        return true;
    }
    if (mChildren) {
        L_ASSERT_FAILURE("SetupChildren failure.");
        return false;
    }
    mChildren = L_NEW LOctreeLooseNode[8];
    if (!mChildren) {
        L_ERROR("Out of memory.");
        return false;
    }
    const float quarter = mSize * 0.25f;
    for (int i = 0; i < 8; ++i) {
        const float dx = (i & 4) ? quarter : -quarter;
        const float dy = (i & 2) ? quarter : -quarter;
        const float dz = (i & 1) ? quarter : -quarter;
        mChildren[i].Set(mCentre + LVector3(dx, dy, dz), mLevel + 1, mSize * 0.5f, this);
    }
    for (int i = 0; i < 8; ++i) {
        if (!mChildren[i].SetupChildren(aLevelsLeft - 1)) {
            return false;
        }
    }
    return true;
}

LOctreeLooseNode* LOctreeLooseNode::GetChild(int aX, int aY, int aZ) const
{
    if (!mChildren) {
        return nullptr;
    }
    return &mChildren[(aX ? 4 : 0) + (aY ? 2 : 0) + (aZ ? 1 : 0)];
}
