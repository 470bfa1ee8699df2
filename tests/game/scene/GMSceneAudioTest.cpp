// Scene audio over the fake sound service and timer: looping and replayed items, the
// options toggles, viewpoint changes with retiring sounds, and damaged item lists.
#include "scene/GMSceneAudio.h"

#include "stdlib/LFrameManager.h"
#include "stdlib/LIFileSystem.h"
#include "support/LFakeSoundManager.h"
#include "support/LFakeSoundPlayer.h"
#include "support/LFakeTimer.h"
#include "support/LLogCapture.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"
#include "util/GMOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An item entry under a list at depth 1.
std::string Item(const std::string& aKey, const std::string& aValues)
{
    std::string text = "\t\t" + aKey + "\n";
    size_t start = 0;
    while (start < aValues.size()) {
        size_t end = aValues.find(';', start);
        end = end == std::string::npos ? aValues.size() : end;
        text += "\t\t\t" + aValues.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return text;
}

std::string Playing()
{
    std::string names;
    for (LFakeSoundPlayer* player : LFakeSoundPlayer::Live()) {
        names += (names.empty() ? "" : " ") + ToStd(player->mFileName).substr(18);
    }
    return names;
}

LFakeSoundPlayer* Last()
{
    return LFakeSoundPlayer::Live().empty() ? nullptr : LFakeSoundPlayer::Live().back();
}

class SceneAudioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeTimer();
        RegisterFakeSoundManager();
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//scene"), FromStd(mDirectory.Path())));
        GMOptions* options = GMOptions::GetInstance();
        for (int i = 0; i < GMOptions::TOGGLE_COUNT; ++i) {
            options->SetToggle(i, 0);
        }
        options->mVolume = 1.0f;
        LFakeTimer::sNow = 0.0;
    }

    void TearDown() override
    {
        delete mAudio;
        EXPECT_TRUE(LFakeSoundPlayer::Live().empty());
    }

    bool Load(const std::string& aText)
    {
        mDirectory.Write("audio.txt", "audio\n" + aText);
        mAudio = new GMSceneAudio();
        return mAudio->Load(LString("//scene/"));
    }

    LTestDirectory mDirectory;
    LLogCapture mLog;
    GMSceneAudio* mAudio = nullptr;
};

TEST_F(SceneAudioTest, LoopingItemsPlayAtOnceAndOthersOnceTheirPauseHasPassedEqualTimesInOrder)
{
    GMOptions::GetInstance()->mVolume = 0.8f;
    ASSERT_TRUE(Load("\tscene\n" + Item("a", "id=music;sounds=m.wav;looping=true;volume=0.5;minInterval=50") +
                     Item("b", "id=birds;sounds=b.wav;minInterval=2;maxInterval=2") +
                     Item("c", "id=owl;sounds=o.wav;minInterval=2;maxInterval=2")));
    LFakeTimer::sNow = 10.0;
    mAudio->Start();
    ASSERT_EQ("m.wav", Playing());
    EXPECT_TRUE(Last()->mLoop);
    EXPECT_TRUE(Last()->mPlaying);
    EXPECT_FLOAT_EQ(0.4f, Last()->mVolume);

    LFakeTimer::FrameAt(12.0);
    EXPECT_EQ("m.wav", Playing());
    LFakeTimer::FrameAt(12.01);
    ASSERT_EQ("m.wav b.wav", Playing());
    EXPECT_FALSE(Last()->mLoop);
    EXPECT_FLOAT_EQ(0.8f, Last()->mVolume);
    LFakeTimer::FrameAt(12.02);
    ASSERT_EQ("m.wav b.wav o.wav", Playing());

    // Replayed two seconds after its end, not before, one per frame.
    LFakeTimer::sNow = 20.0;
    LFakeSoundPlayer::Live()[2]->End();
    Last()->End();
    EXPECT_EQ("m.wav", Playing());
    LFakeTimer::FrameAt(21.9);
    EXPECT_EQ("m.wav", Playing());
    LFakeTimer::FrameAt(22.01);
    EXPECT_EQ("m.wav o.wav", Playing());
    EXPECT_FALSE(mLog.Contains("ASSERT FAILURE"));
}

TEST_F(SceneAudioTest, ReplaysComeBetweenTheShortestAndLongestPauseWithARandomSound)
{
    ASSERT_TRUE(Load("\tscene\n" + Item("a", "id=drip;sounds=x.wav|y.wav;minInterval=1;maxInterval=3")));
    mAudio->Start();
    LFakeTimer::FrameAt(3.01);
    ASSERT_NE("", Playing());
    bool picked[2] = {};
    for (int i = 0; i < 40; ++i) {
        const double ended = 10.0 * (i + 1);
        LFakeTimer::sNow = ended;
        picked[Playing() == "y.wav"] = true;
        Last()->End();
        LFakeTimer::FrameAt(ended + 0.99);
        ASSERT_EQ("", Playing()) << i;
        LFakeTimer::FrameAt(ended + 3.01);
        ASSERT_NE("", Playing()) << i;
    }
    EXPECT_TRUE(picked[0] && picked[1]);
}

TEST_F(SceneAudioTest, OptionTogglesLeaveOutTheSceneMusicOrTheSceneSoundsButNotViewpointSounds)
{
    const std::string text = "\tscene\n" + Item("a", "id=music;sounds=m.wav;looping=1") +
                             Item("b", "id=rain;sounds=r.wav;looping=1") + "\thall\n" +
                             Item("c", "id=clock;sounds=c.wav;looping=1");
    GMOptions::GetInstance()->SetToggle(3, 1);
    ASSERT_TRUE(Load(text));
    mAudio->Start();
    EXPECT_EQ("r.wav", Playing());
    delete mAudio;
    mAudio = nullptr;

    GMOptions::GetInstance()->SetToggle(3, 0);
    GMOptions::GetInstance()->SetToggle(4, 1);
    ASSERT_TRUE(Load(text));
    mAudio->Start();
    mAudio->SetViewpoint(LString("hall"));
    EXPECT_EQ("m.wav c.wav", Playing());
}

TEST_F(SceneAudioTest, AViewpointSoundStillPlayingAtAChangePlaysToItsEndAndIsThenDeleted)
{
    ASSERT_TRUE(Load("\thall\n" + Item("a", "id=clock;sounds=c.wav;looping=true") +
                     Item("b", "id=drip;sounds=d.wav;minInterval=100;maxInterval=100") + "\tyard\n" +
                     Item("a", "id=gust;sounds=g.wav;minInterval=1;maxInterval=1")));
    EXPECT_EQ(0, mAudio->GetSceneItemCount());
    mAudio->Start();
    mAudio->SetViewpoint(LString("hall"));
    EXPECT_EQ(2, mAudio->GetViewpointItemCount());
    EXPECT_EQ("c.wav", Playing());

    mAudio->SetViewpoint(LString("yard"));
    EXPECT_EQ(1, mAudio->GetRetiringItemCount());
    EXPECT_FALSE(Last()->mLoop);
    EXPECT_EQ(1, mAudio->GetViewpointItemCount());
    EXPECT_EQ("c.wav", Playing());
    LFakeTimer::FrameAt(1.5);
    ASSERT_EQ("c.wav g.wav", Playing());
    LFakeSoundPlayer::Live().front()->End();
    EXPECT_EQ(0, mAudio->GetRetiringItemCount());
    EXPECT_EQ("g.wav", Playing());

    // A viewpoint without sounds: gust retires, and its next play, already scheduled,
    // finds no item and is dropped.
    Last()->End();
    mAudio->SetViewpoint(LString("cellar"));
    EXPECT_EQ(0, mAudio->GetViewpointItemCount());
    EXPECT_EQ(1, mAudio->GetScheduleCount());
    LFakeTimer::FrameAt(10.0);
    EXPECT_EQ(0, mAudio->GetScheduleCount());
    EXPECT_EQ("", Playing());
}

TEST_F(SceneAudioTest, AMissingFileFailsTheLoadAndDeletingTheAudioLeavesTheFramePassAndStopsItsSounds)
{
    mAudio = new GMSceneAudio();
    EXPECT_FALSE(mAudio->Load(LString("//scene/none/")));
    delete mAudio;
    mAudio = nullptr;
    mLog.Clear();

    const int listeners = LFrameManager::Get()->GetListenerCount();
    ASSERT_TRUE(Load("\tscene\n" + Item("a", "id=rain;sounds=r.wav;looping=true")));
    mAudio->Start();
    mAudio->Start();
    EXPECT_EQ(listeners + 1, LFrameManager::Get()->GetListenerCount());
    EXPECT_EQ("r.wav", Playing());
    delete mAudio;
    mAudio = nullptr;
    EXPECT_EQ(listeners, LFrameManager::Get()->GetListenerCount());
    EXPECT_EQ("", Playing());
    LFakeTimer::FrameAt(5.0);
    EXPECT_FALSE(mLog.Contains("ERROR"));
}

TEST_F(SceneAudioTest, DamagedItemsAreDroppedOrStaySilentWithALoggedReason)
{
    ASSERT_TRUE(Load("\tscene\n\t\tloose=1\n" + Item("a", "sounds=a.wav;looping=true") +
                     Item("b", "id=rain;sounds=r.wav;looping=true") + Item("c", "id=rain;sounds=s.wav;looping=true") +
                     Item("d", "id=mute;looping=true") + Item("e", "id=gone;sounds=missing.wav;looping=true") +
                     Item("f", "id=drip;sounds=d.wav")));
    EXPECT_EQ(4, mAudio->GetSceneItemCount());
    EXPECT_TRUE(mLog.Contains("Audio entry that is no list skipped: loose"));
    EXPECT_TRUE(mLog.Contains("Audio item without an id dropped."));
    EXPECT_TRUE(mLog.Contains("Audio item with a repeated id dropped: rain"));
    EXPECT_TRUE(mLog.Contains("ASSERT FAILURE") && mLog.Contains("without \"sounds\": mute"));
    EXPECT_TRUE(mLog.Contains("without \"minInterval\": drip"));
    EXPECT_TRUE(mLog.Contains("without \"maxInterval\": drip"));

    mAudio->Start();
    EXPECT_EQ("r.wav", Playing());
    EXPECT_TRUE(mLog.Contains("Audio item has no sounds to play: mute"));
    EXPECT_TRUE(mLog.Contains("Audio item cannot open its sound: missing.wav"));
}

} // namespace
