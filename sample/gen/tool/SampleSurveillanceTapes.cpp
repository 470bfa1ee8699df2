// The surveillance tapes' pictures for layout.txt: the monitor (its viewing area at
// (124, 45), 665 x 425), a scan-line overlay over that area, the six tapes of three layers
// in one atlas (tape t's layer k at column k, row t, 200 x 150 each; every tape is one
// street scene whose outlines are split among the layers in red, green and blue, so that
// the scene reads whole only when the layers lie together), the three options of the
// frame control ("off" and "on" looks of "LAYER 1" to "LAYER 3", 199 x 19 each), the
// arrows, the tracking dialog and the indicator.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

#include <string>

namespace {

constexpr int kLayerWidth = 200;
constexpr int kLayerHeight = 150;

void DrawLayer(LCanvas& aAtlas, int aTape, int aLayer)
{
    const int left = aLayer * kLayerWidth;
    const int top = aTape * kLayerHeight;
    const LCanvas::Color colours[3] = {{230, 60, 60, 200}, {60, 220, 90, 200}, {80, 110, 240, 200}};
    const LCanvas::Color colour = colours[aLayer];
    // Each tape its own scene: buildings of its own heights; each layer draws a third of
    // the outlines.
    for (int b = 0; b < 6; ++b) {
        if (b % 3 != aLayer) {
            continue;
        }
        const int height = 40 + ((aTape * 37 + b * 23) % 70);
        aAtlas.Frame(left + 10 + b * 31, top + kLayerHeight - 20 - height, 26, height, 2, colour);
    }
    aAtlas.Line(static_cast<float>(left), static_cast<float>(top + kLayerHeight - 18 + aLayer * 4),
                static_cast<float>(left + kLayerWidth - 1), static_cast<float>(top + kLayerHeight - 18 + aLayer * 4), 2.0f,
                colour);
    LPixelFont::DrawText(aAtlas, left + 6, top + 6 + aLayer * 12, "CAM " + std::to_string(aTape + 1), 1.0f, 1.0f,
                         colour);
}

} // namespace

void WriteSurveillanceTapes(SampleOutput& aOut)
{
    const std::string folder = "textures/puzzles/surveillance_tapes/";
    LCanvas monitor = SampleArt::Background("", LCanvas::Color {50, 54, 60, 255}, LCanvas::Color {30, 32, 36, 255});
    monitor.Fill(124, 45, 665, 425, LCanvas::Color {8, 12, 10, 255});
    monitor.Frame(120, 41, 673, 433, 4, SampleArt::kGrey);
    aOut.WriteImage(folder + "monitor.bmp", monitor);

    LCanvas overlay(665, 425);
    for (int y = 0; y < 425; y += 3) {
        overlay.Fill(0, y, 665, 1, LCanvas::Color {0, 0, 0, 60});
    }
    aOut.WriteImage(folder + "overlay.tga", overlay);

    LCanvas tapes(3 * kLayerWidth, 6 * kLayerHeight);
    for (int tape = 0; tape < 6; ++tape) {
        for (int layer = 0; layer < 3; ++layer) {
            DrawLayer(tapes, tape, layer);
        }
    }
    aOut.WriteImage(folder + "tapes.tga", tapes);

    LCanvas options(200, 120);
    for (int k = 0; k < 3; ++k) {
        const std::string label = "LAYER " + std::to_string(k + 1);
        options.Fill(0, 40 * k, 199, 19, SampleArt::kNavy);
        LPixelFont::DrawText(options, 6, 40 * k + 3, label, 1.0f, 1.0f, SampleArt::kGrey);
        options.Fill(0, 40 * k + 20, 199, 19, SampleArt::kBrass);
        LPixelFont::DrawText(options, 6, 40 * k + 23, label, 1.0f, 1.0f, SampleArt::kInk);
    }
    aOut.WriteImage(folder + "options.tga", options);

    LCanvas arrows(96, 96);
    arrows.Paste(SampleArt::Button("<", 48, 32, "nod"), 0, 0);
    arrows.Paste(SampleArt::Button(">", 48, 32, "nod"), 48, 0);
    aOut.WriteImage(folder + "arrows.tga", arrows);

    LCanvas tracking(200, 40, SampleArt::kNavy);
    tracking.Frame(0, 0, 200, 40, 2, SampleArt::kBrass);
    LPixelFont::DrawCentered(tracking, 100, 12, "TRACKING OK", 2.0f, 2.0f, SampleArt::kBrass);
    aOut.WriteImage(folder + "tracking.tga", tracking);

    LCanvas indicator(16, 12);
    indicator.Triangle(0.0f, 0.0f, 15.0f, 0.0f, 7.5f, 11.0f, SampleArt::kBrass);
    aOut.WriteImage(folder + "indicator.tga", indicator);
}
