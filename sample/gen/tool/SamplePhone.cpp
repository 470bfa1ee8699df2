// The PDA's phone of phone_layout.txt: the menu buttons (60 x 20, states n, o, x, d, h
// stacked), the directory's overlay frame and ruled lines, a 24 x 14 call button, the
// call's card with its "connecting" strip, the prompt's yes and no buttons; the ring and
// the voice messages of phone_messages.txt; and the sample phone call's lines.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

// A tone of aSeconds rising and falling in syllables around aPitch, as a voice stands in.
std::vector<float> Voice(float aSeconds, float aPitch)
{
    std::vector<float> samples(static_cast<size_t>(aSeconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float syllable = 0.5f - 0.5f * std::cos(2.0f * static_cast<float>(M_PI) * 3.0f * t);
        const float fade = std::min(1.0f, std::min(t, aSeconds - t) * 20.0f);
        samples[i] = 0.3f * fade * syllable * std::sin(2.0f * static_cast<float>(M_PI) * aPitch * t);
    }
    return samples;
}

} // namespace

void WritePhone(SampleOutput& aOut)
{
    aOut.WriteImage("textures/pda/phone_btn_directory.tga", SampleArt::Button("Contacts", 60, 20, "noxdh"));
    aOut.WriteImage("textures/pda/phone_btn_messages.tga", SampleArt::Button("Messages", 60, 20, "noxdh"));
    aOut.WriteImage("textures/pda/phone_btn_call.tga", SampleArt::Button("Call", 24, 14, "noxdh"));
    aOut.WriteImage("textures/pda/phone_btn_yes.tga", SampleArt::Button("Yes", 60, 20, "noxdh"));
    aOut.WriteImage("textures/pda/phone_btn_no.tga", SampleArt::Button("No", 60, 20, "noxdh"));

    LCanvas overlay(256, 8);
    overlay.Fill(0, 0, 256, 8, SampleArt::kInk);
    overlay.Fill(2, 2, 252, 4, SampleArt::kBrass);
    aOut.WriteImage("textures/pda/phone_overlay.tga", overlay);
    LCanvas lines(248, 136);
    for (int row = 0; row < 7; ++row) {
        lines.Fill(4, 32 + row * 20, 240, 1, SampleArt::kGrey);
    }
    aOut.WriteImage("textures/pda/phone_lines.tga", lines);
    LCanvas card(150, 60, SampleArt::kPaper);
    card.Frame(0, 0, 150, 60, 2, SampleArt::kInk);
    aOut.WriteImage("textures/pda/phone_call.tga", card);
    LCanvas connecting(120, 10, SampleArt::kNavy);
    for (int dot = 0; dot < 5; ++dot) {
        connecting.Disc(20.0f + dot * 20.0f, 5.0f, 3.0f, SampleArt::kBrass);
    }
    aOut.WriteImage("textures/pda/phone_connecting.tga", connecting);

    // Two short rings.
    std::vector<float> ring(static_cast<size_t>(kRate * 1.2f), 0.0f);
    for (size_t i = 0; i < ring.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const bool on = t < 0.4f || (t > 0.6f && t < 1.0f);
        ring[i] = on ? 0.25f * std::sin(2.0f * static_cast<float>(M_PI) * 440.0f * t) *
                           (0.5f + 0.5f * std::sin(2.0f * static_cast<float>(M_PI) * 20.0f * t))
                     : 0.0f;
    }
    aOut.WriteSound("textures/pda/internal_ring2.ogg", kRate, ring);

    for (const char* message : {"pm_harbour", "pm_pen_lab", "pm_lab_cl", "pm_lab_re", "pm_lab_su"}) {
        aOut.WriteSound(std::string("sounds/") + message + ".ogg", kRate, Voice(1.5f, 170.0f));
    }
    for (const char* line : {"sp_intro", "sp_call_stra", "sp_exit"}) {
        aOut.WriteSound(std::string("sounds/") + line + ".ogg", kRate, Voice(1.0f, 120.0f));
    }
}
