// The pictures and sounds of the three mechanism puzzles. The painting: a framed picture
// with three brass holes (the hole buttons, normal and over, 24 x 24) and a crank handle
// 130 x 58 whose pivot lies at (101, 29). The slide box: a wooden lid with grooves, the
// bars (24 x 100 standing, 100 x 24 lying) and the four arrow buttons; the slide's rasp.
// The floor safe: a stone floor, and one atlas of 64 x 64 tiles: the six faces, the
// 48 transition pictures (each half one face, half the next, split across the turn) and
// the indicators (16 x 16, six in one tile), and the arrow buttons below.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr int kTile = 64;
constexpr int kTilesPerRow = 8;

const LCanvas::Color kWood {120, 78, 40, 255};
const LCanvas::Color kDarkWood {70, 44, 22, 255};
const LCanvas::Color kStone {110, 108, 100, 255};

void WritePainting(SampleOutput& aOut)
{
    LCanvas wall = SampleArt::Background("", LCanvas::Color {70, 40, 36, 255}, LCanvas::Color {40, 22, 20, 255});
    wall.Fill(200, 100, 420, 320, SampleArt::kBrass);
    wall.Fill(216, 116, 388, 288, LCanvas::Color {50, 80, 110, 255});
    wall.Disc(410.0f, 260.0f, 60.0f, LCanvas::Color {200, 170, 80, 255});
    aOut.WriteImage("textures/puzzles/painting/painting.bmp", wall);

    LCanvas parts(256, 128);
    parts.Disc(12.0f, 12.0f, 11.0f, SampleArt::kInk);
    parts.Ring(12.0f, 12.0f, 8.0f, 11.0f, SampleArt::kBrass);
    parts.Disc(36.0f, 12.0f, 11.0f, SampleArt::kInk);
    parts.Ring(36.0f, 12.0f, 7.0f, 11.0f, LCanvas::kWhite);
    // The handle: an arm from the grip at the left to the pivot at (101, 29).
    parts.Line(12.0f, 61.0f, 101.0f, 61.0f, 8.0f, SampleArt::kGrey);
    parts.Disc(12.0f, 61.0f, 10.0f, kDarkWood);
    parts.Disc(101.0f, 61.0f, 14.0f, SampleArt::kBrass);
    aOut.WriteImage("textures/puzzles/painting/parts.tga", parts);
}

void WriteSlideBox(SampleOutput& aOut)
{
    LCanvas lid = SampleArt::Background("", LCanvas::Color {60, 40, 24, 255}, LCanvas::Color {30, 20, 12, 255});
    lid.Fill(10, 60, 400, 330, kWood);
    lid.Frame(10, 60, 400, 330, 4, kDarkWood);
    lid.Fill(150, 70, 24, 240, kDarkWood);
    lid.Fill(250, 70, 24, 240, kDarkWood);
    lid.Fill(18, 340, 180, 24, kDarkWood);
    aOut.WriteImage("textures/puzzles/sliderbox/lockbox.bmp", lid);

    // Standing bar at (0, 0), lying bar at (32, 0); the arrows from x 0 in the second row
    // of 128: "^", "v", "<", ">" 24 wide each, normal, over and down stacked.
    LCanvas bars(256, 256);
    bars.Fill(0, 0, 24, 100, SampleArt::kBrass);
    bars.Frame(0, 0, 24, 100, 2, SampleArt::kInk);
    bars.Fill(32, 0, 100, 24, SampleArt::kBrass);
    bars.Frame(32, 0, 100, 24, 2, SampleArt::kInk);
    const char* labels[] = {"^", "v", "<", ">"};
    for (int i = 0; i < 4; ++i) {
        bars.Paste(SampleArt::Button(labels[i], 24, 24, "nod"), i * 24, 128);
    }
    aOut.WriteImage("textures/puzzles/sliderbox/bars.tga", bars);

    std::vector<float> rasp(static_cast<size_t>(0.3f * kRate));
    for (size_t i = 0; i < rasp.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        rasp[i] = 0.2f * std::sin(2.0f * static_cast<float>(M_PI) * 180.0f * t) * std::sin(40.0f * t) *
                  std::min(1.0f, (0.3f - t) * 30.0f);
    }
    aOut.WriteSound("sounds/slide.wav", kRate, rasp);
}

void DrawFace(LCanvas& aCanvas, int aLeft, int aTop, int aFace, int aX, int aY, int aWidth, int aHeight)
{
    // The part (aX, aY, aWidth, aHeight) of face aFace's tile, drawn at (aLeft, aTop).
    LCanvas face(kTile, kTile);
    face.Fill(0, 0, kTile, kTile, SampleArt::kPaper);
    face.Frame(0, 0, kTile, kTile, 3, SampleArt::kInk);
    LPixelFont::DrawCentered(face, kTile / 2, 18, std::to_string(aFace), 4.0f, 4.0f, SampleArt::kInk);
    for (int y = 0; y < aHeight; ++y) {
        for (int x = 0; x < aWidth; ++x) {
            aCanvas.Set(aLeft + x, aTop + y, face.Get(aX + x, aY + y));
        }
    }
}

void WriteFloorSafe(SampleOutput& aOut)
{
    LCanvas floor = SampleArt::Background("", kStone, LCanvas::Color {70, 68, 62, 255});
    floor.Fill(40, 200, 720, 200, LCanvas::Color {50, 50, 56, 255});
    aOut.WriteImage("textures/puzzles/floorsafe/floorsafe.bmp", floor);

    // Eight rows of tiles, then the arrows "^", "v", "<", ">" (24 wide, normal, over and
    // down stacked) from y 512.
    LCanvas atlas(kTile * kTilesPerRow, kTile * kTilesPerRow + 128);
    int tile = 0;
    auto place = [&tile](int& aLeft, int& aTop) {
        aLeft = (tile % kTilesPerRow) * kTile;
        aTop = (tile / kTilesPerRow) * kTile;
        ++tile;
    };
    int left = 0;
    int top = 0;
    for (int face = 1; face <= 6; ++face) {
        place(left, top);
        DrawFace(atlas, left, top, face, 0, 0, kTile, kTile);
    }
    // In the layout's order: for a from 1 to 6, each b neither a nor its opposite (the
    // cube's pairs are 1 and 3, 2 and 4, 5 and 6), "a_b_v" then "a_b_h": the first face's
    // top (or left) half beside the second's bottom (or right).
    const int opposite[7] = {0, 3, 4, 1, 2, 6, 5};
    for (int a = 1; a <= 6; ++a) {
        for (int b = 1; b <= 6; ++b) {
            if (a == b || opposite[a] == b) {
                continue;
            }
            place(left, top);
            DrawFace(atlas, left, top, a, 0, kTile / 2, kTile, kTile / 2);
            DrawFace(atlas, left, top + kTile / 2, b, 0, 0, kTile, kTile / 2);
            place(left, top);
            DrawFace(atlas, left, top, a, kTile / 2, 0, kTile / 2, kTile);
            DrawFace(atlas, left + kTile / 2, top, b, 0, 0, kTile / 2, kTile);
        }
    }
    place(left, top);
    for (int n = 1; n <= 6; ++n) {
        const int x = left + ((n - 1) % 4) * 16;
        const int y = top + ((n - 1) / 4) * 16;
        atlas.Fill(x, y, 16, 16, SampleArt::kBrass);
        LPixelFont::DrawCentered(atlas, x + 8, y + 4, std::to_string(n), 1.0f, 1.0f, SampleArt::kInk);
    }
    const char* labels[] = {"^", "v", "<", ">"};
    for (int i = 0; i < 4; ++i) {
        atlas.Paste(SampleArt::Button(labels[i], 24, 24, "nod"), i * 24, kTile * kTilesPerRow);
    }
    aOut.WriteImage("textures/puzzles/floorsafe/cubes.tga", atlas);
}

} // namespace

void WriteMechanismPuzzles(SampleOutput& aOut)
{
    WritePainting(aOut);
    if (!aOut.Failed()) {
        WriteSlideBox(aOut);
    }
    if (!aOut.Failed()) {
        WriteFloorSafe(aOut);
    }
}
