// The harp's pictures for harppuzzle/layout.txt: the harp's frame on a dark room, the
// strings' three looks (yellow, green and red, 6 x 350 each, side by side) and the start
// light, a lamp of 80 x 40 labelled START.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteHarp(SampleOutput& aOut)
{
    LCanvas harp = SampleArt::Background("", LCanvas::Color {40, 30, 40, 255}, LCanvas::Color {20, 14, 20, 255});
    harp.Frame(120, 80, 550, 390, 8, SampleArt::kBrass);
    for (int n = 0; n < 20; ++n) {
        harp.Fill(140 + 26 * n, 100, 1, 350, SampleArt::kGrey);
    }
    harp.Frame(60, 500, 80, 40, 2, SampleArt::kGrey);
    LPixelFont::DrawCentered(harp, 100, 512, "START", 2.0f, 2.0f, SampleArt::kGrey);
    aOut.WriteImage("textures/puzzles/harppuzzle/harp.bmp", harp);

    LCanvas strings(18, 350);
    strings.Fill(0, 0, 6, 350, LCanvas::Color {240, 220, 40, 255});
    strings.Fill(6, 0, 6, 350, LCanvas::Color {60, 220, 80, 255});
    strings.Fill(12, 0, 6, 350, LCanvas::Color {230, 50, 40, 255});
    aOut.WriteImage("textures/puzzles/harppuzzle/strings.tga", strings);

    LCanvas light(80, 40, LCanvas::Color {250, 230, 120, 255});
    LPixelFont::DrawCentered(light, 40, 12, "START", 2.0f, 2.0f, SampleArt::kInk);
    aOut.WriteImage("textures/puzzles/harppuzzle/startlight.tga", light);
}
