// How a cut scene ends over the sample's first location: loading a target scene with or
// without a selected case or a deferred load, popping back with a target viewpoint (a
// hotspot's cut scene), the wrap-up, movies that cannot be opened, the end listener, and a
// done event that starts the next cut scene while the first fades away.
#include "ui/GMCutScenePlayer.h"

#include "GMScreenManager.h"
#include "Input/LMouse.h"
#include "event/LEvent.h"
#include "event/LEventManager.h"
#include "event/LIEventListener.h"
#include "game/scene/GMHotspotEntries.h"
#include "menu/GMMainMenu.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LIStateListener.h"
#include "state/LStateManager.h"
#include "support/GMCutSceneTestCase.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestEvents.h"
#include "support/GMTestScene.h"
#include "support/GMTestStateNotices.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LTestStrings.h"
#include "ui/GMICutSceneListener.h"
#include "ui/GMMessageBox.h"
#include "ui/GMScreenFader.h"

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

using Events = GMTestEvents;
using Notices = GMTestStateNotices;

struct Ending : GMICutSceneListener
{
    void OnCutSceneDone() override
    {
        ++mTold;
        mEventsDone = LEventManager::Get()->IsRaised(LString("evt_done"));
    }
    int mTold = 0;
    bool mEventsDone = false;
};

struct HandedOver : LBase
{
    explicit HandedOver(int* aDeleted) : mDeleted(aDeleted) {}
    ~HandedOver() override { ++*mDeleted; }
    LString Dump() const override { return DumpHead("HandedOver") + "]"; }
    int* mDeleted;
};

bool Boolean(const char* aId)
{
    LIState* state = LStateManager::Get()->GetState(LString(aId));
    return state != nullptr && state->GetType() == LIState::TYPE_BOOLEAN &&
           *static_cast<const unsigned char*>(state->GetValue()) != 0;
}

class CutSceneEndTest : public GMCutSceneTestCase
{
protected:
    void SetUp() override
    {
        GMCutSceneTestCase::SetUp();
        mPlayer = MakePlayer("second\n\ttriggertype=event\n\ttriggerevent=evt_first_done\n\tmovie=second.bik\n");
        ASSERT_NE(nullptr, mPlayer);
    }

    static void SelectCase(const char* aCase)
    {
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString(aCase), false);
    }

    static GMScene* Current() { return GMSceneManager::GetInstance()->GetScene(); }
    static GMScreenManager* Screens() { return GMScreenManager::GetInstance(); }

    GMCutScenePlayer* mPlayer = nullptr;
};

} // namespace

// --- target scenes ----------------------------------------------------------------------

TEST_F(CutSceneEndTest, ATargetSceneBeforeAnyCaseLoadsWithoutAFadeAndOpensTheCaseSelection)
{
    for (const char* selected : {"", "0"}) {
        SCOPED_TRACE(selected);
        if (*selected != '\0') {
            SelectCase(selected);
        }
        Notices opened("sta_caseselection_active");
        mPlayer->SetTarget(LString(GMTestScene::kRiverbank), LString("vp02"));
        mPlayer->Play(LString("a.bik"));
        ASSERT_TRUE(GMTestCutScenes::PlayOut());
        ASSERT_NE(nullptr, Current());
        EXPECT_EQ(1, Screens()->GetCount());
        EXPECT_EQ(Current(), Screens()->GetTop());
        EXPECT_FALSE(Current()->IsActive()); // left for the case selection to reveal
        EXPECT_FALSE(GMScreenFader::GetInstance()->IsFadedIn());
        EXPECT_EQ("vp02", ToStd(Current()->GetViewpoint()));
        EXPECT_TRUE(Boolean("sta_caseselection_active"));
        EXPECT_EQ(1, opened.mCount);
        EXPECT_EQ("", ToStd(mPlayer->GetTargetScene()));
        EXPECT_EQ(nullptr, mPlayer->GetMovie());
        LStateManager::Get()->SetState(LString("sta_caseselection_active"), LString("false"), false);
    }
    // The location's nodes leave the restore manager they never joined.
    EXPECT_EQ("", mLog.Problems("RemoveRestorable failure. Not found."));
}

TEST_F(CutSceneEndTest, WithACaseTheTargetLoadsAtOnceAndFadesInOnItsViewpointOrItsOwn)
{
    SelectCase("1");
    for (const char* viewpoint : {"-", "vp02", ""}) {
        SCOPED_TRACE(viewpoint);
        mPlayer->SetTarget(LString(GMTestScene::kRiverbank), LString(viewpoint));
        mPlayer->Play(LString("a.bik"));
        ASSERT_TRUE(GMTestCutScenes::PlayOut());
        ASSERT_TRUE(GMTestCutScenes::Settle());
        ASSERT_NE(nullptr, Current());
        EXPECT_EQ(Current(), Screens()->GetTop());
        EXPECT_TRUE(Current()->IsActive());
        EXPECT_TRUE(Current()->IsInputEnabled());
        EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
        EXPECT_EQ(std::string(viewpoint) == "vp02" ? "vp02" : "vp01", ToStd(Current()->GetViewpoint()));
    }
    EXPECT_EQ(nullptr, LStateManager::Get()->GetState(LString("sta_caseselection_active")));
    EXPECT_EQ("", mLog.Problems("RemoveRestorable failure. Not found."));
}

TEST_F(CutSceneEndTest, ATargetThatDoesNotLoadEndsOnTheMainMenuWhichTakesInput)
{
    // A case in progress: the target would load at once, and nothing else comes up.
    SelectCase("1");
    mPlayer->SetTarget(LString("case01/nowhere"), LString("vp01"));
    mPlayer->Play(LString("a.bik"));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_EQ(nullptr, Current());
    GMMainMenu* menu = GMMainMenu::Peek();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(static_cast<GMIScreen*>(menu), Screens()->GetTop());
    EXPECT_EQ(1, Screens()->GetCount());
    EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
    EXPECT_FALSE(LMouse::Get()->IsLocked());
    EXPECT_TRUE(mLog.Contains("LoadScene failure. Target scene not loaded: case01/nowhere"));
    EXPECT_TRUE(mLog.Contains("The main menu opens in place of the location that did not load: case01/nowhere"));
    // A click on its quit button asks the question.
    GMSceneFlow::Move(LVector2(401.0f, 512.0f));
    GMSceneFlow::Frames(1);
    GMSceneFlow::Click(LVector2(400.0f, 512.0f));
    EXPECT_TRUE(GMMessageBox::GetInstance()->IsOpen());
    GMMessageBox::GetInstance()->OnButton(LString("no"), 4);
}

TEST_F(CutSceneEndTest, AMovieAskedForWhileFadingToTheTargetPlaysOverTheLoadedScene)
{
    SelectCase("1");
    mPlayer->SetTarget(LString(GMTestScene::kRiverbank), LString("vp02"));
    mPlayer->Play(LString("a.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    GMTestCutScenes::Shown()->MarkEnded();
    GMSceneFlow::Frames(2);
    ASSERT_EQ(mPlayer, GMScreenFader::GetInstance()->GetListener()); // fading to the target
    mPlayer->Play(LString("late.bik"));
    ASSERT_TRUE(GMSceneFlow::FramesUntil([] { return LFakeMovieManager::sMade.size() == 2; }));
    EXPECT_EQ(mPlayer, Screens()->GetTop());
    EXPECT_EQ("vp02", ToStd(Current()->GetViewpoint()));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"a.bik", "late.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ(Current(), Screens()->GetTop());
    EXPECT_TRUE(Current()->IsActive());
    EXPECT_EQ(0, mPlayer->GetQueue().GetCount());
}

TEST_F(CutSceneEndTest, ADeferredLoadGoesTheOrdinaryWayAndIsClearedAtTheEnd)
{
    SelectCase("2");
    mPlayer->SetDeferredLoad(true);
    mPlayer->SetTarget(LString(GMTestScene::kRiverbank), LString("-"));
    mPlayer->Play(LString("a.bik"));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_NE(nullptr, Current());
    EXPECT_EQ(Current(), Screens()->GetTop());
    EXPECT_FALSE(Current()->IsActive()); // pushed for the caller's own showing
    EXPECT_FALSE(GMScreenFader::GetInstance()->IsFadedIn());
    EXPECT_FALSE(mPlayer->IsDeferredLoad());
    EXPECT_EQ(nullptr, LStateManager::Get()->GetState(LString("sta_caseselection_active")));
}

// --- without a target scene -------------------------------------------------------------

TEST_F(CutSceneEndTest, AHotspotsCutSceneEndsOnItsViewpointWithTheSceneBackAndNothingFading)
{
    auto hotspot = MakeHotspot(HotspotEntry("general", "hs_movie",
                                            "boundary\n\ttype=rectangle\n\tcoords=0|0|50|50\n\tposition=10|10\n",
                                            "\tcutscenes\n\t\tuse=movie.bik|-|vp02\n"));
    ASSERT_NE(nullptr, hotspot);
    EXPECT_EQ("vp01", ToStd(mScene->GetViewpoint()));
    ASSERT_TRUE(hotspot->PlayActionCutScene(GMHotspot::SITUATION_USE));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    LFakeMoviePlayer* movie = GMTestCutScenes::Shown();
    ASSERT_NE(nullptr, movie);
    movie->MarkEnded();
    ASSERT_TRUE(GMSceneFlow::FramesUntil([this] { return !mPlayer->IsPlaying(); }));
    // The viewpoint is in place before the movie fades away.
    EXPECT_EQ("vp02", ToStd(mScene->GetViewpoint()));
    EXPECT_TRUE(Screens()->IsBusy());
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_EQ(mScene, Current());
    EXPECT_EQ(mScene, Screens()->GetTop());
    EXPECT_EQ("vp02", ToStd(mScene->GetViewpoint()));
    EXPECT_TRUE(mScene->IsActive());
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_FALSE(mScene->IsFading());
    EXPECT_FALSE(Screens()->IsBusy());
    EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutSceneEndTest, TheWrapUpRaisesInOrderCreatesOrSetsStatesAndDeletesTheHandedOver)
{
    LEventManager::Get()->AddEvent(LString("evt_b"), false);
    LStateManager::Get()->SetState(LString("sta_old"), LString("boolean"), LString("false"), false);
    Events events;
    Notices created("sta_new");
    int deleted = 0;
    mPlayer->SetDoneEvents(List({"evt_a", "evt_b"}));
    mPlayer->AddDoneEvents(List({"evt_c"}));
    mPlayer->SetStateChanges(List({"sta_new", "number", "2"}));
    mPlayer->AddStateChanges(List({"sta_old", "boolean", "true", "sta_cut"}));
    mPlayer->SetHandedOver(new HandedOver(&deleted));
    mPlayer->SetHandedOver(nullptr);
    mPlayer->Play(LString("a.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_TRUE(events.mRaised.empty());
    EXPECT_EQ(0, deleted);
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"evt_a", "evt_c"}), events.mRaised);
    EXPECT_FALSE(mLog.Contains("ID duplication"));
    LIState* fresh = LStateManager::Get()->GetState(LString("sta_new"));
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(LIState::TYPE_NUMBER, fresh->GetType());
    EXPECT_FLOAT_EQ(2.0f, *static_cast<const float*>(fresh->GetValue()));
    EXPECT_EQ(1, created.mCount);
    EXPECT_TRUE(Boolean("sta_old"));
    // The incomplete triple is left out, and said so.
    EXPECT_EQ(nullptr, LStateManager::Get()->GetState(LString("sta_cut")));
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: "));
    EXPECT_EQ(1, deleted);
    EXPECT_EQ(0, mPlayer->GetDoneEvents().GetCount());
    EXPECT_EQ(0, mPlayer->GetStateChanges().GetCount());
    EXPECT_EQ(nullptr, mPlayer->GetHandedOver());
}

// --- movies that cannot be opened, the end listener, cut scenes one after another -------

TEST_F(CutSceneEndTest, AMovieThatCannotBeOpenedCountsAsOneThatHasJustEnded)
{
    struct Case
    {
        std::initializer_list<const char*> mList;
        std::vector<std::string> mMade;
    };
    const Case cases[] = {
        {{"missing.bik"}, {}},
        {{"missing_first.bik", "b.bik"}, {"b.bik"}},
        {{"a.bik", "missing_second.bik"}, {"a.bik"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mList.size());
        LFakeMovieManager::Reset();
        mLog.Clear();
        Events events;
        Ending ending;
        mPlayer->SetEndListener(&ending);
        mPlayer->SetDoneEvents(List({"evt_done"}));
        mPlayer->PlayList(List(c.mList));
        ASSERT_TRUE(GMTestCutScenes::PlayOut());
        EXPECT_EQ(c.mMade, GMTestCutScenes::Made());
        EXPECT_EQ(1, mLog.Count("Movie not opened: missing"));
        EXPECT_EQ(1, ending.mTold);
        EXPECT_EQ((std::vector<std::string> {"evt_done"}), events.mRaised);
        EXPECT_EQ(mScene, Screens()->GetTop());
        EXPECT_TRUE(mScene->IsInputEnabled());
        EXPECT_FALSE(mPlayer->IsPlaying());
        LEventManager::Get()->RemoveAllEvents();
    }
}

TEST_F(CutSceneEndTest, TheEndListenerIsToldOnceAfterTheWrapUpAndNotForTheNextCutScene)
{
    Ending ending;
    mPlayer->SetEndListener(&ending);
    mPlayer->SetDoneEvents(List({"evt_done"}));
    mPlayer->Play(LString("a.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    EXPECT_EQ(0, ending.mTold);
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ(1, ending.mTold);
    EXPECT_TRUE(ending.mEventsDone);
    EXPECT_EQ(nullptr, mPlayer->GetEndListener());
    mPlayer->Play(LString("b.bik"));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ(1, ending.mTold);

    // A listener that ends before the cut scene takes itself off.
    {
        Ending gone;
        mPlayer->SetEndListener(&gone);
    }
    EXPECT_EQ(nullptr, mPlayer->GetEndListener());
}

TEST_F(CutSceneEndTest, ADoneEventThatStartsAnEntryPlaysItOnceTheFirstHasFadedAway)
{
    mPlayer->SetDoneEvents(List({"evt_first_done"}));
    mPlayer->Play(LString("first.bik"));
    ASSERT_TRUE(GMTestCutScenes::Settle());
    GMTestCutScenes::Shown()->MarkEnded();
    ASSERT_TRUE(GMSceneFlow::FramesUntil([] { return LEventManager::Get()->IsRaised(LString("evt_first_done")); }));
    // The screen manager is busy with the pop: the entry's movie waits for its turn.
    EXPECT_TRUE(mPlayer->IsPlaying());
    EXPECT_EQ(1, mPlayer->GetQueue().GetCount());
    ASSERT_TRUE(GMSceneFlow::FramesUntil([] { return LFakeMovieManager::sMade.size() == 2; }));
    EXPECT_EQ((std::vector<std::string> {"first.bik", "second.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ(mScene, Current());
    EXPECT_EQ(mPlayer, Screens()->GetTop());
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ(mScene, Screens()->GetTop());

    // The next cut scene plays only its own movie.
    mPlayer->Play(LString("third.bik"));
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    EXPECT_EQ((std::vector<std::string> {"first.bik", "second.bik", "third.bik"}), GMTestCutScenes::Made());
    EXPECT_EQ(mScene, Screens()->GetTop());
    EXPECT_TRUE(mScene->IsInputEnabled());
    EXPECT_EQ("", mLog.Problems());
}
