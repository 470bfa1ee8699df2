// The inventory pictures of inventory_items.txt: four 64 x 64 cells side by side, a
// badge, a notebook, a glove (the glove's crime-lab result shares its picture) and the
// cigar band put together.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

void WriteInventoryItems(SampleOutput& aOut)
{
    LCanvas items(256, 64);
    // Badge: a brass shield with a star.
    items.Disc(32, 30, 24.0f, SampleArt::kBrass);
    items.Ring(32, 30, 20.0f, 22.0f, SampleArt::kInk);
    items.Triangle(32, 14, 22, 38, 42, 38, SampleArt::kInk);
    items.Triangle(32, 44, 22, 22, 42, 22, SampleArt::kInk);
    // Notebook: a cover, its pages and a band.
    items.Fill(64 + 12, 6, 40, 52, LCanvas::Color {120, 30, 30, 255});
    items.Fill(64 + 16, 8, 34, 48, SampleArt::kPaper);
    for (int line = 0; line < 8; ++line) {
        items.Fill(64 + 20, 14 + line * 5, 26, 1, LCanvas::Color {150, 160, 200, 255});
    }
    items.Fill(64 + 40, 6, 3, 52, LCanvas::Color {60, 20, 20, 255});
    // Glove: a palm and four fingers.
    const LCanvas::Color leather {150, 100, 60, 255};
    items.Fill(128 + 16, 28, 30, 30, leather);
    for (int finger = 0; finger < 4; ++finger) {
        items.Fill(128 + 17 + finger * 7, 8 + (finger == 0 || finger == 3 ? 6 : 0), 6, 22, leather);
    }
    items.Fill(128 + 6, 30, 10, 8, leather);
    items.Frame(128 + 14, 52, 34, 8, 2, SampleArt::kInk);
    // Cigar band: a red ring with a brass stripe.
    items.Fill(192 + 6, 20, 52, 24, LCanvas::Color {150, 28, 30, 255});
    items.Fill(192 + 6, 28, 52, 8, SampleArt::kBrass);
    items.Frame(192 + 6, 20, 52, 24, 1, SampleArt::kInk);
    aOut.WriteImage("textures/pda/inventory/items.tga", items);
}
