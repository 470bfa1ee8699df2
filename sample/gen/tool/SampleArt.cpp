#include "SampleArt.h"

#include "writers/LPixelFont.h"

LCanvas SampleArt::Background(const std::string& aTitle, LCanvas::Color aTop, LCanvas::Color aBottom)
{
    LCanvas canvas(800, 600);
    canvas.Gradient(0, 0, 800, 600, aTop, aBottom);
    canvas.Frame(8, 8, 784, 584, 3, kBrass);
    canvas.Frame(16, 16, 768, 568, 1, kBrass);
    LPixelFont::DrawCentered(canvas, 400, 24, aTitle, 3.0f, 3.0f, kBrass);
    return canvas;
}

void SampleArt::DrawButtonState(LCanvas& aCanvas, int aTop, const std::string& aLabel, int aWidth, int aHeight,
                                char aState)
{
    LCanvas::Color plate {40, 52, 86, 255};
    LCanvas::Color border = kBrass;
    LCanvas::Color text = kPaper;
    int shift = 0;
    switch (aState) {
    case 'o':
        plate = LCanvas::Color {70, 90, 140, 255};
        text = LCanvas::kWhite;
        break;
    case 'd':
        plate = LCanvas::Color {24, 32, 56, 255};
        shift = 1;
        break;
    case 'x':
        plate = LCanvas::Color {50, 50, 56, 255};
        border = kGrey;
        text = kGrey;
        break;
    case 'h':
        plate = LCanvas::Color {110, 84, 30, 255};
        text = LCanvas::kWhite;
        break;
    default:
        break;
    }
    aCanvas.Fill(0, aTop, aWidth, aHeight, plate);
    aCanvas.Frame(0, aTop, aWidth, aHeight, 2, border);
    const float scale = aHeight >= 32 ? 2.0f : 1.0f;
    const int centerY = aTop + aHeight / 2 + shift;
    if (aLabel == "^" || aLabel == "v") {
        const float half = aHeight * 0.3f;
        const float tip = aLabel == "^" ? -half : half;
        aCanvas.Triangle(aWidth * 0.5f + shift, centerY + tip, aWidth * 0.5f - half + shift, centerY - tip,
                         aWidth * 0.5f + half + shift, centerY - tip, text);
        return;
    }
    const int glyphTop = centerY - static_cast<int>(LPixelFont::kRows * scale * 0.4f);
    LPixelFont::DrawCentered(aCanvas, aWidth / 2 + shift, glyphTop, aLabel, scale, scale, text);
}

LCanvas SampleArt::Button(const std::string& aLabel, int aWidth, int aHeight, const std::string& aStates)
{
    LCanvas canvas(aWidth, aHeight * static_cast<int>(aStates.size()));
    for (std::size_t i = 0; i < aStates.size(); ++i) {
        DrawButtonState(canvas, static_cast<int>(i) * aHeight, aLabel, aWidth, aHeight, aStates[i]);
    }
    return canvas;
}
