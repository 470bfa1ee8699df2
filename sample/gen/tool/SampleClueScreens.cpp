// The pictures of the screens that collect clues and items: the town map with its four
// clue markers (48 x 48, 64 apart in clues.tga), the hotel window's view (the spot where
// the photo belongs, (297, 353), marked faintly) and its polaroid, and the receipt
// lamp with the six halves of the three receipt pieces (60 x 40, 64 apart), and the
// crossword: its clipboard with the 15 x 15 grid (columns from x 187, 26 apart, rows from
// y 28, 25 apart), one cell's highlight and caret, the circle mark and the folded note;
// the word entry's screen (in the expert computer's folder) and its panel.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

namespace {

void WriteMapPuzzle(SampleOutput& aOut)
{
    LCanvas map = SampleArt::Background("", LCanvas::Color {214, 200, 160, 255}, LCanvas::Color {190, 172, 130, 255});
    for (int x = 60; x < 760; x += 90) {
        map.Line(static_cast<float>(x), 40.0f, static_cast<float>(x + 40), 560.0f, 3.0f, SampleArt::kGrey);
    }
    map.Fill(40, 470, 720, 60, LCanvas::Color {90, 140, 190, 255}); // the river
    aOut.WriteImage("textures/puzzles/map_puzzle/map.bmp", map);

    LCanvas clues(256, 64);
    const LCanvas::Color marks[] = {{200, 40, 40, 255}, {40, 120, 200, 255}, {60, 160, 60, 255}, {150, 60, 170, 255}};
    for (int i = 0; i < 4; ++i) {
        clues.Disc(static_cast<float>(i * 64 + 24), 24.0f, 22.0f, marks[i]);
        clues.Disc(static_cast<float>(i * 64 + 24), 24.0f, 8.0f, LCanvas::kWhite);
    }
    aOut.WriteImage("textures/puzzles/map_puzzle/clues.tga", clues);
}

void WriteHotelWindow(SampleOutput& aOut)
{
    LCanvas view = SampleArt::Background("", LCanvas::Color {120, 160, 210, 255}, LCanvas::Color {60, 70, 90, 255});
    view.Fill(180, 260, 260, 200, LCanvas::Color {90, 80, 70, 255}); // the building across the street
    view.Frame(287, 343, 20, 20, 1, LCanvas::Color {200, 200, 200, 120});
    aOut.WriteImage("textures/puzzles/hotel_window/view.bmp", view);

    LCanvas polaroid(64, 64);
    polaroid.Fill(0, 0, 56, 64, LCanvas::kWhite);
    polaroid.Fill(4, 4, 48, 44, LCanvas::Color {90, 80, 70, 255});
    aOut.WriteImage("textures/puzzles/hotel_window/polaroid.tga", polaroid);
}

void WriteReceipt(SampleOutput& aOut)
{
    LCanvas lamp = SampleArt::Background("", LCanvas::Color {30, 30, 40, 255}, LCanvas::Color {10, 10, 14, 255});
    lamp.Disc(400.0f, 300.0f, 200.0f, LCanvas::Color {250, 240, 200, 255}, true);
    aOut.WriteImage("textures/puzzles/receipt/lamp.bmp", lamp);

    LCanvas pieces(512, 64);
    for (int i = 0; i < 6; ++i) {
        pieces.Fill(i * 64, 0, 60, 40, SampleArt::kPaper);
        for (int line = 0; line < 3; ++line) {
            pieces.Fill(i * 64 + 6, 8 + line * 10, 40 - line * 8, 3, SampleArt::kInk);
        }
    }
    aOut.WriteImage("textures/puzzles/receipt/pieces.tga", pieces);
}

void WriteCrossword(SampleOutput& aOut)
{
    LCanvas board = SampleArt::Background("", LCanvas::Color {150, 120, 80, 255}, LCanvas::Color {120, 90, 60, 255});
    board.Fill(170, 15, 420, 410, SampleArt::kPaper);
    for (int r = 0; r < 15; ++r) {
        for (int c = 0; c < 15; ++c) {
            board.Frame(187 + 26 * c, 28 + 25 * r, 26, 25, 1, SampleArt::kInk);
        }
    }
    aOut.WriteImage("textures/puzzles/crossword/crossword.bmp", board);

    LCanvas parts(128, 128);
    parts.Fill(0, 0, 26, 25, LCanvas::Color {250, 220, 40, 255});
    parts.Frame(32, 0, 26, 25, 2, LCanvas::Color {200, 30, 30, 255});
    parts.Ring(40.0f, 52.0f, 16.0f, 19.0f, LCanvas::Color {200, 30, 30, 255});
    aOut.WriteImage("textures/puzzles/crossword/parts.tga", parts);

    LCanvas fold(300, 200);
    fold.Fill(0, 0, 300, 200, SampleArt::kPaper);
    fold.Line(0.0f, 0.0f, 300.0f, 200.0f, 2.0f, SampleArt::kGrey);
    for (int line = 0; line < 5; ++line) {
        fold.Fill(30, 40 + line * 25, 200 - line * 20, 3, SampleArt::kInk);
    }
    aOut.WriteImage("textures/puzzles/crossword/fold.tga", fold);
}

void WriteQuintarn(SampleOutput& aOut)
{
    LCanvas screen = SampleArt::Background("", LCanvas::Color {20, 40, 60, 255}, LCanvas::Color {10, 20, 30, 255});
    aOut.WriteImage("textures/expertcomputer/quintarn_screen.bmp", screen);
    // The word panel at easy (with a hint line) and otherwise, the field's over look, its
    // mark.
    LCanvas panel(512, 256);
    panel.Fill(0, 0, 400, 100, LCanvas::Color {30, 60, 90, 255});
    panel.Fill(10, 80, 200, 8, SampleArt::kBrass);
    panel.Fill(0, 100, 400, 100, LCanvas::Color {30, 60, 90, 255});
    panel.Frame(400, 40, 40, 40, 2, LCanvas::kWhite);
    panel.Frame(440, 0, 40, 40, 3, SampleArt::kBrass);
    aOut.WriteImage("textures/puzzles/quintarn/panel.tga", panel);
}

} // namespace

void WriteClueScreens(SampleOutput& aOut)
{
    WriteMapPuzzle(aOut);
    if (!aOut.Failed()) {
        WriteHotelWindow(aOut);
    }
    if (!aOut.Failed()) {
        WriteReceipt(aOut);
    }
    if (!aOut.Failed()) {
        WriteCrossword(aOut);
    }
    if (!aOut.Failed()) {
        WriteQuintarn(aOut);
    }
}
