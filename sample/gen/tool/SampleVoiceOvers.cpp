// The voiced lines: the locations' hotspot voice-overs, the sample interview's lines (one
// per subtitle key of sample_interview_subtitles.txt) and the crime lab's. A voice stands
// in as a tone that rises and falls in syllables, as long as its subtitle is read; the
// interviews' lines are short and pitched by speaker.
#include "SampleContent.h"
#include "SampleOutput.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

void WriteVoice(SampleOutput& aOut, const std::string& aId, float aSeconds, float aPitch)
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
    aOut.WriteSound("sounds/" + aId + ".ogg", kRate, samples);
}

} // namespace

void WriteVoiceOvers(SampleOutput& aOut)
{
    WriteVoice(aOut, "sample_look", 2.5f, 140.0f);
    // The drawer close-up's voice-over.
    WriteVoice(aOut, "sample_drawer_vo", 2.5f, 140.0f);
    // The spot where the glove is used: the right item, and any other.
    WriteVoice(aOut, "target_glove_fits", 2.0f, 150.0f);
    WriteVoice(aOut, "target_wrong_item", 1.5f, 130.0f);
    // The sample interview's lines; the witness speaks higher than the detective.
    constexpr float kDetective = 120.0f;
    constexpr float kWitness = 210.0f;
    const struct
    {
        const char* mName;
        float mPitch;
    } lines[] = {
        {"si_intro_player", kDetective}, {"si_intro_witness", kWitness}, {"si_saw_stra", kWitness},
        {"si_saw_conf", kWitness},       {"si_deal_empa", kWitness},     {"si_deal_flat", kWitness},
        {"si_boat_decp", kWitness},      {"si_noinfo", kWitness},        {"si_denied", kWitness},
        {"si_exit", kDetective},         {"si_failedexit", kWitness},    {"si_bargain_denied", kWitness},
        {"si_bargain_solved", kWitness},
    };
    for (const auto& line : lines) {
        WriteVoice(aOut, line.mName, 1.0f, line.mPitch);
    }
    // The crime lab's expert (1CL_lab_subtitles.txt).
    for (const char* name : {"ex_intro", "ex_pending", "ex_noinfo", "ex_glove", "ex_witness", "ex_boot", "ex_exit"}) {
        WriteVoice(aOut, name, 1.0f, 180.0f);
    }
    // The cigar band puzzle: its hint at the easy skill level, its hint otherwise, and
    // the line on solving.
    WriteVoice(aOut, "hi02_rg", 1.0f, 160.0f);
    WriteVoice(aOut, "1cn05_rg", 1.0f, 140.0f);
    WriteVoice(aOut, "1cn05a_rg", 1.0f, 120.0f);
    // The Monet box's line at the easy skill level and otherwise.
    WriteVoice(aOut, "hi10_rg", 1.0f, 150.0f);
    WriteVoice(aOut, "2ls16_rg", 1.0f, 135.0f);
    // The surveillance tapes' line on solving.
    WriteVoice(aOut, "4re31_le", 1.0f, 125.0f);
    // The room-service receipt's hint at the easy skill level and otherwise, and the
    // baseball bat's line on solving.
    WriteVoice(aOut, "hi13_rg", 1.0f, 155.0f);
    WriteVoice(aOut, "2st07_rg", 1.0f, 130.0f);
    WriteVoice(aOut, "3wh02_rg", 1.0f, 145.0f);
    // The keypad's hint at the easy skill level and the chase photos' one; the line that
    // both the keypad and the desktop open with otherwise.
    WriteVoice(aOut, "hi04_rg", 1.0f, 170.0f);
    WriteVoice(aOut, "hi18_rg", 1.0f, 175.0f);
    WriteVoice(aOut, "2ls08_rg", 1.0f, 130.0f);
    // The desktop's hint at the easy skill level and the line after the password.
    WriteVoice(aOut, "hi09_rg", 1.0f, 150.0f);
    WriteVoice(aOut, "2ls08a_rg", 1.0f, 120.0f);
    // The harp's intro and its hint at the easy skill level.
    WriteVoice(aOut, "2sh01_rg", 1.0f, 140.0f);
    WriteVoice(aOut, "hi12_rg", 1.0f, 155.0f);
}
