// The character over the written figure: loading and its failures, the facing transform,
// hidden characters, the play operations and the pull from a steering object.
#include "Render/LCharacter.h"

#include "Render/LAnimation.h"
#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LISteering.h"
#include "Render/LINavigation.h"
#include "Render/LShadowVolume.h"
#include "Render/LSkinMesh.h"
#include "container/LPropertyList.h"
#include "support/GMTestRoots.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestCharacters.h"
#include "support/LTestModels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class FixedNavigation : public LINavigation
{
public:
    bool Navigate() override { return true; }
};

class FixedSteering : public LISteering
{
public:
    bool Steer() override { return true; }
};

class CharacterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoots.Mounted());
        LTestCharacters::Write(mRoots);
    }

    LTestCharacters::FakeTimeFirst mFakeTime;
    GMTestRoots mRoots;
    LCharacter mCharacter;
};

} // namespace

TEST_F(CharacterTest, LoadsModelKeysAndAnimations)
{
    mRoots.Write("data/animations/idle2.lia1", LTestCharacters::AnimationBytes(u"idle2", 2));
    mRoots.Write("data/animations/sneak.lia1", LTestCharacters::AnimationBytes(u"sneak", 3));
    LLogCapture log;
    const std::string data = "mesh=figure.lim1\ntype=Player\ngender=F\nheadtype=fb\nanimations\n"
                             "\tidle\n\t\ta\n\t\t\tfile=idle.lia1\n\t\tb\n\t\t\tfile=idle2.lia1\n"
                             "\tmove\n\t\tw\n\t\t\tfile=walk.lia1\n\t\t\tmovespeed=4\n"
                             "\t\tr\n\t\t\tfile=run.lia1\n\t\t\tmovespeed=11\n"
                             "\t\ts\n\t\t\tfile=sneak.lia1\n\t\t\tmovespeed=2.5\n";
    ASSERT_EQ(1, LTestCharacters::Load(mCharacter, data));
    ASSERT_NE(nullptr, mCharacter.GetDrawElement());
    EXPECT_NE(nullptr, mCharacter.GetDrawElement()->GetFrame(LString("Biped_R_Hand"), false));
    EXPECT_NE(nullptr, mCharacter.GetAnimationCtrl());
    EXPECT_TRUE(mCharacter.IsPlayer());
    EXPECT_TRUE(mCharacter.IsFemale());
    EXPECT_EQ(LString("fb"), mCharacter.GetHeadType());
    // The second idle entry replaces the first (which is freed).
    EXPECT_EQ(1, log.Count("Support for >1 idle anim NYI."));
    ASSERT_NE(nullptr, mCharacter.GetIdleAnimation());
    EXPECT_EQ(LString("idle2"), mCharacter.GetIdleAnimation()->GetName());
    ASSERT_EQ(3, mCharacter.GetMoveCount());
    const char* names[] = {"walk", "run", "sneak"};
    const float speeds[] = {4.0f, 11.0f, 2.5f};
    for (int i = 1; i <= 3; ++i) {
        ASSERT_NE(nullptr, mCharacter.GetMove(i));
        EXPECT_EQ(LString(names[i - 1]), mCharacter.GetMove(i)->mAnimation->GetName());
        EXPECT_EQ(speeds[i - 1], mCharacter.GetMove(i)->mSpeed);
    }
    EXPECT_EQ(nullptr, mCharacter.GetMove(0));
    EXPECT_EQ(nullptr, mCharacter.GetMove(4));
}

TEST_F(CharacterTest, DefaultsAndMissingKeys)
{
    LLogCapture log;
    ASSERT_EQ(1, LTestCharacters::Load(mCharacter, "mesh=figure.lim1\nanimations\n\tidle\n\t\ta\n\t\t\tfile=gone.lia1\n"));
    EXPECT_TRUE(log.Contains("'type' not found."));
    EXPECT_FALSE(mCharacter.IsPlayer());
    EXPECT_FALSE(mCharacter.IsFemale());
    EXPECT_EQ(LString("ma"), mCharacter.GetHeadType());
    // A missing animation file leaves an empty animation.
    ASSERT_NE(nullptr, mCharacter.GetIdleAnimation());
    EXPECT_EQ(0u, mCharacter.GetIdleAnimation()->GetFrameCount());
    EXPECT_EQ(0, mCharacter.GetMoveCount());
    // A missing shadow cache is built from the skinned mesh and written on the first
    // load, and read on the next without being written again.
    LPropertyList data;
    const std::string text = LTestCharacters::Data("npc", "");
    data.Parse(text.c_str(), static_cast<int>(text.size()));
    const LString shadows("//meshes/figure.lisv");
    LCharacter first;
    EXPECT_EQ(1, first.Load(&data, &shadows));
    EXPECT_EQ(1, log.Count("Shadow volume file not found. Creating *.lisv://meshes/figure.lisv"));
    EXPECT_TRUE(first.HasShadows());
    ASSERT_EQ(1, first.GetShadowVolumeCount());
    EXPECT_EQ(LString("Biped"), first.GetShadowVolume(0)->GetName());
    const std::string written = mRoots.Read("data/meshes/figure.lisv");
    ASSERT_FALSE(written.empty());
    LLogCapture second;
    LCharacter again;
    EXPECT_EQ(1, again.Load(&data, &shadows));
    EXPECT_FALSE(second.Contains("Shadow volume file not found."));
    EXPECT_FALSE(second.Contains("Shadow load failure."));
    ASSERT_EQ(1, again.GetShadowVolumeCount());
    EXPECT_EQ(first.GetShadowVolume(0)->GetFaceCount(), again.GetShadowVolume(0)->GetFaceCount());
    EXPECT_EQ(first.GetShadowVolume(0)->GetEdgeCount(), again.GetShadowVolume(0)->GetEdgeCount());
    // Both loads leave the same file.
    EXPECT_EQ(written, mRoots.Read("data/meshes/figure.lisv"));
}

TEST_F(CharacterTest, AShadowCacheThatDoesNotFitIsBuiltAndWrittenAgain)
{
    LPropertyList data;
    const std::string text = LTestCharacters::Data("npc", "");
    data.Parse(text.c_str(), static_cast<int>(text.size()));
    const LString shadows("//meshes/figure.lisv");
    {
        LCharacter first;
        ASSERT_EQ(1, first.Load(&data, &shadows));
    }
    const std::string good = mRoots.Read("data/meshes/figure.lisv");
    ASSERT_GT(good.size(), 8u);
    std::string renamed = good;
    renamed[8] = 'X'; // the first unit of the frame name "Biped"
    std::string twice = good;
    twice[0] = 2;
    const std::vector<std::string> stale = {good.substr(0, good.size() - 3), good.substr(0, 4), renamed, twice,
                                            std::string("\x01\x00\x00\x00\xff\xff\xff\x7f", 8)};
    for (const std::string& bytes : stale) {
        mRoots.Write("data/meshes/figure.lisv", bytes);
        LLogCapture log;
        LCharacter character;
        EXPECT_EQ(1, character.Load(&data, &shadows));
        EXPECT_EQ(1, log.Count("Shadow load failure."));
        EXPECT_TRUE(character.HasShadows());
        ASSERT_EQ(1, character.GetShadowVolumeCount());
        EXPECT_EQ(LString("Biped"), character.GetShadowVolume(0)->GetName());
        EXPECT_NE(nullptr, character.GetShadowVolume(0)->GetMesh());
        // Written again, and the file now reads back clean.
        EXPECT_EQ(good, mRoots.Read("data/meshes/figure.lisv"));
        LLogCapture again;
        LCharacter next;
        EXPECT_EQ(1, next.Load(&data, &shadows));
        EXPECT_FALSE(again.Contains("Shadow load failure."));
    }
    // Without a skinned mesh there is nothing to cast.
    LLogCapture log;
    LCharacter empty;
    EXPECT_EQ(0, empty.CreateShadow());
    EXPECT_EQ(1, log.Count("CreateShadow failure. No skinned meshes found."));
    EXPECT_EQ(1, empty.UpdateShadow(nullptr, nullptr));
    EXPECT_EQ(1, empty.RenderShadow(0.25f));
}

TEST_F(CharacterTest, AVolumeThatCouldNotBeMadeIsNeverCached)
{
    // The figure with a second skin of one vertex, which the file then stores as a skin
    // of none: its volume cannot be made.
    std::unique_ptr<LDrawElement> element(new LDrawElement());
    LFrame* biped = LTestModels::Frame("Biped", LMatrix4(), LTestModels::SkinMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2}));
    biped->SetFirstChild(LTestModels::Frame("Hollow", LMatrix4(), LTestModels::SkinMesh({0, 0, 0}, {0, 0, 0})));
    element->SetRoot(biped);
    std::string bytes = LTestModels::TreeBytes(*element);
    // The vertex record of format 5 (32 bytes a vertex) holding one vertex.
    const std::string one("\x05\0\0\0\x20\0\0\0\x01\0\0\0\x20\0\0\0", 16);
    const size_t at = bytes.find(one);
    ASSERT_NE(std::string::npos, at);
    bytes.replace(at, one.size() + 32, std::string("\x05\0\0\0\x20\0\0\0\0\0\0\0\0\0\0\0", 16));
    mRoots.Write("data/meshes/hollow.lim1", bytes);
    LPropertyList data;
    std::string text = LTestCharacters::Data("npc", "");
    text.replace(text.find("figure.lim1"), 11, "hollow.lim1");
    data.Parse(text.c_str(), static_cast<int>(text.size()));
    const LString shadows("//meshes/hollow.lisv");
    for (int load = 0; load < 2; ++load) {
        LLogCapture log;
        LCharacter character;
        EXPECT_EQ(1, character.Load(&data, &shadows));
        EXPECT_EQ(1, log.Count("Shadow creation failure.")) << load;
        // The volume that was made still casts; nothing is written, so the next load
        // builds again rather than reading a damaged cache.
        EXPECT_TRUE(character.HasShadows());
        ASSERT_EQ(2, character.GetShadowVolumeCount());
        EXPECT_EQ(LString("Biped"), character.GetShadowVolume(0)->GetName());
        EXPECT_GT(character.GetShadowVolume(0)->GetFaceCount(), 0);
        EXPECT_FALSE(std::filesystem::exists(mRoots.Path() + "/data/meshes/hollow.lisv"));
        EXPECT_FALSE(log.Contains("Shadow load failure."));
    }
}

TEST_F(CharacterTest, MissingModelStopsLoadingAndEveryPlayIsRefused)
{
    LLogCapture log;
    // An unreadable model, then a missing one.
    mRoots.Write("data/meshes/figure.lim1", "");
    EXPECT_EQ(0, LTestCharacters::Load(mCharacter, LTestCharacters::Data("npc", "")));
    EXPECT_EQ(nullptr, mCharacter.GetAnimationCtrl());
    LCharacter empty;
    EXPECT_EQ(0, LTestCharacters::Load(empty, "mesh=nothing.lim1\ntype=npc\n"));
    ASSERT_NE(nullptr, empty.GetDrawElement());
    EXPECT_EQ(0, empty.GetDrawElement()->GetFrameCount());
    EXPECT_EQ(nullptr, empty.GetAnimationCtrl());
    LAnimation animation;
    EXPECT_EQ(0, empty.PlayAnimation(&animation));
    EXPECT_EQ(0, empty.PlayGestureAnimation(&animation));
    EXPECT_EQ(0, empty.SetAnimationTime(&animation, 1.0f));
    EXPECT_EQ(0, empty.EndAnimation(&animation));
    EXPECT_EQ(0, empty.StopBlendTracks());
    EXPECT_EQ(nullptr, empty.GetTrack(0));
    EXPECT_EQ(1, empty.UpdateSteering());
    EXPECT_EQ(1, empty.UpdateTransform());
}

TEST_F(CharacterTest, PlaysOnMainAndBlendTracks)
{
    ASSERT_EQ(1, LTestCharacters::Load(mCharacter, LTestCharacters::Data("npc", "")));
    LAnimation* walk = mCharacter.GetMove(1)->mAnimation;
    LAnimation* run = mCharacter.GetMove(2)->mAnimation;
    ASSERT_EQ(1, mCharacter.PlayAnimation(walk));
    const LAnimationTrack* main = mCharacter.GetTrack(0);
    EXPECT_EQ(walk, main->mAnimation);
    EXPECT_EQ(1u, main->mFlags);
    EXPECT_EQ(4.0f, main->mWeightRate);
    EXPECT_EQ(0.0f, main->mWeight);
    ASSERT_EQ(1, mCharacter.PlayGestureAnimation(run));
    LAnimationCtrl* ctrl = mCharacter.GetAnimationCtrl();
    const int index = ctrl->FindTrackIndex(run);
    ASSERT_GE(index, 1);
    EXPECT_EQ(49u, ctrl->GetTrack(index)->mFlags);
    EXPECT_EQ(4.0f, ctrl->GetTrack(index)->mWeightRate);
    // Time set from outside keeps the previous time; ending marks the track.
    ctrl->GetTrack(index)->SetTime(0.1f, true);
    EXPECT_EQ(1, mCharacter.SetAnimationTime(run, 0.15f));
    EXPECT_EQ(0.15f, ctrl->GetTrack(index)->GetTime());
    EXPECT_EQ(0.1f, ctrl->GetTrack(index)->GetPreviousTime());
    EXPECT_EQ(1, mCharacter.EndAnimation(run));
    EXPECT_TRUE(ctrl->GetTrack(index)->mEnded);
    LAnimation other;
    EXPECT_EQ(0, mCharacter.SetAnimationTime(&other, 1.0f));
    EXPECT_EQ(0, mCharacter.EndAnimation(&other));
    EXPECT_EQ(1, mCharacter.StopBlendTracks());
    EXPECT_EQ(-1, ctrl->FindTrackIndex(run));
    EXPECT_EQ(walk, mCharacter.GetTrack(0)->mAnimation);
}

TEST_F(CharacterTest, FacingAndHiddenCharacters)
{
    ASSERT_EQ(1, LTestCharacters::Load(mCharacter, LTestCharacters::Data("npc", "")));
    mCharacter.SetDirection(LVector3(0.0f, 0.0f, 0.0f));
    mCharacter.SetPosition(LVector3(10.0f, 0.0f, 20.0f));
    ASSERT_EQ(1, mCharacter.UpdateTransform());
    EXPECT_EQ(LVector3(0.0f, 0.0f, 1.0f), mCharacter.GetDirection());
    ASSERT_EQ(1, mCharacter.UpdateTransform());
    EXPECT_EQ(LVector3(0.0f, 0.0f, 1.0f), mCharacter.GetDirection());
    // The root frame stands at the position.
    const LMatrix4& world = mCharacter.GetDrawElement()->GetRootFrame()->GetWorldMatrix();
    EXPECT_FLOAT_EQ(10.0f, world.m[12]);
    EXPECT_FLOAT_EQ(20.0f, world.m[14]);

    // Hidden: no idle start, no steering poll, no frame update, no drawing.
    FixedNavigation navigation;
    FixedSteering steering;
    steering.SetNavigation(&navigation);
    navigation.SetPosition(LVector3(1.0f, 2.0f, 3.0f));
    ASSERT_EQ(1, mCharacter.SetSteering(&steering));
    mCharacter.SetVisible(false);
    mCharacter.SetPosition(LVector3(50.0f, 0.0f, 50.0f));
    EXPECT_EQ(1, mCharacter.UpdateSteering());
    EXPECT_EQ(1, mCharacter.UpdateTransform());
    EXPECT_EQ(1, mCharacter.UpdateSkins());
    EXPECT_EQ(1, mCharacter.Render());
    EXPECT_EQ(LVector3(50.0f, 0.0f, 50.0f), *mCharacter.GetPosition());
    EXPECT_EQ(nullptr, mCharacter.GetTrack(0)->mAnimation);
    EXPECT_FLOAT_EQ(10.0f, world.m[12]);

    // Shown: the idle starts looping on the main track and the ground-plane position
    // comes over with y and z swapped.
    mCharacter.SetVisible(true);
    EXPECT_EQ(1, mCharacter.UpdateSteering());
    EXPECT_EQ(LVector3(1.0f, 3.0f, 2.0f), *mCharacter.GetPosition());
    EXPECT_EQ(mCharacter.GetIdleAnimation(), mCharacter.GetTrack(0)->mAnimation);
    EXPECT_EQ(12u, mCharacter.GetTrack(0)->mFlags);
}

TEST_F(CharacterTest, WithoutSteeringUpdatingSucceeds)
{
    ASSERT_EQ(1, LTestCharacters::Load(mCharacter, LTestCharacters::Data("npc", "")));
    LLogCapture log;
    EXPECT_EQ(0, mCharacter.SetSteering(nullptr));
    EXPECT_TRUE(log.Contains("SetSteering failure. NULL arg."));
    mCharacter.SetPosition(LVector3(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(1, mCharacter.UpdateSteering());
    EXPECT_EQ(LVector3(5.0f, 6.0f, 7.0f), *mCharacter.GetPosition());
    EXPECT_EQ(mCharacter.GetIdleAnimation(), mCharacter.GetTrack(0)->mAnimation);
}

TEST(CharacterGeometryTest, PointsInTriangles)
{
    const LVector3 a(0, 0, 0), b(10, 5, 0), c(0, -5, 10);
    struct Case
    {
        LVector3 mPoint;
        bool mBounds;
        bool mInside;
    } const cases[] = {
        {{2, 100, 2}, true, true},  {{9, 0, 9}, true, false}, {{-1, 0, 1}, false, false},
        {{0, 0, 0}, true, true},    {{5, 0, -1}, false, false},
    };
    for (const Case& t : cases) {
        EXPECT_EQ(t.mBounds, LCharacter::InTriangleBounds(t.mPoint, a, b, c)) << t.mPoint.x << "," << t.mPoint.z;
        EXPECT_EQ(t.mInside, LCharacter::InTriangle(t.mPoint, a, b, c)) << t.mPoint.x << "," << t.mPoint.z;
        EXPECT_EQ(t.mInside, LCharacter::InTriangle(t.mPoint, a, c, b)) << "either winding";
    }
}
