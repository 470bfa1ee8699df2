// What the cut-scene player keeps of its callers' protocol while no movie can play.
#include "ui/GMCutScenePlayer.h"

#include "container/LVectorString.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

LVectorString List(std::initializer_list<const char*> aItems)
{
    LVectorString list;
    for (const char* item : aItems) {
        list.Add(LString(item));
    }
    return list;
}

std::vector<std::string> Std(const LVectorString& aList)
{
    std::vector<std::string> items;
    for (int i = 0; i < aList.GetCount(); ++i) {
        items.push_back(ToStd(aList.GetRef(i)));
    }
    return items;
}

struct HandedOver : LBase
{
    explicit HandedOver(int* aDeleted) : mDeleted(aDeleted) {}
    ~HandedOver() override { ++*mDeleted; }
    int* mDeleted;
};

} // namespace

TEST(CutScenePlayer, RecordsTheCallersProtocolAndPlaysNothing)
{
    LLogCapture log;
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    ASSERT_NE(nullptr, player);
    int deleted = 0;
    player->SetTarget(LString("case1/office"), LString("-"));
    player->SetStateChanges(List({"sta_a", "boolean", "true"}));
    player->AddStateChanges(List({"sta_b", "number", "2"}));
    player->SetDoneEvents(List({"evt_x"}));
    player->AddDoneEvents(List({"evt_y", "evt_z"}));
    player->SetHandedOver(new HandedOver(&deleted));
    player->SetHandedOver(nullptr);
    player->SetDeferredLoad(true);
    player->Play(LString("second.bik"));
    player->Play(LString("first.bik"));
    EXPECT_FALSE(player->PlayForInterview(LString("witness1")));
    EXPECT_FALSE(player->PlayForLocation(LString("office")));

    EXPECT_EQ((std::vector<std::string> {"SetTarget(case1/office|-)", "SetStateChanges(sta_a|boolean|true)",
                                         "AddStateChanges(sta_b|number|2)", "SetDoneEvents(evt_x)",
                                         "AddDoneEvents(evt_y|evt_z)", "SetHandedOver()", "SetDeferredLoad(true)",
                                         "Play(second.bik)", "Play(first.bik)", "PlayForInterview(witness1)",
                                         "PlayForLocation(office)"}),
              Std(player->GetCalls()));
    EXPECT_EQ((std::vector<std::string> {"sta_a", "boolean", "true", "sta_b", "number", "2"}), Std(player->GetStateChanges()));
    EXPECT_EQ((std::vector<std::string> {"evt_x", "evt_y", "evt_z"}), Std(player->GetDoneEvents()));
    EXPECT_EQ((std::vector<std::string> {"first.bik", "second.bik"}), Std(player->GetQueue()));
    player->PlayList(List({"a.bik", "b.bik"}));
    EXPECT_EQ((std::vector<std::string> {"a.bik", "b.bik"}), Std(player->GetQueue()));
    EXPECT_EQ(3, log.Count("NOTE: "));
    EXPECT_EQ(0, deleted);

    // The handed-over object goes with the player.
    delete GMCleaner::GetInstance();
    EXPECT_EQ(1, deleted);
}
