// The load screen over a fresh "//dataroot": the empty grid, selection, scrolling by
// three, the kept scroll position, pictures that are missing, a load that fails, and
// clicks during the load's fade and during the screen's own fade-in.
#include "menu/GMLoadScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "container/LString.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/GMFrontScreenTestCase.h"
#include "support/GMTestScene.h"
#include "support/LSampleRoots.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"
#include "ui/GMScreenFader.h"
#include "menu/GMSaveGameFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr float kButtonsY = 572.0f;
constexpr float kCancelX = 120.0f;
constexpr float kUpX = 364.0f;
constexpr float kDownX = 436.0f;
constexpr float kLoadX = 680.0f;
// A point inside each slot's click area.
constexpr float kSlotX[] = {100.0f, 370.0f, 600.0f, 100.0f, 370.0f, 600.0f};
constexpr float kSlotY[] = {150.0f, 150.0f, 150.0f, 400.0f, 400.0f, 400.0f};

class LoadScreenTest : public GMFrontScreenTestCase
{
protected:
    static void State(const char* aId, const char* aType, const std::string& aValue)
    {
        ASSERT_TRUE(LStateManager::Get()->SetState(LString(aId), LString(aType), FromStd(aValue), false));
    }

    static std::string Which()
    {
        const LIState* state = LStateManager::Get()->GetState(LString("sta_which"));
        return state != nullptr && state->GetType() == LIState::TYPE_STRING
                   ? ToStd(*static_cast<const LString*>(state->GetValue()))
                   : "<none>";
    }

    // Saves 1 to aCount on the riverbank, each marked with its number in "sta_which", and
    // the index listing them with the thumbnails given (riverbank_vp01.bmp for the rest).
    void WriteSaves(int aCount, const std::vector<std::string>& aThumbnails = {})
    {
        std::string index;
        for (int n = 1; n <= aCount; ++n) {
            State("sta_currentscene", "string", GMTestScene::kRiverbank);
            State("sta_currentviewpoint", "string", "vp01");
            State("sta_which", "string", std::to_string(n));
            LMemoryStream save(1024, LMemoryStream::GROW_DOUBLE);
            ASSERT_TRUE(GMSaveGameFile::Encode(save));
            mRoots.Write("data/game/game" + std::to_string(n) + ".dat", WrittenBytes(save));
            const std::string thumbnail =
                n - 1 < static_cast<int>(aThumbnails.size()) ? aThumbnails[n - 1] : "riverbank_vp01.bmp";
            index += "game" + std::to_string(n) + "\r\n\tdescription=save " + std::to_string(n) +
                     "\r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=" + thumbnail + "\r\n";
        }
        mRoots.Write("data/game/.filelist", index);
        LStateManager::Get()->RemoveAllStates();
    }

    GMLoadScreen* OpenScreen()
    {
        GMLoadScreen* screen = GMLoadScreen::GetInstance();
        Open(screen);
        return screen;
    }

    static std::vector<std::string> Texts(GMLoadScreen* aScreen)
    {
        std::vector<std::string> texts;
        for (int s = 0; s < GMLoadScreen::SLOT_COUNT; ++s) {
            LTextArea* text = aScreen->GetText(s);
            texts.push_back(text != nullptr ? ToStd(text->GetText()) : "<no text area>");
        }
        return texts;
    }

    void Select(int aSlot) { Click(kSlotX[aSlot], kSlotY[aSlot]); }

    // Lets the load's fade run until the saved place is the only screen.
    static bool Placed()
    {
        return GMSceneFlow::FramesUntil([] {
            GMSceneManager* scenes = GMSceneManager::GetInstance();
            return scenes->GetScene() != nullptr && Top() == static_cast<GMIScreen*>(scenes->GetScene()) &&
                   !GMScreenManager::GetInstance()->IsBusy() && GMScreenFader::GetInstance()->IsFadedIn();
        });
    }
};

} // namespace

TEST_F(LoadScreenTest, WithoutAnIndexTheGridIsEmptyAndNothingLoads)
{
    GMLoadScreen* screen = OpenScreen();
    EXPECT_TRUE(screen->GetEntries().empty());
    EXPECT_EQ(std::vector<std::string>(6, ""), Texts(screen));
    Select(0);
    EXPECT_EQ(-1, screen->GetSelectedSlot());
    EXPECT_FALSE(screen->GetBracket(0)->GetVisible());
    Click(kLoadX, kButtonsY);
    EXPECT_FALSE(screen->IsBusy());
    EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
    Click(kCancelX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
}

TEST_F(LoadScreenTest, SevenSavesScrollByThreeSelectionFollowsAndTheScrollIsKept)
{
    WriteSaves(7);
    GMLoadScreen* screen = OpenScreen();
    ASSERT_EQ(7u, screen->GetEntries().size());
    EXPECT_EQ((std::vector<std::string>{"save 1", "save 2", "save 3", "save 4", "save 5", "save 6"}), Texts(screen));
    ASSERT_NE(nullptr, screen->GetEntries()[0].mSprite);
    EXPECT_TRUE(screen->GetEntries()[0].mSprite->GetVisible());
    EXPECT_FLOAT_EQ(25.0f, screen->GetEntries()[0].mSprite->GetLocalPosition().x);
    // Drawn over the dark panel of its slot.
    EXPECT_GT(screen->GetEntries()[0].mSprite->GetRelativeZ(),
              screen->GetDisplay()->GetMember(LString("black_background"))->GetRelativeZ());
    EXPECT_FALSE(screen->GetEntries()[6].mSprite->GetVisible());

    Select(4);
    EXPECT_EQ(4, screen->GetSelectedSlot());
    EXPECT_TRUE(screen->GetBracket(4)->GetVisible());
    Select(1);
    EXPECT_EQ(1, screen->GetSelectedSlot());
    EXPECT_FALSE(screen->GetBracket(4)->GetVisible());

    Click(kDownX, kButtonsY);
    EXPECT_EQ(3, screen->GetFirstShown());
    EXPECT_EQ(-1, screen->GetSelectedSlot());
    EXPECT_FALSE(screen->GetBracket(1)->GetVisible());
    EXPECT_EQ((std::vector<std::string>{"save 4", "save 5", "save 6", "save 7", "", ""}), Texts(screen));
    EXPECT_FALSE(screen->GetEntries()[0].mSprite->GetVisible());
    EXPECT_TRUE(screen->GetEntries()[6].mSprite->GetVisible());
    EXPECT_FLOAT_EQ(25.0f, screen->GetEntries()[6].mSprite->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(315.0f, screen->GetEntries()[6].mSprite->GetLocalPosition().y);
    // The empty slot 4 cannot be selected; a second "down_arrow" does nothing.
    Select(4);
    EXPECT_EQ(-1, screen->GetSelectedSlot());
    Click(kDownX, kButtonsY);
    EXPECT_EQ(3, screen->GetFirstShown());

    // The next visit opens where this one was left.
    Click(kCancelX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    screen = OpenScreen();
    EXPECT_EQ(3, screen->GetFirstShown());
    EXPECT_EQ("save 4", Texts(screen)[0]);
    EXPECT_FALSE(screen->IsBusy());

    Click(kUpX, kButtonsY);
    EXPECT_EQ(0, screen->GetFirstShown());
    EXPECT_EQ((std::vector<std::string>{"save 1", "save 2", "save 3", "save 4", "save 5", "save 6"}), Texts(screen));
    Click(kUpX, kButtonsY);
    EXPECT_EQ(0, screen->GetFirstShown());
}

TEST_F(LoadScreenTest, MissingPicturesShowTheDefaultOrNoneAndEverySaveKeepsItsSlot)
{
    WriteSaves(3, {"riverbank_vp02.bmp", "lost_a.bmp", "riverbank_vp01.bmp"});
    GMLoadScreen* screen = OpenScreen();
    ASSERT_EQ(3u, screen->GetEntries().size());
    LSprite* fallback = screen->GetEntries()[1].mSprite;
    ASSERT_NE(nullptr, fallback);
    EXPECT_NE(0u, fallback->GetTexture());
    EXPECT_EQ(LTextureManager::Get()->GetHandle(LString("lost_a.bmp")), fallback->GetTexture());
    EXPECT_TRUE(fallback->GetVisible());
    Click(kCancelX, kButtonsY);
    ASSERT_TRUE(FinishFade());

    // Now even the default picture is gone: the textures come from a copy without it.
    ASSERT_TRUE(mRoots.CopySample("textures/menu", "", true));
    std::filesystem::remove(mRoots.Path() + "/data/textures/menu/thumbnails/riverbank_body.bmp");
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(mRoots.Path() + "/data/textures")));
    WriteSaves(3, {"riverbank_vp02.bmp", "lost_b.bmp", "riverbank_vp01.bmp"});
    screen = OpenScreen();
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//textures"), FromStd(LSampleRoots::Directory() + "/textures")));
    ASSERT_EQ(3u, screen->GetEntries().size());
    EXPECT_EQ(nullptr, screen->GetEntries()[1].mSprite);
    ASSERT_NE(nullptr, screen->GetEntries()[2].mSprite);
    EXPECT_FLOAT_EQ(505.0f, screen->GetEntries()[2].mSprite->GetLocalPosition().x);
    EXPECT_EQ((std::vector<std::string>{"save 1", "save 2", "save 3", "", "", ""}), Texts(screen));

    // Slot 2 loads the third save, not the one after a gap in the pictures.
    Select(2);
    Click(kLoadX, kButtonsY);
    EXPECT_EQ("3", Which());
    EXPECT_TRUE(screen->IsBusy());
    ASSERT_TRUE(Placed());
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
    EXPECT_EQ(nullptr, screen->GetDisplay());
}

TEST_F(LoadScreenTest, ClicksDuringTheLoadsFadeDoNothing)
{
    WriteSaves(2);
    GMLoadScreen* screen = OpenScreen();
    Select(1);
    Click(kLoadX, kButtonsY);
    ASSERT_TRUE(screen->IsBusy());
    EXPECT_EQ("2", Which());
    EXPECT_FALSE(LMouse::Get()->Contains(screen));
    // A second "load" (of another save) and a "cancel" while the picture fades out.
    Select(0);
    Click(kLoadX, kButtonsY);
    Click(kCancelX, kButtonsY);
    EXPECT_EQ("2", Which());
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
    EXPECT_FALSE(GMScreenManager::GetInstance()->IsBusy());
    ASSERT_TRUE(Placed());
    EXPECT_EQ("case01/riverbank", ToStd(GMSceneManager::GetInstance()->GetScene()->GetId()));
    EXPECT_EQ(1, GMScreenManager::GetInstance()->GetCount());
}

TEST_F(LoadScreenTest, LoadAndCancelClickedWhileTheScreenFadesInDoNothing)
{
    WriteSaves(1);
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMLoadScreen* screen = GMLoadScreen::GetInstance();
    ASSERT_TRUE(screens->PushFade(screen));
    // Shown at black; the picture now fades in.
    ASSERT_TRUE(GMSceneFlow::FramesUntil([screen] { return screen->GetDisplay() != nullptr; }));
    ASSERT_TRUE(screens->IsBusy());
    mLog.Clear();
    Select(0);
    EXPECT_EQ(0, screen->GetSelectedSlot());
    Click(kLoadX, kButtonsY);
    Click(kCancelX, kButtonsY);
    EXPECT_FALSE(screen->IsBusy());
    EXPECT_EQ("<none>", Which());
    EXPECT_EQ("", mLog.Problems());

    // The change ends, and the next ones are let in: the load, then a screen over the scene.
    ASSERT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
    Click(kLoadX, kButtonsY);
    ASSERT_TRUE(Placed());
    EXPECT_EQ("1", Which());
    Menu over;
    EXPECT_TRUE(screens->PushFade(&over));
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&over), Top());
}

TEST_F(LoadScreenTest, ALoadWhileAChangeOfScreenRunsIsRefusedAndChangesNothing)
{
    WriteSaves(1);
    State("sta_inprogress", "string", "kept");
    GMLoadScreen* screen = GMLoadScreen::GetInstance();
    ASSERT_TRUE(GMScreenManager::GetInstance()->PushFade(screen));
    ASSERT_TRUE(GMScreenManager::GetInstance()->IsBusy());
    EXPECT_FALSE(GMSaveGameFile::LoadGame(LString("game1"), screen));
    EXPECT_TRUE(mLog.Contains("ERROR: ") && mLog.Contains("LoadGame failure. A change of screen is running: game1"));
    EXPECT_NE(nullptr, LStateManager::Get()->GetState(LString("sta_inprogress")));
    EXPECT_EQ("<none>", Which());
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
}

TEST_F(LoadScreenTest, ADamagedSaveLeavesTheScreenUsable)
{
    WriteSaves(2);
    mRoots.Write("data/game/game2.dat", "not a saved game");
    State("sta_inprogress", "string", "kept");
    GMLoadScreen* screen = OpenScreen();
    Select(1);
    Click(kLoadX, kButtonsY);
    EXPECT_TRUE(mLog.Contains("game2 could not be loaded"));
    EXPECT_FALSE(screen->IsBusy());
    EXPECT_TRUE(LMouse::Get()->Contains(screen));
    EXPECT_TRUE(GMScreenFader::GetInstance()->IsFadedIn());
    EXPECT_NE(nullptr, LStateManager::Get()->GetState(LString("sta_inprogress")));

    // Another save can be picked and loaded.
    Select(0);
    EXPECT_EQ(0, screen->GetSelectedSlot());
    Click(kLoadX, kButtonsY);
    EXPECT_EQ("1", Which());
    ASSERT_TRUE(Placed());
}

TEST_F(LoadScreenTest, AfterADamagedSaveCancelStillLeaves)
{
    WriteSaves(1);
    mRoots.Write("data/game/game1.dat", "");
    GMLoadScreen* screen = OpenScreen();
    Select(0);
    Click(kLoadX, kButtonsY);
    EXPECT_FALSE(screen->IsBusy());
    Click(kCancelX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
    EXPECT_EQ(nullptr, screen->GetDisplay());
    EXPECT_FALSE(LMouse::Get()->Contains(screen));
}
