#include "Render/LMesh.h"
#include "Render/LMeshOctree.h"
#include "Render/LMeshQuadTree.h"
#include "Render/LVertexBuffer.h"
#include "container/LVectorInt.h"
#include "support/LLogCapture.h"
#include "support/LTestModels.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
using Mesh = std::unique_ptr<LMesh>;

// A square of edge 2 × aHalf about (aX, aY) in the plane z = aZ.
Mesh Wall(float aX, float aY, float aZ, float aHalf = 1.0f)
{
    return Mesh(LTestModels::StaticMesh({aX - aHalf, aY - aHalf, aZ, aX + aHalf, aY - aHalf, aZ, aX + aHalf,
                                         aY + aHalf, aZ, aX - aHalf, aY + aHalf, aZ},
                                        {0, 1, 2, 0, 2, 3}));
}

// A ground triangle over (0, 0), (4, 0), (0, 4) in x and z, rising with x: y = aY + x / 2.
Mesh Slope(float aY)
{
    return Mesh(LTestModels::StaticMesh({0, aY, 0, 4, aY + 2, 0, 0, aY, 4}, {0, 1, 2}));
}

int RecordCount(const LMeshOctree& aTree)
{
    LVector nodes;
    aTree.GetAllItems(nodes);
    int count = 0;
    for (int i = 0; i < nodes.GetCount(); ++i) {
        count += static_cast<LOctreeLooseNode*>(nodes.GetAt(i))->GetItems().GetCount();
    }
    return count;
}

void FreeHits(LVector& aHits)
{
    for (int i = 0; i < aHits.GetCount(); ++i) {
        delete static_cast<LVector3*>(aHits.GetAt(i));
    }
    aHits.RemoveAll();
}

} // namespace

TEST(MeshOctree, PickKeepsWithinTheDistanceAndTakesTheNearestHit)
{
    LMeshOctree tree;
    ASSERT_EQ(1, tree.Setup(LVector3(0, 0, 10000), 40000.0f, 5));
    Mesh beyond = Wall(0, 0, 10001);
    Mesh far = Wall(0, 0, 300);
    Mesh twin = Wall(0, 0, 40, 3.0f);
    Mesh near = Wall(0, 0, 40);
    LMatrix4 world;
    ASSERT_TRUE(tree.AddMesh(LString("beyond"), beyond.get(), world));
    const LVector3 origin(0.5f, 0.25f, 0.0f);
    const LVector3 forward(0, 0, 1);
    LVector3 hit(9, 9, 9);
    EXPECT_FALSE(tree.Pick(origin, forward, hit, 10000.0f));
    EXPECT_EQ(LVector3(9, 9, 9), hit);

    // The far square comes first in the tree, two at the same depth after it.
    ASSERT_TRUE(tree.AddMesh(LString("far"), far.get(), world));
    ASSERT_TRUE(tree.AddMesh(LString("twin"), twin.get(), world));
    ASSERT_TRUE(tree.AddMesh(LString("near"), near.get(), world));
    ASSERT_TRUE(tree.Pick(origin, forward, hit, 10000.0f));
    EXPECT_EQ(LVector3(0.5f, 0.25f, 40.0f), hit);

    LVectorInt meshes;
    LVector hits;
    ASSERT_TRUE(tree.GetObjectsIntersectingRay(origin, forward * 10000.0f, meshes, hits));
    ASSERT_EQ(3, meshes.GetCount());
    ASSERT_EQ(3, hits.GetCount());
    int depths[4] = {};
    for (int i = 0; i < meshes.GetCount(); ++i) {
        depths[meshes[i]] = static_cast<int>(static_cast<LVector3*>(hits.GetAt(i))->z);
    }
    EXPECT_EQ(0, depths[0]);
    EXPECT_EQ(300, depths[1]);
    EXPECT_EQ(40, depths[2]);
    EXPECT_EQ(40, depths[3]);
    FreeHits(hits);
}

TEST(MeshOctree, TrianglesAreInWorldSpaceAndEveryMeshKeepsItsIndex)
{
    LMeshOctree tree;
    ASSERT_EQ(1, tree.Setup(LVector3(0, 0, 0), 1000.0f, 5));
    // More meshes than an 8-bit index can tell apart, each moved to its place.
    Mesh tile = Wall(0, 0, 0, 0.4f);
    for (int i = 0; i < 300; ++i) {
        const LMatrix4 world(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, static_cast<float>(i % 20), static_cast<float>(i / 20),
                             50, 1);
        ASSERT_TRUE(tree.AddMesh(LString("tile"), tile.get(), world));
    }
    EXPECT_EQ(300, tree.GetMeshCount());
    EXPECT_EQ(600, RecordCount(tree));
    for (int i = 0; i < 300; ++i) {
        LVectorInt meshes;
        LVector hits;
        const LVector3 origin(static_cast<float>(i % 20) + 0.1f, static_cast<float>(i / 20) + 0.2f, 0.0f);
        ASSERT_TRUE(tree.GetObjectsIntersectingRay(origin, LVector3(0, 0, 100), meshes, hits));
        ASSERT_EQ(1, meshes.GetCount()) << i;
        EXPECT_EQ(i, meshes[0]);
        EXPECT_EQ(50.0f, static_cast<LVector3*>(hits.GetAt(0))->z);
        FreeHits(hits);
    }
}

TEST(MeshTrees, MeshesWithoutBuffersAddNothingAndOnlyTheQuadtreeRefusesDuplicates)
{
    LLogCapture log;
    LMeshOctree octree;
    LMeshQuadTree quadtree;
    ASSERT_EQ(1, octree.Setup(LVector3(0, 0, 0), 100.0f, 5));
    ASSERT_EQ(1, quadtree.Setup(LVector2(0, 0), 100.0f, 8));
    Mesh noIndices(new LMesh());
    LVertexBuffer* vertices = new LVertexBuffer();
    const float corner[3] = {1, 2, 3};
    vertices->Create(1, corner, 1);
    noIndices->SetVertexBuffer(vertices);
    Mesh empty(new LMesh());
    const LMatrix4 world;
    for (LMesh* mesh : {noIndices.get(), empty.get()}) {
        EXPECT_FALSE(octree.AddMesh(LString("bare"), mesh, world));
        EXPECT_FALSE(quadtree.AddMesh(LString("bare"), mesh, world));
    }
    EXPECT_EQ(0, octree.GetMeshCount());
    EXPECT_EQ(0, quadtree.GetMeshCount());
    EXPECT_TRUE(log.Lines().empty());

    Mesh ground = Slope(0.0f);
    EXPECT_TRUE(octree.AddMesh(LString("ground"), ground.get(), world));
    EXPECT_TRUE(octree.AddMesh(LString("ground"), ground.get(), world));
    EXPECT_EQ(2, octree.GetMeshCount());
    EXPECT_TRUE(quadtree.AddMesh(LString("ground"), ground.get(), world));
    EXPECT_FALSE(quadtree.AddMesh(LString("ground"), ground.get(), world));
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: ") && log.Contains("AddMesh failure. Duplicate id:ground"));
    EXPECT_EQ(1, quadtree.GetMeshCount());

    // A new setup starts empty.
    ASSERT_EQ(1, octree.Setup(LVector3(0, 0, 0), 100.0f, 3));
    EXPECT_EQ(0, octree.GetMeshCount());
    EXPECT_EQ(0, RecordCount(octree));
}

TEST(MeshQuadTree, TheVerticalLineMeetsTheFirstGroundTriangleUnderThePoint)
{
    LMeshQuadTree tree;
    ASSERT_EQ(1, tree.Setup(LVector2(0, 0), 64.0f, 8));
    Mesh low = Slope(1.0f);
    Mesh high = Slope(10.0f);
    const LMatrix4 world;
    ASSERT_TRUE(tree.AddMesh(LString("low"), low.get(), world));
    ASSERT_TRUE(tree.AddMesh(LString("high"), high.get(), world));
    LVector3 hit(5, 5, 5);
    ASSERT_TRUE(tree.IntersectsVertLineThruPt(LVector2(1.0f, 1.0f), hit));
    EXPECT_NEAR(1.0f, hit.x, 1e-5f);
    EXPECT_NEAR(1.5f, hit.y, 1e-5f);
    EXPECT_NEAR(1.0f, hit.z, 1e-5f);
    // Beside every triangle (past the long edge) nothing is found and hit stays.
    hit = LVector3(5, 5, 5);
    EXPECT_FALSE(tree.IntersectsVertLineThruPt(LVector2(3.0f, 3.0f), hit));
    EXPECT_FALSE(tree.IntersectsVertLineThruPt(LVector2(-40.0f, 1.0f), hit));
    EXPECT_EQ(LVector3(5, 5, 5), hit);

    // The descent takes the first record of each node on the way down: a big triangle
    // filed near the root, then a small one deep inside.
    LMeshQuadTree descent;
    ASSERT_EQ(1, descent.Setup(LVector2(0, 0), 64.0f, 8));
    Mesh big(LTestModels::StaticMesh({-30, 0, -30, 30, 0, -30, -30, 0, 30}, {0, 1, 2}));
    Mesh small(LTestModels::StaticMesh({1, 0, 1, 1.2f, 0, 1, 1, 0, 1.2f}, {0, 1, 2}));
    descent.AddMesh(LString("big"), big.get(), world);
    descent.AddMesh(LString("small"), small.get(), world);
    LVector records;
    ASSERT_TRUE(descent.GetObjectsContainingPt(LVector2(1.05f, 1.05f), records));
    ASSERT_EQ(2, records.GetCount());
    EXPECT_EQ(0u, static_cast<LMeshTriangle*>(records.GetAt(0))->GetMesh());
    EXPECT_EQ(1u, static_cast<LMeshTriangle*>(records.GetAt(1))->GetMesh());
    ASSERT_TRUE(descent.GetObjectsContainingPt(LVector2(-20.0f, 20.0f), records));
    EXPECT_EQ(1, records.GetCount());
}

TEST(MeshTrees, TreesNeverSetUpRefuseEveryQuery)
{
    LLogCapture log;
    LMeshOctree octree;
    LMeshQuadTree quadtree;
    LVectorInt meshes;
    LVector hits;
    LVector3 hit(1, 2, 3);
    EXPECT_FALSE(octree.GetObjectsIntersectingRay(LVector3(0, 0, 0), LVector3(0, 0, 1), meshes, hits));
    EXPECT_FALSE(octree.Pick(LVector3(0, 0, 0), LVector3(0, 0, 1), hit, 10000.0f));
    EXPECT_EQ(2, log.Count("GetObjectsIntersectingRay failure. Root undefined."));
    EXPECT_EQ(1, log.Count("Pick failure."));
    EXPECT_FALSE(quadtree.IntersectsVertLineThruPt(LVector2(0, 0), hit));
    EXPECT_TRUE(log.Contains("IntersectsVertLineThruPt failure. NULL root."));
    EXPECT_FALSE(quadtree.GetObjectsContainingPt(LVector2(0, 0), hits));
    EXPECT_TRUE(log.Contains("GetObjectsContainingPt failure. NULL root."));
    Mesh wall = Wall(0, 0, 0);
    EXPECT_FALSE(octree.AddMesh(LString("wall"), wall.get(), LMatrix4()));
    EXPECT_FALSE(quadtree.AddMesh(LString("wall"), wall.get(), LMatrix4()));
    EXPECT_EQ(2, log.Count("AddMesh failure. Root undefined."));
    EXPECT_EQ(LVector3(1, 2, 3), hit);
    EXPECT_EQ(0, hits.GetCount());
    EXPECT_EQ(0, meshes.GetCount());
}
