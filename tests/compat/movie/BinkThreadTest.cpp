// A movie's sound in real time: the movie's frame pass hands decoded sound over while
// SDL's audio thread (the dummy driver in tests) mixes it.
#include "movie/Bink.h"
#include "sound/FSound.h"
#include "sound/SoundOutput.h"
#include "support/LMediaFixtures.h"
#include "support/LMediaLogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace LMediaFixtures;

namespace {

std::atomic<int> gHeard {0};

void CountHeard(bool aEntering, const int16_t* aOut, int aFrames)
{
    if (aEntering) {
        return;
    }
    int heard = 0;
    for (int i = 0; i < 2 * aFrames; ++i) {
        heard += aOut[i] != 0 ? 1 : 0;
    }
    gHeard.fetch_add(heard);
}

} // namespace

TEST(BinkRealTime, TheSoundTrackIsHeardWhileThePicturesPlay)
{
    LMediaLogCapture log;
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_SDL));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    BinkSetSoundSystem(&BinkOpenDirectSound, 0);
    SoundOutput::SetMixHook(&CountHeard);
    HBINK bink = BinkOpen(Path("movie.nut").c_str(), 0);
    ASSERT_NE(nullptr, bink);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (uint32_t i = 1; i <= bink->Frames && std::chrono::steady_clock::now() < limit; ++i) {
        while (BinkWait(bink) != 0 && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_EQ(0, BinkDoFrame(bink)) << i;
        if (bink->FrameNum < bink->Frames) {
            BinkNextFrame(bink);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(gHeard.load(), 0);
    EXPECT_EQ(0, log.ErrorCount());
    BinkClose(bink);
    SoundOutput::SetMixHook(nullptr);
    FSOUND_Close();
}
