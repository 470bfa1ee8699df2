#include "Render/LNodeGroup.h"
#include "Render/LNodeManager.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
class ResultNode : public LINodeObject
{
public:
    explicit ResultNode(int aResult) : mResult(aResult) { SetName(LString("leaf")); }
    int Render() override
    {
        ++mRenders;
        return mResult;
    }
    int mResult;
    int mRenders = 0;
};

std::unique_ptr<LNodeGroup> Group(const char* aId, LINodeObject* aMember)
{
    auto group = std::make_unique<LNodeGroup>();
    group->SetName(LString(aId));
    group->AddMember(aMember);
    return group;
}
} // namespace

TEST(NodeManager, HoldsGroupsByIdAndRendersTheAndOfAll)
{
    LLogCapture log;
    LNodeManager* manager = LNodeManager::Get();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(manager, LNodeManager::Get());
    EXPECT_EQ(0, manager->GetGroupCount());
    EXPECT_EQ(1, manager->Render());

    ResultNode failing(0);
    ResultNode fine(1);
    auto scene = Group("scene", &failing);
    auto props = Group("props", &fine);
    auto twin = Group("scene", &fine);
    LNodeGroup unnamed;
    EXPECT_EQ(1, manager->AddGroup(scene.get()));
    EXPECT_EQ(1, manager->AddGroup(props.get()));
    EXPECT_EQ(0, manager->AddGroup(twin.get()));
    EXPECT_TRUE(log.Contains("AddGroup failure. ID:scene"));
    EXPECT_EQ(0, manager->AddGroup(&unnamed));
    EXPECT_TRUE(log.Contains("AddGroup failure. No id found."));
    EXPECT_EQ(0, manager->AddGroup(nullptr));
    EXPECT_TRUE(log.Contains("AddGroup failure. Null arg."));

    EXPECT_EQ(0, manager->Render());
    EXPECT_EQ(1, failing.mRenders);
    EXPECT_EQ(1, fine.mRenders);

    EXPECT_EQ(0, manager->RemoveGroup(LString("scene"), nullptr));
    EXPECT_TRUE(log.Contains("Invalid arg."));
    LNodeGroup* removed = nullptr;
    EXPECT_EQ(1, manager->RemoveGroup(LString("absent"), &removed));
    EXPECT_EQ(1, manager->RemoveGroup(LString("scene"), &removed));
    EXPECT_EQ(scene.get(), removed);
    EXPECT_EQ(1, manager->Render());

    // A group that goes away while registered leaves the manager.
    props.reset();
    EXPECT_EQ(0, manager->GetGroupCount());
    EXPECT_EQ(1, manager->Render());
}
