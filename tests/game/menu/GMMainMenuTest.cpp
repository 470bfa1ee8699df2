// The main menu: its buttons' states at start and with a case chosen, the title music
// across the screens over the menu, the quit question, the new game and its fade, and the
// menu brought up over a location by the PDA and left again with "resume_game".
#include "menu/GMMainMenu.h"

#include "GMIScreen.h"
#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "event/LEventManager.h"
#include "menu/GMMenuButton.h"
#include "pda/GMInventoryPanel.h"
#include "pda/GMPDA.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "support/LTestApp.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "time/LGameClock.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMMessageBox.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const LVector2 kNewGame(400.0f, 200.0f);
const LVector2 kResume(400.0f, 252.0f);
const LVector2 kQuit(400.0f, 512.0f);

struct TestScreen : GMIScreen
{
    void OnLeave() override {}
    void OnHidden() override {}
    void OnShow() override {}
};

class MainMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMSceneFlow::PrepareGame());
        LFakeMovieManager::Reset();
        mScreens = GMScreenManager::GetInstance();
        mMenu = GMMainMenu::GetInstance();
        ASSERT_NE(nullptr, mMenu);
    }

    void TearDown() override
    {
        if (GMSceneManager* scenes = GMSceneManager::GetInstance()) {
            scenes->UnloadScene();
        }
        delete GMCleaner::GetInstance();
        LFakeMovieManager::Reset();
    }

    // The menu as the first screen, its fade-in over.
    void ShowAlone()
    {
        ASSERT_TRUE(mScreens->PushFade(mMenu));
        GMSceneFlow::Frames(10);
        mLog.Clear();
    }

    int State(const char* aId) const
    {
        GMMenuButton* button = mMenu->GetButton(LString(aId));
        return button != nullptr ? button->GetState() : -1;
    }

    static LFakeSoundPlayer* Theme() { return LFakeSoundPlayer::Find(LString("theme")); }

    // A left click with the menu's moves spread over frames, as the player makes it.
    static void ClickAt(const LVector2& aAt)
    {
        GMSceneFlow::Move(LVector2(aAt.x + 1.0f, aAt.y));
        GMSceneFlow::Frames(1);
        GMSceneFlow::Click(aAt);
    }

    LLogCapture mLog;
    GMScreenManager* mScreens = nullptr;
    GMMainMenu* mMenu = nullptr;
};

} // namespace

TEST_F(MainMenuTest, AtStartResumeDoesNothingAndSaveWaitsForAChosenCase)
{
    GMOptions::GetInstance()->mVolume = 0.5f;
    ShowAlone();
    LDisplayGroup* buttons = static_cast<LDisplayGroup*>(mMenu->GetDisplay()->GetMember(LString("mainmenu_buttons")));
    ASSERT_NE(nullptr, buttons);
    EXPECT_FLOAT_EQ(GMMainMenu::kButtonsZ, buttons->GetRelativeZ());
    EXPECT_EQ(7, buttons->GetMemberCount());
    EXPECT_EQ(GMMenuButton::STATE_DISABLED, State("resume_game"));
    EXPECT_EQ(GMMenuButton::STATE_DISABLED, State("save_game"));
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, State("new_game"));
    LFakeSoundPlayer* theme = Theme();
    ASSERT_NE(nullptr, theme);
    EXPECT_EQ("//sounds/theme.ogg", ToStd(theme->mFileName));
    EXPECT_TRUE(theme->mLoop);
    EXPECT_TRUE(theme->mPlaying);
    EXPECT_FLOAT_EQ(0.5f, theme->mVolume);

    ClickAt(kResume);
    GMSceneFlow::Frames(10);
    EXPECT_EQ(static_cast<GMIScreen*>(mMenu), mScreens->GetTop());
    EXPECT_EQ(theme, mMenu->GetTheme());
    EXPECT_FALSE(LStateManager::Get()->HasState(LString("sta_currentskillsetting")));
    // Not a button of the menu.
    mMenu->OnButton(LString("bogus"), 4);
    mMenu->OnButton(LString("resume_game"), 4);
    EXPECT_EQ(static_cast<GMIScreen*>(mMenu), mScreens->GetTop());
    EXPECT_FALSE(mScreens->IsBusy());
    EXPECT_EQ(0, mLog.Count("ERROR")) << mLog.Bytes();

    // A case below 1 counts as none.
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_selectedcase"), LString("number"), LString("0.5"), false);
    mMenu->OnHidden();
    mMenu->OnShow();
    EXPECT_EQ(GMMenuButton::STATE_DISABLED, State("save_game"));
    states->SetState(LString("sta_selectedcase"), LString("1"), false);
    mMenu->OnHidden();
    mMenu->OnShow();
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, State("save_game"));
    EXPECT_EQ(theme, mMenu->GetTheme());
}

TEST_F(MainMenuTest, NoToTheQuitQuestionKeepsTheMenuAndItsMusic)
{
    ShowAlone();
    LFakeSoundPlayer* theme = Theme();
    ClickAt(kQuit);
    GMMessageBox* box = GMMessageBox::GetInstance();
    ASSERT_TRUE(box->IsOpen());
    // The pointer is back where it was, and no menu button stays lit under the box.
    LVector2 at;
    LMouse::Get()->GetPosition(at);
    EXPECT_EQ("400,512", LTestPoint(at.x, at.y));
    EXPECT_NE(GMMenuButton::STATE_OVER, State("quit"));
    EXPECT_NE(nullptr, box->GetButton(1));
    EXPECT_EQ(LString("no"), box->GetButton(1)->GetId());

    box->OnButton(LString("no"), 4);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(static_cast<GMIScreen*>(mMenu), mScreens->GetTop());
    EXPECT_EQ(theme, mMenu->GetTheme());
    EXPECT_TRUE(theme->mPlaying);
    // The menu takes clicks again.
    ClickAt(kQuit);
    EXPECT_TRUE(box->IsOpen());
    box->OnButton(LString("no"), 4);
}

TEST_F(MainMenuTest, BackFromAScreenOverItTheMusicPlaysOnAtTheNewVolume)
{
    ShowAlone();
    LFakeSoundPlayer* theme = Theme();
    TestScreen over;
    ASSERT_TRUE(mScreens->PushFade(&over));
    GMSceneFlow::Frames(20);
    EXPECT_EQ(nullptr, mMenu->GetDisplay());
    EXPECT_TRUE(theme->mPlaying);
    GMOptions::GetInstance()->mVolume = 0.3f;
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(mScreens->PopFade(&popped));
    GMSceneFlow::Frames(20);
    EXPECT_EQ(static_cast<GMIScreen*>(mMenu), mScreens->GetTop());
    EXPECT_EQ(theme, Theme());
    int themes = 0;
    for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
        themes += made.mName == LString("theme") ? 1 : 0;
    }
    EXPECT_EQ(1, themes);
    EXPECT_TRUE(theme->mPlaying);
    EXPECT_FLOAT_EQ(0.3f, theme->mVolume);
    // The load and options screens come over the menu (ids without regard to case), the
    // music playing on under them.
    for (const char* id : {"load_game", "OPTIONS"}) {
        mMenu->OnButton(LString(id), 4);
        GMSceneFlow::Frames(20);
        EXPECT_NE(static_cast<GMIScreen*>(mMenu), mScreens->GetTop()) << id;
        EXPECT_EQ(theme, Theme()) << id;
        EXPECT_TRUE(theme->mPlaying) << id;
        popped = nullptr;
        ASSERT_TRUE(mScreens->PopFade(&popped));
        GMSceneFlow::Frames(20);
        EXPECT_EQ(static_cast<GMIScreen*>(mMenu), mScreens->GetTop());
    }
}

TEST_F(MainMenuTest, AMissingTitleMusicLeavesTheMenuSilentWithOneLine)
{
    LTestDirectory empty;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//sounds"), FromStd(empty.Path())));
    LFakeSoundManager::sRefuseUnfound = true;
    ASSERT_TRUE(mScreens->PushFade(mMenu));
    LFakeSoundManager::sRefuseUnfound = false;
    EXPECT_EQ(nullptr, mMenu->GetTheme());
    EXPECT_EQ(1, mLog.Count("theme.ogg")) << mLog.Bytes();
    EXPECT_NE(nullptr, mMenu->GetDisplay());
}

TEST_F(MainMenuTest, ANewGameStartsFromNothingAndASecondClickDuringItsFadeDoesNothing)
{
    ShowAlone();
    LEventManager::Get()->AddEvent(LString("evt_old"), false);
    LStateManager::Get()->SetState(LString("sta_old"), LString("boolean"), LString("true"), false);
    LGameClock* clock = LGameClock::Get();
    clock->SetCurrentClock(3);
    clock->Advance(1, 50.0f, false);
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_HARD);
    GMInventoryPanel* inventory = GMPDA::GetInstance()->GetInventoryPanel();
    ASSERT_NE(nullptr, inventory);
    inventory->AddItem(LString("badge"));

    ClickAt(kNewGame);
    EXPECT_TRUE(mMenu->IsStartingNewGame());
    // A click on quit while the picture fades asks nothing.
    ClickAt(kQuit);
    EXPECT_FALSE(GMMessageBox::GetInstance()->IsOpen());
    ASSERT_TRUE(GMSceneFlow::FramesUntil([this] { return !mMenu->IsStartingNewGame(); }, 40));

    EXPECT_EQ(nullptr, mMenu->GetTheme());
    EXPECT_EQ(nullptr, mMenu->GetDisplay());
    EXPECT_EQ(-1, mScreens->IndexOf(mMenu));
    EXPECT_EQ(0, LEventManager::Get()->GetEventCount());
    LStateManager* states = LStateManager::Get();
    ASSERT_EQ(2, states->GetStateCount());
    LIState* selected = states->GetState(LString("sta_selectedcase"));
    ASSERT_NE(nullptr, selected);
    EXPECT_EQ(LIState::TYPE_NUMBER, selected->GetType());
    EXPECT_FLOAT_EQ(0.0f, *static_cast<const float*>(selected->GetValue()));
    LIState* skill = states->GetState(LString("sta_currentskillsetting"));
    ASSERT_NE(nullptr, skill);
    EXPECT_EQ("hard", ToStd(*static_cast<const LString*>(skill->GetValue())));
    EXPECT_EQ(0, inventory->GetItemCount());
    EXPECT_EQ(1, clock->GetCurrentClock());
    EXPECT_FLOAT_EQ(0.0f, clock->GetTime(1));

    GMCutScenePlayer* player = GMCutScenePlayer::Peek();
    ASSERT_NE(nullptr, player);
    EXPECT_EQ("precinct", ToStd(player->GetTargetScene()));
    EXPECT_TRUE(player->GetTargetViewpoint().IsEmpty());
    EXPECT_EQ(static_cast<GMIScreen*>(player), mScreens->GetTop());
    ASSERT_FALSE(LFakeMovieManager::sMade.empty());
    EXPECT_EQ("//dataroot/movies/000_all.bik", ToStd(LFakeMovieManager::sMade.back().mFileName));
}

TEST_F(MainMenuTest, ThePDAsMenuBringsTheMenuOverALocationAndResumeReturnsToIt)
{
    GMScene* scene = GMTestScene::Load();
    ASSERT_NE(nullptr, scene);
    GMSceneFlow::Frames(10);
    GMPDA* pda = GMPDA::GetInstance();
    pda->Open();
    GMSceneFlow::Frames(10);
    ASSERT_TRUE(pda->IsOpen());
    pda->OnButton(LString("menu"), XBTNEVENT_PRESSED);
    ASSERT_TRUE(GMSceneFlow::FramesUntil([this] { return mScreens->GetTop() == mMenu && !mScreens->IsBusy(); }, 40));
    EXPECT_EQ(2, mScreens->GetCount());
    // Set again while the menu is shown: it is not pushed a second time.
    LStateManager::Get()->SetState(LString("sta_mainmenu_active"), LString("true"), true);
    GMSceneFlow::Frames(10);
    EXPECT_EQ(2, mScreens->GetCount());
    EXPECT_EQ(GMMenuButton::STATE_NORMAL, State("resume_game"));
    ASSERT_NE(nullptr, mMenu->GetTheme());

    mLog.Clear();
    ClickAt(kResume);
    EXPECT_EQ(nullptr, mMenu->GetTheme());
    LIState* skill = LStateManager::Get()->GetState(LString("sta_currentskillsetting"));
    ASSERT_NE(nullptr, skill);
    EXPECT_EQ("medium", ToStd(*static_cast<const LString*>(skill->GetValue())));
    ASSERT_TRUE(GMSceneFlow::FramesUntil([this] { return mScreens->GetCount() == 1 && !mScreens->IsBusy(); }, 40));
    EXPECT_EQ(static_cast<GMIScreen*>(scene), mScreens->GetTop());
    EXPECT_EQ(nullptr, mMenu->GetDisplay());
    EXPECT_TRUE(scene->IsInputEnabled());
    // The location's own sounds play again.
    int playing = 0;
    for (LFakeSoundPlayer* sound : LFakeSoundPlayer::Live()) {
        playing += sound->mPlaying ? 1 : 0;
    }
    EXPECT_LT(0, playing);
    EXPECT_EQ(0, mLog.Count("ERROR")) << mLog.Bytes();
}
