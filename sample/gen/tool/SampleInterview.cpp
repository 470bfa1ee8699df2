// The interview panel's pictures of interview_layout.txt: the meter's two fill textures
// (flat colours: the meter's pieces are drawn without texture coordinates), its sprites
// side by side in meter.tga (bg, top, redglow, greenglow, 64 x 64 each, centred on the
// meter's position), and the topic scroll bar in scrollbar.tga (the 16 x 190 track, then
// the arrows' and the bar's looks n, o, d, x stacked), and the topic buttons' pieces in
// topicbutton.tga with the expert topics' checkmark and hourglass below them.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

namespace {

constexpr LCanvas::Color kGood {70, 200, 90, 255};
constexpr LCanvas::Color kBad {210, 60, 50, 255};

void Arrow(LCanvas& aCanvas, int aX, int aTop, bool aUp, LCanvas::Color aFace)
{
    aCanvas.Fill(aX, aTop, 16, 16, aFace);
    aCanvas.Frame(aX, aTop, 16, 16, 1, SampleArt::kBrass);
    const float tip = aUp ? aTop + 4.0f : aTop + 12.0f;
    const float base = aUp ? aTop + 11.0f : aTop + 5.0f;
    aCanvas.Triangle(aX + 8.0f, tip, aX + 3.5f, base, aX + 12.5f, base, SampleArt::kPaper);
}

} // namespace

void WriteInterview(SampleOutput& aOut)
{
    aOut.WriteImage("textures/interview/meter_good.tga", LCanvas(8, 8, kGood));
    aOut.WriteImage("textures/interview/meter_bad.tga", LCanvas(8, 8, kBad));

    LCanvas meter(256, 64);
    meter.Disc(32.0f, 32.0f, 31.0f, SampleArt::kNavy);
    // The top leaves the ring and the disc open: a brass rim, a thin line between the
    // two and a hub.
    meter.Ring(96.0f, 32.0f, 29.5f, 31.5f, SampleArt::kBrass);
    meter.Ring(96.0f, 32.0f, 20.0f, 21.5f, SampleArt::kBrass);
    meter.Disc(96.0f, 32.0f, 3.0f, SampleArt::kBrass);
    meter.Ring(160.0f, 32.0f, 19.5f, 31.5f, LCanvas::Color {255, 70, 50, 150});
    meter.Ring(224.0f, 32.0f, 19.5f, 31.5f, LCanvas::Color {90, 255, 110, 150});
    aOut.WriteImage("textures/interview/meter.tga", meter);

    LCanvas bar(64, 256);
    bar.Fill(0, 0, 16, 190, SampleArt::kNight);
    bar.Frame(0, 0, 16, 190, 1, SampleArt::kGrey);
    const LCanvas::Color faces[] = {SampleArt::kNavy, LCanvas::Color {40, 56, 100, 255}, SampleArt::kNight,
                                    SampleArt::kGrey};
    for (int state = 0; state < 4; ++state) {
        Arrow(bar, 16, state * 16, true, faces[state]);
        Arrow(bar, 32, state * 16, false, faces[state]);
        bar.Fill(48, state * 22, 16, 22, faces[state]);
        bar.Frame(48, state * 22, 16, 22, 1, SampleArt::kBrass);
    }
    aOut.WriteImage("textures/interview/scrollbar.tga", bar);

    LCanvas panel(512, 512);
    panel.Gradient(0, 0, 380, 300, SampleArt::kNavy, SampleArt::kNight);
    panel.Frame(0, 0, 380, 300, 2, SampleArt::kBrass);
    LPixelFont::DrawText(panel, 14, 30, "TOPICS", 1.0f, 1.0f, SampleArt::kBrass);
    panel.Paste(SampleArt::Button("INTERVIEW", 380, 20, "nod"), 0, 304);
    panel.Paste(SampleArt::Button("EXIT", 64, 24, "nodx"), 0, 368);
    aOut.WriteImage("textures/interview/interface.tga", panel);

    // The modes by their initials: confront, deceive, flatter, straight, empathise.
    LCanvas modes(256, 256);
    const char* const initials[] = {"C", "D", "F", "S", "E"};
    for (int mode = 0; mode < 5; ++mode) {
        modes.Paste(SampleArt::Button(initials[mode], 40, 40, "nodx"), mode * 40, 0);
    }
    aOut.WriteImage("textures/interview/modes.tga", modes);

    // The topic buttons: rows of 24 pixels for the looks n, o, h, x; each row a left cap
    // (0 to 7), a middle piece (8 to 18) and a right cap (24 to 31).
    LCanvas topics(32, 128);
    const LCanvas::Color looks[] = {SampleArt::kNavy, LCanvas::Color {40, 56, 100, 255},
                                    LCanvas::Color {90, 74, 40, 255}, SampleArt::kNight};
    for (int look = 0; look < 4; ++look) {
        const int top = look * 24;
        topics.Fill(0, top, 32, 24, looks[look]);
        topics.Fill(0, top, 32, 1, SampleArt::kBrass);
        topics.Fill(0, top + 23, 32, 1, SampleArt::kBrass);
        topics.Fill(0, top, 1, 24, SampleArt::kBrass);
        topics.Fill(31, top, 1, 24, SampleArt::kBrass);
    }
    // Below them the expert topics' marks, 12 x 12: the checkmark, then the hourglass.
    topics.Line(2.0f, 102.0f, 5.0f, 106.0f, 2.0f, SampleArt::kBrass);
    topics.Line(5.0f, 106.0f, 10.0f, 97.0f, 2.0f, SampleArt::kBrass);
    topics.Triangle(17.0f, 96.5f, 27.0f, 96.5f, 22.0f, 101.5f, SampleArt::kPaper);
    topics.Triangle(22.0f, 101.5f, 17.0f, 107.5f, 27.0f, 107.5f, SampleArt::kPaper);
    aOut.WriteImage("textures/interview/topicbutton.tga", topics);
}
