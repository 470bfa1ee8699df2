// The gesture player over a loaded figure and the fake timer: key order, curves, the
// default curve, gender letters in paths, bindings, the end, and keys that cannot start.
#include "Render/LGesturePlayer.h"

#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LCharacter.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LGestureCurve.h"
#include "Render/LGestureKey.h"
#include "Render/LIGesturePlayerListener.h"
#include "stdlib/LFrameManager.h"
#include "support/GMTestRoots.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A key of a gesture file; an empty curve leaves the "curve" line out.
std::string Key(const std::string& aName, int aTime, const std::string& aType, const std::string& aCurve)
{
    std::string text = "\t" + aName + "\n\t\ttime=" + std::to_string(aTime) + "\n\t\tcharacter=Primary\n\t\ttype=" +
                       aType + "\n";
    return aCurve.empty() ? text : text + "\t\tcurve=" + aCurve + "\n";
}

class DoneCounter : public LIGesturePlayerListener
{
public:
    void OnGestureDone() override { ++mCalls; }
    int mCalls = 0;
};

class GesturePlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LFakeTimer::sNow = 0.0;
        ASSERT_TRUE(mRoots.Mounted());
        LTestCharacters::Write(mRoots);
        // One second each; the female one half as long, to tell them apart.
        mRoots.Write("data/animations/AB_M/AB_wave.lia1", LTestCharacters::AnimationBytes(u"wave_m", 30));
        mRoots.Write("data/animations/AB_F/AB_wave.lia1", LTestCharacters::AnimationBytes(u"wave_f", 15));
        mRoots.Write("data/animations/nod.lia1", LTestCharacters::AnimationBytes(u"nod", 60));
        ASSERT_EQ(1, LTestCharacters::Load(mCharacter, LTestCharacters::Data("npc", "")));
        ASSERT_EQ(1, LTestCharacters::Load(mFemale, LTestCharacters::Data("npc", "f")));
    }

    void TearDown() override { LGestureAnimManager::Get()->RemoveAll(); }

    bool Load(const std::string& aKeys)
    {
        mRoots.Write("data/gestures/test.gk", "keys\n" + aKeys);
        return mPlayer.Load(LString("//gestures/test.gk"));
    }

    // Plays at time aStart and runs frames at the given times.
    void Frames(std::initializer_list<double> aTimes)
    {
        for (double time : aTimes) {
            LFakeTimer::FrameAt(time);
        }
    }

    LAnimationTrack* Track(const LGestureKey& aKey) { return mCharacter.GetAnimationCtrl()->FindTrack(aKey.mAnimation); }

    LTestCharacters::FakeTimeFirst mFakeTime;
    GMTestRoots mRoots;
    LCharacter mCharacter;
    LCharacter mFemale;
    LGesturePlayer mPlayer;
};

} // namespace

TEST(GestureKeyTest, PathsCarryTheGenderLetterOfTheirCharacter)
{
    struct Case
    {
        const char* mType;
        bool mFemale;
        const char* mPath;
    } const cases[] = {
        {"AB_wave.lia1", false, "/AB_M/AB_wave.lia1"},
        {"AB_wave.lia1", true, "/AB_F/AB_wave.lia1"},
        {"/AB_M/AB_wave.lia1", false, "/AB_M/AB_wave.lia1"},
        {"/AB_M/AB_wave.lia1", true, "/AB_F/AB_wave.lia1"},
        {"//animations/nod.lia1", true, "//animations/nod.lia1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LString(c.mPath), LGestureKey::MakePath(LString(c.mType), c.mFemale)) << c.mType;
    }
    // Setting the letter afterwards: symbolic and short paths stay as they are.
    LGestureKey key;
    key.mPath = LString("/AB_M/AB_wave.lia1");
    EXPECT_TRUE(key.SetGender(true));
    EXPECT_EQ(LString("/AB_F/AB_wave.lia1"), key.mPath);
    EXPECT_FALSE(key.SetGender(true));
    for (const char* path : {"//animations/nod.lia1", "/AB", ""}) {
        key.mPath = LString(path);
        EXPECT_FALSE(key.SetGender(false)) << path;
        EXPECT_EQ(LString(path), key.mPath);
    }
}

TEST(GestureCurveTest, PositionsSnapToTheEnds)
{
    const float cases[][2] = {{0.0005f, 0.0f}, {0.001f, 0.001f}, {0.5f, 0.5f}, {0.999f, 0.999f}, {0.9995f, 1.0f}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[1], LGestureCurve::Snap(c[0])) << c[0];
    }
    // Point counts other than 3k + 1 give no samples.
    LLogCapture log;
    LGestureCurve curve;
    const LVector2 points[5] = {};
    EXPECT_FALSE(curve.Build(points, 3));
    EXPECT_FALSE(curve.Build(points, 5));
    EXPECT_EQ(0, curve.GetSampleCount());
    EXPECT_TRUE(curve.Build(points, 4));
    EXPECT_EQ(101, curve.GetSampleCount());
}

TEST_F(GesturePlayerTest, FileKeysAndDefaultCurve)
{
    ASSERT_TRUE(Load(Key("a", 0, "AB_wave.lia1", "0|0|1|1|2|1|3|0") + Key("b", 500, "AB_wave.lia1", "")));
    ASSERT_EQ(2, mPlayer.GetKeyCount());
    const LGestureKey* first = mPlayer.GetKey(0);
    const LGestureKey* second = mPlayer.GetKey(1);
    EXPECT_EQ(0.0f, first->mTime);
    EXPECT_EQ(0.5f, second->mTime);
    EXPECT_EQ(LString("primary"), first->mCharacter);
    EXPECT_EQ(LString("/AB_M/AB_wave.lia1"), first->mPath);
    ASSERT_NE(nullptr, first->mAnimation);
    EXPECT_FLOAT_EQ(1.0f, first->mLength);
    EXPECT_EQ(4, first->GetPointCount());
    EXPECT_EQ(101, mPlayer.GetCurve(0)->GetSampleCount());
    // The default curve of a one-second animation: seven points, two segments.
    ASSERT_EQ(7, second->GetPointCount());
    const float expected[7][2] = {{0, 0}, {0, 0}, {1, 1}, {1, 1}, {1.5f, 1}, {1.5f, 0}, {2, 0}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_FLOAT_EQ(expected[i][0], second->GetPoints()[i].x) << i;
        EXPECT_FLOAT_EQ(expected[i][1], second->GetPoints()[i].y) << i;
    }
    EXPECT_EQ(202, mPlayer.GetCurve(1)->GetSampleCount());

    LLogCapture log;
    EXPECT_FALSE(mPlayer.Load(LString("//gestures/none.gk")));
    mRoots.Write("data/gestures/empty.gk", "other\n\tx=1\n");
    EXPECT_FALSE(mPlayer.Load(LString("//gestures/empty.gk")));
    EXPECT_TRUE(log.Contains("'keys' not found."));
}

TEST_F(GesturePlayerTest, KeysStartInFileOrder)
{
    ASSERT_TRUE(Load(Key("a", 0, "AB_wave.lia1", "0|0|1|1|2|1|3|0") + Key("b", 500, "//animations/nod.lia1", "") +
                     Key("c", 200, "AB_wave.lia1", "")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("PRIMARY"), &mCharacter));
    LFakeTimer::sNow = 10.0;
    mPlayer.Play();
    Frames({10.0});
    EXPECT_EQ(1, mPlayer.GetActive().GetCount());
    LAnimationTrack* track = Track(*mPlayer.GetKey(0));
    ASSERT_NE(nullptr, track);
    EXPECT_EQ(LCharacter::kGestureFlags, track->mFlags & LCharacter::kGestureFlags);
    // "c" is due at 0.2 but waits for "b" at 0.5.
    Frames({10.3});
    EXPECT_EQ(1, mPlayer.GetNextKey());
    Frames({10.5});
    EXPECT_EQ(3, mPlayer.GetNextKey());
    EXPECT_EQ(3, mPlayer.GetActive().GetCount());
}

TEST_F(GesturePlayerTest, CurveDrivesTheAnimationAndEndsTheKey)
{
    ASSERT_TRUE(Load(Key("a", 0, "//animations/nod.lia1", "0|0|1|1|2|1|3|0")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("primary"), &mCharacter));
    const LGestureKey& key = *mPlayer.GetKey(0);
    mPlayer.Play();
    // x = 3t, y = 3t(1 - t): rises to 0.75 at 1.5 s and falls back to 0 at 3 s.
    const double cases[][2] = {{0.0, 0.0}, {0.75, 0.5625}, {1.5, 0.75}, {2.25, 0.5625}, {2.99, 0.0}};
    for (const auto& c : cases) {
        LFakeTimer::FrameAt(c[0]);
        ASSERT_NE(nullptr, Track(key)) << c[0];
        EXPECT_NEAR(c[1] * key.mLength, Track(key)->GetTime(), 0.03 * key.mLength) << c[0];
    }
    EXPECT_FALSE(Track(key)->mEnded);
    LFakeTimer::FrameAt(3.01);
    EXPECT_TRUE(Track(key)->mEnded);
    EXPECT_EQ(0, mPlayer.GetActive().GetCount());
    EXPECT_EQ(0, mPlayer.GetCurve(0)->GetCursor());
}

TEST_F(GesturePlayerTest, DefaultCurveEndsOneSecondAfterTheAnimation)
{
    DoneCounter done;
    ASSERT_TRUE(Load(Key("a", 0, "//animations/nod.lia1", "")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("primary"), &mCharacter));
    ASSERT_TRUE(mPlayer.SetListener(&done));
    EXPECT_FALSE(mPlayer.SetListener(&done));
    mPlayer.Play();
    Frames({0.0, 1.0, 2.0, 2.99});
    EXPECT_EQ(1, mPlayer.GetActive().GetCount());
    EXPECT_EQ(0, done.mCalls);
    Frames({3.01});
    EXPECT_EQ(0, mPlayer.GetActive().GetCount());
    EXPECT_EQ(0, done.mCalls);
    // Every key has started and ended: the player tells once and leaves the frame pass.
    Frames({3.02, 3.5, 4.0});
    EXPECT_EQ(1, done.mCalls);
    EXPECT_TRUE(mPlayer.RemoveListener(&done));
    EXPECT_FALSE(mPlayer.RemoveListener(&done));
}

TEST_F(GesturePlayerTest, APlayerThatHasLeftTheFramePassIsStoppedAndDeletedQuietly)
{
    LLogCapture log;
    auto* player = new LGesturePlayer();
    mRoots.Write("data/gestures/short.gk", "keys\n" + Key("a", 0, "//animations/nod.lia1", ""));
    ASSERT_TRUE(player->Load(LString("//gestures/short.gk")));
    ASSERT_TRUE(player->SetCharacter(LString("primary"), &mCharacter));
    const int listeners = LFrameManager::Get()->GetListenerCount();
    player->Play();
    player->Play(); // already in the frame pass
    EXPECT_EQ(listeners + 1, LFrameManager::Get()->GetListenerCount());
    Frames({0.0, 3.01, 3.02});
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_EQ(listeners, LFrameManager::Get()->GetListenerCount());
    player->Stop();
    delete player;
    EXPECT_EQ(0, log.Count("Remove listener error."));
    EXPECT_EQ(0, log.Count("Duplicate found."));
}

TEST_F(GesturePlayerTest, BindingsAndGenderLetters)
{
    ASSERT_TRUE(Load(Key("a", 0, "AB_wave.lia1", "") + Key("b", 0, "//animations/nod.lia1", "")));
    LLogCapture log;
    ASSERT_TRUE(mPlayer.SetCharacter(LString("Primary"), &mFemale));
    EXPECT_FALSE(mPlayer.SetCharacter(LString("PRIMARY"), &mCharacter));
    EXPECT_TRUE(log.Contains("SetCharacter failure. Duplicate id:primary"));
    // The female folder's own animation, and a symbolic path left alone.
    EXPECT_EQ(LString("/AB_F/AB_wave.lia1"), mPlayer.GetKey(0)->mPath);
    ASSERT_NE(nullptr, mPlayer.GetKey(0)->mAnimation);
    EXPECT_EQ(LString("wave_f"), mPlayer.GetKey(0)->mAnimation->GetName());
    EXPECT_FLOAT_EQ(0.5f, mPlayer.GetKey(0)->mLength);
    EXPECT_EQ(LString("//animations/nod.lia1"), mPlayer.GetKey(1)->mPath);
}

TEST_F(GesturePlayerTest, KeyWithoutAnimationIsPassedOverOnce)
{
    LLogCapture log;
    ASSERT_TRUE(Load(Key("a", 0, "//animations/missing.lia1", "0|0|1|1|2|1|3|0") +
                     Key("b", 0, "//animations/nod.lia1", "0|0|1|1|2|1|3|0")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("primary"), &mCharacter));
    mPlayer.Play();
    Frames({0.0, 0.1, 0.2});
    EXPECT_EQ(1, log.Count("Animation pointer NULL."));
    ASSERT_EQ(1, mPlayer.GetActive().GetCount());
    EXPECT_EQ(1, mPlayer.GetActive()[0]);
}

TEST_F(GesturePlayerTest, AnimationLengthLeavesAHeldAnimationAlone)
{
    ASSERT_TRUE(Load(Key("a", 0, "//animations/nod.lia1", "0|0|1|1|2|1|3|0")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("primary"), &mCharacter));
    mPlayer.Play();
    Frames({0.0});
    LAnimation* playing = mPlayer.GetKey(0)->mAnimation;
    ASSERT_NE(nullptr, Track(*mPlayer.GetKey(0)));
    EXPECT_FLOAT_EQ(2.0f, mPlayer.GetAnimLength(LString("//animations/nod.lia1")));
    LGestureAnimManager* manager = LGestureAnimManager::Get();
    EXPECT_EQ(playing, manager->GetAnimation(LString("//animations/nod.lia1")));
    // One it had to load itself is dropped again.
    EXPECT_FLOAT_EQ(0.5f, mPlayer.GetAnimLength(LString("/AB_F/AB_wave.lia1")));
    EXPECT_EQ(0u, manager->GetHandle(LString("/AB_F/AB_wave.lia1")));
}

TEST_F(GesturePlayerTest, StopEmptiesTheBlendTracksAndRewinds)
{
    ASSERT_TRUE(Load(Key("a", 0, "//animations/nod.lia1", "0|0|1|1|2|1|3|0")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("primary"), &mCharacter));
    mPlayer.Play();
    Frames({0.0, 0.5});
    ASSERT_NE(nullptr, Track(*mPlayer.GetKey(0)));
    mPlayer.Stop();
    EXPECT_EQ(nullptr, Track(*mPlayer.GetKey(0)));
    EXPECT_EQ(0, mPlayer.GetNextKey());
    EXPECT_FALSE(mPlayer.IsPlaying());
    // Pause holds the time: after resuming, the key goes on where it was (d = 1.0 s,
    // t = 1/3 on the curve, y = 2/3).
    mPlayer.Play();
    Frames({1.0});
    mPlayer.Pause();
    Frames({5.0});
    mPlayer.Play();
    Frames({5.5});
    EXPECT_NEAR(2.0f / 3.0f * 2.0f, Track(*mPlayer.GetKey(0))->GetTime(), 0.05f);
}

TEST_F(GesturePlayerTest, ACharacterDeletedBeforeItsPlayerIsUnbound)
{
    LLogCapture log;
    auto character = std::make_unique<LCharacter>();
    ASSERT_EQ(1, LTestCharacters::Load(*character, LTestCharacters::Data("npc", "")));
    ASSERT_TRUE(Load(Key("a", 0, "//animations/nod.lia1", "0|0|1|1|2|1|3|0") +
                     Key("b", 2000, "//animations/nod.lia1", "")));
    ASSERT_TRUE(mPlayer.SetCharacter(LString("primary"), character.get()));
    DoneCounter done;
    ASSERT_TRUE(mPlayer.SetListener(&done));
    mPlayer.Play();
    Frames({0.0, 0.5});
    ASSERT_EQ(1, mPlayer.GetActive().GetCount());
    // Deleted mid-gesture: the running key ends with it and the later key, as for an id
    // never bound, is passed over; the player still finishes and tells its listener.
    character.reset();
    Frames({1.0, 2.5, 3.0});
    EXPECT_EQ(0, mPlayer.GetActive().GetCount());
    EXPECT_FALSE(mPlayer.IsPlaying());
    EXPECT_EQ(1, done.mCalls);
    EXPECT_EQ(0, log.Count("UpdateAnimation failure. Character pointer not found."));
    // Stop (and the destructor's) touch no deleted character.
    mPlayer.Stop();
    // The id stays taken.
    EXPECT_FALSE(mPlayer.SetCharacter(LString("primary"), &mCharacter));
}
