// The Monet box's pictures for monet_layout.txt: the box (a dark board of 7 x 7 cells of
// 64 pixels whose closed border is drawn solid and whose four side slots are open) and
// the 25 tiles of one picture, 64 x 64 each, every tile numbered 1 to 25 so that the
// order shows, on a garden of water and lilies painted across the whole picture.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

#include <string>

namespace {

constexpr int kCell = 64;
constexpr int kBoardLeft = 176;
constexpr int kBoardTop = 60;
constexpr int kSize = 7;

bool IsSideSlot(int aRow, int aColumn)
{
    return (aRow == 0 && aColumn == 3) || (aRow == 3 && aColumn == 0) || (aRow == 3 && aColumn == 6) ||
           (aRow == 6 && aColumn == 3);
}

} // namespace

void WriteMonetBox(SampleOutput& aOut)
{
    LCanvas box = SampleArt::Background("", LCanvas::Color {70, 48, 40, 255}, LCanvas::Color {40, 26, 22, 255});
    for (int row = 0; row < kSize; ++row) {
        for (int column = 0; column < kSize; ++column) {
            const bool border = row == 0 || column == 0 || row == kSize - 1 || column == kSize - 1;
            const LCanvas::Color colour = border && !IsSideSlot(row, column) ? LCanvas::Color {110, 80, 50, 255}
                                                                            : LCanvas::Color {20, 14, 12, 255};
            box.Fill(kBoardLeft + column * kCell, kBoardTop + row * kCell, kCell, kCell, colour);
            box.Frame(kBoardLeft + column * kCell, kBoardTop + row * kCell, kCell, kCell, 1, SampleArt::kInk);
        }
    }
    aOut.WriteImage("textures/puzzles/monetbox/box.bmp", box);

    const int side = kCell * 5;
    LCanvas tiles(side, side);
    tiles.Gradient(0, 0, side, side, LCanvas::Color {90, 140, 190, 255}, LCanvas::Color {40, 100, 90, 255});
    for (int i = 0; i < 9; ++i) {
        const float x = 30.0f + static_cast<float>((i * 97) % 260);
        const float y = 40.0f + static_cast<float>((i * 61) % 240);
        tiles.Disc(x, y, 18.0f, LCanvas::Color {60, 130, 70, 255});
        tiles.Disc(x + 4.0f, y - 3.0f, 6.0f, LCanvas::Color {230, 170, 200, 255});
    }
    for (int n = 0; n < 25; ++n) {
        const int left = (n % 5) * kCell;
        const int top = (n / 5) * kCell;
        tiles.Frame(left, top, kCell, kCell, 2, SampleArt::kPaper);
        LPixelFont::DrawCentered(tiles, left + kCell / 2, top + 18, std::to_string(n + 1), 3.0f, 3.0f,
                                 SampleArt::kInk);
    }
    aOut.WriteImage("textures/puzzles/monetbox/monet_tiles.tga", tiles);
}
