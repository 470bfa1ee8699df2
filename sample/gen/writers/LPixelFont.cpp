#include "writers/LPixelFont.h"

#include <algorithm>
#include <cmath>

namespace {

// One glyph per character from the space (code 32) to the tilde (code 126): nine rows of
// five columns, '#' inked.
const char* const kGlyphs[95] = {
    ".....|.....|.....|.....|.....|.....|.....|.....|.....", // space
    "..#..|..#..|..#..|..#..|..#..|.....|..#..|.....|.....", // !
    ".#.#.|.#.#.|.....|.....|.....|.....|.....|.....|.....", // "
    ".#.#.|#####|.#.#.|.#.#.|#####|.#.#.|.....|.....|.....", // #
    "..#..|.####|#.#..|.###.|..#.#|####.|..#..|.....|.....", // $
    "##..#|##.#.|...#.|..#..|.#...|.#.##|#..##|.....|.....", // %
    ".##..|#..#.|.##..|.#...|#.#.#|#..#.|.##.#|.....|.....", // &
    "..#..|..#..|.....|.....|.....|.....|.....|.....|.....", // '
    "...#.|..#..|.#...|.#...|.#...|..#..|...#.|.....|.....", // (
    ".#...|..#..|...#.|...#.|...#.|..#..|.#...|.....|.....", // )
    ".....|..#..|#.#.#|.###.|#.#.#|..#..|.....|.....|.....", // *
    ".....|..#..|..#..|#####|..#..|..#..|.....|.....|.....", // +
    ".....|.....|.....|.....|.....|..#..|..#..|.#...|.....", // ,
    ".....|.....|.....|#####|.....|.....|.....|.....|.....", // -
    ".....|.....|.....|.....|.....|.....|..#..|.....|.....", // .
    "....#|...#.|...#.|..#..|.#...|.#...|#....|.....|.....", // /
    ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.|.....|.....", // 0
    "..#..|.##..|..#..|..#..|..#..|..#..|.###.|.....|.....", // 1
    ".###.|#...#|....#|...#.|..#..|.#...|#####|.....|.....", // 2
    "#####|...#.|..#..|...#.|....#|#...#|.###.|.....|.....", // 3
    "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.|.....|.....", // 4
    "#####|#....|####.|....#|....#|#...#|.###.|.....|.....", // 5
    "..##.|.#...|#....|####.|#...#|#...#|.###.|.....|.....", // 6
    "#####|....#|...#.|..#..|.#...|.#...|.#...|.....|.....", // 7
    ".###.|#...#|#...#|.###.|#...#|#...#|.###.|.....|.....", // 8
    ".###.|#...#|#...#|.####|....#|...#.|.##..|.....|.....", // 9
    ".....|.....|..#..|.....|.....|..#..|.....|.....|.....", // :
    ".....|.....|..#..|.....|.....|..#..|..#..|.#...|.....", // ;
    "...#.|..#..|.#...|#....|.#...|..#..|...#.|.....|.....", // <
    ".....|.....|#####|.....|#####|.....|.....|.....|.....", // =
    ".#...|..#..|...#.|....#|...#.|..#..|.#...|.....|.....", // >
    ".###.|#...#|....#|...#.|..#..|.....|..#..|.....|.....", // ?
    ".###.|#...#|#.###|#.#.#|#.###|#....|.###.|.....|.....", // @
    ".###.|#...#|#...#|#####|#...#|#...#|#...#|.....|.....", // A
    "####.|#...#|#...#|####.|#...#|#...#|####.|.....|.....", // B
    ".###.|#...#|#....|#....|#....|#...#|.###.|.....|.....", // C
    "###..|#..#.|#...#|#...#|#...#|#..#.|###..|.....|.....", // D
    "#####|#....|#....|####.|#....|#....|#####|.....|.....", // E
    "#####|#....|#....|####.|#....|#....|#....|.....|.....", // F
    ".###.|#...#|#....|#.###|#...#|#...#|.####|.....|.....", // G
    "#...#|#...#|#...#|#####|#...#|#...#|#...#|.....|.....", // H
    ".###.|..#..|..#..|..#..|..#..|..#..|.###.|.....|.....", // I
    "..###|...#.|...#.|...#.|...#.|#..#.|.##..|.....|.....", // J
    "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#|.....|.....", // K
    "#....|#....|#....|#....|#....|#....|#####|.....|.....", // L
    "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#|.....|.....", // M
    "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#|.....|.....", // N
    ".###.|#...#|#...#|#...#|#...#|#...#|.###.|.....|.....", // O
    "####.|#...#|#...#|####.|#....|#....|#....|.....|.....", // P
    ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#|.....|.....", // Q
    "####.|#...#|#...#|####.|#.#..|#..#.|#...#|.....|.....", // R
    ".####|#....|#....|.###.|....#|....#|####.|.....|.....", // S
    "#####|..#..|..#..|..#..|..#..|..#..|..#..|.....|.....", // T
    "#...#|#...#|#...#|#...#|#...#|#...#|.###.|.....|.....", // U
    "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..|.....|.....", // V
    "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.|.....|.....", // W
    "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#|.....|.....", // X
    "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..|.....|.....", // Y
    "#####|....#|...#.|..#..|.#...|#....|#####|.....|.....", // Z
    ".###.|.#...|.#...|.#...|.#...|.#...|.###.|.....|.....", // [
    "#....|.#...|.#...|..#..|...#.|...#.|....#|.....|.....", // backslash
    ".###.|...#.|...#.|...#.|...#.|...#.|.###.|.....|.....", // ]
    "..#..|.#.#.|#...#|.....|.....|.....|.....|.....|.....", // ^
    ".....|.....|.....|.....|.....|.....|.....|#####|.....", // _
    ".#...|..#..|.....|.....|.....|.....|.....|.....|.....", // `
    ".....|.....|.###.|....#|.####|#...#|.####|.....|.....", // a
    "#....|#....|####.|#...#|#...#|#...#|####.|.....|.....", // b
    ".....|.....|.###.|#....|#....|#...#|.###.|.....|.....", // c
    "....#|....#|.####|#...#|#...#|#...#|.####|.....|.....", // d
    ".....|.....|.###.|#...#|#####|#....|.###.|.....|.....", // e
    "..##.|.#..#|.#...|###..|.#...|.#...|.#...|.....|.....", // f
    ".....|.....|.####|#...#|#...#|#...#|.####|....#|.###.", // g
    "#....|#....|#.##.|##..#|#...#|#...#|#...#|.....|.....", // h
    "..#..|.....|.##..|..#..|..#..|..#..|.###.|.....|.....", // i
    "...#.|.....|..##.|...#.|...#.|...#.|...#.|#..#.|.##..", // j
    "#....|#....|#..#.|#.#..|##...|#.#..|#..#.|.....|.....", // k
    ".##..|..#..|..#..|..#..|..#..|..#..|.###.|.....|.....", // l
    ".....|.....|##.#.|#.#.#|#.#.#|#...#|#...#|.....|.....", // m
    ".....|.....|#.##.|##..#|#...#|#...#|#...#|.....|.....", // n
    ".....|.....|.###.|#...#|#...#|#...#|.###.|.....|.....", // o
    ".....|.....|####.|#...#|#...#|#...#|####.|#....|#....", // p
    ".....|.....|.####|#...#|#...#|#...#|.####|....#|....#", // q
    ".....|.....|#.##.|##..#|#....|#....|#....|.....|.....", // r
    ".....|.....|.####|#....|.###.|....#|####.|.....|.....", // s
    ".#...|.#...|###..|.#...|.#...|.#..#|..##.|.....|.....", // t
    ".....|.....|#...#|#...#|#...#|#..##|.##.#|.....|.....", // u
    ".....|.....|#...#|#...#|#...#|.#.#.|..#..|.....|.....", // v
    ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#.|.....|.....", // w
    ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#|.....|.....", // x
    ".....|.....|#...#|#...#|#...#|#...#|.####|....#|.###.", // y
    ".....|.....|#####|...#.|..#..|.#...|#####|.....|.....", // z
    "...#.|..#..|..#..|.#...|..#..|..#..|...#.|.....|.....", // {
    "..#..|..#..|..#..|..#..|..#..|..#..|..#..|.....|.....", // |
    ".#...|..#..|..#..|...#.|..#..|..#..|.#...|.....|.....", // }
    ".....|.....|.#...|#.#.#|...#.|.....|.....|.....|.....", // ~
};

const char* Glyph(char aChar)
{
    const int code = static_cast<unsigned char>(aChar);
    return code >= 32 && code <= 126 ? kGlyphs[code - 32] : nullptr;
}

// The first and last inked columns; the space spans three empty columns.
void Extent(char aChar, int& aFirst, int& aLast)
{
    aFirst = LPixelFont::kColumns;
    aLast = -1;
    for (int column = 0; column < LPixelFont::kColumns; ++column) {
        for (int row = 0; row < LPixelFont::kRows; ++row) {
            if (LPixelFont::Ink(aChar, column, row)) {
                aFirst = std::min(aFirst, column);
                aLast = std::max(aLast, column);
            }
        }
    }
    if (aLast < 0) {
        aFirst = 0;
        aLast = 2;
    }
}

int Scaled(int aCount, float aScale)
{
    return std::max(1, static_cast<int>(std::lround(aCount * aScale)));
}

} // namespace

std::string LPixelFont::Characters()
{
    std::string characters;
    for (int code = 32; code <= 126; ++code) {
        characters += static_cast<char>(code);
    }
    return characters;
}

bool LPixelFont::Ink(char aChar, int aColumn, int aRow)
{
    const char* glyph = Glyph(aChar);
    if (glyph == nullptr || aColumn < 0 || aColumn >= kColumns || aRow < 0 || aRow >= kRows) {
        return false;
    }
    return glyph[aRow * (kColumns + 1) + aColumn] == '#';
}

int LPixelFont::GlyphWidth(char aChar, float aScaleX)
{
    int first = 0;
    int last = 0;
    Extent(aChar, first, last);
    return Scaled(last - first + 1, aScaleX);
}

int LPixelFont::Advance(char aChar, float aScaleX)
{
    return GlyphWidth(aChar, aScaleX) + Scaled(1, aScaleX);
}

int LPixelFont::TextWidth(const std::string& aText, float aScaleX)
{
    int width = 0;
    for (char c : aText) {
        width += Advance(c, aScaleX);
    }
    return width;
}

int LPixelFont::DrawChar(LCanvas& aCanvas, int aX, int aY, char aChar, float aScaleX, float aScaleY,
                         LCanvas::Color aColor)
{
    int first = 0;
    int last = 0;
    Extent(aChar, first, last);
    const int width = GlyphWidth(aChar, aScaleX);
    const int height = Scaled(kRows, aScaleY);
    for (int y = 0; y < height; ++y) {
        const int row = std::min(kRows - 1, static_cast<int>(y / aScaleY));
        for (int x = 0; x < width; ++x) {
            const int column = std::min(last, first + static_cast<int>(x / aScaleX));
            if (Ink(aChar, column, row)) {
                aCanvas.Blend(aX + x, aY + y, aColor);
            }
        }
    }
    return aX + Advance(aChar, aScaleX);
}

int LPixelFont::DrawText(LCanvas& aCanvas, int aX, int aY, const std::string& aText, float aScaleX,
                         float aScaleY, LCanvas::Color aColor)
{
    for (char c : aText) {
        aX = DrawChar(aCanvas, aX, aY, c, aScaleX, aScaleY, aColor);
    }
    return aX;
}

void LPixelFont::DrawCentered(LCanvas& aCanvas, int aCenterX, int aY, const std::string& aText, float aScaleX,
                              float aScaleY, LCanvas::Color aColor)
{
    DrawText(aCanvas, aCenterX - TextWidth(aText, aScaleX) / 2, aY, aText, aScaleX, aScaleY, aColor);
}

int LPixelFont::AtlasRowHeight(int aSize)
{
    return std::max(aSize + 1, kRows + 2);
}

float LPixelFont::AtlasScaleY(int aRowHeight)
{
    // The glyph rows less one row of space above the letters.
    return std::max(1.0f, static_cast<float>(aRowHeight - 2) / kRows);
}

float LPixelFont::AtlasScaleX(int aRowHeight)
{
    return std::max(1.0f, AtlasScaleY(aRowHeight) * 0.8f);
}

LCanvas LPixelFont::Atlas(int aRowHeight, int aWidth, LCanvas::Color aColor)
{
    const float scaleX = AtlasScaleX(aRowHeight);
    const float scaleY = AtlasScaleY(aRowHeight);
    const std::string characters = Characters();
    // First pass: how many bands the characters need.
    int bands = 1;
    int x = 0;
    for (char c : characters) {
        const int cell = Advance(c, scaleX) + 3;
        if (x + cell > aWidth) {
            ++bands;
            x = 0;
        }
        x += cell;
    }
    LCanvas atlas(aWidth, bands * aRowHeight);
    int band = 0;
    x = 0;
    for (char c : characters) {
        const int advance = Advance(c, scaleX);
        if (x + advance + 3 > aWidth) {
            ++band;
            x = 0;
        }
        const int top = band * aRowHeight;
        atlas.Set(x, top, LCanvas::kBlack);
        atlas.Fill(x + 1, top, advance, 1, LCanvas::kWhite);
        atlas.Set(x + 1 + advance, top, LCanvas::kBlack);
        // The pixel after the closing one stays transparent: the scan skips it.
        DrawChar(atlas, x + 1, top + 2, c, scaleX, scaleY, aColor);
        x += advance + 3;
    }
    return atlas;
}
