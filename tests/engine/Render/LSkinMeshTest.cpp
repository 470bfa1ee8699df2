#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LSkinMesh.h"
#include "Render/LVertexBuffer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestModels.h"
#include "support/LTestStreams.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {
LVector3 Position(const LSkinMesh& aSkin, int aVertex)
{
    const float* v = static_cast<const float*>(aSkin.GetVertexBuffer()->GetVertex(aVertex));
    return LVector3(v[0], v[1], v[2]);
}

LVector3 Normal(const LSkinMesh& aSkin, int aVertex)
{
    const float* v = static_cast<const float*>(aSkin.GetVertexBuffer()->GetVertex(aVertex));
    return LVector3(v[3], v[4], v[5]);
}

std::string Utf16(const char* aText)
{
    std::string units;
    for (const char* c = aText; *c != 0; ++c) {
        units += LImageBytes::U16(static_cast<unsigned char>(*c));
    }
    return units;
}

// Replaces aFind (which must occur) by aWith.
std::string Replaced(std::string aBytes, const std::string& aFind, const std::string& aWith)
{
    const size_t at = aBytes.find(aFind);
    EXPECT_NE(std::string::npos, at);
    return at == std::string::npos ? aBytes : aBytes.replace(at, aFind.size(), aWith);
}

// A frame "Solo" scaled by 2 and moved to (1, 2, 3), with a skin of four vertices of
// which the bones named aBones (each moving vertices 0 to 2) leave vertex 3 alone.
LFrame* Solo(std::initializer_list<const char*> aBones)
{
    LMatrix4 world;
    LMatrix4::Scaling(&world, 2, 2, 2);
    world[12] = 1;
    world[13] = 2;
    world[14] = 3;
    LSkinMesh* skin = LTestModels::SkinMesh({1, 0, 0, 0, 1, 0, 0, 0, 1, 5, 5, 5}, {0, 1, 2});
    const uint32_t vertices[] = {0, 1, 2};
    const float weights[] = {1, 1, 1};
    for (const char* bone : aBones) {
        skin->AddBone(LString(bone), 0, 3, vertices, weights, LMatrix4());
    }
    return LTestModels::Frame("Solo", world, skin, world);
}
} // namespace

TEST(Skinning, WeightsBlendTheBonesTransformsOfEachVertex)
{
    RegisterFakeRender();
    std::unique_ptr<LDrawElement> element(LTestModels::TreeModel());
    LSkinMesh* skin = static_cast<LSkinMesh*>(element->GetFrameAt(1)->GetMesh());
    ASSERT_EQ(1, skin->UpdateSkin());
    EXPECT_TRUE(skin->IsBound());
    // Root is at (0, 1, 0), Child at (2, 1, 0); vertex 2 at (0, 0, 1) is half each.
    EXPECT_EQ(LVector3(0, 1, 0), Position(*skin, 0));
    EXPECT_EQ(LVector3(3, 1, 0), Position(*skin, 1));
    EXPECT_EQ(LVector3(1, 1, 1), Position(*skin, 2));
    EXPECT_EQ(LVector3(0, 1, 0), Normal(*skin, 2));

    std::unique_ptr<LFrame> solo(Solo({"Solo"}));
    LSkinMesh* alone = static_cast<LSkinMesh*>(solo->GetMesh());
    ASSERT_EQ(1, alone->UpdateSkin());
    EXPECT_EQ(LVector3(3, 2, 3), Position(*alone, 0));
    // The normals turn with the bone but keep their length; a vertex without bone goes to
    // the origin.
    EXPECT_EQ(LVector3(0, 1, 0), Normal(*alone, 0));
    EXPECT_EQ(LVector3(0, 0, 0), Position(*alone, 3));
    EXPECT_EQ(LVector3(0, 0, 0), Normal(*alone, 3));
}

TEST(Skinning, ABoneWithoutFrameStopsTheBindingUntilAFrameOfItsNameExists)
{
    RegisterFakeRender();
    LLogCapture log;
    std::unique_ptr<LFrame> solo(Solo({"Solo", "Missing", "Solo"}));
    LSkinMesh* skin = static_cast<LSkinMesh*>(solo->GetMesh());
    EXPECT_EQ(1, skin->UpdateSkin());
    EXPECT_EQ(1, log.Count("Bone frame not found."));
    EXPECT_FALSE(skin->IsBound());
    EXPECT_EQ(&solo->GetWorldMatrix(), skin->GetBone(0)->mFrameWorld);
    EXPECT_EQ(nullptr, skin->GetBone(2)->mFrameWorld);
    EXPECT_EQ(1, skin->UpdateSkin());
    EXPECT_EQ(2, log.Count("Bone frame not found."));
    LFrame* missing = LTestModels::Frame("Missing");
    solo->SetFirstChild(missing);
    EXPECT_EQ(1, skin->UpdateSkin());
    EXPECT_TRUE(skin->IsBound());
    EXPECT_EQ(&missing->GetWorldMatrix(), skin->GetBone(1)->mFrameWorld);
    solo->SetFirstChild(nullptr);
    delete missing;

    std::unique_ptr<LSkinMesh> orphan(LTestModels::SkinMesh({0, 0, 0}, {0, 0, 0}));
    orphan->AddBone(LString("x"), 0, 0, nullptr, nullptr, LMatrix4());
    EXPECT_EQ(0, orphan->SetupBonePointers());
    EXPECT_TRUE(log.Contains("SetupBonePointers failure: Parent frame undefined."));
}

TEST(SkinFaults, InfluencesOfVerticesThatDoNotExistAreRefused)
{
    RegisterFakeRender();
    LLogCapture log;
    std::unique_ptr<LDrawElement> tree(LTestModels::TreeModel());
    std::unique_ptr<LDrawElement> direct(LTestModels::DirectModel());
    const std::string influences = LImageBytes::U32(2) + LImageBytes::U32(1) + LImageBytes::U32(2);
    const std::string beyond = LImageBytes::U32(2) + LImageBytes::U32(1) + LImageBytes::U32(3);
    const std::string treeBytes = LTestModels::TreeBytes(*tree);
    const std::string directBytes = LTestModels::DirectBytes(*direct);
    LDrawElement element;
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, Replaced(treeBytes, Utf16("Child") + LImageBytes::U16(0) + influences,
                      Utf16("Child") + LImageBytes::U16(0) + beyond));
    EXPECT_FALSE(element.Read(&in));
    Load(in, Replaced(directBytes, "b2" + influences, "b2" + beyond));
    EXPECT_FALSE(element.LoadModel(&in, 1));
    EXPECT_EQ(2, log.Count("Influence of a vertex that does not exist: 3"));

    LSkinMesh* skin = static_cast<LSkinMesh*>(tree->GetFrameAt(1)->GetMesh());
    const uint32_t vertex = 3;
    const float weight = 1.0f;
    EXPECT_EQ(0, skin->AddBone(LString("x"), 0, 1, &vertex, &weight, LMatrix4()));
    // A vertex buffer too small for the bones is never written past.
    LVertexBuffer* fewer = new LVertexBuffer();
    const float two[16] = {};
    fewer->Create(5, two, 2);
    skin->SetVertexBuffer(fewer);
    EXPECT_EQ(0, skin->UpdateSkin());
    EXPECT_TRUE(log.Contains("PrepareSkin failure"));
}

TEST(SkinFaults, SkinsOfVerticesSmallerThanPositionAndNormalAreRefused)
{
    RegisterFakeRender();
    LLogCapture log;
    std::unique_ptr<LFrame> solo(Solo({"Solo"}));
    LVertexBuffer* textured = new LVertexBuffer();
    const float vertices[5 * 4] = {};
    textured->Create(3, vertices, 4);
    solo->GetMesh()->SetVertexBuffer(textured);
    EXPECT_EQ(0, static_cast<LSkinMesh*>(solo->GetMesh())->UpdateSkin());
    EXPECT_TRUE(log.Contains("PrepareSkin failure. Vertices too small for a skin."));
    log.Clear();
    LDrawElement element;
    element.SetRoot(solo.release());
    LDrawElement read;
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, LTestModels::TreeBytes(element));
    EXPECT_FALSE(read.Read(&in));
    Load(in, LTestModels::DirectBytes(element));
    EXPECT_FALSE(read.LoadModel(&in, 1));
    EXPECT_EQ(2, log.Count("Vertices too small for a skin."));
}
