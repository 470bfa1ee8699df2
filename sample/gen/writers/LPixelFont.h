// The sample generator's own pixel font: the 95 printable ASCII characters drawn on a grid
// of 5 columns by 9 rows (7 rows above the base line, 2 below), scaled by nearest
// neighbour to any size. It letters the buttons and pictures, and makes the raster font
// atlases in the marker-row layout the font loader scans: each band of a row height
// starts with a marker row in which every glyph has an opaque black pixel, a run of opaque
// white pixels as wide as its advance, an opaque black pixel and a transparent gap.
#pragma once
#include "writers/LCanvas.h"

#include <string>

class LPixelFont
{
public:
    static constexpr int kColumns = 5;
    static constexpr int kRows = 9;

    // The 95 characters from the space to the tilde, in code order.
    static std::string Characters();
    // True when the design grid of aChar is inked at (aColumn, aRow); false for any other
    // character.
    static bool Ink(char aChar, int aColumn, int aRow);

    // The inked width of aChar in pixels at horizontal scale aScaleX (the space counts 3
    // columns).
    static int GlyphWidth(char aChar, float aScaleX);
    // The glyph's width plus the gap to the next one.
    static int Advance(char aChar, float aScaleX);
    static int TextWidth(const std::string& aText, float aScaleX);

    // Draws aChar (aText) with the top of its grid at aY; returns the pen's new x.
    static int DrawChar(LCanvas& aCanvas, int aX, int aY, char aChar, float aScaleX, float aScaleY,
                        LCanvas::Color aColor);
    static int DrawText(LCanvas& aCanvas, int aX, int aY, const std::string& aText, float aScaleX,
                        float aScaleY, LCanvas::Color aColor);
    // Draws aText centred on aCenterX.
    static void DrawCentered(LCanvas& aCanvas, int aCenterX, int aY, const std::string& aText,
                             float aScaleX, float aScaleY, LCanvas::Color aColor);

    // An atlas of every character in bands of aRowHeight rows (a marker row and the glyph
    // rows below it), aWidth pixels wide, glyphs of aColor on transparency, scaled to fill
    // the glyph rows.
    static LCanvas Atlas(int aRowHeight, int aWidth, LCanvas::Color aColor);
    // The row height of the atlas of a font of aSize pixels: the size and the marker row,
    // and never fewer rows than the blank row and the grid's nine rows below the marker, so
    // that the descenders stay inside the glyph's band.
    static int AtlasRowHeight(int aSize);
    // The scales Atlas uses for a row height.
    static float AtlasScaleY(int aRowHeight);
    static float AtlasScaleX(int aRowHeight);
};
