// The chase photo puzzle on the sample's layout: the order of "solution.order", the wrong
// photo that starts it over, the count across showings and after solving, the hand-over
// after the screen has left the stack, the voice at the easy level only, and bad layouts.
#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "event/LEventManager.h"
#include "pda/GMPDAMinimized.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestCutScenes.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const kActive = GMChasePhotoPuzzle::kActiveState;
const char* const kLayout = "data/textures/puzzles/chasephotopuzzle/JCPuzzle_layout.txt";
const std::vector<std::string> kOrder = {"birthday", "valentine", "easter", "july4th", "halloween", "thanksgiving",
                                         "christmas"};

// A screen that covers the puzzle.
struct CoverScreen : GMIScreen
{
    void OnLeave() override {}
    void OnHidden() override {}
    void OnShow() override {}
};

class ChasePhotoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMChasePhotoPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LFakeSoundManager::sMade.clear();
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    LIDisplayObject* Photo(const std::string& aId)
    {
        return GMPuzzleHarness::Member(mPuzzle, ("buttons." + aId).c_str());
    }

    void ClickPhoto(const std::string& aId)
    {
        LIDisplayObject* photo = Photo(aId);
        ASSERT_NE(nullptr, photo) << aId;
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(photo));
    }

    int EnabledCount()
    {
        int count = 0;
        for (const std::string& id : kOrder) {
            count += Photo(id) != nullptr && Photo(id)->GetEnabled() ? 1 : 0;
        }
        return count;
    }


    GMPuzzleHarness mHarness;
    GMChasePhotoPuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(ChasePhotoTest, ThePhotosInOrderSolveOnTheSeventhClickAndTheScreenLeavesBeforeTheMovie)
{
    GMPDAMinimized::GetInstance()->Show();
    GMCursor::GetInstance()->SetCursor(GMCursor::TYPE_CROSSHAIR, LString("hotspot"));
    ASSERT_TRUE(Open());
    EXPECT_EQ("photopuzzlegroup", ToStd(mPuzzle->GetRoot()->GetId()));
    // The bar and the cursor are left as they were.
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_CROSSHAIR, GMCursor::GetInstance()->GetType());
    EXPECT_EQ(7, EnabledCount());
    for (size_t i = 0; i + 1 < kOrder.size(); ++i) {
        ClickPhoto(kOrder[i]);
        EXPECT_EQ(static_cast<int>(i + 1), mPuzzle->GetClickedCount());
        EXPECT_EQ(static_cast<int>(6 - i), EnabledCount());
    }
    EXPECT_FALSE(mPuzzle->IsSolved());
    ClickPhoto(kOrder.back());
    EXPECT_TRUE(mPuzzle->IsSolved());
    EXPECT_EQ(0, mPuzzle->GetClickedCount());
    GMPuzzleHarness::Frames(1);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_chasephotopuzzle_solved"));
    EXPECT_EQ("SetTarget(case03/chase|vp_kitbath);SetStateChanges(sta_3tc02_visible|boolean|true);"
              "Play(chaseapt_draweropen.bik);",
              GMPuzzleHarness::CutSceneCalls());
    GMScreenManager* screens = GMScreenManager::GetInstance();
    EXPECT_LT(screens->IndexOf(mPuzzle), 0);
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(nullptr, mPuzzle->GetRoot());
    EXPECT_EQ(GMCursor::TYPE_CROSSHAIR, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("", mHarness.Log().Problems());

    // Opened again once its cut scene has played, the count starts from the first photo.
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsSolved());
    ClickPhoto(kOrder[0]);
    EXPECT_EQ(1, mPuzzle->GetClickedCount());
}

TEST_F(ChasePhotoTest, AWrongPhotoEnablesAllSevenAndTheOrderStartsOver)
{
    ASSERT_TRUE(Open());
    ClickPhoto(kOrder[0]);
    ClickPhoto(kOrder[1]);
    ClickPhoto(kOrder[5]);
    EXPECT_EQ(0, mPuzzle->GetClickedCount());
    EXPECT_EQ(7, EnabledCount());
    // The next click must be the first photo again.
    ClickPhoto(kOrder[2]);
    EXPECT_EQ(0, mPuzzle->GetClickedCount());
    ClickPhoto(kOrder[0]);
    EXPECT_EQ(1, mPuzzle->GetClickedCount());
    EXPECT_FALSE(Photo(kOrder[0])->GetEnabled());
}

TEST_F(ChasePhotoTest, ADisabledPhotoTakesNoClick)
{
    ASSERT_TRUE(Open());
    ClickPhoto(kOrder[0]);
    ClickPhoto(kOrder[1]);
    ClickPhoto(kOrder[1]);
    EXPECT_EQ(2, mPuzzle->GetClickedCount());
    EXPECT_EQ(5, EnabledCount());
}

TEST_F(ChasePhotoTest, TheCountGoesOnAfterLeavingWithEveryPhotoShownEnabled)
{
    ASSERT_TRUE(Open());
    for (int i = 0; i < 3; ++i) {
        ClickPhoto(kOrder[i]);
    }
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    EXPECT_EQ(7, EnabledCount());
    EXPECT_EQ(3, mPuzzle->GetClickedCount());
    ClickPhoto(kOrder[3]);
    EXPECT_EQ(4, mPuzzle->GetClickedCount());
}

TEST_F(ChasePhotoTest, TheMarkingEventIsRaisedAtAnyLevelAndTheVoicePlaysAtEasyOnly)
{
    ASSERT_TRUE(Open());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_chasephotopuzzle_initvo"));
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
    ASSERT_TRUE(mHarness.Back(mPuzzle));

    LEventManager::Get()->RemoveAllEvents();
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
    EXPECT_EQ("puzzleVO", ToStd(LFakeSoundManager::sMade[0].mName));
    EXPECT_EQ("//sounds/hi18_rg.ogg", ToStd(LFakeSoundManager::sMade[0].mFileName));
    // Leaving lets the voice play on.
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("puzzleVO"));
    ASSERT_NE(nullptr, voice);
    EXPECT_TRUE(voice->mPlaying);
    ASSERT_TRUE(GMPuzzleHarness::EndStream("puzzleVO"));
    EXPECT_EQ(nullptr, mPuzzle->GetSound());
}

TEST_F(ChasePhotoTest, ALayoutThatDoesNotLoadLogsItsProblemAndShowsNothing)
{
    std::filesystem::remove(mHarness.Roots().Path() + "/" + kLayout);
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, mHarness.Log().Count("Hm, problem..."));
    // Nothing else but the file system's own line.
    EXPECT_EQ(2, mHarness.Log().Count("ERROR: "));
    EXPECT_EQ(1, mHarness.Log().Count("JCPuzzle_layout.txt"));
    EXPECT_TRUE(mHarness.Log().Contains("Hm, problem..."));
    EXPECT_EQ(nullptr, Photo(kOrder[0]));
    EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mPuzzle, "back_btn"));
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
}

TEST_F(ChasePhotoTest, AMissingOrMalformedOrderIsLoggedAndNoClickCounts)
{
    const std::string photos = "g03-Buttons\n\tbirthday\n\t\tid=birthday\n\t\tposition=100|100\n\t\tstates\n\t\t\tn\n"
                               "\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n\t\t\t\tid=b_n\n"
                               "\t\t\t\ttexture=photos.tga\n\t\t\t\ttexturecoords=0|0|139|99\n";
    for (const std::string& order : {std::string(""), std::string("solution\n\torder=birthday|a|b|c|d|e\n"),
                                     std::string("solution\n\torder=birthday|a|b|c|d|e|BIRTHDAY\n"),
                                     std::string("solution\n\torder=birthday||a|b|c|d|e|f\n")}) {
        SCOPED_TRACE(order);
        mHarness.Roots().Write(kLayout, photos + order);
        mHarness.Log().Clear();
        ASSERT_TRUE(Open());
        EXPECT_EQ(1, mHarness.Log().Count("Layout value missing or malformed: solution.order"));
        ClickPhoto("birthday");
        EXPECT_EQ(0, mPuzzle->GetClickedCount());
        EXPECT_TRUE(Photo("birthday")->GetEnabled());
        GMPuzzleHarness::SetState(kActive, false);
        GMPuzzleHarness::Settle();
    }
}

TEST_F(ChasePhotoTest, ItsStateTurningFalsePopsItOnlyWhenItIsOnTop)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    CoverScreen cover;
    ASSERT_TRUE(screens->PushScreen(&cover));
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    EXPECT_GE(screens->IndexOf(mPuzzle), 0);
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(screens->PopScreen(&popped));
    GMPuzzleHarness::SetState(kActive, true);
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_LT(screens->IndexOf(mPuzzle), 0);
    EXPECT_FALSE(mPuzzle->IsShown());
}
