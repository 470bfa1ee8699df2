#include "Sound/LISoundListener.h"
#include "Sound/LISoundManager.h"
#include "Sound/LSoundManagerFMOD.h"
#include "Sound/LSoundManagerFMODCreator.h"
#include "Sound/LSoundPlayerFMOD.h"
#include "object/LRegistry.h"
#include "sound/FSound.h"
#include "stdlib/LFrameManager.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LIFrameListener.h"
#include "support/LLogCapture.h"
#include "support/LMediaFixtures.h"
#include "support/LTestDirectory.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace LMediaFixtures;

namespace {

class Ends : public LISoundListener
{
public:
    void OnSoundEnded(const LString& aId) override
    {
        mIds.push_back(ToStd(aId));
        if (mDelete) {
            delete mDelete;
            mDelete = nullptr;
        }
    }
    std::vector<std::string> mIds;
    LISoundPlayer* mDelete = nullptr;
};

class Counter : public LIFrameListener
{
public:
    void OnFrame() override { ++mCalls; }
    int mCalls = 0;
};

// The sound service on non-real-time output (mixed by the test), its files under //sound.
class SoundService : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND_NONREALTIME));
        ASSERT_EQ(1, LRegistry::Get()->AddCreator(new LSoundManagerFMODCreator()));
        mManager = LISoundManager::Get();
        ASSERT_NE(nullptr, mManager);
        ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//sound"), FromStd(mDirectory.Path())));
        mDirectory.Write("two.wav", MakeFlatWav(22050, 1, 44100, 2000));
        mDirectory.Write("short.wav", MakeFlatWav(44100, 1, 2000, 2000));
    }

    LLogCapture mLog;
    LTestDirectory mDirectory;
    LISoundManager* mManager = nullptr;
};

} // namespace

TEST(SoundServiceSetup, ManagerIsMadeByItsCreatorIdOnceAndWithoutItIsALoggedFailure)
{
    LLogCapture log;
    EXPECT_EQ(nullptr, LISoundManager::Get());
    EXPECT_TRUE(log.Contains("LISoundManager creation failure."));
    ASSERT_EQ(1, LRegistry::Get()->AddCreator(new LSoundManagerFMODCreator()));
    LISoundManager* manager = LISoundManager::Get();
    EXPECT_NE(nullptr, dynamic_cast<LSoundManagerFMOD*>(manager));
    EXPECT_EQ(manager, LISoundManager::Get());
}

TEST_F(SoundService, LengthsOfStreamsAndSamples)
{
    std::unique_ptr<LISoundPlayer> stream(mManager->CreateStream(LString("voice"), LString("//sound/two.wav")));
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ("voice", ToStd(stream->GetId()));
    std::unique_ptr<LISoundPlayer> sample(mManager->CreateSample(LString("step"), LString("//sound/two.wav")));
    ASSERT_NE(nullptr, sample);
    EXPECT_EQ((std::vector<float> {2.0f, 2.0f, 0.0f}),
              (std::vector<float> {stream->GetLength(), sample->GetLength(), sample->GetPosition()}));
    EXPECT_FALSE(sample->IsFinished());
}

TEST_F(SoundService, FilesThatDoNotOpenAreLoggedFailures)
{
    EXPECT_EQ(nullptr, mManager->CreateStream(LString("a"), LString("//nomount/a.wav")));
    EXPECT_TRUE(mLog.Contains("CreateStream failure: //nomount/a.wav"));
    EXPECT_EQ(nullptr, mManager->CreateSample(LString("b"), LString("//sound/missing.wav")));
    EXPECT_TRUE(mLog.Contains("CreateSample failure: //sound/missing.wav"));
    mDirectory.Write("bad.ogg", std::string(500, 'x'));
    EXPECT_EQ(nullptr, mManager->CreateStream(LString("c"), LString("//sound/bad.ogg")));
    EXPECT_TRUE(mLog.Contains("CreateStream failure: //sound/bad.ogg"));
}

TEST_F(SoundService, VolumeIsClampedScaledAndReachesTheMixer)
{
    std::unique_ptr<LSoundPlayerFMOD> player(
        static_cast<LSoundPlayerFMOD*>(mManager->CreateStream(LString("v"), LString("//sound/two.wav"))));
    ASSERT_NE(nullptr, player);
    for (const auto& [volume, expected] : {std::pair {1.5f, 255}, {-0.2f, 0}, {0.5f, 127}}) {
        player->SetVolume(volume);
        EXPECT_EQ(expected, player->GetVolume()) << volume;
    }
    player->Play();
    ASSERT_GE(player->GetChannel(), 0);
    EXPECT_EQ(127, FSOUND_GetVolume(player->GetChannel()));
    player->SetVolume(1.0f);
    EXPECT_EQ(255, FSOUND_GetVolume(player->GetChannel()));
    Mix(2048);
    EXPECT_NEAR(2000.0f / 32768.0f, player->GetCurrentLevels(), 0.001f);
}

TEST_F(SoundService, PauseResumesWhereItStoppedAndStopStartsAgain)
{
    std::unique_ptr<LISoundPlayer> player(mManager->CreateStream(LString("p"), LString("//sound/two.wav")));
    ASSERT_NE(nullptr, player);
    player->Play();
    player->SetPosition(1.25f);
    EXPECT_FLOAT_EQ(1.25f, player->GetPosition());
    player->Pause();
    Mix(4096);
    EXPECT_FLOAT_EQ(1.25f, player->GetPosition());
    player->Play();
    EXPECT_FLOAT_EQ(1.25f, player->GetPosition());
    Mix(4096);
    EXPECT_GT(player->GetPosition(), 1.25f);
    player->Stop();
    player->Play();
    EXPECT_EQ(0.0f, player->GetPosition());
}

TEST_F(SoundService, StreamEndReachesTheListenerOnceOnTheNextPassWhichItInterrupts)
{
    std::unique_ptr<LISoundPlayer> player(mManager->CreateStream(LString("line7"), LString("//sound/short.wav")));
    ASSERT_NE(nullptr, player);
    Ends ends;
    player->SetListener(&ends);
    Counter after;
    LFrameManager* frames = LFrameManager::Get();
    player->Play();
    frames->AddListener(&after, 1.0f);
    frames->Update();
    EXPECT_EQ(1, after.mCalls);
    EXPECT_TRUE(ends.mIds.empty());
    Mix(4096);
    // The end happened on the audio side; nothing is told until the next pass.
    EXPECT_TRUE(ends.mIds.empty());
    EXPECT_TRUE(player->IsFinished());
    frames->Update();
    EXPECT_EQ(std::vector<std::string> {"line7"}, ends.mIds);
    EXPECT_EQ(1, after.mCalls);
    frames->Update();
    Mix(4096);
    frames->Update();
    EXPECT_EQ(1u, ends.mIds.size());
    EXPECT_EQ(3, after.mCalls);
    frames->RemoveListener(&after);
}

TEST_F(SoundService, ListenerMayDeleteThePlayer)
{
    LISoundPlayer* player = mManager->CreateStream(LString("gone"), LString("//sound/short.wav"));
    ASSERT_NE(nullptr, player);
    Ends ends;
    ends.mDelete = player;
    player->SetListener(&ends);
    player->Play();
    Mix(4096);
    LFrameManager::Get()->Update();
    EXPECT_EQ(1u, ends.mIds.size());
    EXPECT_EQ(nullptr, ends.mDelete);
    EXPECT_EQ(0, LFrameManager::Get()->GetListenerCount());
}

TEST_F(SoundService, APlayerLeavesTheFramePassOnceWhateverItsState)
{
    LFrameManager* frames = LFrameManager::Get();
    {
        // Played twice, then deleted while it plays.
        std::unique_ptr<LISoundPlayer> player(mManager->CreateStream(LString("a"), LString("//sound/two.wav")));
        ASSERT_NE(nullptr, player);
        player->Play();
        player->Play();
        EXPECT_EQ(1, frames->GetListenerCount());
    }
    EXPECT_EQ(0, frames->GetListenerCount());
    {
        // Paused, played again, then deleted.
        std::unique_ptr<LISoundPlayer> player(mManager->CreateStream(LString("b"), LString("//sound/two.wav")));
        ASSERT_NE(nullptr, player);
        player->Play();
        player->Pause();
        EXPECT_EQ(0, frames->GetListenerCount());
        player->Play();
        Mix(4096);
    }
    EXPECT_EQ(0, frames->GetListenerCount());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SoundService, LoopingStreamNeverEnds)
{
    std::unique_ptr<LISoundPlayer> player(mManager->CreateStream(LString("amb"), LString("//sound/short.wav")));
    Ends ends;
    player->SetListener(&ends);
    player->SetLoop(true);
    player->Play();
    for (int i = 0; i < 10; ++i) {
        Mix(4096);
        LFrameManager::Get()->Update();
    }
    EXPECT_TRUE(ends.mIds.empty());
    player->SetLoop(false);
    Mix(4096);
    LFrameManager::Get()->Update();
    EXPECT_EQ(1u, ends.mIds.size());
}

TEST_F(SoundService, PlayingASampleAgainStartsItFromTheBeginning)
{
    std::unique_ptr<LISoundPlayer> sample(mManager->CreateSample(LString("s"), LString("//sound/two.wav")));
    ASSERT_NE(nullptr, sample);
    sample->Play();
    Mix(8192);
    EXPECT_NEAR(4096.0f / 22050.0f, sample->GetPosition(), 0.001f);
    sample->Play();
    EXPECT_EQ(0.0f, sample->GetPosition());
    EXPECT_FALSE(sample->IsFinished());
    Mix(44100 * 2 + 4096);
    EXPECT_TRUE(sample->IsFinished());
}

TEST(SoundServiceRealTime, EndFlagSetOnTheAudioThreadIsSeenByTheFramePass)
{
    // Real-time output (the dummy driver or the silent clock): the end callback runs on
    // another thread and the frame pass reads the flag it sets.
    LLogCapture log;
    LTestDirectory directory;
    directory.Write("blip.wav", MakeFlatWav(44100, 1, 2205, 1000));
    ASSERT_EQ(1, LRegistry::Get()->AddCreator(new LSoundManagerFMODCreator()));
    LISoundManager* manager = LISoundManager::Get();
    ASSERT_NE(nullptr, manager);
    ASSERT_TRUE(LIFileSystem::Get()->AddMount(LString("//sound"), FromStd(directory.Path())));
    std::unique_ptr<LISoundPlayer> player(manager->CreateStream(LString("blip"), LString("//sound/blip.wav")));
    ASSERT_NE(nullptr, player);
    Ends ends;
    player->SetListener(&ends);
    player->Play();
    EXPECT_TRUE(RunUntil([&] { return !ends.mIds.empty(); }));
    EXPECT_EQ(1u, ends.mIds.size());
}
