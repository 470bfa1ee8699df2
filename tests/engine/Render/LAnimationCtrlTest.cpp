#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIAnimator.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"
#include "writers/LAnimationBytes.h"
#include "writers/LSkeletonBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr unsigned kLoop = LAnimationTrack::FLAG_LOOP;
constexpr unsigned kFadeOut = LAnimationTrack::FLAG_FADE_OUT;
constexpr unsigned kFrozen = LAnimationTrack::FLAG_FROZEN;
constexpr unsigned kHoldLast = LAnimationTrack::FLAG_HOLD_LAST;

// An animation of aFrames frames and no channels.
std::unique_ptr<LAnimation> Frames(const char16_t* aName, unsigned aFrames)
{
    auto animation = std::make_unique<LAnimation>();
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    Load(stream, LAnimationBytes().Header(aName, 0, aFrames).Bytes());
    EXPECT_TRUE(animation->Read(&stream));
    return animation;
}

class AnimationCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        LFakeTimer::sNow = 0.0;
        mCtrl = std::make_unique<LAnimationCtrl>();
    }

    LAnimationTrack& Track(int aIndex) { return *mCtrl->GetTrack(aIndex); }

    // Updates at aNow and then takes the frame each track poses, as the element's update
    // does; -1 for a track that poses nothing.
    std::vector<int> Step(float aNow)
    {
        mCtrl->Update(aNow);
        std::vector<int> frames;
        for (int i = 0; i < LAnimationCtrl::kTrackCount; ++i) {
            unsigned frame = 0;
            frames.push_back(Track(i).NextFrame(&frame) ? static_cast<int>(frame) : -1);
        }
        return frames;
    }

    std::unique_ptr<LAnimationCtrl> mCtrl;
    std::unique_ptr<LAnimation> mA = Frames(u"a", 30);
    std::unique_ptr<LAnimation> mB = Frames(u"b", 30);
    std::unique_ptr<LAnimation> mC = Frames(u"c", 30);
};

} // namespace

TEST_F(AnimationCtrlTest, ReplacedMainAnimationFadesOutOnTheFirstFreeBlendTrack)
{
    ASSERT_EQ(1, mCtrl->SetAnimation(mA.get(), false, 0.0f, 4.0f, 12, 2.0f));
    mCtrl->Update(0.1f);
    ASSERT_EQ(1, mCtrl->SetAnimation(mB.get(), false, 0.0f, 4.0f, 12, 1.0f));
    ASSERT_EQ(1, mCtrl->SetAnimation(mC.get(), true, 0.5f, 0.0f, kLoop, 1.0f));

    EXPECT_EQ(mB.get(), Track(0).mAnimation);
    EXPECT_EQ(0.0f, Track(0).GetTime());
    const LAnimationTrack& old = Track(1);
    EXPECT_EQ(mA.get(), old.mAnimation);
    EXPECT_EQ(12u | kFadeOut, old.mFlags);
    EXPECT_EQ(1.0f, old.mWeight);
    EXPECT_EQ(LAnimationCtrl::kFadeOutRate, old.mWeightRate);
    EXPECT_EQ(1.0f, old.mSpeed);
    EXPECT_FLOAT_EQ(0.1f, old.GetTime());
    EXPECT_EQ(mC.get(), Track(2).mAnimation);

    mCtrl->Update(0.225f);
    EXPECT_FLOAT_EQ(0.5f, Track(1).mWeight);
    // A quarter of a second after the change the old animation is gone and the later
    // track has moved down, without being advanced in the pass that moved it.
    mCtrl->Update(0.35f);
    EXPECT_EQ(mC.get(), Track(1).mAnimation);
    EXPECT_FLOAT_EQ(0.125f, Track(1).GetTime());
    EXPECT_EQ(nullptr, Track(2).mAnimation);
    EXPECT_EQ(-1, mCtrl->FindTrackIndex(mA.get()));
    EXPECT_FLOAT_EQ(0.25f, Track(0).GetTime());
}

TEST_F(AnimationCtrlTest, SettingTheMainAnimationAgainKeepsItsTime)
{
    mCtrl->SetAnimation(mA.get(), false, 0.0f, 4.0f, 12, 1.0f);
    mCtrl->Update(0.5f);
    EXPECT_EQ(1, mCtrl->SetAnimation(mA.get(), false, 1.0f, 0.0f, 0, 3.0f));
    EXPECT_FLOAT_EQ(0.5f, Track(0).GetTime());
    EXPECT_EQ(12u, Track(0).mFlags);
    EXPECT_EQ(nullptr, Track(1).mAnimation);
}

TEST_F(AnimationCtrlTest, WithEveryBlendTrackBusyReplacedAndAddedAnimationsHaveNoPlace)
{
    std::vector<std::unique_ptr<LAnimation>> blends;
    mCtrl->SetAnimation(mA.get(), false, 1.0f, 0.0f, 0, 1.0f);
    for (int i = 1; i < LAnimationCtrl::kTrackCount; ++i) {
        blends.push_back(Frames(u"blend", 30));
        ASSERT_EQ(1, mCtrl->SetAnimation(blends.back().get(), true, 0.5f, 0.0f, 0, 1.0f));
    }
    // An animation already on a blend track is not added twice.
    mCtrl->SetTrack(6, nullptr, 0, 0.0f, 0.0f);
    EXPECT_EQ(1, mCtrl->SetAnimation(blends[0].get(), true, 0.5f, 0.0f, 0, 1.0f));
    EXPECT_EQ(nullptr, Track(6).mAnimation);
    mCtrl->SetTrack(6, blends[5].get(), 0, 0.5f, 0.0f);

    EXPECT_EQ(1, mCtrl->SetAnimation(mC.get(), true, 0.5f, 0.0f, 0, 1.0f));
    EXPECT_EQ(-1, mCtrl->FindTrackIndex(mC.get()));
    EXPECT_EQ(1, mCtrl->SetAnimation(mB.get(), false, 1.0f, 0.0f, 0, 1.0f));
    EXPECT_EQ(mB.get(), Track(0).mAnimation);
    EXPECT_EQ(-1, mCtrl->FindTrackIndex(mA.get()));
    for (int i = 1; i < LAnimationCtrl::kTrackCount; ++i) {
        EXPECT_EQ(blends[i - 1].get(), Track(i).mAnimation) << i;
    }
}

TEST_F(AnimationCtrlTest, AnAnimationPlayedOnceEndsAtItsLastFrameAndFadesOnItsPreviousFrame)
{
    mCtrl->SetAnimation(mA.get(), false, 1.0f, 0.0f, 0, 1.0f);
    EXPECT_EQ(28, Step(0.96f)[0]);
    EXPECT_FALSE(Track(0).mEnded);
    // 29/30 s reaches the last frame: the track ends and goes back to its previous time.
    EXPECT_EQ(29, Step(0.97f)[0]);
    EXPECT_TRUE(Track(0).mEnded);
    EXPECT_FLOAT_EQ(0.96f, Track(0).GetTime());
    EXPECT_EQ(kFrozen, Track(0).mFlags);

    EXPECT_EQ(28, Step(1.07f)[0]);
    EXPECT_EQ(kFadeOut | kFrozen, Track(0).mFlags);
    EXPECT_NEAR(0.6f, Track(0).mWeight, 1e-5);
    EXPECT_FLOAT_EQ(0.96f, Track(0).GetTime());
    mCtrl->Update(1.25f);
    EXPECT_EQ(nullptr, Track(0).mAnimation);
}

TEST_F(AnimationCtrlTest, HoldingAndLoopingTracksNeverEnd)
{
    mCtrl->SetAnimation(mA.get(), false, 1.0f, 0.0f, kHoldLast, 1.0f);
    mCtrl->SetAnimation(mB.get(), true, 1.0f, 0.0f, kLoop, 1.0f);
    // 1.5 s is frame 45: the held track shows its last frame, the looping one frame 15
    // and starts again at 0.
    std::vector<int> frames = Step(1.5f);
    EXPECT_EQ(29, frames[0]);
    EXPECT_EQ(15, frames[1]);
    EXPECT_EQ(0.0f, Track(1).GetTime());

    frames = Step(100.0f);
    EXPECT_EQ(29, frames[0]);
    EXPECT_EQ(1.0f, Track(0).mWeight);
    EXPECT_EQ(0u, Track(0).mFlags & (kFadeOut | kFrozen));
    EXPECT_EQ(0u, Track(1).mFlags & (kFadeOut | kFrozen));
    EXPECT_EQ(mB.get(), Track(1).mAnimation);
}

TEST_F(AnimationCtrlTest, PausedTracksNeitherAdvanceNorFade)
{
    mCtrl->SetAnimation(mA.get(), false, 1.0f, 0.0f, 0, 1.0f);
    mCtrl->SetAnimation(mB.get(), false, 1.0f, 0.0f, 0, 1.0f);
    LFakeTimer::sNow = 0.1;
    mCtrl->Update(mCtrl->GetTime());
    mCtrl->SetPaused(true);
    EXPECT_TRUE(mCtrl->IsPaused());
    LFakeTimer::sNow = 5.0;
    mCtrl->Update(mCtrl->GetTime());
    EXPECT_FLOAT_EQ(0.1f, Track(0).GetTime());
    EXPECT_FLOAT_EQ(0.6f, Track(1).mWeight);

    mCtrl->SetPaused(false);
    LFakeTimer::sNow = 5.05;
    mCtrl->Update(mCtrl->GetTime());
    EXPECT_NEAR(0.15f, Track(0).GetTime(), 1e-5);
    EXPECT_NEAR(0.4f, Track(1).mWeight, 1e-5);
}

TEST_F(AnimationCtrlTest, WeightsStayBetweenZeroAndOne)
{
    // A fade-in with a negative rate stops at 0 and the track plays on; one with a
    // positive rate stops at 1 and its flag clears.
    mCtrl->SetTrack(1, mA.get(), LAnimationTrack::FLAG_FADE_IN, 0.2f, -4.0f);
    mCtrl->SetTrack(2, mB.get(), LAnimationTrack::FLAG_FADE_IN, 0.8f, 4.0f);
    mCtrl->Update(0.1f);
    EXPECT_EQ(0.0f, Track(1).mWeight);
    EXPECT_EQ(mA.get(), Track(1).mAnimation);
    EXPECT_FLOAT_EQ(0.1f, Track(1).GetTime());
    EXPECT_EQ(1.0f, Track(2).mWeight);
    EXPECT_EQ(0u, Track(2).mFlags);
    mCtrl->Update(0.2f);
    EXPECT_EQ(mA.get(), Track(1).mAnimation);
}

TEST_F(AnimationCtrlTest, TrackOperations)
{
    mCtrl->SetAnimation(mA.get(), false, 1.0f, 0.0f, 0, 2.0f);
    mCtrl->SetAnimation(mB.get(), true, 0.5f, 0.0f, 0, 1.0f);
    mCtrl->SetAnimation(mC.get(), true, 0.5f, 0.0f, 0, 1.0f);
    mCtrl->Update(0.5f);
    EXPECT_EQ(1.0f, mCtrl->GetTrackScaledTime(0));
    EXPECT_EQ(-1.0f, mCtrl->GetTrackScaledTime(3));
    EXPECT_EQ(LString("b"), *mCtrl->GetAnimationName(1));
    EXPECT_EQ(nullptr, mCtrl->GetAnimationName(3));
    EXPECT_EQ(&Track(2), mCtrl->FindTrack(mC.get()));

    const float values[4] = {static_cast<float>(kLoop), 0.25f, -1.0f, 3.0f};
    EXPECT_EQ(1, mCtrl->SetTrackParameters(mB.get(), values));
    EXPECT_EQ(kLoop, Track(1).mFlags);
    EXPECT_EQ(0.25f, Track(1).mWeight);
    EXPECT_EQ(-1.0f, Track(1).mWeightRate);
    EXPECT_EQ(1.5f, mCtrl->GetTrackScaledTime(1));
    EXPECT_EQ(1, mCtrl->FreezeAnimation(mB.get()));
    EXPECT_EQ(kLoop | kFrozen, Track(1).mFlags);

    // Stopping leaves a gap that only the next fade-out end closes.
    EXPECT_EQ(1, mCtrl->StopAnimation(mB.get()));
    EXPECT_EQ(nullptr, Track(1).mAnimation);
    EXPECT_EQ(mC.get(), Track(2).mAnimation);
    EXPECT_EQ(0, mCtrl->StopAnimation(mB.get()));
    EXPECT_EQ(0, mCtrl->FreezeAnimation(mB.get()));
    EXPECT_EQ(0, mCtrl->SetTrackParameters(mB.get(), values));
    EXPECT_EQ(nullptr, mCtrl->FindTrack(nullptr));

    // SetTrack restarts the time but keeps the previous time.
    mCtrl->Update(0.75f);
    mCtrl->SetTrack(2, mC.get(), LAnimationTrack::FLAG_FADE_IN, 1.0f, 0.0f);
    EXPECT_EQ(0.0f, Track(2).GetTime());
    EXPECT_FLOAT_EQ(0.5f, Track(2).GetPreviousTime());
    EXPECT_EQ(1.0f, Track(2).mSpeed);
    EXPECT_EQ(1, mCtrl->FadeOutTrack(2, -2.0f));
    EXPECT_EQ(kFadeOut, Track(2).mFlags);
    EXPECT_EQ(-2.0f, Track(2).mWeightRate);
    EXPECT_EQ(1, mCtrl->FadeOutTrack(2, 0.0f));
    EXPECT_EQ(nullptr, Track(2).mAnimation);

    mCtrl->SetAnimation(mB.get(), true, 0.5f, 0.0f, 0, 1.0f);
    EXPECT_EQ(1, mCtrl->FadeOutAll(-8.0f));
    EXPECT_EQ(kFadeOut, Track(0).mFlags);
    EXPECT_EQ(-8.0f, Track(1).mWeightRate);
    mCtrl->ClearBlendTracks();
    EXPECT_EQ(nullptr, Track(1).mAnimation);
    EXPECT_EQ(mA.get(), Track(0).mAnimation);
}

TEST_F(AnimationCtrlTest, TrackIndicesOutsideTheSevenAreRefused)
{
    LLogCapture log;
    for (int index : {-1, 7, 1000}) {
        log.Clear();
        EXPECT_EQ(nullptr, mCtrl->GetTrack(index)) << index;
        EXPECT_EQ(0, mCtrl->SetTrack(index, mA.get(), 0, 1.0f, 0.0f, 1.0f)) << index;
        EXPECT_EQ(0, mCtrl->FadeOutTrack(index, 0.0f)) << index;
        EXPECT_EQ(-1.0f, mCtrl->GetTrackScaledTime(index)) << index;
        EXPECT_EQ(nullptr, mCtrl->GetAnimationName(index)) << index;
        EXPECT_TRUE(log.Contains("GetTrack failure. Invalid track: " + std::to_string(index))) << index;
        EXPECT_TRUE(log.Contains("SetTrack failure. Invalid track")) << index;
    }
    EXPECT_EQ(0, mCtrl->SetAnimation(nullptr, false, 1.0f, 0.0f, 0, 1.0f));
    EXPECT_EQ(-1, mCtrl->FindTrackIndex(mA.get()));
}

TEST_F(AnimationCtrlTest, TracksWithoutFramesOrBeforeTheStartPoseSafely)
{
    // No frames (an animation without channels may have none): nothing to pose, instead
    // of a wrapped last frame and a modulo by zero.
    std::unique_ptr<LAnimation> empty = Frames(u"empty", 0);
    mCtrl->SetTrack(0, empty.get(), 0, 1.0f, 0.0f);
    // A negative speed gives a time before the start: frame 0, not a huge index.
    mCtrl->SetTrack(1, mA.get(), 0, 1.0f, 0.0f, -1.0f);
    const std::vector<int> frames = Step(0.5f);
    EXPECT_EQ(-1, frames[0]);
    EXPECT_FALSE(Track(0).mEnded);
    EXPECT_EQ(0, frames[1]);
    EXPECT_FALSE(Track(1).mEnded);
    EXPECT_EQ(-0.5f, mCtrl->GetTrackScaledTime(1));
}

namespace {

LQuaternion Q(float aX, float aY, float aZ, float aW)
{
    LQuaternion q;
    q.x = aX;
    q.y = aY;
    q.z = aZ;
    q.w = aW;
    return q;
}

constexpr float kHalf = 0.70710678f;
const LQuaternion kIdentity = Q(0.0f, 0.0f, 0.0f, 1.0f);
// A quarter turn about z.
const LQuaternion kQuarterZ = Q(0.0f, 0.0f, kHalf, kHalf);

LMatrix4 Rest(float aScaleX, float aScaleY, float aScaleZ, float aX, float aY, float aZ)
{
    LMatrix4 m;
    LMatrix4::Scaling(&m, aScaleX, aScaleY, aScaleZ);
    m[12] = aX;
    m[13] = aY;
    m[14] = aZ;
    return m;
}

// S x R(q) with translation t.
LMatrix4 Pose(const LQuaternion& aRotation, float aScaleX, float aScaleY, float aScaleZ, float aX, float aY,
              float aZ)
{
    LMatrix4 rotation;
    LMatrix4::RotationQuaternion(&rotation, &aRotation);
    LMatrix4 scale = Rest(aScaleX, aScaleY, aScaleZ, 0.0f, 0.0f, 0.0f);
    LMatrix4 pose;
    LMatrix4::Multiply(&pose, &scale, &rotation);
    pose[12] = aX;
    pose[13] = aY;
    pose[14] = aZ;
    return pose;
}

void ExpectNear(const LMatrix4& aExpected, const LMatrix4& aActual, const char* aWhat)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(aExpected[i], aActual[i], 1e-4) << aWhat << " element " << i;
    }
}

std::unique_ptr<LAnimation> Read(const std::string& aBytes, bool aOlder = false)
{
    auto animation = std::make_unique<LAnimation>();
    LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
    Load(stream, aBytes);
    EXPECT_TRUE(aOlder ? animation->ReadLia(&stream, LString("pose.lia")) == 1 : animation->Read(&stream));
    return animation;
}

// An animation of two frames holding one pose per channel.
std::unique_ptr<LAnimation> Posed(std::initializer_list<std::tuple<const char16_t*, LQuaternion, LVector3>> aChannels)
{
    LAnimationBytes bytes;
    bytes.Header(u"posed", static_cast<unsigned>(aChannels.size()), 2);
    for (const auto& [name, rotation, translation] : aChannels) {
        bytes.PoseChannel(name, 2, rotation, translation);
    }
    return Read(bytes.Bytes());
}

class PosingTest : public AnimationCtrlTest
{
protected:
    void SetUp() override
    {
        AnimationCtrlTest::SetUp();
        const std::string bytes = LSkeletonBytes()
                                      .Frame(u"Biped", Rest(1, 1, 1, 1, 2, 3))
                                      .Frame(u"Head", Rest(2, 3, 4, 0, 5, 0))
                                      .Frame(u"Arm", Rest(1, 1, 1, 6, 0, 0))
                                      .Bytes();
        LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
        Load(stream, bytes);
        ASSERT_TRUE(mElement.Read(&stream));
        mBiped = mElement.GetFrame(LString("Biped"));
        mHead = mElement.GetFrame(LString("Head"));
        mArm = mElement.GetFrame(LString("Arm"));
        ASSERT_NE(nullptr, mArm);
    }

    LDrawElement mElement;
    LFrame* mBiped = nullptr;
    LFrame* mHead = nullptr;
    LFrame* mArm = nullptr;
};

} // namespace

TEST_F(PosingTest, TheMainTrackSetsRotationsInFullAndOnlyTheBipedMoves)
{
    std::unique_ptr<LAnimation> walk =
        Posed({{u"Biped", kIdentity, {7, 8, 9}}, {u"Head", kQuarterZ, {100, 100, 100}}, {u"Hand", kQuarterZ, {}}});
    // Weight 0 and fading in: the main track still poses in full.
    mCtrl->SetAnimation(walk.get(), false, 0.0f, 4.0f, LAnimationTrack::FLAG_FADE_IN, 1.0f);
    mArm->SetLocalMatrix(Rest(9, 9, 9, 9, 9, 9));
    mCtrl->Update(0.01f);
    EXPECT_EQ(1, mCtrl->Apply(&mElement));
    ExpectNear(Pose(kIdentity, 1, 1, 1, 7, 8, 9), mBiped->GetLocalMatrix(), "Biped");
    // The scale of the rest matrix stays; the head keeps its place.
    ExpectNear(Pose(kQuarterZ, 2, 3, 4, 0, 5, 0), mHead->GetLocalMatrix(), "Head");
    // A frame no channel names is back at rest.
    ExpectNear(mArm->GetRestMatrix(), mArm->GetLocalMatrix(), "Arm");
    EXPECT_EQ(0, mCtrl->Apply(nullptr));
}

TEST_F(PosingTest, AnOlderFileMovesTheBipedFrameByName)
{
    const std::string bytes = LAnimationBytes()
                                  .LiaHeader(1, 1)
                                  .LiaPoseChannel("Biped", 1, kQuarterZ, LVector3(4, 5, 6))
                                  .Bytes();
    std::unique_ptr<LAnimation> older = Read(bytes, true);
    mCtrl->SetAnimation(older.get(), false, 1.0f, 0.0f, LAnimationTrack::FLAG_HOLD_LAST, 1.0f);
    mCtrl->Update(0.5f);
    mCtrl->Apply(&mElement);
    ExpectNear(Pose(kQuarterZ, 1, 1, 1, 4, 5, 6), mBiped->GetLocalMatrix(), "Biped");
}

TEST_F(PosingTest, ABlendTrackTurnsTheFramesPartWay)
{
    std::unique_ptr<LAnimation> stand = Posed({{u"Biped", kIdentity, {0, 0, 0}}, {u"Head", kIdentity, {}}});
    std::unique_ptr<LAnimation> turn = Posed({{u"Biped", kQuarterZ, {10, 0, 0}}, {u"Head", kQuarterZ, {}}});
    mCtrl->SetAnimation(stand.get(), false, 1.0f, 0.0f, LAnimationTrack::FLAG_LOOP, 1.0f);
    mCtrl->SetAnimation(turn.get(), true, 0.5f, 0.0f, LAnimationTrack::FLAG_LOOP, 1.0f);
    mCtrl->Update(0.01f);
    mCtrl->Apply(&mElement);
    const LQuaternion eighth = Q(0.0f, 0.0f, 0.38268343f, 0.92387953f);
    ExpectNear(Pose(eighth, 1, 1, 1, 5, 0, 0), mBiped->GetLocalMatrix(), "Biped");
    ExpectNear(Pose(eighth, 2, 3, 4, 0, 5, 0), mHead->GetLocalMatrix(), "Head");
}

TEST_F(PosingTest, TheElementUpdatesTheControllerThenTheAnimatorThenPoses)
{
    struct Animator : LIAnimator
    {
        void Update() override
        {
            time = ctrl->GetTrack(0)->GetTime();
            headBeforePosing = head->GetLocalMatrix();
        }
        LAnimationCtrl* ctrl = nullptr;
        LFrame* head = nullptr;
        float time = -1.0f;
        LMatrix4 headBeforePosing;
    };
    std::unique_ptr<LAnimation> turn = Posed({{u"Head", kQuarterZ, {}}});
    LAnimationCtrl* ctrl = mCtrl.release();
    mElement.SetAnimationCtrl(ctrl);
    auto* animator = new Animator();
    animator->ctrl = ctrl;
    animator->head = mHead;
    ASSERT_EQ(1, mElement.SetAnimator(animator));
    ctrl->SetAnimation(turn.get(), false, 1.0f, 0.0f, LAnimationTrack::FLAG_LOOP, 1.0f);
    mHead->SetLocalMatrix(Rest(7, 7, 7, 0, 0, 0));

    LFakeTimer::sNow = 0.02;
    const LMatrix4 world = Rest(1, 1, 1, 0, 0, 100);
    EXPECT_EQ(1, mElement.Update(&world));
    EXPECT_FLOAT_EQ(0.02f, animator->time);
    ExpectNear(Rest(7, 7, 7, 0, 0, 0), animator->headBeforePosing, "Head before posing");
    ExpectNear(Pose(kQuarterZ, 2, 3, 4, 0, 5, 0), mHead->GetLocalMatrix(), "Head");
    // The world matrices follow the new pose.
    LMatrix4 expected;
    LMatrix4::Multiply(&expected, &mHead->GetLocalMatrix(), &mBiped->GetWorldMatrix());
    ExpectNear(expected, mHead->GetWorldMatrix(), "Head world");
    EXPECT_NEAR(103.0f, mBiped->GetWorldMatrix()[14], 1e-4);
}
