// The pictures of the overlays drawn over a location: the multi-cursor's texture
// (textures/multicursor.tga, 256 x 256: five button rows of 51 pixels, look, use,
// collect, analyze and talk from the top, each with its disabled, normal and mouse-over
// looks in columns 0, 51 and 102, and the menu picture of each side at (153,0)-(203,190)
// and (204,0)-(255,190)) and the subtitle strip's background (textures/subtitleBG.tga).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

namespace {

constexpr int kCell = 51;

// The symbol of row aRow in a cell whose top left is (aX, aY).
void DrawSymbol(LCanvas& aCanvas, int aRow, float aX, float aY, LCanvas::Color aInk)
{
    const float cx = aX + 25.5f;
    const float cy = aY + 25.5f;
    switch (aRow) {
    case 0: // look: an eye
        aCanvas.Ring(cx, cy, 9.0f, 12.0f, aInk);
        aCanvas.Disc(cx, cy, 5.0f, aInk);
        break;
    case 1: // use: a pointing hand, as a finger and a palm
        aCanvas.Fill(static_cast<int>(cx) - 3, static_cast<int>(cy) - 14, 6, 16, aInk);
        aCanvas.Fill(static_cast<int>(cx) - 9, static_cast<int>(cy), 18, 12, aInk);
        break;
    case 2: // collect: a box
        aCanvas.Frame(static_cast<int>(cx) - 12, static_cast<int>(cy) - 8, 24, 18, 3, aInk);
        aCanvas.Line(cx - 12.0f, cy - 8.0f, cx + 12.0f, cy - 8.0f, 3.0f, aInk);
        break;
    case 3: // analyze: a magnifying glass
        aCanvas.Ring(cx - 4.0f, cy - 4.0f, 7.0f, 10.0f, aInk);
        aCanvas.Line(cx + 3.0f, cy + 3.0f, cx + 12.0f, cy + 12.0f, 4.0f, aInk);
        break;
    default: // talk: a speech bubble
        aCanvas.Disc(cx, cy - 3.0f, 12.0f, aInk);
        aCanvas.Triangle(cx - 8.0f, cy + 4.0f, cx - 2.0f, cy + 6.0f, cx - 12.0f, cy + 14.0f, aInk);
        break;
    }
}

// One look of a button: 0 disabled (grey), 1 normal (brass), 2 mouse over (lit).
void DrawButton(LCanvas& aCanvas, int aRow, int aLook)
{
    const int x = aLook * kCell;
    const int y = aRow * kCell;
    static constexpr LCanvas::Color kPlates[] = {{60, 60, 66, 255}, SampleArt::kNavy, {40, 70, 120, 255}};
    static constexpr LCanvas::Color kInks[] = {SampleArt::kGrey, SampleArt::kBrass, {255, 240, 160, 255}};
    aCanvas.Disc(x + 25.5f, y + 25.5f, 24.0f, kPlates[aLook]);
    aCanvas.Ring(x + 25.5f, y + 25.5f, 21.0f, 24.0f, kInks[aLook]);
    if (aLook == 2) {
        aCanvas.Disc(x + 25.5f, y + 25.5f, 18.0f, LCanvas::Color {255, 255, 255, 40}, true);
    }
    DrawSymbol(aCanvas, aRow, static_cast<float>(x), static_cast<float>(y), kInks[aLook]);
}

// A menu picture: a tall navy plate framed in brass, lit from the side it opens towards.
void DrawMenu(LCanvas& aCanvas, int aLeft, int aWidth, bool aLitLeft)
{
    const LCanvas::Color light {50, 62, 100, 230};
    const LCanvas::Color dark {18, 28, 52, 230};
    aCanvas.Gradient(aLeft, 0, aWidth, 190, aLitLeft ? light : dark, aLitLeft ? dark : light);
    aCanvas.Frame(aLeft, 0, aWidth, 190, 2, SampleArt::kBrass);
    aCanvas.Line(static_cast<float>(aLeft + aWidth / 2), 12.0f, static_cast<float>(aLeft + aWidth / 2), 178.0f, 1.0f,
                 SampleArt::kBrass);
}

} // namespace

void WriteOverlays(SampleOutput& aOut)
{
    LCanvas menu(256, 256);
    for (int row = 0; row < 5; ++row) {
        for (int look = 0; look < 3; ++look) {
            DrawButton(menu, row, look);
        }
    }
    DrawMenu(menu, 153, 50, false);
    DrawMenu(menu, 204, 51, true);
    aOut.WriteImage("textures/multicursor.tga", menu);

    aOut.WriteImage("textures/subtitleBG.tga", LCanvas(16, 16, SampleArt::kNight));
}
