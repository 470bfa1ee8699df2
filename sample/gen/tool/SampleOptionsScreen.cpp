// The options screen of options_screen_layout.txt: its background with the captions of
// the skill row, the six toggles and the volume track (the knob runs from x 340 to 655 at
// y 450), the menu buttons back, save, easy, medium and hard, the toggles' on and off
// buttons (80 x 24, states n, o, d, h) and the knob.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteOptionsScreen(SampleOutput& aOut)
{
    LCanvas background = SampleArt::Background("OPTIONS", SampleArt::kNavy, SampleArt::kNight);
    LPixelFont::DrawText(background, 60, 122, "Skill", 2.0f, 2.0f, SampleArt::kPaper);
    // Each row is named for what its first button, "On", keeps on: a fresh options file
    // lights "On" in every row, and every feature is then on.
    constexpr const char* kToggles[] = {"Subtitles",   "Full PDA bar", "Scene animations",
                                        "Scene music", "Scene sounds", "Stencil shadows"};
    for (int i = 0; i < 6; ++i) {
        LPixelFont::DrawText(background, 120, 196 + i * 40, kToggles[i], 2.0f, 2.0f, SampleArt::kPaper);
    }
    LPixelFont::DrawText(background, 120, 452, "Volume", 2.0f, 2.0f, SampleArt::kPaper);
    background.Fill(340, 464, 335, 4, SampleArt::kBrass);
    aOut.WriteImage("textures/menu/options_bg.bmp", background);

    for (const char* id : {"back", "save", "easy", "medium", "hard"}) {
        std::string label(id);
        label[0] = static_cast<char>(label[0] - 'a' + 'A');
        aOut.WriteImage(std::string("textures/menu/btn_") + id + ".tga",
                        SampleArt::Button(label, 160, 40, SampleArt::kMenuStates));
    }
    aOut.WriteImage("textures/menu/toggle_on.tga", SampleArt::Button("On", 80, 24, SampleArt::kEngineStates));
    aOut.WriteImage("textures/menu/toggle_off.tga", SampleArt::Button("Off", 80, 24, SampleArt::kEngineStates));

    LCanvas knob(20, 32);
    knob.Fill(0, 0, 20, 32, SampleArt::kInk);
    knob.Fill(2, 2, 16, 28, SampleArt::kBrass);
    knob.Fill(9, 6, 2, 20, SampleArt::kInk);
    aOut.WriteImage("textures/menu/slider_knob.tga", knob);
}
