// The save screen over a fresh "//dataroot": the field that takes typing at once, blank
// descriptions refused, the first save of a fresh installation, the thumbnail of the
// present viewpoint or none, an index that exists but cannot be read, and clicks while
// the screen still fades in.
#include "menu/GMSaveScreen.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LIDisplayObject.h"
#include "Gdi/LSprite.h"
#include "Render/LTextureManager.h"
#include "container/LString.h"
#include "menu/GMSaveField.h"
#include "state/LStateManager.h"
#include "support/GMFrontScreenTestCase.h"
#include "support/GMTestScene.h"
#include "support/LTestStrings.h"
#include "menu/GMSaveIndexFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kKeyA = 0x1E;
constexpr int kKeyB = 0x30;
constexpr int kKeySpace = 0x39;
constexpr float kSaveX = 600.0f;
constexpr float kCancelX = 200.0f;
constexpr float kButtonsY = 550.0f;

class SaveScreenTest : public GMFrontScreenTestCase
{
protected:
    void Place(const char* aScene, const char* aViewpoint)
    {
        LStateManager* states = LStateManager::Get();
        ASSERT_TRUE(states->SetState(LString("sta_currentscene"), LString("string"), LString(aScene), false));
        ASSERT_TRUE(states->SetState(LString("sta_currentviewpoint"), LString("string"), LString(aViewpoint), false));
    }

    GMSaveScreen* OpenScreen()
    {
        GMSaveScreen* screen = GMSaveScreen::GetInstance();
        Open(screen);
        return screen;
    }

    void Type(std::initializer_list<int> aKeys)
    {
        for (int key : aKeys) {
            Key(key);
        }
    }
};

} // namespace

TEST_F(SaveScreenTest, BlankDescriptionsSaveNothingAndKeepTheScreen)
{
    EXPECT_TRUE(GMSaveScreen::IsBlank(LString(u" \t\r\n")));
    EXPECT_FALSE(GMSaveScreen::IsBlank(LString(u"\tx ")));

    GMSaveScreen* screen = OpenScreen();
    ASSERT_NE(nullptr, screen->GetField());
    Click(kSaveX, kButtonsY);
    Type({kKeySpace, kKeySpace, kKeySpace});
    EXPECT_EQ("   ", ToStd(screen->GetField()->GetText()));
    Click(kSaveX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
    EXPECT_EQ("", GameFile(".filelist"));
    EXPECT_FALSE(HasGameFile("game1.dat"));
}

TEST_F(SaveScreenTest, TheFirstSaveOfAFreshInstallationCreatesTheIndexThenGameOne)
{
    ASSERT_FALSE(HasGameFile(".filelist"));
    GMSaveScreen* screen = OpenScreen();
    // The empty index is made when the screen opens.
    EXPECT_EQ("", GameFile(".filelist"));
    ASSERT_NE(nullptr, screen->GetField());
    // The field takes keys without a click; the description ends in a blank, kept.
    EXPECT_TRUE(screen->GetField()->IsFieldActive());
    Type({kKeyA, kKeySpace, kKeyB, kKeySpace});
    Click(kSaveX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ("game1\r\n\tdescription=a b \r\n\ttimestamp=Not yet implemented\r\n\tthumbnail=none\r\n",
              GameFile(".filelist"));
    EXPECT_TRUE(HasGameFile("game1.dat"));
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
    EXPECT_EQ(nullptr, screen->GetDisplay());
    // The field came and went without asking the keyboard or the frames for a listener
    // they did not hold.
    EXPECT_FALSE(mLog.Contains("RemoveListener error"));
    EXPECT_FALSE(mLog.Contains("Remove listener error"));
}

TEST_F(SaveScreenTest, TheThumbnailOfTheViewpointOrNone)
{
    Place("case01/riverbank", "vp02");
    GMSaveScreen* screen = OpenScreen();
    EXPECT_EQ("riverbank_vp02.bmp", ToStd(screen->GetThumbnail()));
    auto* sprite = dynamic_cast<LSprite*>(screen->GetDisplay()->GetMember(LString("thumbnail_sprite")));
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(LTextureManager::Get()->GetHandle(LString("riverbank_vp02.bmp")), sprite->GetTexture());
    EXPECT_FLOAT_EQ(265.0f, sprite->GetLocalPosition().x);
    EXPECT_FLOAT_EQ(95.0f, sprite->GetLocalPosition().y);
    // Drawn over the background and the panel behind it.
    EXPECT_GT(sprite->GetRelativeZ(), screen->GetDisplay()->GetMember(LString("background"))->GetRelativeZ());
    EXPECT_GT(sprite->GetRelativeZ(), screen->GetDisplay()->GetMember(LString("black_background"))->GetRelativeZ());
    Click(kCancelX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
    EXPECT_FALSE(HasGameFile("game1.dat"));

    // A viewpoint the thumbnail table does not name: no picture, "none" recorded.
    Place("case01/riverbank", "vp09");
    screen = OpenScreen();
    EXPECT_EQ("none", ToStd(screen->GetThumbnail()));
    EXPECT_EQ(nullptr, screen->GetDisplay()->GetMember(LString("thumbnail_sprite")));
    Type({kKeyA});
    Click(kSaveX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_NE(std::string::npos, GameFile(".filelist").find("\tthumbnail=none\r\n"));
}

TEST_F(SaveScreenTest, AnIndexThatCannotBeReadGivesAnEmptyListAndAFailedSaveKeepsTheScreen)
{
    // An index that exists but is no file: it cannot be read, nor replaced.
    std::filesystem::create_directories(mRoots.Path() + "/data/game/.filelist");
    mRoots.Write("data/game/game1.dat", "the first save");
    GMSaveScreen* screen = OpenScreen();
    EXPECT_TRUE(mLog.Contains("the index of saved games could not be read"));
    ASSERT_NE(nullptr, screen->GetIndex());
    EXPECT_EQ(0, screen->GetIndex()->ListSaves(nullptr, nullptr, nullptr));
    Type({kKeyA});
    Click(kSaveX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_TRUE(mLog.Contains("SaveGame failure. The index of saved games could not be read"));
    EXPECT_EQ("the first save", GameFile("game1.dat"));
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
    // The player may still leave.
    Click(kCancelX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
}

TEST_F(SaveScreenTest, ButtonsClickedWhileTheScreenFadesInDoNothing)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMSaveScreen* screen = GMSaveScreen::GetInstance();
    ASSERT_TRUE(screens->PushFade(screen));
    ASSERT_TRUE(GMSceneFlow::FramesUntil([screen] { return screen->GetField() != nullptr; }));
    ASSERT_TRUE(screens->IsBusy());
    mLog.Clear();
    Type({kKeyA});
    Click(kSaveX, kButtonsY);
    EXPECT_FALSE(HasGameFile("game1.dat"));
    Click(kCancelX, kButtonsY);
    ASSERT_TRUE(FinishFade());
    EXPECT_EQ(static_cast<GMIScreen*>(screen), Top());
    EXPECT_EQ("", mLog.Problems());

    // Once shown, the save is made and the screen left.
    Click(kSaveX, kButtonsY);
    EXPECT_TRUE(FinishFade());
    EXPECT_TRUE(HasGameFile("game1.dat"));
    EXPECT_EQ(static_cast<GMIScreen*>(&mMenu), Top());
}
