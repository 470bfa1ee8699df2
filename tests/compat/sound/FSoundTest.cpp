// The sound library stand-in below the engine's sound service: decoding of each format,
// the end of a stream, seeking, loop counts, damaged files and file callbacks. Volume,
// pausing, replaying samples and real-time output are shown through the sound service.
#include "media/MediaFile.h"
#include "sound/FSound.h"
#include "support/LMediaFixtures.h"
#include "support/LMediaLogCapture.h"
#include "support/LTestDirectory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

using namespace LMediaFixtures;

namespace {

// Non-real-time output: the test mixes by hand.
class FSoundFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND_NONREALTIME));
        ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    }
    void TearDown() override { FSOUND_Close(); }

    FSOUND_STREAM* OpenStream(const std::string& aBytes, unsigned aMode = FSOUND_LOOP_NORMAL)
    {
        return FSOUND_Stream_Open(aBytes.data(), aMode | FSOUND_LOADMEMORY, 0, static_cast<int>(aBytes.size()));
    }

    // Plays a stream, counting its ends in mEnds.
    void PlayCounted(FSOUND_STREAM* aStream)
    {
        FSOUND_Stream_SetEndCallback(aStream, &CountEnd, &mEnds);
        mChannel = FSOUND_Stream_Play(FSOUND_FREE, aStream);
    }

    static signed char CountEnd(FSOUND_STREAM*, void* aBuffer, int aLength, void* aUser)
    {
        EXPECT_EQ(nullptr, aBuffer);
        EXPECT_EQ(0, aLength);
        static_cast<std::atomic<int>*>(aUser)->fetch_add(1);
        return 0;
    }

    LMediaLogCapture mLog;
    std::atomic<int> mEnds {0};
    int mChannel = -1;
};

// tone.ogg holds 22050 frames by its granule positions, but the first Vorbis block
// (256 frames) only primes the decoder and gives no sound.
constexpr unsigned kOggFrames = 22050 - 256;

// Decodes a whole file as a sample: its frame count and rate.
std::pair<unsigned, int> SampleFrames(const std::string& aPath)
{
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_FREE, aPath.c_str(), FSOUND_LOOP_OFF, 0, 0);
    if (!sample) {
        return {0, 0};
    }
    int rate = 0;
    FSOUND_Sample_GetDefaults(sample, &rate, nullptr, nullptr, nullptr);
    const std::pair<unsigned, int> result(FSOUND_Sample_GetLength(sample), rate);
    FSOUND_Sample_Free(sample);
    return result;
}

} // namespace

TEST_F(FSoundFixture, EachFormatDecodesToItsFrameCount)
{
    EXPECT_EQ(std::pair(kOggFrames, 22050), SampleFrames(Path("tone.ogg")));
    const auto [mp2, rate] = SampleFrames(Path("tone.mp2"));
    EXPECT_EQ(32000, rate);
    // Layer II frames are 1152 long: the last one is padded.
    EXPECT_GE(mp2, 32000u);
    EXPECT_LE(mp2, 32000u + 1152u);

    LTestDirectory directory;
    directory.Write("tone.wav", MakeFlatWav(11025, 2, 12345, -500));
    EXPECT_EQ(std::pair(12345u, 11025), SampleFrames(directory.File("tone.wav")));
    EXPECT_EQ(0, mLog.ErrorCount());
}

TEST_F(FSoundFixture, StreamEndReachesTheCallbackOnceWithTimeAtLength)
{
    FSOUND_STREAM* stream = FSOUND_Stream_Open(Path("tone.ogg").c_str(), FSOUND_LOOP_NORMAL, 0, 0);
    ASSERT_NE(nullptr, stream);
    ASSERT_TRUE(FSOUND_Stream_SetLoopCount(stream, 0));
    PlayCounted(stream);
    ASSERT_GE(mChannel, 0);
    const int mixed = MixUntil([&] { return mEnds.load() > 0; });
    // At half the output rate: twice as many frames of output, the decoder drained.
    EXPECT_GE(mixed, static_cast<int>(2 * kOggFrames));
    EXPECT_LE(mixed, static_cast<int>(2 * kOggFrames) + 2048);
    EXPECT_EQ(1, mEnds.load());
    // The stated second until the end; then the exact length.
    EXPECT_EQ(static_cast<int>(kOggFrames * 1000 / 22050), FSOUND_Stream_GetLengthMs(stream));
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(stream), FSOUND_Stream_GetTime(stream));
    EXPECT_FALSE(FSOUND_IsPlaying(mChannel));
    Mix(8192);
    EXPECT_EQ(1, mEnds.load());
    FSOUND_Stream_Close(stream);
}

TEST_F(FSoundFixture, SetTimeDecodesForwardOrStartsAgainFromTheTop)
{
    FSOUND_STREAM* stream = OpenStream(MakeFlatWav(44100, 1, 44100 * 3, 100));
    ASSERT_NE(nullptr, stream);
    FSOUND_Stream_Play(FSOUND_FREE, stream);
    Mix(44100);
    EXPECT_NEAR(1000, FSOUND_Stream_GetTime(stream), 30);
    ASSERT_TRUE(FSOUND_Stream_SetTime(stream, 2500));
    EXPECT_EQ(2500, FSOUND_Stream_GetTime(stream));
    ASSERT_TRUE(FSOUND_Stream_SetTime(stream, 0));
    EXPECT_EQ(0, FSOUND_Stream_GetTime(stream));
    FSOUND_Stream_Close(stream);
}

TEST_F(FSoundFixture, LoopCountReopensTheFileAndEndsOnceAfterTheLastPass)
{
    FSOUND_STREAM* stream = OpenStream(MakeFlatWav(44100, 1, 10000, 3000));
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(226, FSOUND_Stream_GetLengthMs(stream));
    FSOUND_Stream_SetLoopCount(stream, 2);
    PlayCounted(stream);
    std::vector<int16_t> out(2 * 1000);
    int sounding = 0;
    for (int block = 0; block < 40; ++block) {
        FSOUND_MixBuffer(out.data(), 1000);
        for (int i = 0; i < 1000; ++i) {
            sounding += out[2 * i] != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(30000, sounding);
    EXPECT_EQ(1, mEnds.load());
    FSOUND_Stream_Close(stream);
}

// Streams are decoded well ahead of what is heard; a loop count changed while one plays
// still counts from the pass being heard.
TEST_F(FSoundFixture, LoopCountSetWhilePlayingCountsFromThePassHeard)
{
    struct Case
    {
        unsigned mMode;
        int mMixedFirst;
        int mCount;
        int mSounding;
    };
    const Case cases[] = {
        {FSOUND_LOOP_NORMAL, 1000, 0, 2000},
        {FSOUND_LOOP_NORMAL, 3000, 0, 4000},
        {FSOUND_LOOP_NORMAL, 1000, 2, 6000},
        {FSOUND_LOOP_OFF, 500, 1, 4000},
        {FSOUND_LOOP_OFF, 500, 0, 2000},
    };
    const std::string wav = MakeFlatWav(44100, 1, 2000, 3000);
    for (const Case& c : cases) {
        FSOUND_STREAM* stream = OpenStream(wav, c.mMode);
        ASSERT_NE(nullptr, stream);
        mEnds.store(0);
        PlayCounted(stream);
        std::vector<int16_t> out(2 * 20000);
        FSOUND_MixBuffer(out.data(), c.mMixedFirst);
        FSOUND_Stream_SetLoopCount(stream, c.mCount);
        FSOUND_MixBuffer(out.data() + 2 * c.mMixedFirst, 20000 - c.mMixedFirst);
        int sounding = 0;
        for (int i = 0; i < 20000; ++i) {
            sounding += out[2 * i] != 0 ? 1 : 0;
        }
        EXPECT_EQ(c.mSounding, sounding) << c.mMixedFirst << " then " << c.mCount;
        EXPECT_EQ(1, mEnds.load());
        EXPECT_EQ(45, FSOUND_Stream_GetTime(stream));
        FSOUND_Stream_Close(stream);
    }
}

// Without real-time output nothing runs by itself: the same calls mix the same frames.
TEST_F(FSoundFixture, NonRealTimeMixingGivesTheSameFramesEveryTime)
{
    const std::string wav = MakeWav(11025, 2, 3000, [](int aFrame, int aChannel) {
        return static_cast<int16_t>((aFrame % 300) * 50 * (aChannel ? -1 : 1) + 1);
    });
    std::vector<std::vector<int16_t>> runs;
    for (int run = 0; run < 2; ++run) {
        FSOUND_STREAM* looping = OpenStream(wav);
        FSOUND_STREAM* ogg = FSOUND_Stream_Open(Path("tone.ogg").c_str(), FSOUND_LOOP_OFF, 0, 0);
        ASSERT_NE(nullptr, looping);
        ASSERT_NE(nullptr, ogg);
        FSOUND_Stream_SetLoopCount(looping, 3);
        FSOUND_Stream_Play(FSOUND_FREE, looping);
        FSOUND_Stream_Play(FSOUND_FREE, ogg);
        std::vector<int16_t> out(2 * 60000);
        FSOUND_MixBuffer(out.data(), 60000);
        runs.push_back(out);
        FSOUND_Stream_Close(looping);
        FSOUND_Stream_Close(ogg);
    }
    EXPECT_EQ(runs[0], runs[1]);
    // Four passes of the looping stream, four times as long at the output rate, with
    // no gap: only its zero crossings are silent until it ends.
    int silent = 0;
    for (int i = 0; i < 4 * 4 * 3000; ++i) {
        silent += runs[0][2 * i + 1] == 0 ? 1 : 0;
    }
    EXPECT_LT(silent, 100);
    EXPECT_EQ(0, runs[0][2 * 48100 + 1]);
}

TEST_F(FSoundFixture, DamagedFilesFailWithALoggedError)
{
    std::string noise(3000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 7919 + 13) & 0xFF);
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(nullptr, OpenStream(noise));
    EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_FREE, noise.data(), FSOUND_LOADMEMORY, 0, 3000));
    EXPECT_EQ(nullptr, FSOUND_Stream_Open("/no/such/file.ogg", FSOUND_LOOP_NORMAL, 0, 0));
    EXPECT_GE(mLog.ErrorCount(), 3);
    EXPECT_TRUE(mLog.HasError("/no/such/file.ogg"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(FSoundFixture, TruncatedFilesPlayWhatTheyHoldAndEnd)
{
    std::string wav = MakeFlatWav(44100, 1, 20000, 1000);
    wav.resize(wav.size() / 2);
    FSOUND_STREAM* stream = OpenStream(wav, FSOUND_LOOP_OFF);
    ASSERT_NE(nullptr, stream);
    PlayCounted(stream);
    MixUntil([&] { return mEnds.load() > 0; });
    EXPECT_EQ(1, mEnds.load());
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(stream), FSOUND_Stream_GetTime(stream));
    EXPECT_LT(FSOUND_Stream_GetLengthMs(stream), 300);
    FSOUND_Stream_Close(stream);

    std::FILE* file = std::fopen(Path("tone.ogg").c_str(), "rb");
    ASSERT_NE(nullptr, file);
    std::string ogg(4096, '\0');
    ogg.resize(std::fread(ogg.data(), 1, ogg.size(), file) * 2 / 3);
    std::fclose(file);
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_FREE, ogg.data(), FSOUND_LOADMEMORY, 0, static_cast<int>(ogg.size()));
    if (sample) {
        EXPECT_LT(FSOUND_Sample_GetLength(sample), 22050u);
        FSOUND_Sample_Free(sample);
    } else {
        EXPECT_GE(mLog.ErrorCount(), 1);
    }
}

TEST_F(FSoundFixture, FilesAreReadThroughTheInstalledCallbacks)
{
    static int opened = 0;
    static int reads = 0;
    MediaFileCallbacks callbacks {};
    callbacks.Open = [](const char* aName) -> void* {
        ++opened;
        return std::fopen(aName, "rb");
    };
    callbacks.Close = [](void* aFile) { std::fclose(static_cast<std::FILE*>(aFile)); };
    callbacks.Read = [](void* aFile, void* aBuffer, int aSize) {
        ++reads;
        return static_cast<int>(std::fread(aBuffer, 1, static_cast<std::size_t>(aSize), static_cast<std::FILE*>(aFile)));
    };
    callbacks.Seek = [](void* aFile, int64_t aPosition) {
        return std::fseek(static_cast<std::FILE*>(aFile), static_cast<long>(aPosition), SEEK_SET);
    };
    callbacks.Size = [](void*) -> int64_t { return -1; }; // a size not known
    MediaSetFileCallbacks(&callbacks);
    EXPECT_EQ(kOggFrames, SampleFrames(Path("tone.ogg")).first);
    MediaSetFileCallbacks(nullptr);
    EXPECT_EQ(1, opened);
    EXPECT_GT(reads, 0);
}

TEST(FSoundSetup, PlayingNeedsInitAndInitOnlyOnce)
{
    const std::string wav = MakeFlatWav(44100, 1, 100, 1);
    FSOUND_STREAM* stream = FSOUND_Stream_Open(wav.data(), FSOUND_LOADMEMORY, 0, static_cast<int>(wav.size()));
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(-1, FSOUND_Stream_Play(FSOUND_FREE, stream));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FSOUND_GetError());
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND_NONREALTIME));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    EXPECT_FALSE(FSOUND_Init(44100, 32, 0));
    EXPECT_GE(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
    FSOUND_Close();
    FSOUND_Stream_Close(stream);
}
