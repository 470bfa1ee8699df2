// The game character's turns on the spot, its look-at of an interview partner and the
// player's footsteps, over the written figure, the fake timer and the fake sound service.
#include "scene/GMCharacter.h"

#include "LMatrix4.h"
#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LGestureAnimManager.h"
#include "Render/LSteeringTDO.h"
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

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kPi = 3.1415927f;
constexpr unsigned kTurnFrames = 30;

class Listener : public GMICharacterListener
{
public:
    void OnPlayerActionPoint() override {}
    void OnPlayerActionDone(int) override {}
    void ContinueAction() override { ++mContinued; }
    int mContinued = 0;
};


class CharacterTurnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoots.Mounted());
        RegisterFakeSoundManager();
        LTestCharacters::Write(mRoots);
        for (const char* nominal : {"45", "90", "180"}) {
            for (const char* way : {"CW", "CCW"}) {
                for (const char* sex : {"M", "F"}) {
                    // One left out: the female half turn clockwise.
                    if (std::string(nominal) + way + sex == "180CWF") {
                        continue;
                    }
                    WriteAnimation(std::string("Turn-") + nominal + "-" + way + "_" + sex + ".lia1", kTurnFrames);
                }
            }
        }
        mRoots.Write("data/meshes/eyed.lim1", LTestCharacters::EyedFigureBytes());
        mRoots.Write("data/characters/eyes.txt", "partner\n\tright=BN_R_Eye\n\tleft=BN_L_Eye\n"
                                                  "noleft\n\tright=BN_R_Eye\n");
        LRandom::Seed(1);
    }

    void TearDown() override
    {
        mCharacters.clear();
        LGestureAnimManager::Get()->RemoveAll();
    }

    void WriteAnimation(const std::string& aName, unsigned aFrames)
    {
        const std::u16string name(aName.begin(), aName.end());
        mRoots.Write("data/animations/" + aName, LTestCharacters::AnimationBytes(name.c_str(), aFrames));
    }

    // A character at the origin facing +z (ground (0, 1)).
    GMCharacter& Make(const std::string& aName, const std::string& aGender = "", const std::string& aMesh = "")
    {
        mCharacters.push_back(std::make_unique<GMCharacter>());
        GMCharacter& character = *mCharacters.back();
        std::string data = LTestCharacters::Data("npc", aGender, "name=" + aName + "\n");
        if (!aMesh.empty()) {
            data.replace(data.find("figure.lim1"), 11, aMesh);
        }
        EXPECT_EQ(1, LTestCharacters::Load(character, data));
        character.SetDirection(LVector3(0.0f, 0.0f, 1.0f));
        return character;
    }

    // The world point at aDegrees counter-clockwise (in the ground's x, z) of the facing.
    static LVector3 PointAt(float aDegrees)
    {
        const float a = aDegrees / 180.0f * kPi;
        return LVector3(-std::sin(a) * 50.0f, 0.0f, std::cos(a) * 50.0f);
    }

    void Frame(GMCharacter& aCharacter, double aTime)
    {
        LFakeTimer::sNow = aTime;
        aCharacter.UpdateTransform();
    }

    // Frames of 1/30 s until the character stops turning (at most 3 s); the count.
    int TurnFrames(GMCharacter& aCharacter)
    {
        int frames = 0;
        const double start = LFakeTimer::sNow;
        while (aCharacter.IsTurning() && frames < 90) {
            ++frames;
            Frame(aCharacter, start + frames / 30.0);
        }
        return frames;
    }

    static std::string TurnName(const GMCharacter& aCharacter)
    {
        const LAnimation* turn = aCharacter.GetTurnAnimation();
        const LString* name = turn != nullptr ? &turn->GetName() : nullptr;
        return name != nullptr ? ToStd(*name) : "";
    }

    LTestCharacters::FakeTimeFirst mFakeTime;
    GMTestRoots mRoots;
    LLogCapture mLog;
    std::vector<std::unique_ptr<GMCharacter>> mCharacters;
};

} // namespace

TEST_F(CharacterTurnTest, TurnsOnTheSpotChooseTheirAnimationBySizeAndSide)
{
    struct Case
    {
        float mDegrees;
        const char* mGender;
        const char* mAnimation; // empty: no turn
        float mFraction;
    };
    const Case cases[] = {{15.0f, "", "", 0.0f},
                          {-15.0f, "", "", 0.0f},
                          {40.0f, "", "Turn-45-CCW_M", 40.0f * 57.3248f / 57.2958f / 45.0f},
                          {100.0f, "", "Turn-90-CCW_M", 1.11f},
                          {-100.0f, "", "Turn-90-CW_M", 1.11f},
                          {150.0f, "", "Turn-180-CCW_M", 0.83f},
                          {100.0f, "f", "Turn-90-CCW_F", 1.11f}};
    for (const Case& c : cases) {
        GMCharacter& character = Make("vedrin", c.mGender);
        Frame(character, 0.0);
        Listener listener;
        const bool turned = character.TurnTo(PointAt(c.mDegrees), &listener);
        EXPECT_EQ(*c.mAnimation != 0, turned) << c.mDegrees;
        EXPECT_EQ(turned, character.IsTurning());
        if (!turned) {
            // Nothing laid over the idle.
            EXPECT_EQ(nullptr, character.GetTrack(1)->mAnimation);
            continue;
        }
        EXPECT_EQ(std::string(c.mAnimation) + ".lia1", TurnName(character));
        EXPECT_NEAR(c.mFraction, character.GetTurnFraction(), 0.01f) << c.mDegrees;
        const LAnimationTrack* track = character.GetAnimationCtrl()->FindTrack(character.GetTurnAnimation());
        ASSERT_NE(nullptr, track);
        EXPECT_NE(track, character.GetTrack(0)); // a blend track over the base animation
        EXPECT_EQ(12u, track->mFlags & 12u);
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CharacterTurnTest, TheFacingFollowsTheTurnAndTheListenerHearsItsEndOnce)
{
    GMCharacter& character = Make("vedrin");
    Frame(character, 0.0);
    Listener listener;
    const LVector3 point = PointAt(-100.0f);
    ASSERT_TRUE(character.TurnTo(point, &listener));
    const LVector2 start = character.GetFacing();
    float previous = 0.0f;
    bool steady = true;
    const double t0 = LFakeTimer::sNow;
    int frames = 0;
    while (character.IsTurning() && frames < 90) {
        Frame(character, t0 + ++frames / 30.0);
        const LVector2 facing = character.GetFacing();
        const float turned = std::atan2(start.x * facing.y - start.y * facing.x, start.x * facing.x + start.y * facing.y);
        // Clockwise, never back.
        steady = steady && turned <= previous + 0.001f;
        previous = turned;
        if (character.IsTurning()) {
            EXPECT_EQ(0, listener.mContinued);
        }
    }
    EXPECT_TRUE(steady);
    EXPECT_FALSE(character.IsTurning());
    // It ends two frames before the animation's last.
    EXPECT_NEAR(static_cast<int>(kTurnFrames) - 2, frames, 2);
    const LVector2 facing = character.GetFacing();
    const float wanted = std::atan2(point.z, point.x);
    EXPECT_NEAR(0.0f, std::remainder(std::atan2(facing.y, facing.x) - wanted, 2.0f * kPi), 0.02f);
    EXPECT_EQ(1, listener.mContinued);
    EXPECT_EQ(nullptr, character.GetAnimationCtrl()->FindTrack(character.GetTurnAnimation()));
    EXPECT_EQ(character.GetIdleAnimation(), character.GetTrack(0)->mAnimation);
    TurnFrames(character);
    EXPECT_EQ(1, listener.mContinued);

    // A listener that goes away is not told; a stopped turn tells no one.
    ASSERT_TRUE(character.TurnTo(PointAt(180.0f), &listener));
    character.RemoveActionListener(&listener);
    TurnFrames(character);
    ASSERT_TRUE(character.TurnTo(PointAt(0.0f), &listener));
    character.StopTurn();
    EXPECT_FALSE(character.IsTurning());
    EXPECT_EQ(nullptr, character.GetTrack(1)->mAnimation);
    Frame(character, LFakeTimer::sNow + 1.0);
    EXPECT_EQ(1, listener.mContinued);

    // One long frame carries the looping turn past its end and round again: it has ended.
    ASSERT_TRUE(character.TurnTo(PointAt(90.0f), &listener));
    Frame(character, LFakeTimer::sNow + 1.0 / 30.0);
    Frame(character, LFakeTimer::sNow + 0.5);
    Frame(character, LFakeTimer::sNow + 0.7);
    Frame(character, LFakeTimer::sNow + 1.0 / 30.0);
    EXPECT_FALSE(character.IsTurning());
    EXPECT_EQ(2, listener.mContinued);
}

TEST_F(CharacterTurnTest, AMissingOrTooShortTurnAnimationIsNoTurn)
{
    WriteAnimation("Turn-90-CW_F.lia1", 1);
    GMCharacter& character = Make("witness", "f");
    Frame(character, 0.0);
    Listener listener;
    EXPECT_FALSE(character.TurnTo(PointAt(-170.0f), &listener));
    EXPECT_EQ(1, mLog.Count("ASSERT FAILURE: ")) << mLog.Bytes();
    EXPECT_TRUE(mLog.Contains("Turn-180-CW_F.lia1"));
    mLog.Clear();
    EXPECT_FALSE(character.TurnTo(PointAt(-100.0f), &listener));
    EXPECT_TRUE(mLog.Contains("Turn animation too short: Turn-90-CW_F.lia1"));
    EXPECT_FALSE(character.IsTurning());
    Frame(character, 1.0);
    EXPECT_EQ(0, listener.mContinued);
}

TEST_F(CharacterTurnTest, InterviewModeTurnsTowardsTheLookAtPoints)
{
    mCharacters.push_back(std::make_unique<GMCharacter>());
    GMCharacter& character = *mCharacters.back();
    ASSERT_EQ(1, LTestCharacters::Load(character, LTestCharacters::Data("npc", "f",
                                                                        "name=witness\ninterview\n\tidleanim=idle.lia1\n"
                                                                        "\tlookat=-50|0|0\n\tdonelookat=0|0|-50\n")));
    character.SetDirection(LVector3(0.0f, 0.0f, 1.0f));
    Frame(character, 0.0);
    Listener listener;
    ASSERT_TRUE(character.SetInterviewMode(true, &listener));
    EXPECT_EQ("Turn-90-CCW_F.lia1", TurnName(character));
    TurnFrames(character);
    EXPECT_EQ(1, listener.mContinued);
    // Leaving turns towards the done point without a listener.
    EXPECT_TRUE(character.SetInterviewMode(false, &listener));
    EXPECT_EQ("Turn-90-CCW_F.lia1", TurnName(character));
    TurnFrames(character);
    EXPECT_EQ(1, listener.mContinued);
    EXPECT_NEAR(-1.0f, character.GetFacing().y, 0.02f);
}

TEST_F(CharacterTurnTest, TheLookAtFadesFromWhereItStandsAndTurnsTheHeadTowardsTheEyes)
{
    GMCharacter& looker = Make("vedrin");
    GMCharacter& partner = Make("partner", "", "eyed.lim1");
    partner.SetPosition(LVector3(60.0f, 0.0f, 20.0f));
    Frame(partner, 0.0);
    Frame(looker, 0.0);
    LFrame* head = looker.GetDrawElement()->GetFrame(LString("BN_Head"));
    LFrame* neck = looker.GetDrawElement()->GetFrame(LString("BN_Neck"));
    ASSERT_NE(nullptr, head);
    const LMatrix4 restHead = head->GetWorldMatrix();
    const LMatrix4 restNeck = neck->GetWorldMatrix();
    // The head's forward axis (its own space) and the eyes it should look at.
    LMatrix4 toHead;
    LMatrix4::Inverse(&toHead, &restHead);
    const LVector3 worldForward(0.0f, 0.0f, 1.0f);
    LVector3 headForward;
    LMatrix4::TransformNormal(&headForward, &toHead, &worldForward);
    const LMatrix4& right = partner.GetDrawElement()->GetFrame(LString("BN_R_Eye"))->GetWorldMatrix();
    const LMatrix4& left = partner.GetDrawElement()->GetFrame(LString("BN_L_Eye"))->GetWorldMatrix();
    const LVector3 eyes((right[12] + left[12]) / 2.0f, (right[13] + left[13]) / 2.0f, (right[14] + left[14]) / 2.0f);
    const auto angleToEyes = [&] {
        LVector3 forward;
        LMatrix4::TransformNormal(&forward, &head->GetWorldMatrix(), &headForward);
        const LVector3 at(head->GetWorldMatrix()[12], head->GetWorldMatrix()[13], head->GetWorldMatrix()[14]);
        const LVector3 toEyes = (eyes - at).Normalize(0.0001f);
        return std::acos(std::fmin(1.0f, LVector3::Dot(forward.Normalize(0.0001f), toEyes)));
    };
    const float without = angleToEyes();

    looker.SetEyeTarget(&partner);
    EXPECT_EQ(&partner, looker.GetEyeTarget());
    looker.SetLookAt(true);
    Frame(looker, 0.5);
    EXPECT_FLOAT_EQ(1.0f, looker.GetLookAtWeight());
    EXPECT_LT(angleToEyes(), without * 0.2f);

    // Off at full weight: a third of a second to 0, then the frames are as without.
    looker.SetLookAt(false);
    Frame(looker, 0.5 + 1.0 / 6.0);
    EXPECT_NEAR(0.5f, looker.GetLookAtWeight(), 0.01f);
    // On again half-way: on from 0.5.
    looker.SetLookAt(true);
    Frame(looker, 0.5 + 1.0 / 6.0 + 0.1);
    EXPECT_NEAR(0.8f, looker.GetLookAtWeight(), 0.01f);
    looker.SetLookAt(false);
    Frame(looker, 2.0);
    EXPECT_FALSE(looker.IsLookAtActive());
    EXPECT_FLOAT_EQ(0.0f, looker.GetLookAtWeight());
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(restHead[i], head->GetWorldMatrix()[i], 0.0001f) << i;
        EXPECT_NEAR(restNeck[i], neck->GetWorldMatrix()[i], 0.0001f) << i;
    }
    // Off when already at 0: stays off.
    looker.SetLookAt(false);
    EXPECT_FALSE(looker.IsLookAtActive());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(CharacterTurnTest, EyeTargetsAreCheckedAndForgottenWhenTheyEnd)
{
    GMCharacter& looker = Make("vedrin");
    looker.SetEyeTarget(nullptr);
    EXPECT_EQ(1, mLog.Count("NULL arg."));
    GMCharacter& stranger = Make("stranger");
    looker.SetEyeTarget(&stranger);
    EXPECT_EQ(1, mLog.Count("'right' eye data not found."));
    EXPECT_EQ(1, mLog.Count("'left' eye data not found."));
    GMCharacter& noLeft = Make("NoLeft");
    mLog.Clear();
    looker.SetEyeTarget(&noLeft);
    EXPECT_EQ(0, mLog.Count("'right' eye data not found."));
    EXPECT_EQ(1, mLog.Count("'left' eye data not found."));
    // The plain figure has no eye frames.
    EXPECT_EQ(1, mLog.Count("Target eye frame not found:BN_R_Eye"));
    looker.SetLookAt(true);
    Frame(looker, 1.0);
    // The target goes: the looker forgets it and goes on without.
    mCharacters.pop_back();
    EXPECT_EQ(nullptr, looker.GetEyeTarget());
    Frame(looker, 1.5);
}

TEST_F(CharacterTurnTest, FootstepsSoundInTheirWindowsByGroundForThePlayerOnly)
{
    mRoots.Write("data/sounds/footsteps.txt", "sounds\n\tg\n\t\tsoundid=gravel\n\t\tfile=gravel.wav\n"
                                              "grounds\n\tpath\n\t\tgroundmesh=floor\n\t\tsoundid=gravel\n"
                                              "\t\tpolygon\n\t\t\tcoords=-10|-10|10|-10|10|10|-10|10\n"
                                              "\t\t\tclosed=true\n");
    WriteAnimation("walk.lia1", 80);
    WriteAnimation("run.lia1", 80);
    GMCharacter& player = Make("vedrin");
    player.SetIdleGestureEnabled(true);
    LPropertyList scene;
    scene.Parse(LString("defaultsound\n\tleftfoot=grass.wav\n"));
    player.SetupFootsteps(&scene);
    EXPECT_EQ(1, player.GetFootstepGroundCount());
    LFakeSoundPlayer* gravel = nullptr;
    LFakeSoundPlayer* grass = nullptr;
    for (LFakeSoundPlayer* sound : LFakeSoundPlayer::Live()) {
        (ToStd(sound->mFileName) == "//sounds/gravel.wav" ? gravel : grass) = sound;
    }
    ASSERT_NE(nullptr, gravel);
    ASSERT_NE(nullptr, grass);
    EXPECT_EQ("//sounds/grass.wav", ToStd(grass->mFileName));
    LSteeringTDO steering;
    steering.SetDefaults();
    steering.SetCharacter(&player);
    player.SetSteering(&steering);
    Frame(player, 0.0);

    // The frames of two cycles at which a step sounds, and on which sound.
    const auto steps = [&](int aMove, int aFrames) {
        EXPECT_TRUE(steering.SetMoving(true, aMove));
        const LAnimation* move = player.GetMove(aMove)->mAnimation;
        std::vector<int> frames;
        for (int f = 0; f < aFrames; ++f) {
            player.SetAnimationTime(const_cast<LAnimation*>(move), (f + 0.5f) / 30.0f);
            gravel->mPlaying = false;
            grass->mPlaying = false;
            player.UpdateTransform();
            if (gravel->mPlaying || grass->mPlaying) {
                frames.push_back(gravel->mPlaying ? f : -f);
            }
        }
        steering.SetMoving(false, 0);
        return frames;
    };
    // Outside the path: the default sound (negative frames); the feet take turns, each
    // window sounds once.
    player.SetPosition(LVector3(50.0f, 0.0f, 50.0f));
    EXPECT_EQ(std::vector<int>({-14, -32, -51, -69}), steps(1, 74));
    // Running, on the gravel path: frame 0 of a cycle is silent.
    player.SetPosition(LVector3(0.0f, 0.0f, 5.0f));
    EXPECT_EQ(std::vector<int>({1, 12, 24, 35, 47}), steps(2, 48));
    // Standing: nothing.
    gravel->mPlaying = false;
    player.UpdateTransform();
    EXPECT_FALSE(gravel->mPlaying);

    // An NPC never steps.
    GMCharacter& npc = Make("witness");
    npc.SetupFootsteps(&scene);
    npc.SetSteering(&steering);
    steering.SetCharacter(&npc);
    steering.SetMoving(true, 1);
    const size_t made = LFakeSoundPlayer::Live().size();
    for (int f = 0; f < 40; ++f) {
        npc.SetAnimationTime(npc.GetMove(1)->mAnimation, (f + 0.5f) / 30.0f);
        npc.UpdateTransform();
    }
    bool any = false;
    for (size_t i = made - 2; i < made; ++i) {
        any = any || LFakeSoundPlayer::Live()[i]->mPlaying;
    }
    EXPECT_FALSE(any);
    steering.SetMoving(false, 0);
    EXPECT_EQ("", mLog.ProblemsBut({"Error opening .options file", "NYI."}));
}

TEST_F(CharacterTurnTest, AStepOutsideThePolygonsIsSilentWithoutADefaultSound)
{
    mRoots.Write("data/sounds/footsteps.txt", "sounds\n\tg\n\t\tsoundid=gravel\n\t\tfile=gravel.wav\n"
                                              "grounds\n\tpath\n\t\tgroundmesh=floor\n\t\tsoundid=gravel\n"
                                              "\t\tpolygon\n\t\t\tcoords=-10|-10|10|-10|10|10|-10|10\n"
                                              "\tbroken\n\t\tsoundid=gravel\n\t\tpolygon\n\t\t\tcoords=1|2|3\n");
    GMCharacter& player = Make("vedrin");
    LPropertyList scene;
    player.SetupFootsteps(&scene);
    EXPECT_EQ(1, mLog.Count("Default footstep sound missing"));
    EXPECT_EQ(1, player.GetFootstepGroundCount());
    EXPECT_NE(nullptr, player.GetStepSound(LVector2(0.0f, 0.0f)));
    EXPECT_EQ(nullptr, player.GetStepSound(LVector2(50.0f, 0.0f)));
    // Set up again (the next scene): the sounds are replaced, not added to.
    const size_t live = LFakeSoundPlayer::Live().size();
    player.SetupFootsteps(&scene);
    EXPECT_EQ(live, LFakeSoundPlayer::Live().size());
}
