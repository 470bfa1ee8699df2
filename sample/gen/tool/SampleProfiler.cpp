// The profiling computer: its screen (three columns of four item slots under their
// headings, the item slot at the top left, the result box at the top right), one atlas
// with the five gauge levels, the analyze button's states, an empty item slot and the three
// status phrases, and its sounds: the analysis hum, the match chime and the buzz (MPEG
// Layer II, 22050 Hz mono; the combination lock's keypad buzzes with the same file).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kRate = 22050;
// The layer's frame length: streams of whole frames.
constexpr int kFrame = 1152;

std::vector<float> Tone(float aHertz, int aFrames, float aDecay, float aBuzz)
{
    std::vector<float> samples(static_cast<size_t>(kFrame) * aFrames, 0.0f);
    for (size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float phase = 2.0f * static_cast<float>(M_PI) * aHertz * t;
        const float wave = aBuzz > 0.0f ? (std::sin(phase) > 0.0f ? aBuzz : -aBuzz) : std::sin(phase);
        samples[i] = 0.3f * std::exp(-t * aDecay) * wave;
    }
    return samples;
}

} // namespace

void WriteProfiler(SampleOutput& aOut)
{
    LCanvas screen = SampleArt::Background("PROFILER", SampleArt::kNavy, SampleArt::kNight);
    // The item slot's frame (the drop area) and the result box.
    screen.Frame(270, 38, 98, 82, 2, SampleArt::kBrass);
    screen.Frame(650, 78, 120, 60, 2, SampleArt::kBrass);
    const char* const headings[] = {"TRAITS", "PERSONALITY", "MOTIVE"};
    for (int column = 0; column < 3; ++column) {
        LPixelFont::DrawCentered(screen, 140 + column * 260, 150, headings[column], 2.0f, 2.0f, SampleArt::kBrass);
    }
    aOut.WriteImage("textures/profiler/profiler.bmp", screen);

    // Row 0: gauge levels 0 to 4 (48 x 16 each, 0..4 lit bars); from y 32: the analyze
    // button's n, o, d states (96 x 32 each, one above the other); from y 160: the empty
    // item slot (64 x 64) and the three status phrases (124 x 24).
    LCanvas parts(512, 256);
    for (int level = 0; level < 5; ++level) {
        const int left = level * 64;
        parts.Fill(left, 0, 48, 16, SampleArt::kInk);
        for (int bar = 0; bar < level; ++bar) {
            parts.Fill(left + 2 + bar * 11, 2, 9, 12, LCanvas::Color {80, 200, 90, 255});
        }
    }
    LCanvas button = SampleArt::Button("ANALYZE", 96, 32, "nod");
    parts.Paste(button, 0, 32);
    parts.Frame(0, 160, 64, 64, 2, SampleArt::kGrey);
    const char* const phrases[] = {"ANALYZING", "NO MATCH", "TOO EARLY"};
    for (int i = 0; i < 3; ++i) {
        parts.Fill(128 + i * 128, 160, 124, 24, SampleArt::kInk);
        LPixelFont::DrawCentered(parts, 190 + i * 128, 166, phrases[i], 1.0f, 1.0f, SampleArt::kPaper);
    }
    aOut.WriteImage("textures/profiler/profiler_parts.tga", parts);

    aOut.WriteSound("sounds/analyze.mp2", kRate, Tone(220.0f, 16, 1.0f, 0.0f));
    aOut.WriteSound("sounds/match.mp2", kRate, Tone(1046.5f, 8, 4.0f, 0.0f));
    aOut.WriteSound("sounds/buzz.mp2", kRate, Tone(110.0f, 8, 2.0f, 0.6f));
}
