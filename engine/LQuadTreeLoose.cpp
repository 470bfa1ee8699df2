#include "LQuadTreeLoose.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

// Depth-first walk: aHit decides whether a node is entered at all.
template <typename Hit>
void Collect(LQuadTreeLooseNode* aNode, const Hit& aHit, bool aSkipEmpty, LVector& aOut)
{
    if (!aHit(*aNode)) {
        return;
    }
    if (!aSkipEmpty || aNode->GetItems().GetCount() > 0) {
        aOut.Add(aNode);
    }
    for (int i = 0; i < 4 && aNode->HasChildren(); ++i) {
        Collect(aNode->GetChild(i & 2, i & 1), aHit, aSkipEmpty, aOut);
    }
}

} // namespace

LQuadTreeLoose::~LQuadTreeLoose()
{
    delete mRoot;
}

int LQuadTreeLoose::Setup(const LVector2& aCentre, float aSize, int aNumLevels)
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
    mRoot = L_NEW LQuadTreeLooseNode();
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

int LQuadTreeLoose::Insert(void* aItem, const LBox2& aBounds)
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
    const LVector2 centre = aBounds.GetCenter();
    LQuadTreeLooseNode* node = mRoot;
    for (int level = 0; level < depth && node->HasChildren(); ++level) {
        const LVector2& cell = node->GetCentre();
        node = node->GetChild(centre.x >= cell.x, centre.y >= cell.y);
    }
    return node->GetItems().Add(aItem);
}

bool LQuadTreeLoose::GetAllItems(LVector& aOut) const
{
    if (!mRoot) {
        return false;
    }
    aOut.RemoveAll();
    Collect(mRoot, [](const LQuadTreeLooseNode&) { return true; }, false, aOut);
    return true;
}

bool LQuadTreeLoose::GetItemsAt(const LVector2& aPoint, LVector& aOut, bool aSkipEmpty) const
{
    if (!mRoot) {
        return false;
    }
    aOut.RemoveAll();
    Collect(
        mRoot, [&aPoint](const LQuadTreeLooseNode& aNode) { return aNode.GetLooseBox().Contains(aPoint); },
        aSkipEmpty, aOut);
    return true;
}

bool LQuadTreeLoose::GetItemsAlong(const LVector2& aOrigin, const LVector2& aDelta, LVector& aOut,
                                 bool aSkipEmpty) const
{
    if (!mRoot) {
        return false;
    }
    aOut.RemoveAll();
    Collect(
        mRoot,
        [&](const LQuadTreeLooseNode& aNode) { return aNode.GetLooseBox().IntersectsSegment(aOrigin, aDelta, 0.0f); },
        aSkipEmpty, aOut);
    return true;
}

int LQuadTreeLoose::Classify(int aOrientation, float aValue, const LBox2& aBox)
{
    if (aOrientation != 0 && aOrientation != 1) {
        L_ASSERT_FAILURE("Invalid orientation.");
        return 2;
    }
    const float low = aOrientation == 0 ? aBox.min.x : aBox.min.y;
    const float high = aOrientation == 0 ? aBox.max.x : aBox.max.y;
    if (aValue <= low) {
        return -1;
    }
    if (aValue >= high) {
        return 1;
    }
    return 0;
}
