#include "movie/Bink.h"
#include "support/LMediaFixtures.h"
#include "writers/LBinkBytes.h"
#include "support/LMediaLogCapture.h"

#include "sound/FSound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include <sys/stat.h>

using namespace LMediaFixtures;

namespace {

LBinkBytes::MovieSpec ThreeFrames()
{
    LBinkBytes::MovieSpec spec;
    spec.mFrames = {{50, 128, 128, true}, {120, 128, 128, false}, {200, 128, 128, true}};
    return spec;
}

HBINK OpenBytes(const std::string& aBytes, uint32_t aFlags = 0)
{
    return BinkOpenMemory(aBytes.data(), aBytes.size(), aFlags);
}

// Width, height, frames, frames a second and tracks.
std::vector<uint32_t> Header(HBINK aBink)
{
    return {aBink->Width, aBink->Height, aBink->Frames, aBink->FrameRate / aBink->FrameRateDiv, aBink->NumTracks};
}

// Sound mixed without a device, heard by the movies opened after.
void SilentSound()
{
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND_NONREALTIME));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    BinkSetSoundSystem(&BinkOpenDirectSound, 0);
}

std::vector<uint8_t> Copy(HBINK aBink)
{
    std::vector<uint8_t> pixels(aBink->Width * aBink->Height * 4, 0);
    BinkCopyToBuffer(aBink, pixels.data(), static_cast<int>(aBink->Width * 4), aBink->Height, 0, 0, BINKSURFACE32);
    return pixels;
}

} // namespace

TEST(BinkFile, HandBuiltMovieOpensWithItsHeaderAndFramesDecodeToTheirGreyLevels)
{
    LMediaLogCapture log;
    HBINK bink = OpenBytes(LBinkBytes::Make(ThreeFrames()));
    ASSERT_NE(nullptr, bink) << BinkGetError();
    EXPECT_EQ((std::vector<uint32_t> {32, 16, 3, 30, 0}), Header(bink));
    EXPECT_EQ(1u, bink->FrameRateDiv);
    // Video-range luma 50, 120, 200 with neutral chroma.
    const int expected[] = {39, 121, 214};
    for (uint32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(i, bink->FrameNum);
        ASSERT_EQ(0, BinkDoFrame(bink)) << i;
        const std::vector<uint8_t> pixels = Copy(bink);
        for (std::size_t at : {std::size_t {0}, pixels.size() - 4}) {
            for (std::size_t channel = 0; channel < 3; ++channel) {
                EXPECT_NEAR(expected[i - 1], pixels[at + channel], 3) << i;
            }
            EXPECT_EQ(255, pixels[at + 3]) << i;
        }
        if (i < 3) {
            BinkNextFrame(bink);
        }
    }
    EXPECT_EQ(0u, bink->ReadError);
    EXPECT_EQ(0, log.ErrorCount());
    BinkClose(bink);
}

TEST(BinkFile, GotoAndKeyFramesFollowTheFrameIndex)
{
    LMediaLogCapture log;
    HBINK bink = OpenBytes(LBinkBytes::Make(ThreeFrames()));
    ASSERT_NE(nullptr, bink);
    EXPECT_EQ((std::vector<uint32_t> {1, 1, 3, 3}),
              (std::vector<uint32_t> {BinkGetKeyFrame(bink, 1, BINKGETKEYPREVIOUS), BinkGetKeyFrame(bink, 2, BINKGETKEYPREVIOUS),
                                      BinkGetKeyFrame(bink, 3, BINKGETKEYPREVIOUS), BinkGetKeyFrame(bink, 2, BINKGETKEYNEXT)}));

    ASSERT_EQ(1, BinkGoto(bink, 3, 0));
    EXPECT_EQ(3u, bink->FrameNum);
    EXPECT_NEAR(214, Copy(bink)[0], 3);
    // The frame is already there: BinkDoFrame keeps it.
    EXPECT_EQ(0, BinkDoFrame(bink));
    EXPECT_NEAR(214, Copy(bink)[0], 3);
    // Backwards: the file is read again from the start.
    ASSERT_EQ(1, BinkGoto(bink, 2, 0));
    EXPECT_EQ(2u, bink->FrameNum);
    EXPECT_NEAR(121, Copy(bink)[0], 3);
    // Past the end is the last frame.
    ASSERT_EQ(1, BinkGoto(bink, 99, 0));
    EXPECT_EQ(3u, bink->FrameNum);
    EXPECT_EQ(0, log.ErrorCount());
    BinkClose(bink);
}

TEST(BinkFile, SoundTracksReportTheirIds)
{
    LBinkBytes::MovieSpec spec = ThreeFrames();
    spec.mTracks = {LBinkBytes::Track {7, 22050, 0}, LBinkBytes::Track {9, 44100, 0x2000}};
    HBINK bink = OpenBytes(LBinkBytes::Make(spec));
    ASSERT_NE(nullptr, bink);
    EXPECT_EQ(2u, bink->NumTracks);
    EXPECT_EQ((std::vector<uint32_t> {7, 9, 0}),
              (std::vector<uint32_t> {BinkGetTrackID(bink, 0), BinkGetTrackID(bink, 1), BinkGetTrackID(bink, 2)}));
    BinkSetVolume(bink, 9, 16384);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, BinkDoFrame(bink));
        BinkNextFrame(bink);
    }
    BinkClose(bink);
}

TEST(BinkFile, BinkTwoIsRefusedWithALoggedError)
{
    LMediaLogCapture log;
    LBinkBytes::MovieSpec spec = ThreeFrames();
    spec.mBink2 = true;
    EXPECT_EQ(nullptr, OpenBytes(LBinkBytes::Make(spec)));
    EXPECT_TRUE(log.HasError("Bink 2")) << (log.Errors().empty() ? "" : log.Errors()[0]);
}

TEST(BinkFile, DamagedMoviesFailOrEndEarlyInBoundedTime)
{
    LMediaLogCapture log;
    const auto start = std::chrono::steady_clock::now();
    std::string bytes = LBinkBytes::Make(ThreeFrames());

    // The frames cut off: it opens, shows what there is and then ends.
    std::string cut = bytes.substr(0, bytes.size() - 20);
    HBINK bink = OpenBytes(cut);
    if (bink) {
        EXPECT_EQ(0, BinkDoFrame(bink));
        BinkNextFrame(bink);
        int frames = 1;
        while (BinkDoFrame(bink) == 0 && bink->FrameNum < bink->Frames && frames < 10) {
            BinkNextFrame(bink);
            ++frames;
        }
        EXPECT_EQ(bink->Frames, bink->FrameNum);
        EXPECT_EQ(1u, bink->ReadError);
        BinkClose(bink);
    }
    EXPECT_GE(log.ErrorCount(), 1);

    // A header that claims a frame of more than the file: refused.
    std::string header = bytes;
    header[12] = static_cast<char>(0xFF);
    header[13] = static_cast<char>(0xFF);
    EXPECT_EQ(nullptr, OpenBytes(header));
    EXPECT_EQ(nullptr, OpenBytes(bytes.substr(0, 30)));
    EXPECT_EQ(nullptr, BinkOpen("/no/such/movie.bik", 0));
    EXPECT_TRUE(log.HasError("/no/such/movie.bik"));
    // A FIFO in a movie's place is refused at once instead of waiting for a writer.
    const std::string fifo = std::string(::testing::TempDir()) + "/movie_fifo.bik";
    std::remove(fifo.c_str());
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    EXPECT_EQ(nullptr, BinkOpen(fifo.c_str(), 0));
    EXPECT_TRUE(log.HasError("Not a regular file: " + fifo));
    std::remove(fifo.c_str());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(BinkPlayback, UndecodableSoundIsGivenUpAndThePicturesGoOn)
{
    LMediaLogCapture log;
    SilentSound();
    LBinkBytes::MovieSpec spec;
    spec.mTracks = {LBinkBytes::Track {0, 22050, 0}};
    // A stated decoded size, then bits that are no sound.
    spec.mSoundPacket = std::string("\x00\x10\x00\x00", 4) + std::string(60, '\xFF');
    for (int i = 0; i < 12; ++i) {
        spec.mFrames.push_back(LBinkBytes::Frame {static_cast<uint8_t>(20 + 10 * i), 128, 128, i == 0});
    }
    const auto start = std::chrono::steady_clock::now();
    HBINK bink = OpenBytes(LBinkBytes::Make(spec));
    ASSERT_NE(nullptr, bink);
    for (uint32_t i = 1; i <= 12; ++i) {
        EXPECT_EQ(0, BinkDoFrame(bink)) << i;
        BinkNextFrame(bink);
    }
    EXPECT_TRUE(log.HasError("given up"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    BinkClose(bink);
    FSOUND_Close();
}

TEST(BinkPlayback, WaitPacesFramesAndPauseHoldsThem)
{
    LBinkBytes::MovieSpec spec = ThreeFrames();
    spec.mRate = 20; // 50 ms a frame
    HBINK bink = OpenBytes(LBinkBytes::Make(spec));
    ASSERT_NE(nullptr, bink);
    EXPECT_EQ(0, BinkWait(bink));
    BinkDoFrame(bink);
    BinkNextFrame(bink);
    EXPECT_EQ(1, BinkWait(bink));
    EXPECT_EQ(1, BinkPause(bink, 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_EQ(1, BinkWait(bink));
    EXPECT_EQ(0, BinkPause(bink, 0));
    // The pause does not count: frame 2 is still a little way off.
    EXPECT_EQ(1, BinkWait(bink));
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (BinkWait(bink) != 0 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(0, BinkWait(bink));
    BinkClose(bink);
}

TEST(BinkPlayback, CopiesAreClippedToTheBuffer)
{
    HBINK bink = OpenBytes(LBinkBytes::Make(ThreeFrames()));
    ASSERT_NE(nullptr, bink);
    BinkDoFrame(bink);
    // A 40 x 10 buffer with a guard line below; the movie placed at (20, 4).
    std::vector<uint8_t> buffer(40 * 4 * 11, 7);
    EXPECT_EQ(0, BinkCopyToBuffer(bink, buffer.data(), 40 * 4, 10, 20, 4, BINKSURFACE32 | BINKNOSKIP));
    EXPECT_EQ(7, buffer[(4 * 40 + 19) * 4]);
    EXPECT_NEAR(39, buffer[(4 * 40 + 20) * 4], 3);
    EXPECT_NEAR(39, buffer[(9 * 40 + 39) * 4], 3);
    EXPECT_EQ(7, buffer[(3 * 40 + 20) * 4]);
    for (std::size_t i = 40 * 4 * 10; i < buffer.size(); ++i) {
        ASSERT_EQ(7, buffer[i]);
    }
    // Entirely outside: nothing copied.
    std::vector<uint8_t> small(8 * 4 * 2, 7);
    EXPECT_EQ(0, BinkCopyToBuffer(bink, small.data(), 8 * 4, 2, 8, 0, BINKSURFACE32));
    EXPECT_EQ(std::vector<uint8_t>(8 * 4 * 2, 7), small);
    BinkClose(bink);
}

TEST(BinkPlayback, OtherMovieFormatPlaysThroughTheSamePathWithSound)
{
    LMediaLogCapture log;
    SilentSound();
    HBINK bink = BinkOpen(Path("movie.nut").c_str(), BINKALPHA);
    ASSERT_NE(nullptr, bink);
    EXPECT_EQ((std::vector<uint32_t> {32, 32, 5, 10, 1}), Header(bink));
    EXPECT_EQ(0u, bink->OpenFlags & BINKALPHA);
    std::vector<int16_t> sound(2 * 1024);
    int heard = 0;
    int previous = 0;
    for (uint32_t i = 1; i <= bink->Frames; ++i) {
        ASSERT_EQ(0, BinkDoFrame(bink)) << i;
        const int grey = Copy(bink)[16 * 32 * 4 + 16 * 4];
        // Full-range grey 40 + 40 i in video range.
        EXPECT_NEAR((40 + 40 * (i - 1) - 16) * 255 / 219, grey, 6) << i;
        EXPECT_GT(grey, previous);
        previous = grey;
        FSOUND_MixBuffer(sound.data(), 1024);
        for (int16_t value : sound) {
            heard += value != 0 ? 1 : 0;
        }
        if (bink->FrameNum < bink->Frames) {
            BinkNextFrame(bink);
        }
    }
    EXPECT_GT(heard, 0);
    EXPECT_EQ(0, log.ErrorCount());
    BinkClose(bink);
    FSOUND_Close();
}
