// The PDA's map of map_layout.txt: the case's area, 248 x 409 (a river winding down a
// field, a road across it), and the location tag, 24 x 24 per state (n, o, x, d, h
// stacked), a ring that is drawn brighter when hovered and pressed.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

#include <cmath>

void WriteMap(SampleOutput& aOut)
{
    LCanvas area(248, 409, LCanvas::Color {96, 132, 80, 255});
    for (int y = 0; y < 409; ++y) {
        const float x = 124.0f + 60.0f * std::sin(static_cast<float>(y) / 60.0f);
        area.Fill(static_cast<int>(x) - 10, y, 20, 1, LCanvas::Color {60, 100, 170, 255});
    }
    area.Fill(0, 200, 248, 8, SampleArt::kGrey);
    area.Frame(0, 0, 248, 409, 2, SampleArt::kInk);
    aOut.WriteImage("textures/pda/map_case1.tga", area);

    const LCanvas::Color rings[] = {SampleArt::kBrass, SampleArt::kPaper, SampleArt::kGrey, LCanvas::kWhite,
                                    SampleArt::kPaper};
    LCanvas tag(24, 24 * 5);
    for (int state = 0; state < 5; ++state) {
        tag.Disc(12.0f, state * 24 + 12.0f, 10.0f, SampleArt::kInk);
        tag.Disc(12.0f, state * 24 + 12.0f, 7.0f, rings[state]);
        tag.Disc(12.0f, state * 24 + 12.0f, 3.0f, LCanvas::Color {200, 40, 40, 255});
    }
    aOut.WriteImage("textures/pda/map_tag.tga", tag);
}
