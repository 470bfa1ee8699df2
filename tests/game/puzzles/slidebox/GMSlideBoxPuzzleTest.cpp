// The slide box on the sample's layout: the bars' stops and steps, the arrows off while a
// bar slides, the slide sound in place of the voice, the opening at the next frame pass
// after the last arrival, and leaving mid-slide.
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "puzzles/slidebox/GMSliderPiece.h"
#include "stdlib/LFrameManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char* const kActive = GMSlideBoxPuzzle::kActiveState;
const char* const kLayout = "data/textures/puzzles/sliderbox/lockbox_puzzle_layout.txt";

class SlideBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMSlideBoxPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    GMSliderPiece* Bar(int aIndex) { return mPuzzle->GetPiece(aIndex); }

    // Clicks the arrow aArrow of bar aIndex (0 based).
    void Arrow(int aIndex, const char* aArrow)
    {
        const std::string path = "bar" + std::to_string(aIndex + 1) + "." + aArrow;
        LIDisplayObject* arrow = GMPuzzleHarness::Member(mPuzzle, path.c_str());
        ASSERT_NE(nullptr, arrow) << path;
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(arrow));
    }

    // Frames until no bar slides (at most aLimit).
    void UntilRest(int aLimit = 400)
    {
        for (int i = 0; i < aLimit && Sliding(); ++i) {
            GMPuzzleHarness::Frames(1);
        }
    }

    bool Sliding()
    {
        for (int i = 0; i < mPuzzle->GetPieces().GetCount(); ++i) {
            if (Bar(i)->IsSliding()) {
                return true;
            }
        }
        return false;
    }

    bool AllArrowsEnabled()
    {
        for (int i = 0; i < mPuzzle->GetPieces().GetCount(); ++i) {
            for (int b = 0; b < 2; ++b) {
                if (Bar(i)->GetButton(b) == nullptr || !Bar(i)->GetButton(b)->IsEnabled()) {
                    return false;
                }
            }
        }
        return true;
    }

    static int Made(const char* aName)
    {
        int count = 0;
        for (const LFakeSoundManager::Made& made : LFakeSoundManager::sMade) {
            count += ToStd(made.mName) == aName ? 1 : 0;
        }
        return count;
    }

    std::string SampleLayout()
    {
        std::ifstream in(mHarness.Roots().Path() + "/" + kLayout);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    GMPuzzleHarness mHarness;
    GMSlideBoxPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- Building ------------------------------------------------------------------------

TEST_F(SlideBoxTest, EveryShowingBuildsTheBarsAtStopOneHalfBlendedStandingBelowLying)
{
    ASSERT_TRUE(Open());
    ASSERT_EQ(3, mPuzzle->GetPieces().GetCount());
    EXPECT_EQ("sliderbox_puzzle_layout", ToStd(mPuzzle->GetRoot()->GetId()));
    EXPECT_NE(nullptr, GMPuzzleHarness::Member(mPuzzle, "lockbox_background"));
    EXPECT_EQ(GMSliderPiece::kVertical, Bar(0)->GetAxis());
    EXPECT_EQ(20.0f, Bar(0)->GetRelativeZ());
    EXPECT_EQ(GMSliderPiece::kHorizontal, Bar(2)->GetAxis());
    EXPECT_EQ(25.0f, Bar(2)->GetRelativeZ());
    EXPECT_EQ(0.5f, Bar(2)->GetBlend());
    Arrow(0, "down");
    UntilRest();
    EXPECT_EQ(2, Bar(0)->GetStop());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    EXPECT_EQ(1, Bar(0)->GetStop());
    EXPECT_EQ(139.0f, Bar(0)->GetWorldPosition().y);
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(SlideBoxTest, ALayoutThatDoesNotLoadLogsItsErrorAndBarsWithoutIdTypeOrPositionAreLeftOut)
{
    const std::string layout = SampleLayout();
    std::filesystem::remove(mHarness.Roots().Path() + "/" + kLayout);
    ASSERT_TRUE(Open());
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("ERROR: "));
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("Failed to load sliderbox layout"));
    EXPECT_EQ(0, mPuzzle->GetPieces().GetCount());
    // Without a back button in the layout.
    mPuzzle->OnButton(LString(GMPuzzle::kBackButtonId), 4);
    GMPuzzleHarness::Settle();
    ASSERT_FALSE(mPuzzle->IsShown());

    std::string broken = layout;
    broken.replace(broken.find("\t\t\ttype=horizontal\n"), 19, "");
    broken.replace(broken.find("\t\t\tposition=250|139\n"), 20, "");
    mHarness.Roots().Write(kLayout, broken);
    GMPuzzleHarness::SetState(kActive, false);
    mHarness.Log().Clear();
    ASSERT_TRUE(Open());
    EXPECT_EQ("", mHarness.Log().Problems());
    ASSERT_EQ(1, mPuzzle->GetPieces().GetCount());
    EXPECT_EQ("bar1", ToStd(Bar(0)->GetId()));
}

// --- Sliding -------------------------------------------------------------------------

TEST_F(SlideBoxTest, ABarStepsTwoPixelsOnlyAfterMoreThanAFortiethOfASecondAndLandsOnItsStopExactly)
{
    ASSERT_TRUE(Open());
    Arrow(0, "down");
    ASSERT_TRUE(Bar(0)->IsSliding());
    const double start = LFakeTimer::sNow;
    LFakeTimer::FrameAt(start + 0.025);
    EXPECT_EQ(139.0f, Bar(0)->GetWorldPosition().y);
    LFakeTimer::FrameAt(start + 0.026);
    EXPECT_EQ(141.0f, Bar(0)->GetWorldPosition().y);
    LFakeTimer::FrameAt(start + 0.050); // 0.024 later
    EXPECT_EQ(141.0f, Bar(0)->GetWorldPosition().y);
    UntilRest();
    EXPECT_EQ(179.0f, Bar(0)->GetWorldPosition().y);
    EXPECT_EQ(2, Bar(0)->GetStop());
    EXPECT_TRUE(AllArrowsEnabled());

    Arrow(2, "left");
    UntilRest();
    EXPECT_EQ(18.0f, Bar(2)->GetWorldPosition().x);
    EXPECT_EQ(340.0f, Bar(2)->GetWorldPosition().y);
}

TEST_F(SlideBoxTest, TheFirstMoveGoesFromTheLayoutPositionToTheNextStop)
{
    std::string layout = SampleLayout();
    layout.replace(layout.find("position=150|139"), 16, "position=150|120");
    mHarness.Roots().Write(kLayout, layout);
    ASSERT_TRUE(Open());
    EXPECT_EQ(120.0f, Bar(0)->GetWorldPosition().y);
    Arrow(0, "up");
    GMPuzzleHarness::Frames(1);
    EXPECT_EQ(118.0f, Bar(0)->GetWorldPosition().y);
    UntilRest();
    EXPECT_EQ(98.0f, Bar(0)->GetWorldPosition().y);
}

TEST_F(SlideBoxTest, NoArrowGoesPastTheEndStopsAndNoneAnswersWhileABarSlides)
{
    ASSERT_TRUE(Open());
    Arrow(0, "up");
    UntilRest();
    ASSERT_EQ(0, Bar(0)->GetStop());
    LFakeSoundManager::sMade.clear();
    Arrow(0, "up");
    EXPECT_FALSE(Bar(0)->IsSliding());
    EXPECT_EQ(0, Made("slide"));
    EXPECT_TRUE(AllArrowsEnabled());
    Arrow(2, "right");
    UntilRest();
    Arrow(2, "right");
    EXPECT_EQ(2, Bar(2)->GetStop());
    EXPECT_EQ(1, Made("slide"));
    EXPECT_TRUE(AllArrowsEnabled());

    // Bar 2 to stop 0 (not its solving stop, so the box stays shut).
    Arrow(1, "up");
    ASSERT_TRUE(Bar(1)->IsSliding());
    EXPECT_FALSE(AllArrowsEnabled());
    Arrow(0, "down");
    Arrow(1, "down");
    EXPECT_EQ(0, Bar(0)->GetStop());
    EXPECT_FALSE(Bar(0)->IsSliding());
    EXPECT_EQ(0, Bar(1)->GetStop());
    UntilRest();
    EXPECT_TRUE(AllArrowsEnabled());
}

TEST_F(SlideBoxTest, ASlideDuringTheVoiceOverDeletesTheVoiceAtOnce)
{
    ASSERT_TRUE(Open());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    Arrow(1, "down");
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    LFakeSoundPlayer* slide = LFakeSoundPlayer::Find(LString("slide"));
    ASSERT_NE(nullptr, slide);
    EXPECT_EQ(slide, mPuzzle->GetSound());
    EXPECT_TRUE(slide->mPlaying);
}

// --- Opening and leaving -------------------------------------------------------------

TEST_F(SlideBoxTest, TheLastArrivalAtTheSolvingStopsOpensTheBoxAtTheNextFramePass)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    Arrow(0, "up");
    UntilRest();
    Arrow(1, "down");
    UntilRest();
    EXPECT_FALSE(mPuzzle->IsSolved());
    Arrow(2, "right");
    // Up to the arrival: the bar lands, the box is solved and logs it, and the bars are
    // still there.
    while (!mPuzzle->IsSolved() && Bar(2)->IsSliding()) {
        GMPuzzleHarness::Frames(1);
    }
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_EQ(1, mHarness.Log().Count("Puzzle solved!"));
    EXPECT_TRUE(mPuzzle->IsShown());
    EXPECT_EQ("", GMPuzzleHarness::CutSceneCalls());

    GMPuzzleHarness::Frames(1);
    // Off the stack at once, without a fade of its own: the cut scene comes over the scene.
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_LT(screens->IndexOf(mPuzzle), 0);
    EXPECT_EQ(0, screens->IndexOf(&mHarness.Scene()));
    EXPECT_EQ(static_cast<GMIScreen*>(GMCutScenePlayer::Peek()), screens->GetTop());
    EXPECT_EQ("SetTarget(case01/franksapt|vp_bedroom);SetStateChanges(sta_cu_1fd03_visible|boolean|true);"
              "Play(LockBox_Open.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_slideboxpuzzle_solved"));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(SlideBoxTest, TheBackButtonMidSlideLeavesNoFrameListenerAndTheActiveStateFalseNothing)
{
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(Open());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(mPuzzle->IsShown());
    Arrow(0, "down");
    ASSERT_TRUE(Bar(0)->IsSliding());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("slide")));
    EXPECT_EQ("", mHarness.Log().Problems());
}
