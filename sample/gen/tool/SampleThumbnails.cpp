// The save-game thumbnails of thumbs.txt (200 x 150): the precinct's viewpoint, the two
// riverbank viewpoints of case 1, and riverbank_body.bmp, the picture a save falls back on.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

namespace {

LCanvas Thumbnail(LCanvas::Color aSky, LCanvas::Color aGround, const std::string& aCaption)
{
    LCanvas canvas(200, 150);
    canvas.Gradient(0, 0, 200, 90, aSky, LCanvas::Color {200, 200, 210, 255});
    canvas.Gradient(0, 90, 200, 60, aGround, SampleArt::kNight);
    canvas.Frame(0, 0, 200, 150, 2, SampleArt::kBrass);
    LPixelFont::DrawCentered(canvas, 100, 128, aCaption, 1.0f, 1.0f, LCanvas::kWhite);
    return canvas;
}

} // namespace

void WriteThumbnails(SampleOutput& aOut)
{
    LCanvas precinct = Thumbnail(LCanvas::Color {70, 80, 110, 255}, LCanvas::Color {80, 70, 60, 255}, "Precinct");
    precinct.Fill(50, 30, 100, 60, LCanvas::Color {110, 90, 80, 255});
    precinct.Fill(90, 60, 20, 30, SampleArt::kInk);
    aOut.WriteImage("textures/menu/thumbnails/precinct_vp01.bmp", precinct);

    LCanvas river = Thumbnail(LCanvas::Color {90, 130, 180, 255}, LCanvas::Color {40, 90, 120, 255}, "Riverbank");
    river.Fill(0, 100, 200, 12, LCanvas::Color {60, 110, 50, 255});
    aOut.WriteImage("textures/menu/thumbnails/riverbank_vp01.bmp", river);

    LCanvas bridge = Thumbnail(LCanvas::Color {120, 110, 160, 255}, LCanvas::Color {40, 90, 120, 255}, "Bridge");
    bridge.Fill(20, 70, 160, 8, SampleArt::kGrey);
    bridge.Fill(40, 78, 8, 30, SampleArt::kGrey);
    bridge.Fill(152, 78, 8, 30, SampleArt::kGrey);
    aOut.WriteImage("textures/menu/thumbnails/riverbank_vp02.bmp", bridge);

    LCanvas body = Thumbnail(LCanvas::Color {90, 130, 180, 255}, LCanvas::Color {60, 110, 50, 255}, "Riverbank");
    body.Line(70, 110, 130, 104, 8.0f, LCanvas::Color {220, 220, 230, 255});
    aOut.WriteImage("textures/menu/thumbnails/riverbank_body.bmp", body);
}
