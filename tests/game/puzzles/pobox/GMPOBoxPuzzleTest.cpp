// The PO box on the sample's layout (combination 3, the pair 5 and 8, 6): start digits
// never on a dial's part, the dials' turning, the pair in either order, solving on any
// dial's click with the hand-over after the screen has left the stack, a pinned generator,
// and bad layouts.
#include "puzzles/pobox/GMPOBoxPuzzle.h"

#include "GMScreenManager.h"
#include "LPolygon.h"
#include "LRectangle.h"
#include "Gdi/LDisplayGroup.h"
#include "pda/GMPDAMinimized.h"
#include "puzzles/pobox/GMPOBoxDial.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestCutScenes.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kActive = GMPOBoxPuzzle::kActiveState;
const char* const kLayout = "data/textures/puzzles/pobox/POBox_layout.txt";

// A layout of aDials dials (faces and buttons from the sample's atlas), a back button and
// the combination line aCombination ("" for none).
std::string Layout(int aDials, const std::string& aCombination)
{
    std::string text = "g01-background\n\tid=background\n\ttexture=pobox.bmp\ng02-dials\n";
    for (int i = 0; i < aDials; ++i) {
        const std::string n = std::to_string(i + 1);
        text += "\tdial" + n + "\n\t\tid=dial" + n + "\n\t\tposition=" + std::to_string(100 + i * 110) +
                "|250\n\t\tsprite\n\t\t\tid=face" + n + "\n\t\t\ttexture=pobox_parts.tga\n\t\t\ttexturecoords=0|0|63|63\n"
                "\t\tbutton\n\t\t\tid=turn" + n + "\n\t\t\tposition=8|80\n\t\t\tstates\n\t\t\t\tn\n\t\t\t\t\tstatetype=n\n"
                "\t\t\t\t\tobjecttype=sprite\n\t\t\t\t\tid=turn" + n + "_n\n\t\t\t\t\ttexture=pobox_parts.tga\n"
                "\t\t\t\t\ttexturecoords=72|0|119|23\n";
    }
    text += "backbutton\n\tid=back_btn\n\tposition=690|550\n\tstates\n\t\tn\n\t\t\tstatetype=n\n"
            "\t\t\tobjecttype=sprite\n\t\t\tid=back_btn_n\n\t\t\ttexture=back_btn.tga\n\t\t\ttexturecoords=0|0|95|31\n";
    return aCombination.empty() ? text : text + "solution\n\tcombination=" + aCombination + "\n";
}

class POBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMPOBoxPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
    }

    void TearDown() override { LRandom::Pin(-1); }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    // Clicks dial aIndex's turn button.
    void Turn(int aIndex)
    {
        const std::string path = "dial" + std::to_string(aIndex + 1) + ".dial" + std::to_string(aIndex + 1) + "_turn";
        LIDisplayObject* button = GMPuzzleHarness::Member(mPuzzle, path.c_str());
        ASSERT_NE(nullptr, button) << path;
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(button));
    }

    // Turns dial aIndex until it shows aDigit.
    void TurnTo(int aIndex, int aDigit)
    {
        for (int i = 0; i < 10 && mPuzzle->GetDial(aIndex) != nullptr && mPuzzle->GetDial(aIndex)->GetValue() != aDigit; ++i) {
            Turn(aIndex);
        }
        ASSERT_EQ(aDigit, mPuzzle->GetDial(aIndex)->GetValue());
    }


    GMPuzzleHarness mHarness;
    GMPOBoxPuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(POBoxTest, OverManySeededBuildsNoDialStartsOnItsPartOfTheCombination)
{
    for (unsigned int seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        LRandom::Seed(seed);
        ASSERT_TRUE(Open());
        ASSERT_TRUE(mPuzzle->HasCombination());
        for (int dial = 0; dial < GMPOBoxPuzzle::kDials; ++dial) {
            ASSERT_NE(nullptr, mPuzzle->GetDial(dial));
            const int value = mPuzzle->GetDial(dial)->GetValue();
            EXPECT_TRUE(value >= 0 && value <= 9);
            EXPECT_FALSE(mPuzzle->IsOwnDigit(dial, value)) << dial << " " << value;
        }
        EXPECT_NE(3, mPuzzle->GetDial(0)->GetValue());
        EXPECT_NE(5, mPuzzle->GetDial(1)->GetValue());
        EXPECT_NE(8, mPuzzle->GetDial(2)->GetValue());
        EXPECT_NE(6, mPuzzle->GetDial(3)->GetValue());
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(POBoxTest, ADialGoesFromZeroToNineAndBackItsFaceTurningBack36DegreesADigit)
{
    LRandom::Pin(3); // the first dial avoids 3: it starts on 0
    ASSERT_TRUE(Open());
    GMPOBoxDial* dial = mPuzzle->GetDial(0);
    ASSERT_NE(nullptr, dial);
    ASSERT_EQ(0, dial->GetValue());
    for (int click = 1; click <= 10; ++click) {
        Turn(0);
        const int expected = click % 10;
        EXPECT_EQ(expected, dial->GetValue());
        ASSERT_NE(nullptr, dial->GetFace());
        EXPECT_FLOAT_EQ(static_cast<float>(expected) * -36.0f, dial->GetFace()->GetRotation());
    }
    dial->SetValue(12);
    EXPECT_EQ(0, dial->GetValue());
}

TEST_F(POBoxTest, TheFaceTurnsInPlaceSoEveryPartOfTheButtonTurnsTheDialAtEveryDigit)
{
    LRandom::Pin(0);
    ASSERT_TRUE(Open());
    for (int index = 0; index < GMPOBoxPuzzle::kDials; ++index) {
        GMPOBoxDial* dial = mPuzzle->GetDial(index);
        ASSERT_NE(nullptr, dial);
        ASSERT_NE(nullptr, dial->GetFace());
        const std::string path = "dial" + std::to_string(index + 1) + ".dial" + std::to_string(index + 1) + "_turn";
        LIDisplayObject* button = GMPuzzleHarness::Member(mPuzzle, path.c_str());
        ASSERT_NE(nullptr, button) << path;
        // The button's look is 48 x 24 from its corner; the face's 64 x 64 square lies at
        // the dial's own place.
        const LVector2 corner = button->GetWorldPosition();
        const LVector2 square = dial->GetWorldPosition();
        // Near the button's left and right ends in turn, as a quick player clicks.
        for (int click = 1; click <= 10; ++click) {
            const float x = click % 2 == 0 ? corner.x + 3.0f : corner.x + 45.0f;
            GMPuzzleHarness::Click(LVector2(x, corner.y + 12.0f));
            EXPECT_EQ(click % 10, dial->GetValue()) << "dial " << index << " click " << click;
            LPolygon boundary;
            ASSERT_TRUE(dial->GetFace()->GetWorldBoundary(&boundary));
            const LRectangle box(boundary);
            EXPECT_NEAR(square.x + 32.0f, box.GetX() + box.GetWidth() * 0.5f, 0.5f) << "click " << click;
            EXPECT_NEAR(square.y + 32.0f, box.GetY() + box.GetHeight() * 0.5f, 0.5f) << "click " << click;
        }
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(POBoxTest, AGeneratorPinnedOnADialsDigitStillEndsTheBuild)
{
    for (int pinned : {3, 5, 8, 6, 15}) { // 15 % 10 is 5
        SCOPED_TRACE(pinned);
        LRandom::Pin(pinned);
        ASSERT_TRUE(Open());
        for (int dial = 0; dial < GMPOBoxPuzzle::kDials; ++dial) {
            EXPECT_FALSE(mPuzzle->IsOwnDigit(dial, mPuzzle->GetDial(dial)->GetValue())) << dial;
        }
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    LRandom::Pin(3);
    ASSERT_TRUE(Open());
    EXPECT_EQ(0, mPuzzle->GetDial(0)->GetValue()); // the lowest digit outside {3}
    EXPECT_EQ(3, mPuzzle->GetDial(1)->GetValue());
}

TEST_F(POBoxTest, TheCompletingClickSolvesWhicheverDialAndThePairCountsEitherWay)
{
    GMPDAMinimized::GetInstance()->Show();
    ASSERT_TRUE(Open());
    EXPECT_EQ("poboxpuzzle", ToStd(mPuzzle->GetRoot()->GetId()));
    EXPECT_TRUE(GMPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    // The pair the other way round, the first dial last.
    TurnTo(1, 8);
    TurnTo(2, 5);
    TurnTo(3, 6);
    TurnTo(0, 2);
    EXPECT_FALSE(mPuzzle->IsSolved());
    Turn(0);
    EXPECT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(mPuzzle->IsShown()); // gone at the next frame pass, not inside the click
    GMPuzzleHarness::Frames(1);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_poboxpuzzle_solved"));
    EXPECT_EQ("SetTarget(case04/upsstore|vp_mailboxesleft);SetStateChanges(sta_cu_4mb02_visible|boolean|true);"
              "Play(UPS_BoxAnimax.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_LT(GMScreenManager::GetInstance()->IndexOf(mPuzzle), 0);
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_EQ(nullptr, mPuzzle->GetDial(0));
    // The hand is not released at the hiding.
    EXPECT_EQ(GMCursor::TYPE_HAND, GMCursor::GetInstance()->GetType());
    EXPECT_EQ("", mHarness.Log().Problems());

    // Again, once its cut scene has played, in the layout's order, the middle dial last.
    ASSERT_TRUE(GMTestCutScenes::PlayOut());
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsSolved());
    TurnTo(0, 3);
    TurnTo(2, 8);
    TurnTo(3, 6);
    TurnTo(1, 5);
    EXPECT_TRUE(mPuzzle->IsSolved());
}

TEST_F(POBoxTest, BadDialCountsAndCombinationsAreLoggedAndLeaveTheBoxShut)
{
    struct Case
    {
        int mDials;
        const char* mCombination;
        const char* mError;
        int mBuilt;
    };
    const Case cases[] = {
        {3, "3|5|8|6", "The box needs four dials, the layout has 3", 3},
        {4, "3|5|8", "Layout value missing or malformed: solution.combination", 4},
        {4, "3|5|x|6", "Layout value missing or malformed: solution.combination", 4},
        {4, "3|5|8.5|6", "Layout value missing or malformed: solution.combination", 4},
        {4, "3|5|10|6", "Layout value missing or malformed: solution.combination", 4},
        {4, "", "Layout value missing or malformed: solution.combination", 4},
        // Last: the box opens and its cut scene takes the game to the box's location.
        {5, "3|5|8|6", "The box needs four dials, the layout has 5", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mDials) + " " + c.mCombination);
        mHarness.Roots().Write(kLayout, Layout(c.mDials, c.mCombination));
        mHarness.Log().Clear();
        ASSERT_TRUE(Open());
        EXPECT_EQ(1, mHarness.Log().Count(c.mError));
        int built = 0;
        for (int dial = 0; dial < GMPOBoxPuzzle::kDials; ++dial) {
            built += mPuzzle->GetDial(dial) != nullptr ? 1 : 0;
        }
        EXPECT_EQ(c.mBuilt, built);
        EXPECT_EQ(nullptr, GMPuzzleHarness::Member(mPuzzle, "dial5"));
        // The first dial through every digit, the others on their parts: only four dials and
        // a good combination open the box (the fifth dial is ignored).
        for (int a = 0; a < 10 && built > 0 && !mPuzzle->IsSolved(); ++a) {
            for (int dial = 1; dial < built; ++dial) {
                mPuzzle->GetDial(dial)->SetValue(dial == 1 ? 5 : dial == 2 ? 8 : 6);
            }
            mPuzzle->GetDial(0)->SetValue(a);
        }
        const bool opens = c.mDials == 5;
        EXPECT_EQ(opens, mPuzzle->IsSolved());
        if (opens) {
            GMPuzzleHarness::Frames(1);
            EXPECT_FALSE(mPuzzle->IsShown());
            ASSERT_TRUE(GMTestCutScenes::PlayOut());
        } else {
            ASSERT_TRUE(mHarness.Back(mPuzzle));
        }
    }
}

TEST_F(POBoxTest, ItsStateTurningFalsePopsItOnlyWhenItIsOnTopAndTheHidingLeavesNothing)
{
    struct CoverScreen : GMIScreen
    {
        void OnLeave() override {}
        void OnHidden() override {}
        void OnShow() override {}
    } cover;
    const GMPuzzleFootprint before = mHarness.Footprint();
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    ASSERT_TRUE(screens->PushScreen(&cover));
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_EQ(static_cast<GMIScreen*>(&cover), screens->GetTop());
    GMIScreen* popped = nullptr;
    ASSERT_TRUE(screens->PopScreen(&popped));
    GMPuzzleHarness::SetState(kActive, true);
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    EXPECT_FALSE(mPuzzle->IsShown());
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
}
