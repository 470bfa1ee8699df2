// The baseball bat's pictures for bat_puzzle_layout.txt: a workbench, the bat in seven
// fragments of 60 x 40 with four looks each (bat.tga: fragment n's look for rotation r at
// (60 (n - 1), 40 r); every look shows its fragment's number and a notch at the side the
// look faces), and the whole bat as the inventory item "3wh02".
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

#include <string>

namespace {

const LCanvas::Color kWood {196, 150, 96, 255};
const LCanvas::Color kGrain {150, 104, 60, 255};

} // namespace

void WriteBaseballBat(SampleOutput& aOut)
{
    LCanvas bench = SampleArt::Background("", LCanvas::Color {70, 70, 76, 255}, LCanvas::Color {44, 44, 50, 255});
    aOut.WriteImage("textures/puzzles/baseball_bat/workbench.bmp", bench);

    LCanvas bat(420, 160);
    for (int r = 0; r < 4; ++r) {
        for (int n = 0; n < 7; ++n) {
            const int left = 60 * n;
            const int top = 40 * r;
            // The bat thickens from the handle (fragment 1) to the barrel (fragment 7).
            const int thickness = 10 + n * 4;
            bat.Fill(left, top + 20 - thickness / 2, 60, thickness, kWood);
            bat.Fill(left, top + 19, 60, 2, kGrain);
            LPixelFont::DrawText(bat, left + 26, top + 16, std::to_string(n + 1), 1.0f, 1.0f, SampleArt::kInk);
            const int notchX[4] = {left + 56, left + 28, left, left + 28};
            const int notchY[4] = {top + 18, top, top + 18, top + 36};
            bat.Fill(notchX[r], notchY[r], 4, 4, SampleArt::kInk);
        }
    }
    aOut.WriteImage("textures/puzzles/baseball_bat/bat.tga", bat);

    LCanvas item(64, 64);
    for (int x = 4; x < 60; ++x) {
        const int thickness = 3 + (x - 4) / 8;
        item.Fill(x, 32 - thickness / 2, 1, thickness, kWood);
    }
    aOut.WriteImage("textures/pda/inventory/bat_item.tga", item);
}
