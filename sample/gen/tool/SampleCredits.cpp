// The three pictures of credits.txt (400 x 300): a magnifying glass, a badge and a street
// at night.
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"

void WriteCredits(SampleOutput& aOut)
{
    LCanvas glass(400, 300);
    glass.Gradient(0, 0, 400, 300, LCanvas::Color {60, 40, 30, 255}, LCanvas::Color {20, 14, 10, 255});
    glass.Line(230, 170, 340, 270, 22.0f, LCanvas::Color {90, 50, 20, 255});
    glass.Ring(170, 120, 70.0f, 86.0f, SampleArt::kBrass);
    glass.Disc(170, 120, 70.0f, LCanvas::Color {170, 200, 230, 70});
    aOut.WriteImage("textures/menu/credits_1.bmp", glass);

    LCanvas badge(400, 300);
    badge.Gradient(0, 0, 400, 300, SampleArt::kNavy, SampleArt::kNight);
    badge.Disc(200, 150, 100.0f, SampleArt::kBrass);
    badge.Ring(200, 150, 84.0f, 90.0f, SampleArt::kInk);
    badge.Triangle(200, 80, 140, 190, 260, 190, SampleArt::kInk);
    badge.Triangle(200, 220, 140, 110, 260, 110, SampleArt::kInk);
    aOut.WriteImage("textures/menu/credits_2.bmp", badge);

    LCanvas street(400, 300);
    street.Gradient(0, 0, 400, 300, LCanvas::Color {30, 20, 60, 255}, LCanvas::Color {90, 50, 60, 255});
    street.Disc(320, 60, 26.0f, SampleArt::kPaper);
    for (int x = 0, i = 0; x < 400; x += 50, ++i) {
        const int height = 90 + (i * 53) % 120;
        street.Fill(x, 300 - height, 46, height, SampleArt::kNight);
        for (int window = 0; window < height / 30; ++window) {
            street.Fill(x + 10 + (window % 2) * 16, 300 - height + 12 + window * 28, 8, 10,
                        LCanvas::Color {250, 210, 110, 255});
        }
    }
    aOut.WriteImage("textures/menu/credits_3.bmp", street);
}
