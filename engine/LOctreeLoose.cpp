#include "LOctreeLoose.h"

#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

// Depth-first walk: aHit decides whether a node is entered at all.
template <typename Hit>
void Collect(LOctreeLooseNode* aNode, const Hit& aHit, bool aSkipEmpty, LVector& aOut)
{
    if (!aHit(*aNode)) {
        return;
    }
    if (!aSkipEmpty || aNode->GetItems().GetCount() > 0) {
        aOut.Add(aNode);
    }
    for (int i = 0; i < 8 && aNode->HasChildren(); ++i) {
        Collect(aNode->GetChild(i & 4, i & 2, i & 1), aHit, aSkipEmpty, aOut);
    }
}

} // namespace

LOctreeLoose::~LOctreeLoose()
{
    delete mRoot;
}

int LOctreeLoose::Setup(const LVector3& aCentre, float aSize, int aNumLevels)
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
    mRoot = L_NEW LOctreeLooseNode();
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

int LOctreeLoose::Insert(void* aItem, const LBox3& aBounds)
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
    const LVector3 centre = aBounds.GetCenter();
    LOctreeLooseNode* node = mRoot;
    for (int level = 0; level < depth && node->HasChildren(); ++level) {
        const LVector3& cell = node->GetCentre();
        node = node->GetChild(centre.x >= cell.x, centre.y >= cell.y, centre.z >= cell.z);
    }
    return node->GetItems().Add(aItem);
}

bool LOctreeLoose::GetAllItems(LVector& aOut) const
{
    if (!mRoot) {
        return false;
    }
    aOut.RemoveAll();
    Collect(mRoot, [](const LOctreeLooseNode&) { return true; }, false, aOut);
    return true;
}

bool LOctreeLoose::GetItemsAt(const LVector3& aPoint, LVector& aOut, bool aSkipEmpty) const
{
    if (!mRoot) {
        return false;
    }
    aOut.RemoveAll();
    Collect(
        mRoot, [&aPoint](const LOctreeLooseNode& aNode) { return aNode.GetLooseBox().Contains(aPoint); },
        aSkipEmpty, aOut);
    return true;
}

bool LOctreeLoose::GetItemsAlong(const LVector3& aOrigin, const LVector3& aDelta, LVector& aOut,
                                 bool aSkipEmpty) const
{
    if (!mRoot) {
        return false;
    }
    aOut.RemoveAll();
    Collect(
        mRoot,
        [&](const LOctreeLooseNode& aNode) { return aNode.GetLooseBox().IntersectsSegment(aOrigin, aDelta, 0.0f); },
        aSkipEmpty, aOut);
    return true;
}
