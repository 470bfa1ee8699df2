#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSBezier.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "container/LPropertyList.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeRender.h"
#include "support/LImageBytes.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {
// The screen's side of a layout: textures under a temporary "//textures" mount, the
// texture root set to it, and the layout text parsed into a property list.
class LayoutBuilderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mDirectory.Path())));
        mDirectory.Write("panel_bg.tga", LImageBytes::Tga(256, 128, 32, 8, std::string(256 * 128 * 4, '\x40')));
        mDirectory.Write("ok.tga", LImageBytes::Tga(64, 64, 32, 8, std::string(64 * 64 * 4, '\x80')));
        mSavedRoot = LTextureManager::Get()->GetRoot();
        ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//textures")));
    }

    void TearDown() override
    {
        if (!mSavedRoot.IsEmpty()) {
            LTextureManager::Get()->SetRoot(mSavedRoot);
        }
    }

    LPropertyList* Parse(const std::string& aText)
    {
        mLayout = std::make_unique<LPropertyList>();
        EXPECT_TRUE(mLayout->Parse(aText.data(), static_cast<int>(aText.size())));
        return mLayout.get();
    }

    LPropertyList* List(const char* aPath) { return mLayout->GetList(LString(aPath)); }

    static float Vertex(LSprite* aSprite, int aVertex, int aField)
    {
        return static_cast<const float*>(aSprite->GetVertexBuffer()->GetVertex(aVertex))[aField];
    }

    LTestDirectory mDirectory;
    LString mSavedRoot;
    std::unique_ptr<LPropertyList> mLayout;
    LLogCapture mLog;
};
} // namespace

TEST_F(LayoutBuilderTest, SpriteTextureIsReadOnceAndShownWhole)
{
    Parse("a\n\tid=bg\n\ttexture=panel_bg.tga\n\tcenter=128|64\n"
          "b\n\tid=bg2\n\ttexture=panel_bg.tga\n");
    std::unique_ptr<LSprite> first(LLayoutBuilder::BuildSprite(List("a")));
    ASSERT_NE(nullptr, first);
    const uint32_t handle = LTextureManager::Get()->GetHandle(LString("panel_bg.tga"));
    ASSERT_NE(0u, handle);
    EXPECT_EQ(handle, first->GetTexture());
    // Loaded from the file without corners: the whole 256 x 128 picture, not a pixel more.
    EXPECT_FLOAT_EQ(256.0f, Vertex(first.get(), 3, 0));
    EXPECT_FLOAT_EQ(-128.0f, Vertex(first.get(), 0, 1));
    EXPECT_FLOAT_EQ(1.0f, Vertex(first.get(), 3, 3));
    EXPECT_FLOAT_EQ(1.0f, Vertex(first.get(), 0, 4));
    EXPECT_FLOAT_EQ(128.0f, first->GetCenter().x);

    // The second finds the texture by its id, even under another root with no file.
    ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//nowhere")));
    std::unique_ptr<LSprite> second(LLayoutBuilder::BuildSprite(List("b")));
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(handle, second->GetTexture());
    EXPECT_FLOAT_EQ(256.0f, Vertex(second.get(), 3, 0));
    EXPECT_FLOAT_EQ(1.0f, Vertex(second.get(), 3, 3));
    EXPECT_EQ(0, mLog.Count("ERROR"));
}

TEST_F(LayoutBuilderTest, RefusedSpritesAndMissingImages)
{
    LDisplayGroup group;
    Parse("sprites\n"
          "\ta\n\t\tid=gone\n\t\ttexture=missing.tga\n"
          "\tb\n\t\tid=untextured\n"
          "\tc\n\t\ttexture=ok.tga\n"
          "empty\n");
    ASSERT_TRUE(LLayoutBuilder::BuildSprites(List("sprites"), &group));
    // An image that cannot be read leaves the sprite without a picture, still built.
    ASSERT_EQ(1, group.GetMemberCount());
    EXPECT_EQ(0u, static_cast<LSprite*>(group.GetMember(LString("gone")))->GetTexture());
    EXPECT_EQ(1, mLog.Count("BuildSprite failure. 'texture' not found."));
    EXPECT_EQ(1, mLog.Count("BuildSprite failure. 'id' not found."));
    EXPECT_EQ(2, mLog.Count("BuildSprites failure."));
    EXPECT_FALSE(LLayoutBuilder::BuildSprites(List("empty"), &group));
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildSprite(nullptr));
}

TEST_F(LayoutBuilderTest, ObjectsTheGroupRefusesAreDeleted)
{
    // Two sprites of one id: the group takes the first; the second, if kept alive, would
    // hold its lock on the texture after the group is gone.
    Parse("g\n\tid=g\n\tsprites\n"
          "\t\ta\n\t\t\tid=dup\n\t\t\ttexture=ok.tga\n"
          "\t\tb\n\t\t\tid=dup\n\t\t\ttexture=ok.tga\n");
    LDisplayGroup* group = LLayoutBuilder::BuildGroup(List("g"), true);
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(1, group->GetMemberCount());
    EXPECT_TRUE(mLog.Contains("Add member failure. ID duplication: dup"));
    EXPECT_NE(0u, LTextureManager::Get()->GetHandle(LString("ok.tga")));
    delete group;
    EXPECT_EQ(0u, LTextureManager::Get()->GetHandle(LString("ok.tga")));
}

TEST_F(LayoutBuilderTest, PairsBoolsAndScriptedVisibility)
{
    LStateManager::Get()->RemoveAllStates();
    LStateManager::Get()->SetState(u"sta_open", u"number", u"1", false);
    Parse("a\n\tid=a\n\tscale=2\n\tposition=1|2|3\n\trot=45\n\tvisible=yes\n"
          "b\n\tid=b\n\tscale=2|3\n\tposition=10|20\n\trotation=30\n\tvisible=TRUE\n\tblend=0.5\n"
          "c\n\tid=c\n\tvisible=False\n"
          "d\n\tid=d\n\tvisible=SCRIPT[s[sta_open]==1]\n"
          "e\n\tid=e\n\tvisible=script[s[sta_open]==2]\n");
    std::unique_ptr<LDisplayGroup> a(LLayoutBuilder::BuildGroup(List("a"), false));
    std::unique_ptr<LDisplayGroup> b(LLayoutBuilder::BuildGroup(List("b"), false));
    std::unique_ptr<LDisplayGroup> c(LLayoutBuilder::BuildGroup(List("c"), false));
    ASSERT_TRUE(a && b && c);
    // One number for a pair, or three, sets nothing; groups read "rotation", not "rot".
    EXPECT_FLOAT_EQ(1.0f, a->GetScale().x);
    EXPECT_FLOAT_EQ(0.0f, a->GetPosition().x);
    EXPECT_FLOAT_EQ(0.0f, a->GetRotation());
    EXPECT_FALSE(a->GetVisible());
    EXPECT_FLOAT_EQ(3.0f, b->GetScale().y);
    EXPECT_FLOAT_EQ(20.0f, b->GetPosition().y);
    EXPECT_FLOAT_EQ(30.0f, b->GetRotation());
    EXPECT_FLOAT_EQ(0.5f, b->GetBlend());
    EXPECT_TRUE(b->GetVisible());
    EXPECT_FALSE(c->GetVisible());

    // The script is evaluated once, at build time.
    std::unique_ptr<LDisplayGroup> d(LLayoutBuilder::BuildGroup(List("d"), false));
    std::unique_ptr<LDisplayGroup> e(LLayoutBuilder::BuildGroup(List("e"), false));
    ASSERT_TRUE(d && e);
    EXPECT_TRUE(d->GetVisible());
    EXPECT_FALSE(e->GetVisible());
    LStateManager::Get()->SetState(u"sta_open", u"number", u"2", false);
    EXPECT_TRUE(d->GetVisible());
    EXPECT_FALSE(e->GetVisible());
    LStateManager::Get()->RemoveAllStates();

    EXPECT_EQ(nullptr, LLayoutBuilder::BuildGroup(nullptr, true));
    EXPECT_TRUE(mLog.Contains("BuildGroup failure. NULL arg."));
}

TEST_F(LayoutBuilderTest, ShapeKindsCoordsAndColours)
{
    Parse("rect3\n\ttype=rectangle\n\tid=r\n\tcoords=1|2|3\n"
          "poly\n\ttype=Polygon\n\tid=p\n\tcoords=0|0|10|0|10|10|7\n\tstrokecolor=1|1|0|0\n"
          "bez4\n\ttype=bezier\n\tid=b4\n\tcoords=0|0|1|1|2|1|3|0\n"
          "bez5\n\ttype=BEZIER\n\tid=b5\n\tcoords=0|0|1|1|2|1|3|0|4|4\n"
          "clamp\n\ttype=rectangle\n\tid=c\n\tcoords=0|0|5|5\n\tfillcolor=2|1|1|1\n\tfilled=true\n"
          "three\n\ttype=rectangle\n\tid=t\n\tcoords=0|0|5|5\n\tstrokecolor=1|1|1\n"
          "noid\n\ttype=polygon\n\tcoords=0|0|1|1\n"
          "circle\n\ttype=circle\n\tid=o\n\tcoords=0|0\n");
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("rect3")));
    EXPECT_TRUE(mLog.Contains("BuildRectangle failure. Invalid number of coords."));

    std::unique_ptr<LIShape> poly(LLayoutBuilder::BuildShape(List("poly")));
    ASSERT_NE(nullptr, dynamic_cast<LSPolygon*>(poly.get()));
    EXPECT_EQ(3, static_cast<LSPolygon*>(poly.get())->GetPolygon()->GetNumPoints());
    ASSERT_NE(nullptr, poly->GetBoundary());
    EXPECT_EQ(3, poly->GetBoundary()->GetNumPoints());
    // Alpha comes first: opaque red.
    EXPECT_EQ(0xFFFF0000u, poly->GetStrokeColor().ToARGB());

    std::unique_ptr<LIShape> bez4(LLayoutBuilder::BuildShape(List("bez4")));
    ASSERT_NE(nullptr, bez4);
    EXPECT_EQ(1, static_cast<LSBezier*>(bez4.get())->GetSplineCount());
    std::unique_ptr<LIShape> bez5(LLayoutBuilder::BuildShape(List("bez5")));
    ASSERT_NE(nullptr, bez5);
    EXPECT_EQ(0, static_cast<LSBezier*>(bez5.get())->GetSplineCount());
    EXPECT_TRUE(mLog.Contains("BuildBezier failure."));

    std::unique_ptr<LIShape> clamp(LLayoutBuilder::BuildShape(List("clamp")));
    ASSERT_NE(nullptr, clamp);
    EXPECT_FLOAT_EQ(1.0f, clamp->GetFillColor().a);
    EXPECT_TRUE(clamp->IsFilled());
    EXPECT_TRUE(clamp->IsStroked());

    mLog.Clear();
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("three")));
    EXPECT_TRUE(mLog.Contains("BuildShape failure."));
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("noid")));
    EXPECT_TRUE(mLog.Contains("BuildShape failure. 'id' not found."));
    mLog.Clear();
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("circle")));
    EXPECT_EQ(0, static_cast<int>(mLog.Lines().size()));
}

TEST_F(LayoutBuilderTest, EmptyChildListsOfAGroup)
{
    Parse("g\n\tid=g\n\tsprites\n\tgroups\n\tshapes\n\tbuttons\n"
          "groups\n");
    std::unique_ptr<LDisplayGroup> group(LLayoutBuilder::BuildGroup(List("g"), true));
    ASSERT_NE(nullptr, group);
    // Empty sprite and shape lists report false; empty group and button lists do not.
    EXPECT_EQ(2, mLog.Count("ASSERT FAILURE"));
    EXPECT_TRUE(LLayoutBuilder::BuildGroups(List("groups"), group.get()));
    EXPECT_FALSE(LLayoutBuilder::BuildShapes(List("groups"), group.get()));
}
