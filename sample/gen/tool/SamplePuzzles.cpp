// The puzzle screens' pictures: for the cigar bands a table top and the seven torn pieces
// of puzzle_cigarband_layout.txt, 60 x 48 each and 64 pixels apart in one atlas. The five
// band pieces share one band (red with a brass stripe, each with its own mark, so the
// order shows); the two loose pieces belong to a green band.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

namespace {

constexpr int kPieceWidth = 60;
constexpr int kPieceHeight = 48;
constexpr int kPieceSpacing = 64;

void DrawPiece(LCanvas& aAtlas, int aIndex, LCanvas::Color aBand, int aMarks)
{
    const int left = aIndex * kPieceSpacing;
    aAtlas.Fill(left, 0, kPieceWidth, kPieceHeight, aBand);
    aAtlas.Fill(left, 18, kPieceWidth, 12, SampleArt::kBrass);
    for (int mark = 0; mark < aMarks; ++mark) {
        aAtlas.Disc(static_cast<float>(left + 10 + mark * 10), 24.0f, 3.0f, SampleArt::kInk);
    }
    // The torn edges: a ragged light line down each side.
    for (int y = 0; y < kPieceHeight; y += 4) {
        aAtlas.Fill(left + (y / 4) % 2, y, 2, 3, SampleArt::kPaper);
        aAtlas.Fill(left + kPieceWidth - 2 - (y / 4) % 2, y, 2, 3, SampleArt::kPaper);
    }
}

} // namespace

void WritePuzzles(SampleOutput& aOut)
{
    LCanvas table = SampleArt::Background("", LCanvas::Color {92, 60, 36, 255}, LCanvas::Color {60, 38, 22, 255});
    for (int y = 40; y < 600; y += 56) {
        table.Fill(20, y, 760, 1, LCanvas::Color {50, 30, 18, 255});
    }
    aOut.WriteImage("textures/puzzles/cigar_bands/table.bmp", table);

    LCanvas pieces(512, 64);
    const LCanvas::Color red {150, 28, 30, 255};
    const LCanvas::Color green {30, 110, 60, 255};
    for (int i = 0; i < 5; ++i) {
        DrawPiece(pieces, i, red, i + 1);
    }
    DrawPiece(pieces, 5, green, 1);
    DrawPiece(pieces, 6, green, 2);
    aOut.WriteImage("textures/puzzles/cigar_bands/pieces.tga", pieces);
    WriteMonetBox(aOut);
    WriteSurveillanceTapes(aOut);
    WriteRoomService(aOut);
    WriteBaseballBat(aOut);
    WritePCDesktop(aOut);
    WriteHarp(aOut);
}
