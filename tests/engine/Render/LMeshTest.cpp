#include "LBox2.h"
#include "LBox3.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMesh.h"
#include "Render/LMeshSubset.h"
#include "Render/LTextureManager.h"
#include "Render/LSkinMesh.h"
#include "Render/LVertexBuffer.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestCreator.h"
#include "support/LTestModels.h"
#include "support/LTestDirectory.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"
#include "stdlib/LIFileSystem.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::string> DrawCalls(LMesh& aMesh)
{
    LIRasterizer::Get();
    LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    rasterizer->Reset();
    EXPECT_EQ(1, aMesh.Render());
    return rasterizer->Calls();
}
} // namespace

TEST(MeshDrawing, FlagsChooseWhatTheSubsetsDraw)
{
    RegisterFakeRender();
    std::unique_ptr<LMesh> mesh(LTestModels::StaticMesh({0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 1}, {0, 1, 2, 1, 3, 2}));
    mesh->GetSubset(0)->SetRange(1, 1, 2, 3);
    const struct {
        uint32_t mSet;
        uint32_t mClear;
        std::vector<std::string> mCalls;
    } cases[] = {
        {0, 0,
         {"SetFillMode(2)", "SetVertexBuffer(5,4)", "SetIndexBuffer(2)", "SetMaterial()",
          "DrawIndexedPrimitive(3,1,3,1,2)"}},
        {LMesh::kStrips, 0,
         {"SetFillMode(2)", "SetVertexBuffer(5,4)", "SetIndexBuffer(2)", "SetMaterial()",
          "DrawIndexedPrimitive(4,1,3,1,2)"}},
        {LMesh::kWireframe, LMesh::kStrips | LMesh::kIndexed,
         {"SetFillMode(1)", "SetVertexBuffer(5,4)", "SetMaterial()", "DrawPrimitive(3,1,1)"}},
        {0, LMesh::kShown, {}},
    };
    for (const auto& row : cases) {
        mesh->SetFlags(row.mSet);
        mesh->ClearFlags(row.mClear);
        EXPECT_EQ(row.mCalls, DrawCalls(*mesh)) << row.mSet << " " << row.mClear;
    }
}

TEST(MeshDrawing, FramesDrawStaticMeshesInTheirWorldAndSkinsInWorldSpace)
{
    RegisterFakeRender();
    LMatrix4 world;
    LMatrix4::Translation(&world, 5, 6, 7);
    std::unique_ptr<LFrame> still(LTestModels::Frame("still", world, LTestModels::Triangle(), world));
    std::unique_ptr<LFrame> skinned(
        LTestModels::Frame("skinned", world, LTestModels::SkinMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2}), world));
    std::unique_ptr<LFrame> bare(LTestModels::Frame("bare"));
    LIRasterizer::Get();
    LFakeRasterizer* rasterizer = LFakeRasterizer::Instance();
    rasterizer->Reset();
    EXPECT_EQ(1, bare->Render());
    EXPECT_TRUE(rasterizer->Calls().empty());
    EXPECT_EQ(1, still->Render());
    EXPECT_EQ(1, skinned->Render());
    ASSERT_EQ(2u, rasterizer->Draws().size());
    EXPECT_EQ(0, std::memcmp(rasterizer->Draws()[0].mWorld.data(), world.m, sizeof(world.m)));
    EXPECT_EQ(0, std::memcmp(rasterizer->Draws()[1].mWorld.data(), LMatrix4::kIdentity.m, sizeof(world.m)));
    EXPECT_EQ("SetTransform(0)", rasterizer->Calls().front());
}

TEST(MeshDrawing, WithoutARasterizerNothingIsDrawn)
{
    RegisterFake<LFakeDeviceCaps>("devicecaps");
    LLogCapture log;
    std::unique_ptr<LFrame> frame(LTestModels::Frame("f", LMatrix4(), LTestModels::Triangle()));
    EXPECT_EQ(1, frame->Render());
    EXPECT_EQ(0, frame->GetMesh()->Render());
    EXPECT_EQ(0, frame->GetMesh()->GetSubset(0)->Render());
    EXPECT_EQ(3, log.Count("Could not get rasterizer."));
}

TEST(MeshLighting, CustomLightingBuildsAFormatSixCopyOfFormatFive)
{
    RegisterFakeRender();
    LLogCapture log;
    std::unique_ptr<LMesh> mesh(LTestModels::Triangle());
    ASSERT_EQ(1, mesh->SetCustomLighting(true));
    EXPECT_EQ(1, mesh->SetCustomLighting(true));
    EXPECT_NE(0u, mesh->GetFlags() & LMesh::kCustomLighting);
    const LVertexBuffer* lit = mesh->GetLitVertexBuffer();
    ASSERT_NE(nullptr, lit);
    EXPECT_EQ(6, lit->GetVertexFormat());
    ASSERT_EQ(3, lit->GetVertexCount());
    const float* v = static_cast<const float*>(lit->GetVertex(1));
    EXPECT_EQ((std::vector<float> {1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0.5f, 0.25f}), std::vector<float>(v, v + 12));
    EXPECT_EQ(1, mesh->SetCustomLighting(false));
    EXPECT_EQ(nullptr, mesh->GetLitVertexBuffer());
    EXPECT_EQ(0u, mesh->GetFlags() & LMesh::kCustomLighting);

    LVertexBuffer* textured = new LVertexBuffer();
    const float quad[5 * 3] = {};
    textured->Create(3, quad, 3);
    mesh->SetVertexBuffer(textured);
    EXPECT_EQ(0, mesh->SetCustomLighting(true));
    EXPECT_TRUE(log.Contains("Vertex format not supported for custom lighting."));
    LMesh empty;
    EXPECT_EQ(0, empty.SetCustomLighting(true));
    EXPECT_TRUE(log.Contains("Vertex buffer not yet defined."));
    EXPECT_EQ(0, empty.SetVertexBuffer(nullptr));
    EXPECT_TRUE(log.Contains("SetVertexBuffer failure. Null arg."));
}

TEST(MeshBounds, BoxesInMeshAndWorldSpace)
{
    RegisterFakeRender();
    LMatrix4 world;
    LMatrix4::Translation(&world, 10, 20, 30);
    std::unique_ptr<LFrame> frame(
        LTestModels::Frame("f", world, LTestModels::StaticMesh({-1, 2, 3, 4, -5, 6}, {0, 1, 0}), world));
    LBox3 box;
    frame->GetMesh()->GetBoundingBox(&box, false);
    EXPECT_EQ(LVector3(-1, -5, 3), box.min);
    EXPECT_EQ(LVector3(4, 2, 6), box.max);
    frame->GetMesh()->GetBoundingBox(&box, true);
    EXPECT_EQ(LVector3(9, 15, 33), box.min);
    LBox2 rect;
    frame->GetMesh()->GetBoundingRectXZ(&rect, true);
    EXPECT_EQ(LVector2(9, 33), rect.min);
    EXPECT_EQ(LVector2(14, 36), rect.max);
    LMesh empty;
    EXPECT_TRUE(empty.GetBoundingBox(&box, true)->IsEmpty());
}

TEST(MeshFaults, DirectSubsetsOutsideTheIndexDataAreRefused)
{
    RegisterFakeRender();
    LLogCapture log;
    // Position (vertex start + face start) in 4-byte units: 1 + 0 leaves 5 indices, too few
    // for 2 faces; 1 face from position 3 fits exactly.
    const struct {
        uint32_t mFaceStart, mFaceCount, mVertexStart;
        bool mRead;
    } cases[] = {{0, 2, 0, true}, {0, 2, 1, false}, {2, 1, 1, true}, {3, 1, 1, false}, {0xFFFFFFFFu, 1, 0, false}};
    for (const auto& row : cases) {
        LMesh* mesh = LTestModels::StaticMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2, 2, 1, 0});
        mesh->GetSubset(0)->SetRange(row.mFaceStart, row.mFaceCount, row.mVertexStart, 3);
        LDrawElement element;
        element.SetRoot(LTestModels::Frame("f", LMatrix4(), mesh));
        LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
        Load(in, LTestModels::DirectBytes(element));
        LDrawElement read;
        EXPECT_EQ(row.mRead, read.LoadModel(&in, 1)) << row.mFaceStart << " " << row.mVertexStart;
    }
    EXPECT_TRUE(log.Contains("Subset indices outside the index data"));
}

TEST(MeshFaults, SubsetsReachingPastTheVerticesAreLoggedOnceAtReadAndNotDrawn)
{
    RegisterFakeRender();
    // Three vertices. Subset 0 draws {0, 1, 2}; 1 names vertex 3; 2 draws {1, 2, 0} from
    // vertex start 1, which only the direct form keeps: there it reaches vertex 3 as well.
    LMesh* mesh = LTestModels::StaticMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2, 1, 2, 0, 0, 1, 3});
    const uint32_t own[3][4] = {{0, 1, 2, 0}, {0, 1, 3, 6}, {1, 2, 0, 2}}; // indices, face start
    for (int i = 0; i < 3; ++i) {
        LMeshSubset* subset = i == 0 ? mesh->GetSubset(0) : new LMeshSubset();
        if (i > 0) {
            mesh->AddSubset(subset);
            mesh->AddMaterial(subset->GetMaterial());
        }
        subset->SetIndexBuffer(new LIndexBuffer());
        ASSERT_EQ(1, subset->GetIndexBuffer()->Create(2, own[i], 3));
        subset->SetRange(own[i][3], 1, i == 2 ? 1 : 0, 3);
    }
    LDrawElement built;
    built.SetRoot(LTestModels::Frame("f", LMatrix4(), mesh));
    for (const bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct" : "tree");
        const std::vector<int> drawn = direct ? std::vector<int> {1, 0, 0} : std::vector<int> {1, 0, 1};
        LLogCapture log;
        LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
        Load(in, direct ? LTestModels::DirectBytes(built) : LTestModels::TreeBytes(built));
        LDrawElement read;
        ASSERT_TRUE(direct ? read.LoadModel(&in, LDrawElement::kFlat) : read.Read(&in));
        LMesh* loaded = read.GetMesh(0);
        ASSERT_NE(nullptr, loaded);
        ASSERT_EQ(3, loaded->GetSubsetCount());
        const int drawnCount = static_cast<int>(std::count(drawn.begin(), drawn.end(), 1));
        for (int pass = 0; pass < 2; ++pass) {
            DrawCalls(*loaded);
            EXPECT_EQ(drawnCount, LFakeRasterizer::Instance()->CountCalls("DrawIndexedPrimitive"));
        }
        EXPECT_EQ(3 - drawnCount, log.Count("not drawn."));
        EXPECT_TRUE(log.Contains("Subset 1 of mesh"));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(drawn[i], loaded->GetTriangleCount(i)) << i;
        }
    }
}

TEST(MeshMaterials, SubsetTexturesAreMadeAndAMissingOneLeavesTheSubsetUntextured)
{
    RegisterFakeRender();
    LLogCapture log;
    LTestDirectory directory;
    directory.Write("wall.tga", LImageBytes::Tga(2, 2, 32, 8, std::string(2 * 2 * 4, '\x40')));
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(directory.Path())));
    ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures")));
    LMesh* mesh = LTestModels::Triangle();
    LMaterial material;
    ASSERT_EQ(1, material.SetTexture(LString("wall.tga")));
    mesh->GetSubset(0)->SetMaterial(material);
    LDrawElement element;
    element.SetRoot(LTestModels::Frame("f", LMatrix4(), mesh));
    const std::string bytes = LTestModels::TreeBytes(element);
    const std::string wall = std::string("w\0a\0l\0l\0", 8);
    for (const std::string& name : {wall, std::string("g\0o\0n\0e\0", 8)}) {
        std::string patched = bytes;
        patched.replace(patched.find(wall), wall.size(), name);
        LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
        Load(in, patched);
        LDrawElement read;
        ASSERT_TRUE(read.Read(&in));
        const LMaterial& subset = read.GetMesh(0)->GetSubset(0)->GetMaterial();
        EXPECT_EQ(name == wall, subset.GetTexture() != 0u);
        EXPECT_EQ(bytes.size(), LTestModels::TreeBytes(read).size());
    }
    EXPECT_TRUE(log.Contains("Texture creation failure:"));
}
