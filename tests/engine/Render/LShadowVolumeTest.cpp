// Shadow volumes over meshes built in memory: the welded topology, the silhouette and the
// extruded quads for point and directional lights, the two stencil passes as the
// rasterizer receives them, and the cache record with its refusals.
#include "Render/LShadowVolume.h"

#include "LVector3.h"
#include "Render/LCamera.h"
#include "Render/LIndexBuffer.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LShadowEdge.h"
#include "Render/LShadowFace.h"
#include "Render/LVertexBuffer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "writers/LModelBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A welded box from (0, 0, 0) to (2, 2, 2): 24 vertices, 8 places, 12 faces, 18 edges.
std::unique_ptr<LMesh> Box(bool aWelded = true)
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    LModelBuilder::AddBox(vertices, indices, LVector3(0, 0, 0), LVector3(2, 2, 2));
    std::unique_ptr<LMesh> mesh(LModelBuilder::StaticMesh(vertices, indices));
    if (aWelded) {
        LModelBuilder::SetDuplicates(*mesh, vertices);
    }
    return mesh;
}

// One quad in the plane y = 0 (two faces, one shared diagonal, four border edges).
std::unique_ptr<LMesh> Quad()
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    const LVector3 corners[4] = {{0, 0, 0}, {2, 0, 0}, {2, 0, 2}, {0, 0, 2}};
    LModelBuilder::AddQuad(vertices, indices, corners, LVector3(0, 1, 0));
    std::unique_ptr<LMesh> mesh(LModelBuilder::StaticMesh(vertices, indices));
    LModelBuilder::SetDuplicates(*mesh, vertices);
    return mesh;
}

LLight Directional(const LVector3& aDirection)
{
    LLight light(LLight::kDirectional);
    light.mDirection = aDirection;
    return light;
}

LLight Point(const LVector3& aPosition)
{
    LLight light(LLight::kPoint);
    light.mPosition = aPosition;
    return light;
}

LVector3 Vertex(const LMesh& aMesh, int aIndex)
{
    const auto* p = static_cast<const float*>(aMesh.GetVertexBuffer()->GetVertex(aIndex));
    return LVector3(p[0], p[1], p[2]);
}

// The silhouette as a set of undirected position pairs (rounded), for comparisons.
std::set<std::pair<std::string, std::string>> Silhouette(const LShadowVolume& aVolume, const LMesh& aMesh)
{
    auto key = [&](int aIndex) {
        const LVector3 v = Vertex(aMesh, aIndex);
        return std::to_string(std::lround(v.x)) + "," + std::to_string(std::lround(v.y)) + "," +
               std::to_string(std::lround(v.z));
    };
    std::set<std::pair<std::string, std::string>> edges;
    for (int i = 0; i < aVolume.GetEdgeCount(); ++i) {
        const LShadowEdge* edge = aVolume.GetEdge(i);
        if (edge->mSilhouette != 0) {
            std::string a = key(edge->mStart), b = key(edge->mEnd);
            edges.insert(a < b ? std::make_pair(a, b) : std::make_pair(b, a));
        }
    }
    return edges;
}

std::vector<LVector3> Positions(const LShadowVolume& aVolume)
{
    std::vector<LVector3> out;
    const LVertexBuffer* buffer = aVolume.GetVertexBuffer();
    for (int i = 0; buffer != nullptr && i < buffer->GetVertexCount(); ++i) {
        const auto* p = static_cast<const float*>(buffer->GetVertex(i));
        out.emplace_back(p[0], p[1], p[2]);
    }
    return out;
}

class ShadowVolumeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        mCamera = std::make_unique<LCamera>();
    }

    std::unique_ptr<LCamera> mCamera;
};

} // namespace

TEST_F(ShadowVolumeTest, WeldingSharesEdgesAcrossTextureSeams)
{
    auto welded = Box();
    LShadowVolume volume;
    ASSERT_TRUE(volume.Create(LString("box"), welded.get()));
    EXPECT_EQ(12, volume.GetFaceCount());
    // A closed box: 12 edges of the box and 6 face diagonals, each shared by two faces.
    EXPECT_EQ(18, volume.GetEdgeCount());
    for (int i = 0; i < volume.GetEdgeCount(); ++i) {
        EXPECT_NE(LShadowEdge::kNoFace, volume.GetEdge(i)->mFace1) << i;
    }
    // Unwelded, every side is an island: 6 x (4 border edges + 1 diagonal), and the missing
    // table is said once for the mesh, not once per index.
    LLogCapture log;
    auto loose = Box(false);
    LShadowVolume islands;
    ASSERT_TRUE(islands.Create(LString("box"), loose.get()));
    EXPECT_EQ(30, islands.GetEdgeCount());
    EXPECT_EQ(1, log.Count("No duplicates found in mesh."));

    EXPECT_FALSE(islands.Create(LString("none"), nullptr));
    EXPECT_EQ(1, log.Count("Create failure. NULL arg."));
}

TEST_F(ShadowVolumeTest, AClosedBoxLitFromOneSideHasTheOutlineOfItsLitFaces)
{
    auto mesh = Box();
    LShadowVolume volume;
    ASSERT_TRUE(volume.Create(LString("box"), mesh.get()));

    // Straight along -x. Face normals follow the winding, (c0 - c1) x (c2 - c1), so they
    // point into the box and d = direction . normal is negative only for the side x = 0;
    // the four sides seen edge-on (d = 0) count with the side x = 2, and the outline of
    // the side x = 0 is the silhouette.
    const LLight along = Directional(LVector3(-1, 0, 0));
    ASSERT_TRUE(volume.Update(&along));
    const std::set<std::pair<std::string, std::string>> side = {
        {"0,0,0", "0,2,0"}, {"0,0,0", "0,0,2"}, {"0,0,2", "0,2,2"}, {"0,2,0", "0,2,2"}};
    EXPECT_EQ(side, Silhouette(volume, *mesh));
    EXPECT_EQ(4, volume.GetSilhouetteCount());
    // Sides seen edge-on (d = 0) count as turned away in the sign but are not flagged.
    int flagged = 0;
    for (int i = 0; i < volume.GetFaceCount(); ++i) {
        flagged += volume.GetFace(i)->mAway;
    }
    EXPECT_EQ(2, flagged);

    // From above and the side: the outline around the sides x = 0 and y = 0, the loop
    // between the two pairs of sides that the light meets from opposite sides.
    const LLight slanted = Directional(LVector3(-1, -1, 0));
    ASSERT_TRUE(volume.Update(&slanted));
    const std::set<std::pair<std::string, std::string>> corner = {
        {"0,0,0", "0,2,0"}, {"0,0,0", "2,0,0"}, {"0,0,2", "0,2,2"},
        {"0,0,2", "2,0,2"}, {"0,2,0", "0,2,2"}, {"2,0,0", "2,0,2"}};
    EXPECT_EQ(corner, Silhouette(volume, *mesh));
}

TEST_F(ShadowVolumeTest, QuadsAreExtrudedSixHundredUnitsAwayFromTheLight)
{
    auto mesh = Box();
    LShadowVolume volume;
    ASSERT_TRUE(volume.Create(LString("box"), mesh.get()));

    // A point light: each far corner lies 600 from its base corner, on the ray from the light.
    const LVector3 lamp(10, 1, 1);
    const LLight point = Point(lamp);
    ASSERT_TRUE(volume.Update(&point));
    ASSERT_TRUE(volume.BuildVolume(mCamera.get()));
    std::vector<LVector3> quads = Positions(volume);
    ASSERT_EQ(static_cast<size_t>(volume.GetSilhouetteCount() * 4), quads.size());
    ASSERT_GT(volume.GetSilhouetteCount(), 0);
    for (size_t k = 0; k < quads.size(); k += 4) {
        for (int base = 0; base < 2; ++base) {
            const LVector3 near = quads[k + base];
            const LVector3 far = quads[k + 2 + base];
            EXPECT_NEAR(600.0f, (far - near).Length(), 0.01f);
            const LVector3 out = (near - lamp) * (1.0f / (near - lamp).Length());
            EXPECT_NEAR(1.0f, LVector3::Dot(out, (far - near) * (1.0f / 600.0f)), 1e-4f);
        }
    }
    EXPECT_EQ(volume.GetSilhouetteCount() * 6, volume.GetIndexBuffer()->GetIndexCount());
    EXPECT_EQ(0, volume.GetIndexBuffer()->GetIndex(0));
    EXPECT_EQ(1, volume.GetIndexBuffer()->GetIndex(1));
    EXPECT_EQ(3, volume.GetIndexBuffer()->GetIndex(2));
    EXPECT_EQ(3, volume.GetIndexBuffer()->GetIndex(3));
    EXPECT_EQ(2, volume.GetIndexBuffer()->GetIndex(4));
    EXPECT_EQ(0, volume.GetIndexBuffer()->GetIndex(5));

    // A directional light has no place: everything is pushed along its direction, not
    // away from the world's origin.
    const LLight sun = Directional(LVector3(0, -1, 0));
    ASSERT_TRUE(volume.Update(&sun));
    ASSERT_TRUE(volume.BuildVolume(mCamera.get()));
    quads = Positions(volume);
    ASSERT_EQ(16u, quads.size());
    for (size_t k = 0; k < quads.size(); k += 4) {
        EXPECT_NEAR(quads[k].y - 600.0f, quads[k + 2].y, 0.01f);
        EXPECT_NEAR(quads[k].x, quads[k + 2].x, 0.01f);
        EXPECT_NEAR(quads[k].z, quads[k + 2].z, 0.01f);
    }
}

TEST_F(ShadowVolumeTest, AnOpenMeshHasItsBorderOnTheSilhouetteWhateverTheLight)
{
    auto mesh = Quad();
    LShadowVolume volume;
    ASSERT_TRUE(volume.Create(LString("quad"), mesh.get()));
    ASSERT_EQ(5, volume.GetEdgeCount());
    for (const LVector3& direction : {LVector3(0, -1, 0), LVector3(0, 1, 0), LVector3(1, 0, 0)}) {
        const LLight light = Directional(direction);
        ASSERT_TRUE(volume.Update(&light));
        EXPECT_EQ(4, volume.GetSilhouetteCount());
    }
}

TEST_F(ShadowVolumeTest, TheTwoStencilPassesAndAVolumeWithoutSilhouette)
{
    auto mesh = Box();
    LShadowVolume volume;
    ASSERT_TRUE(volume.Create(LString("box"), mesh.get()));
    // Nothing to draw before the first build.
    EXPECT_FALSE(volume.Render());
    const LLight light = Directional(LVector3(-1, 0, 0));
    ASSERT_TRUE(volume.Update(&light));
    ASSERT_TRUE(volume.BuildVolume(mCamera.get()));
    LFakeRasterizer* fake = LFakeRasterizer::Instance();
    ASSERT_NE(nullptr, fake);
    fake->Reset();
    ASSERT_TRUE(volume.Render());
    const std::vector<std::string> expected = {
        "SetFillMode(2)", "SetTransform(0)", "SetCullMode(1)", "SetStencilFunc(7,0,16777215)",
        "SetStencilFail(0)", "SetStencilZFail(0)", "SetStencilPass(6)", "SetVertexBuffer(1,16)",
        "SetIndexBuffer(2)", "DrawIndexedPrimitive(3,8,16,0,0)", "SetCullMode(2)",
        "SetStencilFunc(7,0,16777215)", "SetStencilFail(0)", "SetStencilZFail(0)", "SetStencilPass(7)",
        "SetVertexBuffer(1,16)", "SetIndexBuffer(2)", "DrawIndexedPrimitive(3,8,16,0,0)"};
    const std::vector<std::string> calls = fake->Calls();
    EXPECT_EQ(expected, calls);

    // A light inside a closed box sees every face alike: no silhouette, empty buffers,
    // and no triangle drawn.
    fake->Reset();
    LShadowVolume none;
    ASSERT_TRUE(none.Create(LString("box"), mesh.get()));
    LLight inside = Point(LVector3(1, 1, 1));
    ASSERT_TRUE(none.Update(&inside));
    EXPECT_EQ(0, none.GetSilhouetteCount());
    ASSERT_TRUE(none.BuildVolume(mCamera.get()));
    EXPECT_EQ(0, none.GetVertexBuffer()->GetVertexCount());
    EXPECT_TRUE(none.Render());
    EXPECT_EQ(0, fake->CountCalls("DrawIndexedPrimitive"));
}

TEST_F(ShadowVolumeTest, TheCacheRecordReadsBackAndDrawsOnlyOnceBound)
{
    auto mesh = Box();
    LShadowVolume made;
    ASSERT_TRUE(made.Create(LString(u"Bip01 \u00e9"), mesh.get()));
    LMemoryStream stream(64, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(made.Write(&stream));
    EXPECT_EQ(4 + 2 * (7 + 1) + 4 + 16 * 18 + 4 + 12 * 12, stream.GetPosition());

    LShadowVolume read;
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(in.CreateFromBuffer(stream.GetPosition(), stream.GetBuffer()));
    ASSERT_TRUE(read.Read(&in));
    EXPECT_EQ(made.GetName(), read.GetName());
    ASSERT_EQ(made.GetEdgeCount(), read.GetEdgeCount());
    ASSERT_EQ(made.GetFaceCount(), read.GetFaceCount());
    for (int i = 0; i < made.GetEdgeCount(); ++i) {
        EXPECT_EQ(made.GetEdge(i)->mStart, read.GetEdge(i)->mStart);
        EXPECT_EQ(made.GetEdge(i)->mEnd, read.GetEdge(i)->mEnd);
        EXPECT_EQ(made.GetEdge(i)->mFace0, read.GetEdge(i)->mFace0);
        EXPECT_EQ(made.GetEdge(i)->mFace1, read.GetEdge(i)->mFace1);
    }
    for (int i = 0; i < made.GetFaceCount(); ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(made.GetFace(i)->mIndices[c], read.GetFace(i)->mIndices[c]);
        }
    }
    // Unbound, it cannot be updated; bound, it gives the same silhouette.
    LLogCapture log;
    const LLight light = Directional(LVector3(-1, -1, 0));
    EXPECT_FALSE(read.Update(&light));
    ASSERT_TRUE(read.SetMesh(mesh.get()));
    ASSERT_TRUE(read.Update(&light));
    ASSERT_TRUE(made.Update(&light));
    EXPECT_EQ(Silhouette(made, *mesh), Silhouette(read, *mesh));
    ASSERT_TRUE(read.BuildVolume(mCamera.get()));
    EXPECT_TRUE(read.Render());

    LShadowVolume empty;
    EXPECT_FALSE(empty.SetMesh(mesh.get()));
    EXPECT_TRUE(log.Contains("SetMesh failure. No edges or faces found. Read first."));
    EXPECT_FALSE(read.SetMesh(nullptr));
    EXPECT_TRUE(log.Contains("SetMesh failure. NULL arg."));
}

TEST_F(ShadowVolumeTest, DamagedRecordsAreRefusedAndChangeNothing)
{
    auto mesh = Box();
    LShadowVolume made;
    ASSERT_TRUE(made.Create(LString("box"), mesh.get()));
    LMemoryStream stream(64, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(made.Write(&stream));
    const std::string good(reinterpret_cast<const char*>(stream.GetBuffer()), stream.GetPosition());
    const int nameBytes = 4 + 2 * 4;
    const int edgeCountAt = nameBytes;
    const int faceCountAt = nameBytes + 4 + 16 * 18;

    auto read = [](const std::string& aBytes, LShadowVolume& aVolume) {
        LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
        in.CreateFromBuffer(static_cast<int>(aBytes.size()), reinterpret_cast<const unsigned char*>(aBytes.data()));
        return aVolume.Read(&in);
    };
    auto patched = [&](int aAt, int aValue) {
        std::string bytes = good;
        for (int b = 0; b < 4; ++b) {
            bytes[aAt + b] = static_cast<char>((static_cast<unsigned>(aValue) >> (8 * b)) & 0xFF);
        }
        return bytes;
    };
    LLogCapture log;
    LShadowVolume target;
    ASSERT_TRUE(read(good, target));
    // Cut short anywhere.
    for (size_t length = 0; length < good.size(); length += 7) {
        LShadowVolume cut;
        EXPECT_FALSE(read(good.substr(0, length), cut)) << length;
    }
    // Counts beyond the bytes left, negative counts, faces named outside the volume.
    const std::vector<std::string> damaged = {
        patched(edgeCountAt, 0x7FFFFFFF), patched(edgeCountAt, -1), patched(faceCountAt, 0x10000000),
        patched(faceCountAt, -5), patched(edgeCountAt + 4 + 8, 12), patched(edgeCountAt + 4 + 12, 99),
        patched(edgeCountAt + 4 + 8, -2), patched(faceCountAt + 4, -1)};
    for (const std::string& bytes : damaged) {
        EXPECT_FALSE(read(bytes, target));
        // The volume read before is kept whole.
        EXPECT_EQ(18, target.GetEdgeCount());
        EXPECT_EQ(12, target.GetFaceCount());
    }
    // An index beyond the mesh's vertices is refused at binding.
    LShadowVolume beyond;
    ASSERT_TRUE(read(patched(faceCountAt + 4, 24), beyond));
    EXPECT_FALSE(beyond.SetMesh(mesh.get()));
    EXPECT_EQ(nullptr, beyond.GetMesh());
    ASSERT_TRUE(read(patched(edgeCountAt + 4, 500), beyond));
    EXPECT_FALSE(beyond.SetMesh(mesh.get()));
}
