// The inventory pictures: the icons of inventory_items.txt, 64 x 64 side by side (a badge,
// a notebook and a glove, whose crime-lab result shares its picture, and the cigar band
// put together; the angler, a pen, a bus ticket and a report of case 1), the lab badges of
// icon_layout.txt, and the panel's cell, glow and category buttons of inventory_layout.txt.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

#include <string>

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

    LCanvas case1(256, 64);
    // Angler: a head, a hat and shoulders.
    case1.Fill(12, 44, 40, 18, LCanvas::Color {60, 90, 60, 255});
    case1.Disc(32, 28, 14.0f, LCanvas::Color {226, 186, 150, 255});
    case1.Fill(14, 12, 36, 6, LCanvas::Color {90, 80, 50, 255});
    // Pen: a dark barrel and a gold nib.
    case1.Line(64 + 12, 52, 64 + 46, 18, 7.0f, SampleArt::kInk);
    case1.Triangle(64 + 46, 18, 64 + 56, 8, 64 + 50, 22, SampleArt::kBrass);
    // Bus ticket: a slip with a punched hole.
    case1.Fill(128 + 6, 20, 52, 26, SampleArt::kPaper);
    case1.Frame(128 + 6, 20, 52, 26, 1, SampleArt::kGrey);
    case1.Disc(128 + 48, 33, 4.0f, SampleArt::kInk);
    // Report: a folder with a label.
    case1.Fill(192 + 8, 10, 48, 46, LCanvas::Color {180, 150, 90, 255});
    case1.Fill(192 + 16, 18, 32, 10, SampleArt::kPaper);
    aOut.WriteImage("textures/pda/inventory/case1_items.tga", case1);

    // Crime lab (red), research (blue), surveillance (green): a disc with a white mark.
    LCanvas badges(96, 32);
    const LCanvas::Color labs[] = {{190, 40, 40, 255}, {40, 80, 190, 255}, {40, 150, 70, 255}};
    for (int lab = 0; lab < 3; ++lab) {
        badges.Disc(lab * 32 + 16.0f, 16.0f, 14.0f, labs[lab]);
        badges.Fill(lab * 32 + 12, 8, 8, 16, LCanvas::Color {250, 250, 250, 255});
    }
    aOut.WriteImage("textures/pda/inventory/lab_badges.tga", badges);

    LCanvas cell(56, 47, LCanvas::Color {120, 140, 112, 255});
    cell.Frame(0, 0, 56, 47, 1, LCanvas::Color {80, 96, 74, 255});
    aOut.WriteImage("textures/pda/inventory_cell.tga", cell);
    LCanvas glow(58, 49);
    glow.Frame(0, 0, 58, 49, 3, LCanvas::Color {255, 230, 120, 200});
    aOut.WriteImage("textures/pda/inventory_glow.tga", glow);
    const char* const categories[][2] = {
        {"witnesses", "Wit"}, {"evidence", "Evi"}, {"documents", "Doc"}, {"reports", "Rep"}};
    for (const auto& category : categories) {
        aOut.WriteImage(std::string("textures/pda/inventory_btn_") + category[0] + ".tga",
                        SampleArt::Button(category[1], 60, 20, "noxdh"));
    }
}
