// The scene manager headless: the visited event, failed and refused loads, the immediate
// and the faded hand-over to the screen stack, unloading, and the pending placement.
#include "scene/GMSceneManager.h"

#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "LVector2.h"
#include "event/LEventManager.h"
#include "pda/GMPDA.h"
#include "scene/GMScene.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "ui/GMMessageBox.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Screen : public GMIScreen
{
public:
    void OnLeave() override { mCalls.push_back("leave"); }
    void OnHidden() override { mCalls.push_back("hidden"); }
    void OnShow() override { mCalls.push_back("show"); }
    std::vector<std::string> mCalls;
};

class SceneManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMTestScene::PrepareHeadless());
        mScenes = GMSceneManager::GetInstance();
        mScreens = GMScreenManager::GetInstance();
        ASSERT_NE(nullptr, mScenes);
        ASSERT_NE(nullptr, mScreens);
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    static bool Raised(const char* aId) { return LEventManager::Get()->IsRaised(LString(aId)); }

    LLogCapture mLog;
    GMSceneManager* mScenes = nullptr;
    GMScreenManager* mScreens = nullptr;
};

} // namespace

TEST_F(SceneManagerTest, AFailedLoadStillMarksTheLocationVisitedAndLeavesNoScene)
{
    EXPECT_FALSE(mScenes->LoadScene(LString("case01/nowhere"), true, true));
    EXPECT_TRUE(Raised("evt_nowhere_visited"));
    EXPECT_TRUE(mLog.Contains("LoadScene failure. Load failed:case01/nowhere"));
    EXPECT_TRUE(mLog.Contains("Load failure. id:case01/nowhere"));
    EXPECT_EQ(nullptr, mScenes->GetScene());
    EXPECT_EQ(0, mScreens->GetCount());
}

TEST_F(SceneManagerTest, TheVisitedEventTakesTheLastPieceOfTheId)
{
    const struct
    {
        const char* mId;
        const char* mEvent;
    } cases[] = {{"franksapt", "evt_franksapt_visited"},
                 {"case02/hotel/lobby", "evt_lobby_visited"},
                 {"case03/", "evt_case03_visited"}};
    for (const auto& c : cases) {
        EXPECT_FALSE(mScenes->LoadScene(LString(c.mId), false, true));
        EXPECT_TRUE(Raised(c.mEvent)) << c.mId;
    }
    // Raised once: a second request finds it and raises nothing.
    const int events = LEventManager::Get()->GetEventCount();
    EXPECT_FALSE(mScenes->LoadScene(LString("franksapt"), false, true));
    EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
    EXPECT_EQ(0, mLog.Count("ID duplication"));
}

TEST_F(SceneManagerTest, AnEmptyIdChangesNothing)
{
    mScenes->SetPendingPosition(LVector2(1.0f, 2.0f));
    const int events = LEventManager::Get()->GetEventCount();
    EXPECT_FALSE(mScenes->LoadScene(LString(), true, false));
    EXPECT_TRUE(mLog.Contains("LoadScene failure. Invalid scene id."));
    EXPECT_EQ(events, LEventManager::Get()->GetEventCount());
    ASSERT_NE(nullptr, mScenes->GetPendingPosition());
}

TEST_F(SceneManagerTest, WithoutASceneTheFrameAndUnloadDoNothing)
{
    EXPECT_TRUE(mScenes->Update());
    EXPECT_TRUE(mScenes->Render());
    EXPECT_TRUE(mScenes->UnloadScene());
    EXPECT_EQ(nullptr, mScenes->GetScene());
}

TEST_F(SceneManagerTest, AnImmediateLoadTakesThePlaceOfTheTopScreen)
{
    Screen menu;
    Screen under;
    ASSERT_TRUE(mScreens->PushScreen(&under));
    ASSERT_TRUE(mScreens->PushScreen(&menu));
    mScenes->SetPendingPosition(LVector2(1.0f, 2.0f));
    mScenes->SetPendingDirection(LVector2(0.0f, 1.0f));
    ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), true, true));
    GMScene* scene = mScenes->GetScene();
    ASSERT_NE(nullptr, scene);
    // A position set before a load never reaches the new location.
    EXPECT_EQ(nullptr, mScenes->GetPendingPosition());
    EXPECT_EQ(nullptr, mScenes->GetPendingDirection());
    EXPECT_EQ(std::vector<std::string>({"hidden"}), menu.mCalls);
    EXPECT_TRUE(under.mCalls.empty());
    EXPECT_EQ(2, mScreens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(scene), mScreens->GetTop());
    EXPECT_FALSE(mScreens->IsBusy());
    EXPECT_TRUE(scene->IsActive());
    EXPECT_TRUE(scene->IsInputEnabled());
    EXPECT_TRUE(Raised("evt_riverbank_visited"));

    // Unloading takes the shown scene off the stack and hides it.
    EXPECT_TRUE(mScenes->UnloadScene());
    EXPECT_EQ(nullptr, mScenes->GetScene());
    EXPECT_EQ(static_cast<GMIScreen*>(&under), mScreens->GetTop());
}

TEST_F(SceneManagerTest, AFadedLoadOnlyPushesTheScene)
{
    ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), false, true));
    GMScene* scene = mScenes->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(static_cast<GMIScreen*>(scene), mScreens->GetTop());
    EXPECT_FALSE(scene->IsActive());
    EXPECT_FALSE(scene->IsInputEnabled());
    EXPECT_TRUE(mScenes->Render());

    // Loading it again replaces the old scene, which leaves the stack.
    ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), false, true));
    EXPECT_NE(nullptr, mScenes->GetScene());
    EXPECT_EQ(1, mScreens->GetCount());
}

TEST_F(SceneManagerTest, ACoveredSceneLeavesTheStackWhereverItStands)
{
    ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), true, true));
    GMScene* scene = mScenes->GetScene();
    // The main menu over the game, pushed with a fade: at black the scene was hidden.
    Screen menu;
    Screen load;
    scene->OnHidden();
    ASSERT_TRUE(mScreens->PushScreen(&menu));
    ASSERT_TRUE(mScreens->PushScreen(&load));
    ASSERT_FALSE(scene->IsActive());

    EXPECT_TRUE(mScenes->UnloadScene());
    EXPECT_EQ(2, mScreens->GetCount());
    EXPECT_EQ(0, mScreens->IndexOf(&menu));
    EXPECT_EQ(static_cast<GMIScreen*>(&load), mScreens->GetTop());
    EXPECT_TRUE(menu.mCalls.empty());
    EXPECT_TRUE(load.mCalls.empty());
}

TEST_F(SceneManagerTest, AnImmediateLoadOverAnEmptyStackPushesAndShowsTheScene)
{
    ASSERT_EQ(0, mScreens->GetCount());
    ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), true, true));
    GMScene* scene = mScenes->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ(1, mScreens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(scene), mScreens->GetTop());
    EXPECT_TRUE(scene->IsActive());
    EXPECT_FALSE(mLog.Contains("PopScreen"));
}

TEST_F(SceneManagerTest, AMessageBoxKeepsItsClicksFromTheSceneAndGivesThemBackUnlessThePDAIsOpen)
{
    EXPECT_EQ(static_cast<GMIMessageBoxListener*>(mScenes), GMMessageBox::GetInputListener());
    ASSERT_TRUE(mScenes->LoadScene(LString(GMTestScene::kRiverbank), true, true));
    GMScene* scene = mScenes->GetScene();
    ASSERT_NE(nullptr, scene);
    ASSERT_TRUE(scene->IsInputEnabled());
    GMMessageBox* box = GMMessageBox::GetInstance();
    ASSERT_NE(nullptr, box);

    box->Show(LString("question"), LString("Sure?"), GMMessageBox::BUTTONS_YES_NO, nullptr);
    EXPECT_FALSE(scene->IsInputEnabled());
    box->Close();
    EXPECT_TRUE(scene->IsInputEnabled());

    // Under an open PDA the scene stays without clicks when the box closes.
    GMPDA* pda = GMPDA::GetInstance();
    ASSERT_NE(nullptr, pda);
    pda->Open();
    ASSERT_TRUE(pda->IsOpen());
    scene->SetInputEnabled(true);
    box->Show(LString("question"), LString("Sure?"), GMMessageBox::BUTTONS_OK, nullptr);
    EXPECT_FALSE(scene->IsInputEnabled());
    box->Close();
    EXPECT_FALSE(scene->IsInputEnabled());
    pda->Close();

    // The manager's end (with the game's other singletons) leaves the box without an
    // input listener.
    delete GMCleaner::GetInstance();
    EXPECT_EQ(nullptr, GMMessageBox::GetInputListener());
}
