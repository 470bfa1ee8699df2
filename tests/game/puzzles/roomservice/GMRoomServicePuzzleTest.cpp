// The room-service receipt on the sample's layout: the scattered and turned start, the
// bounded drag, the picking order and its z values, the release kept from other
// listeners, turning with the other button, the placing test, and the intro once per game.
#include "puzzles/roomservice/GMRoomServicePuzzle.h"

#include "Gdi/LDisplayGroup.h"
#include "Gdi/LSprite.h"
#include "Input/LIMouseListener.h"
#include "Input/LMouse.h"
#include "LPolygon.h"
#include "event/LEventManager.h"
#include "puzzles/GMPickStack.h"
#include "puzzles/roomservice/GMRoomServicePiece.h"
#include "stdlib/LRandom.h"
#include "support/GMPuzzleHarness.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeTimer.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const char* const kActive = "sta_roomservicepuzzle_active";

// Counts the releases that reach it, after the puzzle's priority.
class ReleaseProbe : public LIMouseListener
{
public:
    void OnButtonDown(int) override {}
    void OnMove(const LVector2&) override {}
    void OnButtonUp(int) override { ++mReleases; }
    int mReleases = 0;
};

class RoomServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHarness.Ready());
        mPuzzle = GMRoomServicePuzzle::GetInstance();
        ASSERT_NE(nullptr, mPuzzle);
        GMOptions::GetInstance()->SetSkill(GMOptions::SKILL_EASY);
        LRandom::Seed(11);
    }

    bool Open() { return mHarness.Open(kActive, mPuzzle); }
    GMRoomServicePiece* Piece(int aNumber) const { return mPuzzle->GetPiece(("piece" + std::to_string(aNumber)).c_str()); }

    // Puts every piece at a place of its own, unturned pieces side by side from x = 50
    // with 150 between them.
    void Spread()
    {
        for (int n = 1; n <= 3; ++n) {
            Piece(n)->SetPosition(50.0f + 250.0f * static_cast<float>(n - 1), 150.0f);
        }
    }

    static LVector2 Middle(GMRoomServicePiece* aPiece) { return aPiece->GetWorldPosition() + LVector2(50.0f, 100.0f); }

    GMPuzzleHarness mHarness;
    GMRoomServicePuzzle* mPuzzle = nullptr;
};

} // namespace

// --- The start -----------------------------------------------------------------------

TEST_F(RoomServiceTest, EveryPieceStartsInsideItsRangeUnturnedAtEasyAndTurnedByItsDrawAbove)
{
    for (int skill : {GMOptions::SKILL_EASY, GMOptions::SKILL_MEDIUM, GMOptions::SKILL_HARD}) {
        SCOPED_TRACE(skill);
        GMOptions::GetInstance()->SetSkill(skill);
        ASSERT_TRUE(Open());
        EXPECT_EQ("roomservicepuzzle_layout", ToStd(mPuzzle->GetRoot()->GetId()));
        ASSERT_EQ(3, mPuzzle->GetPieces().GetCount());
        EXPECT_EQ(Piece(1), mPuzzle->GetReference());
        int turned = 0;
        for (int n = 1; n <= 3; ++n) {
            GMRoomServicePiece* piece = Piece(n);
            ASSERT_NE(nullptr, piece);
            const LVector2 at = piece->GetWorldPosition();
            EXPECT_TRUE(at.x >= 100.0f && at.x <= 599.0f && at.y >= 100.0f && at.y <= 399.0f) << n;
            EXPECT_FLOAT_EQ(GMPickStack::BuildZ(n - 1), piece->GetRelativeZ());
            EXPECT_FLOAT_EQ(piece->GetAngle(), piece->GetSprite()->GetRotation());
            EXPECT_TRUE(piece->GetAngle() >= 0.0f && piece->GetAngle() < 360.0f);
            turned += piece->GetAngle() != 0.0f ? 1 : 0;
        }
        EXPECT_EQ(skill == GMOptions::SKILL_EASY ? 0 : 3, turned);
        ASSERT_TRUE(mHarness.Back(mPuzzle));
    }
    EXPECT_EQ("", mHarness.Log().Problems());
}

// --- Dragging and picking ------------------------------------------------------------

TEST_F(RoomServiceTest, APieceStaysOnTheScreenTheOtherAxisStillFollowing)
{
    ASSERT_TRUE(Open());
    Spread();
    GMRoomServicePiece* piece = Piece(2);
    const LVector2 start = piece->GetWorldPosition(); // (300, 150)
    // Left past the edge: x stays, y follows.
    GMPuzzleHarness::Drag(Middle(piece), Middle(piece) + LVector2(-400.0f, 50.0f), 1);
    EXPECT_EQ(start + LVector2(0.0f, 50.0f), piece->GetWorldPosition());
    // Down until the bottom would pass 600: y stays, x follows.
    GMPuzzleHarness::Drag(Middle(piece), Middle(piece) + LVector2(20.0f, 300.0f), 1);
    EXPECT_EQ(start + LVector2(20.0f, 50.0f), piece->GetWorldPosition());
    // Up to exactly 0 is already outside.
    GMPuzzleHarness::Drag(Middle(piece), Middle(piece) + LVector2(0.0f, -200.0f), 1);
    EXPECT_FLOAT_EQ(200.0f, piece->GetWorldPosition().y);
}

TEST_F(RoomServiceTest, APressWherePiecesOverlapPicksTheOnePickedLastAndTheZValuesStayBounded)
{
    ASSERT_TRUE(Open());
    Spread();
    // Piece 3 onto piece 1: picked last, it lies on top.
    GMPuzzleHarness::Drag(Middle(Piece(3)), Middle(Piece(1)), 2);
    ASSERT_EQ(Piece(1)->GetWorldPosition(), Piece(3)->GetWorldPosition());
    LMouse::Get()->OnButtonDown(1);
    EXPECT_EQ(Piece(3), mPuzzle->GetSelected());
    LMouse::Get()->OnButtonUp(1);
    // Piece 1 (under it) is reached where it shows: below the pile it is alone.
    Piece(3)->SetPosition(Piece(1)->GetWorldPosition() + LVector2(0.0f, 150.0f));
    GMPuzzleHarness::Click(Middle(Piece(1)) + LVector2(0.0f, -60.0f));
    EXPECT_EQ(Piece(1), mPuzzle->GetPieces().GetAt(0));

    // Many picks: the highest z never runs away and the order of the last picks holds.
    for (int i = 0; i < 3000; ++i) {
        GMPuzzleHarness::Click(Middle(Piece(2 + i % 2)) + LVector2(0.0f, 80.0f));
    }
    float highest = -1.0e9f;
    for (int n = 1; n <= 3; ++n) {
        highest = std::max(highest, Piece(n)->GetRelativeZ());
    }
    EXPECT_LE(highest, GMPickStack::kCeiling + GMPickStack::kStep);
    EXPECT_GT(Piece(3)->GetRelativeZ(), Piece(2)->GetRelativeZ()); // picked last
    EXPECT_GT(Piece(2)->GetRelativeZ(), Piece(1)->GetRelativeZ());
}

TEST_F(RoomServiceTest, TheReleaseOfAPickReachesNoOtherMouseListener)
{
    ASSERT_TRUE(Open());
    Spread();
    ReleaseProbe probe;
    LMouse::Get()->AddMember(&probe, 0.0f);
    GMPuzzleHarness::Drag(Middle(Piece(1)), Middle(Piece(1)) + LVector2(5.0f, 5.0f), 1);
    EXPECT_EQ(0, probe.mReleases);
    // A release with nothing picked goes on.
    GMPuzzleHarness::Click(LVector2(780.0f, 20.0f));
    EXPECT_EQ(1, probe.mReleases);
    LMouse::Get()->RemoveListener(&probe);
}

// --- Turning and placing -------------------------------------------------------------

TEST_F(RoomServiceTest, TheOtherButtonTurnsAboutThePiecePreviewingTheSpriteAndTurningTheOutlineAtTheRelease)
{
    ASSERT_TRUE(Open());
    Spread();
    GMRoomServicePiece* piece = Piece(2);
    const LVector2 pivot = piece->GetWorldPosition();
    const LPolygon before = *piece->GetOutline();
    // Pressed 100 pixels right of the pivot, moved to 100 pixels above it: a quarter turn.
    LFakeTimer::sNow += 1.0;
    GMPuzzleHarness::MoveTo(pivot + LVector2(60.0f, 10.0f));
    LMouse::Get()->OnButtonDown(2);
    ASSERT_EQ(piece, mPuzzle->GetSelected());
    ASSERT_TRUE(mPuzzle->IsTurning());
    const float start = std::atan2(-10.0f, 60.0f) * 57.29578f;
    GMPuzzleHarness::MoveTo(pivot + LVector2(0.0f, -100.0f));
    EXPECT_NEAR(90.0f - start, piece->GetSprite()->GetRotation(), 0.01f);
    EXPECT_FLOAT_EQ(0.0f, piece->GetAngle());
    EXPECT_EQ(before.GetPoint(1), piece->GetOutline()->GetPoint(1));
    LMouse::Get()->OnButtonUp(2);
    EXPECT_NEAR(90.0f - start, piece->GetAngle(), 0.01f);
    EXPECT_EQ(piece->GetWorldPosition(), pivot); // turned, not moved
    // The outline turned about the center by -angle: the corner (100, 0) moved.
    const float radians = -piece->GetAngle() * GMRoomServicePiece::kRadians;
    const LVector2 d = before.GetPoint(1) - piece->GetCenter();
    EXPECT_NEAR(d.x * std::cos(radians) - d.y * std::sin(radians) + 50.0f, piece->GetOutline()->GetPoint(1).x, 0.01f);
    EXPECT_NEAR(d.x * std::sin(radians) + d.y * std::cos(radians) + 100.0f, piece->GetOutline()->GetPoint(1).y, 0.01f);
}

TEST_F(RoomServiceTest, APieceIsPlacedWithinTwentyDegreesOverTheFullTurnAndTwentyPixelsOfItsDistance)
{
    ASSERT_TRUE(Open());
    GMRoomServicePiece* piece = Piece(2); // "solved" 100|0
    piece->SetPosition(300.0f, 200.0f);
    const LVector2 anchor = piece->GetAnchor();
    const float x = anchor.x - 100.0f;
    struct Case
    {
        float mTurn;
        float mReference;
        bool mPlaced;
    };
    const Case cases[] = {{345.0f, 0.0f, true}, {21.0f, 0.0f, false}, {20.0f, 0.0f, true},  {340.0f, 0.0f, true},
                          {339.0f, 0.0f, false}, {400.0f, 0.0f, false}, {370.0f, 0.0f, true}, {0.0f, 725.0f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mTurn);
        piece->Rotate(c.mTurn - piece->GetAngle());
        EXPECT_EQ(c.mPlaced, piece->IsPlaced(x, anchor.y, c.mReference));
    }
    piece->Rotate(-piece->GetAngle());
    EXPECT_TRUE(piece->IsPlaced(x - 20.0f, anchor.y, 0.0f));
    EXPECT_FALSE(piece->IsPlaced(x - 20.5f, anchor.y, 0.0f));
    EXPECT_TRUE(piece->IsPlaced(anchor.x, anchor.y - 100.0f, 0.0f)); // any direction: only the length counts
}

// --- The intro ---------------------------------------------------------

TEST_F(RoomServiceTest, TheIntroPlaysAtTheFirstShowingOfAGameOnly)
{
    LFakeSoundManager::sMade.clear();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(GMPuzzleHarness::EventRaised("evt_roomservicepuzzle_initvo"));
    ASSERT_EQ(1u, LFakeSoundManager::sMade.size());
    EXPECT_EQ("hintAudio", ToStd(LFakeSoundManager::sMade[0].mName));
    EXPECT_EQ("//sounds/hi13_rg.ogg", ToStd(LFakeSoundManager::sMade[0].mFileName));
    ASSERT_TRUE(mHarness.Back(mPuzzle));
    ASSERT_TRUE(Open());
    EXPECT_EQ(1u, LFakeSoundManager::sMade.size());
}
