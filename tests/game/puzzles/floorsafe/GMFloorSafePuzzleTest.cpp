// The floor safe on the sample's layout: the cubes' rolls with their transition pictures
// and indicators, the linking table by skill, the arrows off until the checking cube
// arrives, the combination, opening at the next frame pass, and broken layouts.
#include "puzzles/floorsafe/GMFloorSafePuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "puzzles/floorsafe/GMFloorSafeCube.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kActive = GMFloorSafePuzzle::kActiveState;
const char* const kLayout = "data/textures/puzzles/floorsafe/floorsafe_puzzle_layout.txt";

using Cube = GMFloorSafeCube;

class FloorSafeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMFloorSafePuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    Cube* CubeAt(int aNumber) { return mPuzzle->GetCube(aNumber - 1); }

    // Clicks the arrow of cube aNumber (1 based) without waiting.
    void Click(int aNumber, const char* aArrow)
    {
        const std::string path = std::string("floorsafe_cubes.cube") + std::to_string(aNumber) + "." + aArrow;
        LIDisplayObject* arrow = GMPuzzleHarness::Member(mPuzzle, path.c_str());
        ASSERT_NE(nullptr, arrow) << path;
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(arrow));
    }

    // Clicks, then passes frames until no cube turns.
    void Turn(int aNumber, const char* aArrow)
    {
        Click(aNumber, aArrow);
        for (int i = 0; i < 50 && Turning(); ++i) {
            GMPuzzleHarness::Frames(1);
        }
    }

    bool Turning()
    {
        for (int n = 1; n <= 5; ++n) {
            if (CubeAt(n) != nullptr && CubeAt(n)->IsTurning()) {
                return true;
            }
        }
        return false;
    }

    std::vector<int> Fronts()
    {
        std::vector<int> fronts;
        for (int n = 1; n <= 5; ++n) {
            fronts.push_back(CubeAt(n)->GetFace(Cube::FRONT));
        }
        return fronts;
    }

    bool AllArrowsEnabled(bool aEnabled)
    {
        for (int n = 1; n <= 5; ++n) {
            for (int b = 0; b < Cube::kButtonCount; ++b) {
                LButton* button = CubeAt(n) != nullptr ? CubeAt(n)->GetButton(b) : nullptr;
                if (button == nullptr || button->IsEnabled() != aEnabled) {
                    return false;
                }
            }
        }
        return true;
    }

    std::string SampleLayout()
    {
        std::ifstream in(mHarness.Roots().Path() + "/" + kLayout);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Which cubes' fronts a click on aCube's "up" changes, as "12" for cubes 1 and 2.
    std::string Moved(const char* aCube)
    {
        const std::vector<int> before = Fronts();
        if (std::string(aCube) == "other") {
            mPuzzle->OnCubeButton(LString("cube9"), LString("up"));
            for (int i = 0; i < 50 && Turning(); ++i) {
                GMPuzzleHarness::Frames(1);
            }
        } else {
            Turn(aCube[4] - '0', "up");
        }
        const std::vector<int> after = Fronts();
        std::string moved;
        for (int n = 0; n < 5; ++n) {
            moved += before[n] != after[n] ? std::to_string(n + 1) : "";
        }
        return moved;
    }

    GMPuzzleHarness mHarness;
    GMFloorSafePuzzle* mPuzzle = nullptr;
};

} // namespace

// --- A cube's turn -------------------------------------------------------------------

TEST_F(FloorSafeTest, UpShowsTheVerticalTransitionThenTheNorthFaceWithTheIndicatorsRolled)
{
    ASSERT_TRUE(Open());
    Cube* cube = CubeAt(5);
    ASSERT_NE(nullptr, cube);
    EXPECT_EQ("1", ToStd(cube->GetShown()->GetId()));
    EXPECT_EQ(20.0f, cube->GetRelativeZ());
    EXPECT_EQ(-10.0f, mPuzzle->GetRoot()->GetRelativeZ());
    Click(5, "up");
    EXPECT_EQ("1_2_v", ToStd(cube->GetShown()->GetId()));
    EXPECT_TRUE(cube->GetShown()->GetVisible());
    EXPECT_FALSE(cube->GetMember(LString("1"))->GetVisible());
    const double start = LFakeTimer::sNow;
    LFakeTimer::FrameAt(start + 0.25);
    EXPECT_EQ("1_2_v", ToStd(cube->GetShown()->GetId()));
    LFakeTimer::FrameAt(start + 0.26);
    EXPECT_EQ("2", ToStd(cube->GetShown()->GetId()));
    EXPECT_FALSE(cube->GetMember(LString("1_2_v"))->GetVisible());
    const char* sides[] = {"north.ind_3", "east.ind_5", "south.ind_1", "west.ind_6"};
    for (int side = 0; side < Cube::SIDE_COUNT; ++side) {
        ASSERT_NE(nullptr, cube->GetIndicator(side));
        EXPECT_EQ(cube->GetMember(LString(sides[side])), cube->GetIndicator(side)) << sides[side];
        EXPECT_TRUE(cube->GetIndicator(side)->GetVisible());
    }
    EXPECT_FALSE(cube->GetMember(LString("north.ind_2"))->GetVisible());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(FloorSafeTest, RightShowsTheHorizontalTransitionAndFourUpTurnsBringTheStartBack)
{
    ASSERT_TRUE(Open());
    Cube* cube = CubeAt(5);
    Click(5, "right");
    EXPECT_EQ("5_1_h", ToStd(cube->GetShown()->GetId()));
    Turn(5, "left"); // the arrows are off until the turn ends: this click does nothing
    EXPECT_EQ("5", ToStd(cube->GetShown()->GetId()));
    Turn(5, "left");
    ASSERT_EQ(1, cube->GetFace(Cube::FRONT));
    for (int i = 0; i < 4; ++i) {
        Turn(5, "up");
    }
    const int start[] = {1, 2, 4, 5, 6, 3};
    for (int face = 0; face < Cube::FACE_COUNT; ++face) {
        EXPECT_EQ(start[face], cube->GetFace(face)) << face;
    }
    Turn(5, "down");
    EXPECT_EQ(4, cube->GetFace(Cube::FRONT));
    EXPECT_EQ(1, cube->GetFace(Cube::NORTH));
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Linking -------------------------------------------------------------------------

TEST_F(FloorSafeTest, EachCubeTurnsItsNeighboursAsTheTableSaysAtEachSkill)
{
    struct Case
    {
        int mSkill;
        const char* mCube;
        const char* mMoved;
    } cases[] = {
        {GMOptions::SKILL_MEDIUM, "cube1", "12"}, {GMOptions::SKILL_EASY, "cube1", "12"},
        {GMOptions::SKILL_HARD, "cube2", "125"},  {GMOptions::SKILL_EASY, "cube2", "25"},
        {GMOptions::SKILL_MEDIUM, "cube3", "134"}, {GMOptions::SKILL_EASY, "cube3", "13"},
        {GMOptions::SKILL_MEDIUM, "cube4", "45"}, {GMOptions::SKILL_EASY, "other", "5"},
    };
    ASSERT_TRUE(Open());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mCube) + " at skill " + std::to_string(c.mSkill));
        GMOptions::GetInstance()->SetSkill(c.mSkill);
        EXPECT_EQ(c.mMoved, Moved(c.mCube));
    }
}

TEST_F(FloorSafeTest, EveryArrowIsOffFromTheClickUntilTheCheckingCubeArrives)
{
    ASSERT_TRUE(Open());
    ASSERT_TRUE(AllArrowsEnabled(true));
    Click(3, "left");
    EXPECT_TRUE(AllArrowsEnabled(false));
    Click(2, "up"); // refused
    EXPECT_EQ(1, CubeAt(2)->GetFace(Cube::FRONT));
    for (int i = 0; i < 50 && CubeAt(1)->IsTurning(); ++i) {
        GMPuzzleHarness::Frames(1);
    }
    EXPECT_TRUE(AllArrowsEnabled(true));
}

// --- The combination -----------------------------------------------------------------

TEST_F(FloorSafeTest, FrontsEqualToTheCombinationOpenTheSafeAtTheNextFramePass)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Open());
    ASSERT_TRUE(mPuzzle->HasCombination());
    Turn(4, "up");
    EXPECT_FALSE(mPuzzle->IsSolved());
    Click(1, "right");
    while (!mPuzzle->IsSolved() && CubeAt(1)->IsTurning()) {
        GMPuzzleHarness::Frames(1);
    }
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_floorsafe_solved"));
    // The cubes are still there until the next pass.
    EXPECT_TRUE(mPuzzle->IsShown());
    EXPECT_EQ("", GMPuzzleHarness::CutSceneCalls());
    GMPuzzleHarness::Frames(1);
    // Off the stack at once, without a fade of its own: the cut scene comes over the scene.
    EXPECT_FALSE(mPuzzle->IsShown());
    EXPECT_LT(screens->IndexOf(mPuzzle), 0);
    EXPECT_EQ(0, screens->IndexOf(&mHarness.Scene()));
    EXPECT_EQ(static_cast<GMIScreen*>(GMCutScenePlayer::Peek()), screens->GetTop());
    EXPECT_EQ("SetTarget(case01/castilloapt|vp_kitchen);SetStateChanges(sta_cu_1ca12_visible|boolean|true);"
              "Play(Safe_Open.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(FloorSafeTest, FourCubesOrABadCombinationLogTheirErrorAndNeverOpen)
{
    const std::string sample = SampleLayout();
    struct Case
    {
        const char* mName;
        std::string mFrom;
        std::string mTo;
        const char* mError;
    } cases[] = {
        {"four cubes", sample.substr(sample.find("\t\tc5\n"), sample.find("solution\n") - sample.find("\t\tc5\n")), "",
         "4 cubes"},
        {"four faces", "faces=5|5|1|2|2", "faces=5|5|1|2", "solution.faces"},
        {"face 7", "faces=5|5|1|2|2", "faces=5|5|1|2|7", "solution.faces"},
        {"half a face", "faces=5|5|1|2|2", "faces=5|5|1|2|1.5", "solution.faces"},
        {"no combination", "faces=5|5|1|2|2", "", "solution.faces"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        std::string layout = sample;
        const size_t at = layout.find(c.mFrom);
        ASSERT_NE(std::string::npos, at);
        layout.replace(at, c.mFrom.size(), c.mTo);
        mHarness.Roots().Write(kLayout, layout);
        mHarness.Log().Clear();
        ASSERT_TRUE(Open());
        EXPECT_NE(std::string::npos, mHarness.Log().Problems().find(c.mError)) << mHarness.Log().Problems();
        Turn(4, "up");
        Turn(1, "right");
        GMPuzzleHarness::Frames(2);
        EXPECT_FALSE(mPuzzle->IsSolved());
        EXPECT_FALSE(GMPuzzleHarness::EventRaised("evt_floorsafe_solved"));
        // The arrows still answer.
        Turn(1, "left");
        EXPECT_EQ(1, CubeAt(1)->GetFace(Cube::FRONT));
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
}

TEST_F(FloorSafeTest, MissingPicturesAndButtonsAreLoggedAndLeftOut)
{
    std::string layout = SampleLayout();
    // Cube 1 loses its transition "1_2_v" and its "right" arrow.
    const std::string transition = "\t\t\t\ts1_2_v\n\t\t\t\t\tid=1_2_v\n";
    layout.replace(layout.find(transition), transition.size(), "\t\t\t\ts1_2_v\n");
    const size_t right = layout.find("\t\t\t\tright\n");
    layout.replace(right, layout.find("\n\t\t\tstates\n", right) + 1 - right, "");
    mHarness.Roots().Write(kLayout, layout);
    ASSERT_TRUE(Open());
    EXPECT_EQ(nullptr, CubeAt(1)->GetButton(3));
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("button 4 missing"));
    Turn(1, "up");
    EXPECT_NE(std::string::npos, mHarness.Log().Problems().find("picture missing: 1_2_v"));
    EXPECT_EQ("2", ToStd(CubeAt(1)->GetShown()->GetId()));
}

// --- Leaving -------------------------------------------------------------------------

TEST_F(FloorSafeTest, TheBackButtonWorksMidTurnAndLeavingDeletesTheTurningCubes)
{
    const GMPuzzleFootprint before = mHarness.Footprint();
    ASSERT_TRUE(Open());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(mPuzzle->IsShown());
    Click(3, "down");
    ASSERT_TRUE(CubeAt(1)->IsTurning());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_EQ(nullptr, mPuzzle->GetCube(0));
    // The voice-over plays on over the scene.
    EXPECT_NE(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    EXPECT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    GMPuzzleHarness::Frames(20);
    EXPECT_EQ("", mHarness.Leftovers(mPuzzle, before));
    EXPECT_EQ("", mHarness.Log().Problems());
}
