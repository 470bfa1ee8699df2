#include "LQuadTreeLooseNode.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

// Items per cell are few: start without slots and grow a few at a time.
constexpr int kItemIncrement = 8;

} // namespace

LQuadTreeLooseNode::LQuadTreeLooseNode() : mItems(0, kItemIncrement)
{
}

LQuadTreeLooseNode::~LQuadTreeLooseNode()
{
    delete[] mChildren;
}

void LQuadTreeLooseNode::Set(const LVector2& aCentre, int aLevel, float aSize, LQuadTreeLooseNode* aParent)
{
    mCentre = aCentre;
    mLevel = aLevel;
    mSize = aSize;
    mParent = aParent;
    mLooseBox.min = aCentre - aSize;
    mLooseBox.max = aCentre + aSize;
}

bool LQuadTreeLooseNode::SetupChildren(int aLevelsLeft)
{
    if (aLevelsLeft <= 0) {
        return true;
    }
    if (mChildren) {
        L_ASSERT_FAILURE("SetupChildren failure.");
        return false;
    }
    mChildren = L_NEW LQuadTreeLooseNode[4];
    if (!mChildren) {
        L_ERROR("Out of memory.");
        return false;
    }
    const float quarter = mSize * 0.25f;
    for (int i = 0; i < 4; ++i) {
        const float dx = (i & 2) ? quarter : -quarter;
        const float dy = (i & 1) ? quarter : -quarter;
        mChildren[i].Set(mCentre + LVector2(dx, dy), mLevel + 1, mSize * 0.5f, this);
    }
    for (int i = 0; i < 4; ++i) {
        if (!mChildren[i].SetupChildren(aLevelsLeft - 1)) {
            return false;
        }
    }
    return true;
}

LQuadTreeLooseNode* LQuadTreeLooseNode::GetChild(int aX, int aY) const
{
    if (!mChildren) {
        return nullptr;
    }
    return &mChildren[(aX ? 2 : 0) + (aY ? 1 : 0)];
}
