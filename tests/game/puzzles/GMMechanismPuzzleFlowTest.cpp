// The painting, the slide box and the floor safe reached as the game reaches them: the
// sample's riverbank loaded by the scene manager, each looked at through the action menu
// at the north viewpoint, solved as a player solves it, and handed over to the cut scene;
// and the note whose look makes the painting hand out its item.
#include "GMScreenManager.h"
#include "Gdi/LButton.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LFontManager.h"
#include "Gdi/LTextArea.h"
#include "Input/LMouse.h"
#include "Render/LTextureManager.h"
#include "interview/GMSubtitle.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "puzzles/floorsafe/GMFloorSafeCube.h"
#include "puzzles/floorsafe/GMFloorSafePuzzle.h"
#include "puzzles/painting/GMPaintingPuzzle.h"
#include "puzzles/slidebox/GMSlideBoxPuzzle.h"
#include "puzzles/slidebox/GMSliderPiece.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "support/GMPuzzleFlow.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestCutScenes.h"
#include "support/GMTestScene.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestStrings.h"
#include "ui/GMCursor.h"
#include "ui/GMCutScenePlayer.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace GMSceneFlow;

class MechanismFlowTest : public GMPuzzleFlow
{
protected:
    void SetUp() override
    {
        GMPuzzleFlow::SetUp();
        // As the application makes them at start.
        ASSERT_NE(nullptr, GMPaintingPuzzle::GetInstance());
        ASSERT_NE(nullptr, GMSlideBoxPuzzle::GetInstance());
        ASSERT_NE(nullptr, GMFloorSafePuzzle::GetInstance());
    }

    // The hand-over ended the puzzle: the cut-scene player was given the target, the state
    // change to true and the movie, and once the movie has played the target location is
    // the top screen at its viewpoint with the state changed.
    static void ExpectHandedOver(GMPuzzle* aPuzzle, const char* aScene, const char* aViewpoint, const char* aState,
                                 const char* aMovie)
    {
        ASSERT_TRUE(FramesUntil([&] { return !aPuzzle->IsShown(); }));
        EXPECT_EQ(std::string("SetTarget(") + aScene + "|" + aViewpoint + ");SetStateChanges(" + aState +
                      "|boolean|true);Play(" + aMovie + ");",
                  GMPuzzleHarness::CutSceneCalls());
        ExpectArrived(aScene, aViewpoint, aState);
    }

    // The cut scene played out, the game is at the location aScene, on top, at aViewpoint,
    // and the state aState holds.
    static void ExpectArrived(const char* aScene, const char* aViewpoint, const char* aState)
    {
        ASSERT_TRUE(GMTestCutScenes::PlayOut());
        GMScene* location = GMSceneManager::GetInstance()->GetScene();
        ASSERT_NE(nullptr, location);
        EXPECT_EQ(aScene, ToStd(location->GetId()));
        EXPECT_EQ(aViewpoint, ToStd(location->GetViewpoint()));
        EXPECT_EQ(static_cast<GMIScreen*>(location), GMScreenManager::GetInstance()->GetTop());
        EXPECT_TRUE(GMPuzzleHarness::StateIsTrue(aState));
    }
};

// The riverbank, loaded directly by the fixture, leaves the restore manager it never
// joined when a cut scene replaces it by its target.
const char* const kLeftRiverbank = "RemoveRestorable failure. Not found.";

// Inside the hotspots of the riverbank's vp02.
const LVector2 kPainting(180.0f, 180.0f);
const LVector2 kLockBox(290.0f, 180.0f);
const LVector2 kFloorSafe(400.0f, 180.0f);
const LVector2 kNote(510.0f, 180.0f);

} // namespace

TEST_F(MechanismFlowTest, ThePaintingLeftOnceThenOpenedByTheHandleInHoleSixHandsOverToTheSecretRoom)
{
    GMPaintingPuzzle* painting = GMPaintingPuzzle::GetInstance();
    OpenBy("hs_painting", kPainting, painting);
    EXPECT_EQ("Holes in the frame, and a crank. This painting hides something.", Subtitle());
    ClickMember(painting, "back_btn");
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(BackAtTheLocation(painting));
    EXPECT_TRUE(mScene->IsActive());

    // The first click on the hotspot that opened the puzzle reaches the hotspot, not the
    // hidden action menu's look button lying over it: looked at again, it opens again.
    OpenBy("hs_painting", kPainting, painting);
    LIDisplayObject* hole = GMPuzzleHarness::Member(painting, "painting_buttons.hole6");
    ASSERT_NE(nullptr, hole);
    const LVector2 click = GMPuzzleHarness::Middle(hole);
    GMPuzzleHarness::Click(click);
    GMPuzzleHarness::MoveTo(click + LVector2(-64.0f, 77.0f));
    EXPECT_NEAR(0.3f, painting->GetHandle()->GetRotation(), 0.1f);
    LFakeTimer::sNow += 1.0;
    LMouse::Get()->OnButtonDown(1);
    LMouse::Get()->OnButtonUp(1);
    ASSERT_TRUE(painting->IsSolved());
    // The painting hands over without leaving: the cut scene comes over it.
    EXPECT_TRUE(painting->IsShown());
    EXPECT_EQ(static_cast<GMIScreen*>(GMCutScenePlayer::Peek()), screens->GetTop());
    EXPECT_EQ("SetTarget(case01/castillosecretapt|vp_bedroom);SetStateChanges(sta_cu_1cs08_visible|boolean|true);"
              "Play(Painting_Opening.bik);",
              GMPuzzleHarness::CutSceneCalls());
    ExpectArrived("case01/castillosecretapt", "vp_bedroom", "sta_cu_1cs08_visible");
    EXPECT_FALSE(painting->IsShown());
    EXPECT_EQ("", mLog.Problems(kLeftRiverbank));
}

TEST_F(MechanismFlowTest, TheNotesLookPutsThePaintingsItemInTheInventory)
{
    Look("hs_paintingnote", kNote);
    Frames(2);
    EXPECT_TRUE(GMPuzzleHarness::InventoryHolds("1cs03"));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(MechanismFlowTest, TheLockBoxOpensWithTheThreeBarsAtTheirStopsAndHandsOverToItsCloseUp)
{
    GMSlideBoxPuzzle* box = GMSlideBoxPuzzle::GetInstance();
    OpenBy("hs_lockbox", kLockBox, box);
    EXPECT_EQ("A lock box with sliding bars. There must be an order to them.", Subtitle());
    const char* moves[] = {"bar1.up", "bar2.down", "bar3.right"};
    for (const char* move : moves) {
        ClickMember(box, move);
        ASSERT_TRUE(FramesUntil([&] {
            for (int i = 0; i < box->GetPieces().GetCount(); ++i) {
                if (box->GetPiece(i)->IsSliding()) {
                    return false;
                }
            }
            return true;
        })) << move;
    }
    ExpectHandedOver(box, "case01/franksapt", "vp_bedroom", "sta_cu_1fd03_visible", "LockBox_Open.bik");
    EXPECT_TRUE(mLog.Contains("Puzzle solved!"));
    EXPECT_EQ("", mLog.Problems(kLeftRiverbank));
}

TEST_F(MechanismFlowTest, TheFloorSafeOpensAfterUpOnCubeFourAndRightOnCubeOneAndHandsOverToTheKitchen)
{
    GMFloorSafePuzzle* safe = GMFloorSafePuzzle::GetInstance();
    OpenBy("hs_floorsafe", kFloorSafe, safe);
    EXPECT_EQ("A safe in the floor, locked by five numbered cubes.", Subtitle());
    ClickMember(safe, "floorsafe_cubes.cube4.up");
    ASSERT_TRUE(FramesUntil([&] { return !safe->GetCube(3)->IsTurning(); }));
    ClickMember(safe, "floorsafe_cubes.cube1.right");
    ExpectHandedOver(safe, "case01/castilloapt", "vp_kitchen", "sta_cu_1ca12_visible", "Safe_Open.bik");
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_floorsafe_solved"));
    EXPECT_EQ("", mLog.Problems(kLeftRiverbank));
}


TEST_F(MechanismFlowTest, EachCutScenesTargetLocationLoadsAtItsViewpoint)
{
    const std::pair<const char*, const char*> targets[] = {
        {"case01/castillosecretapt", "vp_bedroom"}, {"case01/franksapt", "vp_bedroom"}, {"case01/castilloapt", "vp_kitchen"}};
    for (const auto& [scene, viewpoint] : targets) {
        SCOPED_TRACE(scene);
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString(scene), true, true));
        GMScene* location = GMSceneManager::GetInstance()->GetScene();
        ASSERT_NE(nullptr, location);
        EXPECT_TRUE(location->SetViewpoint(LString(viewpoint)));
        Frames(2);
    }
    // Replacing the location directly, as no player does, logs the old location's
    // restorables as missing.
    EXPECT_EQ("", mLog.Problems("RemoveRestorable failure. Not found."));
}
