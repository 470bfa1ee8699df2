// The main menu's load, save, options and credits buttons over a fresh "//dataroot": each
// opens its screen, the title music follows the options' knob and comes back to the stored
// volume, stops for the credits and starts again after them, and stops when a load places
// the player.
#include "GMScreenManager.h"
#include "Gdi/LIDisplayObject.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "menu/GMCreditsScreen.h"
#include "menu/GMLoadScreen.h"
#include "menu/GMMainMenu.h"
#include "menu/GMOptionsScreen.h"
#include "menu/GMSaveScreen.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LMemoryStream.h"
#include "support/GMFrontScreenTestCase.h"
#include "support/GMTestScene.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStreams.h"
#include "util/GMOptions.h"
#include "menu/GMSaveGameFile.h"

#include <gtest/gtest.h>

namespace {

constexpr float kMenuX = 400.0f;
constexpr float kLoadY = 304.0f;
constexpr float kSaveY = 356.0f;
constexpr float kOptionsY = 408.0f;
constexpr float kCreditsY = 460.0f;
constexpr int kKeySpace = 0x39;

class MainMenuScreensTest : public GMFrontScreenTestCase
{
protected:
    // The real menu as the only screen, shown.
    void ShowMenu()
    {
        GMScreenManager* screens = GMScreenManager::GetInstance();
        screens->Clear();
        mMainMenu = GMMainMenu::GetInstance();
        ASSERT_NE(nullptr, mMainMenu);
        ASSERT_TRUE(screens->PushFade(mMainMenu));
        ASSERT_TRUE(FinishFade());
    }

    // A click on a button of the menu's column, and the fade to what it opens.
    void Choose(float aY)
    {
        Click(kMenuX, aY);
        ASSERT_TRUE(FinishFade());
    }

    static LFakeSoundPlayer* Theme() { return LFakeSoundPlayer::Find(LString("theme")); }

    GMMainMenu* mMainMenu = nullptr;
};

} // namespace

TEST_F(MainMenuScreensTest, TheTitleMusicFollowsTheKnobAndBackSetsItToTheStoredVolume)
{
    GMOptions::GetInstance()->mVolume = 0.8f;
    ShowMenu();
    Choose(kOptionsY);
    GMOptionsScreen* options = GMOptionsScreen::GetInstance();
    ASSERT_EQ(static_cast<GMIScreen*>(options), Top());
    LFakeSoundPlayer* theme = Theme();
    ASSERT_NE(nullptr, theme);
    EXPECT_TRUE(theme->mPlaying);
    LMouse::Get()->OnMove(LVector2(options->GetKnob()->GetLocalPosition().x + 10.0f, 466.0f));
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnMove(LVector2(0.0f, 466.0f));
    EXPECT_FLOAT_EQ(0.0f, theme->mVolume);
    LMouse::Get()->OnMove(LVector2(700.0f, 466.0f));
    EXPECT_FLOAT_EQ(1.0f, theme->mVolume);
    LMouse::Get()->OnButtonUp(1);

    Click(140.0f, 550.0f);
    ASSERT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(mMainMenu), Top());
    EXPECT_EQ(theme, Theme());
    EXPECT_FLOAT_EQ(0.8f, theme->mVolume);
    EXPECT_FLOAT_EQ(0.8f, GMOptions::GetInstance()->mVolume);
}

TEST_F(MainMenuScreensTest, TheCreditsStopTheTitleMusicAndAKeyBringsItBack)
{
    ShowMenu();
    ASSERT_NE(nullptr, Theme());
    Click(kMenuX, kCreditsY);
    EXPECT_EQ(nullptr, Theme());
    EXPECT_EQ(nullptr, mMainMenu->GetTheme());
    ASSERT_TRUE(FinishFade());
    GMCreditsScreen* credits = GMCreditsScreen::GetInstance();
    ASSERT_EQ(static_cast<GMIScreen*>(credits), Top());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("credits")));

    Key(kKeySpace);
    ASSERT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(mMainMenu), Top());
    ASSERT_NE(nullptr, Theme());
    EXPECT_TRUE(Theme()->mPlaying);
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("credits")));
}

TEST_F(MainMenuScreensTest, SaveGameWithACaseChosenOpensTheSaveScreen)
{
    ASSERT_TRUE(LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false));
    ShowMenu();
    Choose(kSaveY);
    EXPECT_EQ(static_cast<GMIScreen*>(GMSaveScreen::GetInstance()), Top());
    EXPECT_NE(nullptr, Theme());
    Click(200.0f, 550.0f);
    ASSERT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(mMainMenu), Top());
}

TEST_F(MainMenuScreensTest, ALoadFromTheMenuStopsTheTitleMusicWhenThePlayerIsPlaced)
{
    LStateManager* states = LStateManager::Get();
    ASSERT_TRUE(states->SetState(LString("sta_currentscene"), LString("string"), LString(GMTestScene::kRiverbank), false));
    ASSERT_TRUE(states->SetState(LString("sta_currentviewpoint"), LString("string"), LString("vp02"), false));
    LMemoryStream save(1024, LMemoryStream::GROW_DOUBLE);
    ASSERT_TRUE(GMSaveGameFile::Encode(save));
    mRoots.Write("data/game/game1.dat", WrittenBytes(save));
    mRoots.Write("data/game/.filelist",
                 "game1\r\n\tdescription=one\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=riverbank_vp02.bmp\r\n");
    states->RemoveAllStates();

    ShowMenu();
    Choose(kLoadY);
    GMLoadScreen* load = GMLoadScreen::GetInstance();
    ASSERT_EQ(static_cast<GMIScreen*>(load), Top());
    Click(100.0f, 150.0f);
    Click(680.0f, 572.0f);
    ASSERT_TRUE(load->IsBusy());
    ASSERT_TRUE(GMSceneFlow::FramesUntil([] { return GMScreenManager::GetInstance()->GetCount() == 1; }));
    EXPECT_EQ(nullptr, Theme());
    GMSceneManager* scenes = GMSceneManager::GetInstance();
    ASSERT_NE(nullptr, scenes->GetScene());
    EXPECT_EQ(static_cast<GMIScreen*>(scenes->GetScene()), Top());
}
