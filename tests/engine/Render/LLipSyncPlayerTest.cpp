#include "Render/LAnimationCtrl.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LLipSyncCurve.h"
#include "Render/LLipSyncData.h"
#include "Render/LLipSyncPlayer.h"
#include "container/LPropertyList.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"
#include "writers/LAnimationBytes.h"
#include "writers/LSkeletonBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

LQuaternion TurnZ(float aRadians)
{
    LQuaternion q;
    q.z = std::sin(aRadians / 2);
    q.w = std::cos(aRadians / 2);
    return q;
}

// The angle about z of a frame's local matrix, read from its first row.
float AngleZ(const LFrame* aFrame)
{
    const LMatrix4& m = aFrame->GetLocalMatrix();
    return std::atan2(m[1], m[0]);
}

class LipSyncPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        LFakeTimer::sNow = 0.0;
        mPlayer = std::make_unique<LLipSyncPlayer>();
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//phonemes"), FromStd(mPoses.Path())));
        // Every pose turns the jaw about z by (type + 1) x 0.02 radians and moves it.
        for (int type = 0; type < LLipSyncCurve::kPhonemeCount; ++type) {
            const std::string bytes = LAnimationBytes()
                                          .LiaHeader(1, 1)
                                          .LiaPoseChannel("Jaw", 1, TurnZ((type + 1) * 0.02f), LVector3(0, type, 0))
                                          .Bytes();
            mPoses.Write(ToStd(LString("head/") + LLipSyncCurve::GetPhonemeName(type) + ".lia"), bytes);
        }
        LMemoryStream stream(16, LMemoryStream::GROW_DOUBLE);
        Load(stream, LSkeletonBytes().Frame(u"Head").Frame(u"Jaw").Frame(u"Eye").Bytes());
        ASSERT_TRUE(mElement.Read(&stream));
        // The body pass puts every frame back at rest before the face is posed.
        mElement.SetAnimationCtrl(new LAnimationCtrl());
        mJaw = mElement.GetFrame(LString("Jaw"));
        ASSERT_NE(nullptr, mJaw);
    }

    // A player bound to the element with the poses of "head" and these curves.
    void Start(const std::string& aDat)
    {
        LPropertyList list;
        ASSERT_TRUE(list.Parse(aDat.data(), static_cast<int>(aDat.size())));
        auto* data = new LLipSyncData();
        ASSERT_EQ(1, data->CreateFromPropertyList(&list));
        ASSERT_EQ(1, mPlayer->SetData(data));
        ASSERT_EQ(1, mPlayer->LoadAnimation(LString("//phonemes/head"), true));
        ASSERT_EQ(1, mPlayer->SetDrawElement(&mElement));
        mElement.SetLipSyncPlayer(mPlayer.get());
        ASSERT_EQ(1, mPlayer->Play());
    }

    void UpdateAt(double aTime)
    {
        LFakeTimer::sNow = aTime;
        mElement.Update(nullptr);
    }

    LTestDirectory mPoses;
    LDrawElement mElement;
    LFrame* mJaw = nullptr;
    // Made once the fake timer is registered.
    std::unique_ptr<LLipSyncPlayer> mPlayer;
};

const char* const kOat = "phonemes\n"
                         "\tc0\n"
                         "\t\tid=Phoneme_Oat\n\t\tnumkeys=3\n\t\ttimes=100|200|300\n\t\tvalues=0|50|0\n"
                         "\tc1\n"
                         "\t\tid=Viseme_Blink\n\t\tnumkeys=0\n";

} // namespace

TEST_F(LipSyncPlayerTest, CurvesTurnTheFaceTowardsTheirPosesAfterTheBody)
{
    Start(kOat);
    // Oat is type 8: a pose of 0.18 radians, a quarter of the way at 0.15 s.
    UpdateAt(0.15);
    EXPECT_NEAR(0.045f, AngleZ(mJaw), 1e-4);
    EXPECT_NEAR(8.0f, mJaw->GetLocalMatrix()[13], 1e-5);
    UpdateAt(0.2);
    EXPECT_NEAR(0.09f, AngleZ(mJaw), 1e-4);

    // Past the last key of every curve nothing is posed any more: the body pass alone
    // leaves the jaw at rest.
    UpdateAt(0.35);
    EXPECT_NEAR(0.0f, AngleZ(mJaw), 1e-6);
    EXPECT_EQ(0.0f, mJaw->GetLocalMatrix()[13]);
    mJaw->SetLocalMatrix(LMatrix4());
    mJaw->LocalMatrix()[12] = 3.0f;
    const LMatrix4 before = mJaw->GetLocalMatrix();
    EXPECT_EQ(1, mPlayer->Update());
    EXPECT_EQ(before, mJaw->GetLocalMatrix());
}

TEST_F(LipSyncPlayerTest, PauseContinuesAndStopRewinds)
{
    Start(kOat);
    LFakeTimer::sNow = 0.15;
    EXPECT_EQ(1, mPlayer->Pause());
    EXPECT_TRUE(mPlayer->IsPaused());
    UpdateAt(5.0);
    // Paused: the face is not posed.
    EXPECT_NEAR(0.0f, AngleZ(mJaw), 1e-6);
    EXPECT_EQ(1, mPlayer->Play());
    EXPECT_NEAR(0.15f, mPlayer->GetTime(), 1e-5);
    UpdateAt(5.05);
    EXPECT_NEAR(0.09f, AngleZ(mJaw), 1e-4);

    // Stopped past the end, then played again: from 0 with every curve rewound.
    UpdateAt(6.0);
    EXPECT_EQ(1, mPlayer->Stop());
    EXPECT_FALSE(mPlayer->IsPlaying());
    LFakeTimer::sNow = 7.0;
    EXPECT_EQ(1, mPlayer->Play());
    EXPECT_EQ(0.0f, mPlayer->GetTime());
    UpdateAt(7.15);
    EXPECT_NEAR(0.045f, AngleZ(mJaw), 1e-4);
}

TEST_F(LipSyncPlayerTest, MissingPartsAreReported)
{
    LLogCapture log;
    LLipSyncPlayer player;
    EXPECT_EQ(0, player.Play());
    EXPECT_TRUE(log.Contains("No data found."));
    EXPECT_EQ(0, player.SetData(nullptr));
    EXPECT_EQ(0, player.SetDrawElement(nullptr));
    EXPECT_TRUE(log.Contains("NULL arg."));
    EXPECT_EQ(0, player.LoadData(false, LString("//phonemes/none.dat"), true));

    // Poses load in table order until the first missing one; those before it stay.
    mPoses.Write("head/Phoneme_Oat.lia", "");
    log.Clear();
    EXPECT_EQ(0, player.LoadAnimation(LString("//phonemes/head"), true));
    EXPECT_TRUE(log.Contains("Animation file not found."));
    EXPECT_NE(nullptr, player.GetPose(7));
    EXPECT_EQ(nullptr, player.GetPose(8));
    EXPECT_EQ(nullptr, player.GetPose(27));

    // A curve whose pose is missing is skipped with an assertion.
    LPropertyList list;
    ASSERT_TRUE(list.Parse(kOat, static_cast<int>(std::strlen(kOat))));
    auto* data = new LLipSyncData();
    data->CreateFromPropertyList(&list);
    ASSERT_EQ(1, player.SetData(data));
    player.SetDrawElement(&mElement);
    ASSERT_EQ(1, player.Play());
    LFakeTimer::sNow = 0.15;
    log.Clear();
    EXPECT_EQ(1, player.Update());
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: "));
}

TEST_F(LipSyncPlayerTest, DataLoadsFromEitherForm)
{
    mPoses.Write("line.dat", kOat);
    ASSERT_EQ(1, mPlayer->LoadData(false, LString("//phonemes/line.dat"), true));
    ASSERT_EQ(2, mPlayer->GetData()->GetCurveCount());
    LMemoryStream out(16, LMemoryStream::GROW_DOUBLE);
    LLipSyncData copy;
    LPropertyList list;
    ASSERT_TRUE(list.Parse(kOat, static_cast<int>(std::strlen(kOat))));
    copy.CreateFromPropertyList(&list);
    ASSERT_TRUE(copy.Write(&out));
    mPoses.Write("line.bin", WrittenBytes(out));
    ASSERT_EQ(1, mPlayer->LoadData(true, LString("//phonemes/line.bin"), true));
    EXPECT_EQ(2, mPlayer->GetData()->GetCurveCount());
    // A failed load keeps the data held.
    EXPECT_EQ(0, mPlayer->LoadData(true, LString("//phonemes/none.bin"), true));
    EXPECT_EQ(2, mPlayer->GetData()->GetCurveCount());
}

TEST_F(LipSyncPlayerTest, NewDataAndARestartRewindEveryCurve)
{
    Start("phonemes\n\tc0\n\t\tid=Phoneme_Fave\n\t\tnumkeys=1\n\t\ttimes=100\n\t\tvalues=100\n");
    UpdateAt(0.5);
    // Data with more curves than the cursors held before.
    Start(kOat + std::string("\tc2\n\t\tid=Phoneme_Ox\n\t\tnumkeys=1\n\t\ttimes=400\n\t\tvalues=100\n"));
    // Oat turns the jaw a quarter of 0.18 radians, then Ox (type 9, 0.2 radians) turns it
    // on from there by 0.15 / 0.4.
    const float expected = 0.045f + (0.2f - 0.045f) * 0.375f;
    UpdateAt(0.65);
    EXPECT_NEAR(expected, AngleZ(mJaw), 1e-4);

    // Playing again while playing starts every curve from its first key.
    UpdateAt(0.9);
    ASSERT_EQ(1, mPlayer->Play());
    UpdateAt(1.05);
    EXPECT_NEAR(expected, AngleZ(mJaw), 1e-4);
}
