// Steering over a navigation whose points the test sets, driven frame by frame through the
// fake timer: stopping near the target, turning first and while walking, the turn factor,
// standing time, speeds with and without a character, and refused move kinds.
#include "Render/LSteeringTDO.h"

#include "LVector2.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LCharacter.h"
#include "Render/LDrawElement.h"
#include "Render/LINavigation.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "container/LPropertyList.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestRoots.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"
#include "support/LTestNavigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr float kPi = 3.1415927f;

// Points set by the test; routing does nothing.
class FixedNavigation : public LINavigation
{
public:
    bool Navigate() override { return true; }
    void Place(const LVector3& aPosition, const LVector3& aNext, const LVector3& aTarget)
    {
        mPosition = aPosition;
        mNextPoint = aNext;
        mTarget = aTarget;
    }
};

class SteeringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        LFakeTimer::sNow = 0.0;
        mSteering = std::make_unique<LSteeringTDO>();
        mSteering->SetDefaults();
        mSteering->SetNavigation(mNavigation.get());
        mSteering->SetDirection(LVector3(0.0f, 1.0f, 0.0f));
    }

    void TearDown() override { mSteering.reset(); }

    LVector3 Position() const { return *mNavigation->GetPosition(); }
    float Facing() const
    {
        const LVector3* d = mSteering->GetDirection();
        return LVector2(d->x, d->y).GetAngle(LVector2(0.0f, 1.0f));
    }

    std::unique_ptr<FixedNavigation> mNavigation = std::make_unique<FixedNavigation>();
    std::unique_ptr<LSteeringTDO> mSteering;
};

} // namespace

TEST_F(SteeringTest, DefaultTables)
{
    const float rates[] = {kPi, 0.7f * kPi, 0.6f * kPi, 0.8f * kPi, 0.8f * kPi};
    const float speeds[] = {0, 48, 132, 36, 36};
    for (int i = 0; i < LSteeringTDO::kMoveKinds; ++i) {
        EXPECT_FLOAT_EQ(rates[i], mSteering->GetTurnRate(i)) << i;
        EXPECT_EQ(speeds[i], mSteering->GetTableMoveSpeed(i)) << i;
    }
    LLogCapture log;
    EXPECT_FALSE(mSteering->SetTurnRate(5, 1.0f));
    EXPECT_FALSE(mSteering->SetMoveSpeed(-1, 1.0f));
    EXPECT_FALSE(mSteering->Steer());
    EXPECT_TRUE(log.Contains("NYI."));
    EXPECT_FALSE(mSteering->SetCharacter(nullptr));
    EXPECT_TRUE(log.Contains("SetCharacter failure."));
}

TEST_F(SteeringTest, StopsNearTheTarget)
{
    mNavigation->Place(LVector3(0, 0, 0), LVector3(0, 3.9f, 0), LVector3(0, 3.9f, 0));
    mNavigation->SetEnabled(true);
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    EXPECT_TRUE(mSteering->IsEnabled());
    LFakeTimer::FrameAt(0.0);
    EXPECT_FALSE(mSteering->IsEnabled());
    EXPECT_FALSE(mNavigation->IsEnabled());
    EXPECT_EQ(0, mSteering->GetMoveIndex());
    EXPECT_EQ(LVector3(0, 0, 0), Position());
}

TEST_F(SteeringTest, TurnsFirstWhenTheNextPointIsBehind)
{
    mNavigation->Place(LVector3(0, 0, 0), LVector3(0.01f, -200, 0), LVector3(0.01f, -200, 0));
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    LFakeTimer::FrameAt(0.0);
    float facing = Facing();
    int frames = 0;
    for (double t = 0.1; mSteering->IsTurningInPlace() && t < 3.0; t += 0.1) {
        LFakeTimer::FrameAt(t);
        ++frames;
        if (mSteering->IsTurningInPlace()) {
            EXPECT_EQ(LVector3(0, 0, 0), Position()) << t;
            // 0.7 pi a second, the last step only what remains of the half turn.
            EXPECT_NEAR(std::min(0.7f * kPi * 0.1f, kPi - facing), Facing() - facing, 1e-3f) << t;
        }
        facing = Facing();
    }
    // Fifteen frames of turning; the sixteenth finds it facing the point and walks.
    EXPECT_EQ(16, frames);
    EXPECT_NEAR(-4.8f, Position().y, 0.01f);
}

TEST_F(SteeringTest, CloseNextPointTurnsFasterThenInPlace)
{
    mNavigation->Place(LVector3(0, 0, 0), LVector3(0, 100, 0), LVector3(0, 500, 0));
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    LFakeTimer::FrameAt(0.0);
    LFakeTimer::FrameAt(0.01);
    ASSERT_FALSE(mSteering->IsTurningInPlace());
    // A point 10 to the side: a quarter turn would walk 34 units.
    *mNavigation->GetNextPoint() = Position() + LVector3(10, 0, 0);
    const float factors[] = {1.2f, 1.44f, 1.728f, 2.0736f};
    for (int i = 0; i < 4; ++i) {
        const LVector3 before = Position();
        LFakeTimer::FrameAt(0.02 + i * 0.01);
        EXPECT_NEAR(factors[i], mSteering->GetTurnFactor(), 1e-4f) << i;
        EXPECT_EQ(i == 3, mSteering->IsTurningInPlace()) << i;
        EXPECT_EQ(i == 3, before == Position()) << i;
    }
    // A new start begins at factor 1.
    ASSERT_TRUE(mSteering->SetMoving(true, 2));
    EXPECT_EQ(1.0f, mSteering->GetTurnFactor());
}

TEST_F(SteeringTest, StandingTimeIsNotWalked)
{
    mNavigation->Place(LVector3(0, 0, 0), LVector3(0, 1000, 0), LVector3(0, 1000, 0));
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    for (double t : {0.0, 0.01, 0.11}) {
        LFakeTimer::FrameAt(t);
    }
    // The frame that finds it facing the point walks already.
    EXPECT_NEAR(48.0f * 0.11f, Position().y, 0.01f);
    ASSERT_TRUE(mSteering->SetMoving(false, 1));
    EXPECT_EQ(48.0f, mSteering->GetMoveSpeed());
    LFakeTimer::FrameAt(5.0);
    LFakeTimer::sNow = 10.0;
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    LFakeTimer::FrameAt(10.0);
    LFakeTimer::FrameAt(10.01);
    EXPECT_NEAR(48.0f * 0.12f, Position().y, 0.01f);
}

TEST_F(SteeringTest, EachWalkerKeepsItsOwnTime)
{
    auto otherNavigation = std::make_unique<FixedNavigation>();
    LFakeTimer::sNow = 5.0;
    auto other = std::make_unique<LSteeringTDO>();
    other->SetDefaults();
    other->SetNavigation(otherNavigation.get());
    other->SetDirection(LVector3(0, 1, 0));
    mNavigation->Place(LVector3(0, 0, 0), LVector3(0, 1000, 0), LVector3(0, 1000, 0));
    otherNavigation->Place(LVector3(0, 0, 0), LVector3(0, 1000, 0), LVector3(0, 1000, 0));
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    ASSERT_TRUE(other->SetMoving(true, 1));
    for (double t : {5.0, 5.01, 5.11, 5.21}) {
        LFakeTimer::FrameAt(t);
    }
    EXPECT_NEAR(48.0f * 0.21f, Position().y, 0.01f);
    EXPECT_NEAR(48.0f * 0.21f, otherNavigation->GetPosition()->y, 0.01f);
    other.reset();
}

TEST_F(SteeringTest, MoveKindsOutsideTheTablesAreRefused)
{
    LLogCapture log;
    const int listeners = LFrameManager::Get()->GetListenerCount();
    for (int index : {-1, 5, 100}) {
        EXPECT_FALSE(mSteering->SetMoving(true, index)) << index;
    }
    EXPECT_FALSE(mSteering->IsEnabled());
    EXPECT_EQ(listeners, LFrameManager::Get()->GetListenerCount());
    EXPECT_EQ(3, log.Count("Move index out of bounds"));
    // A stop with one still stops.
    ASSERT_TRUE(mSteering->SetMoving(true, 1));
    EXPECT_TRUE(mSteering->SetMoving(false, 7));
    EXPECT_FALSE(mSteering->IsEnabled());
    EXPECT_EQ(0.0f, mSteering->GetMoveSpeed());
    EXPECT_EQ(listeners, LFrameManager::Get()->GetListenerCount());
    // Without a character the table's speeds hold as they are.
    ASSERT_TRUE(mSteering->SetMoving(true, 2));
    EXPECT_EQ(132.0f, mSteering->GetMoveSpeed());
    EXPECT_EQ(listeners + 1, LFrameManager::Get()->GetListenerCount());
}

TEST_F(SteeringTest, CharacterMovesAndIdle)
{
    GMTestRoots roots;
    ASSERT_TRUE(roots.Mounted());
    LTestCharacters::Write(roots);
    LCharacter character;
    ASSERT_EQ(1, LTestCharacters::Load(character, LTestCharacters::Data("player", "")));
    ASSERT_TRUE(mSteering->SetCharacter(&character));
    LLogCapture log;
    // The figure has two moves: a third is refused although the tables have one.
    EXPECT_FALSE(mSteering->SetMoving(true, 3));
    EXPECT_FALSE(mSteering->IsEnabled());
    ASSERT_TRUE(mSteering->SetMoving(true, 2));
    EXPECT_EQ(11.0f * 12.0f, mSteering->GetMoveSpeed());
    const LAnimationTrack* main = character.GetTrack(0);
    EXPECT_EQ(character.GetMove(2)->mAnimation, main->mAnimation);
    EXPECT_EQ(1.0f, main->mWeight);
    EXPECT_EQ(2.0f, main->mWeightRate);
    EXPECT_EQ(12u, main->mFlags);
    ASSERT_TRUE(mSteering->SetMoving(false, 0));
    EXPECT_EQ(character.GetIdleAnimation(), main->mAnimation);
    EXPECT_EQ(-8.0f, main->mWeightRate);
}

TEST(SteeringWalkTest, FigureWalksFromOneWayPointToTheOther)
{
    LTestCharacters::FakeTimeFirst fakeTime;
    GMTestRoots roots;
    ASSERT_TRUE(roots.Mounted());
    LTestCharacters::Write(roots);
    LCharacter character;
    ASSERT_EQ(1, LTestCharacters::Load(character, LTestCharacters::Data("player", "")));

    using T = LTestNavigation;
    std::unique_ptr<LPropertyList> data(T::List(T::Data(T::Bounds("hall", "cam01", "floor", T::Box(0, 0, 300, 100)), "")));
    std::unique_ptr<LDrawElement> scene(T::DepthElement());
    std::unique_ptr<LPathFindingWeb> web(T::Web(T::WayPoint("A", 20, 50, "B") + T::WayPoint("B", 280, 50, "A")));
    auto* navigation = new LNavigationTDO();
    ASSERT_TRUE(navigation->Create(data.get()) && navigation->SetSceneRoot(scene.get()) &&
                navigation->SetPathFinding(web.get()) && navigation->SetCamera(LString("cam01")));
    LSteeringTDO steering;
    steering.SetDefaults();
    ASSERT_TRUE(steering.SetNavigation(navigation));
    ASSERT_TRUE(steering.SetCharacter(&character));
    ASSERT_TRUE(character.SetSteering(&steering));
    steering.SetDirection(LVector3(1, 0, 0));
    navigation->SetPosition(LVector3(20, 50, 0));
    navigation->SetTarget(LVector3(280, 50, 0));
    navigation->SetEnabled(true);

    ASSERT_TRUE(steering.SetMoving(true, 1));
    const LAnimationTrack* main = character.GetTrack(0);
    EXPECT_EQ(character.GetMove(1)->mAnimation, main->mAnimation);
    EXPECT_EQ(1.0f, main->mWeight);
    EXPECT_EQ(2.0f, main->mWeightRate);
    EXPECT_EQ(48.0f, steering.GetMoveSpeed());
    double now = 0.0;
    float previous = 20.0f;
    for (int frame = 0; frame < 200 && steering.IsEnabled(); ++frame) {
        LFakeTimer::FrameAt(now += 0.1);
        character.UpdateSteering();
        character.UpdateTransform();
        const float x = character.GetPosition()->x;
        if (frame >= 2 && steering.IsEnabled()) {
            EXPECT_NEAR(4.8f, x - previous, 0.01f) << frame;
        }
        previous = x;
    }
    EXPECT_FALSE(steering.IsEnabled());
    EXPECT_FALSE(navigation->IsEnabled());
    EXPECT_LT((*navigation->GetTarget() - *navigation->GetPosition()).Length(), 4.0f);
    EXPECT_NEAR(50.0f, character.GetPosition()->z, 0.01f);
    EXPECT_EQ(character.GetIdleAnimation(), character.GetTrack(0)->mAnimation);
    character.SetVisible(false);
    delete navigation;
}
