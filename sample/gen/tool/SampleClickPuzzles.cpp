// The click puzzles that end in a cut scene: the keypad of the combination lock (a door
// panel, the twelve keys' pressed pictures and the display's ten digits), the chase
// photos (a pin board and seven photos, each button with its normal, over, down and
// disabled looks one above the other) and the PO box (a brass box front, the dial face and
// the dial's turn button); the keypad's opening sound and their cut scenes' movies (their
// voices are among the voice-overs).
#include "SampleArt.h"
#include "SampleContent.h"
#include "SampleOutput.h"
#include "writers/LPixelFont.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

const char* const kKeyLabels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "C", "0", "E"};

void WriteKeypad(SampleOutput& aOut)
{
    LCanvas door = SampleArt::Background("", LCanvas::Color {70, 56, 44, 255}, LCanvas::Color {40, 30, 24, 255});
    door.Fill(270, 100, 260, 420, LCanvas::Color {36, 38, 44, 255});
    door.Frame(270, 100, 260, 420, 3, SampleArt::kGrey);
    door.Fill(286, 118, 228, 48, LCanvas::Color {20, 40, 24, 255});
    for (int key = 0; key < 12; ++key) {
        const int x = 300 + (key % 3) * 70;
        const int y = 200 + (key / 3) * 70;
        door.Fill(x, y, 60, 48, SampleArt::kGrey);
        LPixelFont::DrawCentered(door, x + 30, y + 16, kKeyLabels[key], 2.0f, 2.0f, SampleArt::kInk);
    }
    aOut.WriteImage("textures/puzzles/keypad/keypad.bmp", door);

    // The pressed keys, 64 pixels apart on one row; below them the display's digits, 0 to
    // 9, 24 pixels apart.
    LCanvas parts(1024, 128);
    for (int key = 0; key < 12; ++key) {
        parts.Fill(key * 64, 0, 60, 48, SampleArt::kBrass);
        LPixelFont::DrawCentered(parts, key * 64 + 30, 16, kKeyLabels[key], 2.0f, 2.0f, SampleArt::kInk);
    }
    for (int digit = 0; digit < 10; ++digit) {
        LPixelFont::DrawCentered(parts, digit * 24 + 12, 72, std::to_string(digit), 2.0f, 3.0f,
                                 LCanvas::Color {90, 240, 110, 255});
    }
    aOut.WriteImage("textures/puzzles/keypad/keypad_parts.tga", parts);
}

void WriteChasePhotos(SampleOutput& aOut)
{
    LCanvas board = SampleArt::Background("", LCanvas::Color {150, 110, 70, 255}, LCanvas::Color {120, 86, 54, 255});
    aOut.WriteImage("textures/puzzles/chasephotopuzzle/pinboard.bmp", board);
    // Seven photos of 140 x 100, their four looks one above the other (n, o, d, x).
    const LCanvas::Color tints[] = {{220, 120, 140, 255}, {200, 60, 70, 255},  {160, 210, 120, 255},
                                    {70, 90, 200, 255},   {230, 140, 40, 255}, {170, 120, 60, 255},
                                    {60, 150, 80, 255}};
    LCanvas photos(1024, 512);
    for (int photo = 0; photo < 7; ++photo) {
        const int left = (photo % 7) * 144;
        for (int look = 0; look < 4; ++look) {
            const int top = look * 104;
            photos.Fill(left, top, 140, 100, look == 3 ? SampleArt::kGrey : SampleArt::kPaper);
            photos.Fill(left + 8, top + 8, 124, 76, tints[photo]);
            if (look == 1) {
                photos.Frame(left, top, 140, 100, 3, SampleArt::kBrass);
            }
            for (int mark = 0; mark <= photo; ++mark) {
                photos.Disc(static_cast<float>(left + 20 + mark * 15), static_cast<float>(top + 46), 5.0f, SampleArt::kInk);
            }
        }
    }
    aOut.WriteImage("textures/puzzles/chasephotopuzzle/photos.tga", photos);
}

void WritePOBox(SampleOutput& aOut)
{
    LCanvas box = SampleArt::Background("", LCanvas::Color {176, 140, 70, 255}, LCanvas::Color {130, 100, 48, 255});
    box.Frame(150, 150, 500, 300, 4, SampleArt::kInk);
    aOut.WriteImage("textures/puzzles/pobox/pobox.bmp", box);
    // The dial face (64 x 64, digits around a ring, 0 at the top) and the turn button's
    // n, o, d looks (48 x 24 each) beside it.
    LCanvas parts(128, 128);
    parts.Disc(32.0f, 32.0f, 30.0f, SampleArt::kInk);
    parts.Ring(32.0f, 32.0f, 26.0f, 30.0f, SampleArt::kBrass);
    for (int digit = 0; digit < 10; ++digit) {
        const float angle = static_cast<float>(digit) * 36.0f * static_cast<float>(M_PI) / 180.0f;
        const int x = static_cast<int>(32.0f + 19.0f * std::sin(angle));
        const int y = static_cast<int>(32.0f - 19.0f * std::cos(angle));
        LPixelFont::DrawCentered(parts, x, y - 3, std::to_string(digit), 1.0f, 1.0f, SampleArt::kPaper);
    }
    parts.Paste(SampleArt::Button("TURN", 48, 24, "nod"), 72, 0);
    aOut.WriteImage("textures/puzzles/pobox/pobox_parts.tga", parts);
}

std::vector<float> Chime()
{
    std::vector<float> samples(static_cast<size_t>(1152) * 16, 0.0f);
    for (size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float hertz = t < 0.3f ? 659.3f : 987.8f;
        samples[i] = 0.3f * std::exp(-t * 2.0f) * std::sin(2.0f * static_cast<float>(M_PI) * hertz * t);
    }
    return samples;
}

} // namespace

void WriteClickPuzzles(SampleOutput& aOut)
{
    WriteKeypad(aOut);
    WriteChasePhotos(aOut);
    WritePOBox(aOut);
    aOut.WriteSound("sounds/entry.mp2", kRate, Chime());
    aOut.Write("movies/Secret_Apt_Door.bik", SampleMovie(70, 120, 140));
    aOut.Write("movies/chaseapt_draweropen.bik", SampleMovie(140, 110, 140));
    aOut.Write("movies/UPS_BoxAnimax.bik", SampleMovie(100, 100, 160));
}
