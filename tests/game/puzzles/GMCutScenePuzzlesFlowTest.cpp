// The keypad, the chase photos and the PO box reached as the game reaches them: the
// sample's riverbank loaded by the scene manager, each hotspot at its north viewpoint
// looked at through the action menu, the puzzle solved with the mouse, and the hand-over
// to its cut scene.
#include "GMScreenManager.h"
#include "multicursor/GMMultiCursor.h"
#include "puzzles/chasephotopuzzle/GMChasePhotoPuzzle.h"
#include "puzzles/combination/GMCombinationLockPuzzle.h"
#include "puzzles/pobox/GMPOBoxDial.h"
#include "puzzles/pobox/GMPOBoxPuzzle.h"
#include "scene/GMScene.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace GMSceneFlow;

class CutScenePuzzlesFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        // What the application makes at start.
        ASSERT_NE(nullptr, GMCombinationLockPuzzle::GetInstance());
        ASSERT_NE(nullptr, GMChasePhotoPuzzle::GetInstance());
        ASSERT_NE(nullptr, GMPOBoxPuzzle::GetInstance());
        mScene = LoadSampleLocation("case01/riverbank", "vp02");
        ASSERT_NE(nullptr, mScene);
        mLog.Clear();
    }

    void TearDown() override { GMPuzzleHarness::EndGame(); }

    // Looks at the hotspot at aAt; whether aPuzzle is then shown on top.
    static bool LookOpens(const LVector2& aAt, GMPuzzle* aPuzzle)
    {
        GMMultiCursor* menu = GMMultiCursor::GetInstance();
        GMScreenManager* screens = GMScreenManager::GetInstance();
        return Look(aAt) &&
               FramesUntil([&] { return aPuzzle->IsShown() && !screens->IsBusy() && !menu->IsOpen(); }) &&
               screens->GetTop() == aPuzzle;
    }

    // The last three calls of the cut-scene player.
    static std::string LastCutScene()
    {
        const std::string calls = GMPuzzleHarness::CutSceneCalls();
        size_t at = calls.size();
        for (int i = 0; i < 4 && at != std::string::npos && at > 0; ++i) {
            at = calls.rfind(';', at - 1);
        }
        return at == std::string::npos ? calls : calls.substr(at + 1);
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
};

} // namespace

TEST_F(CutScenePuzzlesFlowTest, TheKeypadLeftOnceIsReopenedAndItsCodeOpensTheDoor)
{
    GMCombinationLockPuzzle* keypad = GMCombinationLockPuzzle::GetInstance();
    const LVector2 panel(130.0f, 175.0f);
    ASSERT_TRUE(LookOpens(panel, keypad));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("hintAudio"));
    LIDisplayObject* back = GMPuzzleHarness::Member(keypad, GMPuzzle::kBackButtonId);
    ASSERT_NE(nullptr, back);
    GMPuzzleHarness::Click(GMPuzzleHarness::Middle(back));
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(FramesUntil([&] { return !keypad->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(mScene), screens->GetTop());

    // Opened again as the hotspot's look opens it: its state set true once more.
    GMPuzzleHarness::SetState(GMCombinationLockPuzzle::kActiveState, true);
    ASSERT_TRUE(FramesUntil([&] { return keypad->IsShown() && !screens->IsBusy(); }));
    EXPECT_EQ(static_cast<GMIScreen*>(keypad), screens->GetTop());
    for (const char digit : std::string(GMCombinationLockPuzzle::CODE) + "E") {
        const std::string id = digit == 'E' ? "enter" : std::string(1, digit);
        LIDisplayObject* key = GMPuzzleHarness::Member(keypad, ("keypad_buttons." + id).c_str());
        ASSERT_NE(nullptr, key) << id;
        GMPuzzleHarness::Click(key->GetWorldPosition() + LVector2(30.0f, 24.0f));
    }
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_1cs10_solved"));
    ASSERT_TRUE(GMPuzzleHarness::EndStream("buzz"));
    Frames(1);
    EXPECT_EQ("SetTarget(case01/castillosecretapt|vp_start);SetStateChanges();Play(Secret_Apt_Door.bik);",
              LastCutScene());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutScenePuzzlesFlowTest, ThePhotosClickedInOrderOpenTheDrawer)
{
    GMChasePhotoPuzzle* photos = GMChasePhotoPuzzle::GetInstance();
    ASSERT_TRUE(LookOpens(LVector2(230.0f, 175.0f), photos));
    for (const char* id : {"birthday", "valentine", "easter", "july4th", "halloween", "thanksgiving", "christmas"}) {
        LIDisplayObject* photo = GMPuzzleHarness::Member(photos, (std::string("buttons.") + id).c_str());
        ASSERT_NE(nullptr, photo) << id;
        GMPuzzleHarness::Click(GMPuzzleHarness::Middle(photo));
    }
    Frames(1);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_chasephotopuzzle_solved"));
    EXPECT_FALSE(photos->IsShown());
    EXPECT_EQ("SetTarget(case03/chase|vp_kitbath);SetStateChanges(sta_3tc02_visible|boolean|true);"
              "Play(chaseapt_draweropen.bik);",
              LastCutScene());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CutScenePuzzlesFlowTest, TheDialsTurnedToTheCombinationOpenTheBox)
{
    GMPOBoxPuzzle* box = GMPOBoxPuzzle::GetInstance();
    ASSERT_TRUE(LookOpens(LVector2(325.0f, 175.0f), box));
    const int digits[] = {3, 5, 8, 6};
    for (int dial = 0; dial < GMPOBoxPuzzle::kDials && !box->IsSolved(); ++dial) {
        const std::string path = "dial" + std::to_string(dial + 1) + ".dial" + std::to_string(dial + 1) + "_turn";
        LIDisplayObject* turn = GMPuzzleHarness::Member(box, path.c_str());
        ASSERT_NE(nullptr, turn) << path;
        for (int click = 0; click < 10 && box->GetDial(dial)->GetValue() != digits[dial]; ++click) {
            GMPuzzleHarness::Click(GMPuzzleHarness::Middle(turn));
        }
    }
    EXPECT_TRUE(box->IsSolved());
    Frames(1);
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_poboxpuzzle_solved"));
    EXPECT_FALSE(box->IsShown());
    EXPECT_EQ("SetTarget(case04/upsstore|vp_mailboxesleft);SetStateChanges(sta_cu_4mb02_visible|boolean|true);"
              "Play(UPS_BoxAnimax.bik);",
              LastCutScene());
    EXPECT_EQ("", mLog.Problems());
}
