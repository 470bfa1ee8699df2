#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIButtonListener.h"
#include "Gdi/LLayoutBuilder.h"
#include "Gdi/LSPolygon.h"
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
#include "writers/LImageBytes.h"
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

// A button of the fixture whose only look is a small rectangle.
std::string ShapeButton(const char* aId, const char* aPosition)
{
    const std::string id(aId);
    return Lines({{3, aId}, {4, ("id=" + id).c_str()}, {4, aPosition}, {4, "states"}, {5, "n"}, {6, "statetype=n"},
                  {6, "objecttype=shape"}, {6, "type=rectangle"}, {6, ("id=" + id + "_n").c_str()},
                  {6, "coords=0|0|8|8"}});
}

// What reaches the listeners, as "id:event" or the probe's name.
std::vector<std::string> gHeard;

class Recorder : public LIButtonListener
{
public:
    void OnButton(const LString& aId, int aEvent) override
    {
        gHeard.push_back(ToStd(aId) + ":" + std::to_string(aEvent));
    }
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

TEST_F(LayoutBuilderTest, PanelFixtureBuildsTheExpectedTree)
{
    mDirectory.Write("panel_layout.txt",
                     Lines({{0, "groups"}, {1, "panel"}, {2, "id=panel"}, {2, "position=400|300"}, {2, "sprites"},
                            {3, "s01"}, {4, "id=panel_bg"}, {4, "texture=panel_bg.tga"}, {4, "center=128|64"},
                            {2, "buttons"}, {3, "b01"}, {4, "id=ok"}, {4, "relativez=1"}, {4, "position=0|40"},
                            {4, "states"}, {5, "normal"}, {6, "statetype=n"}, {6, "objecttype=sprite"},
                            {6, "id=ok_n"}, {6, "texture=ok.tga"}, {6, "texturecoords=0|0|63|31"}, {5, "over"},
                            {6, "statetype=o"}, {6, "objecttype=sprite"}, {6, "id=ok_o"}, {6, "texture=ok.tga"},
                            {6, "texturecoords=0|32|63|63"}}) +
                         ShapeButton("up", "position=140|-64") + ShapeButton("down", "position=140|56") +
                         ShapeButton("bar", "position=140|-56") +
                         Lines({{2, "shapes"}, {3, "s01"}, {4, "type=rectangle"}, {4, "id=frame"},
                                {4, "coords=-128|-64|256|128"}, {4, "filled=true"}, {0, "misc"},
                                {1, "scrollbarspecs"}, {2, "downarrowid=down"}, {2, "uparrowid=up"},
                                {2, "barid=bar"}, {2, "barheight=20"}, {2, "barareaheight=100"},
                                {2, "contentheight=300"}, {2, "contentstartpos=10|20"},
                                {2, "scrollareaheight=100"}, {2, "scrollincrement=20"}}));
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

    LButton* ok = dynamic_cast<LButton*>(panel->GetMember(LString("ok")));
    ASSERT_NE(nullptr, ok);
    LSprite* normal = dynamic_cast<LSprite*>(ok->GetStateObject(XBTNSTATE_NORMAL));
    LSprite* over = dynamic_cast<LSprite*>(ok->GetStateObject(XBTNSTATE_OVER));
    ASSERT_TRUE(normal != nullptr && over != nullptr);
    EXPECT_TRUE(normal->GetActive());
    EXPECT_FALSE(over->GetActive());
    // Two 64 x 32 looks cut from the one texture: v 0 .. 0.5 and 0.5 .. 1.
    EXPECT_EQ(normal->GetTexture(), over->GetTexture());
    EXPECT_FLOAT_EQ(64.0f, Vertex(normal, 3, 0));
    EXPECT_FLOAT_EQ(0.5f, Vertex(normal, 0, 4));
    EXPECT_FLOAT_EQ(0.5f, Vertex(over, 3, 4));

    // Registered with the mouse at order 0.0: between listeners of 0.0 added before and
    // after it. The normal look covers (400, 340) .. (463, 371) on the screen.
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
    ASSERT_TRUE(frame->GetStrokeVertexBuffer() != nullptr && frame->GetFillVertexBuffer() != nullptr);
    EXPECT_EQ(5, frame->GetStrokeVertexBuffer()->GetVertexCount());
    EXPECT_EQ(6, frame->GetFillVertexBuffer()->GetVertexCount());

    LScrollBarParams params;
    ASSERT_TRUE(LLayoutBuilder::BuildScrollBar(List("misc.scrollbarspecs"), panel.get(), &params));
    EXPECT_EQ(panel->GetMember(LString("down")), params.mDownArrow);
    EXPECT_EQ(panel->GetMember(LString("up")), params.mUpArrow);
    EXPECT_EQ(panel->GetMember(LString("bar")), params.mBar);
    EXPECT_FLOAT_EQ(20.0f, params.mContentStartPos.y);
    EXPECT_EQ(20, params.mScrollIncrement);
    LScrollBar scrollBar;
    EXPECT_EQ(1, scrollBar.Create(params));
    EXPECT_EQ(0, mLog.Count("ERROR"));
}

TEST_F(LayoutBuilderTest, ImageIsShownWholeAndFoundByIdAfterwards)
{
    Parse(Lines({{0, "a"}, {1, "id=bg"}, {1, "texture=panel_bg.tga"}, {0, "b"}, {1, "id=bg2"},
                 {1, "texture=panel_bg.tga"}}));
    std::unique_ptr<LSprite> first(LLayoutBuilder::BuildSprite(List("a")));
    ASSERT_NE(nullptr, first);
    // Read from the file without corners: the whole 256 x 128 picture, not a pixel more.
    EXPECT_FLOAT_EQ(256.0f, Vertex(first.get(), 3, 0));
    EXPECT_FLOAT_EQ(1.0f, Vertex(first.get(), 3, 3));
    // The second finds the texture by its id, even under a root that has no such file.
    ASSERT_TRUE(LTextureManager::Get()->SetRoot(LString("//nowhere")));
    std::unique_ptr<LSprite> second(LLayoutBuilder::BuildSprite(List("b")));
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(first->GetTexture(), second->GetTexture());
    EXPECT_EQ(0, mLog.Count("ERROR"));
}

TEST_F(LayoutBuilderTest, RefusedEntriesAndObjectsNobodyTakesAreDeleted)
{
    Parse(Lines({{0, "g"}, {1, "id=g"}, {1, "sprites"},
                 {2, "a"}, {3, "id=gone"}, {3, "texture=missing.tga"},
                 {2, "b"}, {3, "id=untextured"},
                 {2, "c"}, {3, "id=gone"}, {3, "texture=ok.tga"},
                 {1, "buttons"}, {2, "b"}, {3, "id=b"}, {3, "rot=30"}, {3, "rotation=60"}, {3, "states"},
                 {4, "n"}, {5, "statetype=n"}, {5, "objecttype=group"}, {5, "id=b_n"},
                 {4, "ho"}, {5, "statetype=HO"}, {5, "objecttype=shape"}, {5, "type=polygon"}, {5, "id=b_ho"},
                 {5, "coords=0|0|4|0|4|4"},
                 // Matches no state; then one taken for its state but refused as a member.
                 {4, "hover"}, {5, "statetype=hover"}, {5, "objecttype=sprite"}, {5, "id=b_x"},
                 {5, "texture=ok.tga"},
                 {4, "twin"}, {5, "statetype=d"}, {5, "objecttype=sprite"}, {5, "id=b_n"}, {5, "texture=ok.tga"},
                 {4, "text"}, {5, "statetype=x"}, {5, "objecttype=text"},
                 {2, "c"}, {3, "relativez=2"}}));
    std::unique_ptr<LDisplayGroup> group(LLayoutBuilder::BuildGroup(List("g"), true));
    ASSERT_NE(nullptr, group);
    // An unreadable image leaves a sprite without a picture; the duplicate id is refused.
    ASSERT_EQ(2, group->GetMemberCount());
    EXPECT_EQ(0u, static_cast<LSprite*>(group->GetMember(LString("gone")))->GetTexture());
    EXPECT_EQ(1, mLog.Count("BuildSprite failure. 'texture' not found."));
    EXPECT_EQ(1, mLog.Count("BuildSprites failure."));
    EXPECT_TRUE(mLog.Contains("BuildButton failure. 'id' not found."));
    EXPECT_TRUE(mLog.Contains("State object creation failure."));
    LButton* button = dynamic_cast<LButton*>(group->GetMember(LString("b")));
    ASSERT_NE(nullptr, button);
    EXPECT_FLOAT_EQ(30.0f, button->GetRotation());
    EXPECT_NE(nullptr, button->GetStateObject(XBTNSTATE_HILIGHTED_OVER));
    EXPECT_EQ(nullptr, button->GetStateObject(XBTNSTATE_DOWN));
    EXPECT_EQ(2, button->GetMemberCount());
    // Every sprite of ok.tga that no group took is gone: none holds the texture any more.
    EXPECT_EQ(0u, LTextureManager::Get()->GetHandle(LString("ok.tga")));
}

TEST_F(LayoutBuilderTest, PairsBoolsAndScriptedVisibility)
{
    LStateManager::Get()->RemoveAllStates();
    LStateManager::Get()->SetState(u"sta_open", u"number", u"1", false);
    Parse(Lines({{0, "a"}, {1, "id=a"}, {1, "scale=2"}, {1, "position=1|2|3"}, {1, "rot=45"}, {1, "visible=yes"},
                 {0, "b"}, {1, "id=b"}, {1, "scale=2|3"}, {1, "rotation=30"}, {1, "visible=TRUE"},
                 {0, "c"}, {1, "id=c"}, {1, "visible=SCRIPT[s[sta_open]==1]"},
                 {0, "d"}, {1, "id=d"}, {1, "visible=script[s[sta_open]==2]"}}));
    std::unique_ptr<LDisplayGroup> a(LLayoutBuilder::BuildGroup(List("a"), false));
    std::unique_ptr<LDisplayGroup> b(LLayoutBuilder::BuildGroup(List("b"), false));
    std::unique_ptr<LDisplayGroup> c(LLayoutBuilder::BuildGroup(List("c"), false));
    std::unique_ptr<LDisplayGroup> d(LLayoutBuilder::BuildGroup(List("d"), false));
    ASSERT_TRUE(a && b && c && d);
    // One number for a pair, or three, sets nothing; groups read "rotation", not "rot".
    EXPECT_FLOAT_EQ(1.0f, a->GetScale().x);
    EXPECT_FLOAT_EQ(0.0f, a->GetPosition().x);
    EXPECT_FLOAT_EQ(0.0f, a->GetRotation());
    EXPECT_FALSE(a->GetVisible());
    EXPECT_FLOAT_EQ(3.0f, b->GetScale().y);
    EXPECT_FLOAT_EQ(30.0f, b->GetRotation());
    EXPECT_TRUE(b->GetVisible());
    // The scripts were evaluated once, at build time.
    LStateManager::Get()->SetState(u"sta_open", u"number", u"2", false);
    EXPECT_TRUE(c->GetVisible());
    EXPECT_FALSE(d->GetVisible());
    LStateManager::Get()->RemoveAllStates();
}

TEST_F(LayoutBuilderTest, ShapeKindsCoordsAndColours)
{
    Parse(Lines({{0, "rect3"}, {1, "type=rectangle"}, {1, "id=r"}, {1, "coords=1|2|3"},
                 {0, "poly"}, {1, "type=Polygon"}, {1, "id=p"}, {1, "coords=0|0|10|0|10|10|7"},
                 {1, "strokecolor=1|1|0|0"}, {1, "fillcolor=2|1|1|1"},
                 {0, "three"}, {1, "type=rectangle"}, {1, "id=t"}, {1, "coords=0|0|5|5"}, {1, "strokecolor=1|1|1"},
                 {0, "circle"}, {1, "type=circle"}, {1, "id=o"}, {1, "coords=0|0"}}));
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("rect3")));
    EXPECT_TRUE(mLog.Contains("BuildRectangle failure. Invalid number of coords."));
    std::unique_ptr<LIShape> poly(LLayoutBuilder::BuildShape(List("poly")));
    ASSERT_NE(nullptr, dynamic_cast<LSPolygon*>(poly.get()));
    EXPECT_EQ(3, static_cast<LSPolygon*>(poly.get())->GetPolygon()->GetNumPoints());
    EXPECT_EQ(3, poly->GetBoundary()->GetNumPoints());
    // Alpha comes first: opaque red; an alpha of 2 is clamped to 1.
    EXPECT_EQ(0xFFFF0000u, poly->GetStrokeColor().ToARGB());
    EXPECT_FLOAT_EQ(1.0f, poly->GetFillColor().a);
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("three")));
    EXPECT_TRUE(mLog.Contains("BuildShape failure."));
    mLog.Clear();
    EXPECT_EQ(nullptr, LLayoutBuilder::BuildShape(List("circle")));
    EXPECT_TRUE(mLog.Lines().empty());
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
    // A record left over from before: a refusal must not leave its fields behind.
    LButton stale;
    LScrollBarParams params;
    params.mBar = &stale;
    params.mBarHeight = 99;
    EXPECT_FALSE(LLayoutBuilder::BuildScrollBar(List("nobar"), &group, &params));
    EXPECT_TRUE(mLog.Contains("Scrollbar group not found."));
    EXPECT_EQ(group.GetMember(LString("up")), params.mUpArrow);
    EXPECT_EQ(nullptr, params.mBar);
    EXPECT_EQ(0, params.mBarHeight);

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
}
