// The game character over the written figure, the fake timer and the fake sound service:
// ambient gestures by weight, the player's actions with their props, moments and ends,
// seating, shown objects and the shared eye data.
#include "scene/GMCharacter.h"

#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LGestureAnimManager.h"
#include "container/LPropertyList.h"
#include "scene/GMICharacterListener.h"
#include "stdlib/LRandom.h"
#include "support/GMTestRoots.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Listener : public GMICharacterListener
{
public:
    void OnPlayerActionPoint() override { mPoints.push_back(mFrame); }
    void OnPlayerActionDone(int aAction) override { mDone.push_back(aAction); }
    void ContinueAction() override {}

    // The action's frame index at the previous update, set by the test.
    int mFrame = 0;
    std::vector<int> mPoints;
    std::vector<int> mDone;
};

const std::string kAmbient = "animations\n\tambient\n\t\tmininterval=1\n\t\tmaxinterval=1\n\t\tgestures\n"
                             "\t\t\tg1\n\t\t\t\tgesture=gesture-a.lia1\n\t\t\t\tweight=1\n"
                             "\t\t\tg2\n\t\t\t\tgesture=gesture-b.lia1\n\t\t\t\tweight=3\n";

class GameCharacterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoots.Mounted());
        RegisterFakeSoundManager();
        LTestCharacters::Write(mRoots);
        mRoots.Write("data/animations/gesture-a.lia1", LTestCharacters::AnimationBytes(u"gesture-a", 30));
        mRoots.Write("data/animations/gesture-b.lia1", LTestCharacters::AnimationBytes(u"gesture-b", 30));
        mRoots.Write("data/animations/sit.lia1", LTestCharacters::AnimationBytes(u"sit", 4));
        mRoots.Write("data/animations/show.lia1", LTestCharacters::AnimationBytes(u"show", 30));
        LRandom::Seed(1);
    }

    void TearDown() override
    {
        mCharacter.reset();
        LGestureAnimManager::Get()->RemoveAll();
    }

    GMCharacter& Make(const std::string& aExtra)
    {
        mCharacter = std::make_unique<GMCharacter>();
        EXPECT_EQ(1, LTestCharacters::Load(*mCharacter, LTestCharacters::Data("player", "", "name=vedrin\n" + aExtra)));
        return *mCharacter;
    }

    // One frame at aTime; the frame index of the action's track afterwards (-1 without).
    int Frame(double aTime)
    {
        LFakeTimer::sNow = aTime;
        mCharacter->UpdateTransform();
        const LAnimation* action = Fetch(mActionName);
        const LAnimationTrack* track = action != nullptr ? mCharacter->GetAnimationCtrl()->FindTrack(action) : nullptr;
        return track != nullptr ? static_cast<int>(track->GetScaledTime() * 30.0f) : -1;
    }

    static LAnimation* Fetch(const char* aName)
    {
        return aName != nullptr ? LGestureAnimManager::Get()->GetAnimation(LString(aName)) : nullptr;
    }

    LAnimation* Main() { return mCharacter->GetTrack(0)->mAnimation; }

    // Plays aAction now and runs frames of 1/30 s until its track is gone or 10 s
    // have passed; aEach sees the frame index before and after each frame.
    template <typename F>
    void RunAction(int aAction, const char* aName, Listener& aListener, F&& aEach)
    {
        mActionName = aName;
        mCharacter->PlayAction(aAction, &aListener);
        const double start = LFakeTimer::sNow;
        int before = 0;
        for (int i = 1; i <= 300; ++i) {
            aListener.mFrame = before;
            const int after = Frame(start + i / 30.0);
            aEach(before, after);
            if (after < 0 && mCharacter->GetPlayingAction() == 0) {
                break;
            }
            before = after;
        }
    }

    LTestCharacters::FakeTimeFirst mFakeTime;
    GMTestRoots mRoots;
    std::unique_ptr<GMCharacter> mCharacter;
    const char* mActionName = nullptr;
};

} // namespace

TEST_F(GameCharacterTest, AmbientGesturesByWeight)
{
    GMCharacter& character = Make(kAmbient);
    EXPECT_EQ(4, character.GetTotalWeight());
    const int expected[] = {0, 1, 1, 1};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(expected[k], character.PickGesture(k)) << k;
    }
    EXPECT_FLOAT_EQ(1.0f, character.GetNextAmbientTime());
    Frame(0.5);
    EXPECT_FALSE(character.IsAmbientPlaying());
    Frame(1.0);
    ASSERT_TRUE(character.IsAmbientPlaying());
    const LAnimation* gesture = character.GetCurrentAnimation();
    ASSERT_NE(nullptr, gesture);
    EXPECT_EQ(gesture, Main());
    // It fades out at its end, the idle comes back, and a new pause is drawn.
    for (int i = 1; i <= 60 && character.IsAmbientPlaying(); ++i) {
        Frame(1.0 + i / 30.0);
    }
    EXPECT_FALSE(character.IsAmbientPlaying());
    EXPECT_EQ(character.GetIdleAnimation(), Main());
    EXPECT_GT(character.GetNextAmbientTime(), 2.0f);
    // Suspended: nothing starts.
    character.SetAmbientSuspended(true);
    Frame(100.0);
    EXPECT_FALSE(character.IsAmbientPlaying());
}

TEST_F(GameCharacterTest, NoGesturesOrNoWeightNoAmbient)
{
    for (const std::string& extra : {std::string(),
                                     std::string("animations\n\tambient\n\t\tmininterval=0\n\t\tmaxinterval=0\n"
                                                 "\t\tgestures\n\t\t\tg1\n\t\t\t\tgesture=gesture-a.lia1\n"
                                                 "\t\t\t\tweight=0\n\t\t\tg2\n\t\t\t\tgesture=gesture-b.lia1\n"
                                                 "\t\t\t\tweight=0\n")}) {
        GMCharacter& character = Make(extra);
        EXPECT_EQ(-1, character.PickGesture(0));
        for (double t : {0.0, 5.0, 50.0}) {
            Frame(t);
            EXPECT_FALSE(character.IsAmbientPlaying()) << t;
        }
        EXPECT_EQ(character.GetIdleAnimation(), Main());
    }
}

TEST_F(GameCharacterTest, UnknownActionOnlyStoresItsCode)
{
    GMCharacter& character = Make("");
    Frame(0.0);
    Listener listener;
    character.PlayAction(11, &listener);
    EXPECT_EQ(11, character.GetAction());
    EXPECT_EQ(0, character.GetPlayingAction());
    EXPECT_FALSE(character.IsAmbientPlaying());
    EXPECT_EQ(character.GetIdleAnimation(), Main());
    EXPECT_EQ(nullptr, character.GetHandProp());
}

TEST_F(GameCharacterTest, CameraShowsItsPropAndTakesThePictureOnce)
{
    GMCharacter& character = Make("");
    GMOptions::GetInstance()->mVolume = 0.5f;
    Frame(0.0);
    Listener listener;
    bool shown = false;
    RunAction(GM_ACTION_CAMERA_MIDDLE, "camera_out-middle_M.lia1", listener, [&](int aBefore, int) {
        if (aBefore >= 0 && character.GetPlayingAction() != 0) {
            EXPECT_EQ(aBefore > 25 && aBefore < 95, character.IsHandPropShown()) << aBefore;
            shown = shown || character.IsHandPropShown();
        }
    });
    EXPECT_TRUE(shown);
    ASSERT_NE(nullptr, character.GetHandProp());
    EXPECT_GT(character.GetHandProp()->GetFrameCount(), 0);
    ASSERT_EQ(1u, listener.mPoints.size());
    EXPECT_GT(listener.mPoints[0], 60);
    EXPECT_LE(listener.mPoints[0], 62);
    ASSERT_EQ(1u, LFakeSoundPlayer::Live().size());
    LFakeSoundPlayer* flash = LFakeSoundPlayer::Live().back();
    EXPECT_EQ(LString("camera"), flash->GetId());
    EXPECT_EQ(LString("//sounds/blip.wav"), flash->mFileName);
    EXPECT_TRUE(flash->mPlaying);
    EXPECT_EQ(0.5f, flash->mVolume);
    // Camera actions end without telling.
    EXPECT_TRUE(listener.mDone.empty());
    EXPECT_EQ(character.GetIdleAnimation(), Main());
    GMOptions::GetInstance()->mVolume = 1.0f;
}

TEST_F(GameCharacterTest, PickUpsReachTheirPointHalfWay)
{
    GMCharacter& character = Make("");
    Frame(0.0);
    for (int action : {GM_ACTION_PICK_GROUND, GM_ACTION_PICK_TABLE}) {
        Listener listener;
        RunAction(action, action == GM_ACTION_PICK_GROUND ? "Pick_ground_M.lia1" : "Pick_table_M.lia1", listener,
                  [](int, int) {});
        ASSERT_EQ(1u, listener.mPoints.size()) << action;
        // Half of 120 frames.
        EXPECT_GE(listener.mPoints[0], 60);
        EXPECT_LE(listener.mPoints[0], 61);
        EXPECT_TRUE(listener.mDone.empty());
        EXPECT_EQ(0, character.GetPlayingAction());
    }
}

TEST_F(GameCharacterTest, ChairAndPhoneActions)
{
    GMCharacter& character = Make("animations\n\tseated\n\t\tanim01\n\t\t\tfile=sit.lia1\n");
    Frame(0.0);
    struct Case
    {
        int mAction;
        const char* mName;
        bool mSeated;
    } const cases[] = {
        {GM_ACTION_CHAIR_SIT, "Chair-sitting_M.lia1", true},
        {GM_ACTION_CHAIR_RISE, "Chair-rising_M.lia1", false},
    };
    for (const Case& c : cases) {
        Listener listener;
        LAnimation* switched = nullptr;
        int switchedAt = -1;
        RunAction(c.mAction, c.mName, listener, [&](int aBefore, int) {
            if (switched == nullptr && Main() != Fetch(c.mName)) {
                switched = Main();
                switchedAt = aBefore;
            }
        });
        EXPECT_EQ(c.mSeated, character.IsSeated());
        EXPECT_EQ(c.mSeated ? character.GetSeatedAnimation() : character.GetIdleAnimation(), switched);
        // 0.9 of 120 frames.
        EXPECT_GE(switchedAt, 107) << c.mName;
        EXPECT_LE(switchedAt, 109) << c.mName;
        EXPECT_EQ(std::vector<int>{c.mAction}, listener.mDone);
    }

    Listener out;
    int shownFrom = -1;
    RunAction(GM_ACTION_PHONE_OUT, "Cell-Phone_out_M.lia1", out, [&](int aBefore, int) {
        if (shownFrom < 0 && character.IsHandPropShown()) {
            shownFrom = aBefore;
        }
    });
    // 0.34 of 120 frames is frame 40.8.
    EXPECT_GE(shownFrom, 40);
    EXPECT_LE(shownFrom, 42);
    EXPECT_EQ(std::vector<int>{GM_ACTION_PHONE_OUT}, out.mDone);
    EXPECT_EQ(character.GetCellPhoneIdle(), Main());
    EXPECT_TRUE(character.IsHandPropShown());

    Listener in;
    int hiddenFrom = -1;
    RunAction(GM_ACTION_PHONE_IN, "Cell-Phone_in_M.lia1", in, [&](int aBefore, int) {
        if (hiddenFrom < 0 && !character.IsHandPropShown()) {
            hiddenFrom = aBefore;
        }
    });
    EXPECT_GE(hiddenFrom, 60);
    EXPECT_LE(hiddenFrom, 61);
    EXPECT_EQ(std::vector<int>{GM_ACTION_PHONE_IN}, in.mDone);
    EXPECT_EQ(character.GetIdleAnimation(), Main());
}

TEST_F(GameCharacterTest, SeatingAndInterviewMode)
{
    GMCharacter& plain = Make("");
    EXPECT_FALSE(plain.SetSeated(true, 0));
    EXPECT_FALSE(plain.SetInterviewMode(true, nullptr));

    GMCharacter& character = Make(kAmbient + "animations\n\tseated\n\t\tanim01\n\t\t\tfile=sit.lia1\n"
                                             "interview\n\tidleanim=show.lia1\n\tlookat=1|2|3\n\tdonelookat=4|5|6\n");
    Frame(0.0);
    ASSERT_TRUE(character.SetSeated(true, 0));
    EXPECT_TRUE(character.IsAmbientSuspended());
    EXPECT_EQ(character.GetSeatedAnimation(), Main());
    Frame(50.0);
    EXPECT_FALSE(character.IsAmbientPlaying());
    ASSERT_TRUE(character.SetSeated(false, 0));
    EXPECT_EQ(character.GetIdleAnimation(), Main());

    // The look-at point lies 18 degrees off the facing, too little to turn: entering gives
    // false; leaving with a done point gives true.
    EXPECT_FALSE(character.SetInterviewMode(true, nullptr));
    EXPECT_EQ(character.GetInterviewIdle(), Main());
    EXPECT_TRUE(character.SetInterviewMode(false, nullptr));
    EXPECT_EQ(character.GetIdleAnimation(), Main());
    EXPECT_EQ(LString("ma"), character.GetPhonemeFile());
}

TEST_F(GameCharacterTest, ShowObjectPlaysWithThePropInHand)
{
    GMCharacter& character = Make("");
    Frame(0.0);
    character.ShowObject(LString("show.lia1"), GMCharacter::PROP_BADGE);
    EXPECT_FALSE(character.IsSecondPropShown());
    Frame(0.1);
    ASSERT_TRUE(character.IsSecondPropShown());
    ASSERT_NE(nullptr, character.GetSecondProp());
    EXPECT_EQ(Fetch("show.lia1"), Main());
    for (int i = 1; i <= 90 && character.IsSecondPropShown(); ++i) {
        Frame(0.1 + i / 30.0);
    }
    EXPECT_FALSE(character.IsSecondPropShown());
    EXPECT_EQ(character.GetIdleAnimation(), Main());
}

TEST_F(GameCharacterTest, EyeDataIsReadOnceForAllCharacters)
{
    GMCharacter& first = Make("");
    const LPropertyList* eyes = GMCharacter::GetEyeData();
    ASSERT_NE(nullptr, eyes);
    mRoots.Write("data/characters/eyes.txt", "eyes\n\tleft=2\n");
    {
        GMCharacter second;
        EXPECT_EQ(eyes, GMCharacter::GetEyeData());
        bool found = false;
        EXPECT_EQ(1, eyes->GetInt(LString("eyes.left"), found));
    }
    EXPECT_EQ(eyes, GMCharacter::GetEyeData());
    (void)first;
    mCharacter.reset();
    EXPECT_EQ(nullptr, GMCharacter::GetEyeData());
}
