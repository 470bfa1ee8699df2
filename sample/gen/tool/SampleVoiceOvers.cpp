// The voice-over sounds of the locations' hotspots and of the puzzles: a voice stands in
// as a tone that rises and falls in syllables, as long as its subtitle is read (the
// puzzles' lines are short tones).
#include "SampleContent.h"
#include "SampleOutput.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kRate = 22050;

std::vector<float> Voice(float aSeconds, float aPitch)
{
    std::vector<float> samples(static_cast<size_t>(aSeconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        // Six syllables a second, the pitch gliding around aPitch.
        const float syllable = 0.5f - 0.5f * std::cos(2.0f * static_cast<float>(M_PI) * 3.0f * t);
        const float pitch = aPitch + 20.0f * std::sin(2.0f * static_cast<float>(M_PI) * 0.7f * t);
        const float fade = std::min(1.0f, std::min(t, aSeconds - t) * 20.0f);
        samples[i] = 0.3f * fade * syllable * std::sin(2.0f * static_cast<float>(M_PI) * pitch * t);
    }
    return samples;
}

} // namespace

void WriteVoiceOvers(SampleOutput& aOut)
{
    aOut.WriteSound("sounds/sample_look.ogg", kRate, Voice(2.5f, 140.0f));
    // The cigar band puzzle: its hint at the easy skill level, its hint otherwise, and
    // the line on solving.
    aOut.WriteSound("sounds/hi02_rg.ogg", kRate, Voice(1.0f, 160.0f));
    aOut.WriteSound("sounds/1cn05_rg.ogg", kRate, Voice(1.0f, 140.0f));
    aOut.WriteSound("sounds/1cn05a_rg.ogg", kRate, Voice(1.0f, 120.0f));
}
