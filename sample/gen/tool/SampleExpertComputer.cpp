// The expert interview's pictures: the notepad of expert_interview_layout.txt
// (notepad.tga: the 240 x 300 paper, the drag bar's looks n, o, d and the exit button's
// n, o, d, x), the expert computer of interface_layout.txt (computer.tga: the 800 x 600
// screen, the display behind the fields, the person's and the evidence's forms, two lamp
// looks and the scan lines) and the result icons of icons_results.txt (icons.tga).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

namespace {

constexpr LCanvas::Color kScreen {10, 40, 24, 255};
constexpr LCanvas::Color kPhosphor {90, 230, 120, 255};
constexpr LCanvas::Color kCase {70, 74, 80, 255};

void Form(LCanvas& aCanvas, int aX, const char* const* aLabels, const int* aRows, int aCount)
{
    aCanvas.Fill(aX, 600, 240, 160, LCanvas::Color {0, 0, 0, 0});
    aCanvas.Frame(aX, 600, 240, 160, 1, kPhosphor);
    for (int i = 0; i < aCount; ++i) {
        LPixelFont::DrawText(aCanvas, aX + 4, 600 + aRows[i], aLabels[i], 1.0f, 1.0f, kPhosphor);
    }
}

} // namespace

void WriteExpertComputer(SampleOutput& aOut)
{
    LCanvas notepad(256, 512);
    notepad.Fill(0, 0, 240, 300, SampleArt::kPaper);
    notepad.Frame(0, 0, 240, 300, 2, SampleArt::kInk);
    for (int y = 60; y < 260; y += 30) {
        notepad.Fill(8, y, 224, 1, LCanvas::Color {150, 170, 210, 255});
    }
    notepad.Paste(SampleArt::Button("NOTES", 240, 20, "nod"), 0, 304);
    notepad.Paste(SampleArt::Button("EXIT", 64, 24, "nodx"), 0, 368);
    aOut.WriteImage("textures/interview/notepad.tga", notepad);

    LCanvas computer(1024, 1024);
    computer.Gradient(0, 0, 800, 600, kCase, SampleArt::kNight);
    computer.Fill(240, 170, 520, 300, kScreen);
    computer.Frame(240, 170, 520, 300, 3, SampleArt::kGrey);
    LPixelFont::DrawText(computer, 250, 180, "LAB RESULTS", 1.0f, 1.0f, kPhosphor);
    // The display behind the fields, and the two forms laid over it.
    computer.Fill(0, 600, 240, 160, LCanvas::Color {16, 60, 34, 255});
    const char* const person[] = {"NAME", "AGE", "WORK"};
    const int personRows[] = {2, 54, 103};
    Form(computer, 240, person, personRows, 3);
    const char* const evidence[] = {"ITEM", "FOUND"};
    const int evidenceRows[] = {1, 78};
    Form(computer, 480, evidence, evidenceRows, 2);
    // A lamp off and on.
    computer.Disc(727.5f, 607.5f, 7.0f, LCanvas::Color {40, 90, 50, 255});
    computer.Disc(743.5f, 607.5f, 7.0f, kPhosphor, true);
    for (int y = 800; y < 960; y += 4) {
        computer.Fill(0, y, 200, 1, LCanvas::Color {90, 230, 120, 90});
    }
    aOut.WriteImage("textures/expertcomputer/computer.tga", computer);

    LCanvas icons(256, 128);
    // The glove: a palm and four fingers; the witness: a head and shoulders.
    icons.Fill(0, 0, 101, 61, kScreen);
    icons.Fill(32, 28, 40, 28, kPhosphor);
    for (int finger = 0; finger < 4; ++finger) {
        icons.Fill(32 + finger * 10, 6, 8, 24, kPhosphor);
    }
    icons.Fill(128, 0, 80, 120, kScreen);
    icons.Disc(168.0f, 40.0f, 20.0f, kPhosphor);
    icons.Fill(138, 70, 60, 50, kPhosphor);
    aOut.WriteImage("textures/expertcomputer/icons.tga", icons);
}
