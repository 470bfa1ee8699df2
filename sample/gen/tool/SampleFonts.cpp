// The five raster fonts of fonts.txt: every printable ASCII character in the marker-row
// layout, with a row height of the size in the font's name plus the marker row.
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteFonts(SampleOutput& aOut)
{
    struct Font
    {
        const char* mFile;
        int mSize;
    };
    constexpr Font kFonts[] = {
        {"tw_cen_mt16.tga", 16}, {"twcenmt14white.tga", 14}, {"comic18.tga", 18},
        {"frizquadrata24.tga", 24}, {"tahoma10.tga", 10},
    };
    for (const Font& font : kFonts) {
        aOut.WriteImage(std::string("textures/fonts/") + font.mFile,
                        LPixelFont::Atlas(font.mSize + 1, 256, LCanvas::kWhite));
    }
}
