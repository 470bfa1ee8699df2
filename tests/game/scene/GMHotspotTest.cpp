// Hotspot data without a location: the factory and the kinds, boundaries, missing keys,
// activity with the item in hand, action data, lab submissions, cut-scene lists and the
// multi-cursor codes against the action table.
#include "scene/GMHotspot.h"

#include "GMHotspotEntries.h"

#include "LPolygon.h"
#include "container/LPropertyList.h"
#include "event/LEventManager.h"
#include "scene/GMHotspotInterview.h"
#include "scene/GMHotspotNavigate.h"
#include "scene/GMHotspotTarget.h"
#include "script/LScript.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeRender.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Entry(const std::string& aType, const std::string& aTop, const std::string& aData,
                  const std::string& aTypeData = "")
{
    return HotspotEntry(aType, "hs", aTop, aData, aTypeData);
}

const std::string kRectangle = "boundary\n\ttype=rectangle\n\tcoords=10|20|100|50\n\tposition=200|100\n";

std::unique_ptr<GMHotspot> Make(const std::string& aText)
{
    return MakeHotspot(aText);
}

class HotspotTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMSceneFlow::PrepareGame());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mLog.Clear();
    }

    LLogCapture mLog;
};

} // namespace

TEST_F(HotspotTest, TheTypeChoosesTheKindWithoutRegardToCaseAndAnyOtherMakesNone)
{
    struct Case
    {
        const char* mType;
        int mKind;
    };
    const Case cases[] = {{"NAVIGATE", 1}, {"Interview", 2}, {"target", 3}, {"general", 4}, {"door", 0}};
    for (const Case& c : cases) {
        mLog.Clear();
        auto hotspot = Make(Entry(c.mType, kRectangle, "",
                                  "\t\tviewpointid=vp02\n\t\tcursordirection=left\n\t\tsatisfied=x\n\t\tposition=20|200\n"));
        if (c.mKind == 0) {
            EXPECT_EQ(nullptr, hotspot);
            EXPECT_EQ(1, mLog.Count("ERROR: ")) << mLog.Bytes();
            EXPECT_TRUE(mLog.Contains("Create failure. Invalid type:door"));
            continue;
        }
        ASSERT_NE(nullptr, hotspot) << c.mType;
        EXPECT_EQ(c.mKind, hotspot->GetKind());
        EXPECT_EQ(c.mKind == 1, dynamic_cast<GMHotspotNavigate*>(hotspot.get()) != nullptr);
        EXPECT_EQ(c.mKind == 2, dynamic_cast<GMHotspotInterview*>(hotspot.get()) != nullptr);
        EXPECT_EQ(c.mKind == 3, dynamic_cast<GMHotspotTarget*>(hotspot.get()) != nullptr);
        EXPECT_EQ(c.mKind == 4, hotspot->GetKindData() == nullptr);
        EXPECT_TRUE(hotspot->IsActive());
        EXPECT_EQ("", mLog.Problems()) << c.mType;
    }
}

TEST_F(HotspotTest, BoundariesAreOffsetByTheirPositionWithTheEdgeInsideWithinTwoPixels)
{
    struct Case
    {
        const char* mBoundary;
        float mX;
        float mY;
        bool mInside;
    };
    const Case cases[] = {
        {"rectangle\n\tcoords=10|20|100|50", 250, 140, true},
        {"rectangle\n\tcoords=10|20|100|50", 150, 140, false},
        {"rectangle\n\tcoords=10|20|100|50", 250, 171, true}, // within the tolerance of the edge
        {"rectangle\n\tcoords=10|20|100|50", 250, 173, false},
        {"rectangle\n\tcoords=10|20|100|50", 309, 140, true},
        {"rectangle\n\tcoords=10|20|100|50", 311, 140, false},
        {"POLYGON\n\tcoords=0|0|100|0|0|100", 220, 120, true},
        {"polygon\n\tcoords=0|0|100|0|0|100", 290, 190, false},
    };
    for (const Case& c : cases) {
        auto hotspot = Make(Entry("general", std::string("boundary\n\ttype=") + c.mBoundary + "\n\tposition=200|100\n", ""));
        ASSERT_NE(nullptr, hotspot);
        EXPECT_EQ(c.mInside, hotspot->CheckWithin(LVector2(c.mX, c.mY))) << c.mBoundary << " " << c.mX << "," << c.mY;
    }
    EXPECT_EQ("", mLog.Problems());

    // Five values: the odd one is dropped and two points contain nothing.
    auto five = Make(Entry("general", "boundary\n\ttype=polygon\n\tcoords=0|0|100|0|50\n\tposition=0|0\n", ""));
    ASSERT_NE(nullptr, five->GetBoundary());
    EXPECT_EQ(2, five->GetBoundary()->GetNumPoints());
    EXPECT_EQ(100.0f, five->GetBoundary()->GetPoint(1).x);
    EXPECT_FALSE(five->CheckWithin(LVector2(50, 0)));
}

TEST_F(HotspotTest, AHotspotWithoutABoundaryLogsItOnceAndNeverTakesTheMouse)
{
    auto oval = Make(Entry("general", "boundary\n\ttype=oval\n\tcoords=1|2|3|4\n\tposition=0|0\n", ""));
    ASSERT_NE(nullptr, oval);
    EXPECT_TRUE(mLog.Contains("'boundary.type' undefined:oval"));
    mLog.Clear();
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(oval->CheckWithin(LVector2(2, 3)));
    }
    EXPECT_EQ(1, mLog.Count("CheckWithin failure. No boundary defined.")) << mLog.Bytes();
    EXPECT_EQ(1, mLog.Count("ERROR: "));
    // Another hotspot reports its own.
    auto none = Make(Entry("general", "", ""));
    EXPECT_FALSE(none->CheckWithin(LVector2(2, 3)));
    EXPECT_EQ(2, mLog.Count("No boundary defined."));
}

TEST_F(HotspotTest, MissingRequiredKeysAreAssertedAndLoadingGoesOnWithEmptyValues)
{
    LPropertyList entry;
    entry.Parse(LString(u"type=general\nboundary\n\ttype=rectangle\n"));
    std::unique_ptr<GMHotspot> hotspot(GMHotspot::Create(&entry));
    ASSERT_NE(nullptr, hotspot);
    for (const char* line : {"'typedata' not found.", "'id' not found.", "'enabled' not found.", "'boundary.coords' not found.",
                             "'boundary.position' not found.", "'data' not found.", "'data.multicursor.position' not found."}) {
        EXPECT_EQ(1, mLog.Count(line)) << line << "\n" << mLog.Bytes();
    }
    EXPECT_EQ(7, mLog.Count("ASSERT FAILURE: "));
    // Without its condition the hotspot is inactive; its actions are still offered.
    EXPECT_FALSE(hotspot->IsActive());
    EXPECT_TRUE(hotspot->GetAction(GMHotspot::ACTION_USE).mEnabled->Evaluate());
    EXPECT_EQ(nullptr, GMHotspot::Create(nullptr));
}

TEST_F(HotspotTest, AnAbsentActionListIsOfferedAndAppliesNothing)
{
    auto hotspot = Make(Entry("general", kRectangle, "\tlook\n\t\tenabled=script[e[evt_x]]\n\t\tdoneevents=evt_a|evt_b\n"));
    const GMHotspot::ActionRecord& use = hotspot->GetAction(GMHotspot::ACTION_USE);
    EXPECT_TRUE(use.mEnabled->Evaluate());
    const int events = LEventManager::Get()->GetEventCount();
    const int states = LStateManager::Get()->GetStateCount();
    hotspot->ApplyActionData(use.mDoneEvents, use.mStateChanges);
    EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
    EXPECT_EQ(states, LStateManager::Get()->GetStateCount());

    const GMHotspot::ActionRecord& look = hotspot->GetAction(GMHotspot::ACTION_LOOK);
    EXPECT_FALSE(look.mEnabled->Evaluate());
    hotspot->ApplyActionData(look.mDoneEvents, nullptr);
    EXPECT_TRUE(Raised("evt_a") && Raised("evt_b"));
    EXPECT_TRUE(look.mEnabled->Evaluate() == Raised("evt_x"));
}

TEST_F(HotspotTest, StateChangesApplyWholeTriplesOnlyAndKeepAnExistingStatesType)
{
    LStateManager* states = LStateManager::Get();
    ASSERT_TRUE(states->SetState(LString("sta_count"), LString("number"), LString("1"), false));
    auto hotspot = Make(Entry("general", kRectangle,
                              "\tcollect\n\t\tstatechanges=sta_new|boolean|true|sta_count|boolean|5|sta_half|boolean\n"));
    const GMHotspot::ActionRecord& collect = hotspot->GetAction(GMHotspot::ACTION_COLLECT);
    ASSERT_EQ(8, collect.mStateChanges->GetCount());
    hotspot->ApplyActionData(nullptr, collect.mStateChanges);

    const LIState* made = states->GetState(LString("sta_new"));
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(LIState::TYPE_BOOLEAN, made->GetType());
    EXPECT_EQ(1, *static_cast<unsigned char*>(made->GetValue()));
    const LIState* count = states->GetState(LString("sta_count"));
    EXPECT_EQ(LIState::TYPE_NUMBER, count->GetType());
    EXPECT_EQ(5.0f, *static_cast<float*>(count->GetValue()));
    EXPECT_FALSE(states->HasState(LString("sta_half")));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(HotspotTest, CollectAnimationsAndTheMirroredSideAreReadWithoutRegardToCase)
{
    struct Case
    {
        const char* mData;
        int mAnim;
        int mSide;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"\tcollectanim=camera\n\torientation=LEFT\n", 5, 1},
        {"\tcollectanim=Camera_Low\n\tside=left\n", 6, 1},
        {"\tcollectanim=camera_mid\n\torientation=right\n\tside=left\n", 5, 0},
        {"\tcollectanim=CAMERA_HIGH\n", 4, 0},
        {"\tcollectanim=table\n", 3, 0},
        {"\tcollectanim=floor\n", 2, 0},
    };
    for (const Case& c : cases) {
        auto hotspot = Make(Entry("general", kRectangle, c.mData));
        EXPECT_EQ(c.mAnim, hotspot->GetCollectAnim()) << c.mData;
        EXPECT_EQ(c.mSide, hotspot->GetMultiCursorSide()) << c.mData;
    }
}

TEST_F(HotspotTest, AGeneralHotspotIsInactiveWhileItsItemIsTheItemCursor)
{
    GMCursor* cursor = GMCursor::GetInstance();
    ASSERT_NE(nullptr, cursor);
    auto general = Make(Entry("general", kRectangle, "\toperatingid=glove\n"));
    auto target = Make(Entry("target", kRectangle, "\toperatingid=glove\n", "\t\tsatisfied=glove\n"));
    ASSERT_TRUE(general->IsActive());

    ASSERT_TRUE(cursor->SetItemCursor(LString("glove")));
    LEventManager::Get()->AddEvent(LString("evt_anything"), true);
    EXPECT_FALSE(general->IsActive());
    EXPECT_TRUE(target->IsActive()); // only the general kind stands for the object in hand

    ASSERT_TRUE(cursor->SetItemCursor(LString("badge")));
    EXPECT_FALSE(general->IsActive()); // until something makes it look again
    LStateManager::Get()->SetState(LString("sta_anything"), LString("boolean"), LString("true"), true);
    EXPECT_TRUE(general->IsActive());
}

TEST_F(HotspotTest, CutSceneListsAreReadByPositionWithDashOrNothingForNone)
{
    struct Case
    {
        const char* mList;
        bool mPlays;
        const char* mScene;
        const char* mViewpoint;
        int mChanges;
        int mEvents;
    };
    const Case cases[] = {
        {"intro.bik|-|vp02", true, "-", "vp02", 0, 0},
        {"intro.bik||vp02", true, "-", "vp02", 0, 0},
        {"intro.bik|precinct|vp01|sta_seen|evt_seen", true, "precinct", "vp01", 3, 1},
        {"intro.bik", true, "", "", 0, 0},
        {"a|b|c|d|e|f", false, "", "", 0, 0},
    };
    // The first movie shows at once over the empty screen stack; the later ones queue
    // behind it.
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    ASSERT_NE(nullptr, player);
    LFakeMovieManager::Reset();
    const auto asked = [player]() {
        const size_t made = LFakeMovieManager::sMade.size();
        return std::to_string(made) + "+" + std::to_string(player->GetQueue().GetCount());
    };
    const std::string expected[] = {"1+0", "1+1", "1+2", "1+3", "1+3"};
    int n = 0;
    for (const Case& c : cases) {
        player->SetTarget(LString(), LString());
        auto hotspot = Make(Entry("general", kRectangle, std::string("\tcutscenes\n\t\tuse=") + c.mList + "\n"));
        EXPECT_FALSE(hotspot->PlayActionCutScene(GMHotspot::SITUATION_LOOK));
        EXPECT_EQ(c.mPlays, hotspot->PlayActionCutScene(GMHotspot::SITUATION_USE)) << c.mList;
        EXPECT_EQ(expected[n++], asked()) << c.mList;
        if (!c.mPlays) {
            continue;
        }
        EXPECT_EQ(c.mScene, ToStd(player->GetTargetScene())) << c.mList;
        EXPECT_EQ(c.mViewpoint, ToStd(player->GetTargetViewpoint())) << c.mList;
        EXPECT_EQ(c.mChanges, player->GetStateChanges().GetCount());
        EXPECT_EQ(c.mEvents, player->GetDoneEvents().GetCount());
        const LString newest = n == 1 ? LFakeMovieManager::sMade.back().mFileName : player->GetQueue().GetRef(0);
        EXPECT_EQ(n == 1 ? "//dataroot/movies/intro.bik" : "intro.bik", ToStd(newest));
    }
}

TEST_F(HotspotTest, LabSubmissionsRaiseOncePerItemAndTheirResultsFollowBySkill)
{
    struct Case
    {
        int mSkill;
        float mDelay;
    };
    const Case cases[] = {{0, 8.0f}, {1, 16.0f}, {2, 32.0f}};
    int n = 0;
    for (const Case& c : cases) {
        GMOptions::GetInstance()->SetSkill(c.mSkill);
        const std::string item = "item" + std::to_string(n++);
        auto general = Make(Entry("general", kRectangle, "\toperatingid=" + item + "\n"));
        auto witness = Make(Entry("interview", kRectangle, "\toperatingid=w" + item + "\n"));
        general->SendToLab();
        witness->SendToLab();
        EXPECT_TRUE(Raised((item + "_CL_S").c_str()) && Raised((item + "_RE_S").c_str()));
        EXPECT_TRUE(Raised(("w" + item + "_SU_S").c_str()) && Raised(("w" + item + "_RE_S").c_str()));
        EXPECT_FALSE(Raised(("w" + item + "_CL_S").c_str()));
        LGameClock* clock = LGameClock::Get();
        clock->Advance(c.mDelay - 0.5f, true);
        EXPECT_FALSE(Raised((item + "_CL_R").c_str()));
        general->SendToLab(); // already sent: nothing scheduled again
        clock->Advance(0.5f, true);
        for (const std::string& result : {item + "_CL_R", item + "_RE_R", "w" + item + "_SU_R", "w" + item + "_RE_R"}) {
            EXPECT_TRUE(Raised(result.c_str())) << result << " skill " << c.mSkill;
        }
    }
}

TEST_F(HotspotTest, MultiCursorCodesReachTheirActionsAndApplyTheirLists)
{
    std::string data;
    for (const char* action : {"look", "collect", "use", "analyze", "talk"}) {
        data += std::string("\t") + action + "\n\t\tdoneevents=evt_did_" + action + "\n";
    }
    struct Case
    {
        int mCode;
        int mIndex;
        const char* mEvent;
    };
    const Case cases[] = {{1, 2, "evt_did_use"}, {2, 1, "evt_did_collect"}, {3, 3, "evt_did_analyze"},
                          {4, 4, "evt_did_talk"}, {5, 0, "evt_did_look"}, {0, -1, nullptr}, {6, -1, nullptr}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.mIndex, GMHotspot::ActionIndex(c.mCode));
        LEventManager::Get()->RemoveAllEvents();
        auto hotspot = Make(Entry("interview", kRectangle, data, "\t\tinterviewid=sample_interview\n"));
        hotspot->OnAction(c.mCode);
        for (const char* action : {"look", "collect", "use", "analyze", "talk"}) {
            const std::string event = std::string("evt_did_") + action;
            EXPECT_EQ(c.mEvent != nullptr && event == c.mEvent, Raised(event.c_str())) << c.mCode << " " << event;
        }
    }
}

TEST_F(HotspotTest, TheKindsReadTheirOwnLists)
{
    auto door = Make(Entry("navigate", kRectangle, "", "\t\ttargetpos=100|40\n\t\tcursordirection=Right\n"));
    auto* navigate = dynamic_cast<GMHotspotNavigate*>(door.get());
    ASSERT_NE(nullptr, navigate);
    EXPECT_TRUE(mLog.Contains("sceneid or viewpointid must be specified"));
    ASSERT_NE(nullptr, navigate->GetRecord()->mTargetPos);
    EXPECT_EQ(40.0f, navigate->GetRecord()->mTargetPos->y);
    EXPECT_EQ(GMCursor::FindType(LString("go_right")), navigate->GetRecord()->mCursorType);
    mLog.Clear();
    auto lost = Make(Entry("navigate", kRectangle, "", "\t\tviewpointid=vp02\n\t\tcursordirection=sideways\n"));
    EXPECT_TRUE(mLog.Contains("Cursor id not found."));
    EXPECT_EQ(nullptr, dynamic_cast<GMHotspotNavigate*>(lost.get())->GetRecord()->mTargetPos);

    mLog.Clear();
    auto witness = Make(Entry("interview", kRectangle, "", "\t\tinterviewid=sample_interview\n\t\tseated=true\n"));
    const GMHotspotInterview::Record* record = dynamic_cast<GMHotspotInterview*>(witness.get())->GetRecord();
    EXPECT_EQ("witness", ToStd(record->mWitness));
    EXPECT_TRUE(record->mSeated);
    EXPECT_EQ(20.0f, record->mPosition.x);
    EXPECT_EQ(200.0f, record->mPosition.y);
    EXPECT_EQ(1, mLog.Count("'type.interview.position' not found."));
    EXPECT_EQ(1, mLog.Count("WARNING: "));

    auto target = Make(Entry("target", kRectangle, "", "\t\tdoneevents=evt_t\n"));
    EXPECT_TRUE(mLog.Contains("'type.target.satisfied' not found."));
    EXPECT_EQ(1, dynamic_cast<GMHotspotTarget*>(target.get())->GetRecord()->mDoneEvents.GetCount());

    // Hotspots are never saved.
    mLog.Clear();
    auto general = Make(Entry("general", kRectangle, ""));
    EXPECT_FALSE(general->Read(nullptr) || general->Write(nullptr));
    EXPECT_EQ("", mLog.Problems());
    for (GMHotspot* kind : {door.get(), witness.get(), target.get()}) {
        EXPECT_FALSE(kind->Read(nullptr) || kind->Write(nullptr));
    }
    EXPECT_EQ(3, mLog.Count("Read NYI."));
    EXPECT_EQ(3, mLog.Count("Write NYI."));
    EXPECT_EQ(6, mLog.Count("ERROR: "));
}
