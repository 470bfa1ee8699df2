// The player's turn into a walk on the small walk location, frame by frame through the
// fake timer: no turn for small angles, the walking turn's animation, the walk going on at
// 70 % of the turn with the move animation in step, the staircase's second leg, and the
// idle gesture held back while the player walks.
#include "scene/GMNavigation.h"

#include "LVector2.h"
#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LNavigationTDO.h"
#include "Render/LSteeringTDO.h"
#include "container/LPropertyList.h"
#include "scene/GMCharacter.h"
#include "scene/GMCharacterAction.h"
#include "scene/GMINavigationListener.h"
#include "support/GMTestRoots.h"
#include "support/GMTestWalkScene.h"
#include "support/LFakeRender.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

constexpr float kPi = 3.1415927f;
constexpr double kFrame = 1.0 / 30.0;

class Counter : public GMINavigationListener
{
public:
    void OnNavigationEvent(const LString&) override { ++mEvents; }
    int mEvents = 0;
};

class WalkTurnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoots.Mounted());
        RegisterFakeRender();
        LFakeTimer::sNow = 0.0;
        LTestCharacters::Write(mRoots);
        GMTestWalkScene::Write(mRoots);
        for (const char* nominal : {"45", "90", "135"}) {
            for (const char* way : {"CW", "CCW"}) {
                Animation(std::string("Turn-Walk_") + nominal + "-" + way + "_M.lia1", 30);
            }
        }
        Animation("walk.lia1", 40);
        mNavigation = GMNavigation::GetInstance();
        ASSERT_NE(nullptr, mNavigation);
        mNavigation->Reset();
    }

    void TearDown() override
    {
        mNavigation->RemoveListener(&mListener);
        mNavigation->Reset();
        mPlayer.reset();
        LGestureAnimManager::Get()->RemoveAll();
    }

    void Animation(const std::string& aName, unsigned aFrames)
    {
        const std::u16string name(aName.begin(), aName.end());
        mRoots.Write("data/animations/" + aName, LTestCharacters::AnimationBytes(name.c_str(), aFrames));
    }

    // The walk location's vp01 with the player at aAt facing aFacing (ground x, y).
    GMCharacter& Place(const LVector2& aAt, const LVector2& aFacing, const std::string& aData = "")
    {
        EXPECT_TRUE(mNavigation->SetSceneData(LString(GMTestWalkScene::kFolder), mDepth.get(), mScene.get(),
                                              LString("vp01")));
        mPlayer = std::make_unique<GMCharacter>();
        const std::string data = aData.empty() ? LTestCharacters::Data("player", "", "name=vedrin\n") : aData;
        EXPECT_EQ(1, LTestCharacters::Load(*mPlayer, data));
        LSteeringTDO* steering = mNavigation->GetSteering();
        steering->SetCharacter(mPlayer.get());
        mPlayer->SetSteering(steering);
        mNavigation->GetNavigation()->SetPosition(LVector3(aAt.x, aAt.y, 0.0f));
        steering->SetDirection(LVector3(aFacing.x, aFacing.y, 0.0f));
        Frame();
        return *mPlayer;
    }

    // One frame as the scene runs it: walkers, then the player.
    void Frame()
    {
        LFakeTimer::Frames(1, kFrame);
        mPlayer->UpdateSteering();
        mNavigation->UpdatePlayer(mPlayer.get());
        mPlayer->UpdateTransform();
    }

    static LVector2 Towards(const LVector2& aFrom, float aDegrees, float aDistance)
    {
        const float a = aDegrees / 180.0f * kPi;
        return LVector2(aFrom.x + std::cos(a) * aDistance, aFrom.y + std::sin(a) * aDistance);
    }

    LTestCharacters::FakeTimeFirst mTime;
    GMTestRoots mRoots;
    LLogCapture mLog;
    GMNavigation* mNavigation = nullptr;
    std::unique_ptr<LDrawElement> mDepth {GMTestWalkScene::DepthMesh()};
    std::unique_ptr<LPropertyList> mScene {GMTestWalkScene::SceneData()};
    std::unique_ptr<GMCharacter> mPlayer;
    Counter mListener;
};

} // namespace

TEST_F(WalkTurnTest, ASmallAngleWalksAtOnce)
{
    const LVector2 from(50.0f, 50.0f);
    GMCharacter& player = Place(from, LVector2(1.0f, 0.0f));
    ASSERT_TRUE(mNavigation->WalkTo(Towards(from, 40.0f, 40.0f), true, GMNavigation::kMoveWalk, false));
    EXPECT_FALSE(player.IsTurning());
    EXPECT_TRUE(mNavigation->GetSteering()->IsEnabled());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(WalkTurnTest, ALargeAngleTurnsFirstAndWalksOnInStep)
{
    const struct
    {
        float mDegrees;
        const char* mAnimation;
        int mMoveFrame;
        bool mFootFlag;
    } cases[] = {{120.0f, "Turn-Walk_135-CCW_M.lia1", 24, false},
                 {-120.0f, "Turn-Walk_135-CW_M.lia1", 5, true},
                 {-80.0f, "Turn-Walk_90-CW_M.lia1", 5, true}};
    for (const auto& c : cases) {
        const LVector2 from(50.0f, 50.0f);
        GMCharacter& player = Place(from, LVector2(1.0f, 0.0f));
        const LVector2 target = Towards(from, c.mDegrees, 40.0f);
        ASSERT_TRUE(mNavigation->WalkTo(target, true, GMNavigation::kMoveWalk, false));
        ASSERT_TRUE(player.IsWalkTurning()) << c.mDegrees;
        EXPECT_EQ(c.mAnimation, ToStd(player.GetTurnAnimation()->GetName()));
        EXPECT_EQ(c.mFootFlag, player.GetFootFlag());
        EXPECT_FALSE(mNavigation->GetSteering()->IsEnabled());
        // The walk waits for 70 % of the turn's 30 frames.
        int frames = 0;
        while (!mNavigation->GetSteering()->IsEnabled() && frames < 60) {
            Frame();
            ++frames;
        }
        EXPECT_NEAR(21, frames, 2) << c.mDegrees;
        EXPECT_FALSE(player.IsTurning());
        const LAnimation* walk = player.GetMove(GMNavigation::kMoveWalk)->mAnimation;
        EXPECT_EQ(walk, player.GetTrack(0)->mAnimation);
        // (The frame that started the walk has moved it on by one.)
        EXPECT_NEAR((c.mMoveFrame + 1) / 30.0f, player.GetTrack(0)->GetTime(), 0.002f) << c.mDegrees;
        // It faces the target already.
        const LVector2 facing = player.GetFacing();
        const float wanted = std::atan2(target.y - from.y, target.x - from.x);
        EXPECT_NEAR(0.0f, std::remainder(std::atan2(facing.y, facing.x) - wanted, 2.0f * kPi), 0.02f);
        for (int i = 0; i < 120 && mNavigation->GetSteering()->IsEnabled(); ++i) {
            Frame();
        }
        const LVector3& at = *mNavigation->GetNavigation()->GetPosition();
        EXPECT_NEAR(0.0f, (LVector2(at.x, at.y) - target).Length(), LSteeringTDO::kStopDistance + 0.5f);
    }
    // (Each new player replaces a character the restore manager never held.)
    EXPECT_EQ("", mLog.Problems("RemoveRestorable failure"));
}

TEST_F(WalkTurnTest, AMissingWalkingTurnAnimationWalksAtOnceWithOneLine)
{
    const LVector2 from(50.0f, 50.0f);
    GMCharacter& player = Place(from, LVector2(1.0f, 0.0f));
    // A female player: the walking turns written are the male ones.
    mPlayer = std::make_unique<GMCharacter>();
    ASSERT_EQ(1, LTestCharacters::Load(*mPlayer, LTestCharacters::Data("player", "f", "name=vedrin\n")));
    mNavigation->GetSteering()->SetCharacter(mPlayer.get());
    mPlayer->SetSteering(mNavigation->GetSteering());
    (void)player;
    mLog.Clear();
    ASSERT_TRUE(mNavigation->WalkTo(Towards(from, 120.0f, 40.0f), true, GMNavigation::kMoveWalk, false));
    EXPECT_FALSE(mPlayer->IsTurning());
    EXPECT_TRUE(mNavigation->GetSteering()->IsEnabled());
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: "));
    EXPECT_TRUE(mLog.Contains("Turn-Walk_135-CCW_F.lia1"));
}

TEST_F(WalkTurnTest, TheStaircasesSecondLegStartsWithAWalkingTurn)
{
    // From above the top of the stairs: the first leg walks down to it, the stairs then
    // run to the right, a quarter turn.
    // The stairs' moves 3 and 4 after the walk and the run.
    const std::string stairs = "\t\tup\n\t\t\tfile=walk.lia1\n\t\t\tmovespeed=3\n"
                               "\t\tdown\n\t\t\tfile=walk.lia1\n\t\t\tmovespeed=3\nname=vedrin\n";
    GMCharacter& player =
        Place(LVector2(100.0f, 90.0f), LVector2(0.0f, -1.0f), LTestCharacters::Data("player", "", stairs));
    ASSERT_TRUE(mNavigation->SetListener(&mListener));
    ASSERT_TRUE(mNavigation->WalkTo(LVector2(280.0f, 50.0f), false, GMNavigation::kMoveWalk, true));
    bool turnedBeforeStairs = false;
    std::vector<int> moves;
    for (int i = 0; i < 30 * 30 && (moves.size() < 3 || mNavigation->GetSteering()->IsEnabled()); ++i) {
        Frame();
        const int move = mNavigation->GetSteering()->GetMoveIndex();
        if (player.IsWalkTurning() && mNavigation->GetStairStage() == 1 && moves.size() == 1) {
            turnedBeforeStairs = true;
            EXPECT_EQ("Turn-Walk_90-CCW_M.lia1", ToStd(player.GetTurnAnimation()->GetName()));
        }
        if (move != 0 && (moves.empty() || moves.back() != move)) {
            moves.push_back(move);
        }
    }
    EXPECT_TRUE(turnedBeforeStairs);
    EXPECT_EQ(std::vector<int>({1, 4, 1}), moves);
    EXPECT_FALSE(mNavigation->IsStairWalkPending());
    EXPECT_EQ(1, mListener.mEvents);
    const LVector3& at = *mNavigation->GetNavigation()->GetPosition();
    EXPECT_NEAR(280.0f, at.x, LSteeringTDO::kStopDistance + 0.5f);
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(WalkTurnTest, TheIdleGestureWaitsWhileThePlayerWalks)
{
    // A slow walker: 12 units a second, so the walk along the floor takes about 20 s.
    std::string data = LTestCharacters::Data("player", "", "name=vedrin\n");
    data.replace(data.find("movespeed=4"), 11, "movespeed=1");
    GMCharacter& player = Place(LVector2(20.0f, 50.0f), LVector2(1.0f, 0.0f), data);
    player.SetIdleGestureEnabled(true);
    ASSERT_TRUE(mNavigation->WalkTo(LVector2(280.0f, 50.0f), true, GMNavigation::kMoveWalk, false));
    int frames = 0;
    for (; frames < 30 * 15 && mNavigation->GetSteering()->IsEnabled(); ++frames) {
        Frame();
    }
    EXPECT_EQ(30 * 15, frames);
    EXPECT_NE(GM_ACTION_CROSS_ARMS, player.GetAction());
    // Standing, the gesture comes after its delay.
    mNavigation->GetSteering()->SetMoving(false, 0);
    for (int i = 0; i < 30 * 11; ++i) {
        Frame();
    }
    EXPECT_EQ(GM_ACTION_CROSS_ARMS, player.GetAction());
}
