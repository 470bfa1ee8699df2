// The PDA of pda_layout.txt and its bar of pda_minimized_layout.txt: a 440 x 280 device
// body with a 20-pixel drag strip, four active-case labels, the six 120 x 30 menu buttons
// (states n, o, x, d, h stacked), the scroll bar's arrows and bar, and the 170 x 48 bar
// with its move handle, maximize button and three 20 x 20 icons; and the bar's message
// sound, two short beeps in whole Layer II frames at 22050 Hz mono.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

#include <cmath>
#include <string>
#include <vector>

void WriteSamplePDA(SampleOutput& aOut)
{
    LCanvas body(440, 280, SampleArt::kInk);
    body.Gradient(4, 4, 432, 272, LCanvas::Color {70, 74, 84, 255}, LCanvas::Color {36, 38, 46, 255});
    body.Frame(0, 0, 440, 280, 3, SampleArt::kGrey);
    // The screen behind the scroll area.
    body.Fill(168, 66, 256, 160, LCanvas::Color {150, 170, 140, 255});
    body.Frame(166, 64, 260, 164, 2, SampleArt::kInk);
    aOut.WriteImage("textures/pda/pda_bg.tga", body);

    LCanvas cases(120, 96, SampleArt::kNavy);
    for (int c = 0; c < 4; ++c) {
        cases.Frame(0, c * 24, 120, 24, 1, SampleArt::kBrass);
        for (int mark = 0; mark <= c; ++mark) {
            cases.Disc(12.0f + mark * 14.0f, c * 24 + 12.0f, 5.0f, SampleArt::kBrass);
        }
    }
    aOut.WriteImage("textures/pda/pda_cases.tga", cases);

    const char* const labels[][2] = {{"map", "Map"},   {"inventory", "Items"}, {"phone", "Phone"},
                                     {"log", "Log"},   {"menu", "Menu"},       {"exit", "Exit"}};
    for (const auto& label : labels) {
        aOut.WriteImage(std::string("textures/pda/pda_btn_") + label[0] + ".tga",
                        SampleArt::Button(label[1], 120, 30, "noxdh"));
    }
    LCanvas strip(440, 20, LCanvas::Color {28, 30, 36, 255});
    strip.Fill(180, 8, 80, 4, SampleArt::kGrey);
    aOut.WriteImage("textures/pda/pda_drag.tga", strip);

    LCanvas up(16, 48, SampleArt::kGrey);
    LCanvas down(16, 48, SampleArt::kGrey);
    for (int state = 0; state < 3; ++state) {
        const int top = state * 16;
        up.Triangle(8, top + 3, 3, top + 12, 13, top + 12, SampleArt::kInk);
        down.Triangle(8, top + 12, 3, top + 3, 13, top + 3, SampleArt::kInk);
    }
    aOut.WriteImage("textures/pda/pda_scroll.tga", up);
    aOut.WriteImage("textures/pda/pda_scroll_down.tga", down);
    LCanvas bar(16, 72, SampleArt::kBrass);
    for (int state = 0; state < 3; ++state) {
        bar.Frame(0, state * 24, 16, 24, 2, SampleArt::kInk);
    }
    aOut.WriteImage("textures/pda/pda_scroll_bar.tga", bar);

    LCanvas barBody(170, 48, SampleArt::kInk);
    barBody.Gradient(2, 2, 166, 44, LCanvas::Color {70, 74, 84, 255}, LCanvas::Color {36, 38, 46, 255});
    aOut.WriteImage("textures/pda/pda_min_bar.tga", barBody);
    LCanvas icons(60, 20);
    icons.Fill(2, 2, 16, 16, LCanvas::Color {90, 160, 90, 255});
    icons.Fill(26, 2, 8, 16, LCanvas::Color {200, 200, 210, 255});
    icons.Disc(50, 10, 7.0f, LCanvas::Color {220, 80, 60, 255});
    aOut.WriteImage("textures/pda/pda_min_icons.tga", icons);
    LCanvas move(20, 96, SampleArt::kGrey);
    for (int state = 0; state < 2; ++state) {
        for (int line = 0; line < 4; ++line) {
            move.Fill(5, state * 48 + 12 + line * 7, 10, 2, state == 0 ? SampleArt::kInk : SampleArt::kBrass);
        }
    }
    aOut.WriteImage("textures/pda/pda_min_move.tga", move);
    aOut.WriteImage("textures/pda/pda_min_max.tga", SampleArt::Button("PDA", 64, 32, "nod"));

    constexpr int kRate = 22050;
    constexpr int kFrame = 1152;
    std::vector<float> beeps(kFrame * 8, 0.0f);
    for (int beep = 0; beep < 2; ++beep) {
        for (int i = 0; i < kFrame * 2; ++i) {
            const float t = static_cast<float>(i) / kRate;
            beeps[beep * kFrame * 4 + i] =
                0.3f * std::exp(-t * 12.0f) * std::sin(2.0f * static_cast<float>(M_PI) * 1760.0f * t);
        }
    }
    aOut.WriteSound("sounds/message.mp2", kRate, beeps);
}
