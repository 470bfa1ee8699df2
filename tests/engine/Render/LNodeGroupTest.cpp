#include "Render/LDrawElement.h"
#include "Render/LNode.h"
#include "Render/LNodeGroup.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

// A leaf whose Render answers a set result and counts its calls.
class CountingNode : public LINodeObject
{
public:
    explicit CountingNode(const char* aId, int aResult = 1) : mResult(aResult) { SetName(LString(aId)); }
    int Render() override
    {
        ++mRenders;
        return mResult;
    }
    int mResult;
    int mRenders = 0;
};

// a × b by the row-vector rule, written out here rather than taken from the utility.
LMatrix4 Product(const LMatrix4& aA, const LMatrix4& aB)
{
    LMatrix4 out;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += aA[r * 4 + k] * aB[k * 4 + c];
            }
            out[r * 4 + c] = sum;
        }
    }
    return out;
}

void ExpectNear(const LMatrix4& aExpected, const LMatrix4& aActual)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(aExpected[i], aActual[i], 1e-5f) << i;
    }
}

} // namespace

TEST(NodeFlags, AFreshNodeIsVisibleAndEnabledAndTheFirstQueryClearsTheDirtyFlag)
{
    CountingNode node("a");
    EXPECT_TRUE(node.IsVisibleDirty());
    EXPECT_TRUE(node.IsVisible());
    EXPECT_FALSE(node.IsVisibleDirty());
    EXPECT_TRUE(node.IsEnabledDirty());
    EXPECT_TRUE(node.IsEnabled());
    EXPECT_FALSE(node.IsEnabledDirty());
    EXPECT_TRUE(node.IsTransformDirty());
    EXPECT_EQ(LMatrix4(), node.GetWorldMatrix());
    EXPECT_FALSE(node.IsTransformDirty());
    // Setting the flag it already has marks nothing.
    EXPECT_EQ(1, node.SetVisible(true));
    EXPECT_FALSE(node.IsVisibleDirty());
}

TEST(NodeFlags, AGroupsFlagReachesAMemberOnlyWhenTheMemberIsInvalidatedOrChangesItsOwn)
{
    struct Flag
    {
        const char* mName;
        int (LINodeObject::*mSet)(bool);
        int (LINodeObject::*mInvalidate)();
        bool (LINodeObject::*mIs)();
    };
    const Flag flags[] = {
        {"visible", &LINodeObject::SetVisible, &LINodeObject::InvalidateVisible, &LINodeObject::IsVisible},
        {"enabled", &LINodeObject::SetEnabled, &LINodeObject::InvalidateEnabled, &LINodeObject::IsEnabled},
    };
    for (const Flag& flag : flags) {
        SCOPED_TRACE(flag.mName);
        LNodeGroup group;
        CountingNode member("m");
        ASSERT_EQ(1, member.SetGroup(&group));
        EXPECT_TRUE((member.*flag.mIs)());
        (group.*flag.mSet)(false);
        EXPECT_FALSE((group.*flag.mIs)());
        EXPECT_TRUE((member.*flag.mIs)());
        EXPECT_EQ(1, (member.*flag.mInvalidate)());
        EXPECT_FALSE((member.*flag.mIs)());
        // The member's own flag turned off and on again also brings the group's in.
        (group.*flag.mSet)(true);
        EXPECT_FALSE((member.*flag.mIs)());
        (member.*flag.mSet)(false);
        (member.*flag.mSet)(true);
        EXPECT_TRUE((member.*flag.mIs)());
    }
}

TEST(NodeGroup, MembersAreRefusedWithoutAnIdOrWithOneAlreadyPresent)
{
    LLogCapture log;
    LNodeGroup group;
    CountingNode first("door");
    CountingNode second("door");
    CountingNode unnamed("");
    EXPECT_EQ(1, group.AddMember(&first));
    EXPECT_EQ(0, group.AddMember(&second));
    EXPECT_TRUE(log.Contains("ERROR: ") && log.Contains("AddMember failure. ID:door"));
    EXPECT_EQ(0, group.AddMember(&unnamed));
    EXPECT_TRUE(log.Contains("AddMember failure. No id found."));
    EXPECT_EQ(0, group.AddMember(nullptr));
    EXPECT_TRUE(log.Contains("AddMember failure. Null arg."));
    EXPECT_EQ(1, group.GetMemberCount());
    EXPECT_EQ(&first, group.GetMember(LString("door")));
    // Being a member does not make a node follow the group.
    EXPECT_EQ(nullptr, first.GetGroup());
}

TEST(NodeGroup, RemoveMemberNeedsAnEmptyOutPointerAndPassesOverAbsentIds)
{
    LLogCapture log;
    LNodeGroup group;
    CountingNode node("lamp");
    group.AddMember(&node);
    EXPECT_EQ(0, group.RemoveMember(LString("lamp"), nullptr));
    EXPECT_EQ(1, log.Count("Invalid arg."));
    LINodeObject* removed = &node;
    EXPECT_EQ(0, group.RemoveMember(LString("lamp"), &removed));
    EXPECT_EQ(2, log.Count("Invalid arg."));
    EXPECT_EQ(&node, group.GetMember(LString("lamp")));

    removed = nullptr;
    EXPECT_EQ(1, group.RemoveMember(LString("chair"), &removed));
    EXPECT_EQ(nullptr, removed);
    EXPECT_EQ(1, group.GetMemberCount());
    EXPECT_EQ(1, group.RemoveMember(LString("lamp"), &removed));
    EXPECT_EQ(&node, removed);
    EXPECT_EQ(0, group.GetMemberCount());
}

TEST(NodeGroup, RenderIsTheAndOfEveryMembersResult)
{
    LNodeGroup empty;
    EXPECT_EQ(1, empty.Render());
    LNode bare;
    EXPECT_EQ(1, bare.Render());

    LNodeGroup group;
    CountingNode a("a");
    CountingNode b("b", 0);
    CountingNode c("c");
    for (CountingNode* node : {&a, &b, &c}) {
        group.AddMember(node);
    }
    EXPECT_EQ(0, group.Render());
    EXPECT_EQ(1, a.mRenders);
    EXPECT_EQ(1, b.mRenders);
    EXPECT_EQ(1, c.mRenders);
    b.mResult = 1;
    EXPECT_EQ(1, group.Render());
}

TEST(NodeTransform, AMemberOfAGroupGetsTheGroupsWorldTimesItsLocal)
{
    LNodeGroup outer;
    LNodeGroup group;
    CountingNode node("n");
    outer.SetScaling(2.0f, 2.0f, 2.0f);
    group.SetTranslation(10.0f, 0.0f, 0.0f);
    node.SetRotationY(0.5f);
    ASSERT_EQ(1, group.SetGroup(&outer));
    ASSERT_EQ(1, node.SetGroup(&group));
    LMatrix4 scale;
    LMatrix4 move;
    LMatrix4 local;
    outer.GetLocalMatrix(&scale);
    group.GetLocalMatrix(&move);
    node.GetLocalMatrix(&local);
    ExpectNear(Product(Product(scale, move), local), node.GetWorldMatrix());
    // The order matters for these matrices.
    EXPECT_GT(std::fabs(Product(local, move)[12] - node.GetWorldMatrix()[12]), 1.0f);
}

TEST(NodeTransform, SettersReplaceTheLocalMatrixAndTheWorldWaitsForInvalidation)
{
    CountingNode degrees("d");
    CountingNode radians("r");
    EXPECT_EQ(LMatrix4(), degrees.GetWorldMatrix());
    EXPECT_EQ(1, degrees.SetRotationYDegrees(90.0f));
    EXPECT_EQ(1, radians.SetRotationY(1.5707963f));
    LMatrix4 a;
    LMatrix4 b;
    degrees.GetLocalMatrix(&a);
    radians.GetLocalMatrix(&b);
    ExpectNear(a, b);
    EXPECT_EQ(LMatrix4(), degrees.GetWorldMatrix());

    // Each setter replaces the whole matrix: a translation forgets the rotation.
    degrees.SetTranslation(LVector3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(LMatrix4(), degrees.GetWorldMatrix());
    EXPECT_EQ(1, degrees.InvalidateTransform());
    EXPECT_EQ(LMatrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1), degrees.GetWorldMatrix());

    // A group passes the invalidation to its members, not to itself.
    LNodeGroup group;
    group.GetWorldMatrix();
    radians.GetWorldMatrix();
    group.AddMember(&radians);
    EXPECT_EQ(1, group.InvalidateTransform());
    EXPECT_TRUE(radians.IsTransformDirty());
    EXPECT_FALSE(group.IsTransformDirty());
}

TEST(NodeTransform, TheMissingGettersLogAndGiveZero)
{
    LLogCapture log;
    CountingNode node("n");
    const struct
    {
        LVector3 (LINodeObject::*mGet)();
        const char* mMessage;
        bool mBringsWorld;
    } getters[] = {
        {&LINodeObject::GetRotationAbs, "GetRotationAbs NYI.", true},
        {&LINodeObject::GetRotationRel, "GetRotationRel NYI.", false},
        {&LINodeObject::GetScaleAbs, "GetScaleAbs NYI.", true},
        {&LINodeObject::GetScaleRel, "GetScaleRel NYI.", false},
        {&LINodeObject::GetTranslationAbs, "GetTranslationAbs NYI.", true},
        {&LINodeObject::GetTranslationRel, "GetTranslationRel NYI.", false},
    };
    int logged = 0;
    for (const auto& getter : getters) {
        SCOPED_TRACE(getter.mMessage);
        node.InvalidateTransform();
        EXPECT_EQ(LVector3(0, 0, 0), (node.*getter.mGet)());
        EXPECT_EQ(1, log.Count(getter.mMessage));
        EXPECT_EQ(++logged, log.Count("ERROR: "));
        EXPECT_EQ(!getter.mBringsWorld, node.IsTransformDirty());
    }
}

TEST(NodeFaults, SetGroupRefusesNullItselfAndAnyCycle)
{
    LLogCapture log;
    CountingNode a("a");
    LNodeGroup b;
    LNodeGroup c;
    EXPECT_EQ(0, a.SetGroup(nullptr));
    EXPECT_TRUE(log.Contains("SetGroup failure. Null arg."));
    EXPECT_EQ(0, a.SetGroup(&a));
    ASSERT_EQ(1, a.SetGroup(&b));
    ASSERT_EQ(1, b.SetGroup(&c));
    EXPECT_EQ(0, b.SetGroup(&a));
    EXPECT_EQ(0, c.SetGroup(&a));
    EXPECT_EQ(3, log.Count("SetGroup failure. The group follows this node"));
    EXPECT_EQ(nullptr, c.GetGroup());
    // The links stay a chain, so the pulled values come back.
    c.SetVisible(false);
    EXPECT_FALSE(a.IsVisible());
}

TEST(NodeFaults, NodesThatGoAwayLeaveNoDanglingLinks)
{
    CountingNode follower("f");
    CountingNode member("m");
    member.SetTranslation(0.0f, 5.0f, 0.0f);
    {
        LNodeGroup group;
        group.SetTranslation(1.0f, 0.0f, 0.0f);
        group.SetVisible(false);
        ASSERT_EQ(1, follower.SetGroup(&group));
        ASSERT_EQ(1, member.SetGroup(&group));
        group.AddMember(&member);
        EXPECT_FALSE(member.IsVisible());
        EXPECT_EQ(1.0f, member.GetWorldMatrix()[12]);
    }
    for (CountingNode* node : {&follower, &member}) {
        EXPECT_EQ(nullptr, node->GetGroup());
        node->InvalidateVisible();
        node->InvalidateTransform();
        EXPECT_TRUE(node->IsVisible());
    }
    EXPECT_EQ(0.0f, member.GetWorldMatrix()[12]);

    // A member that follows its group leaves it when it goes away.
    LNodeGroup group;
    auto node = std::make_unique<CountingNode>("gone");
    group.AddMember(node.get());
    node->SetGroup(&group);
    node.reset();
    EXPECT_EQ(nullptr, group.GetMember(LString("gone")));
    EXPECT_EQ(1, group.Render());
}

TEST(Node, ElementsAreHeldOnceAndDeletedWithTheNode)
{
    LLogCapture log;
    LNode node;
    LDrawElement* first = new LDrawElement();
    LDrawElement* second = new LDrawElement();
    EXPECT_EQ(1, node.AddElement(first));
    EXPECT_EQ(0, node.AddElement(first));
    EXPECT_TRUE(log.Contains("AddElement failure. Element already added."));
    EXPECT_EQ(1, node.AddElement(second));
    EXPECT_EQ(second, node.GetElement(1));
    EXPECT_EQ(nullptr, node.GetElement(2));
    EXPECT_TRUE(log.Contains("GetElement failure. Index out of bounds."));
    EXPECT_EQ(1, node.Render());
    EXPECT_EQ(1, node.RemoveElement(first));
    EXPECT_EQ(0, node.RemoveElement(first));
    EXPECT_EQ(1, node.GetElementCount());
    delete first;
}
