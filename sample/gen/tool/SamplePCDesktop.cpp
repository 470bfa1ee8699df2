// The suspect's desktop for pc_desktop/layout.txt: the screen with a body chart, the
// eight buttons (the seven body parts and the folder, 90 x 30 each, side by side, with
// their normal, over, down and hilighted looks one above the other) and the roster the
// computer hides, a flat sheet of one colour.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

#include <string>

void WritePCDesktop(SampleOutput& aOut)
{
    LCanvas chart = SampleArt::Background("", LCanvas::Color {40, 70, 110, 255}, LCanvas::Color {20, 40, 70, 255});
    // A figure: head, trunk and arms.
    chart.Disc(410.0f, 95.0f, 30.0f, SampleArt::kPaper);
    chart.Fill(380, 130, 60, 170, SampleArt::kPaper);
    chart.Fill(290, 140, 90, 20, SampleArt::kPaper);
    chart.Fill(440, 140, 90, 20, SampleArt::kPaper);
    chart.Fill(250, 160, 30, 230, SampleArt::kPaper);
    aOut.WriteImage("textures/puzzles/pc_desktop/chart.bmp", chart);

    const char* labels[] = {"R SHLDR", "L SHLDR", "HEAD", "UP ARM", "THUMB", "INDEX", "ABDOMEN", "FOLDER"};
    LCanvas buttons(8 * 90, 4 * 30);
    for (int k = 0; k < 8; ++k) {
        buttons.Paste(SampleArt::Button(labels[k], 90, 30, SampleArt::kEngineStates), 90 * k, 0);
    }
    aOut.WriteImage("textures/puzzles/pc_desktop/buttons.tga", buttons);

    aOut.WriteImage("textures/puzzles/pc_desktop/roster.tga", LCanvas(240, 300, LCanvas::Color {200, 60, 40, 255}));
}
