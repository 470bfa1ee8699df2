// The room-service receipt reached as the game reaches it: the sample's riverbank, the
// torn receipt looked at through the action menu, its strips dragged side by side from
// where the display shows them, and the game sent on to the hotel room at the dead body
// with the close-up's state set.
#include "puzzles/roomservice/GMRoomServicePuzzle.h"

#include "GMScreenManager.h"
#include "Gdi/LDisplayGroup.h"
#include "Gdi/LDisplayManager.h"
#include "Input/LMouse.h"
#include "puzzles/roomservice/GMRoomServicePiece.h"
#include "scene/GMScene.h"
#include "scene/GMSceneManager.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleHarness.h"
#include "support/GMTestScene.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace GMSceneFlow;

// Inside the hotspot "roomservice" of the riverbank's vp02.
const LVector2 kReceipt(690.0f, 440.0f);
constexpr float kWidth = 100.0f;
constexpr float kHeight = 200.0f;

class RoomServiceFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GMSceneFlow::RegisterFakes();
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
        mPuzzle = GMRoomServicePuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        LRandom::Seed(21);
        GMScene* scene = LoadSampleLocation("case01/riverbank", "vp02");
        ASSERT_NE(nullptr, scene);
        mLog.Clear();
    }

    void TearDown() override
    {
        GMSceneManager::GetInstance()->UnloadScene();
        GMPuzzleHarness::EndGame();
    }

    GMRoomServicePiece* Piece(int aNumber) const { return mPuzzle->GetPiece(("piece" + std::to_string(aNumber)).c_str()); }


    void DragTo(int aNumber, const LVector2& aTarget)
    {
        GMRoomServicePiece* piece = Piece(aNumber);
        ASSERT_NE(nullptr, piece);
        const LVector2 grab = GMPuzzleHarness::UncoveredPoint(mPuzzle->GetPieces(), piece, kWidth, kHeight, 10.0f);
        GMPuzzleHarness::Drag(grab, grab + aTarget - piece->GetWorldPosition());
    }

    LLogCapture mLog;
    GMRoomServicePuzzle* mPuzzle = nullptr;
};

} // namespace

TEST_F(RoomServiceFlowTest, TheReceiptPutTogetherSendsTheGameToTheHotelRoomWithTheCloseUpShown)
{
    GMScreenManager* screens = GMScreenManager::GetInstance();
    ASSERT_TRUE(Look(kReceipt));
    ASSERT_TRUE(FramesUntil([&] { return mPuzzle->IsShown() && !screens->IsBusy(); }));
    ASSERT_EQ(3, mPuzzle->GetPieces().GetCount());

    // The strips side by side from piece 1's new place.
    const LVector2 origin(150.0f, 150.0f);
    DragTo(1, origin);
    DragTo(2, origin + LVector2(100.0f, 0.0f));
    EXPECT_FALSE(mPuzzle->IsSolved());
    DragTo(3, origin + LVector2(200.0f, 0.0f));
    ASSERT_TRUE(mPuzzle->IsSolved());

    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_roomservice_solved"));
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_roomservicepuzzle_initvo"));
    EXPECT_TRUE(GMPuzzleHarness::StateIsTrue("sta_cu_2st07_visible"));
    GMScene* scene = GMSceneManager::GetInstance()->GetScene();
    ASSERT_NE(nullptr, scene);
    EXPECT_EQ("case02/hotel_room", ToStd(scene->GetId()));
    EXPECT_EQ("vp_dead_body", ToStd(scene->GetViewpoint()));
    EXPECT_EQ(1, screens->GetCount());
    EXPECT_EQ(static_cast<GMIScreen*>(scene), screens->GetTop());
    EXPECT_FALSE(mPuzzle->IsShown());
    // The location is shown and takes input.
    EXPECT_TRUE(scene->IsActive());
    EXPECT_TRUE(scene->IsInputEnabled());
    EXPECT_EQ(nullptr, mPuzzle->GetRoot());
    EXPECT_FALSE(LMouse::Get()->Contains(mPuzzle));
    EXPECT_EQ(nullptr, LDisplayManager::Get()->GetRoot()->GetMember(LString("roomservicepuzzle_layout")));
    // The riverbank's unloading logs its restorables, which this test never registered.
    std::istringstream lines(mLog.Problems());
    std::string problem;
    while (std::getline(lines, problem)) {
        EXPECT_NE(std::string::npos, problem.find("RemoveRestorable failure. Not found.")) << problem;
    }
}
