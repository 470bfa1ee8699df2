// The sounds under "//sounds": the title theme and the credits music (short loops of a
// few plucked notes), the location card's chime, a short blip and the interviews' stand-in
// line, two footsteps, at 22050 Hz mono.
#include "SampleContent.h"
#include "SampleOutput.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

// Notes of aHertz, each aSeconds long, plucked (a fast rise, then an exponential fall).
std::vector<float> Notes(const std::vector<float>& aHertz, float aSeconds, float aDecay)
{
    const int perNote = static_cast<int>(aSeconds * kRate);
    std::vector<float> samples;
    samples.reserve(perNote * aHertz.size());
    for (float hertz : aHertz) {
        for (int i = 0; i < perNote; ++i) {
            const float t = static_cast<float>(i) / kRate;
            const float envelope = std::min(1.0f, t * 200.0f) * std::exp(-t * aDecay);
            const float tone = std::sin(2.0f * static_cast<float>(M_PI) * hertz * t) +
                               0.3f * std::sin(4.0f * static_cast<float>(M_PI) * hertz * t);
            samples.push_back(0.35f * envelope * tone);
        }
    }
    return samples;
}

} // namespace

void WriteSounds(SampleOutput& aOut)
{
    // A minor phrase for the title, a major one for the credits.
    aOut.WriteSound("sounds/theme.ogg", kRate,
                    Notes({220.0f, 261.6f, 329.6f, 293.7f, 261.6f, 246.9f, 220.0f, 164.8f}, 0.5f, 3.0f));
    aOut.WriteSound("sounds/Credits.ogg", kRate,
                    Notes({261.6f, 329.6f, 392.0f, 523.3f, 392.0f, 329.6f, 349.2f, 261.6f}, 0.5f, 3.0f));
    aOut.WriteSound("sounds/ching-ching.ogg", kRate, Notes({1318.5f, 1568.0f}, 0.4f, 6.0f));
    aOut.WriteSound("sounds/blip.wav", kRate, Notes({880.0f}, 0.08f, 20.0f));
    aOut.WriteSound("sounds/river.ogg", kRate, Notes({82.4f, 87.3f, 82.4f, 77.8f}, 0.5f, 0.5f));
    aOut.WriteSound("sounds/bird.wav", kRate, Notes({2637.0f, 2349.3f}, 0.12f, 12.0f));
    // Two footsteps: a soft low thud on grass and a sharper, brighter one on gravel.
    aOut.WriteSound("sounds/step_grass.wav", kRate, Notes({110.0f}, 0.1f, 40.0f));
    aOut.WriteSound("sounds/step_gravel.wav", kRate, Notes({330.0f, 1975.5f}, 0.05f, 60.0f));
    // Stands in for an interview line whose own sound is missing.
    aOut.WriteSound("sounds/temp.ogg", kRate, Notes({440.0f, 392.0f}, 0.3f, 8.0f));
    // The desktop's password sounds: a rising pair when right, a low buzz when wrong.
    aOut.WriteSound("sounds/pw_correct.ogg", kRate, Notes({987.8f, 1318.5f}, 0.2f, 8.0f));
    aOut.WriteSound("sounds/pw_wrong.ogg", kRate, Notes({155.6f}, 0.4f, 4.0f));
    // The harp's notes: string n a semitone above string n - 1, from the A below middle C.
    for (int n = 1; n <= 20; ++n) {
        aOut.WriteSound("textures/puzzles/harppuzzle/" + std::to_string(n) + ".ogg", kRate,
                        Notes({220.0f * std::pow(2.0f, static_cast<float>(n - 1) / 12.0f)}, 0.6f, 5.0f));
    }
}
