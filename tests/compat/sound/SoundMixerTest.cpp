#include "sound/SoundMixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A source over a fixed list of frames.
class ListSource : public SoundSource
{
public:
    ListSource(int aRate, int aChannels, std::vector<float> aFrames)
        : mRate(aRate)
        , mChannels(aChannels)
        , mData(std::move(aFrames))
    {
    }
    int Rate() const override { return mRate; }
    int Channels() const override { return mChannels; }
    int Peek(int, const float** aData) override
    {
        *aData = mData.data() + mPosition * mChannels;
        return static_cast<int>(mData.size()) / mChannels - mPosition;
    }
    void Consume(int aFrames) override { mPosition += aFrames; }
    bool Ended() const override { return mPosition * mChannels >= static_cast<int>(mData.size()); }

    int mRate;
    int mChannels;
    std::vector<float> mData;
    int mPosition = 0;
};

std::vector<float> Tone(double aHertz, double aAmplitude, int aFrames, int aRate)
{
    std::vector<float> out(aFrames);
    for (int i = 0; i < aFrames; ++i) {
        out[i] = static_cast<float>(aAmplitude * std::sin(2.0 * M_PI * aHertz * i / aRate));
    }
    return out;
}

int gEnds = 0;
void CountEnd(void*, int)
{
    ++gEnds;
}

} // namespace

TEST(SoundMixerOutput, TwoTonesMixToTheirSumWithinRounding)
{
    SoundMixer mixer(44100);
    ListSource first(44100, 1, Tone(440.0, 0.3, 1024, 44100));
    ListSource second(44100, 1, Tone(1000.0, 0.25, 1024, 44100));
    ASSERT_GE(mixer.Play(-1, &first, 255, nullptr, nullptr), 0);
    ASSERT_GE(mixer.Play(-1, &second, 255, nullptr, nullptr), 0);
    std::vector<int16_t> out(2 * 1024);
    mixer.Mix(out.data(), 1024);
    for (int i = 0; i < 1024; ++i) {
        const double expected = (first.mData[i] + second.mData[i]) * 32767.0;
        ASSERT_NEAR(expected, out[2 * i], 1.0) << i;
        ASSERT_EQ(out[2 * i], out[2 * i + 1]) << i;
    }
}

TEST(SoundMixerOutput, VolumeScalesAndTheSumIsClamped)
{
    SoundMixer mixer(44100);
    ListSource quiet(44100, 1, std::vector<float>(64, 0.8f));
    const int handle = mixer.Play(-1, &quiet, 127, nullptr, nullptr);
    EXPECT_EQ(127, mixer.GetVolume(handle));
    std::vector<int16_t> out(2 * 64);
    mixer.Mix(out.data(), 32);
    EXPECT_NEAR(0.8 * 127.0 / 255.0 * 32767.0, out[0], 1.0);

    ListSource loud(44100, 1, std::vector<float>(64, 0.9f));
    mixer.SetVolume(handle, 255);
    mixer.Play(-1, &loud, 255, nullptr, nullptr);
    mixer.Mix(out.data(), 32);
    EXPECT_EQ(32767, out[0]);
}

TEST(SoundMixerOutput, StereoSourcesKeepTheirSides)
{
    SoundMixer mixer(44100);
    ListSource stereo(44100, 2, {0.5f, -0.25f, 0.5f, -0.25f});
    mixer.Play(-1, &stereo, 255, nullptr, nullptr);
    std::vector<int16_t> out(2 * 4);
    mixer.Mix(out.data(), 4);
    EXPECT_NEAR(0.5 * 32767.0, out[0], 1.0);
    EXPECT_NEAR(-0.25 * 32767.0, out[1], 1.0);
    EXPECT_EQ(0, out[4]); // the source ended after two frames
}

TEST(SoundMixerResampling, HalfRateSourceLastsTwiceAsLongAndInterpolates)
{
    SoundMixer mixer(44100);
    ListSource ramp(22050, 1, {0.0f, 0.5f, 1.0f});
    gEnds = 0;
    mixer.Play(-1, &ramp, 255, &CountEnd, nullptr);
    std::vector<int16_t> out(2 * 16);
    mixer.Mix(out.data(), 16);
    EXPECT_NEAR(0.0, out[0], 1.0);
    EXPECT_NEAR(0.25 * 32767.0, out[2], 1.0); // halfway between the first two frames
    EXPECT_NEAR(0.5 * 32767.0, out[4], 1.0);
    EXPECT_NEAR(1.0 * 32767.0, out[8], 1.0);
    EXPECT_EQ(0, out[12]);
    EXPECT_EQ(1, gEnds);
}

TEST(SoundMixerResampling, SourceFramesAreAllPlayedAtTheOutputRate)
{
    SoundMixer mixer(44100);
    ListSource source(44100, 1, std::vector<float>(1000, 0.5f));
    gEnds = 0;
    const int handle = mixer.Play(-1, &source, 255, &CountEnd, nullptr);
    std::vector<int16_t> out(2 * 600);
    mixer.Mix(out.data(), 600);
    EXPECT_TRUE(mixer.IsPlaying(handle));
    EXPECT_EQ(600, source.mPosition);
    mixer.Mix(out.data(), 600);
    EXPECT_NE(0, out[2 * 399]);
    EXPECT_EQ(0, out[2 * 400]);
    EXPECT_FALSE(mixer.IsPlaying(handle));
    EXPECT_EQ(1, gEnds);
    mixer.Mix(out.data(), 600);
    EXPECT_EQ(1, gEnds);
}

TEST(SoundMixerResampling, OneLongMixEqualsTheSameFramesInPiecesOfAnySize)
{
    // Longer than the mixer's working block, at two thirds of the output rate.
    std::vector<float> ramp(4000);
    for (int i = 0; i < 4000; ++i) {
        ramp[i] = static_cast<float>(i % 700) / 1000.0f;
    }
    SoundMixer whole(44100);
    ListSource first(29400, 1, ramp);
    whole.Play(-1, &first, 255, nullptr, nullptr);
    std::vector<int16_t> expected(2 * 6100);
    whole.Mix(expected.data(), 6100);
    EXPECT_NE(0, expected[2 * 5990]);
    EXPECT_EQ(0, expected[2 * 6010]);

    SoundMixer pieces(44100);
    ListSource second(29400, 1, ramp);
    pieces.Play(-1, &second, 255, nullptr, nullptr);
    std::vector<int16_t> out(2 * 6100);
    int done = 0;
    for (int size : {1, 1023, 1025, 7, 3000, 1044}) {
        pieces.Mix(out.data() + 2 * done, size);
        done += size;
    }
    ASSERT_EQ(6100, done);
    EXPECT_EQ(expected, out);
}

TEST(SoundMixerVoices, SourcesFarAboveTheOutputRateAreRefused)
{
    SoundMixer mixer(8000);
    ListSource high(8000 * SoundMixer::kMaxRateRatio, 1, std::vector<float>(100, 0.1f));
    ListSource higher(8000 * (SoundMixer::kMaxRateRatio + 1), 1, std::vector<float>(100, 0.1f));
    EXPECT_GE(mixer.Play(-1, &high, 255, nullptr, nullptr), 0);
    EXPECT_EQ(-1, mixer.Play(-1, &higher, 255, nullptr, nullptr));
}

TEST(SoundMixerVoices, StaleHandlesControlNothing)
{
    SoundMixer mixer(44100);
    ListSource first(44100, 1, std::vector<float>(4, 0.5f));
    ListSource second(44100, 1, std::vector<float>(4000, 0.5f));
    const int old = mixer.Play(0, &first, 255, nullptr, nullptr);
    std::vector<int16_t> out(2 * 16);
    mixer.Mix(out.data(), 16);
    EXPECT_FALSE(mixer.IsPlaying(old));
    const int current = mixer.Play(0, &second, 255, nullptr, nullptr);
    EXPECT_NE(old, current);
    EXPECT_FALSE(mixer.Stop(old));
    EXPECT_FALSE(mixer.SetVolume(old, 0));
    EXPECT_EQ(-1, mixer.GetVolume(old));
    EXPECT_TRUE(mixer.IsPlaying(current));
    EXPECT_EQ(255, mixer.GetVolume(current));
}

TEST(SoundMixerVoices, ThirtyTwoVoicesThenNoMore)
{
    SoundMixer mixer(44100);
    ListSource source(44100, 1, std::vector<float>(100, 0.01f));
    for (int i = 0; i < SoundMixer::kVoices; ++i) {
        ASSERT_GE(mixer.Play(-1, &source, 255, nullptr, nullptr), 0) << i;
    }
    EXPECT_EQ(-1, mixer.Play(-1, &source, 255, nullptr, nullptr));
    mixer.StopSource(&source);
    EXPECT_GE(mixer.Play(-1, &source, 255, nullptr, nullptr), 0);
}

TEST(SoundMixerVoices, PausedVoicesHoldTheirPlaceAndLevelsFollowTheOutput)
{
    SoundMixer mixer(44100);
    ListSource source(44100, 2, std::vector<float>(2 * 100, 0.0f));
    for (int i = 0; i < 100; ++i) {
        source.mData[2 * i] = 0.5f;
        source.mData[2 * i + 1] = -0.2f;
    }
    const int handle = mixer.Play(-1, &source, 255, nullptr, nullptr);
    std::vector<int16_t> out(2 * 10);
    mixer.Mix(out.data(), 10);
    float left = 0.0f;
    float right = 0.0f;
    ASSERT_TRUE(mixer.GetLevels(handle, &left, &right));
    EXPECT_NEAR(0.5f, left, 1e-6);
    EXPECT_NEAR(0.2f, right, 1e-6);
    mixer.SetPaused(handle, true);
    mixer.Mix(out.data(), 10);
    EXPECT_EQ(10, source.mPosition);
    EXPECT_EQ(0, out[0]);
    mixer.SetPaused(handle, false);
    mixer.Mix(out.data(), 10);
    EXPECT_EQ(20, source.mPosition);
}
