// The sound stand-in in real time, on SDL's audio device (the dummy driver in tests):
// the audio thread mixing, the feeder thread decoding and the main thread changing
// what plays, all at once.
#include "memory/LMemoryManager.h"
#include "sound/FSound.h"
#include "sound/SoundOutput.h"
#include "support/LMediaFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace LMediaFixtures;

namespace {

using Clock = std::chrono::steady_clock;

class RealTimeSound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_SDL));
        ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    }
    void TearDown() override
    {
        SoundOutput::SetMixHook(nullptr);
        FSOUND_Close();
    }
};

signed char CountEnd(FSOUND_STREAM*, void*, int, void* aUser)
{
    static_cast<std::atomic<int>*>(aUser)->fetch_add(1);
    return 0;
}

FSOUND_STREAM* OpenWav(const std::string& aBytes, unsigned aMode)
{
    return FSOUND_Stream_Open(aBytes.data(), aMode | FSOUND_LOADMEMORY, 0, static_cast<int>(aBytes.size()));
}

bool WaitFor(const std::function<bool()>& aDone, std::chrono::milliseconds aLimit)
{
    const auto end = Clock::now() + aLimit;
    while (!aDone()) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// One stream of the stress test and what the main thread has seen of it.
struct Track
{
    FSOUND_STREAM* mStream = nullptr;
    int mChannel = -1;
    int mLengthMs = 0;
    int mPlays = 0;
    int mLastMs = 0;
    std::atomic<int> mEnds {0};
};

} // namespace

TEST_F(RealTimeSound, EightLoopingStreamsMoveOnlyForwardAndEndOnceWhileTheyAreChanged)
{
    constexpr int kTracks = 8;
    const int rates[kTracks] = {44100, 22050, 11025, 48000, 32000, 44100, 22050, 16000};
    Track tracks[kTracks];
    for (int i = 0; i < kTracks; ++i) {
        Track& track = tracks[i];
        const int frames = rates[i] * (150 + 40 * i) / 1000;
        track.mStream = OpenWav(MakeFlatWav(rates[i], 1 + i % 2, frames, static_cast<int16_t>(500 + i)), FSOUND_LOOP_NORMAL);
        ASSERT_NE(nullptr, track.mStream);
        track.mLengthMs = FSOUND_Stream_GetLengthMs(track.mStream);
        ASSERT_EQ(static_cast<int>(static_cast<int64_t>(frames) * 1000 / rates[i]), track.mLengthMs);
        FSOUND_Stream_SetEndCallback(track.mStream, &CountEnd, &track.mEnds);
    }
    auto last = Clock::now();
    for (Track& track : tracks) {
        track.mChannel = FSOUND_Stream_Play(FSOUND_FREE, track.mStream);
        ASSERT_GE(track.mChannel, 0);
        ++track.mPlays;
    }

    // Between two looks a stream moves on by at most the time gone by and a device
    // buffer or so (a loop start counts as moving on through the end).
    std::mt19937 random(19);
    int wraps = 0;
    const auto look = [&] {
        const auto now = Clock::now();
        const int allowed = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count()) + 60;
        last = now;
        for (int i = 0; i < kTracks; ++i) {
            Track& track = tracks[i];
            const int ms = FSOUND_Stream_GetTime(track.mStream);
            ASSERT_GE(ms, 0) << i;
            ASSERT_LE(ms, track.mLengthMs) << i;
            int moved = ms - track.mLastMs;
            if (moved < 0) {
                moved += track.mLengthMs;
                ++wraps;
            }
            ASSERT_LE(moved, allowed) << "stream " << i << " from " << track.mLastMs << " to " << ms;
            track.mLastMs = ms;
            ASSERT_LE(track.mEnds.load(), track.mPlays) << i;
        }
    };

    const auto stop = Clock::now() + std::chrono::milliseconds(2500);
    while (Clock::now() < stop) {
        Track& track = tracks[random() % kTracks];
        switch (random() % 6) {
        case 0: {
            const int volume = static_cast<int>(random() % 256);
            if (FSOUND_SetVolume(track.mChannel, volume)) {
                EXPECT_EQ(volume, FSOUND_GetVolume(track.mChannel));
            }
            break;
        }
        case 1:
            FSOUND_SetPaused(track.mChannel, static_cast<signed char>(random() % 2));
            break;
        case 2:
            FSOUND_Stream_Stop(track.mStream);
            break;
        case 3:
            if (!FSOUND_IsPlaying(track.mChannel)) {
                track.mChannel = FSOUND_Stream_Play(FSOUND_FREE, track.mStream);
                ASSERT_GE(track.mChannel, 0);
                ++track.mPlays;
            }
            break;
        case 4:
            FSOUND_Stream_SetLoopCount(track.mStream, static_cast<int>(random() % 4) - 1);
            break;
        default: {
            // Moving it on purpose: it goes on from there.
            const int ms = static_cast<int>(random() % static_cast<unsigned>(track.mLengthMs));
            ASSERT_TRUE(FSOUND_Stream_SetTime(track.mStream, ms));
            const int now = FSOUND_Stream_GetTime(track.mStream);
            ASSERT_GE(now, ms);
            ASSERT_LE(now, ms + 60);
            track.mLastMs = ms;
            break;
        }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        look();
        if (HasFatalFailure()) {
            return;
        }
    }
    EXPECT_GT(wraps, kTracks);

    // Last pass for every stream: each tells of its end once, at its length.
    int endsBefore[kTracks];
    for (int i = 0; i < kTracks; ++i) {
        Track& track = tracks[i];
        FSOUND_Stream_Stop(track.mStream);
        endsBefore[i] = track.mEnds.load();
        FSOUND_Stream_SetLoopCount(track.mStream, 0);
        track.mChannel = FSOUND_Stream_Play(FSOUND_FREE, track.mStream);
        ASSERT_GE(track.mChannel, 0);
        ++track.mPlays;
    }
    const bool ended = WaitFor(
        [&] {
            look();
            return std::all_of(tracks, tracks + kTracks, [](const Track& aTrack) { return aTrack.mEnds.load() > 0; })
                && std::none_of(tracks, tracks + kTracks,
                                [](const Track& aTrack) { return FSOUND_IsPlaying(aTrack.mChannel) != 0; });
        },
        std::chrono::milliseconds(3000));
    ASSERT_TRUE(ended);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (int i = 0; i < kTracks; ++i) {
        EXPECT_EQ(endsBefore[i] + 1, tracks[i].mEnds.load()) << i;
        EXPECT_EQ(tracks[i].mLengthMs, FSOUND_Stream_GetTime(tracks[i].mStream)) << i;
        FSOUND_Stream_Close(tracks[i].mStream);
    }
}

namespace {

// Whatever the audio thread allocates while it mixes is charged to a heap of the test's
// own, current on that thread (each thread has its own heap stack) just for the mix: its
// peak stays 0 unless something was allocated there.
std::atomic<int> gMixes {0};
std::atomic<int> gAudioHeap {-1};

void ChargeMixToTheAudioHeap(bool aEntering, const int16_t*, int)
{
    if (aEntering) {
        LMemoryManager::PushHeap(gAudioHeap.load());
    } else {
        LMemoryManager::PopHeap();
        gMixes.fetch_add(1);
    }
}

bool AllocationsAreTracked()
{
    const int probe = LMemoryManager::CreateHeap(u"tracking probe", 0);
    LMemoryManager::PushHeap(probe);
    void* block = ::operator new(16);
    int64_t bytes = 0;
    int64_t peak = 0;
    int64_t blocks = 0;
    LMemoryManager::GetHeapStats(probe, bytes, peak, blocks);
    ::operator delete(block);
    LMemoryManager::PopHeap();
    return blocks == 1;
}

} // namespace

TEST_F(RealTimeSound, TheAudioThreadNeverAllocates)
{
    if (!AllocationsAreTracked()) {
        GTEST_SKIP() << "the tracked allocator is off in this build";
    }
    const int heap = LMemoryManager::CreateHeap(u"audio thread", 0);
    ASSERT_GE(heap, 0);
    gAudioHeap.store(heap);
    // Passes short enough that the whole of each stream fits its buffer: the loop
    // starts and the ends all happen on the audio thread, the reopening beforehand.
    std::atomic<int> ends {0};
    std::vector<FSOUND_STREAM*> streams;
    for (int i = 0; i < 4; ++i) {
        const int rate = i % 2 ? 22050 : 44100;
        FSOUND_STREAM* stream = OpenWav(MakeFlatWav(rate, 1 + i % 2, rate / 20, 1000), FSOUND_LOOP_OFF);
        ASSERT_NE(nullptr, stream);
        FSOUND_Stream_SetLoopCount(stream, 3);
        FSOUND_Stream_SetEndCallback(stream, &CountEnd, &ends);
        streams.push_back(stream);
    }
    const std::string wav = MakeFlatWav(44100, 2, 1000, -2000);
    FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_FREE, wav.data(), FSOUND_LOADMEMORY | FSOUND_LOOP_NORMAL, 0,
                                               static_cast<int>(wav.size()));
    ASSERT_NE(nullptr, sample);
    // Let the feeder decode the further passes before anything plays.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    SoundOutput::SetMixHook(&ChargeMixToTheAudioHeap);
    const int sampleChannel = FSOUND_PlaySound(FSOUND_FREE, sample);
    for (FSOUND_STREAM* stream : streams) {
        ASSERT_GE(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
    }
    const auto end = Clock::now() + std::chrono::seconds(3);
    while ((ends.load() < 4 || gMixes.load() < 12) && Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    SoundOutput::SetMixHook(nullptr);

    EXPECT_EQ(4, ends.load());
    EXPECT_GE(gMixes.load(), 12);
    int64_t bytes = -1;
    int64_t peak = -1;
    int64_t blocks = -1;
    ASSERT_TRUE(LMemoryManager::GetHeapStats(heap, bytes, peak, blocks));
    EXPECT_EQ(0, peak);
    EXPECT_TRUE(FSOUND_IsPlaying(sampleChannel));
    FSOUND_Sample_Free(sample);
    for (FSOUND_STREAM* stream : streams) {
        FSOUND_Stream_Close(stream);
    }
}
