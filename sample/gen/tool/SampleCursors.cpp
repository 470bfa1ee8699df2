// The cursor atlas of cursors.txt and cursors_dir.txt: fourteen 32 x 32 cells, eight to a
// row, in the order default, hand, rollover, crosshair, target, empty, then the eight
// direction arrows go_left, go_right, go_top, go_bottom, go_topleft, go_topright,
// go_bottomleft, go_bottomright; and the highlight ring of icon_cursors.txt.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

#include <cmath>

namespace {

constexpr int kCell = 32;
constexpr LCanvas::Color kOutline = LCanvas::kBlack;
constexpr LCanvas::Color kFace = LCanvas::kWhite;

// An arrow from the cell's centre towards (aDx, aDy), its point near the cell's edge.
void Arrow(LCanvas& aCanvas, int aLeft, int aTop, float aDx, float aDy)
{
    const float length = std::hypot(aDx, aDy);
    const float ux = aDx / length;
    const float uy = aDy / length;
    const float cx = aLeft + 16.0f;
    const float cy = aTop + 16.0f;
    const float tipX = cx + ux * 13.0f;
    const float tipY = cy + uy * 13.0f;
    const float baseX = cx + ux * 3.0f;
    const float baseY = cy + uy * 3.0f;
    for (int pass = 0; pass < 2; ++pass) {
        const float grow = pass == 0 ? 1.5f : 0.0f;
        const LCanvas::Color color = pass == 0 ? kOutline : kFace;
        aCanvas.Line(cx - ux * 11.0f, cy - uy * 11.0f, baseX, baseY, 4.0f + 2.0f * grow, color);
        aCanvas.Triangle(tipX + ux * grow, tipY + uy * grow, baseX - uy * (8.0f + grow), baseY + ux * (8.0f + grow),
                         baseX + uy * (8.0f + grow), baseY - ux * (8.0f + grow), color);
    }
}

void Pointer(LCanvas& aCanvas, int aLeft, int aTop)
{
    // The tip at the hot spot, the head pointing up and left, and a short tail.
    aCanvas.Line(aLeft + 5, aTop + 13, aLeft + 10, aTop + 24, 6.0f, kOutline);
    aCanvas.Triangle(aLeft, aTop, aLeft, aTop + 21, aLeft + 15, aTop + 16, kOutline);
    aCanvas.Line(aLeft + 5, aTop + 14, aLeft + 10, aTop + 23, 3.0f, kFace);
    aCanvas.Triangle(aLeft + 1.5f, aTop + 4, aLeft + 1.5f, aTop + 18, aLeft + 11, aTop + 15, kFace);
}

void Hand(LCanvas& aCanvas, int aLeft, int aTop)
{
    aCanvas.Fill(aLeft + 8, aTop + 1, 6, 14, kOutline);
    aCanvas.Fill(aLeft + 9, aTop + 2, 4, 13, kFace);
    aCanvas.Fill(aLeft + 6, aTop + 12, 18, 16, kOutline);
    aCanvas.Fill(aLeft + 7, aTop + 13, 16, 14, kFace);
    for (int knuckle = 0; knuckle < 3; ++knuckle) {
        aCanvas.Fill(aLeft + 13 + knuckle * 4, aTop + 13, 1, 5, kOutline);
    }
}

void Magnifier(LCanvas& aCanvas, int aLeft, int aTop)
{
    aCanvas.Line(aLeft + 18, aTop + 18, aLeft + 29, aTop + 29, 6.0f, kOutline);
    aCanvas.Line(aLeft + 18, aTop + 18, aLeft + 28, aTop + 28, 3.0f, SampleArt::kBrass);
    aCanvas.Ring(aLeft + 12, aTop + 12, 7.0f, 11.0f, kOutline);
    aCanvas.Ring(aLeft + 12, aTop + 12, 8.0f, 10.0f, kFace);
    aCanvas.Disc(aLeft + 12, aTop + 12, 8.0f, LCanvas::Color {180, 210, 255, 90});
}

void Crosshair(LCanvas& aCanvas, int aLeft, int aTop)
{
    aCanvas.Fill(aLeft + 15, aTop + 2, 3, 28, kOutline);
    aCanvas.Fill(aLeft + 2, aTop + 15, 28, 3, kOutline);
    aCanvas.Fill(aLeft + 16, aTop + 3, 1, 26, kFace);
    aCanvas.Fill(aLeft + 3, aTop + 16, 26, 1, kFace);
}

void Target(LCanvas& aCanvas, int aLeft, int aTop)
{
    aCanvas.Ring(aLeft + 16, aTop + 16, 10.0f, 14.0f, kOutline);
    aCanvas.Ring(aLeft + 16, aTop + 16, 11.0f, 13.0f, LCanvas::Color {220, 40, 40, 255});
    aCanvas.Disc(aLeft + 16, aTop + 16, 3.0f, LCanvas::Color {220, 40, 40, 255});
}

} // namespace

void WriteCursors(SampleOutput& aOut)
{
    LCanvas atlas(8 * kCell, 2 * kCell);
    Pointer(atlas, 1, 1);
    Hand(atlas, kCell, 0);
    Magnifier(atlas, 2 * kCell, 0);
    Crosshair(atlas, 3 * kCell, 0);
    Target(atlas, 4 * kCell, 0);
    // Cell 5, "empty", stays transparent.
    constexpr float kDirections[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (int i = 0; i < 8; ++i) {
        const int cell = 6 + i;
        Arrow(atlas, (cell % 8) * kCell, (cell / 8) * kCell, kDirections[i][0], kDirections[i][1]);
    }
    aOut.WriteImage("textures/cursors.tga", atlas);

    LCanvas ring(64, 64);
    ring.Ring(32, 32, 24.0f, 30.0f, LCanvas::Color {0, 0, 0, 120});
    ring.Ring(32, 32, 25.0f, 29.0f, LCanvas::Color {255, 220, 120, 220});
    aOut.WriteImage("textures/hilight.tga", ring);
}
