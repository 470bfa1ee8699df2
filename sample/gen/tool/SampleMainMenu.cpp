// The title screen of main_menu_layout.txt: its background and one 160 x 40 menu button
// per entry, the five state pictures stacked (n, o, d, x, h).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteMainMenu(SampleOutput& aOut)
{
    LCanvas background = SampleArt::Background("CASE FILES", SampleArt::kNavy, SampleArt::kNight);
    // A street lamp and its light on the left, a city line along the bottom.
    LCanvas glow(180, 180);
    glow.Disc(90, 90, 90.0f, LCanvas::Color {255, 230, 150, 70}, true);
    background.Paste(glow, 60, 110);
    background.Fill(146, 200, 8, 330, LCanvas::Color {30, 30, 36, 255});
    background.Disc(150, 196, 10.0f, LCanvas::Color {255, 240, 190, 255});
    for (int x = 20, i = 0; x < 780; x += 40, ++i) {
        const int height = 40 + (i * 37) % 70;
        background.Fill(x, 580 - height, 36, height, LCanvas::Color {10, 12, 22, 255});
    }
    LPixelFont::DrawCentered(background, 400, 80, "A detective story", 2.0f, 2.0f, SampleArt::kPaper);
    aOut.WriteImage("textures/menu/main_menu_bg.bmp", background);

    struct Button
    {
        const char* mId;
        const char* mLabel;
    };
    constexpr Button kButtons[] = {
        {"new_game", "New Game"}, {"resume_game", "Resume"}, {"load_game", "Load Game"}, {"save_game", "Save Game"},
        {"options", "Options"},   {"credits", "Credits"},    {"quit", "Quit"},
    };
    for (const Button& button : kButtons) {
        aOut.WriteImage(std::string("textures/menu/btn_") + button.mId + ".tga",
                        SampleArt::Button(button.mLabel, 160, 40, SampleArt::kMenuStates));
    }
}
