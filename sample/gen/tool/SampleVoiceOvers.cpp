// The voice-over sounds of the locations' hotspots: a voice stands in as a tone that rises
// and falls in syllables, as long as its subtitle is read.
#include "SampleContent.h"
#include "SampleOutput.h"

#include <cmath>
#include <vector>

void WriteVoiceOvers(SampleOutput& aOut)
{
    constexpr int kRate = 22050;
    constexpr float kSeconds = 2.5f;
    std::vector<float> samples(static_cast<size_t>(kSeconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        // Six syllables a second, the pitch gliding around 140 Hz.
        const float syllable = 0.5f - 0.5f * std::cos(2.0f * static_cast<float>(M_PI) * 3.0f * t);
        const float pitch = 140.0f + 20.0f * std::sin(2.0f * static_cast<float>(M_PI) * 0.7f * t);
        const float fade = std::min(1.0f, std::min(t, kSeconds - t) * 20.0f);
        samples[i] = 0.3f * fade * syllable * std::sin(2.0f * static_cast<float>(M_PI) * pitch * t);
    }
    aOut.WriteSound("sounds/sample_look.ogg", kRate, samples);
}
