// The painting on the sample's layout: putting the handle into a hole and turning it, the
// solving angles, the release, the back button straight to the scene, the item of
// "sta_1cs03", the turn kept over a hiding, and the solved state kept with the game.
#include "puzzles/painting/GMPaintingPuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Input/LMouse.h"
#include "event/LEventManager.h"
#include "state/LIState.h"
#include "state/LStateManager.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestCutScenes.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const char* const kActive = GMPaintingPuzzle::kActiveState;

// A screen between the scene and the painting.
class OtherScreen : public GMIScreen
{
public:
    void OnLeave() override {}
    void OnHidden() override {}
    void OnShow() override {}
};

class PaintingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        mPuzzle = GMPaintingPuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }

    LVector2 Hole(const char* aId)
    {
        return GMPuzzleHarness::Middle(GMPuzzleHarness::Member(mPuzzle, (std::string("painting_buttons.") + aId).c_str()));
    }

    LVector2 HolePosition(const char* aId)
    {
        return GMPuzzleHarness::Member(mPuzzle, (std::string("painting_buttons.") + aId).c_str())->GetWorldPosition();
    }

    static void Press()
    {
        LFakeTimer::sNow += 1.0;
        LMouse::Get()->OnButtonDown(1);
    }
    static void Release() { LMouse::Get()->OnButtonUp(1); }

    float Rotation() const { return mPuzzle->GetHandle()->GetRotation(); }

    static std::string StateText(const char* aId)
    {
        LIState* state = LStateManager::Get()->GetState(LString(aId));
        if (state == nullptr || state->GetType() != LIState::TYPE_STRING) {
            return "";
        }
        return ToStd(*static_cast<const LString*>(state->GetValue()));
    }

    static int HandOvers() { return GMTestCutScenes::Asked("Painting_Opening.bik"); }

    GMPuzzleHarness mHarness;
    GMPaintingPuzzle* mPuzzle = nullptr;
};

} // namespace

// --- The handle ----------------------------------------------------------------------

TEST_F(PaintingTest, TheHandleFollowsTheMouseUntilAHoleTakesItAndThenTurnsAroundTheClick)
{
    ASSERT_TRUE(Open());
    ASSERT_NE(nullptr, mPuzzle->GetHandle());
    EXPECT_EQ(101.0f, mPuzzle->GetHandle()->GetCenter().x);
    EXPECT_EQ(29.0f, mPuzzle->GetHandle()->GetCenter().y);
    GMPuzzleHarness::MoveTo(LVector2(300.0f, 450.0f));
    EXPECT_EQ(300.0f, mPuzzle->GetHandle()->GetLocalPosition().x);
    EXPECT_EQ(450.0f, mPuzzle->GetHandle()->GetLocalPosition().y);

    const LVector2 click = Hole("hole6");
    GMPuzzleHarness::Click(click);
    ASSERT_TRUE(mPuzzle->IsTurning());
    EXPECT_EQ("painting_buttons.hole6", ToStd(mPuzzle->GetSelectedHole()));
    const LVector2 at = mPuzzle->GetHandle()->GetLocalPosition();
    EXPECT_EQ(HolePosition("hole6").x + 7.0f, at.x);
    EXPECT_EQ(HolePosition("hole6").y + 11.0f, at.y);
    EXPECT_EQ(click.x, mPuzzle->GetTurnOrigin().x);

    // Straight right of the click is 0 degrees, straight up 90, each plus 130.
    GMPuzzleHarness::MoveTo(click + LVector2(50.0f, 0.0f));
    EXPECT_NEAR(130.0f, Rotation(), 1e-3f);
    GMPuzzleHarness::MoveTo(click + LVector2(0.0f, -50.0f));
    EXPECT_NEAR(220.0f, Rotation(), 1e-3f);
    EXPECT_EQ(at.x, mPuzzle->GetHandle()->GetLocalPosition().x); // turning, not moving
}

TEST_F(PaintingTest, TheSelectedHoleClickedAgainChangesNothingAndAnotherHoleRestartsTheTurn)
{
    ASSERT_TRUE(Open());
    const LVector2 first = Hole("hole6");
    GMPuzzleHarness::Click(first);
    GMPuzzleHarness::Click(first + LVector2(3.0f, 2.0f));
    EXPECT_EQ(first.x, mPuzzle->GetTurnOrigin().x);
    EXPECT_EQ(first.y, mPuzzle->GetTurnOrigin().y);

    const LVector2 second = Hole("hole3");
    GMPuzzleHarness::Click(second);
    EXPECT_EQ("painting_buttons.hole3", ToStd(mPuzzle->GetSelectedHole()));
    EXPECT_EQ(second.x, mPuzzle->GetTurnOrigin().x);
    EXPECT_EQ(HolePosition("hole3").x + 7.0f, mPuzzle->GetHandle()->GetLocalPosition().x);
}

TEST_F(PaintingTest, AReleaseOverAnyButtonKeepsTheHandleInItsHoleAndElsewhereTakesItOut)
{
    ASSERT_TRUE(Open());
    GMPuzzleHarness::Click(Hole("hole6"));
    // Over hole 3 and over the back button a press and release keep the turn.
    GMPuzzleHarness::MoveTo(Hole("hole3"));
    Press();
    Release();
    ASSERT_TRUE(mPuzzle->IsTurning());
    GMPuzzleHarness::MoveTo(GMPuzzleHarness::Middle(GMPuzzleHarness::Member(mPuzzle, "back_btn")));
    EXPECT_TRUE(mPuzzle->IsOverButton());
    Press();
    GMPuzzleHarness::MoveTo(LVector2(300.0f, 300.0f)); // released outside the back button
    Release();
    EXPECT_FALSE(mPuzzle->IsTurning());
    EXPECT_EQ(0.0f, Rotation());
    EXPECT_EQ("", ToStd(mPuzzle->GetSelectedHole()));
    GMPuzzleHarness::MoveTo(LVector2(320.0f, 310.0f));
    EXPECT_EQ(320.0f, mPuzzle->GetHandle()->GetLocalPosition().x);
    EXPECT_EQ(static_cast<GMIScreen*>(mPuzzle), GMScreenManager::GetInstance()->GetTop());
}

TEST_F(PaintingTest, APressOpensOnlyStrictlyWithinFiveDegreesOfTheHolesAngle)
{
    struct Case
    {
        const char* mHole;
        float mRotation;
        bool mOpens;
    } cases[] = {
        {"hole6", 4.9f, true},      {"hole6", -4.9f, true},    {"hole6", 5.0f, false},  {"hole6", 180.0f, false},
        {"hole11", 175.0f, false},  {"hole11", 175.1f, true},  {"hole11", 184.9f, true}, {"hole11", 185.0f, false},
        {"hole3", 0.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mHole) + " " + std::to_string(c.mRotation));
        ASSERT_TRUE(Open());
        GMPuzzleHarness::Click(Hole(c.mHole));
        GMPuzzleHarness::MoveTo(LVector2(300.0f, 300.0f));
        mPuzzle->GetHandle()->SetRotation(c.mRotation);
        Press();
        EXPECT_EQ(c.mOpens, mPuzzle->IsSolved());
        Release();
        if (c.mOpens) {
            EXPECT_EQ("solved", StateText("sta_1cs09"));
            EXPECT_FALSE(mPuzzle->IsMouseListening());
            // The cut scene takes the painting off the stack for the secret room.
            ASSERT_TRUE(mHarness.PlayOutToScene());
            EXPECT_FALSE(mPuzzle->IsShown());
            LStateManager::Get()->RemoveAllStates(); // a new game
            continue;
        }
        ASSERT_TRUE(mHarness.Back(mPuzzle));
        GMPuzzleHarness::Frames(5);
    }
}

TEST_F(PaintingTest, SolvingSetsTheStateWithoutNoticeAndHandsOverToTheSecretRoomOnce)
{
    ASSERT_TRUE(Open());
    const LVector2 click = Hole("hole6");
    GMPuzzleHarness::Click(click);
    GMPuzzleHarness::MoveTo(click + LVector2(-64.0f, 77.0f));
    EXPECT_NEAR(0.26f, Rotation(), 0.05f);
    const int before = HandOvers();
    Press();
    Press(); // a second press before the release hands over nothing more
    Release();
    ASSERT_TRUE(mPuzzle->IsSolved());
    EXPECT_EQ("solved", StateText("sta_1cs09"));
    EXPECT_EQ(before + 1, HandOvers());
    EXPECT_EQ("SetTarget(case01/castillosecretapt|vp_bedroom);SetStateChanges(sta_cu_1cs08_visible|boolean|true);"
              "Play(Painting_Opening.bik);",
              GMPuzzleHarness::CutSceneCalls());
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Leaving -------------------------------------------------------------------------

TEST_F(PaintingTest, TheBackButtonFromAStackOfSeveralScreensReturnsStraightToTheScene)
{
    OtherScreen other;
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(screens->PushScreen(&other));
    ASSERT_TRUE(Open());
    EXPECT_EQ(3, screens->GetCount());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_EQ(1, screens->GetCount());
    EXPECT_FALSE(mPuzzle->IsShown());
    // The hiding set the active state false, telling nobody.
    EXPECT_FALSE(GMPuzzleHarness::StateIsTrue(kActive));
    EXPECT_EQ("", mHarness.Log().Problems());
}

TEST_F(PaintingTest, TheActiveStateTurningFalseDoesNothingAndTheVoicePlaysOnAfterTheHiding)
{
    ASSERT_TRUE(Open());
    GMPuzzleHarness::SetState(kActive, false);
    GMPuzzleHarness::Settle();
    ASSERT_TRUE(mPuzzle->IsShown());
    ASSERT_NE(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    EXPECT_NE(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
    EXPECT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    EXPECT_EQ(nullptr, LFakeSoundPlayer::Find(LString("hintAudio")));
}

TEST_F(PaintingTest, AShowingLeftWhileTurningStartsTheNextTurningInTheSameHoleWithAnUnrotatedHandle)
{
    ASSERT_TRUE(Open());
    const LVector2 click = Hole("hole11");
    GMPuzzleHarness::Click(click);
    GMPuzzleHarness::MoveTo(click + LVector2(40.0f, 10.0f));
    ASSERT_NE(0.0f, Rotation());
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    EXPECT_TRUE(mPuzzle->IsTurning());
    EXPECT_EQ("painting_buttons.hole11", ToStd(mPuzzle->GetSelectedHole()));
    EXPECT_EQ(0.0f, Rotation());
    // It turns from the old click.
    GMPuzzleHarness::MoveTo(click + LVector2(50.0f, 0.0f));
    EXPECT_NEAR(130.0f, Rotation(), 1e-3f);
}

// --- The item and the solved state ---------------------------------------------------

TEST_F(PaintingTest, TheItemStateOffAddsTheItemWhetherOrNotThePaintingIsShown)
{
    LStateManager* states = LStateManager::Get();
    states->SetState(LString("sta_1cs03"), LString("string"), LString("on"), true);
    EXPECT_FALSE(GMPuzzleHarness::InventoryHolds("1cs03"));
    states->SetState(LString("sta_1cs03"), LString("string"), LString("off"), true);
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("1cs03"));
    EXPECT_FALSE(mPuzzle->IsShown());
}

TEST_F(PaintingTest, WhileTheSolvedStateHoldsNeitherStateActsAndANewGameOpensThePaintingUnsolved)
{
    ASSERT_TRUE(Open());
    const LVector2 click = Hole("hole6");
    GMPuzzleHarness::Click(click);
    GMPuzzleHarness::MoveTo(click + LVector2(-64.0f, 77.0f));
    Press();
    Release();
    ASSERT_TRUE(mPuzzle->IsSolved());
    ASSERT_TRUE(mHarness.PlayOutToScene());

    GMScreenManager* screens = GMScreenManager::GetInstance();
    GMPuzzleHarness::SetState(kActive, true);
    GMPuzzleHarness::Settle();
    EXPECT_LT(screens->IndexOf(mPuzzle), 0);
    LStateManager::Get()->SetState(LString("sta_1cs03"), LString("string"), LString("off"), true);
    EXPECT_FALSE(GMPuzzleHarness::InventoryHolds("1cs03"));

    // A new game: the states are gone, the listener is still there.
    LStateManager::Get()->RemoveAllStates();
    LEventManager::Get()->RemoveAllEvents();
    ASSERT_TRUE(Open());
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_FALSE(mPuzzle->IsTurning());
    LStateManager::Get()->SetState(LString("sta_1cs03"), LString("string"), LString("off"), true);
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("1cs03"));
    // The first press, with the handle still following the mouse, opens nothing.
    const int before = HandOvers();
    GMPuzzleHarness::MoveTo(LVector2(300.0f, 300.0f));
    Press();
    Release();
    EXPECT_FALSE(mPuzzle->IsSolved());
    EXPECT_EQ(before, HandOvers());
}
