#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSBezier.h"
#include "Gdi/LSPolygon.h"
#include "Gdi/LSRectangle.h"
#include "Gdi/LRenderer.h"
#include "Gdi/LScrollBar.h"
#include "Gdi/LScrollBarParams.h"
#include "Gdi/LSprite.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
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

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {
// Layout text from (depth, line) pairs: the depth is the count of leading TABs.
std::string Lines(std::initializer_list<std::pair<int, const char*>> aLines)
{
    std::string text;
    for (const auto& [depth, line] : aLines) {
        text += std::string(depth, '\t') + line + "\n";
    }
    return text;
}

// Everything that reaches it, as "id:event" or "probe name".
std::vector<std::string> gHeard;

class Recorder : public LIButtonListener
{
public:
    void OnButton(const LString& aId, int aEvent) override { gHeard.push_back(ToStd(aId) + ":" + std::to_string(aEvent)); }
};

class Probe : public LIMouseListener
{
public:
    explicit Probe(const char* aName) : mName(aName) {}
    void OnButtonDown(int) override {}
    void OnMove(const LVector2&) override { gHeard.push_back(mName); }
    void OnButtonUp(int) override {}

private:
    const char* mName;
};

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

TEST_F(LayoutBuilderTest, PanelFixtureBuildsTheExpectedTree)
{
    mDirectory.Write("panel_layout.txt",
                     Lines({{0, "groups"}, {1, "panel"}, {2, "id=panel"}, {2, "position=400|300"},
                            {2, "sprites"}, {3, "s01"}, {4, "id=panel_bg"}, {4, "texture=panel_bg.tga"},
                            {4, "center=128|64"},
                            {2, "buttons"}, {3, "b01"}, {4, "id=ok"}, {4, "relativez=1"}, {4, "position=0|40"},
                            {4, "states"},
                            {5, "normal"}, {6, "statetype=n"}, {6, "objecttype=sprite"}, {6, "id=ok_n"},
                            {6, "texture=ok.tga"}, {6, "texturecoords=0|0|63|31"},
                            {5, "over"}, {6, "statetype=o"}, {6, "objecttype=sprite"}, {6, "id=ok_o"},
                            {6, "texture=ok.tga"}, {6, "texturecoords=0|32|63|63"},
                            {3, "b02"}, {4, "id=up"}, {4, "position=140|-64"}, {4, "states"},
                            {5, "n"}, {6, "statetype=n"}, {6, "objecttype=shape"}, {6, "type=rectangle"},
                            {6, "id=up_n"}, {6, "coords=0|0|8|8"},
                            {3, "b03"}, {4, "id=down"}, {4, "position=140|56"}, {4, "states"},
                            {5, "n"}, {6, "statetype=n"}, {6, "objecttype=shape"}, {6, "type=rectangle"},
                            {6, "id=down_n"}, {6, "coords=0|0|8|8"},
                            {3, "b04"}, {4, "id=bar"}, {4, "position=140|-56"}, {4, "states"},
                            {5, "n"}, {6, "statetype=n"}, {6, "objecttype=shape"}, {6, "type=rectangle"},
                            {6, "id=bar_n"}, {6, "coords=0|0|8|20"},
                            {2, "shapes"}, {3, "s01"}, {4, "type=rectangle"}, {4, "id=frame"},
                            {4, "coords=-128|-64|256|128"}, {4, "filled=true"}, {4, "fillcolor=0.5|0|0|0"},
                            {0, "misc"}, {1, "scrollbarspecs"}, {2, "downarrowid=down"}, {2, "uparrowid=up"},
                            {2, "barid=bar"}, {2, "barheight=20"}, {2, "barareaheight=100"},
                            {2, "contentheight=300"}, {2, "contentstartpos=10|20"}, {2, "scrollareaheight=100"},
                            {2, "scrollincrement=20"}}));
    mLayout = std::make_unique<LPropertyList>();
    ASSERT_TRUE(mLayout->Load(LString("//textures/panel_layout.txt"), true));

    gHeard.clear();
    Probe before("before");
    Probe after("after");
    LMouse* mouse = LMouse::Get();
    ASSERT_TRUE(mouse->AddMember(&before, 0.0f));
    std::unique_ptr<LDisplayGroup> panel(LLayoutBuilder::BuildGroup(List("groups.panel"), true));
    ASSERT_NE(nullptr, panel);
    ASSERT_TRUE(mouse->AddMember(&after, 0.0f));

    EXPECT_EQ(LString("panel"), panel->GetId());
    EXPECT_FLOAT_EQ(400.0f, panel->GetPosition().x);
    EXPECT_FLOAT_EQ(300.0f, panel->GetPosition().y);
    // Equal relative z keeps the build order: sprites, buttons, shapes; ok (z 1) last.
    std::vector<std::string> order;
    for (int i = 0; i < panel->GetMemberCount(); ++i) {
        order.push_back(ToStd(panel->GetMemberAt(i)->GetId()));
    }
    EXPECT_EQ((std::vector<std::string> {"panel_bg", "up", "down", "bar", "frame", "ok"}), order);

    LSprite* background = dynamic_cast<LSprite*>(panel->GetMember(LString("panel_bg")));
    ASSERT_NE(nullptr, background);
    EXPECT_EQ(LTextureManager::Get()->GetHandle(LString("panel_bg.tga")), background->GetTexture());
    EXPECT_FLOAT_EQ(64.0f, background->GetCenter().y);

    LButton* ok = dynamic_cast<LButton*>(panel->GetMember(LString("ok")));
    ASSERT_NE(nullptr, ok);
    LSprite* normal = dynamic_cast<LSprite*>(ok->GetStateObject(XBTNSTATE_NORMAL));
    LSprite* over = dynamic_cast<LSprite*>(ok->GetStateObject(XBTNSTATE_OVER));
    ASSERT_TRUE(normal != nullptr && over != nullptr);
    EXPECT_TRUE(normal->GetActive());
    EXPECT_FALSE(over->GetActive());
    // Two 64 x 32 looks cut from the one 64 x 64 texture, read once.
    EXPECT_EQ(normal->GetTexture(), over->GetTexture());
    EXPECT_FLOAT_EQ(64.0f, Vertex(normal, 3, 0));
    EXPECT_FLOAT_EQ(-32.0f, Vertex(normal, 0, 1));
    EXPECT_FLOAT_EQ(0.5f, Vertex(normal, 0, 4));
    EXPECT_FLOAT_EQ(0.5f, Vertex(over, 3, 4));
    EXPECT_FLOAT_EQ(1.0f, Vertex(over, 0, 4));

    // Registered with the mouse at order 0.0: between listeners of 0.0 added before and
    // after it. The normal look lies at (400, 340) .. (463, 371) on the screen.
    Recorder recorder;
    ASSERT_TRUE(ok->SetListener(&recorder));
    mouse->OnMove(LVector2(410.0f, 350.0f));
    EXPECT_EQ((std::vector<std::string> {"before", "ok:1", "after"}), gHeard);
    mouse->RemoveListener(&before);
    mouse->RemoveListener(&after);
    ok->RemoveListener();

    LIShape* frame = dynamic_cast<LIShape*>(panel->GetMember(LString("frame")));
    ASSERT_NE(nullptr, frame);
    LRenderer* renderer = LRenderer::Get();
    ASSERT_TRUE(renderer->Begin());
    panel->Render(renderer);
    renderer->End();
    ASSERT_TRUE(frame->GetStrokeVertexBuffer() != nullptr && frame->GetFillVertexBuffer() != nullptr);
    EXPECT_EQ(5, frame->GetStrokeVertexBuffer()->GetVertexCount());
    EXPECT_EQ(6, frame->GetFillVertexBuffer()->GetVertexCount());

    LScrollBarParams params;
    ASSERT_TRUE(LLayoutBuilder::BuildScrollBar(List("misc.scrollbarspecs"), panel.get(), &params));
    EXPECT_EQ(panel->GetMember(LString("down")), params.mDownArrow);
    EXPECT_EQ(panel->GetMember(LString("up")), params.mUpArrow);
    EXPECT_EQ(panel->GetMember(LString("bar")), params.mBar);
    EXPECT_EQ(20, params.mBarHeight);
    EXPECT_EQ(100, params.mBarAreaHeight);
    EXPECT_EQ(300, params.mContentHeight);
    EXPECT_FLOAT_EQ(20.0f, params.mContentStartPos.y);
    EXPECT_EQ(100, params.mScrollAreaHeight);
    EXPECT_EQ(20, params.mScrollIncrement);
    LScrollBar scrollBar;
    EXPECT_EQ(1, scrollBar.Create(params));
    EXPECT_EQ(0, mLog.Count("ERROR"));
}

TEST_F(LayoutBuilderTest, ButtonStatesAndLooksNobodyTakes)
{
    Recorder recorder;
    LDisplayGroup group;
    Parse(Lines({{0, "buttons"}, {1, "b"}, {2, "id=b"}, {2, "rot=30"}, {2, "rotation=60"}, {2, "enabled=false"},
                 {2, "hilighted=1"}, {2, "mouseorder=-3"}, {2, "states"},
                 {3, "n"}, {4, "statetype=n"}, {4, "objecttype=shape"}, {4, "type=rectangle"}, {4, "id=b_n"},
                 {4, "coords=0|0|4|4"},
                 {3, "ho"}, {4, "statetype=HO"}, {4, "objecttype=group"}, {4, "id=b_ho"},
                 // Matches no state: built, then nobody takes it.
                 {3, "hover"}, {4, "statetype=hover"}, {4, "objecttype=sprite"}, {4, "id=b_hover"},
                 {4, "texture=ok.tga"},
                 // Taken for its state but refused as a member: the id of another look.
                 {3, "twin"}, {4, "statetype=d"}, {4, "objecttype=sprite"}, {4, "id=b_n"},
                 {4, "texture=ok.tga"},
                 {3, "text"}, {4, "statetype=x"}, {4, "objecttype=text"},
                 {3, "untyped"}, {4, "objecttype=sprite"},
                 {3, "nokind"}, {4, "statetype=x"},
                 {1, "c"}, {2, "relativez=2"},
                 {1, "d"}, {2, "id=d"}}));
    ASSERT_TRUE(LLayoutBuilder::BuildButtons(List("buttons"), &group, &recorder));
    EXPECT_TRUE(mLog.Contains("BuildButton failure. 'id' not found."));
    ASSERT_EQ(2, group.GetMemberCount());
    LButton* button = dynamic_cast<LButton*>(group.GetMember(LString("b")));
    ASSERT_NE(nullptr, button);
    EXPECT_FLOAT_EQ(30.0f, button->GetRotation());
    EXPECT_FALSE(button->IsEnabled());
    EXPECT_TRUE(button->IsHilighted());
    EXPECT_NE(nullptr, button->GetStateObject(XBTNSTATE_HILIGHTED_OVER));
    EXPECT_EQ(nullptr, button->GetStateObject(XBTNSTATE_DOWN));
    EXPECT_EQ(nullptr, button->GetStateObject(XBTNSTATE_DISABLED));
    EXPECT_EQ(2, button->GetMemberCount());
    EXPECT_TRUE(mLog.Contains("State object creation failure."));
    EXPECT_TRUE(mLog.Contains("State creation failure. 'type' undefined."));
    EXPECT_TRUE(mLog.Contains("State creation failed. Missing content type"));
    // The listener was given to the button.
    Recorder other;
    EXPECT_EQ(0, button->SetListener(&other));
    // Neither look left over still holds the texture.
    EXPECT_EQ(0u, LTextureManager::Get()->GetHandle(LString("ok.tga")));
    EXPECT_FALSE(LLayoutBuilder::BuildButtons(List("nothing"), &group, nullptr));
    LPropertyList empty;
    EXPECT_TRUE(LLayoutBuilder::BuildButtons(&empty, &group, nullptr));
}

TEST_F(LayoutBuilderTest, ScrollBarRecordIsClearedAndTakesOnlyButtons)
{
    LDisplayGroup group;
    Parse(Lines({{0, "buttons"}, {1, "u"}, {2, "id=up"}, {1, "d"}, {2, "id=down"}, {1, "b"}, {2, "id=bar"},
                 {0, "sprites"}, {1, "s"}, {2, "id=picture"}, {2, "texture=ok.tga"},
                 {0, "nobar"}, {1, "downarrowid=down"}, {1, "uparrowid=up"}, {1, "barid=missing"},
                 {1, "barheight=20"},
                 {0, "noheight"}, {1, "downarrowid=down"}, {1, "uparrowid=up"}, {1, "barid=bar"},
                 {1, "barareaheight=100"}, {1, "contentheight=300"}, {1, "contentstartpos=1|2"},
                 {1, "scrollareaheight=100"}, {1, "scrollincrement=20"},
                 {0, "picturebar"}, {1, "downarrowid=down"}, {1, "uparrowid=up"}, {1, "barid=picture"}}));
    ASSERT_TRUE(LLayoutBuilder::BuildButtons(List("buttons"), &group, nullptr));
    ASSERT_TRUE(LLayoutBuilder::BuildSprites(List("sprites"), &group));
    LButton stale;
    LScrollBarParams params;
    params.mBar = &stale;
    params.mBarHeight = 99;
    params.mContentStartPos = LVector2(5.0f, 5.0f);
    EXPECT_FALSE(LLayoutBuilder::BuildScrollBar(List("nobar"), &group, &params));
    EXPECT_TRUE(mLog.Contains("Scrollbar group not found."));
    EXPECT_EQ(group.GetMember(LString("up")), params.mUpArrow);
    EXPECT_EQ(nullptr, params.mBar);
    EXPECT_EQ(0, params.mBarHeight);
    EXPECT_FLOAT_EQ(0.0f, params.mContentStartPos.x);

    mLog.Clear();
    EXPECT_TRUE(LLayoutBuilder::BuildScrollBar(List("noheight"), &group, &params));
    EXPECT_EQ(0, params.mBarHeight);
    EXPECT_EQ(300, params.mContentHeight);
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE"));
    EXPECT_TRUE(mLog.Contains("'barheight' not found."));

    // A member that is no button is not handed to the scroll bar as one.
    EXPECT_FALSE(LLayoutBuilder::BuildScrollBar(List("picturebar"), &group, &params));
    EXPECT_TRUE(mLog.Contains("Scrollbar member is not a button: picture"));
    EXPECT_EQ(nullptr, params.mBar);
    EXPECT_FALSE(LLayoutBuilder::BuildScrollBar(nullptr, &group, &params));
    EXPECT_FALSE(LLayoutBuilder::BuildScrollBar(List("noheight"), &group, nullptr));
}
