// The room-service receipt's pictures for receipt_layout.txt: a hotel table and the
// receipt, 300 x 200, printed across its whole width so that the three strips of 100
// pixels read as one only side by side.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

void WriteRoomService(SampleOutput& aOut)
{
    LCanvas table = SampleArt::Background("", LCanvas::Color {120, 90, 70, 255}, LCanvas::Color {80, 56, 44, 255});
    aOut.WriteImage("textures/puzzles/roomservice_receipt/table.bmp", table);

    LCanvas receipt(300, 200, SampleArt::kPaper);
    LPixelFont::DrawCentered(receipt, 150, 10, "ROOM SERVICE", 2.0f, 2.0f, SampleArt::kInk);
    const char* lines[] = {"ROOM 214   22:40", "CLUB SANDWICH      9.50", "COFFEE, 2 CUPS     4.00",
                           "SIGNED: -----------"};
    for (int i = 0; i < 4; ++i) {
        LPixelFont::DrawText(receipt, 12, 50 + 30 * i, lines[i], 2.0f, 2.0f, SampleArt::kInk);
    }
    // The tears: a ragged grey edge on both sides of each cut.
    for (int cut = 100; cut < 300; cut += 100) {
        for (int y = 0; y < 200; y += 6) {
            receipt.Fill(cut - 2 + (y / 6) % 3, y, 2, 4, SampleArt::kGrey);
        }
    }
    aOut.WriteImage("textures/puzzles/roomservice_receipt/receipt.tga", receipt);
}
