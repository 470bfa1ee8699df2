// The lifecycle every puzzle shares, on a puzzle of the test's own: closing on the state
// only from the top, the deferred teardown from inside a button's callback, the voice's
// end and a voice that cannot be made, the hand-over to the cut scene, and the setup's
// choices for the bar and the voice at the hiding.
#include "puzzles/GMPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LLayoutBuilder.h"
#include "container/LPropertyList.h"
#include "interview/GMSubtitle.h"
#include "pda/GMPDAMinimized.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeMovieManager.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kActive = "sta_testpuzzle_active";

std::string Button(const char* aId, int aX, int aY)
{
    return std::string("\t\tid=") + aId + "\n\t\tposition=" + std::to_string(aX) + "|" + std::to_string(aY) +
           "\n\t\tstates\n\t\t\tn\n\t\t\t\tstatetype=n\n\t\t\t\tobjecttype=sprite\n\t\t\t\tid=" + aId +
           "_n\n\t\t\t\ttexture=back_btn.tga\n\t\t\t\ttexturecoords=0|0|95|31\n";
}

class TestPuzzle;
GMPuzzleSlot<TestPuzzle> sSlot;
GMPuzzleSetup gSetup;

// Two buttons of its own: "rebuild" tears the display down and builds it again, "handover"
// hands over to a cut scene.
class TestPuzzle : public GMPuzzle
{
public:
    static TestPuzzle* GetInstance() { return sSlot.Get(L_FILE, __LINE__); }
    TestPuzzle() : GMPuzzle(gSetup) {}
    ~TestPuzzle() override
    {
        sSlot.Destroyed(this);
        Shutdown();
    }

    void OnButton(const LString& aId, int aEvent) override
    {
        if (aEvent == XBTNEVENT_CLICKED && aId == LString("rebuild")) {
            // The button is deleted by the teardown: not from inside its own callback.
            Defer([this] {
                mSteps.push_back("rebuild");
                OnHidden();
                OnShow();
            });
        } else if (aEvent == XBTNEVENT_CLICKED && aId == LString("handover")) {
            LVectorString changes;
            for (const char* part : {"sta_a", "boolean", "true"}) {
                changes.Add(LString(part));
            }
            HandOver(LString("case01/riverbank"), LString("vp02"), changes, LString("1cs10.bik"));
        } else {
            GMPuzzle::OnButton(aId, aEvent);
        }
    }

    std::vector<std::string> mSteps;

protected:
    void BuildPieces() override
    {
        for (const char* path : {"groups.g03-rebuild", "groups.g04-handover"}) {
            LButton* button = LLayoutBuilder::BuildButton(GetLayout()->GetList(LString(path)), this);
            ASSERT_NE(nullptr, button);
            GetRoot()->AddMember(button, true);
        }
    }
    void OnVoiceEnded(const LString& aName) override { mSteps.push_back("ended " + ToStd(aName)); }
};

class PuzzleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gSetup = GMPuzzleSetup();
        gSetup.mClassName = "TestPuzzle";
        gSetup.mActiveState = kActive;
        gSetup.mLayoutFile = "//textures/puzzles/test/layout.txt";
        gSetup.mTextureRoot = "//textures/puzzles/test";
        gSetup.mVoiceEvent = "evt_testpuzzle_initvo";
        gSetup.mEasyVoice = "hi02_rg";
        gSetup.mVoice = "1cn05_rg";
        ASSERT_TRUE(mHarness.Ready());
        ASSERT_TRUE(mHarness.CopySample("textures/back_btn.tga", "textures/puzzles/test/back_btn.tga"));
        mHarness.Roots().Write("data/textures/puzzles/test/layout.txt",
                               "groups\n\tg01-background\n\t\tid=test_layout\n\tg02-backbutton\n" +
                                   Button("back_btn", 690, 550) + "\tg03-rebuild\n" + Button("rebuild", 100, 100) +
                                   "\tg04-handover\n" + Button("handover", 300, 100));
    }

    TestPuzzle* Make()
    {
        TestPuzzle* puzzle = TestPuzzle::GetInstance();
        EXPECT_NE(nullptr, puzzle);
        return puzzle;
    }

    GMPuzzleHarness mHarness;
};

} // namespace

TEST_F(PuzzleTest, TheStateTurningFalsePopsThePuzzleOnlyWhenItIsTheTopScreen)
{
    TestPuzzle* puzzle = Make();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    // Not open: the scene is not popped.
    GMPuzzleHarness::SetState(kActive, false);
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(1, screens->GetCount());

    ASSERT_TRUE(mHarness.Open(kActive, puzzle));
    // Covered by another screen: the cover stays.
    GMHarnessScene cover;
    ASSERT_TRUE(screens->PushFade(&cover));
    GMPuzzleHarness::Settle();
    ASSERT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    GMPuzzleHarness::SetState(kActive, false);
    EXPECT_FALSE(screens->IsBusy());
    EXPECT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(screens->PopFade(&popped));
    GMPuzzleHarness::Settle();

    // On top: popped with a fade.
    ASSERT_EQ(static_cast<GMIScreen*>(puzzle), screens->GetTop());
    GMPuzzleHarness::SetState(kActive, false);
    EXPECT_TRUE(screens->IsBusy());
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&mHarness.Scene()), screens->GetTop());
    EXPECT_FALSE(puzzle->IsShown());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(PuzzleTest, ARebuildAskedForByAButtonRunsAtTheNextFramePass)
{
    TestPuzzle* puzzle = Make();
    ASSERT_TRUE(mHarness.Open(kActive, puzzle));
    LDisplayGroup* before = puzzle->GetRoot();
    LIDisplayObject* button = GMPuzzleHarness::Member(puzzle, "rebuild");
    ASSERT_NE(nullptr, button);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(button));
    EXPECT_TRUE(puzzle->mSteps.empty()); // not inside the button's callback
    EXPECT_EQ(before, puzzle->GetRoot());
    GMPuzzleHarness::Frames(1);
    EXPECT_EQ((std::vector<std::string> {"rebuild"}), puzzle->mSteps);
    EXPECT_TRUE(puzzle->IsShown());
    ASSERT_NE(nullptr, GMPuzzleHarness::Member(puzzle, "rebuild"));
    // The rebuilt button works again, and so does the back button.
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(GMPuzzleHarness::Member(puzzle, "rebuild")));
    GMPuzzleHarness::Frames(1);
    EXPECT_EQ(2u, puzzle->mSteps.size());
    EXPECT_TRUE(mHarness.Back(puzzle));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(PuzzleTest, TheHandOverStopsTheSceneAudioThenGivesThePlayerTargetStatesAndMovie)
{
    TestPuzzle* puzzle = Make();
    ASSERT_TRUE(mHarness.Open(kActive, puzzle));
    LFakeMovieManager::Reset();
    mHarness.Scene().SetKeepAudio(true);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(GMPuzzleHarness::Member(puzzle, "handover")));
    EXPECT_FALSE(mHarness.Scene().GetKeepAudio());
    GMCutScenePlayer* player = GMCutScenePlayer::Peek();
    ASSERT_NE(nullptr, player);
    EXPECT_EQ("case01/riverbank", ToStd(player->GetTargetScene()));
    EXPECT_EQ("vp02", ToStd(player->GetTargetViewpoint()));
    EXPECT_EQ(3, player->GetStateChanges().GetCount());
    // The movie shows once the puzzle has faded away; the state waits for its end.
    GMPuzzleHarness::Settle();
    EXPECT_EQ(player, GMScreenManager::GetInstance()->GetTop());
    EXPECT_FALSE(puzzle->IsShown());
    ASSERT_EQ(1u, LFakeMovieManager::sMade.size());
    EXPECT_EQ("//dataroot/movies/1cs10.bik", ToStd(LFakeMovieManager::sMade[0].mFileName));
    EXPECT_FALSE(GMPuzzleHarness::StateIsTrue("sta_a"));
}

TEST_F(PuzzleTest, AVoiceThatCannotBeMadeDoesWhatItsEndWouldHaveDone)
{
    gSetup.mVoice = "missing_voice"; // refused by the fake sound manager
    TestPuzzle* puzzle = Make();
    ASSERT_TRUE(mHarness.Open(kActive, puzzle));
    EXPECT_EQ(nullptr, puzzle->GetSound());
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_EQ((std::vector<std::string> {"ended hintAudio"}), puzzle->mSteps);
    EXPECT_EQ(1, mHarness.Log().Count("ASSERT FAILURE: "));
}

TEST_F(PuzzleTest, APuzzleThatKeepsItsVoiceLetsItPlayOnOverTheSceneAndLeavesTheBarAlone)
{
    gSetup.mHidesBar = false;
    gSetup.mDeleteSoundOnHide = false;
    gSetup.mFadeSubtitleOnHide = false;
    TestPuzzle* puzzle = Make();
    ASSERT_TRUE(mHarness.Open(kActive, puzzle));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    ASSERT_TRUE(mHarness.Back(puzzle));
    LFakeSoundPlayer* voice = LFakeSoundPlayer::Find(LString("hintAudio"));
    ASSERT_NE(nullptr, voice);
    EXPECT_TRUE(voice->mPlaying);
    EXPECT_TRUE(GMSubtitle::GetInstance()->IsShowing());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_EQ(nullptr, puzzle->GetSound());
    EXPECT_EQ((std::vector<std::string> {"ended hintAudio"}), puzzle->mSteps);
}

TEST_F(PuzzleTest, TheVoiceEndFadesTheSubtitleDeletesThePlayerAndThenFollowsUp)
{
    TestPuzzle* puzzle = Make();
    ASSERT_TRUE(mHarness.Open(kActive, puzzle));
    ASSERT_TRUE(GMSubtitle::GetInstance()->IsShowing());
    ASSERT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    EXPECT_FALSE(GMSubtitle::GetInstance()->IsShowing());
    EXPECT_EQ(nullptr, puzzle->GetSound());
    EXPECT_EQ((std::vector<std::string> {"ended hintAudio"}), puzzle->mSteps);
}
