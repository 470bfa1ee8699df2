// The message box of messagebox_layout.txt: a 257 x 210 paper panel and the 85 x 32
// buttons ok, cancel, yes and no (states n, o, d, h stacked).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

void WriteMessageBox(SampleOutput& aOut)
{
    LCanvas panel(257, 210, SampleArt::kNavy);
    panel.Gradient(3, 3, 251, 204, LCanvas::Color {50, 62, 100, 255}, SampleArt::kNavy);
    panel.Frame(0, 0, 257, 210, 3, SampleArt::kBrass);
    panel.Frame(6, 6, 245, 198, 1, SampleArt::kBrass);
    aOut.WriteImage("textures/menu/messagebox.tga", panel);

    for (const char* label : {"ok", "cancel", "yes", "no"}) {
        std::string text(label);
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
        aOut.WriteImage(std::string("textures/menu/mb_") + label + ".tga",
                        SampleArt::Button(text == "Ok" ? "OK" : text, 85, 32, SampleArt::kEngineStates));
    }
}
