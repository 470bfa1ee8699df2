// Small media files built byte by byte for the sound and movie tests, the path of the
// checked-in ones (tests/fixtures/media: tone.ogg, tone.mp2, movie.nut), and the loops
// that drive playback in the tests.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace LMediaFixtures {

// The directory of the checked-in media files.
std::string Directory();
std::string Path(const std::string& aName);

// A 16-bit PCM WAV file of aFrames frames; aValue(frame, channel) gives each value.
std::string MakeWav(int aRate, int aChannels, int aFrames, int16_t (*aValue)(int aFrame, int aChannel));
// A WAV of a constant value in every channel.
std::string MakeFlatWav(int aRate, int aChannels, int aFrames, int16_t aValue);

// Mixes the sound stand-in's non-real-time output in blocks of 1024 frames until aDone
// holds or aLimit frames have gone by; returns the frames mixed.
int MixUntil(const std::function<bool()>& aDone, int aLimit = 44100 * 10);
inline int Mix(int aFrames)
{
    return MixUntil([] { return false; }, aFrames);
}
// Runs aStep (by default a frame pass) every 2 ms until aDone holds; false after 5 s.
bool RunUntil(const std::function<bool()>& aDone, const std::function<void()>& aStep = nullptr);

} // namespace LMediaFixtures
