// The case-selection desk of caseselection_layout.txt: the desk, a case folder (160 x 120)
// shown four times, the buttons case1_select and review1 (160 x 40, states n, o, d, h),
// the back button (96 x 32), the closed stamp (120 x 48) and the ledger page (400 x 500).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteCaseSelection(SampleOutput& aOut)
{
    LCanvas desk = SampleArt::Background("CASES", LCanvas::Color {70, 44, 26, 255}, LCanvas::Color {36, 22, 12, 255});
    for (int y = 90; y < 580; y += 22) {
        desk.Fill(20, y, 760, 1, LCanvas::Color {52, 32, 18, 255});
    }
    aOut.WriteImage("textures/caseselection/desk.bmp", desk);

    LCanvas folder(160, 120);
    folder.Fill(0, 12, 160, 108, LCanvas::Color {196, 160, 100, 255});
    folder.Fill(0, 0, 60, 14, LCanvas::Color {196, 160, 100, 255});
    folder.Frame(0, 12, 160, 108, 2, LCanvas::Color {120, 90, 50, 255});
    folder.Fill(20, 40, 120, 30, SampleArt::kPaper);
    aOut.WriteImage("textures/caseselection/folder.tga", folder);

    aOut.WriteImage("textures/caseselection/case1_select.tga",
                    SampleArt::Button("Case 1", 160, 40, SampleArt::kEngineStates));
    aOut.WriteImage("textures/caseselection/review1.tga",
                    SampleArt::Button("Review", 160, 40, SampleArt::kEngineStates));
    aOut.WriteImage("textures/caseselection/back.tga", SampleArt::Button("Back", 96, 32, "nod"));

    LCanvas stamp(120, 48);
    stamp.Frame(0, 0, 120, 48, 4, LCanvas::Color {190, 30, 30, 230});
    LPixelFont::DrawCentered(stamp, 60, 12, "CLOSED", 2.0f, 2.5f, LCanvas::Color {190, 30, 30, 230});
    aOut.WriteImage("textures/caseselection/closed.tga", stamp);

    LCanvas ledger(400, 500, SampleArt::kPaper);
    ledger.Frame(0, 0, 400, 500, 3, SampleArt::kInk);
    LPixelFont::DrawCentered(ledger, 200, 30, "LEDGER", 3.0f, 3.0f, SampleArt::kInk);
    for (int line = 0; line < 16; ++line) {
        ledger.Fill(30, 110 + line * 22, 340, 1, LCanvas::Color {150, 160, 200, 255});
    }
    aOut.WriteImage("textures/caseselection/ledger.tga", ledger);
}
