#include "Gdi/LDisplayManager.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestDisplay.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Where an object's own point (in its screen-like coordinates) lands on the screen.
LVector2 ToScreen(LIDisplayObject& aObject, float aX, float aY)
{
    const float* m = aObject.GetWorldMatrix()->m;
    const float x = aX * m[0] - aY * m[4] + m[12];
    const float y = aX * m[1] - aY * m[5] + m[13];
    return LVector2(x, -y);
}

LSprite* Sprite(const char* aId, float aRelativeZ = 0.0f)
{
    LSprite* sprite = new LSprite();
    sprite->SetId(LString(aId));
    sprite->SetRelativeZ(aRelativeZ);
    return sprite;
}

std::vector<std::string> Order(const LDisplayGroup& aGroup)
{
    std::vector<std::string> ids;
    for (int i = 0; i < aGroup.GetMemberCount(); ++i) {
        ids.push_back(ToStd(aGroup.GetMemberAt(i)->GetId()));
    }
    return ids;
}
} // namespace

TEST(DisplayTransform, NestedGroupsComposeRotationScaleAndCenter)
{
    LDisplayGroup* outer = TestGroup("outer");
    outer->SetPosition(400.0f, 300.0f);
    outer->SetRotation(90.0f); // counter-clockwise on the screen
    LDisplayGroup* inner = TestGroup("inner");
    inner->SetScale(2.0f, 3.0f);
    inner->SetCenter(5.0f, 0.0f);
    inner->SetPosition(10.0f, 0.0f);
    ASSERT_TRUE(outer->AddMember(inner, true));
    LSprite* sprite = Sprite("s");
    sprite->SetPosition(1.0f, 1.0f);
    ASSERT_TRUE(inner->AddMember(sprite, true));

    // The inner group's center lands 10 pixels right of the outer origin before the turn;
    // a quarter turn counter-clockwise takes "right" to "up" on the screen.
    const LVector2 innerCenter = ToScreen(*inner, 5.0f, 0.0f);
    EXPECT_NEAR(400.0f, innerCenter.x, 1e-3f);
    EXPECT_NEAR(290.0f, innerCenter.y, 1e-3f);
    // The sprite's origin: (1, 1) in the inner group, scaled (2, 3) about (5, 0), then
    // placed and turned.
    const LVector2 origin = ToScreen(*sprite, 0.0f, 0.0f);
    // In the outer group: x = 10 + (1 - 5) * 2 = 2, y = 1 * 3 = 3; turned: (3, -2).
    EXPECT_NEAR(403.0f, origin.x, 1e-3f);
    EXPECT_NEAR(298.0f, origin.y, 1e-3f);
    EXPECT_FLOAT_EQ(90.0f, sprite->GetWorldRotation());
    EXPECT_FLOAT_EQ(3.0f, sprite->GetWorldScale().y);

    // Moving the outer group reaches the members.
    outer->SetPosition(0.0f, 0.0f);
    const LVector2 moved = ToScreen(*sprite, 0.0f, 0.0f);
    EXPECT_NEAR(3.0f, moved.x, 1e-3f);
    EXPECT_NEAR(-2.0f, moved.y, 1e-3f);
    delete outer;
}

TEST(DisplayTransform, CenterAloneTakesEffectAtTheNextRebuild)
{
    LSprite sprite;
    sprite.SetPosition(10.0f, 10.0f);
    const LMatrix4 before = *sprite.GetWorldMatrix();
    sprite.SetCenter(5.0f, 5.0f);
    EXPECT_EQ(before.m[12], sprite.GetWorldMatrix()->m[12]);
    sprite.SetRotation(0.0f);
    EXPECT_FLOAT_EQ(5.0f, sprite.GetWorldMatrix()->m[12]);
}

TEST(DisplayHitTest, RotatedBoundary)
{
    LSprite sprite;
    const LRectangle box(0.0f, 0.0f, 100.0f, 20.0f);
    ASSERT_TRUE(sprite.SetBoundary(&box));
    sprite.SetPosition(200.0f, 200.0f);
    EXPECT_TRUE(sprite.HitTest(LVector2(250.0f, 210.0f)));
    EXPECT_FALSE(sprite.HitTest(LVector2(210.0f, 150.0f)));
    // A quarter turn counter-clockwise: the box now runs upwards from its origin.
    sprite.SetRotation(90.0f);
    EXPECT_FALSE(sprite.HitTest(LVector2(250.0f, 210.0f)));
    EXPECT_TRUE(sprite.HitTest(LVector2(210.0f, 150.0f)));
    // Disabled or inactive objects are never hit; invisible ones are.
    sprite.SetVisible(false);
    EXPECT_TRUE(sprite.HitTest(LVector2(210.0f, 150.0f)));
    sprite.SetEnabled(false);
    EXPECT_FALSE(sprite.HitTest(LVector2(210.0f, 150.0f)));
}

TEST(DisplayHitTest, NewBoundaryReplacesTheWorldBoundary)
{
    LLogCapture log;
    LSprite sprite;
    const LRectangle small(0.0f, 0.0f, 10.0f, 10.0f);
    const LRectangle large(0.0f, 0.0f, 100.0f, 100.0f);
    ASSERT_TRUE(sprite.SetBoundary(&small));
    EXPECT_FALSE(sprite.HitTest(LVector2(50.0f, 50.0f)));
    ASSERT_TRUE(sprite.SetBoundary(&large));
    EXPECT_TRUE(sprite.HitTest(LVector2(50.0f, 50.0f)));
    LPolygon world;
    ASSERT_TRUE(sprite.GetWorldBoundary(&world));
    EXPECT_EQ(4, world.GetNumPoints());
    EXPECT_FLOAT_EQ(100.0f, world.GetPoint(2).y);
    // Null areas are refused and change nothing.
    EXPECT_FALSE(sprite.SetBoundary(nullptr));
    EXPECT_FALSE(sprite.SetClip(nullptr));
    EXPECT_TRUE(sprite.HitTest(LVector2(50.0f, 50.0f)));
    EXPECT_EQ(nullptr, sprite.GetClip());
}

TEST(DisplayFlags, WorldFlagsFollowTheParentsAndBlendStaysInRange)
{
    // The blend multiplied down the tree: see the renderer's fading test.
    LDisplayGroup* root = TestGroup("root");
    LDisplayGroup* panel = TestGroup("panel");
    LSprite* sprite = Sprite("s");
    root->AddMember(panel, true);
    panel->AddMember(sprite, true);
    sprite->SetBlend(1.5f);
    EXPECT_FLOAT_EQ(1.0f, sprite->GetBlend());
    sprite->SetBlend(-0.25f);
    EXPECT_FLOAT_EQ(0.0f, sprite->GetBlend());

    panel->SetActive(false);
    EXPECT_FALSE(sprite->IsActive());
    EXPECT_TRUE(sprite->GetActive());
    panel->SetActive(true);
    EXPECT_TRUE(sprite->IsActive());
    sprite->SetActive(false);
    EXPECT_FALSE(sprite->IsActive());
    root->SetVisible(false);
    EXPECT_FALSE(sprite->IsVisible());
    delete root;
}

TEST(DisplayGroupOrder, RelativeZWithTies)
{
    LDisplayGroup group;
    group.AddMember(Sprite("a", 0.0f), true);
    group.AddMember(Sprite("b", 5.0f), true);
    group.AddMember(Sprite("c", 5.0f), true);
    group.AddMember(Sprite("d", 2.0f), true);
    EXPECT_EQ((std::vector<std::string> {"a", "d", "b", "c"}), Order(group));
    // A new relative z moves the member to its place, after those of equal z.
    group.GetMember(LString("a"))->SetRelativeZ(5.0f);
    EXPECT_EQ((std::vector<std::string> {"d", "b", "c", "a"}), Order(group));
    group.GetMember(LString("c"))->SetRelativeZ(-1.0f);
    EXPECT_EQ((std::vector<std::string> {"c", "d", "b", "a"}), Order(group));
}

TEST(DisplayGroupMembers, AddAndRemoveRules)
{
    LLogCapture log;
    LDisplayGroup group;
    LSprite* a = Sprite("a");
    ASSERT_TRUE(group.AddMember(a, true));
    LSprite* twin = Sprite("a");
    EXPECT_FALSE(group.AddMember(twin, true));
    EXPECT_TRUE(log.Contains("Add member failure. ID duplication: a"));
    LSprite nameless;
    EXPECT_FALSE(group.AddMember(&nameless, true));
    EXPECT_TRUE(log.Contains("AddMember failure. ID not found."));
    EXPECT_FALSE(group.AddMember(nullptr, true));
    EXPECT_EQ(1, group.GetMemberCount());

    // A removed member lives on without a parent and may join another group.
    EXPECT_TRUE(group.RemoveMember(a));
    EXPECT_EQ(nullptr, a->GetGroup());
    EXPECT_TRUE(group.AddMember(twin, true));
    LDisplayGroup other;
    EXPECT_TRUE(other.AddMember(a, true));
    // A member of a group cannot join a second one.
    EXPECT_FALSE(group.AddMember(a, true));
    EXPECT_FALSE(a->SetGroup(&group));
    EXPECT_EQ(&other, a->GetGroup());
    EXPECT_FALSE(group.RemoveMember(LString("missing"), nullptr));
    EXPECT_TRUE(log.Contains("Remove member failure: missing"));
}

// A member that owns a sibling (as the multi-cursor owns its tooltips, which live in the
// display root beside it) deletes it as it goes: the group deletes the sibling only once.
TEST(DisplayGroupMembers, AMemberDeletingASiblingOnTheWayOutIsNotDeletedTwice)
{
    struct Owner : LSprite
    {
        ~Owner() override { delete mOwned; }
        LSprite* mOwned = nullptr;
    };
    auto* group = new LDisplayGroup();
    auto* owner = new Owner();
    owner->SetId(LString("owner"));
    owner->SetRelativeZ(0.0f);
    LSprite* owned = Sprite("owned", 1.0f);
    owner->mOwned = owned;
    ASSERT_TRUE(group->AddMember(owner, true));
    ASSERT_TRUE(group->AddMember(owned, true));
    ASSERT_EQ(std::vector<std::string>({"owner", "owned"}), Order(*group));
    delete group; // the sanitizer build sees a second deletion of "owned"
}

TEST(DisplayGroupMembers, PathsFollowGroupsOnly)
{
    LLogCapture log;
    LDisplayGroup root;
    LDisplayGroup* interface = TestGroup("interface");
    LDisplayGroup* buttons = TestGroup("buttons");
    LSprite* ok = Sprite("ok");
    root.AddMember(interface, true);
    interface->AddMember(buttons, true);
    buttons->AddMember(ok, true);
    EXPECT_EQ(ok, root.GetMember(LString("interface.buttons.ok")));
    EXPECT_EQ(buttons, root.GetMember(LString("interface.buttons")));
    EXPECT_EQ(nullptr, root.GetMember(LString("")));
    LIDisplayObject* out = ok;
    EXPECT_FALSE(root.GetMember(LString("nothing.ok"), &out));
    EXPECT_EQ(ok, out);
    // A path through a member that is not a group fails.
    buttons->AddMember(Sprite("x"), true);
    EXPECT_EQ(nullptr, root.GetMember(LString("interface.buttons.ok.x")));
    EXPECT_TRUE(log.Contains("GetMember failure. Not a group: ok"));
    // Members added unsorted are still found.
    LDisplayGroup bulk;
    for (int i = 0; i < 20; ++i) {
        bulk.AddMember(Sprite(("m" + std::to_string(i)).c_str()), false);
    }
    bulk.SortMembers();
    EXPECT_NE(nullptr, bulk.GetMember(LString("m13")));
}

TEST(DisplayManager, MembersJoinTheRoot)
{
    LLogCapture log;
    LDisplayManager* manager = LDisplayManager::Get();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(LString("root"), manager->GetRoot()->GetId());
    LSprite* sprite = Sprite("s");
    EXPECT_TRUE(manager->AddMember(sprite));
    EXPECT_EQ(manager->GetRoot(), sprite->GetGroup());
    EXPECT_FALSE(manager->AddMember(nullptr));
    EXPECT_TRUE(log.Contains("AddMember failure. NULL arg."));
}

TEST(DisplayGroupIds, AMemberRenamedIsFiledUnderItsNewIdAndLeavesCleanly)
{
    LDisplayGroup group;
    auto* member = new LDisplayGroup();
    ASSERT_TRUE(member->SetId(LString("first")));
    ASSERT_TRUE(group.AddMember(member, true));
    ASSERT_TRUE(member->SetId(LString("second")));
    EXPECT_EQ(nullptr, group.GetMember(LString("first")));
    EXPECT_EQ(member, group.GetMember(LString("second")));
    EXPECT_EQ(1, group.GetMemberCount());
    // Deleting it takes it out of the group: nothing is left pointing at it.
    delete member;
    EXPECT_EQ(0, group.GetMemberCount());
    EXPECT_EQ(nullptr, group.GetMember(LString("second")));
}
