// The raster fonts of fonts.txt: every printable ASCII character in the marker-row
// layout, with a row height of the size in the font's name plus the marker row (more for
// the smallest, whose glyphs need their descenders: LPixelFont::AtlasRowHeight); white
// glyphs, black ones for the tooltips' and the phone's fonts, grey ones for disabled interview
// topics, green ones for the expert computers and blue ones for the phone messages' subtitles.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteFonts(SampleOutput& aOut)
{
    struct Font
    {
        const char* mFile;
        int mSize;
        LCanvas::Color mInk;
    };
    constexpr Font kFonts[] = {
        {"tw_cen_mt16.tga", 16, LCanvas::kWhite},    {"twcenmt14white.tga", 14, LCanvas::kWhite},
        {"comic18.tga", 18, LCanvas::kWhite},        {"frizquadrata24.tga", 24, LCanvas::kWhite},
        {"tahoma10.tga", 10, LCanvas::kWhite},       {"tahoma10black.tga", 10, LCanvas::kBlack},
        {"friz_quad_tt_8.tga", 8, LCanvas::kWhite},  {"friz_quad_tt_8_grey.tga", 8, SampleArt::kGrey},
        {"comic18_blue.tga", 18, LCanvas::Color {40, 70, 200, 255}},
        {"tw_cen_mt16_blue.tga", 16, LCanvas::Color {120, 170, 255, 255}},
        {"ocra18.tga", 18, LCanvas::Color {90, 230, 120, 255}},
        {"cenmt14white.tga", 14, LCanvas::kWhite},   {"cenmt12white.tga", 12, LCanvas::kWhite},
        {"lucindasans10.tga", 10, LCanvas::kBlack},
    };
    for (const Font& font : kFonts) {
        aOut.WriteImage(std::string("textures/fonts/") + font.mFile, LPixelFont::Atlas(LPixelFont::AtlasRowHeight(font.mSize), 256, font.mInk));
    }
}
