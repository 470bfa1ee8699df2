#include "LBox2.h"
#include "LBox3.h"
#include "LGeometryConstants.h"
#include "LOctreeLoose.h"
#include "LPolygon.h"
#include "LQuadTreeLoose.h"
#include "LRectangle.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LBox3 Cube(const LVector3& aCentre, float aEdge)
{
    return LBox3(aCentre - aEdge * 0.5f, aCentre + aEdge * 0.5f);
}

template <typename Node>
std::vector<Node*> Nodes(const LVector& aList)
{
    std::vector<Node*> nodes;
    for (int i = 0; i < aList.GetCount(); ++i) {
        nodes.push_back(static_cast<Node*>(aList.GetAt(i)));
    }
    return nodes;
}

// For each item, the count of the nodes of aList that hold it.
template <typename Node>
std::vector<int> CountHolding(const LVector& aList, std::initializer_list<void*> aItems)
{
    std::vector<int> counts;
    for (void* item : aItems) {
        counts.push_back(0);
        for (Node* node : Nodes<Node>(aList)) {
            counts.back() += node->GetItems().Contains(item) ? 1 : 0;
        }
    }
    return counts;
}

} // namespace

TEST(Box, EmptyGrowAndContain)
{
    LBox3 box;
    EXPECT_FALSE(box.IsEmpty()); // the default box is a point at the origin
    box.SetEmpty();
    EXPECT_TRUE(box.IsEmpty());
    box.Grow(LVector3(1, 2, 3));
    EXPECT_EQ(LVector3(1, 2, 3), box.min);
    box.Grow(LBox3(LVector3(0, 5, 3), LVector3(0.5f, 6, 4)));
    EXPECT_EQ(LVector3(0, 2, 3), box.min);
    EXPECT_EQ(LVector3(1, 6, 4), box.max);
    EXPECT_FLOAT_EQ(4.0f, box.GetMaxExtent());
    EXPECT_TRUE(box.Contains(LVector3(1, 6, 4)));
    EXPECT_FALSE(box.Contains(LVector3(1, 6, 4.01f)));
    LVector3 closest;
    box.GetClosestPoint(LVector3(-5, 3, 10), closest);
    EXPECT_EQ(LVector3(0, 3, 4), closest);

}

TEST(Box, OverlapsIncludingSharedFacesAndBoundsOfOtherAreas)
{
    const LBox3 a(LVector3(0, 0, 0), LVector3(1, 1, 1));
    EXPECT_TRUE(a.Overlaps(LBox3(LVector3(1, 0, 0), LVector3(2, 1, 1))));
    EXPECT_FALSE(a.Overlaps(LBox3(LVector3(1.01f, 0, 0), LVector3(2, 1, 1))));
    EXPECT_TRUE(a.Overlaps(LBox3(LVector3(0.2f, 0.2f, 0.2f), LVector3(0.3f, 0.3f, 0.3f))));
    EXPECT_TRUE(LBox2(0, 0, 1, 1).Overlaps(LBox2(1, 1, 2, 2)));
    EXPECT_FALSE(LBox2(0, 0, 1, 1).Overlaps(LBox2(0, 1.5f, 1, 2)));

    const LBox2 flipped(LRectangle(5, 5, -2, 3));
    EXPECT_EQ(LVector2(3, 5), flipped.min);
    EXPECT_EQ(LVector2(5, 8), flipped.max);
    const LVector2 points[] = {{1, 7}, {-3, 2}, {4, 4}};
    const LBox2 bounds{LPolygon(points, 3, true)};
    EXPECT_EQ(LVector2(-3, 2), bounds.min);
    EXPECT_EQ(LVector2(4, 7), bounds.max);
    EXPECT_TRUE(LBox2(LPolygon()).IsEmpty());
}

TEST(BoxSegment, TwoDimensionalCases)
{
    const LBox2 box(0, 0, 1, 1);
    EXPECT_TRUE(box.IntersectsSegment(LVector2(-1, 0.5f), LVector2(2, 0)));
    EXPECT_FALSE(box.IntersectsSegment(LVector2(-1, 0.5f), LVector2(0.5f, 0))); // stops short
    EXPECT_FALSE(box.IntersectsSegment(LVector2(-1, 0.5f), LVector2(-2, 0)));  // moves away
    EXPECT_TRUE(box.IntersectsSegment(LVector2(0.5f, 0.5f), LVector2(100, -3)));
    EXPECT_TRUE(box.IntersectsSegment(LVector2(0.5f, 0.5f), LVector2(0, 0)));
    EXPECT_TRUE(box.IntersectsSegment(LVector2(-1, 2), LVector2(3, -3))); // through the corner (0, 1)
    EXPECT_FALSE(box.IntersectsSegment(LVector2(-1, -1), LVector2(1, 3))); // passes above the corner (0, 1)
    EXPECT_FALSE(box.IntersectsSegment(LVector2(-1, 2), LVector2(0.9f, -0.9f)));
    EXPECT_TRUE(box.IntersectsSegment(LVector2(2, 2), LVector2(-1.5f, -1.5f)));
}

TEST(BoxSegment, ThreeDimensionalCases)
{
    const LBox3 box(LVector3(0, 0, 0), LVector3(1, 1, 1));
    EXPECT_TRUE(box.IntersectsSegment(LVector3(0.5f, 5, 0.5f), LVector3(0, -10, 0)));
    EXPECT_FALSE(box.IntersectsSegment(LVector3(0.5f, 5, 0.5f), LVector3(0, -3.9f, 0)));
    EXPECT_FALSE(box.IntersectsSegment(LVector3(1.5f, 5, 0.5f), LVector3(0, -10, 0)));
    EXPECT_TRUE(box.IntersectsSegment(LVector3(-1, -1, -1), LVector3(3, 3, 3)));
    EXPECT_FALSE(box.IntersectsSegment(LVector3(-1, -1, 2), LVector3(3, 3, 0)));
    EXPECT_TRUE(box.IntersectsSegment(LVector3(0.2f, 0.3f, 0.4f), LVector3(0, 0, 0)));
}

TEST(Octree, SetupBuildsEveryCell)
{
    LLogCapture log;
    LOctreeLoose tree;
    LVector out;
    EXPECT_FALSE(tree.GetAllItems(out));
    EXPECT_EQ(0, tree.Setup(LVector3(0, 0, 0), 8.0f, 0));
    EXPECT_EQ(0, tree.Setup(LVector3(0, 0, 0), 8.0f, LOctreeLoose::kMaxLevels + 1));
    EXPECT_EQ(nullptr, tree.GetRoot());

    ASSERT_EQ(1, tree.Setup(LVector3(0, 0, 0), 8.0f, 3));
    ASSERT_TRUE(tree.GetAllItems(out));
    EXPECT_EQ(73, out.GetCount()); // (8^3 - 1) / 7
    const auto nodes = Nodes<LOctreeLooseNode>(out);
    EXPECT_EQ(tree.GetRoot(), nodes[0]);
    // Depth first: the root, its first child (---), that child's first child.
    EXPECT_EQ(1, nodes[1]->GetLevel());
    EXPECT_EQ(LVector3(-2, -2, -2), nodes[1]->GetCentre());
    EXPECT_EQ(2, nodes[2]->GetLevel());
    EXPECT_EQ(LVector3(-3, -3, -3), nodes[2]->GetCentre());
    EXPECT_EQ(2.0f, nodes[2]->GetSize());
    // The loose cell: centre +- size, twice the tight edge.
    EXPECT_EQ(LVector3(-5, -5, -5), nodes[2]->GetLooseBox().min);
    EXPECT_EQ(LVector3(-1, -1, -1), nodes[2]->GetLooseBox().max);
    EXPECT_EQ(nodes[1], nodes[2]->GetParent());
    // The second child of the root is [0][0][1]: positive z.
    EXPECT_EQ(LVector3(-2, -2, 2), nodes[10]->GetCentre());
}

TEST(Octree, InsertDepthFollowsTheExtent)
{
    LLogCapture log;
    LOctreeLoose tree;
    int item = 0;
    // Never set up: refused, not a crash.
    EXPECT_EQ(0, tree.Insert(&item, Cube(LVector3(0, 0, 0), 1)));
    EXPECT_EQ(1, log.Count("Insert failure. Tree not set up."));

    ASSERT_EQ(1, tree.Setup(LVector3(0, 0, 0), 8.0f, 3));
    EXPECT_EQ(0, tree.Insert(nullptr, Cube(LVector3(0, 0, 0), 1)));

    int small = 0, medium = 0, large = 0, onCentre = 0, outside = 0;
    ASSERT_EQ(1, tree.Insert(&small, Cube(LVector3(-3, 3, 1), 1.5f)));
    ASSERT_EQ(1, tree.Insert(&medium, Cube(LVector3(-3, 3, 1), 2.5f)));
    ASSERT_EQ(1, tree.Insert(&large, Cube(LVector3(-3, 3, 1), 5.0f)));
    ASSERT_EQ(1, tree.Insert(&onCentre, Cube(LVector3(0, 0, 0), 0.5f)));
    ASSERT_EQ(1, tree.Insert(&outside, Cube(LVector3(100, -100, 0), 0.5f)));

    LOctreeLooseNode* root = tree.GetRoot();
    EXPECT_TRUE(root->GetItems().Contains(&large));
    LOctreeLooseNode* child = root->GetChild(0, 1, 1);
    EXPECT_TRUE(child->GetItems().Contains(&medium));
    EXPECT_TRUE(child->GetChild(0, 1, 0)->GetItems().Contains(&small)); // centre (-3, 3, 1)
    EXPECT_EQ(2, child->GetChild(0, 1, 0)->GetLevel());
    // A centre on a cell centre goes to the positive side on every axis.
    EXPECT_TRUE(root->GetChild(1, 1, 1)->GetChild(0, 0, 0)->GetItems().Contains(&onCentre));
    // Outside the root: the border cell on that side.
    EXPECT_TRUE(root->GetChild(1, 0, 1)->GetChild(1, 0, 0)->GetItems().Contains(&outside));
}

TEST(Octree, QueriesListTheNodesHit)
{
    LOctreeLoose tree;
    ASSERT_EQ(1, tree.Setup(LVector3(0, 0, 0), 8.0f, 3));
    int a = 0, b = 0, c = 0;
    tree.Insert(&a, Cube(LVector3(-3, -3, -3), 1.0f)); // deep, near the (-,-,-) corner
    tree.Insert(&b, Cube(LVector3(3, 3, 3), 1.0f));    // deep, near the (+,+,+) corner
    tree.Insert(&c, Cube(LVector3(0, 0, 0), 6.0f));    // the root

    LVector out;
    out.Add(&a); // emptied first
    ASSERT_TRUE(tree.GetItemsAt(LVector3(-3, -3, -3), out, true));
    EXPECT_EQ(2, out.GetCount()); // the root (c) and a's cell
    EXPECT_EQ((std::vector<int> {1, 0}), CountHolding<LOctreeLooseNode>(out, {&a, &b}));

    // Without skipping: every node whose loose cell holds the point.
    ASSERT_TRUE(tree.GetItemsAt(LVector3(-3.5f, -3.5f, -3.5f), out, false));
    EXPECT_EQ(3, out.GetCount());
    ASSERT_TRUE(tree.GetItemsAt(LVector3(0, 0, 0), out, false));
    EXPECT_EQ(1 + 8 + 8, out.GetCount()); // the root, every child, one grandchild each

    // A segment from corner to corner crosses a's and b's cells.
    ASSERT_TRUE(tree.GetItemsAlong(LVector3(-5, -5, -5), LVector3(10, 10, 10), out, true));
    EXPECT_EQ((std::vector<int> {1, 1, 1}), CountHolding<LOctreeLooseNode>(out, {&a, &b, &c}));
    EXPECT_EQ(3, out.GetCount());
    // One along the top misses a's cell.
    ASSERT_TRUE(tree.GetItemsAlong(LVector3(-5, 3, 3), LVector3(10, 0, 0), out, true));
    EXPECT_EQ((std::vector<int> {0, 1}), CountHolding<LOctreeLooseNode>(out, {&a, &b}));
    // One outside the whole tree finds nothing.
    ASSERT_TRUE(tree.GetItemsAlong(LVector3(20, 20, 20), LVector3(1, 0, 0), out, false));
    EXPECT_EQ(0, out.GetCount());

    LOctreeLoose fresh;
    ASSERT_EQ(1, fresh.Setup(LVector3(0, 0, 0), 8.0f, 2));
    ASSERT_TRUE(fresh.GetItemsAt(LVector3(1, 1, 1), out, true));
    EXPECT_EQ(0, out.GetCount());
    LOctreeLoose oneLevel;
    ASSERT_EQ(1, oneLevel.Setup(LVector3(0, 0, 0), 8.0f, 1));
    oneLevel.Insert(&a, Cube(LVector3(1, 1, 1), 0.01f));
    EXPECT_TRUE(oneLevel.GetRoot()->GetItems().Contains(&a));
    ASSERT_TRUE(oneLevel.GetItemsAt(LVector3(8, -8, 8), out, false));
    EXPECT_EQ(1, out.GetCount());
}

TEST(QuadTree, InsertAndQueries)
{
    LLogCapture log;
    LQuadTreeLoose tree;
    int item = 0;
    EXPECT_EQ(0, tree.Insert(&item, LBox2(0, 0, 1, 1)));
    ASSERT_EQ(1, tree.Setup(LVector2(0, 0), 8.0f, 3));
    LVector out;
    ASSERT_TRUE(tree.GetAllItems(out));
    EXPECT_EQ(21, out.GetCount()); // (4^3 - 1) / 3

    int small = 0, large = 0;
    tree.Insert(&small, LBox2(2, -4, 3.5f, -2.5f)); // extent 1.5, centre (2.75, -3.25)
    tree.Insert(&large, LBox2(-3, -3, 2, 2));
    EXPECT_TRUE(tree.GetRoot()->GetItems().Contains(&large));
    EXPECT_TRUE(tree.GetRoot()->GetChild(1, 0)->GetChild(1, 0)->GetItems().Contains(&small));

    ASSERT_TRUE(tree.GetItemsAt(LVector2(3, -3), out, true));
    EXPECT_EQ(2, out.GetCount());
    ASSERT_TRUE(tree.GetItemsAlong(LVector2(-5, 3), LVector2(10, 0), out, true));
    EXPECT_EQ((std::vector<int> {0, 1}), CountHolding<LQuadTreeLooseNode>(out, {&small, &large}));
}

TEST(QuadTree, ClassifyAgainstABox)
{
    LLogCapture log;
    const LBox2 box(0, 10, 1, 20);
    EXPECT_EQ(-1, LQuadTreeLoose::Classify(0, 0.0f, box));
    EXPECT_EQ(1, LQuadTreeLoose::Classify(0, 1.0f, box));
    EXPECT_EQ(0, LQuadTreeLoose::Classify(1, 15.0f, box));
    EXPECT_EQ(2, LQuadTreeLoose::Classify(2, 15.0f, box));
}
