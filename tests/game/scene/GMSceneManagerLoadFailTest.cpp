// A location that does not load, reached from the sample's riverbank through a door,
// through its location card and through a cut scene that shows the card first: each ends
// on the main menu alone, faded in and taking clicks, with the location named in the log.
#include "scene/GMSceneManager.h"

#include "GMHotspotEntries.h"

#include "GMScreenManager.h"
#include "Gdi/LCursor.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LMouse.h"
#include "LVector2.h"
#include "menu/GMMainMenu.h"
#include "pda/GMPDAMinimized.h"
#include "scene/GMPlacard.h"
#include "scene/GMScene.h"
#include "state/LStateManager.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeMoviePlayer.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "ui/GMMessageBox.h"
#include "ui/GMScreenFader.h"
#include "util/GMCleaner.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

// Has a card but no folder.
const char* const kNowhere = "case01/nowhere";

class LoadFailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrepareGame());
        LFakeMovieManager::Reset();
        ASSERT_TRUE(GMTestScene::MountChangedCopy(mCopy, {}));
        mCopy.Write("scenes/scenes.txt", std::string(kNowhere) + "\n\tlocation=Nowhere\n");
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(GMTestScene::kRiverbank), true, true));
        Frames(2);
        mLog.Clear();
    }

    void TearDown() override { delete GMCleaner::GetInstance(); }

    // The card's chime plays out, and the card loads its location.
    static void EndChime()
    {
        ASSERT_TRUE(FramesUntil([] { return LFakeSoundPlayer::Find(LString("chingching")) != nullptr; }));
        LFakeSoundPlayer::Find(LString("chingching"))->MarkEnded();
    }

    void ExpectMenuInPlaceOfNowhere()
    {
        GMScreenManager* screens = GMScreenManager::GetInstance();
        GMScreenFader* fader = GMScreenFader::GetInstance();
        ASSERT_TRUE(FramesUntil([&] {
            return GMMainMenu::Peek() != nullptr && screens->GetTop() == GMMainMenu::Peek() && !screens->IsBusy() &&
                   fader->GetListener() == nullptr;
        }));
        EXPECT_EQ(nullptr, GMSceneManager::GetInstance()->GetScene());
        EXPECT_EQ(1, screens->GetCount());
        EXPECT_TRUE(fader->IsFadedIn());
        EXPECT_EQ(nullptr, LDisplayManager::Get()->GetRoot()->GetMember(LString("placard")));
        EXPECT_FALSE(GMPDAMinimized::GetInstance()->IsShown());
        EXPECT_TRUE(GMCursor::GetInstance()->GetEngineCursor()->GetVisible());
        EXPECT_FALSE(LMouse::Get()->IsLocked());
        EXPECT_TRUE(mLog.Contains(std::string("The main menu opens in place of the location that did not load: ") + kNowhere));
        // Its quit button answers a click with the question.
        Move(LVector2(401.0f, 512.0f));
        Frames(1);
        Click(LVector2(400.0f, 512.0f));
        EXPECT_TRUE(GMMessageBox::GetInstance()->IsOpen());
        GMMessageBox::GetInstance()->OnButton(LString("no"), 4);
    }

    LTestDirectory mCopy;
    LLogCapture mLog;
};

} // namespace

TEST_F(LoadFailTest, ADoorIntoALocationThatDoesNotLoadEndsOnTheMainMenu)
{
    GMScene* riverbank = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, riverbank);
    auto door = MakeHotspot(HotspotEntry("navigate", "hs_out", "boundary\n\ttype=rectangle\n\tcoords=0|0|60|60\n\tposition=100|100\n", "",
                                         std::string("\t\tsceneid=") + kNowhere +
                                             "\n\t\tviewpointid=vp01\n\t\ttargetpos=-120|-130\n\t\tcursordirection=left\n"));
    ASSERT_NE(nullptr, door);
    door->SetInputEnabled(true);
    ASSERT_TRUE(riverbank->AddHotspot(door.release()));
    Move(LVector2(20.0f, 20.0f));
    Click(LVector2(130.0f, 130.0f));
    ExpectMenuInPlaceOfNowhere();
}

TEST_F(LoadFailTest, ALocationCardWhoseLocationDoesNotLoadGivesWayToTheMainMenu)
{
    ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(kNowhere), true, false));
    ASSERT_NE(nullptr, GMPlacard::Peek());
    EndChime();
    ExpectMenuInPlaceOfNowhere();
    EXPECT_EQ(-1, GMScreenManager::GetInstance()->IndexOf(GMPlacard::Peek()));
}

TEST_F(LoadFailTest, ACutSceneWhoseLocationDoesNotLoadThroughItsCardEndsOnTheMainMenu)
{
    GMCutScenePlayer* player = GMCutScenePlayer::GetInstance();
    ASSERT_NE(nullptr, player);
    // A case is selected: the target loads at once, here through its card.
    LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
    player->SetTarget(LString(kNowhere), LString("vp02"));
    player->Play(LString("sample_cut.bik"));
    ASSERT_TRUE(FramesUntil([] { return GMTestCutScenes::Shown() != nullptr; }));
    GMTestCutScenes::Shown()->MarkEnded();
    ASSERT_TRUE(FramesUntil([] { return GMPlacard::Peek() != nullptr && GMPlacard::Peek()->IsPending(); }));
    EndChime();
    ExpectMenuInPlaceOfNowhere();
}
