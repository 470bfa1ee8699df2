// The combination lock on the sample's keypad: the code and the display, the keys' press
// and release, the buzz and the opening sound, the hand-over to the cut scene, and a later
// showing (or game) starting unsolved.
#include "puzzles/combination/GMCombinationLockPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "puzzles/combination/GMCombinationDisplay.h"
#include "puzzles/combination/GMKeypadButton.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kActive = GMCombinationLockPuzzle::kActiveState;

class CombinationLockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMCombinationLockPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LFakeSoundManager::sMade.clear();
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    GMKeypadButton* Key(const std::string& aId)
    {
        return dynamic_cast<GMKeypadButton*>(GMPuzzleHarness::Member(mPuzzle, ("keypad_buttons." + aId).c_str()));
    }

    // The middle of the key's active area (the sample's keys are 60 x 48 at their position).
    LVector2 At(const std::string& aId)
    {
        GMKeypadButton* key = Key(aId);
        return key != nullptr ? key->GetWorldPosition() + LVector2(30.0f, 24.0f) : LVector2(-100.0f, -100.0f);
    }

    void Press(const std::string& aKeys)
    {
        for (char c : aKeys) {
            GMPuzzleHarness::Click(At(std::string(1, c)));
        }
    }

    void Enter() { GMPuzzleHarness::Click(At("enter")); }

    std::string Code() const { return mPuzzle->GetDisplay() != nullptr ? ToStd(mPuzzle->GetDisplay()->GetCode()) : "?"; }

    static int Made(const char* aFile)
    {
        int count = 0;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            count += ToStd(made.mFileName) == aFile ? 1 : 0;
        }
        return count;
    }


    GMPuzzleHarness mHarness;
    GMCombinationLockPuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(CombinationLockTest, TheRightCodeDisablesTheScreenRaisesItsEventAndHandsOverAtTheOpeningSoundsEnd)
{
    ASSERT_TRUE(Open());
    ASSERT_NE(nullptr, mPuzzle->GetRoot());
    EXPECT_EQ("kaypad_layout", ToStd(mPuzzle->GetRoot()->GetId()));
    Press(GMCombinationLockPuzzle::CODE);
    EXPECT_EQ(GMCombinationLockPuzzle::CODE, Code());
    for (int place = 0; place < GMCombinationDisplay::kPlaces; ++place) {
        LIDisplayObject* shown = mPuzzle->GetDisplay()->GetShown(place);
        ASSERT_NE(nullptr, shown) << place;
        EXPECT_EQ("dsp_0" + std::to_string(place + 1) + "_" + GMCombinationLockPuzzle::CODE[place], ToStd(shown->GetId()));
        EXPECT_TRUE(shown->GetVisible());
    }
    EXPECT_EQ(7, Made("//dataroot/sounds/blip.wav"));
    Enter();
    EXPECT_TRUE(mPuzzle->IsSolved());
    EXPECT_FALSE(mPuzzle->GetRoot()->GetEnabled());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_1cs10_solved"));
    LFakeSoundPlayer* entry = LFakeSoundPlayer::Find(LString("buzz"));
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ("//dataroot/sounds/entry.mp2", ToStd(entry->mFileName));
    EXPECT_TRUE(entry->mPlaying);
    EXPECT_EQ("", GMPuzzleHarness::CutSceneCalls());

    // Keys do nothing once the code was right: no click, no digit, no second opening.
    EXPECT_EQ(8, Made("//dataroot/sounds/blip.wav"));
    Press("1");
    Enter();
    EXPECT_EQ(GMCombinationLockPuzzle::CODE, Code());
    EXPECT_EQ(8, Made("//dataroot/sounds/blip.wav"));
    EXPECT_EQ(1, Made("//dataroot/sounds/entry.mp2"));

    ASSERT_TRUE(GMPuzzleHarness::EndStream("buzz"));
    GMPuzzleHarness::Frames(1);
    EXPECT_EQ("SetTarget(case01/castillosecretapt|vp_start);SetStateChanges();Play(Secret_Apt_Door.bik);", GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(CombinationLockTest, WithoutTheOpeningSoundTheHandOverFollowsAtOnce)
{
    LFakeSoundManager::sRefuseUnfound = true; // no sound file is under the test's roots
    ASSERT_TRUE(Open());
    Press(GMCombinationLockPuzzle::CODE);
    Enter();
    GMPuzzleHarness::Frames(1);
    EXPECT_EQ("SetTarget(case01/castillosecretapt|vp_start);SetStateChanges();Play(Secret_Apt_Door.bik);", GMPuzzleHarness::CutSceneCalls());
}

TEST_F(CombinationLockTest, AnEighthDigitIsIgnoredAndAShortCodeBuzzesAndEmptiesTheDisplay)
{
    ASSERT_TRUE(Open());
    Press("529");
    Enter();
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_EQ("", Code());
    EXPECT_EQ(nullptr, mPuzzle->GetDisplay()->GetShown(0));
    LFakeSoundPlayer* buzz = LFakeSoundPlayer::Find(LString("buzz"));
    ASSERT_NE(nullptr, buzz);
    EXPECT_EQ("//dataroot/sounds/buzz.mp2", ToStd(buzz->mFileName));
    EXPECT_EQ(nullptr, buzz->mListener);
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_1cs10_solved"));

    Press(std::string(GMCombinationLockPuzzle::CODE) + "1");
    EXPECT_EQ(GMCombinationLockPuzzle::CODE, Code());
    Enter();
    EXPECT_TRUE(mPuzzle->IsSolved());
}

TEST_F(CombinationLockTest, EnterAndClearAreComparedIgnoringCaseTheCodeExactly)
{
    ASSERT_TRUE(Open());
    mPuzzle->OnKey(LString("5"));
    mPuzzle->OnKey(LString("Clear"));
    EXPECT_EQ("", Code());
    for (const char* digit : {"5", "2", "9", "3", "0", "4", "7"}) {
        mPuzzle->OnKey(LString(digit));
    }
    mPuzzle->OnKey(LString("ENTER"));
    EXPECT_TRUE(mPuzzle->IsSolved());
}

TEST_F(CombinationLockTest, ACodeOfOtherKeyIdsIsWrong)
{
    ASSERT_TRUE(Open());
    for (const char* id : {"5", "2", "9", "3", "0", "4", "x"}) {
        mPuzzle->OnKey(LString(id));
    }
    mPuzzle->OnKey(LString("enter"));
    EXPECT_FALSE(mPuzzle->IsSolved());
}

TEST_F(CombinationLockTest, AKeyPressedInsideAndReleasedOutsideIsEnteredAPressOutsideShowsNothing)
{
    ASSERT_TRUE(Open());
    GMKeypadButton* five = Key("5");
    ASSERT_NE(nullptr, five);
    GMPuzzleHarness::MoveTo(At("5"));
    LMouse::Get()->OnButtonDown(1);
    EXPECT_TRUE(five->GetPressed()->GetVisible());
    GMPuzzleHarness::MoveTo(LVector2(20.0f, 20.0f));
    LMouse::Get()->OnButtonUp(1);
    EXPECT_FALSE(five->GetPressed()->GetVisible());
    EXPECT_EQ("5", Code());

    LFakeSoundManager::sMade.clear();
    GMPuzzleHarness::MoveTo(LVector2(20.0f, 20.0f));
    LMouse::Get()->OnButtonDown(1);
    for (const char* id : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "enter", "clear"}) {
        ASSERT_NE(nullptr, Key(id)) << id;
        EXPECT_FALSE(Key(id)->GetPressed()->GetVisible()) << id;
    }
    LMouse::Get()->OnButtonUp(1);
    EXPECT_EQ("5", Code());
    EXPECT_TRUE(LFakeSoundManager::sMade.empty());
}

TEST_F(CombinationLockTest, ALaterShowingAndALaterGameStartUnsolvedAndTheVoicesEndStartsNoCutScene)
{
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, Made("//sounds/hi04_rg.ogg"));
    Press(GMCombinationLockPuzzle::CODE);
    Enter();
    ASSERT_TRUE(mPuzzle->IsSolved());
    // The cut scene has not taken the screen down (the stand-in plays nothing): the game
    // ends and a new one begins.
    mPuzzle->OnButton(LString("back_btn"), 4);
    GMPuzzleHarness::Settle();
    ASSERT_FALSE(mPuzzle->IsShown());
    LEventManager::Get()->RemoveAllEvents();
    GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    const std::string calls = GMPuzzleHarness::CutSceneCalls();

    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_TRUE(mPuzzle->GetRoot()->GetEnabled());
    EXPECT_EQ("", Code());
    EXPECT_EQ(1, Made("//sounds/2ls08_rg.ogg"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    GMPuzzleHarness::Frames(2);
    EXPECT_EQ(calls, GMPuzzleHarness::CutSceneCalls());
    Press("12");
    EXPECT_EQ("12", Code());
}

TEST_F(CombinationLockTest, ItsStateTurningFalseDoesNothingAndTheHidingLeavesNothing)
{
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(Open());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), GMScreenManager::GetInstance()->GetTop());
    Press("529");
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
    EXPECT_EQ(nullptr, mPuzzle->GetDisplay());
    ASSERT_TRUE(Open());
    EXPECT_EQ("", Code()); // the digits do not survive a hiding
}

TEST_F(CombinationLockTest, AKeyListMissingOneOfItsValuesGivesNoKey)
{
    mHarness.Roots().Write("data/textures/puzzles/keypad/keypad_layout.txt",
                           "groups\n\tg03-buttons\n\t\tbuttons\n"
                           "\t\t\ta\n\t\t\t\tid=1\n\t\t\t\tposition=10|10\n\t\t\t\tsprite\n\t\t\t\t\ttexture=keypad_parts.tga\n"
                           "\t\t\tb\n\t\t\t\tid=2\n\t\t\t\tposition=10|10\n\t\t\t\tactivearea=0|0|50|0|50|50|0|50\n"
                           "\t\t\tc\n\t\t\t\tid=3\n\t\t\t\tposition=10|10\n\t\t\t\tactivearea=0|0|50|0|50|50|0|50\n"
                           "\t\t\t\tsprite\n\t\t\t\t\tid=c\n\t\t\t\t\ttexture=keypad_parts.tga\n\t\t\t\t\ttexturecoords=0|0|9|9\n");
    ASSERT_TRUE(Open());
    EXPECT_EQ(nullptr, Key("1"));
    EXPECT_EQ(nullptr, Key("2"));
    ASSERT_NE(nullptr, Key("3"));
    GMPuzzleHarness::Click(LVector2(25.0f, 25.0f));
    EXPECT_EQ("3", Code());
}
