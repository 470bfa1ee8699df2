// The pictures of the sample's close-ups: riverbank's drawer (scenes/case01/riverbank/
// sample_drawer_cu.bmp, 800 x 600: an open wooden drawer seen from above) and the bus
// ticket lying in it (sample_drawer_ticket.bmp, 160 x 90), which its hotspot gives and
// which then vanishes.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

namespace {

constexpr LCanvas::Color kWood {112, 72, 40, 255};
constexpr LCanvas::Color kDarkWood {64, 38, 20, 255};
constexpr LCanvas::Color kFloor {150, 104, 62, 255};

} // namespace

void WriteCloseUps(SampleOutput& aOut)
{
    LCanvas drawer(800, 600, SampleArt::kNight);
    // The drawer's sides, then its floor, lit from the top.
    drawer.Fill(120, 80, 560, 460, kDarkWood);
    drawer.Gradient(160, 120, 480, 380, kFloor, kWood);
    drawer.Frame(120, 80, 560, 460, 12, kWood);
    // The handle on the front edge.
    drawer.Fill(360, 548, 80, 14, SampleArt::kBrass);
    aOut.WriteImage("scenes/case01/riverbank/sample_drawer_cu.bmp", drawer);

    LCanvas ticket(160, 90, SampleArt::kPaper);
    ticket.Frame(0, 0, 160, 90, 3, SampleArt::kInk);
    for (int row = 0; row < 4; ++row) {
        ticket.Fill(14, 16 + row * 16, 100 - row * 14, 5, SampleArt::kInk);
    }
    aOut.WriteImage("scenes/case01/riverbank/sample_drawer_ticket.bmp", ticket);
}
