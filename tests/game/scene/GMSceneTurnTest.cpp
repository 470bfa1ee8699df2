// Turns, look-at and footsteps in process on the sample's case-1 location with the mouse
// as the application forwards it: a click behind the player turns it before it walks, a
// click on an object beyond its radius walks, turns and only then opens the action menu,
// a talk turns the witness before the interview, whose start has both look at each other,
// and the player's steps sound by the ground under it.
#include "Render/LAnimation.h"
#include "Render/LNavigationTDO.h"
#include "Render/LSteeringTDO.h"
#include "interview/GMInterview.h"
#include "interview/GMInterviewManager.h"
#include "multicursor/GMMultiCursor.h"
#include "multicursor/GMMultiCursorAction.h"
#include "scene/GMCharacter.h"
#include "scene/GMHotspot.h"
#include "scene/GMNavigation.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "state/LStateManager.h"
#include "stdlib/LRandom.h"
#include "support/GMTestScene.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LTestDirectory.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMCleaner.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

namespace {

using namespace GMSceneFlow;

const LVector2 kObject(300.0f, 350.0f);
const LVector2 kWitness(275.0f, 240.0f);
const LVector2 kFloor(400.0f, 450.0f);
const LVector2 kNowhere(20.0f, 20.0f);

class SceneTurnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GMSceneFlow::PrepareGame());
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_MEDIUM);
        LRandom::Seed(7);
        LStateManager::Get()->SetState(LString("sta_selectedcase"), LString("number"), LString("1"), false);
        ASSERT_TRUE(GMSceneManager::GetInstance()->LoadScene(LString("case01/riverbank"), true, true));
        mScene = GMSceneManager::GetInstance()->GetScene();
        ASSERT_NE(nullptr, mScene);
        mPlayer = mScene->GetPlayer();
        ASSERT_NE(nullptr, mPlayer);
        mNavigation = GMNavigation::GetInstance();
        mMenu = GMMultiCursor::GetInstance();
        Frames(2);
        Move(kNowhere);
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        delete GMCleaner::GetInstance();
    }

    LVector2 Ground() const
    {
        const LVector3& at = *mNavigation->GetNavigation()->GetPosition();
        return LVector2(at.x, at.y);
    }

    LLogCapture mLog;
    GMScene* mScene = nullptr;
    GMCharacter* mPlayer = nullptr;
    GMNavigation* mNavigation = nullptr;
    GMMultiCursor* mMenu = nullptr;
};

} // namespace

TEST_F(SceneTurnTest, AClickBehindThePlayerTurnsItOnTheSpotAndThenWalks)
{
    // Facing south, away from the floor the click picks.
    mNavigation->GetSteering()->SetDirection(LVector3(0.0f, -1.0f, 0.0f));
    const LVector2 start = Ground();
    Click(kFloor);
    ASSERT_TRUE(mPlayer->IsWalkTurning());
    EXPECT_FALSE(mNavigation->GetSteering()->IsEnabled());
    Frames(5);
    // Turning on the spot.
    EXPECT_TRUE(mPlayer->IsWalkTurning());
    EXPECT_NEAR(0.0f, (Ground() - start).Length(), 0.001f);
    ASSERT_TRUE(FramesUntil([&] { return mNavigation->GetSteering()->IsEnabled(); }));
    Frames(10);
    EXPECT_GT((Ground() - start).Length(), 10.0f);
    EXPECT_EQ("", mLog.ProblemsBut({"Error opening .options file", "NYI."}));
}

TEST_F(SceneTurnTest, AnObjectBeyondItsRadiusIsWalkedToFacedAndThenOffersItsMenu)
{
    GMHotspot* object = mScene->FindHotspot(LString("sample_object"));
    ASSERT_NE(nullptr, object);
    Click(kObject);
    EXPECT_FALSE(mMenu->IsOpen());
    bool walked = false;
    bool turnedAfterWalk = false;
    ASSERT_TRUE(FramesUntil([&] {
        walked = walked || mNavigation->GetSteering()->IsEnabled();
        if (walked && !mNavigation->GetSteering()->IsEnabled() && mPlayer->IsTurning()) {
            turnedAfterWalk = true;
            EXPECT_NE(object, mMenu->GetListener());
        }
        return mMenu->GetListener() == object;
    }));
    EXPECT_TRUE(walked);
    EXPECT_TRUE(turnedAfterWalk);
    // Facing the object (at x -60, z -100) from where the walk ended.
    const LVector2 facing = mPlayer->GetFacing();
    const LVector2 toObject = LVector2(-60.0f, -100.0f) - Ground();
    EXPECT_GT((facing.x * toObject.x + facing.y * toObject.y) / toObject.Length(), 0.99f);
}

TEST_F(SceneTurnTest, TheWitnessTurnsBeforeTheInterviewAndBothLookAtEachOtherDuringIt)
{
    GMHotspot* hotspot = mScene->FindHotspot(LString("sample_witness"));
    GMCharacter* witness = mScene->GetCharacter(LString("witness"));
    ASSERT_NE(nullptr, hotspot);
    ASSERT_NE(nullptr, witness);
    mNavigation->GetNavigation()->SetPosition(LVector3(-100.0f, 0.0f, 0.0f));
    Click(kWitness);
    ASSERT_TRUE(FramesUntil([&] { return mMenu->IsOpen(); }));
    hotspot->OnAction(GMMultiCursorAction::TALK);
    GMInterviewManager* interviews = GMInterviewManager::GetInstance();
    // She turns to her look-at point (0, 60, -60) first; no interview yet.
    ASSERT_TRUE(witness->IsTurning());
    EXPECT_EQ("Turn-45-CW_F.lia1", ToStd(witness->GetTurnAnimation()->GetName()));
    EXPECT_FALSE(witness->IsLookAtActive());
    const auto running = [&] {
        return interviews->GetCurrentInterview() != nullptr && interviews->GetCurrentInterview()->IsRunning();
    };
    EXPECT_FALSE(running());
    ASSERT_TRUE(FramesUntil(running));
    EXPECT_FALSE(witness->IsTurning());
    EXPECT_TRUE(witness->IsLookAtActive());
    EXPECT_TRUE(mPlayer->IsLookAtActive());
    EXPECT_EQ(mPlayer, witness->GetEyeTarget());
    EXPECT_EQ(witness, mPlayer->GetEyeTarget());
    Frames(10);
    EXPECT_FLOAT_EQ(1.0f, witness->GetLookAtWeight());
    // The interview's end lets both look away.
    mScene->ResetCharacters();
    Frames(10);
    EXPECT_FALSE(witness->IsLookAtActive());
    EXPECT_FALSE(mPlayer->IsLookAtActive());
}

TEST_F(SceneTurnTest, WithoutTurnAnimationsTheHotspotActsAndTheWalkStartsAtOnce)
{
    // The animation folder holds nothing more from here on (all else is loaded already).
    LTestDirectory empty;
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//animations"), FromStd(empty.Path())));
    mLog.Clear();
    GMHotspot* object = mScene->FindHotspot(LString("sample_object"));
    // Within the object's radius, facing away from it.
    mNavigation->GetNavigation()->SetPosition(LVector3(-60.0f, -60.0f, 0.0f));
    mNavigation->GetSteering()->SetDirection(LVector3(0.0f, 1.0f, 0.0f));
    Frames(1);
    Click(kObject);
    EXPECT_FALSE(mPlayer->IsTurning());
    EXPECT_EQ(object, mMenu->GetListener());
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: ")) << mLog.Bytes();
    EXPECT_EQ(1, mLog.Count("Turn animation not found: Turn-180-"));
    // The menu goes; a click on the floor behind walks at once.
    mMenu->Hide(false);
    mScene->SetHotspotsEnabled(true);
    FramesUntil([&] { return !mMenu->IsFading(); });
    mNavigation->GetNavigation()->SetPosition(LVector3(-120.0f, -140.0f, 0.0f));
    mNavigation->GetSteering()->SetDirection(LVector3(0.0f, -1.0f, 0.0f));
    mLog.Clear();
    Move(kNowhere);
    Click(kFloor);
    EXPECT_FALSE(mPlayer->IsTurning());
    EXPECT_TRUE(mNavigation->GetSteering()->IsEnabled());
    EXPECT_EQ(1, mLog.Count("Turn animation not found: Turn-Walk_"));
}

TEST_F(SceneTurnTest, ThePlayersStepsSoundByTheGroundUnderIt)
{
    const LISoundPlayer* gravel = mPlayer->GetStepSound(LVector2(0.0f, 0.0f));
    const LISoundPlayer* grass = mPlayer->GetStepSound(LVector2(-120.0f, -140.0f));
    ASSERT_NE(nullptr, gravel);
    ASSERT_NE(nullptr, grass);
    EXPECT_EQ("//sounds/step_gravel.wav", ToStd(static_cast<const LFakeSoundPlayer*>(gravel)->mFileName));
    EXPECT_EQ("//sounds/step_grass.wav", ToStd(static_cast<const LFakeSoundPlayer*>(grass)->mFileName));
    // A walk across the bank: steps sound, and none is left unheard by a missing file.
    Click(kFloor);
    int steps = 0;
    for (int i = 0; i < 200; ++i) {
        Frames(1);
        for (LFakeSoundPlayer* sound : LFakeSoundPlayer::Live()) {
            if (sound->mPlaying && ToStd(sound->mFileName).find("/step_") != std::string::npos) {
                ++steps;
                sound->mPlaying = false;
            }
        }
    }
    EXPECT_GT(steps, 2);
    EXPECT_EQ(0, mLog.Count("Default footstep sound missing"));
}
