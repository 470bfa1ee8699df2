#include "Gdi/LDisplayManager.h"
#include "Gdi/LRenderer.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "Render/LColor.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LFakeTexture.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// A vertex (x, y) of a drawn quad through the draw's world matrix, in screen pixels
// before the projection: the renderer's origin makes (0, 0) the top-left pixel's centre.
LVector2 Placed(const LFakeRasterizer::Draw& aDraw, float aX, float aY)
{
    const float* m = aDraw.mWorld.data();
    return LVector2(aX * m[0] + aY * m[4] + m[12], aX * m[1] + aY * m[5] + m[13]);
}
// Left, top, width and height of a draw's viewport.
std::vector<uint32_t> Viewport(const LFakeRasterizer::Draw& aDraw)
{
    return {aDraw.mViewport.mX, aDraw.mViewport.mY, aDraw.mViewport.mWidth, aDraw.mViewport.mHeight};
}
} // namespace

TEST(RendererPass, FadingMultipliesDownTheTree)
{
    RegisterFakeRender();
    LDisplayManager* manager = LDisplayManager::Get();
    LDisplayGroup* panel = TestGroup("panel");
    LSprite* sprite = ImageSprite("pic", 8, 8);
    panel->AddMember(sprite, true);
    manager->AddMember(panel);
    panel->SetBlend(0.5f);
    sprite->SetBlend(0.5f);
    manager->Render();
    panel->SetBlend(0.2f);
    manager->Render();
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(2u, draws.size());
    EXPECT_FLOAT_EQ(0.25f, draws[0].mBlendFactor);
    EXPECT_FLOAT_EQ(0.1f, draws[1].mBlendFactor);
    // Hidden or inactive groups draw nothing and still succeed.
    panel->SetVisible(false);
    EXPECT_TRUE(manager->Render());
    panel->SetVisible(true);
    panel->SetActive(false);
    EXPECT_TRUE(manager->Render());
    EXPECT_EQ(2u, LFakeRasterizer::Instance()->Draws().size());
}

TEST(RendererClip, ClippedGroupsSetAndRestoreTheViewport)
{
    RegisterFakeRender();
    LDisplayManager* manager = LDisplayManager::Get();
    LDisplayGroup* outer = TestGroup("outer", 100.0f, 50.0f);
    const LRectangle outerClip(0.0f, 0.0f, 300.0f, 200.0f);
    outer->SetClip(&outerClip);
    LDisplayGroup* inner = TestGroup("inner", 10.0f, 10.0f);
    const LRectangle innerClip(-20.0f, 0.0f, 50.0f, 40.0f);
    inner->SetClip(&innerClip);
    LSprite* a = ImageSprite("a", 16, 16);
    LSprite* b = ImageSprite("b", 16, 16);
    b->SetRelativeZ(1.0f);
    outer->AddMember(inner, true);
    inner->AddMember(a, true);
    outer->AddMember(b, true);
    manager->AddMember(outer);
    LSprite* c = ImageSprite("c", 16, 16);
    c->SetRelativeZ(1.0f);
    manager->AddMember(c);

    ASSERT_TRUE(manager->Render());
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(3u, draws.size());
    // The inner clip replaces the outer one: (-20 + 110, 60) wide 50, high 40.
    EXPECT_EQ((std::vector<uint32_t> {90, 60, 50, 40}), Viewport(draws[0]));
    // Back to the outer clip for the outer group's own member, and to the full screen after it.
    EXPECT_EQ((std::vector<uint32_t> {100, 50, 300, 200}), Viewport(draws[1]));
    EXPECT_EQ((std::vector<uint32_t> {0, 0, 800, 600}), Viewport(draws[2]));
    EXPECT_FLOAT_EQ(2.0f / 800.0f, draws[2].mProjection[0]);
    EXPECT_EQ(nullptr, LRenderer::Get()->GetClip());
    // Inside a clip the sprite still lands at its screen place: its corner at x = 110 is
    // 20 pixels into the clip that starts at 90 (less the half pixel of the centres).
    const float* p = draws[0].mProjection.data();
    const LVector2 corner = Placed(draws[0], 0.0f, 0.0f);
    EXPECT_NEAR(-1.0f + 20.0f * 2.0f / 50.0f - 1.0f / 50.0f, corner.x * p[0] + p[12], 1e-5f);
}

TEST(RendererClip, ClipsCutAtTheScreenEdges)
{
    LSprite sprite;
    const LRectangle cut(-20.0f, 10.0f, 15.0f, 30.0f);
    sprite.SetClip(&cut);
    LRectangle world;
    EXPECT_FALSE(sprite.GetWorldClip(&world));
    const LRectangle kept(-20.0f, 10.0f, 50.0f, 30.0f);
    sprite.SetClip(&kept);
    ASSERT_TRUE(sprite.GetWorldClip(&world));
    EXPECT_FLOAT_EQ(0.0f, world.GetX());
    EXPECT_FLOAT_EQ(30.0f, world.GetWidth());
}

TEST(RendererDebug, BreakIdAndOutlines)
{
    RegisterFakeRender();
    LLogCapture log;
    LRenderer* renderer = LRenderer::Get();
    LSprite* named = ImageSprite("Door", 4, 4);
    LSprite* nameless = ImageSprite("x", 4, 4);
    renderer->RenderSprite(named);
    EXPECT_FALSE(log.Contains("Break for sprite ID:"));
    renderer->SetBreakId(LString("door"));
    renderer->RenderSprite(named);
    renderer->RenderSprite(nameless);
    EXPECT_EQ(1, log.Count("Break for sprite ID:Door"));
    delete named;
    delete nameless;

    const LColor red(1.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_FALSE(renderer->RenderBoundary(nullptr, red));
    EXPECT_TRUE(log.Contains("RenderBoundary failure. NULL arg."));
    LPolygon single;
    single.AddPoint(1.0f, 1.0f);
    LFakeRasterizer::Instance()->Reset();
    EXPECT_FALSE(renderer->RenderPolygon(&single, red));
    EXPECT_TRUE(LFakeRasterizer::Instance()->Draws().empty());
    const LRectangle box(10.0f, 20.0f, 30.0f, 40.0f);
    EXPECT_TRUE(renderer->RenderBoundary(&box, red));
    ASSERT_EQ(1u, LFakeRasterizer::Instance()->Draws().size());
    const auto& draw = LFakeRasterizer::Instance()->Draws()[0];
    EXPECT_EQ(LIRasterizer::kLineStrip, draw.mPrimitive);
    EXPECT_EQ(4, draw.mPrimitiveCount);
    EXPECT_FLOAT_EQ(-20.0f, draw.mVertices[1]);
    // The outline's texture is gone after the draw.
    EXPECT_EQ(0, LFakeTexture::LiveCount());
}

TEST(SpriteQuad, CornersPickAPartOfTheTexture)
{
    RegisterFakeRender();
    LImage image;
    MakeFlatImage(image, 256, 128);
    const uint32_t handle = LTextureManager::Get()->CreateTexture(LString("sheet.tga"), &image);
    LSprite sprite;
    const LVector2 first(0.0f, 0.0f);
    const LVector2 last(63.0f, 31.0f);
    ASSERT_TRUE(sprite.SetTexture(handle, &first, &last));
    const float* v = static_cast<const float*>(sprite.GetVertexBuffer()->GetBuffer());
    // Bottom left (0, -32) at (0, 0.25); top right (64, 0) at (0.25, 0).
    EXPECT_EQ((std::vector<float> {-32.0f, 0.25f, 64.0f, 0.25f}), (std::vector<float> {v[1], v[4], v[15], v[18]}));
    LPolygon boundary;
    ASSERT_TRUE(sprite.GetWorldBoundary(&boundary));
    EXPECT_FLOAT_EQ(64.0f, boundary.GetPoint(2).x);
    EXPECT_FALSE(sprite.SetTexture(0, nullptr, nullptr));
}

TEST(SpriteTiles, LargeImagesAreCutIntoNamedTiles)
{
    RegisterFakeRender();
    LFakeDeviceCaps::sPow2 = true;
    LSprite* sprite = new LSprite();
    sprite->SetId(LString("bg"));
    // Settings made before the picture reach the tiles.
    sprite->SetPosition(5.0f, 6.0f);
    sprite->SetBlend(0.5f);
    LImage image;
    MakeFlatImage(image, 800, 600);
    ASSERT_TRUE(sprite->SetImage(LString("bg"), &image, nullptr, nullptr));
    LDisplayGroup* tiles = sprite->GetTileGroup();
    ASSERT_NE(nullptr, tiles);
    ASSERT_EQ(4, tiles->GetMemberCount());
    for (const char* name : {"bg_0_0", "bg_1_0", "bg_0_1", "bg_1_1"}) {
        ASSERT_NE(nullptr, tiles->GetMember(LString(name))) << name;
    }
    LSprite* right = static_cast<LSprite*>(tiles->GetMember(LString("bg_1_0")));
    EXPECT_EQ(LVector2(512.0f, 0.0f), right->GetPosition());
    EXPECT_EQ(LVector2(0.0f, 512.0f), tiles->GetMember(LString("bg_0_1"))->GetPosition());
    LITexture* tile = LTextureManager::Get()->GetTexture(right->GetTexture());
    ASSERT_NE(nullptr, tile);
    EXPECT_EQ(512, tile->GetWidth());

    LDisplayManager::Get()->AddMember(sprite);
    LDisplayManager::Get()->Render();
    const auto& draws = LFakeRasterizer::Instance()->Draws();
    ASSERT_EQ(4u, draws.size());
    EXPECT_FLOAT_EQ(0.5f, draws[0].mBlendFactor);
    // The first tile's corner sits at the sprite's position.
    EXPECT_FLOAT_EQ(-400.5f + 5.0f, Placed(draws[0], 0.0f, 0.0f).x);

    // Moving or hiding the sprite moves or hides every tile.
    sprite->SetPosition(0.0f, 0.0f);
    sprite->SetVisible(false);
    LFakeRasterizer::Instance()->Reset();
    LDisplayManager::Get()->Render();
    EXPECT_TRUE(LFakeRasterizer::Instance()->Draws().empty());
}

TEST(SpriteTiles, ImagesLargerThanTheDeviceTakes)
{
    RegisterFakeRender();
    LFakeDeviceCaps::sMaxWidth = 512;
    LFakeDeviceCaps::sMaxHeight = 256;
    LImage image;
    MakeFlatImage(image, 1024, 600);
    LSprite sprite;
    ASSERT_TRUE(sprite.SetImage(LString("wide"), &image, nullptr, nullptr));
    LDisplayGroup* tiles = sprite.GetTileGroup();
    ASSERT_NE(nullptr, tiles);
    // Tiles of the larger side, 512: two columns and two rows.
    EXPECT_EQ(4, tiles->GetMemberCount());
    LSprite* last = static_cast<LSprite*>(tiles->GetMember(LString("wide_1_1")));
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(LVector2(512.0f, 512.0f), last->GetPosition());
    // The bottom row holds the last 88 rows of the image; the rest of the tile is clear.
    const LFakeTexture* texture =
        static_cast<const LFakeTexture*>(LTextureManager::Get()->GetTexture(last->GetTexture()));
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(512, texture->GetHeight());
    EXPECT_EQ(0x80, texture->Pixels()[(87 * 512) * 4]);
    EXPECT_EQ(0x00, texture->Pixels()[(88 * 512) * 4]);
}

TEST(SpriteTiles, ExemptNamesAndSmallDevices)
{
    RegisterFakeRender();
    LFakeDeviceCaps::sPow2 = true;
    LImage handle;
    MakeFlatImage(handle, 100, 50);
    LSprite exempt;
    ASSERT_TRUE(exempt.SetImage(LString("handle.tga"), &handle, nullptr, nullptr));
    EXPECT_EQ(nullptr, exempt.GetTileGroup());
    LSprite other;
    ASSERT_TRUE(other.SetImage(LString("knob.tga"), &handle, nullptr, nullptr));
    EXPECT_NE(nullptr, other.GetTileGroup());
    LFakeDeviceCaps::sMaxWidth = 128;
    LFakeDeviceCaps::sMaxHeight = 128;
    LImage big;
    MakeFlatImage(big, 300, 300);
    LSprite refused;
    EXPECT_FALSE(refused.SetImage(LString("big.tga"), &big, nullptr, nullptr));
    LLogCapture log;
    LImage empty;
    EXPECT_FALSE(refused.SetImage(LString("none"), &empty, nullptr, nullptr));
    EXPECT_TRUE(log.Contains("SetImage failure. Invalid image dimensions."));
}

TEST(SpritePicture, SettingAnImageAgainReleasesTheOldOne)
{
    RegisterFakeRender();
    LFakeDeviceCaps::sPow2 = true;
    LImage large;
    MakeFlatImage(large, 600, 300);
    LImage small;
    MakeFlatImage(small, 64, 64);
    {
        LSprite sprite;
        ASSERT_TRUE(sprite.SetImage(LString("one"), &large, nullptr, nullptr));
        ASSERT_NE(nullptr, sprite.GetTileGroup());
        EXPECT_EQ(2, LFakeTexture::LiveCount());
        ASSERT_TRUE(sprite.SetImage(LString("two"), &small, nullptr, nullptr));
        // The tiles and their textures are gone; only the new texture is held.
        EXPECT_EQ(nullptr, sprite.GetTileGroup());
        EXPECT_EQ(1, LFakeTexture::LiveCount());
        ASSERT_TRUE(sprite.SetImage(LString("two"), &small, nullptr, nullptr));
        EXPECT_EQ(1, LFakeTexture::LiveCount());
        ASSERT_TRUE(sprite.SetImage(LString("three"), &small, nullptr, nullptr));
        EXPECT_EQ(1, LFakeTexture::LiveCount());
    }
    EXPECT_EQ(0, LFakeTexture::LiveCount());
}
