// Pictures under "//textures" itself: the save field's caret (white.bmp), the location
// card's black (black.tga, 32 x 32, scaled up by the card), the round shadow patch
// (shadow_circle.tga) and the close-ups' back button (back_btn.tga, states n, o, d).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

void WriteCommonTextures(SampleOutput& aOut)
{
    aOut.WriteImage("textures/white.bmp", LCanvas(8, 8, LCanvas::kWhite));
    aOut.WriteImage("textures/black.tga", LCanvas(32, 32, LCanvas::kBlack));
    LCanvas shadow(64, 64);
    shadow.Disc(32, 32, 31.0f, LCanvas::Color {0, 0, 0, 200}, true);
    aOut.WriteImage("textures/shadow_circle.tga", shadow);
    aOut.WriteImage("textures/back_btn.tga", SampleArt::Button("Back", 96, 32, "nod"));
}
